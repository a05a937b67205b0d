#include "calc/decimal.h"

#include <cstdint>

namespace {
bool IsBlank(char c)
{
    return c == ' ' || c == '\t' || c == '\n' || c == '\v' || c == '\f' || c == '\r';
}
}

int32_t DecimalToInt(std::string_view text)
{
    size_t i = 0;
    while (i < text.size() && IsBlank(text[i]))
        ++i;
    bool negative = false;
    if (i < text.size() && (text[i] == '+' || text[i] == '-')) {
        negative = text[i] == '-';
        ++i;
    }
    // Accumulate the magnitude with a ceiling just past the 32-bit range so
    // that long digit runs cannot overflow.
    constexpr int64_t kCeiling = int64_t{INT32_MAX} + 1;
    int64_t magnitude = 0;
    for (; i < text.size() && text[i] >= '0' && text[i] <= '9'; ++i) {
        magnitude = magnitude * 10 + (text[i] - '0');
        if (magnitude > kCeiling)
            magnitude = kCeiling;
    }
    if (negative)
        return static_cast<int32_t>(-magnitude);  // -2^31 at most
    return magnitude > INT32_MAX ? INT32_MAX : static_cast<int32_t>(magnitude);
}
