#include "people/databasefile.h"

#include "hexbytes.h"

#include <gtest/gtest.h>

#include <csignal>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <set>

#include <sys/resource.h>

namespace fs = std::filesystem;

namespace {

const std::string kDefaultFile = Hex("01 00 FF FF 00 00 05 00 43 4E 61 6D 65 08 4E 65 77 20 4E 61 6D 65 "
                                     "04 31 39 30 31 02 30 31 02 30 31");
const std::string kTwoDefaultsFile = Hex("02 00 FF FF 00 00 05 00 43 4E 61 6D 65 08 4E 65 77 20 4E 61 6D 65 "
                                         "04 31 39 30 31 02 30 31 02 30 31 01 80 08 4E 65 77 20 4E 61 6D 65 "
                                         "04 31 39 30 31 02 30 31 02 30 31");
const CName kDefaultPerson("New Name", "1901", "01", "01");

class TempFolder {
public:
    TempFolder()
    {
        std::string pattern = (fs::temp_directory_path() / "orvina-db-XXXXXX").string();
        if (::mkdtemp(pattern.data()) == nullptr)
            throw std::runtime_error("cannot create a temporary folder");
        m_path = pattern;
    }
    ~TempFolder()
    {
        std::error_code ignored;
        fs::remove_all(m_path, ignored);
    }
    fs::path operator/(const char* name) const { return m_path / name; }
    const fs::path& Path() const { return m_path; }

private:
    fs::path m_path;
};

void WriteFile(const fs::path& path, const std::string& bytes)
{
    std::ofstream(path, std::ios::binary) << bytes;
}

std::string ReadFile(const fs::path& path)
{
    std::ifstream in(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

std::set<std::string> Entries(const fs::path& folder)
{
    std::set<std::string> names;
    for (const auto& entry : fs::directory_iterator(folder))
        names.insert(entry.path().filename().string());
    return names;
}

CNameList ManyPeople(int count)
{
    CNameList list;
    for (int i = 0; i < count; ++i)
        list.Append(CName("Person " + std::to_string(i), std::to_string(1900 + i % 100), "07", "14"));
    return list;
}

TEST(LoadDatabaseFile, MissingFileGivesTheReason)
{
    const TempFolder folder;
    const DatabaseLoadResult result = LoadDatabaseFile((folder / "database.bio").string());
    EXPECT_EQ(result.status, DatabaseLoadResult::Status::Missing);
    EXPECT_NE(result.openError, "");
    EXPECT_TRUE(result.records.empty());
    EXPECT_FALSE(result.fault.has_value());
}

TEST(LoadDatabaseFile, FolderInPlaceOfTheFileIsMissing)
{
    const TempFolder folder;
    fs::create_directory(folder / "database.bio");
    const DatabaseLoadResult result = LoadDatabaseFile((folder / "database.bio").string());
    EXPECT_EQ(result.status, DatabaseLoadResult::Status::Missing);
    EXPECT_NE(result.openError, "");
}

TEST(LoadDatabaseFile, GoodFileIsLoaded)
{
    const TempFolder folder;
    WriteFile(folder / "database.bio", kTwoDefaultsFile);
    const DatabaseLoadResult result = LoadDatabaseFile((folder / "database.bio").string());
    EXPECT_EQ(result.status, DatabaseLoadResult::Status::Loaded);
    EXPECT_EQ(result.records.ToVector(), (std::vector<CName>{kDefaultPerson, kDefaultPerson}));
    EXPECT_FALSE(result.fault.has_value());
}

TEST(LoadDatabaseFile, DamagedFileKeepsTheRecordsBeforeTheFault)
{
    const TempFolder folder;
    WriteFile(folder / "database.bio", kTwoDefaultsFile.substr(0, 50));
    const DatabaseLoadResult result = LoadDatabaseFile((folder / "database.bio").string());
    EXPECT_EQ(result.status, DatabaseLoadResult::Status::Damaged);
    EXPECT_EQ(result.records.ToVector(), std::vector<CName>{kDefaultPerson});
    ASSERT_TRUE(result.fault.has_value());
    EXPECT_EQ(result.fault->offset, 50u);
    EXPECT_EQ(result.fault->reason, "unexpected end of file in record 2");
}

TEST(LoadDatabaseFile, EmptyFileIsDamaged)
{
    const TempFolder folder;
    WriteFile(folder / "database.bio", "");
    const DatabaseLoadResult result = LoadDatabaseFile((folder / "database.bio").string());
    EXPECT_EQ(result.status, DatabaseLoadResult::Status::Damaged);
    ASSERT_TRUE(result.fault.has_value());
    EXPECT_EQ(result.fault->reason, "empty file");
}

TEST(SaveDatabaseFile, WritesTheExactFileAndNothingElse)
{
    const TempFolder folder;
    CNameList list;
    list.Append(kDefaultPerson);
    EXPECT_EQ(SaveDatabaseFile((folder / "database.bio").string(), list), std::nullopt);
    EXPECT_EQ(ReadFile(folder / "database.bio"), kDefaultFile);
    EXPECT_EQ(Entries(folder.Path()), std::set<std::string>{"database.bio"});
}

TEST(SaveDatabaseFile, ReplacesTheOldFileAndLoadsBack)
{
    const TempFolder folder;
    const std::string path = (folder / "database.bio").string();
    WriteFile(path, kTwoDefaultsFile);
    const CNameList list = ManyPeople(1000);
    ASSERT_EQ(SaveDatabaseFile(path, list), std::nullopt);
    const DatabaseLoadResult loaded = LoadDatabaseFile(path);
    ASSERT_EQ(loaded.status, DatabaseLoadResult::Status::Loaded);
    ASSERT_EQ(loaded.records.size(), 1000u);
    EXPECT_EQ(loaded.records[999], *list.At(999));
    EXPECT_EQ(Entries(folder.Path()), std::set<std::string>{"database.bio"});
}

// Each failure below holds for root too: permission bits are not relied on.
struct SaveFailureCase {
    const char* name;
    // Prepares the folder and returns the target path.
    fs::path (*prepare)(const fs::path& folder);
};

const SaveFailureCase kSaveFailures[] = {
    {"TargetIsAFolder",
     [](const fs::path& folder) {
         fs::create_directory(folder / "database.bio");
         WriteFile(folder / "database.bio" / "keep.txt", "kept");
         return folder / "database.bio";
     }},
    {"FolderDoesNotExist", [](const fs::path& folder) { return folder / "absent" / "database.bio"; }},
    {"ParentIsAFile",
     [](const fs::path& folder) {
         WriteFile(folder / "notes", "plain file");
         return folder / "notes" / "database.bio";
     }},
};

void PrintTo(const SaveFailureCase& row, std::ostream* out)
{
    *out << row.name;
}

class SaveDatabaseFileFailure : public testing::TestWithParam<SaveFailureCase> {};

TEST_P(SaveDatabaseFileFailure, ReportsAndLeavesEverythingAsItWas)
{
    const TempFolder folder;
    WriteFile(folder / "other.bio", kDefaultFile);
    const fs::path target = GetParam().prepare(folder.Path());
    const std::set<std::string> before = Entries(folder.Path());

    const std::optional<std::string> reason = SaveDatabaseFile(target.string(), ManyPeople(10));
    ASSERT_TRUE(reason.has_value());
    EXPECT_NE(reason->find(target.string()), std::string::npos) << *reason;
    EXPECT_EQ(Entries(folder.Path()), before);
    EXPECT_EQ(ReadFile(folder / "other.bio"), kDefaultFile);
    if (fs::is_directory(target)) {
        EXPECT_EQ(Entries(target), std::set<std::string>{"keep.txt"});
    }
}

INSTANTIATE_TEST_SUITE_P(Table, SaveDatabaseFileFailure, testing::ValuesIn(kSaveFailures),
                         [](const testing::TestParamInfo<SaveFailureCase>& info) { return std::string(info.param.name); });

// Lowers the largest file this process may write, which makes a write fail
// part way as a full disk would, for root as for anyone.
class FileSizeLimit {
public:
    explicit FileSizeLimit(rlim_t bytes)
    {
        getrlimit(RLIMIT_FSIZE, &m_saved);
        m_savedHandler = std::signal(SIGXFSZ, SIG_IGN);
        rlimit lowered = m_saved;
        lowered.rlim_cur = bytes;
        setrlimit(RLIMIT_FSIZE, &lowered);
    }
    ~FileSizeLimit()
    {
        setrlimit(RLIMIT_FSIZE, &m_saved);
        std::signal(SIGXFSZ, m_savedHandler);
    }

private:
    rlimit m_saved{};
    void (*m_savedHandler)(int) = SIG_DFL;
};

TEST(SaveDatabaseFile, FailedWriteKeepsTheOldFile)
{
    const TempFolder folder;
    const std::string path = (folder / "database.bio").string();
    WriteFile(path, kTwoDefaultsFile);
    std::optional<std::string> reason;
    {
        const FileSizeLimit limit(4096);
        reason = SaveDatabaseFile(path, ManyPeople(1000));  // about 25 kB
    }
    ASSERT_TRUE(reason.has_value());
    EXPECT_NE(reason->find(path), std::string::npos) << *reason;
    EXPECT_EQ(ReadFile(path), kTwoDefaultsFile);
    EXPECT_EQ(Entries(folder.Path()), std::set<std::string>{"database.bio"});
}
}
