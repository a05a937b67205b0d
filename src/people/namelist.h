#pragma once

#include "people/name.h"
#include "people/nametable.h"

#include <cstdint>
#include <memory>
#include <vector>

// The owning list of people, in file order, index 0 first. A record's address
// stays the same while it is in the list, so a `const CName*` serves as a list
// position; Contains() tells whether such a position still names a record.
//
// Records appended from a loaded file stay in the file's table until they are
// first asked for, so that a start with a million people builds only the
// records it shows. Iterating, or removing a record, takes them all.
class CNameList {
public:
    int32_t Count() const { return static_cast<int32_t>(m_records.size()); }
    bool IsEmpty() const { return m_records.empty(); }

    // The record at `index`, or nullptr when the index is outside the list.
    CName* At(int32_t index) const;
    // The index of `record`, or -1 when it is not in the list.
    int32_t IndexOf(const CName* record) const;
    bool Contains(const CName* record) const { return IndexOf(record) >= 0; }

    // Appends the record and returns its position.
    CName* Append(std::unique_ptr<CName> record);
    CName* Append(CName record) { return Append(std::make_unique<CName>(std::move(record))); }
    // Appends every record of a loaded file.
    void Append(const CNameTable& records);
    // Removes and destroys the record at `index`; false when there is none.
    bool RemoveAt(int32_t index);
    void Clear();

    auto begin() const
    {
        TakeAll();
        return m_records.cbegin();
    }
    auto end() const
    {
        TakeAll();
        return m_records.cend();
    }

private:
    void TakeAll() const;

    // A null entry is record (index - m_tableStart) of m_table, not yet taken.
    mutable std::vector<std::unique_ptr<CName>> m_records;
    mutable CNameTable m_table;
    size_t m_tableStart{};
};
