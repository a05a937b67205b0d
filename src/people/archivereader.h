#pragma once

#include "people/name.h"

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

// Where and why a database file stopped making sense.
struct ArchiveFault {
    uint64_t offset = 0;  // byte offset of the read that failed
    std::string reason;   // one line, for example "unexpected end of file in record 3"
};

struct ArchiveReadResult {
    std::vector<CName> records;          // every record read before the first fault
    std::optional<ArchiveFault> fault;   // empty when the whole file was read
};

// Reads the people database from its bytes. Never reads out of bounds and
// never reserves more than the remaining bytes can hold; bytes after the last
// record are ignored.
ArchiveReadResult ReadArchive(std::string_view bytes);
