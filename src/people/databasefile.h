#pragma once

#include "people/archivereader.h"
#include "people/namelist.h"

#include <cstdint>
#include <optional>
#include <string>

constexpr const char* kDatabaseFileName = "database.bio";
// A file above this size is refused as unreadable: far beyond any real list.
constexpr size_t kMaxDatabaseBytes = size_t{1} << 30;

// What identifies the bytes of a database file at one moment, so that a save
// at exit can tell whether another program changed the file since it was read.
struct DatabaseFileStamp {
    uint64_t device{};
    uint64_t inode{};
    int64_t size{};
    int64_t modifiedNs{};  // modification time in nanoseconds since the epoch
    uint64_t hash{};       // a 64-bit hash of the file's bytes
};
bool operator==(const DatabaseFileStamp& a, const DatabaseFileStamp& b);
bool operator!=(const DatabaseFileStamp& a, const DatabaseFileStamp& b);

struct DatabaseLoadResult {
    enum class Status { Loaded, Missing, Damaged };
    Status status = Status::Missing;
    CNameTable records;                  // all records, or those before the fault
    std::optional<ArchiveFault> fault;   // set when Damaged
    std::string openError;               // why the file could not be opened, when Missing
    // Of the regular file that was read (Loaded or Damaged), taken from the
    // handle and the bytes that were parsed; none when Missing.
    std::optional<DatabaseFileStamp> stamp;
};

// Reads the file at `path`, following a symbolic link. A file that cannot be
// opened or read is Missing with the reason: anything but a regular file
// (a folder, a FIFO, a device), a file above kMaxDatabaseBytes, or one that
// does not fit in memory.
DatabaseLoadResult LoadDatabaseFile(const std::string& path);

// The stamp of the file at `path` now, following a symbolic link to its
// target; none when there is no such file or it is not a readable regular file.
std::optional<DatabaseFileStamp> StampDatabaseFile(const std::string& path);

// Copies the regular file at `path` to the first free name of `path`.damaged,
// `path`.damaged.1, `path`.damaged.2, ..., created exclusively so that no
// earlier copy is ever replaced. Sets `copyPath` to the copy made, or to the
// name tried last, and returns the reason when no complete copy could be
// made, in which case no partial copy is left.
std::optional<std::string> BackUpDatabaseFile(const std::string& path, std::string& copyPath);

// Writes `names` to `path` atomically: a temporary file beside the target is
// written and flushed, then renamed over the target. A symbolic link is
// written through to the regular file it names and stays a link; a path that
// is, or links to, anything else (a folder, a device, a FIFO, nothing at all)
// is refused. Returns the reason on failure, in which case the previous file
// is left as it was.
std::optional<std::string> SaveDatabaseFile(const std::string& path, const CNameList& names);
