#pragma once

#include "people/archivereader.h"
#include "people/namelist.h"

#include <cstdint>
#include <optional>
#include <string>

constexpr const char* kDatabaseFileName = "database.bio";

// What identifies the bytes of a database file at one moment, so that a save
// at exit can tell whether another program changed the file since it was read.
struct DatabaseFileStamp {
    uint64_t device = 0;
    uint64_t inode = 0;
    int64_t size = 0;
    int64_t modifiedNs = 0;  // modification time in nanoseconds since the epoch
    uint64_t hash = 0;       // a 64-bit hash of the file's bytes
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

// Reads the file at `path`. A file that cannot be opened is Missing.
DatabaseLoadResult LoadDatabaseFile(const std::string& path);

// The stamp of the file at `path` now, following a symbolic link to its
// target; none when there is no such file or it is not a readable regular file.
std::optional<DatabaseFileStamp> StampDatabaseFile(const std::string& path);

// Writes `names` to `path` atomically: a temporary file beside the target is
// written and flushed, then renamed over the target. Returns the reason on
// failure, in which case the previous file is left as it was.
std::optional<std::string> SaveDatabaseFile(const std::string& path, const CNameList& names);
