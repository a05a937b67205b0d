#pragma once

#include "people/archivereader.h"
#include "people/namelist.h"

#include <optional>
#include <string>

constexpr const char* kDatabaseFileName = "database.bio";

struct DatabaseLoadResult {
    enum class Status { Loaded, Missing, Damaged };
    Status status = Status::Missing;
    CNameTable records;                  // all records, or those before the fault
    std::optional<ArchiveFault> fault;   // set when Damaged
    std::string openError;               // why the file could not be opened, when Missing
};

// Reads the file at `path`. A file that cannot be opened is Missing.
DatabaseLoadResult LoadDatabaseFile(const std::string& path);

// Writes `names` to `path` atomically: a temporary file beside the target is
// written and flushed, then renamed over the target. Returns the reason on
// failure, in which case the previous file is left as it was.
std::optional<std::string> SaveDatabaseFile(const std::string& path, const CNameList& names);
