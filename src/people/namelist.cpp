#include "people/namelist.h"

#include <algorithm>

CName* CNameList::At(int32_t index) const
{
    if (index < 0 || index >= Count())
        return nullptr;
    std::unique_ptr<CName>& record = m_records[static_cast<size_t>(index)];
    if (!record)
        record = std::make_unique<CName>(m_table[static_cast<size_t>(index) - m_tableStart]);
    return record.get();
}

int32_t CNameList::IndexOf(const CName* record) const
{
    if (record == nullptr)
        return -1;
    const auto found = std::find_if(m_records.begin(), m_records.end(),
                                    [record](const std::unique_ptr<CName>& held) { return held.get() == record; });
    if (found == m_records.end())
        return -1;
    return static_cast<int32_t>(found - m_records.begin());
}

CName* CNameList::Append(std::unique_ptr<CName> record)
{
    // The list never holds an empty entry: a null record is not appended.
    if (!record)
        return nullptr;
    m_records.push_back(std::move(record));
    return m_records.back().get();
}

void CNameList::Append(const CNameTable& records)
{
    TakeAll();
    m_tableStart = m_records.size();
    m_table = records;
    m_records.resize(m_tableStart + records.size());
}

bool CNameList::RemoveAt(int32_t index)
{
    if (index < 0 || index >= Count())
        return false;
    TakeAll();
    m_records.erase(m_records.begin() + index);
    return true;
}

void CNameList::Clear()
{
    m_records.clear();
    m_table = CNameTable();
}

void CNameList::TakeAll() const
{
    if (m_table.empty())
        return;
    size_t index = m_tableStart;
    for (CName record : m_table) {
        if (!m_records[index])
            m_records[index] = std::make_unique<CName>(std::move(record));
        ++index;
    }
    m_table = CNameTable();
}
