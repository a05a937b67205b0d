#include "calc/daynumber.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <random>

namespace {

struct DateRow {
    const char* name;
    int32_t year, month, day;
    int32_t expected;
};

TEST(DayNumber, KnownDates)
{
    const DateRow rows[] = {
        {"1 January of year 1", 1, 1, 1, 366},
        {"1 January 1582", 1582, 1, 1, 577814},
        {"1 January 1901", 1901, 1, 1, 694326},
        {"1 January 2000", 2000, 1, 1, 730485},
        {"29 February 2000", 2000, 2, 29, 730544},
        {"1 March 2000", 2000, 3, 1, 730545},
        {"29 February 1900 counts on to 1 March", 1900, 2, 29, 694020},
        {"1 March 1900", 1900, 3, 1, 694020},
        {"31 April 1996 counts on to 1 May", 1996, 4, 31, 729145},
        {"1 May 1996", 1996, 5, 1, 729145},
        {"1 June 1996", 1996, 6, 1, 729176},
    };
    for (const DateRow& row : rows) {
        SCOPED_TRACE(row.name);
        EXPECT_EQ(DayNumber(row.year, row.month, row.day), row.expected);
    }
}

struct DifferenceRow {
    const char* name;
    int32_t laterYear, laterMonth, laterDay;
    int32_t earlierYear, earlierMonth, earlierDay;
    int32_t days;
};

TEST(DayNumber, Differences)
{
    const DifferenceRow rows[] = {
        {"leap February 1996", 1996, 3, 1, 1996, 2, 28, 2},
        {"common February 1999", 1999, 3, 1, 1999, 2, 28, 1},
        {"century February 1900 has no 29th", 1900, 3, 1, 1900, 2, 28, 1},
        {"400-year February 2000", 2000, 3, 1, 2000, 2, 28, 2},
        {"year end 1996", 1997, 1, 1, 1996, 12, 31, 1},
        {"leap year 1996", 1997, 1, 1, 1996, 1, 1, 366},
        {"common year 1900", 1901, 1, 1, 1900, 1, 1, 365},
        {"1 January 1900 to 20 February 1982", 1982, 2, 20, 1900, 1, 1, 30000},
    };
    for (const DifferenceRow& row : rows) {
        SCOPED_TRACE(row.name);
        const int32_t later = DayNumber(row.laterYear, row.laterMonth, row.laterDay);
        const int32_t earlier = DayNumber(row.earlierYear, row.earlierMonth, row.earlierDay);
        EXPECT_EQ(later - earlier, row.days);
    }
}

bool IsGregorianLeapYear(int32_t year)
{
    return year % 4 == 0 && (year % 100 != 0 || year % 400 == 0);
}

int32_t GregorianMonthLength(int32_t year, int32_t month)
{
    static const int32_t lengths[] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
    return month == 2 && IsGregorianLeapYear(year) ? 29 : lengths[month - 1];
}

// Walks the proleptic Gregorian calendar one day at a time from 1 January of
// year 1 (day 366) and compares every date up to the end of 3999.
TEST(DayNumber, MatchesProlepticGregorianCountForYears1To3999)
{
    int32_t expected = 366;
    int32_t mismatches = 0;
    for (int32_t year = 1; year <= 3999; ++year) {
        for (int32_t month = 1; month <= 12; ++month) {
            const int32_t length = GregorianMonthLength(year, month);
            for (int32_t day = 1; day <= length; ++day, ++expected) {
                if (DayNumber(year, month, day) != expected && ++mismatches <= 10)
                    ADD_FAILURE() << year << '-' << month << '-' << day << ": "
                                  << DayNumber(year, month, day) << " != " << expected;
            }
            // The day after the last of the month counts on into the next one.
            const int32_t nextFirst = month == 12 ? DayNumber(year + 1, 1, 1)
                                                  : DayNumber(year, month + 1, 1);
            if (DayNumber(year, month, length + 1) != nextFirst && ++mismatches <= 10)
                ADD_FAILURE() << year << '-' << month << " does not count on";
        }
    }
    EXPECT_EQ(mismatches, 0);
    EXPECT_EQ(expected, DayNumber(4000, 1, 1));
}

// An integer-only model of the formula: the truncations toward zero become
// int64 divisions (which truncate toward zero too), and each 32-bit result is
// reduced mod 2^32. The doubles of the formula are exact or never land on the
// wrong side of an integer, so the model gives the same values; the final
// m <= 2 step adds a quarter and truncates once, which the model does on 4x.
int32_t Wrap(int64_t value)
{
    return static_cast<int32_t>(static_cast<uint32_t>(static_cast<uint64_t>(value)));
}

int32_t ModelDayNumber(int64_t y, int64_t m, int64_t d)
{
    if (m > 2) {
        const int64_t correction = 3 * (y / 100 + 1) / 4;
        const int64_t shortfall = (4 * m + 23) / 10;
        return Wrap(365 * y + 31 * (m - 1) + d + y / 4 - correction - shortfall);
    }
    const int64_t x = Wrap(y - 1);
    const int64_t correction = 3 * (x / 100 + 1) / 4;
    const int64_t sum = Wrap(365 * y + 31 * (m - 1) + d - correction);
    const int64_t total = (4 * sum + x) / 4;
    return total < INT32_MIN || total > INT32_MAX ? INT32_MIN : static_cast<int32_t>(total);
}

TEST(DayNumber, ExtremeInputsMatchTheWrappingModel)
{
    const int32_t values[] = {INT32_MIN, INT32_MIN + 1, -1000000000, -401, -100, -5, -4, -1, 0, 1,
                              2, 3, 4, 12, 13, 100, 2000, 1000000000, INT32_MAX - 1, INT32_MAX};
    for (int32_t year : values)
        for (int32_t month : values)
            for (int32_t day : values)
                ASSERT_EQ(DayNumber(year, month, day), ModelDayNumber(year, month, day))
                    << year << ' ' << month << ' ' << day;

    std::mt19937 random(20240601);
    std::uniform_int_distribution<int32_t> any(INT32_MIN, INT32_MAX);
    std::uniform_int_distribution<int32_t> smallMonth(-20, 20);
    for (int i = 0; i < 200000; ++i) {
        const int32_t year = any(random);
        const int32_t month = i % 2 == 0 ? any(random) : smallMonth(random);
        const int32_t day = any(random);
        ASSERT_EQ(DayNumber(year, month, day), ModelDayNumber(year, month, day))
            << year << ' ' << month << ' ' << day;
    }
}

// Values worked out separately with exact integer arithmetic reduced mod 2^32.
TEST(DayNumber, WrappedValues)
{
    const DateRow rows[] = {
        // 2147483456 + 364 - 2^32: the count passes INT32_MAX during 5879610.
        {"last day of year 5879610 wraps", 5879610, 12, 31, -2147483476},
        {"first day of year 5879610", 5879610, 1, 1, 2147483456},
        // 365y + 31(m - 1) + d wraps below zero and the added quarter of the
        // previous year takes the double total out of range.
        {"1 January 5879611 converts out of range", 5879611, 1, 1, INT32_MIN},
        {"1 March 5879611 wraps", 5879611, 3, 1, -2147483416},
        {"largest year, 31 December", INT32_MAX, 12, 31, -1626718864},
        {"smallest year, 31 December", INT32_MIN, 12, 31, 1626719227},
        {"smallest year, 1 March", INT32_MIN, 3, 1, 1626718922},
        {"largest everything", INT32_MAX, INT32_MAX, INT32_MAX, 1809254543},
        {"smallest everything", INT32_MIN, INT32_MIN, INT32_MIN, INT32_MIN},
        {"year 0, month 0, day 0 (empty fields)", 0, 0, 0, -31},
        {"1 January of year 0", 0, 1, 1, 0},
        {"1 March of year 0", 0, 3, 1, 60},
        {"1 January of year -1", -1, 1, 1, -364},
        {"1 March of year -4", -4, 3, 1, -1401},
        {"1 March of year -100", -100, 3, 1, -36465},
    };
    for (const DateRow& row : rows) {
        SCOPED_TRACE(row.name);
        EXPECT_EQ(DayNumber(row.year, row.month, row.day), row.expected);
    }
}

}  // namespace
