#include "calc/cycles.h"

#include "calc/int32math.h"

#include <cmath>

namespace {
// The program has always used this rounded pi; the angular constants below
// must be these exact doubles, not the correctly rounded 2 * pi / period.
constexpr double kPi = 3.1415927;
constexpr double kPercent = 100.0;
constexpr double kRoundHalf = 0.5;

constexpr std::array<double, kCycleCount> kAngularStep = {
    kPi * (2.0 / 23),
    kPi * (2.0 / 28),
    kPi * (2.0 / 33),
    kPi * (2.0 / 38),
};
}

CycleValues CycleValuesAt(int32_t age)
{
    const double t = age;
    CycleValues values{};
    for (int cycle = 0; cycle < kCycleCount; ++cycle) {
        // Adding 0.5 before truncating rounds positive values but moves
        // negative ones toward zero, so no value is ever -100.
        const double scaled = std::sin(t * kAngularStep[cycle]) * kPercent;
        values[cycle] = TruncToInt32(scaled + kRoundHalf);
    }
    return values;
}
