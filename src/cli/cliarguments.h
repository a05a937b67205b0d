#pragma once

#include "platform/clock.h"

#include <cstdint>
#include <iosfwd>
#include <optional>
#include <string_view>
#include <vector>

// Exit statuses of orvina-cli.
constexpr int kExitOk = 0;
constexpr int kExitMissingFile = 1;
constexpr int kExitDamagedFile = 2;
constexpr int kExitUsage = 64;
// The picture cannot be written (EX_CANTCREAT).
constexpr int kExitCannotWrite = 73;

// The usage text of every command.
extern const char* const kUsage;

// Writes the problem and the usage to `err`; returns kExitUsage.
int Usage(std::ostream& err, std::string_view problem);

// Reads a decimal integer that must fill `text` and fit in 32 bits.
std::optional<int32_t> ParseInt(std::string_view text);

// Splits "Y-M" (count 2) or "Y-M-D" (count 3) into its numbers; the year
// alone may carry a leading '-'.
std::optional<std::vector<int32_t>> ParseFields(std::string_view text, size_t count);

// "YEAR-MONTH-DAY", not checked against the calendar.
std::optional<CDate> ParseDate(std::string_view text);
