#include "calc/monthdays.h"

#include "calc/int32math.h"
#include "calc/weekdaylabel.h"

namespace {
// Seven two-letter labels.
constexpr size_t kWeekdayTextLength = 14;
}

std::vector<MonthDay> PrepareMonthDays(const CCalendar& calendar, int32_t days, const std::string& weekdayText)
{
    std::vector<MonthDay> prepared;
    const bool haveWeekdays = weekdayText.size() >= kWeekdayTextLength;
    int32_t weekday = calendar.m_weekday;
    for (int32_t day = 1; day <= days; ++day) {
        const int32_t age = WrappingAdd(calendar.m_ageDays, day - 1);
        prepared.push_back({age, CycleValuesAt(age), haveWeekdays ? WeekdayLabel(weekdayText, weekday) : std::string()});
        weekday = WrappingAdd(weekday, 1);
    }
    return prepared;
}

bool HasDrawableDays(const CCalendar& calendar)
{
    return calendar.m_curDayNumber > 0 && calendar.m_birthDayNumber > 0;
}
