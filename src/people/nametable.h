#pragma once

#include "people/name.h"

#include <cstddef>
#include <cstdint>
#include <iterator>
#include <memory>
#include <string>
#include <vector>

class ArchiveReader;

// The people read from a database file, held compactly: the file's bytes and
// a sparse index into them. A record becomes a CName only when it is asked
// for, so loading a large file costs little more than reading its bytes.
// Read-only; only the database reader fills it, after checking every record.
class CNameTable {
public:
    // Marks the first record of a stretch: its index and the offset of its
    // first string's length prefix. The records up to the next mark follow
    // one another in the bytes, each after a 2-byte class reference, all with
    // 8-bit strings. A record converted from wide strings has a mark of its
    // own whose offset holds kConvertedBit and its index in m_converted.
    struct Mark {
        uint64_t record{};
        uint64_t offset{};
    };
    // A stretch holds at most this many records, so that finding a record
    // steps over fewer than that many from its mark.
    static constexpr uint64_t kMarkEvery = 16;

    class const_iterator {
    public:
        using iterator_category = std::input_iterator_tag;
        using value_type = CName;
        using difference_type = std::ptrdiff_t;
        using pointer = void;
        using reference = CName;

        const_iterator() = default;
        CName operator*() const;
        const_iterator& operator++();
        const_iterator operator++(int)
        {
            const const_iterator before = *this;
            ++*this;
            return before;
        }
        bool operator==(const const_iterator& other) const { return m_index == other.m_index; }
        bool operator!=(const const_iterator& other) const { return m_index != other.m_index; }

    private:
        friend class CNameTable;
        const_iterator(const CNameTable* table, size_t index);
        const CNameTable* m_table = nullptr;
        size_t m_index{};
        size_t m_mark = 0;     // the mark of the stretch that holds m_index
        uint64_t m_offset{};  // the mark's offset, or where record m_index starts; set before it is read
    };

    size_t size() const { return m_size; }
    bool empty() const { return m_size == 0; }
    // Marks room has been reserved for; it never exceeds what the bytes can hold.
    size_t capacity() const { return m_marks.capacity(); }

    // The record at `index`, which must be below size().
    CName operator[](size_t index) const;
    CName front() const { return (*this)[0]; }
    CName back() const { return (*this)[size() - 1]; }

    const_iterator begin() const { return const_iterator(this, 0); }
    const_iterator end() const { return const_iterator(this, size()); }

    std::vector<CName> ToVector() const;

private:
    friend class ArchiveReader;
    static constexpr uint64_t kConvertedBit = uint64_t{1} << 63;

    // The offset just past the strings of the record whose first string
    // starts at `offset`.
    uint64_t SkipRecord(uint64_t offset) const;
    CName Decode(uint64_t offset) const;

    // The file's bytes, shared by copies of the table; they never change.
    std::shared_ptr<const char[]> m_bytes;
    std::vector<Mark> m_marks;
    std::vector<CName> m_converted;
    size_t m_size = 0;
};
