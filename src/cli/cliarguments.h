#pragma once

#include "platform/clock.h"

#include <cstdint>
#include <iosfwd>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

// Exit statuses of orvina-cli.
constexpr int kExitOk = 0;
constexpr int kExitMissingFile = 1;
constexpr int kExitDamagedFile = 2;
constexpr int kExitUsage = 64;
// The output file cannot be written (EX_CANTCREAT).
constexpr int kExitCannotWrite = 73;

// Writes the usage of every command to `out`.
void WriteUsage(std::ostream& out);

// Writes the usage of `command` to `out`; false when there is no such command.
bool WriteCommandUsage(std::ostream& out, std::string_view command);

// Writes the problem and the usage of `command` (of every command when it is
// empty) to `err`; returns kExitUsage.
int Usage(std::ostream& err, std::string_view command, std::string_view problem);

// Removes every `flag` from `args`; true when there was one.
bool TakeFlag(std::vector<std::string>& args, std::string_view flag);

// The first argument after the command that looks like an option ("--x"), if any.
std::optional<std::string> FirstOption(const std::vector<std::string>& args);

// Reads a decimal integer that must fill `text` and fit in 32 bits.
std::optional<int32_t> ParseInt(std::string_view text);

// Splits "Y-M" (count 2) or "Y-M-D" (count 3) into its numbers; the year
// alone may carry a leading '-'.
std::optional<std::vector<int32_t>> ParseFields(std::string_view text, size_t count);

// "YEAR-MONTH-DAY", not checked against the calendar.
std::optional<CDate> ParseDate(std::string_view text);
