// Loading and saving a database of 1,000,000 people, each against the plain
// file operation on the same bytes: reading them into memory, and writing
// them to a temporary file that is synced and renamed over the target.
#include "people/archivewriter.h"
#include "people/databasefile.h"

#include <benchmark/benchmark.h>

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <memory>
#include <random>
#include <stdexcept>
#include <string>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace fs = std::filesystem;

namespace {
constexpr int kPeople = 1000000;

const char* const kFirstNames[] = {
    "Mary", "James", "Patricia", "Robert", "Jennifer", "Michael", "Linda", "William", "Elizabeth", "David",
    "Barbara", "Richard", "Susan", "Joseph", "Jessica", "Thomas", "Sarah", "Christopher", "Karen", "Charles",
    "Nancy", "Daniel", "Margaret", "Matthew", "Lisa", "Anthony", "Betty", "Mark", "Dorothy", "Donald",
    "Sandra", "Steven", "Ashley", "Andrew", "Kimberly", "Joshua", "Emily", "Kenneth", "Donna", "Kevin",
    "Michelle", "Brian", "Carol", "George", "Amanda", "Timothy", "Melissa", "Ronald", "Deborah", "Jan",
};
const char* const kLastNames[] = {
    "Smith", "Johnson", "Williams", "Brown", "Jones", "Garcia", "Miller", "Davis", "Rodriguez", "Martinez",
    "Hernandez", "Lopez", "Gonzalez", "Wilson", "Anderson", "Thomas", "Taylor", "Moore", "Jackson", "Martin",
    "Lee", "Perez", "Thompson", "White", "Harris", "Sanchez", "Clark", "Ramirez", "Lewis", "Robinson",
    "Walker", "Young", "Allen", "King", "Wright", "Scott", "Torres", "Nguyen", "Hill", "Flores",
    "Green", "Adams", "Nelson", "Baker", "Hall", "Rivera", "Campbell", "Mitchell", "Carter", "Roberts",
};

std::string TwoDigits(unsigned value)
{
    char text[4];
    std::snprintf(text, sizeof text, "%02u", value);
    return text;
}

// One fixed database for every benchmark of the run: its list, its bytes and
// a folder holding it as a file.
struct Database {
    CNameList names;
    std::string bytes;
    fs::path folder;
    std::string path;

    Database()
    {
        std::mt19937 random(1901);
        for (int i = 0; i < kPeople; ++i) {
            std::string name = kFirstNames[random() % std::size(kFirstNames)];
            name += ' ';
            name += kLastNames[random() % std::size(kLastNames)];
            names.Append(CName(std::move(name), std::to_string(1920 + random() % 90), TwoDigits(1 + random() % 12),
                               TwoDigits(1 + random() % 28)));
        }
        bytes = WriteArchive(names);
        std::string pattern = (fs::temp_directory_path() / "orvina-bench-XXXXXX").string();
        if (::mkdtemp(pattern.data()) == nullptr)
            throw std::runtime_error("cannot create a temporary folder");
        folder = pattern;
        path = (folder / "database.bio").string();
        if (SaveDatabaseFile(path, names))
            throw std::runtime_error("cannot write the benchmark database");
    }
    ~Database() { fs::remove_all(folder); }
};

Database& TheDatabase()
{
    static Database database;
    return database;
}

void SyncDirectory(const fs::path& folder)
{
    const int fd = ::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd >= 0) {
        ::fsync(fd);
        ::close(fd);
    }
}

void BM_LoadDatabaseFile(benchmark::State& state)
{
    const Database& database = TheDatabase();
    for (auto _ : state) {
        DatabaseLoadResult result = LoadDatabaseFile(database.path);
        if (result.status != DatabaseLoadResult::Status::Loaded || result.records.size() != kPeople)
            state.SkipWithError("the database did not load");
        benchmark::DoNotOptimize(result);
        // Freeing the records belongs to whoever holds them later, not to the load.
        state.PauseTiming();
        result = DatabaseLoadResult();
        state.ResumeTiming();
    }
    state.SetBytesProcessed(state.iterations() * static_cast<int64_t>(database.bytes.size()));
}

// What a caller that wants every person as a CName of its own, in a name
// list, pays on top of the load. Shown for information; it has no plain
// counterpart.
void BM_LoadIntoNameList(benchmark::State& state)
{
    const Database& database = TheDatabase();
    for (auto _ : state) {
        const DatabaseLoadResult result = LoadDatabaseFile(database.path);
        CNameList list;
        for (CName record : result.records)
            list.Append(std::move(record));
        if (list.Count() != kPeople)
            state.SkipWithError("the database did not load");
        state.PauseTiming();
        list.Clear();
        state.ResumeTiming();
    }
}

void BM_PlainRead(benchmark::State& state)
{
    const Database& database = TheDatabase();
    for (auto _ : state) {
        const int fd = ::open(database.path.c_str(), O_RDONLY | O_CLOEXEC);
        struct stat info {};
        ::fstat(fd, &info);
        const auto size = static_cast<size_t>(info.st_size);
        std::unique_ptr<char[]> buffer(new char[size]);
        size_t done = 0;
        while (done < size) {
            const ssize_t got = ::read(fd, buffer.get() + done, size - done);
            if (got <= 0)
                break;
            done += static_cast<size_t>(got);
        }
        ::close(fd);
        if (done != size)
            state.SkipWithError("short read");
        benchmark::DoNotOptimize(buffer.get());
        state.PauseTiming();
        buffer.reset();
        state.ResumeTiming();
    }
    state.SetBytesProcessed(state.iterations() * static_cast<int64_t>(database.bytes.size()));
}

void BM_SaveDatabaseFile(benchmark::State& state)
{
    const Database& database = TheDatabase();
    for (auto _ : state) {
        if (const auto failure = SaveDatabaseFile(database.path, database.names))
            state.SkipWithError(failure->c_str());
    }
    state.SetBytesProcessed(state.iterations() * static_cast<int64_t>(database.bytes.size()));
}

// The same bytes, already encoded, written the plain way with the same
// syncs as the save: the file, then the folder after the rename.
void BM_PlainWriteSyncRename(benchmark::State& state)
{
    const Database& database = TheDatabase();
    const std::string temporary = database.path + ".plain";
    for (auto _ : state) {
        const int fd = ::open(temporary.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0644);
        size_t done = 0;
        while (fd >= 0 && done < database.bytes.size()) {
            const ssize_t wrote = ::write(fd, database.bytes.data() + done, database.bytes.size() - done);
            if (wrote <= 0)
                break;
            done += static_cast<size_t>(wrote);
        }
        const bool ok = fd >= 0 && done == database.bytes.size() && ::fsync(fd) == 0;
        if (fd >= 0)
            ::close(fd);
        if (!ok || ::rename(temporary.c_str(), database.path.c_str()) != 0)
            state.SkipWithError("plain write failed");
        SyncDirectory(database.folder);
    }
    state.SetBytesProcessed(state.iterations() * static_cast<int64_t>(database.bytes.size()));
}
}

BENCHMARK(BM_LoadDatabaseFile)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_PlainRead)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_LoadIntoNameList)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_SaveDatabaseFile)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_PlainWriteSyncRename)->Unit(benchmark::kMillisecond);
