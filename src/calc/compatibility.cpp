#include "calc/compatibility.h"

#include "calc/daynumber.h"
#include "calc/int32math.h"

#include <cmath>

namespace {
// Half the period of each cycle, and the scale that turns the distance of the
// phase from it into a percentage (100 at a phase of 0).
constexpr std::array<double, kCycleCount> kHalfPeriod = {11.5, 14.0, 16.5, 19.0};
constexpr std::array<double, kCycleCount> kScale = {8.7, 7.1, 6.0, 5.3};
constexpr double kRoundHalf = 0.5;
constexpr double kFullAgreement = 100.0;
// A result above this rounds up to a full agreement.
constexpr double kFullAgreementThreshold = 99.4;
constexpr int32_t kNearZeroBand = 10;

// A value within -9..9 counts as a zero crossing of the cycle.
bool NearZero(int32_t value)
{
    return value / kNearZeroBand == 0;
}

bool Descending(int32_t nextValue)
{
    return nextValue / kNearZeroBand < 0;
}

// Moves the phase of a cycle that crosses zero going down by half a period,
// so that every phase counts from an upward crossing. Odd periods add their
// half as a double and truncate.
int32_t ShiftDescendingPhase(int cycle, int32_t phase)
{
    switch (cycle) {
    case kPhysical:
    case kIntellectual:
        return TruncToInt32(phase + kHalfPeriod[cycle]);
    default:
        return WrappingAdd(phase, static_cast<int32_t>(kHalfPeriod[cycle]));
    }
}
}

CompatibilityPercentages ComputeCompatibility(int32_t year1, int32_t month1, int32_t day1,
                                              int32_t year2, int32_t month2, int32_t day2,
                                              int32_t searchDays)
{
    CompatibilityPercentages percentages{};
    const int32_t first = DayNumber(year1, month1, day1);
    const int32_t second = DayNumber(year2, month2, day2);
    // Dates without a positive day number (empty or unreadable fields) are
    // not compared.
    if (first <= 0 || second <= 0)
        return percentages;
    // Both are positive, so neither the difference nor its magnitude overflows.
    const int32_t distance = first > second ? first - second : second - first;

    std::array<int32_t, kCycleCount> phase{};
    std::array<bool, kCycleCount> searching{};
    searching.fill(true);
    int searchingCount = kCycleCount;

    // The search looks at the days t = distance + i - 1 for i = 1..searchDays
    // and records, per cycle, the first i - 1 where the cycle is near zero.
    // Once no cycle is searching the remaining days change nothing.
    for (int64_t i = 1; i <= searchDays && searchingCount > 0; ++i) {
        const int32_t dayOffset = static_cast<int32_t>(i - 1);
        const int32_t t = WrappingAdd(distance, dayOffset);
        const CycleValues values = CycleValuesAt(t);
        for (int cycle = 0; cycle < kCycleCount; ++cycle) {
            if (!searching[cycle] || !NearZero(values[cycle]))
                continue;
            phase[cycle] = dayOffset;
            searching[cycle] = false;
            --searchingCount;
            // The next day's value tells whether this crossing goes down; it
            // decides this cycle only.
            const CycleValues next = CycleValuesAt(WrappingAdd(t, 1));
            if (Descending(next[cycle]))
                phase[cycle] = ShiftDescendingPhase(cycle, phase[cycle]);
        }
    }

    for (int cycle = 0; cycle < kCycleCount; ++cycle) {
        double result = std::fabs(kHalfPeriod[cycle] - phase[cycle]) * kScale[cycle] + kRoundHalf;
        if (result > kFullAgreementThreshold)
            result = kFullAgreement;
        percentages[cycle] = TruncToInt32(result);
    }
    return percentages;
}
