#pragma once

#include "calc/monthlengths.h"
#include "people/namelist.h"

#include <cstdint>

// The data that every part of the program shares: the people, the chosen
// person and the constant month table. The application object holds exactly
// one.
class CAppData {
public:
    CNameList m_names;
    int32_t m_chosenIndex = 0;
    const CName* m_chosenPos = nullptr;

    // February stays 28 here in every year.
    const MonthTable m_monthDays = kMonthLengths;
};
