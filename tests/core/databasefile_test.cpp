// The database file: loading, the stamp, what is never read or replaced,
// damaged files and their copies, and saves that succeed or fail.
#include "people/databasefile.h"

#include "people/appdata.h"
#include "people/archivewriter.h"
#include "people/ovixdoc.h"
#include "people/stamphash.h"
#include "testfiles.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <iostream>
#include <set>

#include <sys/stat.h>
#include <unistd.h>

namespace fs = std::filesystem;

#if defined(__has_feature)
#if __has_feature(address_sanitizer)
#define ORVINA_ADDRESS_SANITIZER
#endif
#endif

namespace {

const CName kDefaultPerson("New Name", "1901", "01", "01");

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
    const std::string two = WriteArchive(People(2));
    // `why`: the fault's reason, or for a file that cannot be read the error.
    const struct { std::optional<std::string> bytes; Status status; int records; const char* why; } rows[] = {
        {std::nullopt, Status::Missing, 0, "No such file or directory"},
        {"/", Status::Missing, 0, "it is a folder, not a file"},
        {two, Status::Loaded, 2, ""},
        {two.substr(0, two.size() - 1), Status::Damaged, 1, "unexpected end of file in record 2"},
        {"", Status::Damaged, 0, "empty file"},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.bytes.value_or("none").size());
        fs::remove_all(m_path);
        if (row.bytes == "/")
            fs::create_directory(m_path);
        else if (row.bytes)
            WriteFile(m_path, *row.bytes);
        const DatabaseLoadResult result = LoadDatabaseFile(m_path);
        EXPECT_EQ(result.status, row.status);
        EXPECT_EQ(result.openError, row.status == Status::Missing ? row.why : "");
        std::vector<CName> expected;
        for (const auto& person : People(row.records))
            expected.push_back(*person);
        EXPECT_EQ(result.records.ToVector(), expected);
        EXPECT_EQ(result.fault ? result.fault->reason : "", row.status == Status::Missing ? "" : row.why);
        EXPECT_EQ(result.stamp.has_value(), row.status != Status::Missing);
    }
    // A file that reports no size but has bytes, as those under /proc do, is
    // read to its end: it is no database, so it is damaged from its first byte.
    const DatabaseLoadResult sizeless = LoadDatabaseFile("/proc/self/status");
    EXPECT_TRUE(sizeless.status == Status::Damaged && sizeless.fault && sizeless.stamp->size > 100);
}

// The stamp of a load equals the stamp taken later of the same bytes, and any
// change a writer can make (one byte anywhere, the time, a new file in its
// place) shows.
TEST_F(DatabaseFile, StampTellsWhetherTheFileChanged)
{
    const std::string bytes = WriteArchive(People(2)) + "trailing bytes after the records";
    ASSERT_GT(bytes.size(), 64u);
    WriteFile(m_path, bytes);
    const std::optional<DatabaseFileStamp> loaded = LoadDatabaseFile(m_path).stamp;
    ASSERT_TRUE(loaded.has_value());
    EXPECT_EQ(loaded->size, static_cast<int64_t>(fs::file_size(m_path)));
    EXPECT_EQ(StampDatabaseFile(m_path), loaded);
    const auto time = fs::last_write_time(m_path);
    // One bit in each 8-byte word of the first 64-byte block and in the tail
    // after the last whole block, and the top bits of two bytes in words that
    // a multiplication alone would let cancel.
    ASSERT_GT(bytes.size() % 64, 0u);
    std::vector<std::vector<size_t>> changes = {{bytes.size() - 1}, {7, 39}};
    for (size_t word = 0; word < 8; ++word)
        changes.push_back({8 * word + word % 8});
    for (const std::vector<size_t>& change : changes) {
        SCOPED_TRACE(change.front());
        std::string changed = bytes;
        for (const size_t at : change)
            changed[at] ^= change.size() == 1 ? 1 : 0x80;
        std::fstream(m_path, std::ios::binary | std::ios::in | std::ios::out) << changed;
        fs::last_write_time(m_path, time);
        const std::optional<DatabaseFileStamp> now = StampDatabaseFile(m_path);
        ASSERT_TRUE(now.has_value());
        EXPECT_TRUE(now->inode == loaded->inode && now->modifiedNs == loaded->modifiedNs && now->hash != loaded->hash);
    }
    WriteFile(m_path, bytes);
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
}

// The vector lanes and the plain loop give one hash, whatever the length
// (none, part of a block, whole blocks, the reader's chunks and a tail), and a
// load's stamp carries it.
TEST_F(DatabaseFile, TheStampHashIsTheSameWithOrWithoutVectorLanes)
{
    std::string bytes(600 * 1024 + 13, '\0');
    uint32_t state = 1;
    for (char& byte : bytes)
        byte = static_cast<char>((state = state * 1103515245u + 12345u) >> 24);
    for (const size_t size : {size_t{0}, size_t{1}, size_t{63}, size_t{64}, size_t{65}, size_t{1000}, bytes.size()}) {
        SCOPED_TRACE(size);
        EXPECT_EQ(CStampHash::Of(bytes.data(), size, CStampHash::Lanes::Plain),
                  CStampHash::Of(bytes.data(), size, CStampHash::Lanes::Fastest));
    }
    WriteFile(m_path, bytes);
    EXPECT_EQ(LoadDatabaseFile(m_path).stamp->hash, CStampHash::Of(bytes.data(), bytes.size(), CStampHash::Lanes::Plain));
}

// Anything but a regular file in the database's place is unreadable, at
// start-up and in every load, and never replaced: neither by the document's
// save at exit nor by a direct save. Each row runs in a child process that a
// read which blocks cannot hang.
TEST_F(DatabaseFile, OnlyARegularFileIsReadOrReplaced)
{
    const fs::path fifo = m_folder / "pipe";
    ASSERT_EQ(::mkfifo(fifo.c_str(), 0600), 0);
    const struct { fs::path linkTo; const char* reason; const char* directSave; } rows[] = {
        {"/dev/zero", "not a regular file", "refused"},
        {fifo, "not a regular file", "refused"},
        {m_folder / "nothing", "symbolic link to a file that does not exist", "refused"},
        {"", "not a regular file", "refused"},                // a FIFO itself
        {"", "larger than 1 GiB", "replaced by a save"},      // sparse: no disk space used
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.reason);
        fs::remove(m_path);
        if (!row.linkTo.empty()) {
            fs::create_symlink(row.linkTo, m_path);
        } else if (std::string(row.directSave) == "refused") {
            ASSERT_EQ(::mkfifo(m_path.c_str(), 0600), 0);
        } else {
            WriteFile(m_path, WriteArchive(People(2)));
            fs::resize_file(m_path, kMaxDatabaseBytes + 1);
        }
        const fs::file_status before = fs::symlink_status(m_path);
        const auto child = [&] {
            ::alarm(10);
            CAppData app;
            COvixDoc doc(app);
            const COvixDoc::LoadReport report = doc.LoadNames(m_path);
            const DatabaseLoadResult direct = LoadDatabaseFile(m_path);
            std::cerr << "unreadable: " << report.unreadableError
                      << (direct.status == DatabaseLoadResult::Status::Missing &&
                                  direct.openError == report.unreadableError ? ", same for a direct load" : "")
                      << (app.m_names.Count() == 1 && *app.m_names.At(0) == kDefaultPerson ? ", default" : "")
                      << (StampDatabaseFile(m_path) || report.stamp ? ", stamped" : "")
                      << (doc.SaveNames(m_path) ? ", kept, " : ", replaced at exit, ")
                      << (SaveDatabaseFile(m_path, People(3)) ? "refused" : "replaced by a save") << std::endl;
            std::_Exit(0);
        };
        EXPECT_EXIT(child(), ::testing::ExitedWithCode(0),
                    std::string("unreadable: .*") + row.reason + ".*, same for a direct load, default, kept, " +
                        row.directSave);
        EXPECT_EQ(fs::symlink_status(m_path).type(), before.type());
        if (!row.linkTo.empty()) {
            EXPECT_EQ(fs::read_symlink(m_path), row.linkTo);
        }
    }
    EXPECT_TRUE(fs::is_fifo(fifo));
    EXPECT_FALSE(fs::exists(m_folder / "nothing"));
}

// Running out of memory while loading makes the file unreadable, not a crash.
TEST_F(DatabaseFile, OutOfMemoryIsAnUnreadableFile)
{
#if defined(__SANITIZE_ADDRESS__) || defined(ORVINA_ADDRESS_SANITIZER)
    GTEST_SKIP() << "the address sanitizer reserves more address space than the limit allows";
#endif
    WriteFile(m_path, WriteArchive(People(2)));
    fs::resize_file(m_path, 64 << 20);
    const auto child = [&] {
        long pages = 0;  // allow this process 16 MiB more address space than it has now
        std::ifstream("/proc/self/statm") >> pages;
        const rlimit limit{static_cast<rlim_t>(pages) * ::sysconf(_SC_PAGESIZE) + (16 << 20), RLIM_INFINITY};
        ::setrlimit(RLIMIT_AS, &limit);
        CAppData app;
        COvixDoc doc(app);
        std::cerr << "[" << doc.LoadNames(m_path).unreadableError << "]" << std::endl;
        std::_Exit(0);
    };
    EXPECT_EXIT(child(), ::testing::ExitedWithCode(0), "\\[there is not enough memory to read it\\]");
}

// Each damaged start copies the file to a name of its own, passing over any
// name that is taken, and keeps the people read before the fault. A damaged
// file that cannot be copied completely (the copy outgrows the largest file
// this process may write, as on a full disk) leaves no partial copy, is
// unreadable and is never replaced.
TEST_F(DatabaseFile, EachDamagedStartKeepsItsOwnCopyOrTheFileStays)
{
    fs::create_directory(m_path + ".damaged.2");
    for (const std::string suffix : {".damaged", ".damaged.1", ".damaged.3", ".damaged.4"}) {
        SCOPED_TRACE(suffix);
        const bool copied = suffix != ".damaged.4";
        const std::string damaged = WriteArchive(People(copied ? 3 : 1000)).substr(0, copied ? 60 : 20000);
        WriteFile(m_path, damaged);
        CAppData app;
        COvixDoc doc(app);
        const COvixDoc::LoadReport report = [&] {
            const FileSizeLimit limit(copied ? RLIM_INFINITY : 4096);
            return doc.LoadNames(m_path);
        }();
        EXPECT_EQ(report.damagedCopyPath, m_path + suffix);
        if (copied) {
            EXPECT_EQ(report.status, DatabaseLoadResult::Status::Damaged);
            EXPECT_EQ(report.damagedCopyError, "");
            EXPECT_EQ(app.m_names.Count(), 2);
            EXPECT_EQ(*app.m_names.At(1), *People(2).At(1));
            EXPECT_EQ(ReadFile(m_path + suffix), damaged);
            continue;
        }
        EXPECT_EQ(report.status, DatabaseLoadResult::Status::Missing);
        EXPECT_NE(report.damagedCopyError, "");
        EXPECT_NE(report.unreadableError.find("damaged at byte 199"), std::string::npos) << report.unreadableError;
        EXPECT_NE(report.unreadableError.find(report.damagedCopyError), std::string::npos);
        EXPECT_EQ(app.m_names.Count(), 1);
        EXPECT_EQ(*app.m_names.At(0), kDefaultPerson);
        EXPECT_TRUE(doc.SaveNames(m_path).has_value());
        EXPECT_EQ(ReadFile(m_path), damaged);
    }
    EXPECT_EQ(Entries(m_folder), (std::set<std::string>{"database.bio", "database.bio.damaged",
                                                        "database.bio.damaged.1", "database.bio.damaged.2",
                                                        "database.bio.damaged.3"}));
}

// A save replaces the old file with exactly the writer's bytes, through a
// link to a regular file that stays a link, and leaves no temporary file. A
// failed save reports the path and leaves every file as it was; neither
// failure relies on permission bits, so both hold for root too.
TEST_F(DatabaseFile, SaveReplacesTheOldFileOrLeavesIt)
{
    fs::create_directory(m_folder / "elsewhere");
    const fs::path real = m_folder / "elsewhere" / "people.bio";
    WriteFile(real, WriteArchive(People(2)));
    fs::create_symlink("elsewhere/people.bio", m_path);
    for (const int count : {1000, 1}) {  // longer than a grow step, then shorter than the old file
        ASSERT_EQ(SaveDatabaseFile(m_path, People(count)), std::nullopt);
        EXPECT_EQ(ReadFile(real), WriteArchive(People(count)));
    }
    EXPECT_EQ(fs::read_symlink(m_path), "elsewhere/people.bio");
    EXPECT_EQ(Entries(m_folder / "elsewhere"), std::set<std::string>{"people.bio"});

    const fs::path folder = m_folder / "folder.bio";
    fs::create_directory(folder);
    const std::set<std::string> before = Entries(m_folder);
    const std::optional<std::string> intoFolder = SaveDatabaseFile(folder.string(), People(10));
    ASSERT_TRUE(intoFolder.has_value());
    EXPECT_NE(intoFolder->find(folder.string()), std::string::npos) << *intoFolder;
    EXPECT_TRUE(fs::is_empty(folder));
    const std::optional<std::string> cutShort = [&] {
        const FileSizeLimit limit(4096);
        return SaveDatabaseFile(m_path, People(1000));  // about 25 kB
    }();
    ASSERT_TRUE(cutShort.has_value());
    EXPECT_NE(cutShort->find("'" + m_path + "': cannot write the temporary file"), std::string::npos) << *cutShort;
    EXPECT_EQ(ReadFile(real), WriteArchive(People(1)));
    EXPECT_EQ(Entries(m_folder), before);
    EXPECT_EQ(Entries(m_folder / "elsewhere"), std::set<std::string>{"people.bio"});
}

}  // namespace
