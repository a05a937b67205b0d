#pragma once

#include "calc/monthlengths.h"

#include <cstdint>

// The calendar state of the displayed month: the document owns one and runs
// ComputeMonth at the start of every drawing pass.
class CCalendar {
public:
    void InitMonthLengths();
    // The day argument is accepted and ignored: the month is always computed for its 1st.
    void SetDisplayedMonth(int32_t year, int32_t month, int32_t day);
    void SetBirthDate(int32_t year, int32_t month, int32_t day);
    void ComputeDayNumbers();
    void ComputeWeekday();
    // Arguments interleave the displayed and the birth date, in this order.
    void ComputeMonth(int32_t curYear, int32_t birthYear, int32_t curMonth, int32_t birthMonth,
                      int32_t curDay, int32_t birthDay);

    int32_t m_ageDays{};
    int32_t m_curDay{};
    int32_t m_curMonth{};
    int32_t m_curYear{};
    int32_t m_birthDay{};
    int32_t m_birthMonth{};
    int32_t m_birthYear{};
    int32_t m_weekday{};
    int32_t m_curDayNumber{};
    int32_t m_birthDayNumber{};
    MonthTable m_monthDays = kMonthLengths;
    int32_t m_monthLength = kNoMonth;
};
