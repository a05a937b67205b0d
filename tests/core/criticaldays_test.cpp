#include "calc/criticaldays.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <set>

namespace {

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
    const struct { const char* name; int64_t from; int64_t to; } ranges[] = {
        {"around birth", -200, 200},
        {"a long life", 0, 40000},
        {"the largest ages", INT32_MAX - 200, INT32_MAX},
        {"the smallest ages", INT32_MIN, INT32_MIN + 200},
    };
    for (const auto& range : ranges) {
        SCOPED_TRACE(range.name);
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

// Both parities of the period: an odd period's half-way point falls inside a
// day, so the day it falls in is critical and the next day is not.
TEST(CriticalCycles, HalfPeriodsOfOddAndEvenPeriods)
{
    const struct { int32_t age; CycleSet expected; } rows[] = {
        {0, 0b1111},                              // birth: every curve starts at zero
        {1, 0},
        {11, 1u << kPhysical},                    // 11.5 lies in day 11
        {12, 0},
        {14, 1u << kEmotional},                   // 14 exactly
        {16, 1u << kIntellectual},                // 16.5 lies in day 16
        {19, 1u << kIntuitional},
        {-12, 1u << kPhysical},                   // -11.5 lies in day -12
        {-1, 0},
    };
    for (const auto& row : rows)
        EXPECT_EQ(CriticalCycles(row.age), row.expected) << "age " << row.age;
}

}
