#pragma once

#include "calc/cycles.h"
#include "calc/monthlengths.h"
#include "people/namelist.h"

#include <array>
#include <cstdint>

// The data that every part of the program shares: the people, the chosen
// person, the constant month table, the current cycle values and the plot
// tables the chart fills. The application object holds exactly one.
class CAppData {
public:
    // Overwrites the current cycle values with those of day `age` of life.
    void ComputeCycles(int32_t age);
    int32_t CycleValue(Cycle cycle) const;

    CNameList m_names;
    int32_t m_chosenIndex = 0;
    const CName* m_chosenPos = nullptr;

    int32_t m_physical = 0;
    int32_t m_emotional = 0;
    int32_t m_intellectual = 0;
    int32_t m_intuitional = 0;
    // February stays 28 here in every year.
    const MonthTable m_monthDays = kMonthLengths;

    // Chart-unit height of each cycle's curve, indexed by cycle and by day 1 to 31 (entry 0 unused).
    std::array<std::array<int32_t, 32>, kCycleCount> m_plot{};
};
