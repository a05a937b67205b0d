#pragma once

#include <array>
#include <cstdint>

// A month-length table is indexed by month 1 to 12; entry 0 belongs to no
// month and holds 999.
using MonthTable = std::array<int32_t, 13>;

constexpr int32_t kNoMonth = 999;
constexpr MonthTable kMonthLengths = {kNoMonth, 31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};

// February has 29 days when the year's signed remainder by 4 is 0, else 28.
// There is no century rule.
int32_t FebruaryLength(int32_t year);

// The entry of `table` for `month`, or 0 for a month outside 1 to 12.
int32_t MonthLength(const MonthTable& table, int32_t month);
