#include "calc/compatibility.h"
#include "calc/daynumber.h"

#include <gtest/gtest.h>

#include <cstdint>

namespace {

struct Date {
    int32_t year, month, day;
};

// Every row holds in both orders of the two dates.
TEST(ComputeCompatibility, WorkedExamples)
{
    const CompatibilityPercentages zero = {0, 0, 0, 0};
    const CompatibilityPercentages full = {100, 100, 100, 100};
    const struct {
        const char* name;
        Date first, second;
        int32_t searchDays;
        CompatibilityPercentages percentages;
    } rows[] = {
        {"D = 0", {2000, 1, 1}, {2000, 1, 1}, 31, full},
        {"D = 1", {2000, 1, 1}, {2000, 1, 2}, 31, {91, 92, 93, 95}},
        {"D = 14", {2000, 1, 1}, {2000, 1, 15}, 31, {22, 0, 15, 27}},
        {"D = 23, one physical period", {2000, 1, 1}, {2000, 1, 24}, 31, {100, 64, 39, 21}},
        {"D = 28, one emotional period", {2000, 1, 1}, {2000, 1, 29}, 28, {57, 100, 69, 48}},
        {"D = 33, one intellectual period", {2000, 1, 1}, {2000, 2, 3}, 31, {13, 64, 100, 74}},
        {"D = 38, one intuitional period", {2000, 1, 1}, {2000, 2, 8}, 30, {30, 28, 69, 100}},
        // With the exactly rounded pi the intellectual result would be 81.
        {"D = 30000", {1900, 1, 1}, {1982, 2, 20}, 28, {30, 14, 21, 5}},
        // A cycle that never comes near zero keeps phase 0, which scores above 99.4.
        {"no day searched", {1950, 3, 4}, {1977, 8, 9}, 0, full},
        {"negative search length", {1950, 3, 4}, {1977, 8, 9}, -5, full},
        // Empty fields convert to 0, 0, 0: day number -31.
        {"empty date", {0, 0, 0}, {1953, 7, 12}, 31, zero},
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

}  // namespace
