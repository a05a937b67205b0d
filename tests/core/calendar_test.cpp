#include "calc/calendar.h"

#include <gtest/gtest.h>

#include <cstdint>

namespace {

// February has 29 days when the year's signed remainder by 4 is 0; there is
// no century rule. Months outside 1 to 12 have no length.
TEST(CCalendar, MonthLengths)
{
    const struct { const char* name; int32_t year, month, length; } rows[] = {
        {"February 1996", 1996, 2, 29},   {"February 1999", 1999, 2, 28},
        {"February 2000", 2000, 2, 29},   {"February 1900", 1900, 2, 29},
        {"February 2100", 2100, 2, 29},   {"February of year 0", 0, 2, 29},
        {"February of year -1", -1, 2, 28}, {"February of year -4", -4, 2, 29},
        {"February of the largest year", INT32_MAX, 2, 28},
        {"January", 1999, 1, 31},         {"April", 1999, 4, 30},
        {"September", 1999, 9, 30},       {"December", 1999, 12, 31},
        {"month 0", 1999, 0, 0},          {"month 13", 1999, 13, 0},
        {"smallest month", 1999, INT32_MIN, 0}, {"largest month", 1999, INT32_MAX, 0},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.name);
        CCalendar calendar;
        calendar.InitMonthLengths();
        calendar.ComputeMonth(row.year, 1901, row.month, 1, 17, 1);
        EXPECT_EQ(calendar.m_monthLength, row.length);
    }
}

TEST(CCalendar, FebruaryEntryKeepsItsValueWhileOtherMonthsAreShown)
{
    CCalendar calendar;
    calendar.InitMonthLengths();
    calendar.ComputeMonth(2000, 1901, 2, 1, 1, 1);
    calendar.ComputeMonth(2001, 1901, 4, 1, 1, 1);
    EXPECT_EQ(calendar.m_monthDays[2], 29);
    EXPECT_EQ(calendar.m_monthLength, 30);
    calendar.ComputeMonth(2001, 1901, 2, 1, 1, 1);
    EXPECT_EQ(calendar.m_monthLength, 28);
    calendar.ComputeMonth(2000, 1901, 2, 1, 1, 1);
    calendar.InitMonthLengths();
    EXPECT_EQ(calendar.m_monthDays[2], 28);
}

// The arguments interleave the displayed and the birth date; the displayed
// day is ignored, the month is computed for its 1st. The wrapped day numbers
// were worked out separately with exact integer arithmetic mod 2^32.
TEST(CCalendar, ComputeMonth)
{
    const struct {
        const char* name;
        int32_t curYear, birthYear, curMonth, birthMonth, curDay, birthDay;
        int32_t curDayNumber, birthDayNumber, ageDays, weekday;
    } rows[] = {
        {"June 1996, born on its 1st", 1996, 1996, 6, 6, 15, 1, 729176, 729176, 0, 6},
        {"June 1996, born on its 11th", 1996, 1996, 6, 6, 15, 11, 729176, 729186, -10, 6},
        {"January 2000 begins on a Saturday", 2000, 1901, 1, 1, 17, 1, 730485, 694326, 36159, 6},
        {"March 1996 begins on a Friday", 1996, 1996, 3, 2, 31, 29, 729084, 729083, 1, 5},
        // 1 January of the smallest year converts out of range (INT32_MIN).
        {"largest year against smallest", INT32_MAX, INT32_MIN, 12, 1, 9, 1, -1626718894, INT32_MIN, 520764754, -4},
        // 1626719197 + 1626718864 passes INT32_MAX and wraps.
        {"smallest year against largest", INT32_MIN, INT32_MAX, 12, 12, 9, 31, 1626719197, -1626718864, -1041529235,
         4},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.name);
        CCalendar calendar;
        calendar.InitMonthLengths();
        calendar.ComputeMonth(row.curYear, row.birthYear, row.curMonth, row.birthMonth, row.curDay, row.birthDay);
        EXPECT_EQ(calendar.m_curDay, 1);
        EXPECT_EQ(calendar.m_curDayNumber, row.curDayNumber);
        EXPECT_EQ(calendar.m_birthDayNumber, row.birthDayNumber);
        EXPECT_EQ(calendar.m_ageDays, row.ageDays);
        EXPECT_EQ(calendar.m_weekday, row.weekday);
    }
}

// At document creation the day numbers are taken with today's day, not the 1st.
TEST(CCalendar, ComputeDayNumbersUsesTheCurrentDay)
{
    CCalendar calendar;
    calendar.m_curYear = 2000;
    calendar.m_curMonth = 3;
    calendar.m_curDay = 2;
    calendar.SetBirthDate(2000, 2, 28);
    calendar.ComputeDayNumbers();
    EXPECT_EQ(calendar.m_ageDays, 3);
}

// Day 1 is a Sunday. Day numbers of 0 or less, and the ends of the range,
// give (N - 1) + 7 * trunc((1 - N) / 7) mod 2^32.
TEST(CCalendar, WeekdayOfZeroNegativeAndExtremeDayNumbers)
{
    const struct { const char* name; int32_t dayNumber, weekday; } rows[] = {
        {"day 1", 1, 0}, {"day 0", 0, -1}, {"day -6", -6, 0}, {"day -7", -7, -1}, {"day -13", -13, 0},
        // 1 - INT32_MIN wraps to -INT32_MAX; -2^31 - 7 * 306783378 - 1 + 2^32.
        {"smallest day number", INT32_MIN, 1},
        {"smallest day number + 1", INT32_MIN + 1, 2},
        {"largest day number", INT32_MAX, 0},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.name);
        CCalendar calendar;
        calendar.m_curDayNumber = row.dayNumber;
        calendar.ComputeWeekday();
        EXPECT_EQ(calendar.m_weekday, row.weekday);
    }
}

}  // namespace
