#pragma once

#include <cstdint>

// Constants of the people database's byte layout, shared by its reader and
// writer. Every multi-byte integer in the file is little-endian and unsigned.
namespace archive {

// Record count: 2 bytes, or this marker followed by the count in 4 bytes.
constexpr uint16_t kBigCountMarker = 0xFFFF;

// Class tags. A new class is the tag, a 2-byte schema, a 2-byte name length
// and the name; a reference to a class already read is 0x8000 | its index.
constexpr uint16_t kNewClassTag = 0xFFFF;
constexpr uint16_t kClassTagBit = 0x8000;
constexpr uint16_t kBigTagMarker = 0x7FFF;  // a 4-byte tag follows
constexpr uint32_t kBigClassTagBit = 0x80000000;
constexpr uint32_t kNullObjectTag = 0;

constexpr char kClassName[] = "CName";
constexpr uint16_t kClassNameLength = sizeof(kClassName) - 1;
constexpr uint16_t kSchema = 0;
constexpr uint16_t kMaxClassNameLength = 63;

// Indices start at 1: the class takes the first when it is first seen, and
// each record the next one.
constexpr uint32_t kFirstIndex = 1;

// String length prefixes: one byte below 0xFF; else 0xFF and a 2-byte length
// below 0xFFFE; else 0xFF, 0xFFFF and a 4-byte length. 0xFF 0xFFFE marks a
// wide (UTF-16LE) string, whose length in 16-bit units follows.
constexpr uint8_t kByteLengthEscape = 0xFF;
constexpr uint16_t kWideStringMarker = 0xFFFE;
constexpr uint16_t kWordLengthEscape = 0xFFFF;
constexpr uint64_t kMaxStringLength = 0xFFFFFFFF;

// The smallest record: a 2-byte class reference and four empty strings.
constexpr uint64_t kMinRecordBytes = 2 + 4 * 1;

}
