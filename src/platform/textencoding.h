#pragma once

#include <cstddef>
#include <cstdint>
#include <string>

// Converts `count` UTF-16 little-endian code units at `data` to the program's
// 8-bit text (UTF-8 here). Unpaired surrogates become U+FFFD.
std::string Utf16LeToUtf8(const unsigned char* data, size_t count);
