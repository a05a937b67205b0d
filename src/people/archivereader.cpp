#include "people/archivereader.h"

#include "people/archiveformat.h"
#include "people/archivelanes.h"
#include "platform/textencoding.h"

#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <cstring>
#include <vector>

using namespace archive;

namespace {
// Renders a class name from the file for a one-line message: printable ASCII
// as it stands, every other byte as \xNN.
std::string Printable(std::string_view bytes)
{
    std::string out;
    for (const char c : bytes) {
        const auto byte = static_cast<unsigned char>(c);
        if (byte >= 0x20 && byte < 0x7F && c != '\\' && c != '\'') {
            out += c;
        } else {
            char escaped[5];
            std::snprintf(escaped, sizeof escaped, "\\x%02X", byte);
            out += escaped;
        }
    }
    return out;
}

std::string Hex(uint32_t value, int digits)
{
    char text[sizeof "0xFFFFFFFF"];
    std::snprintf(text, sizeof text, "0x%0*X", digits, value);
    return text;
}
}

// Checks the bytes record by record and fills the table. The bytes are kept
// by the table it returns, so it copies no text.
class ArchiveReader {
public:
    ArchiveReader(std::unique_ptr<char[]> bytes, size_t size)
    {
        m_begin = reinterpret_cast<const unsigned char*>(bytes.get());
        m_at = m_begin;
        m_end = m_begin + size;
        m_result.records.m_bytes = std::move(bytes);
    }

    ArchiveReadResult Read();

private:
    // No 2-byte tag has this value: no class has been read yet.
    static constexpr uint32_t kNoCommonTag = 0x10000;

    // Each reader below returns false after recording the fault; reading
    // stops at the first one.
    bool Fail(uint64_t offset, std::string reason)
    {
        m_result.fault = ArchiveFault{offset, std::move(reason)};
        return false;
    }
    bool FailTruncated(const unsigned char* at)
    {
        return Fail(OffsetOf(at), "unexpected end of file in record " + std::to_string(m_recordNumber));
    }

    size_t OffsetOf(const unsigned char* at) const { return static_cast<size_t>(at - m_begin); }
    size_t Remaining() const { return static_cast<size_t>(m_end - m_at); }

    bool Read8(uint8_t& value)
    {
        if (m_at == m_end)
            return FailTruncated(m_at);
        value = *m_at++;
        return true;
    }
    bool Read16(uint16_t& value)
    {
        if (Remaining() < 2)
            return FailTruncated(m_at);
        value = static_cast<uint16_t>(m_at[0] | m_at[1] << 8);
        m_at += 2;
        return true;
    }
    bool Read32(uint32_t& value)
    {
        if (Remaining() < 4)
            return FailTruncated(m_at);
        value = static_cast<uint32_t>(m_at[0]) | static_cast<uint32_t>(m_at[1]) << 8 |
                static_cast<uint32_t>(m_at[2]) << 16 | static_cast<uint32_t>(m_at[3]) << 24;
        m_at += 4;
        return true;
    }

    bool ReadCount(uint32_t& count);
    bool ReadClass();
    bool ReadLength(uint32_t& length, bool allowWide, bool& wide);
    bool SkipString(bool& wide);
    void ConvertString(std::string& text);
    bool ReadRecord();
    // Adds a record whose mark holds `offset`.
    void AddMark(uint64_t offset)
    {
        CNameTable& table = m_result.records;
        table.m_marks.push_back(CNameTable::Mark{table.m_size++, offset});
    }
    bool IsClassIndex(uint64_t index) const
    {
        return std::binary_search(m_classIndices.begin(), m_classIndices.end(), index);
    }

    const unsigned char* m_begin = nullptr;
    const unsigned char* m_at = nullptr;
    const unsigned char* m_end = nullptr;

    ArchiveReadResult m_result;
    uint64_t m_recordNumber = 0;  // 1-based position in the count, for messages
    uint64_t m_nextIndex = kFirstIndex;
    // Indices that the class "CName" took, ascending. A file written by this
    // program defines the class once, but each new-class tag takes an index.
    std::vector<uint64_t> m_classIndices;
    // The short class reference to the first class index, once there is one.
    uint32_t m_commonTag = kNoCommonTag;
    bool m_triedLanes = false;
};

bool ArchiveReader::ReadCount(uint32_t& count)
{
    // Faults in the count are not in any record.
    const auto truncated = [this]() { return Fail(OffsetOf(m_at), "unexpected end of file in the record count"); };
    if (Remaining() < 2)
        return truncated();
    uint16_t shortCount{};
    Read16(shortCount);
    if (shortCount != kBigCountMarker) {
        count = shortCount;
        return true;
    }
    if (Remaining() < 4)
        return truncated();
    Read32(count);
    return true;
}

bool ArchiveReader::ReadClass()
{
    const unsigned char* const schemaAt = m_at;
    uint16_t schema{};
    uint16_t nameLength{};
    if (!Read16(schema))
        return false;
    const unsigned char* const lengthAt = m_at;
    if (!Read16(nameLength))
        return false;
    if (nameLength > kMaxClassNameLength)
        return Fail(OffsetOf(lengthAt), "class name of " + std::to_string(nameLength) + " bytes is too long");
    if (Remaining() < nameLength)
        return FailTruncated(m_at);
    const unsigned char* const nameAt = m_at;
    const std::string_view name(reinterpret_cast<const char*>(m_at), nameLength);
    m_at += nameLength;
    if (name != std::string_view(kClassName, kClassNameLength))
        return Fail(OffsetOf(nameAt), "unknown class '" + Printable(name) + "'");
    if (schema != kSchema)
        return Fail(OffsetOf(schemaAt), "unsupported schema " + std::to_string(schema) + " of class '" +
                                            std::string(kClassName) + "'");
    if (m_classIndices.empty() && m_nextIndex < kBigTagMarker)
        m_commonTag = kClassTagBit | static_cast<uint16_t>(m_nextIndex);
    m_classIndices.push_back(m_nextIndex++);
    return true;
}

// Reads a length prefix. After 0xFF 0xFFFE (wide) a second prefix follows in
// which 0xFFFE is an ordinary length, so a wide string cannot nest.
bool ArchiveReader::ReadLength(uint32_t& length, bool allowWide, bool& wide)
{
    uint8_t byteLength{};
    if (!Read8(byteLength))
        return false;
    if (byteLength != kByteLengthEscape) {
        length = byteLength;
        return true;
    }
    uint16_t wordLength{};
    if (!Read16(wordLength))
        return false;
    if (wordLength == kWordLengthEscape)
        return Read32(length);
    if (wordLength == kWideStringMarker && allowWide) {
        wide = true;
        bool nested{};
        return ReadLength(length, false, nested);
    }
    length = wordLength;
    return true;
}

// Checks one string and steps over it. The length is checked against what
// remains, so nothing is allocated for a length the file cannot hold.
bool ArchiveReader::SkipString(bool& wide)
{
    uint32_t length{};
    bool isWide = false;
    if (!ReadLength(length, true, isWide))
        return false;
    const uint64_t bytes = isWide ? 2 * uint64_t{length} : uint64_t{length};
    if (bytes > Remaining())
        return FailTruncated(m_at);
    m_at += bytes;
    wide = wide || isWide;
    return true;
}

// Reads a string that SkipString has already checked, converting wide text.
void ArchiveReader::ConvertString(std::string& text)
{
    uint32_t length{};
    bool wide = false;
    ReadLength(length, true, wide);
    if (wide) {
        text = Utf16LeToUtf8(m_at, length);
        m_at += 2 * size_t{length};
    } else {
        text.assign(reinterpret_cast<const char*>(m_at), length);
        m_at += length;
    }
}

// Checks the record's four strings. A record of 8-bit strings stays in the
// bytes; one with wide strings is converted now, which is rare.
bool ArchiveReader::ReadRecord()
{
    const unsigned char* const start = m_at;
    bool wide = false;
    if (!(SkipString(wide) && SkipString(wide) && SkipString(wide) && SkipString(wide)))
        return false;
    if (!wide) {
        AddMark(OffsetOf(start));
        return true;
    }
    const unsigned char* const next = m_at;
    m_at = start;
    CName record;
    ConvertString(record.m_name);
    ConvertString(record.m_year);
    ConvertString(record.m_month);
    ConvertString(record.m_day);
    m_at = next;
    AddMark(CNameTable::kConvertedBit | m_result.records.m_converted.size());
    m_result.records.m_converted.push_back(std::move(record));
    return true;
}

ArchiveReadResult ArchiveReader::Read()
{
    if (m_at == m_end) {
        Fail(0, "empty file");
        return std::move(m_result);
    }
    uint32_t count = 0;
    if (!ReadCount(count))
        return std::move(m_result);

    // Reserve only what the remaining bytes can hold, so a false count cannot
    // make a huge allocation: a mark for every kMarkEvery records, and one
    // more where each lane starts.
    const uint64_t fits = std::min<uint64_t>(count, Remaining() / kMinRecordBytes);
    CNameTable& table = m_result.records;
    table.m_marks.reserve(static_cast<size_t>(std::min(fits, fits / CNameTable::kMarkEvery + kCommonRecordLanes + 1)));

    for (uint32_t entry = 0; entry < count; ++entry) {
        // Once the class is known, records of the common form are taken in
        // one go; a large rest in lanes, once.
        if (m_commonTag != kNoCommonTag) {
            const CommonRecordsTaken taken = TakeCommonRecords(m_begin, OffsetOf(m_end), OffsetOf(m_at), m_commonTag,
                                                               count - entry, !m_triedLanes, table.m_size, table.m_marks);
            m_at = m_begin + taken.end;
            m_triedLanes = true;
            table.m_size += taken.count;
            m_nextIndex += taken.count;
            entry += static_cast<uint32_t>(taken.count);
            if (entry == count)
                break;
        }
        m_recordNumber = uint64_t{entry} + 1;
        const unsigned char* const tagAt = m_at;
        uint16_t shortTag{};
        if (!Read16(shortTag))
            break;
        uint32_t tag{};
        if (shortTag == kBigTagMarker) {
            if (!Read32(tag))
                break;
        } else {
            tag = (shortTag & kClassTagBit ? kBigClassTagBit : 0) | (shortTag & ~kClassTagBit);
        }

        if (!(tag & kBigClassTagBit)) {
            // A tag with bit 31 clear stands in place of a record for an
            // object already read, or for no object at all (0). This program
            // never writes one. Such an entry is skipped: a null object adds
            // nothing, and a record already read stays in the list once. Any
            // other index (the class's, or one not yet given out) is a fault.
            // These tags take no index of their own.
            if (tag == kNullObjectTag)
                continue;
            if (tag < m_nextIndex && !IsClassIndex(tag))
                continue;
            Fail(OffsetOf(tagAt), "object reference " + std::to_string(tag) + " in record " +
                                      std::to_string(m_recordNumber) + " does not name a record already read");
            break;
        }

        if (shortTag == kNewClassTag) {
            if (!ReadClass())
                break;
        } else if (!IsClassIndex(tag & ~kBigClassTagBit)) {
            const std::string shown = shortTag == kBigTagMarker ? Hex(tag, 8) : Hex(shortTag, 4);
            Fail(OffsetOf(tagAt), "class reference " + shown + " in record " + std::to_string(m_recordNumber) +
                                      " does not name class '" + kClassName + "'");
            break;
        }

        ++m_nextIndex;
        if (!ReadRecord())
            break;
    }
    // Bytes after the last record are ignored.
    return std::move(m_result);
}

ArchiveReadResult ReadArchive(std::string_view bytes)
{
    std::unique_ptr<char[]> copy(new char[bytes.size()]);
    if (!bytes.empty())
        std::memcpy(copy.get(), bytes.data(), bytes.size());
    return ArchiveReader(std::move(copy), bytes.size()).Read();
}

ArchiveReadResult ReadArchive(std::unique_ptr<char[]> bytes, size_t size)
{
    return ArchiveReader(std::move(bytes), size).Read();
}
