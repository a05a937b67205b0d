#include "people/archivewriter.h"

#include "people/archiveformat.h"

#include <algorithm>
#include <cstring>
#include <stdexcept>

using namespace archive;

namespace {
constexpr size_t kNewClassTagBytes = 2 + 2 + 2 + kClassNameLength;
constexpr size_t kClassReferenceBytes = 2;
constexpr uint16_t kFirstClassReference = kClassTagBit | kFirstIndex;

// Writes into a buffer whose exact size was computed beforehand, so no write
// needs a bounds check or a reallocation.
class Cursor {
public:
    explicit Cursor(char* at) : m_at(at) {}

    void Put8(uint8_t value) { *m_at++ = static_cast<char>(value); }
    void Put16(uint16_t value)
    {
        Put8(static_cast<uint8_t>(value));
        Put8(static_cast<uint8_t>(value >> 8));
    }
    void Put32(uint32_t value)
    {
        Put16(static_cast<uint16_t>(value));
        Put16(static_cast<uint16_t>(value >> 16));
    }
    void PutBytes(const char* data, size_t size)
    {
        if (size != 0)
            std::memcpy(m_at, data, size);
        m_at += size;
    }
    void PutString(const std::string& text)
    {
        const size_t length = text.size();
        if (length < kByteLengthEscape) {
            Put8(static_cast<uint8_t>(length));
        } else if (length < kWideStringMarker) {
            Put8(kByteLengthEscape);
            Put16(static_cast<uint16_t>(length));
        } else {
            Put8(kByteLengthEscape);
            Put16(kWordLengthEscape);
            Put32(static_cast<uint32_t>(length));
        }
        PutBytes(text.data(), length);
    }
private:
    char* m_at;
};

// The bytes one string takes: its length prefix and its text.
size_t FieldBytes(size_t length)
{
    return length + 1 + (length >= kByteLengthEscape ? 2 : 0) + (length >= kWideStringMarker ? 4 : 0);
}

// The bytes of a record's four strings. A text longer than a 4-byte length
// can say cannot be written at all.
size_t RecordFieldBytes(const CName& record)
{
    const size_t longest =
        std::max({record.m_name.size(), record.m_year.size(), record.m_month.size(), record.m_day.size()});
    if (static_cast<uint64_t>(longest) > kMaxStringLength)
        throw std::length_error("a text of the people database is longer than 4 GiB");
    return FieldBytes(record.m_name.size()) + FieldBytes(record.m_year.size()) + FieldBytes(record.m_month.size()) +
           FieldBytes(record.m_day.size());
}
}

std::string WriteArchive(const CNameList& names)
{
    const uint32_t count = static_cast<uint32_t>(names.Count());

    // Size the output exactly first. One allocation of just the bytes needed
    // costs less than growing a guess, second pass over the records and all.
    size_t total = count < kBigCountMarker ? 2 : 2 + 4;
    bool first = true;
    for (const auto& record : names) {
        total += first ? kNewClassTagBytes : kClassReferenceBytes;
        first = false;
        total += RecordFieldBytes(*record);
    }

    std::string out(total, '\0');
    Cursor cursor(out.data());
    if (count < kBigCountMarker) {
        cursor.Put16(static_cast<uint16_t>(count));
    } else {
        cursor.Put16(kBigCountMarker);
        cursor.Put32(count);
    }
    // The class is written in full before the first record and referred to by
    // its index, 1, before every later one. A record is held once in the list,
    // so no record is ever written as a back-reference.
    first = true;
    for (const auto& record : names) {
        if (first) {
            cursor.Put16(kNewClassTag);
            cursor.Put16(kSchema);
            cursor.Put16(kClassNameLength);
            cursor.PutBytes(kClassName, kClassNameLength);
            first = false;
        } else {
            cursor.Put16(kFirstClassReference);
        }
        cursor.PutString(record->m_name);
        cursor.PutString(record->m_year);
        cursor.PutString(record->m_month);
        cursor.PutString(record->m_day);
    }
    return out;
}
