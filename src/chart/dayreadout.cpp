#include "chart/dayreadout.h"

#include "calc/int32math.h"
#include "chart/chart.h"

namespace {
// Intuitional takes U, since I is Intellectual's.
constexpr const char* kCycleLetters[kCycleCount] = {"P", "E", "I", "U"};
constexpr size_t kMonthAbbreviation = 3;
constexpr int32_t kMaxDays = 31;
}

std::optional<CDayReadout> CDayReadout::Read(const CChart& chart, int32_t day)
{
    const bool inMonth = day >= 1 && day <= chart.m_dayCount && day <= kMaxDays &&
                         static_cast<size_t>(day) <= chart.m_dayLabels.size();
    const bool knownMonth = chart.m_month >= 1 && static_cast<size_t>(chart.m_month) <= chart.m_monthNames.size();
    if (!inMonth || !knownMonth)
        return std::nullopt;

    CDayReadout readout;
    readout.m_weekday = chart.m_dayLabels[static_cast<size_t>(day - 1)];
    readout.m_day = day;
    readout.m_monthName = chart.m_monthNames[static_cast<size_t>(chart.m_month - 1)].substr(0, kMonthAbbreviation);
    readout.m_year = chart.m_year;
    const CChart::DayValues& values = chart.m_dayValues[static_cast<size_t>(day)];
    if (values.valid) {
        readout.m_hasValues = true;
        readout.m_age = values.age;
        readout.m_values = values.values;
        readout.m_critical = CriticalCycles(values.age);
    }
    return readout;
}

int32_t CDayReadout::DayUnder(const CChart& chart, int32_t deviceX)
{
    const int32_t width = TruncToInt32(chart.m_dayWidth);
    if (width < 1 || chart.m_devRight <= chart.m_devLeft)
        return 0;
    // Day d covers chart x from (d - 1) * width up to but not including d * width.
    const int32_t x = chart.DeviceToWorldX(deviceX);
    const int32_t left = TruncToInt32(chart.m_worldLeft);
    if (x < left || x >= TruncToInt32(chart.m_worldRight))
        return 0;
    return (x - left) / width + 1;
}

std::string CDayReadout::Text() const
{
    std::string text = m_weekday + ' ' + std::to_string(m_day) + ' ' + m_monthName + ' ' + std::to_string(m_year);
    if (!m_hasValues)
        return text;
    text += "  age " + std::to_string(m_age);
    for (int cycle = 0; cycle < kCycleCount; ++cycle)
        text += std::string("  ") + kCycleLetters[cycle] + ' ' + std::to_string(m_values[static_cast<size_t>(cycle)]);
    std::string critical;
    for (int cycle = 0; cycle < kCycleCount; ++cycle) {
        if (Contains(m_critical, static_cast<Cycle>(cycle)))
            critical += (critical.empty() ? "" : ", ") + std::string(kCycleLetters[cycle]);
    }
    if (!critical.empty())
        text += "  critical: " + critical;
    return text;
}
