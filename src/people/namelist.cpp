#include "people/namelist.h"

#include <algorithm>

CName* CNameList::At(int32_t index) const
{
    if (index < 0 || index >= Count())
        return nullptr;
    return m_records[static_cast<size_t>(index)].get();
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

bool CNameList::RemoveAt(int32_t index)
{
    if (index < 0 || index >= Count())
        return false;
    m_records.erase(m_records.begin() + index);
    return true;
}
