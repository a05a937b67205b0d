#include "calc/criticaldays.h"

CycleSet CriticalCycles(int32_t ageDays)
{
    // k * P / 2 lies in [A, A + 1) exactly when k * P is 2A or 2A + 1. The
    // doubled age is taken in 64 bits so that no age can overflow, and the
    // remainder is made non-negative for ages before birth.
    const int64_t twiceAge = 2 * static_cast<int64_t>(ageDays);
    CycleSet critical = 0;
    for (int cycle = 0; cycle < kCycleCount; ++cycle) {
        const int64_t period = kCyclePeriods[cycle];
        const int64_t remainder = ((twiceAge % period) + period) % period;
        if (remainder == 0 || remainder == period - 1)
            critical |= 1u << cycle;
    }
    return critical;
}
