#pragma once

#include "people/databasefile.h"

#include <memory>
#include <optional>
#include <string>

// Reading database.bio whole, with the stamp of the bytes read. Each platform
// has its own file: databasebytes_posix.cpp judges and reads the open handle,
// databasebytes_qt.cpp goes through QFile where there is no POSIX.

// Why a file cannot be read or replaced, in the words the load, the stamp,
// the backup and the save share.
inline constexpr const char* kDatabaseOutOfMemory = "there is not enough memory to read it";
inline constexpr const char* kDatabaseNotRegular = "it is not a regular file";
inline constexpr const char* kDatabaseIsFolder = "it is a folder, not a file";
inline constexpr const char* kDatabaseDanglingLink = "it is a symbolic link to a file that does not exist";
inline const std::string kDatabaseTooLarge =
    "it is larger than " + std::to_string(kMaxDatabaseBytes >> 30) + " GiB, far more than any list of people";

// Opens and reads the whole regular file at `path` into `bytes` (one byte
// longer than `size`), following a symbolic link; the reason on failure.
std::optional<std::string> ReadDatabaseBytes(const std::string& path, std::unique_ptr<char[]>& bytes, size_t& size,
                                             DatabaseFileStamp& stamp);
