#include "calc/cycles.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstdint>

namespace {

TEST(CycleValuesAt, KnownAges)
{
    const struct {
        const char* name;
        int32_t age;
        CycleValues values;
    } rows[] = {
        {"birth day", 0, {0, 0, 0, 0}},
        {"day 1", 1, {27, 22, 19, 16}},
        {"day -1 rounds toward zero", -1, {-26, -21, -18, -15}},
        {"day 7", 7, {94, 100, 97, 92}},
        {"day 21, emotional minimum is -99", 21, {-51, -99, -75, -31}},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.name);
        EXPECT_EQ(CycleValuesAt(row.age), row.values);
    }
    // 100 * sine is -13.62 here; adding 0.5 and truncating gives -13, not -14.
    EXPECT_EQ(CycleValuesAt(12)[kPhysical], -13);
}

// The angular constants are 2 * 3.1415927 / period computed as the double
// 3.1415927 times the double 2 / period; these are those doubles exactly.
constexpr double kPhysicalStep = 0.27318197391304344;
constexpr double kEmotionalStep = 0.22439947857142856;
constexpr double kIntellectualStep = 0.19039955757575758;
constexpr double kIntuitionalStep = 0.1653469842105263;

TEST(CycleValuesAt, AngularConstantsAreExactDoubles)
{
    const double pi = 3.1415927;
    EXPECT_EQ(pi * (2.0 / 23), kPhysicalStep);
    EXPECT_EQ(pi * (2.0 / 28), kEmotionalStep);
    EXPECT_EQ(pi * (2.0 / 33), kIntellectualStep);
    EXPECT_EQ(pi * (2.0 / 38), kIntuitionalStep);
    // Not the correctly rounded 2 * pi / period.
    EXPECT_NE(2 * 3.141592653589793 / 33, kIntellectualStep);
}

int32_t ExpectedValue(double step, int32_t age)
{
    return static_cast<int32_t>(std::sin(age * step) * 100 + 0.5);
}

TEST(CycleValuesAt, UsesTheExactConstantsForEveryAge)
{
    const double steps[kCycleCount] = {kPhysicalStep, kEmotionalStep, kIntellectualStep,
                                       kIntuitionalStep};
    auto check = [&](int32_t age) {
        const CycleValues values = CycleValuesAt(age);
        for (int cycle = 0; cycle < kCycleCount; ++cycle)
            ASSERT_EQ(values[cycle], ExpectedValue(steps[cycle], age)) << age << ' ' << cycle;
    };
    for (int32_t age = -100000; age <= 100000; ++age)
        check(age);
    for (int32_t age : {INT32_MIN, INT32_MIN + 1, -1000000000, 1000000000, INT32_MAX})
        check(age);
    // Far from birth the rounded pi decides the value: 9.997 here, 10.006 with
    // the correctly rounded constant.
    EXPECT_EQ(CycleValuesAt(30013)[kIntellectual], 9);
}

TEST(CycleValuesAt, ValuesStayBetweenMinus99And100)
{
    int32_t lowest = 0;
    int32_t highest = 0;
    for (int32_t age = -200000; age <= 200000; ++age) {
        for (int32_t value : CycleValuesAt(age)) {
            lowest = std::min(lowest, value);
            highest = std::max(highest, value);
        }
    }
    EXPECT_EQ(lowest, -99);
    EXPECT_EQ(highest, 100);
}

// Worked out separately in double precision with the same constants.
TEST(CycleValuesAt, ExtremeAges)
{
    const struct {
        const char* name;
        int32_t age;
        CycleValues values;
    } rows[] = {
        {"largest age", INT32_MAX, {-56, -86, -4, 65}},
        {"smallest age", INT32_MIN, {77, 96, -13, -51}},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.name);
        EXPECT_EQ(CycleValuesAt(row.age), row.values);
    }
}

}  // namespace
