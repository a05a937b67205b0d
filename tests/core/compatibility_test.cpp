#include "calc/compatibility.h"
#include "calc/daynumber.h"
#include "calc/decimal.h"

#include <gtest/gtest.h>

#include <cstdint>

namespace {

struct Date {
    int32_t year, month, day;
};

CompatibilityPercentages Compare(Date first, Date second, int32_t searchDays = 31)
{
    return ComputeCompatibility(first.year, first.month, first.day, second.year, second.month,
                                second.day, searchDays);
}

TEST(ComputeCompatibility, KnownDistances)
{
    const Date base = {2000, 1, 1};
    const struct {
        const char* name;
        Date other;
        int32_t distance;
        CompatibilityPercentages percentages;
    } rows[] = {
        {"same birth date", {2000, 1, 1}, 0, {100, 100, 100, 100}},
        {"one day apart", {2000, 1, 2}, 1, {91, 92, 93, 95}},
        {"14 days apart", {2000, 1, 15}, 14, {22, 0, 15, 27}},
        {"one physical period", {2000, 1, 24}, 23, {100, 64, 39, 21}},
        {"one emotional period", {2000, 1, 29}, 28, {57, 100, 69, 48}},
        {"one intellectual period", {2000, 2, 3}, 33, {13, 64, 100, 74}},
        {"one intuitional period", {2000, 2, 8}, 38, {30, 28, 69, 100}},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.name);
        ASSERT_EQ(DayNumber(row.other.year, row.other.month, row.other.day)
                      - DayNumber(base.year, base.month, base.day),
                  row.distance);
        EXPECT_EQ(Compare(base, row.other), row.percentages);
        EXPECT_EQ(Compare(row.other, base), row.percentages) << "swapped";
        EXPECT_EQ(Compare(base, row.other, 28), row.percentages) << "28 days searched";
    }
}

// 30000 days apart the rounded pi of the angular constants decides the
// intellectual result: with the correctly rounded constant it would be 81.
TEST(ComputeCompatibility, ThirtyThousandDaysApart)
{
    const Date first = {1900, 1, 1};
    const Date second = {1982, 2, 20};
    const CompatibilityPercentages expected = {30, 14, 21, 5};
    EXPECT_EQ(Compare(first, second), expected);
    EXPECT_EQ(Compare(second, first), expected);
    EXPECT_EQ(Compare(first, second, 28), expected);
}

TEST(ComputeCompatibility, DatesWithoutPositiveDayNumbersGiveZero)
{
    const CompatibilityPercentages zero = {0, 0, 0, 0};
    // A record whose fields are empty converts to 0, 0, 0.
    const Date empty = {DecimalToInt(""), DecimalToInt(""), DecimalToInt("")};
    const Date real = {1953, 7, 12};
    const struct {
        const char* name;
        Date first, second;
    } rows[] = {
        {"empty first", empty, real},
        {"empty second", real, empty},
        {"both empty, although equal", empty, empty},
        {"year 0 (day number 0)", {0, 1, 1}, real},
        {"negative year", {-5, 6, 1}, real},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.name);
        EXPECT_EQ(Compare(row.first, row.second), zero);
    }
}

// A cycle that never comes near zero keeps phase 0, which scores above 99.4.
TEST(ComputeCompatibility, NoSearchDaysGivesFullAgreement)
{
    const CompatibilityPercentages full = {100, 100, 100, 100};
    EXPECT_EQ(Compare({1950, 3, 4}, {1977, 8, 9}, 0), full);
    EXPECT_EQ(Compare({1950, 3, 4}, {1977, 8, 9}, -5), full);
}

// Every cycle comes near zero within 23 days for real dates, so the length of
// the month searched never changes a result.
TEST(ComputeCompatibility, SearchLengthDoesNotMatterForRealDates)
{
    const Date base = {1900, 1, 1};
    for (int32_t distance = 0; distance <= 60000; distance += 7) {
        const Date other = {1900, 1, 1 + distance};
        const CompatibilityPercentages shortest = Compare(base, other, 28);
        ASSERT_EQ(Compare(base, other, 31), shortest) << distance;
        ASSERT_EQ(Compare(base, other, INT32_MAX), shortest) << distance;
        for (int32_t percentage : shortest) {
            ASSERT_GE(percentage, 0) << distance;
            ASSERT_LE(percentage, 100) << distance;
        }
    }
}

// Day numbers 1 and INT32_MAX: the days searched run past INT32_MAX and wrap
// to the most negative ages. Worked out separately in double precision with
// the ages reduced mod 2^32; without the wrap the physical result would be 13.
TEST(ComputeCompatibility, SearchWrapsPastTheLargestAge)
{
    const Date first = {1, 1, -364};
    const Date second = {1, 1, INT32_MAX - 365};
    ASSERT_EQ(DayNumber(first.year, first.month, first.day), 1);
    ASSERT_EQ(DayNumber(second.year, second.month, second.day), INT32_MAX);
    const CompatibilityPercentages expected = {39, 57, 3, 5};
    EXPECT_EQ(Compare(first, second), expected);
    EXPECT_EQ(Compare(second, first, 28), expected);
}

}  // namespace
