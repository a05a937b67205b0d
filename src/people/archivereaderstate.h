#pragma once

// The database reader's state, shared by archivereader.cpp, which reads
// record by record, and archivelanes.cpp, which reads the common records of
// a large file in several lanes at once.

#include "people/archiveformat.h"
#include "people/archivereader.h"

#include <algorithm>
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

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

    // The table keeps a mark at most every kMarkEvery records; finding a record
    // then means stepping over fewer than that many from its mark.
    static constexpr uint64_t kMarkEvery = 16;

    static constexpr size_t kNotFound = SIZE_MAX;
    // No 2-byte tag has this value: no class has been read yet.
    static constexpr uint32_t kNoCommonTag = 0x10000;

    // Files from this size on are read in lanes (archivelanes.cpp).
    static constexpr size_t kLanesMinBytes = size_t{1} << 20;
    static constexpr int kLanes = 4;

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
            if (end >= size || m_begin[end] == archive::kByteLengthEscape)
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
    uint64_t m_nextIndex = archive::kFirstIndex;
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
