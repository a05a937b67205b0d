#include "people/archivereader.h"

#include "people/archiveformat.h"
#include "platform/textencoding.h"

#include <algorithm>
#include <cstdio>

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
    char text[16];
    std::snprintf(text, sizeof text, "0x%0*X", digits, value);
    return text;
}

class Reader {
public:
    explicit Reader(std::string_view bytes)
        : m_begin(reinterpret_cast<const unsigned char*>(bytes.data())), m_at(m_begin), m_end(m_begin + bytes.size())
    {
    }

    ArchiveReadResult Read();

private:
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

    uint64_t OffsetOf(const unsigned char* at) const { return static_cast<uint64_t>(at - m_begin); }
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
    bool ReadString(std::string& text);
    bool ReadRecord(CName& record);
    bool IsClassIndex(uint64_t index) const
    {
        return std::binary_search(m_classIndices.begin(), m_classIndices.end(), index);
    }

    const unsigned char* const m_begin;
    const unsigned char* m_at;
    const unsigned char* const m_end;

    ArchiveReadResult m_result;
    uint64_t m_recordNumber = 0;  // 1-based position in the count, for messages
    uint64_t m_nextIndex = kFirstIndex;
    // Indices that the class "CName" took, ascending. A file written by this
    // program defines the class once, but each new-class tag takes an index.
    std::vector<uint64_t> m_classIndices;
};

bool Reader::ReadCount(uint32_t& count)
{
    // Faults in the count are not in any record.
    const auto truncated = [this]() { return Fail(OffsetOf(m_at), "unexpected end of file in the record count"); };
    if (Remaining() < 2)
        return truncated();
    uint16_t shortCount = 0;
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

bool Reader::ReadClass()
{
    const unsigned char* const schemaAt = m_at;
    uint16_t schema = 0;
    uint16_t nameLength = 0;
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
    m_classIndices.push_back(m_nextIndex++);
    return true;
}

// Reads a length prefix. After 0xFF 0xFFFE (wide) a second prefix follows in
// which 0xFFFE is an ordinary length, so a wide string cannot nest.
bool Reader::ReadLength(uint32_t& length, bool allowWide, bool& wide)
{
    uint8_t byteLength = 0;
    if (!Read8(byteLength))
        return false;
    if (byteLength != kByteLengthEscape) {
        length = byteLength;
        return true;
    }
    uint16_t wordLength = 0;
    if (!Read16(wordLength))
        return false;
    if (wordLength == kWordLengthEscape)
        return Read32(length);
    if (wordLength == kWideStringMarker && allowWide) {
        wide = true;
        bool nested = false;
        return ReadLength(length, false, nested);
    }
    length = wordLength;
    return true;
}

bool Reader::ReadString(std::string& text)
{
    uint32_t length = 0;
    bool wide = false;
    if (!ReadLength(length, true, wide))
        return false;
    // The length is checked against what remains before any allocation.
    const uint64_t bytes = wide ? 2 * uint64_t{length} : uint64_t{length};
    if (bytes > Remaining())
        return FailTruncated(m_at);
    if (wide)
        text = Utf16LeToUtf8(m_at, length);
    else
        text.assign(reinterpret_cast<const char*>(m_at), length);
    m_at += bytes;
    return true;
}

bool Reader::ReadRecord(CName& record)
{
    return ReadString(record.m_name) && ReadString(record.m_year) && ReadString(record.m_month) &&
           ReadString(record.m_day);
}

ArchiveReadResult Reader::Read()
{
    if (m_at == m_end) {
        Fail(0, "empty file");
        return std::move(m_result);
    }
    uint32_t count = 0;
    if (!ReadCount(count))
        return std::move(m_result);

    // Reserve only what the remaining bytes can hold, so a false count cannot
    // make a huge allocation.
    std::vector<CName>& records = m_result.records;
    records.reserve(static_cast<size_t>(std::min<uint64_t>(count, Remaining() / kMinRecordBytes)));

    for (uint32_t entry = 0; entry < count; ++entry) {
        m_recordNumber = uint64_t{entry} + 1;
        const unsigned char* const tagAt = m_at;
        uint16_t shortTag = 0;
        if (!Read16(shortTag))
            break;
        uint32_t tag = 0;
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
        CName record;
        if (!ReadRecord(record))
            break;
        records.push_back(std::move(record));
    }
    // Bytes after the last record are ignored.
    return std::move(m_result);
}

}

ArchiveReadResult ReadArchive(std::string_view bytes)
{
    return Reader(bytes).Read();
}
