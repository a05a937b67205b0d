#pragma once

#include <array>
#include <cstdint>

// The four cycles, always in this order.
enum Cycle { kPhysical = 0, kEmotional = 1, kIntellectual = 2, kIntuitional = 3 };
constexpr int kCycleCount = 4;

// Values from -99 to 100 of the four cycles for one age, indexed by Cycle.
using CycleValues = std::array<int32_t, kCycleCount>;

// The value of each cycle on day `age` of life (negative ages allowed):
// trunc(sin(age * k) * 100 + 0.5) with k = 2 * 3.1415927 / period.
CycleValues CycleValuesAt(int32_t age);
