#include "calc/calendar.h"
#include "calc/daynumber.h"

#include <gtest/gtest.h>

#include <cstdint>

namespace {

struct Date {
    int32_t year, month, day;
};

int32_t Number(Date date)
{
    return DayNumber(date.year, date.month, date.day);
}

TEST(DayNumber, WorkedExamples)
{
    const struct { const char* name; Date date; int32_t number; } values[] = {
        {"1 January of year 1", {1, 1, 1}, 366},
        {"1 January 2000", {2000, 1, 1}, 730485},
        {"1 June 1996", {1996, 6, 1}, 729176},
        {"29 February 1900 counts on to 1 March", {1900, 2, 29}, 694020},
        {"31 April 1996 counts on to 1 May", {1996, 4, 31}, 729145},
    };
    for (const auto& row : values) {
        SCOPED_TRACE(row.name);
        EXPECT_EQ(Number(row.date), row.number);
    }
    const struct { const char* name; Date later, earlier; int32_t days; } differences[] = {
        {"leap February 1996", {1996, 3, 1}, {1996, 2, 28}, 2},
        {"century February 1900 has no 29th", {1900, 3, 1}, {1900, 2, 28}, 1},
        {"400-year February 2000", {2000, 3, 1}, {2000, 2, 28}, 2},
        {"1 January 1900 to 20 February 1982", {1982, 2, 20}, {1900, 1, 1}, 30000},
    };
    for (const auto& row : differences) {
        SCOPED_TRACE(row.name);
        EXPECT_EQ(Number(row.later) - Number(row.earlier), row.days);
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
    const struct { const char* name; Date date; int32_t number; } rows[] = {
        // 2147483456 + 364 - 2^32: the count passes INT32_MAX during 5879610.
        {"last day of year 5879610 wraps", {5879610, 12, 31}, -2147483476},
        // 365y + 31(m - 1) + d wraps below zero and the added quarter of the
        // previous year takes the double total out of range.
        {"1 January 5879611 converts out of range", {5879611, 1, 1}, INT32_MIN},
        {"1 March 5879611 wraps", {5879611, 3, 1}, -2147483416},
        {"largest year, 31 December", {INT32_MAX, 12, 31}, -1626718864},
        {"smallest year, 1 March", {INT32_MIN, 3, 1}, 1626718922},
        {"largest everything", {INT32_MAX, INT32_MAX, INT32_MAX}, 1809254543},
        {"smallest everything", {INT32_MIN, INT32_MIN, INT32_MIN}, INT32_MIN},
        {"year 0, month 0, day 0 (empty fields)", {0, 0, 0}, -31},
        // The quarter of year -1 is added before truncating, not after.
        {"1 January of year 0", {0, 1, 1}, 0},
        {"1 January of year -1", {-1, 1, 1}, -364},
        {"1 March of year -100", {-100, 3, 1}, -36465},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.name);
        EXPECT_EQ(Number(row.date), row.number);
    }
}

}  // namespace
