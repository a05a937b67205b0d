#include "calc/calendar.h"
#include "calc/daynumber.h"
#include "calc/monthlengths.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <random>

namespace {

CCalendar NewCalendar()
{
    CCalendar calendar;
    calendar.InitMonthLengths();
    return calendar;
}

int32_t WeekdayOf(int32_t dayNumber)
{
    CCalendar calendar = NewCalendar();
    calendar.m_curDayNumber = dayNumber;
    calendar.ComputeWeekday();
    return calendar.m_weekday;
}

TEST(MonthLengths, FebruaryBySignedRemainderWithoutCenturyRule)
{
    const struct {
        const char* name;
        int32_t year;
        int32_t length;
    } rows[] = {
        {"1996", 1996, 29}, {"1999", 1999, 28}, {"2000", 2000, 29},
        {"1700", 1700, 29}, {"1900", 1900, 29}, {"2100", 2100, 29},
        {"year 0", 0, 29},  {"year -1", -1, 28}, {"year -3", -3, 28},
        {"year -4", -4, 29}, {"smallest year", INT32_MIN, 29}, {"largest year", INT32_MAX, 28},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.name);
        EXPECT_EQ(FebruaryLength(row.year), row.length);
    }
}

TEST(MonthLengths, TableLookupAndMonthsOutsideTheYear)
{
    const int32_t expected[] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
    for (int32_t month = 1; month <= 12; ++month)
        EXPECT_EQ(MonthLength(kMonthLengths, month), expected[month - 1]) << month;
    EXPECT_EQ(kMonthLengths[0], 999);
    for (int32_t month : {0, 13, -1, 100, INT32_MIN, INT32_MAX})
        EXPECT_EQ(MonthLength(kMonthLengths, month), 0) << month;
}

TEST(CCalendar, InitMonthLengthsRestoresTheTable)
{
    CCalendar calendar;
    calendar.ComputeMonth(2000, 1990, 2, 5, 1, 1);
    ASSERT_EQ(calendar.m_monthDays[2], 29);
    calendar.InitMonthLengths();
    const MonthTable expected = {999, 31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
    EXPECT_EQ(calendar.m_monthDays, expected);
    EXPECT_EQ(calendar.m_monthLength, 999);
}

TEST(CCalendar, SetDisplayedMonthIgnoresTheDayAndTouchesOnlyFebruary)
{
    CCalendar calendar = NewCalendar();
    calendar.SetDisplayedMonth(1999, 7, 23);
    EXPECT_EQ(calendar.m_curYear, 1999);
    EXPECT_EQ(calendar.m_curMonth, 7);
    EXPECT_EQ(calendar.m_curDay, 1);
    EXPECT_EQ(calendar.m_monthDays, kMonthLengths);

    calendar.SetDisplayedMonth(1996, 2, 15);
    EXPECT_EQ(calendar.m_monthDays[2], 29);
    calendar.SetDisplayedMonth(1997, 2, 15);
    EXPECT_EQ(calendar.m_monthDays[2], 28);
}

// At document creation the day numbers are taken with today's day, not the 1st.
TEST(CCalendar, ComputeDayNumbersUsesTheCurrentDay)
{
    CCalendar calendar = NewCalendar();
    calendar.m_curYear = 2000;
    calendar.m_curMonth = 3;
    calendar.m_curDay = 1;
    calendar.SetBirthDate(2000, 2, 28);
    calendar.ComputeDayNumbers();
    EXPECT_EQ(calendar.m_curDayNumber, 730545);
    EXPECT_EQ(calendar.m_birthDayNumber, 730543);
    EXPECT_EQ(calendar.m_ageDays, 2);
}

TEST(CCalendar, MonthLengths)
{
    const struct {
        const char* name;
        int32_t year, month;
        int32_t length;
    } rows[] = {
        {"February 2000", 2000, 2, 29}, {"February 1996", 1996, 2, 29},
        {"February 1999", 1999, 2, 28}, {"February 1900", 1900, 2, 29},
        {"February 2100", 2100, 2, 29}, {"January 1999", 1999, 1, 31},
        {"April 1999", 1999, 4, 30},    {"June 1999", 1999, 6, 30},
        {"September 1999", 1999, 9, 30}, {"November 1999", 1999, 11, 30},
        {"December 1999", 1999, 12, 31},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.name);
        CCalendar calendar = NewCalendar();
        calendar.ComputeMonth(row.year, 1901, row.month, 1, 1, 1);
        EXPECT_EQ(calendar.m_monthLength, row.length);
    }
}

TEST(CCalendar, FebruaryEntryKeepsItsValueWhileOtherMonthsAreShown)
{
    CCalendar calendar = NewCalendar();
    calendar.ComputeMonth(2000, 1901, 2, 1, 1, 1);
    calendar.ComputeMonth(2000, 1901, 3, 1, 1, 1);
    calendar.ComputeMonth(2001, 1901, 4, 1, 1, 1);
    EXPECT_EQ(calendar.m_monthDays[2], 29);
    EXPECT_EQ(calendar.m_monthLength, 30);
    calendar.ComputeMonth(2001, 1901, 2, 1, 1, 1);
    EXPECT_EQ(calendar.m_monthDays[2], 28);
}

TEST(CCalendar, WeekdayOfTheFirst)
{
    const struct {
        const char* name;
        int32_t year, month;
        int32_t weekday;
    } rows[] = {
        {"January 2000 is a Saturday", 2000, 1, 6},
        {"March 1996 is a Friday", 1996, 3, 5},
        {"January 1901 is a Tuesday", 1901, 1, 2},
        {"June 1996 is a Saturday", 1996, 6, 6},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.name);
        CCalendar calendar = NewCalendar();
        calendar.ComputeMonth(row.year, 1901, row.month, 1, 17, 1);
        EXPECT_EQ(calendar.m_weekday, row.weekday);
    }
}

TEST(CCalendar, ComputeMonthForJune1996)
{
    CCalendar calendar = NewCalendar();
    calendar.ComputeMonth(1996, 1996, 6, 6, 15, 1);
    EXPECT_EQ(calendar.m_curDay, 1);
    EXPECT_EQ(calendar.m_curDayNumber, 729176);
    EXPECT_EQ(calendar.m_birthDayNumber, 729176);
    EXPECT_EQ(calendar.m_ageDays, 0);
    EXPECT_EQ(calendar.m_weekday, 6);
    EXPECT_EQ(calendar.m_monthLength, 30);

    calendar.ComputeMonth(1996, 1996, 6, 6, 15, 11);
    EXPECT_EQ(calendar.m_ageDays, -10);
}

TEST(CCalendar, DisplayedDayNeverChangesTheResult)
{
    CCalendar reference = NewCalendar();
    reference.ComputeMonth(1982, 1953, 2, 7, 1, 12);
    for (int32_t day : {0, 2, 15, 28, 31, 32, -1, INT32_MIN, INT32_MAX}) {
        SCOPED_TRACE(day);
        CCalendar calendar = NewCalendar();
        calendar.ComputeMonth(1982, 1953, 2, 7, day, 12);
        EXPECT_EQ(calendar.m_curDay, 1);
        EXPECT_EQ(calendar.m_curDayNumber, reference.m_curDayNumber);
        EXPECT_EQ(calendar.m_birthDayNumber, reference.m_birthDayNumber);
        EXPECT_EQ(calendar.m_ageDays, reference.m_ageDays);
        EXPECT_EQ(calendar.m_weekday, reference.m_weekday);
        EXPECT_EQ(calendar.m_monthLength, reference.m_monthLength);
        EXPECT_EQ(calendar.m_monthDays, reference.m_monthDays);
    }
}

// Sakamoto's weekday method for the Gregorian calendar, 0 = Sunday.
int32_t GregorianWeekday(int32_t year, int32_t month, int32_t day)
{
    static const int32_t offsets[] = {0, 3, 2, 5, 0, 3, 5, 1, 4, 6, 2, 4};
    if (month < 3)
        year -= 1;
    return (year + year / 4 - year / 100 + year / 400 + offsets[month - 1] + day) % 7;
}

TEST(CCalendar, WeekdayMatchesGregorianCalendarForYears1To3999)
{
    ASSERT_EQ(GregorianWeekday(2000, 1, 1), 6);  // a Saturday
    static const int32_t lengths[] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
    int32_t mismatches = 0;
    for (int32_t year = 1; year <= 3999; ++year) {
        const bool leap = year % 4 == 0 && (year % 100 != 0 || year % 400 == 0);
        for (int32_t month = 1; month <= 12; ++month) {
            const int32_t length = lengths[month - 1] + (month == 2 && leap ? 1 : 0);
            for (int32_t day = 1; day <= length; ++day) {
                const int32_t weekday = WeekdayOf(DayNumber(year, month, day));
                if (weekday != GregorianWeekday(year, month, day) && ++mismatches <= 10)
                    ADD_FAILURE() << year << '-' << month << '-' << day << ": " << weekday;
            }
        }
    }
    EXPECT_EQ(mismatches, 0);
}

int32_t Wrap(int64_t value)
{
    return static_cast<int32_t>(static_cast<uint32_t>(static_cast<uint64_t>(value)));
}

// The weekday steps in integers: the constant lies below 1/7 by so little that
// (1 - N) times it never falls below an integer that (1 - N) / 7 reaches, so
// the quotient is the int64 division truncating toward zero.
int32_t ModelWeekday(int32_t dayNumber)
{
    const int64_t weeks = Wrap(int64_t{1} - dayNumber) / 7;
    return Wrap(int64_t{dayNumber} + 7 * weeks - 1);
}

TEST(CCalendar, WeekdayOfZeroAndNegativeDayNumbers)
{
    const struct {
        const char* name;
        int32_t dayNumber;
        int32_t weekday;
    } rows[] = {
        {"day 1 is a Sunday", 1, 0},
        {"day 0", 0, -1},
        {"day -6", -6, 0},
        {"day -7", -7, -1},
        {"day -13", -13, 0},
        // 1 - INT32_MIN wraps to -INT32_MAX; -2^31 - 7 * 306783378 - 1 + 2^32.
        {"smallest day number", INT32_MIN, 1},
        {"smallest day number + 1", INT32_MIN + 1, 2},
        {"largest day number", INT32_MAX, 0},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.name);
        EXPECT_EQ(WeekdayOf(row.dayNumber), row.weekday);
    }
    for (int32_t n = -100000; n <= 100000; ++n)
        ASSERT_EQ(WeekdayOf(n), ModelWeekday(n)) << n;
    std::mt19937 random(7);
    std::uniform_int_distribution<int32_t> any(INT32_MIN, INT32_MAX);
    for (int i = 0; i < 200000; ++i) {
        const int32_t n = any(random);
        ASSERT_EQ(WeekdayOf(n), ModelWeekday(n)) << n;
    }
}

TEST(CCalendar, ExtremeDatesWrapAndNeverLeaveTheTable)
{
    const int32_t values[] = {INT32_MIN, -13, -1, 0, 1, 2, 12, 13, INT32_MAX};
    for (int32_t year : values) {
        for (int32_t month : values) {
            for (int32_t day : values) {
                CCalendar calendar = NewCalendar();
                calendar.ComputeMonth(year, day, month, year, day, month);
                const int32_t cur = DayNumber(year, month, 1);
                const int32_t birth = DayNumber(day, year, month);
                ASSERT_EQ(calendar.m_curDayNumber, cur);
                ASSERT_EQ(calendar.m_birthDayNumber, birth);
                ASSERT_EQ(calendar.m_ageDays, Wrap(int64_t{cur} - birth));
                ASSERT_EQ(calendar.m_weekday, ModelWeekday(cur));
                const bool inYear = month >= 1 && month <= 12;
                ASSERT_EQ(calendar.m_monthLength, inYear ? calendar.m_monthDays[month] : 0);
            }
        }
    }
}

TEST(CCalendar, AgeWrapsAcrossTheWholeRange)
{
    // Values worked out separately with exact integer arithmetic mod 2^32.
    const struct {
        const char* name;
        int32_t curYear, curMonth, birthYear, birthMonth, birthDay;
        int32_t curDayNumber, birthDayNumber, ageDays;
    } rows[] = {
        // 1 January of the smallest year converts out of range (INT32_MIN).
        {"largest year against smallest", INT32_MAX, 12, INT32_MIN, 1, 1,
         -1626718894, INT32_MIN, 520764754},
        // 1626719197 + 1626718864 passes INT32_MAX and wraps.
        {"smallest year against largest", INT32_MIN, 12, INT32_MAX, 12, 31,
         1626719197, -1626718864, -1041529235},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.name);
        CCalendar calendar = NewCalendar();
        calendar.ComputeMonth(row.curYear, row.birthYear, row.curMonth, row.birthMonth, 9,
                              row.birthDay);
        EXPECT_EQ(calendar.m_curDayNumber, row.curDayNumber);
        EXPECT_EQ(calendar.m_birthDayNumber, row.birthDayNumber);
        EXPECT_EQ(calendar.m_ageDays, row.ageDays);
        EXPECT_EQ(calendar.m_monthLength, 31);
    }
}

}  // namespace
