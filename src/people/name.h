#pragma once

#include <string>

// One person. All four fields are text as typed; the birth fields are decimal
// text ("1901", "01") and are converted to numbers only where needed.
class CName {
public:
    CName() = default;
    CName(std::string name, std::string year, std::string month, std::string day)
        : m_name(std::move(name)), m_year(std::move(year)), m_month(std::move(month)), m_day(std::move(day))
    {
    }

    bool operator==(const CName& other) const
    {
        return m_name == other.m_name && m_year == other.m_year && m_month == other.m_month && m_day == other.m_day;
    }

    std::string m_name;
    std::string m_year;
    std::string m_month;
    std::string m_day;
};
