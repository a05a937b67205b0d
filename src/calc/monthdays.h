#pragma once

#include "calc/calendar.h"
#include "calc/cycles.h"

#include <cstdint>
#include <string>
#include <vector>

// One day of the displayed month: its age in days of life, the cycle values
// of that age and its weekday label.
struct MonthDay {
    int32_t age{};
    CycleValues values{};
    std::string weekday;
};

// The per-day preparation that the chart and orvina-cli's month command
// share: days 1 to `days` of the month `calendar` last computed. A weekday
// text shorter than a week's labels gives empty labels.
std::vector<MonthDay> PrepareMonthDays(const CCalendar& calendar, int32_t days, const std::string& weekdayText);

// True when both day numbers are valid, so that the days' values may be drawn.
bool HasDrawableDays(const CCalendar& calendar);
