// The arithmetic: month lengths, day numbers against a day-by-day Gregorian
// walk, weekdays, cycle values, critical days against a walk over the half
// periods, compatibility and decimal fields.
#include "calc/calendar.h"
#include "calc/compatibility.h"
#include "calc/criticaldays.h"
#include "calc/daynumber.h"
#include "calc/decimal.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <set>
#include <string_view>

namespace {

// February has 29 days when the year's signed remainder by 4 is 0, with no
// century rule; months outside 1 to 12 have no length. The February entry
// keeps its value while other months are shown, until the lengths are reset.
TEST(CCalendar, MonthLengths)
{
    const int32_t lengths[] = {0, 31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31, 0};
    CCalendar calendar;
    EXPECT_TRUE(calendar.m_monthLength == 999 && calendar.m_monthDays[0] == 999);  // no month computed yet
    calendar.InitMonthLengths();
    for (const int32_t year : {1996, 1999, 2000, 1900, 2100, 0, -1, -4, INT32_MAX}) {
        for (int32_t month = 0; month <= 13; ++month) {
            calendar.ComputeMonth(year, 1901, month, 1, 17, 1);
            EXPECT_EQ(calendar.m_monthLength, lengths[month] + (month == 2 && year % 4 == 0 ? 1 : 0))
                << year << "-" << month;
        }
    }
    for (const int32_t month : {INT32_MIN, INT32_MAX}) {
        calendar.ComputeMonth(1999, 1901, month, 1, 17, 1);
        EXPECT_EQ(calendar.m_monthLength, 0) << month;
    }
    calendar.ComputeMonth(2000, 1901, 2, 1, 1, 1);
    calendar.ComputeMonth(2001, 1901, 4, 1, 1, 1);
    EXPECT_EQ(calendar.m_monthDays[2], 29);
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
        {"June 1996, born on its 11th", 1996, 1996, 6, 6, 15, 11, 729176, 729186, -10, 6},
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
    // At document creation the day numbers are taken with today's day, not the 1st.
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
    // At INT32_MIN, 1 - N wraps to -INT32_MAX: -2^31 - 7 * 306783378 - 1 + 2^32.
    const struct { int32_t dayNumber, weekday; } rows[] = {
        {0, -1}, {-6, 0}, {-7, -1}, {-13, 0}, {INT32_MIN, 1}, {INT32_MIN + 1, 2}, {INT32_MAX, 0}};
    for (const auto& row : rows) {
        CCalendar calendar;
        calendar.m_curDayNumber = row.dayNumber;
        calendar.ComputeWeekday();
        EXPECT_EQ(calendar.m_weekday, row.weekday) << row.dayNumber;
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

// Walks the proleptic Gregorian calendar one day at a time from 1 January of
// year 1 (day 366) to the end of 3999: every date's day number, the day after
// each month's last counting on into the next month, and the weekday that
// ComputeWeekday gives for the day number.
TEST(DayNumber, MatchesTheProlepticGregorianCalendarForYears1To3999)
{
    ASSERT_EQ(GregorianWeekday(2000, 1, 1), 6);  // a Saturday
    static const int32_t lengths[] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
    CCalendar calendar;
    int32_t expected = 366;
    int32_t mismatches = 0;
    for (int32_t year = 1; year <= 3999; ++year) {
        const bool leap = year % 4 == 0 && (year % 100 != 0 || year % 400 == 0);
        for (int32_t month = 1; month <= 12; ++month) {
            const int32_t length = lengths[month - 1] + (month == 2 && leap ? 1 : 0);
            for (int32_t day = 1; day <= length; ++day, ++expected) {
                calendar.m_curDayNumber = DayNumber(year, month, day);
                calendar.ComputeWeekday();
                if ((calendar.m_curDayNumber != expected ||
                     calendar.m_weekday != GregorianWeekday(year, month, day)) && ++mismatches <= 10)
                    ADD_FAILURE() << year << '-' << month << '-' << day << ": " << calendar.m_curDayNumber
                                  << " != " << expected << " or weekday " << calendar.m_weekday;
            }
            if (DayNumber(year, month, length + 1) != expected && ++mismatches <= 10)
                ADD_FAILURE() << year << '-' << month << " does not count on";
        }
    }
    EXPECT_EQ(mismatches, 0);
}

// Worked out separately with exact integer arithmetic reduced mod 2^32.
TEST(DayNumber, WrapsForHugeAndNegativeInputs)
{
    // The count passes INT32_MAX during 5879610 (2147483456 + 364 - 2^32). On
    // 1 January 5879611 365y + 31(m - 1) + d wraps below zero and the added
    // quarter of the previous year takes the double total out of range. Empty
    // fields are year 0, month 0, day 0; the quarter of year -1 is added
    // before truncating, not after.
    const struct { int32_t year, month, day, number; } rows[] = {{5879610, 12, 31, -2147483476},
        {5879611, 1, 1, INT32_MIN}, {5879611, 3, 1, -2147483416}, {INT32_MAX, 12, 31, -1626718864},
        {INT32_MIN, 3, 1, 1626718922}, {INT32_MAX, INT32_MAX, INT32_MAX, 1809254543},
        {INT32_MIN, INT32_MIN, INT32_MIN, INT32_MIN}, {0, 0, 0, -31}, {0, 1, 1, 0}, {-1, 1, 1, -364},
        {-100, 3, 1, -36465}};
    for (const auto& row : rows)
        EXPECT_EQ(DayNumber(row.year, row.month, row.day), row.number) << row.year << " " << row.month;
}

// trunc(sin(age * 2 * 3.1415927 / period) * 100 + 0.5), worked out separately
// in double precision.
TEST(CycleValuesAt, WorkedExamples)
{
    // Day -1 rounds toward zero; the emotional minimum on day 21 is -99, not
    // -100; physical on day 12 is 100 * sine = -13.62: -13, not -14; on day
    // 30013 intellectual is 9.997 with the rounded pi, 10.006 with the exact one.
    const struct { int32_t age; CycleValues values; } rows[] = {
        {0, {0, 0, 0, 0}}, {-1, {-26, -21, -18, -15}}, {7, {94, 100, 97, 92}}, {21, {-51, -99, -75, -31}},
        {12, {-13, 43, 76, 92}}, {30013, {-51, -61, 9, -91}}, {INT32_MAX, {-56, -86, -4, 65}},
        {INT32_MIN, {77, 96, -13, -51}}};
    for (const auto& row : rows)
        EXPECT_EQ(CycleValuesAt(row.age), row.values) << row.age;
}

// The critical ages of one period found from the other side: walk the
// multiples k * P / 2 and take the day each one falls in, floor(k * P / 2).
std::set<int64_t> CriticalAgesByWalk(int64_t period, int64_t from, int64_t to)
{
    std::set<int64_t> ages;
    for (int64_t k = (2 * from) / period - 2; k * period <= 2 * to + 2; ++k) {
        const int64_t twice = k * period;
        const int64_t day = twice >= 0 ? twice / 2 : -((-twice + 1) / 2);  // floor(twice / 2)
        if (day >= from && day <= to)
            ages.insert(day);
    }
    return ages;
}

TEST(CriticalCycles, AgreesWithAWalkOverTheMultiplesOfHalfAPeriod)
{
    const struct { int64_t from, to; } ranges[] = {
        {-200, 200}, {0, 40000}, {INT32_MAX - 200, INT32_MAX}, {INT32_MIN, INT32_MIN + 200}};
    for (const auto& range : ranges) {
        SCOPED_TRACE(range.from);
        for (int cycle = 0; cycle < kCycleCount; ++cycle) {
            const std::set<int64_t> expected = CriticalAgesByWalk(kCyclePeriods[cycle], range.from, range.to);
            for (int64_t age = range.from; age <= range.to; ++age) {
                ASSERT_EQ(Contains(CriticalCycles(static_cast<int32_t>(age)), static_cast<Cycle>(cycle)),
                          expected.count(age) == 1)
                    << "cycle " << cycle << " age " << age;
            }
        }
    }
}

// Every row holds in both orders of the two dates.
TEST(ComputeCompatibility, WorkedExamples)
{
    const CompatibilityPercentages zero = {0, 0, 0, 0};
    const CompatibilityPercentages full = {100, 100, 100, 100};
    struct Date { int32_t year, month, day; };
    const struct { const char* name; Date first, second; int32_t searchDays; CompatibilityPercentages percentages; }
        rows[] = {
        {"D = 0", {2000, 1, 1}, {2000, 1, 1}, 31, full},
        {"D = 1", {2000, 1, 1}, {2000, 1, 2}, 31, {91, 92, 93, 95}},
        {"D = 14", {2000, 1, 1}, {2000, 1, 15}, 31, {22, 0, 15, 27}},
        {"D = 23, one physical period", {2000, 1, 1}, {2000, 1, 24}, 31, {100, 64, 39, 21}},
        {"D = 28, one emotional period", {2000, 1, 1}, {2000, 1, 29}, 28, {57, 100, 69, 48}},
        {"D = 38, one intuitional period", {2000, 1, 1}, {2000, 2, 8}, 30, {30, 28, 69, 100}},
        // With the exactly rounded pi the intellectual result would be 81.
        {"D = 30000", {1900, 1, 1}, {1982, 2, 20}, 28, {30, 14, 21, 5}},
        // A cycle that never comes near zero keeps phase 0, which scores above 99.4.
        {"no day searched", {1950, 3, 4}, {1977, 8, 9}, 0, full},
        {"negative search length", {1950, 3, 4}, {1977, 8, 9}, -5, full},
        // Empty fields convert to 0, 0, 0: day number -31.
        {"both empty, although equal", {0, 0, 0}, {0, 0, 0}, 31, zero},
        {"day number 0", {0, 1, 1}, {1953, 7, 12}, 31, zero},
        // Day numbers 1 and INT32_MAX: the days searched run past INT32_MAX
        // and wrap to the most negative ages; unwrapped, physical would be 13.
        {"search wraps past the largest age", {1, 1, -364}, {1, 1, INT32_MAX - 365}, 31, {39, 57, 3, 5}},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.name);
        const Date& a = row.first;
        const Date& b = row.second;
        EXPECT_EQ(ComputeCompatibility(a.year, a.month, a.day, b.year, b.month, b.day, row.searchDays),
                  row.percentages);
        EXPECT_EQ(ComputeCompatibility(b.year, b.month, b.day, a.year, a.month, a.day, row.searchDays),
                  row.percentages) << "swapped";
    }
    ASSERT_EQ(DayNumber(1, 1, -364), 1);
    ASSERT_EQ(DayNumber(1, 1, INT32_MAX - 365), INT32_MAX);
}

TEST(DecimalToInt, Conversions)
{
    const struct { std::string_view text; int32_t value; } rows[] = {
        {"0001", 1}, {" \t\r\n\v\f42", 42}, {"-15", -15}, {"+15", 15}, {"12abc", 12}, {"19 01", 19},
        {"", 0}, {"abc", 0}, {"-", 0}, {"- 5", 0}, {"--5", 0}, {"2147483647", INT32_MAX}, {"-2147483648", INT32_MIN},
        {"2147483648", INT32_MAX}, {"-2147483649", INT32_MIN},  // one past each end saturates
        {"99999999999999999999999999", INT32_MAX}, {"-99999999999999999999999999", INT32_MIN},
        {"00000000000000000000000000012", 12},
        {std::string_view("123456").substr(0, 3), 123},  // stops at the view's end
    };
    for (const auto& row : rows)
        EXPECT_EQ(DecimalToInt(row.text), row.value) << row.text;
}

}  // namespace
