#pragma once

#include <cstdint>
#include <string>

// The two-letter weekday abbreviations, Sunday first.
constexpr const char* kWeekdayText = "SuMoTuWeThFrSa";

// The label of weekday `weekday` (0 = Sunday), taken modulo 7 with a result
// from 0 to 6, so that the weekdays of day numbers of 0 or less still name a
// day: two characters of `weekdayText` starting at twice that remainder.
std::string WeekdayLabel(const std::string& weekdayText, int32_t weekday);
