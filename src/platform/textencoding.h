#pragma once

#include <QString>

#include <cstddef>
#include <cstdint>
#include <string>

// Converts `count` UTF-16 little-endian code units at `data` to the program's
// 8-bit text (UTF-8 here). Unpaired surrogates become U+FFFD.
std::string Utf16LeToUtf8(const unsigned char* data, size_t count);

// The program's 8-bit text as Qt text: UTF-8, or else Windows-1252, which
// older files were written in. The five bytes Windows-1252 leaves undefined
// (0x81, 0x8D, 0x8F, 0x90, 0x9D) keep their Latin-1 code points, as Windows
// maps them. Every text the chart draws or a widget shows passes here.
QString DecodeSystemText(const std::string& text);
