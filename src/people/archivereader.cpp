#include "people/archivereader.h"

#include "people/archiveformat.h"
#include "platform/textencoding.h"

#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <cstring>

using namespace archive;

namespace {
// The table keeps a mark at most every kMarkEvery records; finding a record
// then means stepping over fewer than that many from its mark.
constexpr uint64_t kMarkEvery = 16;

// Reading a record means following its four length prefixes one after the
// other, so a large file is read at the speed of that chain of dependent
// loads. Several chains are followed at once instead: the bytes are split
// where a run of common records suggests that a record starts, each part is
// read in its own lane, and a lane counts only when the lane before it ends
// exactly where it began. A wrong guess costs time, never a wrong result.
constexpr int kLanes = 4;
constexpr size_t kLanesMinBytes = size_t{1} << 20;
constexpr size_t kRunRecords = 8;         // common records in a row that mark a likely start
constexpr size_t kRunSearchBytes = 4096;  // how far past a split point a run is looked for
// The longest common record: a 2-byte tag and four strings of 1 + 254 bytes.
constexpr size_t kMaxCommonRecordBytes = 2 + 4 * (1 + 254);

constexpr size_t kNotFound = SIZE_MAX;
// No 2-byte tag has this value: no class has been read yet.
constexpr uint32_t kNoCommonTag = 0x10000;

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
}

// Checks the bytes record by record and fills the table's index. The bytes
// are kept by the table it returns, so it copies no text.
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
    using Mark = CNameTable::Mark;

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
    size_t Size() const { return static_cast<size_t>(m_end - m_begin); }
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

    // The end of the record starting at `at` when it has the form that every
    // record after the first has in a file this program wrote: the 2-byte
    // reference to the class and four strings with 1-byte lengths, all within
    // the file. 0 for anything else, which the general path then reads.
    size_t CommonRecordEnd(size_t at) const
    {
        const size_t size = Size();
        if (size - at < 2 || static_cast<uint32_t>(m_begin[at] | m_begin[at + 1] << 8) != m_commonTag)
            return 0;
        size_t end = at + 2;
        for (int field = 0; field < 4; ++field) {
            if (end >= size || m_begin[end] == kByteLengthEscape)
                return 0;
            end += 1 + size_t{m_begin[end]};
        }
        return end <= size ? end : 0;
    }
    bool TakeCommonRecord()
    {
        const size_t at = OffsetOf(m_at);
        const size_t end = CommonRecordEnd(at);
        if (end == 0)
            return false;
        AddRecord(at, at + 2, end);
        m_at = m_begin + end;
        ++m_nextIndex;
        return true;
    }
    size_t FindCommonRecordRun(size_t from) const;
    uint32_t TakeCommonRecordsInLanes(uint32_t limit);

    bool ReadCount(uint32_t& count);
    bool ReadClass();
    bool ReadLength(uint32_t& length, bool allowWide, bool& wide);
    bool SkipString(bool& wide);
    void ConvertString(std::string& text);
    bool ReadRecord(size_t tagAt);
    bool IsClassIndex(uint64_t index) const
    {
        return std::binary_search(m_classIndices.begin(), m_classIndices.end(), index);
    }

    // Adds a record of 8-bit strings whose tag starts at `tagAt`, its first
    // string at `stringsAt`, ending at `end`. It continues the stretch of the
    // last mark when it follows the record before it after a 2-byte tag.
    void AddRecord(size_t tagAt, size_t stringsAt, size_t end)
    {
        CNameTable& table = m_result.records;
        if (tagAt == m_stretchEnd && stringsAt == tagAt + 2 && m_stretchLength < kMarkEvery) {
            ++m_stretchLength;
        } else {
            table.m_marks.push_back(Mark{table.m_size, stringsAt});
            m_stretchLength = 1;
        }
        ++table.m_size;
        m_stretchEnd = end;
    }
    void AddConvertedRecord(CName record)
    {
        CNameTable& table = m_result.records;
        table.m_marks.push_back(Mark{table.m_size, CNameTable::kConvertedBit | table.m_converted.size()});
        table.m_converted.push_back(std::move(record));
        ++table.m_size;
        m_stretchEnd = kNotFound;
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
    // Where the last record of the current stretch ends, and its length.
    size_t m_stretchEnd = kNotFound;
    uint64_t m_stretchLength = 0;
};

bool ArchiveReader::ReadCount(uint32_t& count)
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

bool ArchiveReader::ReadClass()
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
    if (m_classIndices.empty() && m_nextIndex < kBigTagMarker)
        m_commonTag = kClassTagBit | static_cast<uint16_t>(m_nextIndex);
    m_classIndices.push_back(m_nextIndex++);
    return true;
}

// Reads a length prefix. After 0xFF 0xFFFE (wide) a second prefix follows in
// which 0xFFFE is an ordinary length, so a wide string cannot nest.
bool ArchiveReader::ReadLength(uint32_t& length, bool allowWide, bool& wide)
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

// Checks one string and steps over it. The length is checked against what
// remains, so nothing is allocated for a length the file cannot hold.
bool ArchiveReader::SkipString(bool& wide)
{
    uint32_t length = 0;
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
    uint32_t length = 0;
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
bool ArchiveReader::ReadRecord(size_t tagAt)
{
    const unsigned char* const start = m_at;
    bool wide = false;
    if (!(SkipString(wide) && SkipString(wide) && SkipString(wide) && SkipString(wide)))
        return false;
    if (!wide) {
        AddRecord(tagAt, OffsetOf(start), OffsetOf(m_at));
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
    AddConvertedRecord(std::move(record));
    return true;
}

// The first offset in [from, from + kRunSearchBytes) at which kRunRecords
// common records follow one another.
size_t ArchiveReader::FindCommonRecordRun(size_t from) const
{
    const size_t last = std::min(Size(), from + kRunSearchBytes);
    for (size_t start = from; start < last; ++start) {
        size_t at = start;
        size_t run = 0;
        while (run < kRunRecords && at < Size()) {
            const size_t end = CommonRecordEnd(at);
            if (end == 0)
                break;
            at = end;
            ++run;
        }
        if (run == kRunRecords)
            return start;
    }
    return kNotFound;
}

// Takes up to `limit` common records from the current position, reading the
// rest of the file in lanes, and returns how many it took. Lanes take only
// records of the common form, which read alike wherever they stand; the first
// record of another form ends a lane, and the general path goes on from there.
uint32_t ArchiveReader::TakeCommonRecordsInLanes(uint32_t limit)
{
    const size_t size = Size();
    size_t starts[kLanes] = {OffsetOf(m_at)};
    for (int i = 1; i < kLanes; ++i) {
        const size_t split = starts[0] + (size - starts[0]) / kLanes * static_cast<size_t>(i);
        starts[i] = FindCommonRecordRun(std::max(split, starts[i - 1] + 1));
        if (starts[i] == kNotFound)
            return 0;
    }
    size_t stops[kLanes];
    size_t at[kLanes];
    std::vector<Mark> marks[kLanes];  // record numbers counted from the lane's start
    for (int i = 0; i < kLanes; ++i) {
        stops[i] = i + 1 < kLanes ? starts[i + 1] : size;
        at[i] = starts[i];
        marks[i].reserve((stops[i] - starts[i]) / (kMinRecordBytes * kMarkEvery) + 1);
    }

    // All lanes step together while each has records before its stop and is
    // far enough from the end of the bytes that no check of the length
    // prefixes against it is needed.
    const size_t safeEnd = size > kMaxCommonRecordBytes ? size - kMaxCommonRecordBytes : 0;
    uint64_t together = 0;
    for (;; ++together) {
        bool open = together < limit;
#pragma GCC unroll 4
        for (int i = 0; i < kLanes; ++i)
            open = open && at[i] < stops[i] && at[i] <= safeEnd;
        if (!open)
            break;
        // Field by field across the lanes, without branches, so that the
        // lanes' chains of loads overlap.
        uint32_t mismatch = 0;
        size_t ends[kLanes];
#pragma GCC unroll 4
        for (int i = 0; i < kLanes; ++i) {
            mismatch |= static_cast<uint32_t>(m_begin[at[i]] | m_begin[at[i] + 1] << 8) ^ m_commonTag;
            ends[i] = at[i] + 2;
        }
#pragma GCC unroll 4
        for (int field = 0; field < 4; ++field) {
#pragma GCC unroll 4
            for (int i = 0; i < kLanes; ++i) {
                const uint32_t length = m_begin[ends[i]];
                mismatch |= length == kByteLengthEscape;
                ends[i] += 1 + length;
            }
        }
        if (mismatch != 0)
            break;
        if (together % kMarkEvery == 0) {
            for (int i = 0; i < kLanes; ++i)
                marks[i].push_back(Mark{together, at[i] + 2});
        }
#pragma GCC unroll 4
        for (int i = 0; i < kLanes; ++i)
            at[i] = ends[i];
    }
    // Then each lane goes on alone.
    uint64_t counts[kLanes];
    for (int i = 0; i < kLanes; ++i) {
        uint64_t& count = counts[i];
        for (count = together; at[i] < stops[i] && count < limit; ++count) {
            const size_t end = CommonRecordEnd(at[i]);
            if (end == 0)
                break;
            if (count % kMarkEvery == 0)
                marks[i].push_back(Mark{count, at[i] + 2});
            at[i] = end;
        }
    }

    // Lane 0 starts at a true record; each later lane counts only when the
    // one before it ended exactly at its start.
    CNameTable& table = m_result.records;
    size_t next = starts[0];
    uint64_t taken = 0;
    for (int i = 0; i < kLanes && next == starts[i] && taken < limit; ++i) {
        const uint64_t take = std::min<uint64_t>(counts[i], limit - taken);
        if (take == 0)
            break;
        for (const Mark& mark : marks[i]) {
            if (mark.record < take)
                table.m_marks.push_back(Mark{table.m_size + mark.record, mark.offset});
        }
        const Mark& last = table.m_marks.back();
        m_stretchLength = table.m_size + take - last.record;
        table.m_size += take;
        taken += take;
        if (take == counts[i]) {
            next = at[i];
        } else {
            // The lane read past the count; its last wanted record ends where
            // stepping from the last mark says.
            next = static_cast<size_t>(last.offset) - 2;
            for (uint64_t step = 0; step < m_stretchLength; ++step)
                next = CommonRecordEnd(next);
        }
    }
    if (taken > 0) {
        m_stretchEnd = next;
        m_at = m_begin + next;
        m_nextIndex += taken;
    }
    return static_cast<uint32_t>(taken);
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
    // make a huge allocation.
    const uint64_t fits = std::min<uint64_t>(count, Remaining() / kMinRecordBytes);
    m_result.records.m_marks.reserve(static_cast<size_t>(std::min(fits, fits / kMarkEvery + kLanes + 1)));

    for (uint32_t entry = 0; entry < count; ++entry) {
        // Once the class is known, a large rest is read in lanes, once.
        if (!m_triedLanes && m_commonTag != kNoCommonTag && Remaining() >= kLanesMinBytes) {
            m_triedLanes = true;
            const uint32_t taken = TakeCommonRecordsInLanes(count - entry);
            if (taken > 0) {
                entry += taken - 1;
                continue;
            }
        }
        if (TakeCommonRecord())
            continue;
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
        if (!ReadRecord(OffsetOf(tagAt)))
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
