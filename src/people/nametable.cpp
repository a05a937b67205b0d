#include "people/nametable.h"

#include "people/archiveformat.h"

#include <algorithm>

using namespace archive;

namespace {
constexpr uint64_t kClassReferenceBytes = 2;

// Reads one 8-bit string's length prefix. Only records the reader has
// checked are stored, so every prefix and text lies within the bytes.
size_t TakeLength(const unsigned char*& at)
{
    size_t length = *at++;
    if (length == kByteLengthEscape) {
        length = static_cast<size_t>(at[0] | at[1] << 8);
        at += 2;
        if (length == kWordLengthEscape) {
            length = static_cast<size_t>(static_cast<uint32_t>(at[0]) | static_cast<uint32_t>(at[1]) << 8 |
                                         static_cast<uint32_t>(at[2]) << 16 | static_cast<uint32_t>(at[3]) << 24);
            at += 4;
        }
    }
    return length;
}

std::string TakeString(const unsigned char*& at)
{
    const size_t length = TakeLength(at);
    std::string text(reinterpret_cast<const char*>(at), length);
    at += length;
    return text;
}
}

uint64_t CNameTable::SkipRecord(uint64_t offset) const
{
    const auto* const begin = reinterpret_cast<const unsigned char*>(m_bytes.get());
    const unsigned char* at = begin + offset;
    for (int field = 0; field < 4; ++field)
        at += TakeLength(at);
    return static_cast<uint64_t>(at - begin);
}

CName CNameTable::Decode(uint64_t offset) const
{
    if (offset & kConvertedBit)
        return m_converted[static_cast<size_t>(offset & ~kConvertedBit)];
    const unsigned char* at = reinterpret_cast<const unsigned char*>(m_bytes.get()) + offset;
    CName record;
    record.m_name = TakeString(at);
    record.m_year = TakeString(at);
    record.m_month = TakeString(at);
    record.m_day = TakeString(at);
    return record;
}

CName CNameTable::operator[](size_t index) const
{
    const auto after = std::upper_bound(m_marks.begin(), m_marks.end(), uint64_t{index},
                                        [](uint64_t wanted, const Mark& mark) { return wanted < mark.record; });
    const Mark& mark = *(after - 1);
    uint64_t offset = mark.offset;
    for (uint64_t skip = index - mark.record; skip > 0; --skip)
        offset = SkipRecord(offset) + kClassReferenceBytes;
    return Decode(offset);
}

CNameTable::const_iterator::const_iterator(const CNameTable* table, size_t index) : m_table(table), m_index(index)
{
    if (index == 0 && !table->m_marks.empty())
        m_offset = table->m_marks.front().offset;
}

CName CNameTable::const_iterator::operator*() const
{
    return m_table->Decode(m_offset);
}

CNameTable::const_iterator& CNameTable::const_iterator::operator++()
{
    ++m_index;
    if (m_index >= m_table->m_size)
        return *this;
    const std::vector<Mark>& marks = m_table->m_marks;
    if (m_mark + 1 < marks.size() && marks[m_mark + 1].record == m_index)
        m_offset = marks[++m_mark].offset;
    else
        m_offset = m_table->SkipRecord(m_offset) + kClassReferenceBytes;
    return *this;
}

std::vector<CName> CNameTable::ToVector() const
{
    return std::vector<CName>(begin(), end());
}
