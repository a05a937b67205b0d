#pragma once

#include "calc/cycles.h"

#include <cstdint>

// The four cycles' periods in days, indexed by Cycle.
constexpr int32_t kCyclePeriods[kCycleCount] = {23, 28, 33, 38};

// A set of cycles as bits: bit c stands for Cycle c.
using CycleSet = unsigned;

// The cycles that are critical on the day of age `ageDays`: a cycle of period
// P is critical when some multiple of P/2 lies in [ageDays, ageDays + 1), that
// is, when its curve meets or crosses the zero line during that day.
CycleSet CriticalCycles(int32_t ageDays);

inline bool Contains(CycleSet cycles, Cycle cycle)
{
    return (cycles >> cycle) & 1u;
}
