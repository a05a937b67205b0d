#pragma once

#include <cstdint>
#include <string_view>

// Converts text typed by the user to a number the way the program always has:
// leading white space is skipped, an optional sign is taken, then decimal
// digits are read up to the first other character. A text without digits
// gives 0. Values beyond the 32-bit range saturate at INT32_MIN or INT32_MAX.
int32_t DecimalToInt(std::string_view text);
