#pragma once

#include <cstdint>

// The running day count of a date: for years 1 to 3999 the proleptic
// Gregorian count with 1 January of year 1 as day 366. Days beyond the end of
// a month count on into the next one. Defined for every 32-bit input; where
// the 32-bit sums overflow they wrap.
int32_t DayNumber(int32_t year, int32_t month, int32_t day);
