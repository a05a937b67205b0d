#include "calc/daynumber.h"

#include "calc/int32math.h"

namespace {
// Each constant is the double nearest to the decimal written; the formula's
// results depend on those exact doubles and on where each step truncates.
constexpr double kHundredth = 0.01;
constexpr double kThreeQuarters = 0.75;
constexpr double kQuarter = 0.25;
constexpr double kMonthSlope = 0.4;
constexpr double kMonthOffset = 2.3;

constexpr int32_t kDaysPerYear = 365;
constexpr int32_t kDaysPerMonth = 31;

// Century days that are not leap days, counted up to and including `year`.
int32_t CenturyCorrection(int32_t year)
{
    const int32_t hundreds = TruncToInt32(kHundredth * year);
    return TruncToInt32(WrappingAdd(hundreds, 1) * kThreeQuarters);
}

// 365y + 31(m - 1) + d, the part of the count shared by both branches.
int32_t PlainDays(int32_t year, int32_t month, int32_t day)
{
    const int32_t yearDays = WrappingMul(kDaysPerYear, year);
    const int32_t monthDays = WrappingMul(kDaysPerMonth, WrappingSub(month, 1));
    return WrappingAdd(WrappingAdd(yearDays, monthDays), day);
}
}

int32_t DayNumber(int32_t year, int32_t month, int32_t day)
{
    if (month > 2) {
        const int32_t leapDays = TruncToInt32(kQuarter * year);
        const int32_t correction = CenturyCorrection(year);
        // Every month counts as 31 days above; this takes back the days that
        // the months before `month` (from March on) are short of that.
        const int32_t shortfall = TruncToInt32(kMonthSlope * month + kMonthOffset);
        int32_t result = PlainDays(year, month, day);
        result = WrappingAdd(result, leapDays);
        result = WrappingSub(result, correction);
        return WrappingSub(result, shortfall);
    }

    // January and February (and any smaller month value) still belong to the
    // previous year's leap-day count.
    const int32_t previousYear = WrappingSub(year, 1);
    const int32_t correction = CenturyCorrection(previousYear);
    const int32_t sum = WrappingSub(PlainDays(year, month, day), correction);
    // The quarter of the previous year is added as a double and the total is
    // truncated once, not the quarter on its own.
    return TruncToInt32(sum + kQuarter * previousYear);
}
