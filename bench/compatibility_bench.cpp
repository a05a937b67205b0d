#include "calc/compatibility.h"
#include "calc/daynumber.h"

#include <benchmark/benchmark.h>

#include <cstdint>

namespace {

// One compatibility computation between 1 January 1900 and the date that lies
// `distance` days later (days past the month's end count on).
void BM_ComputeCompatibility(benchmark::State& state)
{
    const int32_t distance = static_cast<int32_t>(state.range(0));
    const int32_t searchDays = static_cast<int32_t>(state.range(1));
    for (auto _ : state) {
        CompatibilityPercentages result =
            ComputeCompatibility(1900, 1, 1, 1900, 1, 1 + distance, searchDays);
        benchmark::DoNotOptimize(result);
    }
}
BENCHMARK(BM_ComputeCompatibility)
    ->ArgNames({"distance", "searchDays"})
    ->Args({30000, 31})
    ->Args({30000, 28})
    ->Args({0, 31})
    ->Args({14, 31})
    ->Args({38, 31})
    ->Args({36500, 30})
    ->Unit(benchmark::kMicrosecond);

// Two of these start every compatibility computation.
void BM_DayNumber(benchmark::State& state)
{
    int32_t day = 1;
    for (auto _ : state) {
        benchmark::DoNotOptimize(DayNumber(1982, 2, day));
        day = day % 28 + 1;
    }
}
BENCHMARK(BM_DayNumber);

}  // namespace
