#include "calc/cycles.h"

#include <gtest/gtest.h>

#include <cstdint>

namespace {

// trunc(sin(age * 2 * 3.1415927 / period) * 100 + 0.5), worked out separately
// in double precision.
TEST(CycleValuesAt, WorkedExamples)
{
    const struct { const char* name; int32_t age; CycleValues values; } rows[] = {
        {"birth day", 0, {0, 0, 0, 0}},
        {"day 1", 1, {27, 22, 19, 16}},
        {"day -1 rounds toward zero", -1, {-26, -21, -18, -15}},
        {"day 7, emotional maximum", 7, {94, 100, 97, 92}},
        {"day 21, emotional minimum is -99, not -100", 21, {-51, -99, -75, -31}},
        // Physical is 100 * sine = -13.62 here: -13, not -14.
        {"day 12", 12, {-13, 43, 76, 92}},
        // Intellectual is 9.997 with the rounded pi, 10.006 with the exact one.
        {"day 30013, where the rounded pi decides", 30013, {-51, -61, 9, -91}},
        {"largest age", INT32_MAX, {-56, -86, -4, 65}},
        {"smallest age", INT32_MIN, {77, 96, -13, -51}},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.name);
        EXPECT_EQ(CycleValuesAt(row.age), row.values);
    }
}

}  // namespace
