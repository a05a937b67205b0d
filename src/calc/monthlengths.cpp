#include "calc/monthlengths.h"

#include <cstddef>

namespace {
constexpr int32_t kLongFebruary = 29;
constexpr int32_t kShortFebruary = 28;
constexpr int32_t kFirstMonth = 1;
constexpr int32_t kLastMonth = 12;
}

int32_t FebruaryLength(int32_t year)
{
    // The remainder takes the sign of the year, so -4 and 0 are leap years and
    // -1 is not; centuries get no exception.
    return year % 4 == 0 ? kLongFebruary : kShortFebruary;
}

int32_t MonthLength(const MonthTable& table, int32_t month)
{
    if (month < kFirstMonth || month > kLastMonth)
        return 0;
    return table[static_cast<std::size_t>(month)];
}
