#pragma once

#include "calc/criticaldays.h"
#include "calc/cycles.h"

#include <cstdint>
#include <optional>
#include <string>

class CChart;

// What the readout tells about one day of the displayed month: its weekday
// and date, the age in days and the four cycle values that the chart draws
// for it, and the cycles that are critical on it.
class CDayReadout {
public:
    // Day `day` as the chart's last PrepareDays left it; nothing for a day
    // the displayed month does not have.
    static std::optional<CDayReadout> Read(const CChart& chart, int32_t day);
    // The day whose column holds device x `deviceX` in the last pass's
    // layout, by the rule a click follows; 0 outside every column.
    static int32_t DayUnder(const CChart& chart, int32_t deviceX);

    // "Tu 22 Dec 2026  age 20673  P 94  E -43  I 100  U -71  critical: P, I";
    // the date alone when the chart has no values for the day, and no
    // critical part on a day without critical cycles.
    std::string Text() const;

    std::string m_weekday;
    int32_t m_day{};
    std::string m_monthName;
    int32_t m_year{};
    bool m_hasValues = false;
    int32_t m_age{};
    CycleValues m_values{};
    CycleSet m_critical{};
};
