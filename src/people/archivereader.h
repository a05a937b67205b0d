#pragma once

#include "people/nametable.h"

#include <cstddef>
#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <string_view>

// Where and why a database file stopped making sense.
struct ArchiveFault {
    uint64_t offset{};    // byte offset of the read that failed
    std::string reason;   // one line, for example "unexpected end of file in record 3"
};

struct ArchiveReadResult {
    CNameTable records;                  // every record read before the first fault
    std::optional<ArchiveFault> fault;   // empty when the whole file was read
};

// Reads the people database from its bytes. Never reads out of bounds and
// never reserves more than the remaining bytes can hold; bytes after the last
// record are ignored. The records keep a copy of the bytes.
ArchiveReadResult ReadArchive(std::string_view bytes);
// The same for the `size` bytes at `bytes`, which the records keep instead of
// a copy.
ArchiveReadResult ReadArchive(std::unique_ptr<char[]> bytes, size_t size);
