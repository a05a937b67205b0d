#include "calc/calendar.h"

#include "calc/daynumber.h"
#include "calc/int32math.h"

namespace {
// The double nearest to 1/7; it lies slightly below 1/7.
constexpr double kSeventh = 0.14285714285714285;
constexpr int32_t kDaysPerWeek = 7;
constexpr int32_t kFebruary = 2;
}

void CCalendar::InitMonthLengths()
{
    m_monthDays = kMonthLengths;
    m_monthLength = kNoMonth;
}

void CCalendar::SetDisplayedMonth(int32_t year, int32_t month, int32_t /*day*/)
{
    m_curMonth = month;
    m_curYear = year;
    m_curDay = 1;
    // Only February's entry depends on the year; it keeps its last value
    // while other months are shown.
    if (month == kFebruary)
        m_monthDays[kFebruary] = FebruaryLength(year);
}

void CCalendar::SetBirthDate(int32_t year, int32_t month, int32_t day)
{
    m_birthYear = year;
    m_birthMonth = month;
    m_birthDay = day;
}

void CCalendar::ComputeDayNumbers()
{
    m_birthDayNumber = DayNumber(m_birthYear, m_birthMonth, m_birthDay);
    m_curDayNumber = DayNumber(m_curYear, m_curMonth, m_curDay);
    m_ageDays = WrappingSub(m_curDayNumber, m_birthDayNumber);
}

void CCalendar::ComputeWeekday()
{
    // Day 1 is a Sunday. Taking the whole weeks of 1 - N (zero or negative for
    // real dates) and adding them back to N - 1 leaves (N - 1) mod 7.
    const int32_t weeks = TruncToInt32(WrappingSub(1, m_curDayNumber) * kSeventh);
    const int32_t weekday = WrappingAdd(m_curDayNumber, WrappingMul(kDaysPerWeek, weeks));
    m_weekday = WrappingSub(weekday, 1);
}

void CCalendar::ComputeMonth(int32_t curYear, int32_t birthYear, int32_t curMonth,
                             int32_t birthMonth, int32_t curDay, int32_t birthDay)
{
    SetDisplayedMonth(curYear, curMonth, curDay);
    SetBirthDate(birthYear, birthMonth, birthDay);
    ComputeDayNumbers();
    ComputeWeekday();
    m_monthLength = MonthLength(m_monthDays, m_curMonth);
}
