#include "people/databasefile.h"

#include "hexbytes.h"

#include <gtest/gtest.h>

#include <chrono>
#include <csignal>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <set>

#include <sys/resource.h>

namespace fs = std::filesystem;

namespace {

const std::string kOneDefault = Hex("01 00") + kNewClassBytes + kDefaultFieldBytes;
const std::string kTwoDefaults =
    Hex("02 00") + kNewClassBytes + kDefaultFieldBytes + kClassRefBytes + kDefaultFieldBytes;

void Write(const fs::path& path, const std::string& bytes)
{
    std::ofstream(path, std::ios::binary) << bytes;
}

std::string Read(const fs::path& path)
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

CNameList People(int count)
{
    CNameList list;
    for (int i = 0; i < count; ++i)
        list.Append(CName("Person " + std::to_string(i), std::to_string(1900 + i % 100), "07", "14"));
    return list;
}

// Each test gets a fresh folder holding the path of its database.
class DatabaseFile : public ::testing::Test {
protected:
    void SetUp() override
    {
        std::string pattern = (fs::temp_directory_path() / "orvina-db-XXXXXX").string();
        ASSERT_NE(::mkdtemp(pattern.data()), nullptr);
        m_folder = pattern;
        m_path = (m_folder / "database.bio").string();
    }
    void TearDown() override { fs::remove_all(m_folder); }

    fs::path m_folder;
    std::string m_path;
};

TEST_F(DatabaseFile, Load)
{
    using Status = DatabaseLoadResult::Status;
    const struct {
        const char* name;
        std::optional<std::string> bytes;  // none: no file; "/": a folder in its place
        Status status;
        size_t records;
        const char* fault;
    } rows[] = {
        {"no file", std::nullopt, Status::Missing, 0, nullptr},
        {"a folder in place of the file", "/", Status::Missing, 0, nullptr},
        {"two people", kTwoDefaults, Status::Loaded, 2, nullptr},
        {"cut short in the second record", kTwoDefaults.substr(0, 50), Status::Damaged, 1,
         "unexpected end of file in record 2"},
        {"empty", "", Status::Damaged, 0, "empty file"},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.name);
        fs::remove_all(m_path);
        if (row.bytes == "/")
            fs::create_directory(m_path);
        else if (row.bytes)
            Write(m_path, *row.bytes);
        const DatabaseLoadResult result = LoadDatabaseFile(m_path);
        EXPECT_EQ(result.status, row.status);
        EXPECT_EQ(result.openError.empty(), row.status != Status::Missing);
        EXPECT_EQ(result.records.ToVector(), std::vector<CName>(row.records, kDefaultPerson));
        EXPECT_EQ(result.fault ? result.fault->reason : "", row.fault ? row.fault : "");
    }
}

// The stamp of a load equals the stamp taken later of the same bytes, and any
// change a writer can make (one byte anywhere, the time, a new file in its
// place) shows.
TEST_F(DatabaseFile, StampTellsWhetherTheFileChanged)
{
    const std::string bytes = kTwoDefaults + "trailing bytes after the records";  // words and a tail
    Write(m_path, bytes);
    const std::optional<DatabaseFileStamp> loaded = LoadDatabaseFile(m_path).stamp;
    ASSERT_TRUE(loaded.has_value());
    EXPECT_EQ(loaded->size, static_cast<int64_t>(fs::file_size(m_path)));
    EXPECT_EQ(StampDatabaseFile(m_path), loaded);

    const auto time = fs::last_write_time(m_path);
    for (const size_t at : {size_t{0}, size_t{31}, bytes.size() - 1}) {
        SCOPED_TRACE(at);
        std::string changed = bytes;
        changed[at] ^= 1;
        std::fstream(m_path, std::ios::binary | std::ios::in | std::ios::out) << changed;
        fs::last_write_time(m_path, time);
        const std::optional<DatabaseFileStamp> now = StampDatabaseFile(m_path);
        ASSERT_TRUE(now.has_value());
        EXPECT_EQ(now->inode, loaded->inode);
        EXPECT_EQ(now->modifiedNs, loaded->modifiedNs);
        EXPECT_NE(now->hash, loaded->hash);
    }
    Write(m_path, bytes);
    fs::last_write_time(m_path, time + std::chrono::seconds(1));
    EXPECT_NE(StampDatabaseFile(m_path), loaded);
    fs::last_write_time(m_path, time);
    EXPECT_EQ(StampDatabaseFile(m_path), loaded);
    ASSERT_EQ(SaveDatabaseFile(m_path, People(2)), std::nullopt);
    EXPECT_NE(StampDatabaseFile(m_path)->inode, loaded->inode);

    fs::remove(m_path);
    EXPECT_EQ(StampDatabaseFile(m_path), std::nullopt);
    fs::create_directory(m_path);
    EXPECT_EQ(StampDatabaseFile(m_path), std::nullopt);
    EXPECT_EQ(LoadDatabaseFile(m_path).stamp, std::nullopt);
}

TEST_F(DatabaseFile, SaveWritesTheExactFileInPlaceOfTheOld)
{
    Write(m_path, kTwoDefaults);
    CNameList one;
    one.Append(kDefaultPerson);
    ASSERT_EQ(SaveDatabaseFile(m_path, one), std::nullopt);
    EXPECT_EQ(Read(m_path), kOneDefault);

    const CNameList many = People(1000);
    ASSERT_EQ(SaveDatabaseFile(m_path, many), std::nullopt);
    const DatabaseLoadResult loaded = LoadDatabaseFile(m_path);
    ASSERT_EQ(loaded.records.size(), 1000u);
    EXPECT_EQ(loaded.records[999], *many.At(999));
    // No temporary file is left behind.
    EXPECT_EQ(Entries(m_folder), std::set<std::string>{"database.bio"});
}

// A failed save reports the path and leaves every file as it was. Neither
// failure relies on permission bits, so both hold for root too.
TEST_F(DatabaseFile, FailedSaveLeavesTheOldFile)
{
    Write(m_path, kTwoDefaults);
    const fs::path folder = m_folder / "folder.bio";
    fs::create_directory(folder);
    Write(folder / "keep.txt", "kept");
    const std::set<std::string> before = Entries(m_folder);

    const std::optional<std::string> intoFolder = SaveDatabaseFile(folder.string(), People(10));
    ASSERT_TRUE(intoFolder.has_value());
    EXPECT_NE(intoFolder->find(folder.string()), std::string::npos) << *intoFolder;
    EXPECT_EQ(Entries(folder), std::set<std::string>{"keep.txt"});

    // Lowering the largest file this process may write makes the write fail
    // part way, as a full disk would.
    rlimit saved{};
    getrlimit(RLIMIT_FSIZE, &saved);
    const auto savedHandler = std::signal(SIGXFSZ, SIG_IGN);
    rlimit lowered = saved;
    lowered.rlim_cur = 4096;
    setrlimit(RLIMIT_FSIZE, &lowered);
    const std::optional<std::string> cutShort = SaveDatabaseFile(m_path, People(1000));  // about 25 kB
    setrlimit(RLIMIT_FSIZE, &saved);
    std::signal(SIGXFSZ, savedHandler);
    ASSERT_TRUE(cutShort.has_value());
    EXPECT_NE(cutShort->find(m_path), std::string::npos) << *cutShort;
    EXPECT_NE(cutShort->find("cannot write the temporary file"), std::string::npos) << *cutShort;

    EXPECT_EQ(Read(m_path), kTwoDefaults);
    EXPECT_EQ(Entries(m_folder), before);
}

}  // namespace
