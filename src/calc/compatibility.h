#pragma once

#include "calc/cycles.h"

#include <cstdint>
#include <array>

// One agreement percentage per cycle, 0 to 100, indexed by Cycle.
using CompatibilityPercentages = std::array<int32_t, kCycleCount>;

// Compares two birth dates. `searchDays` is the number of days searched for
// each cycle's phase: the program passes the length of the current month from
// the constant month table. Day numbers of 0 or less give 0 for every cycle.
CompatibilityPercentages ComputeCompatibility(int32_t year1, int32_t month1, int32_t day1,
                                              int32_t year2, int32_t month2, int32_t day2,
                                              int32_t searchDays);
