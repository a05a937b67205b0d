#include "calc/decimal.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <string_view>

namespace {

TEST(DecimalToInt, Conversions)
{
    const struct {
        const char* name;
        std::string_view text;
        int32_t value;
    } rows[] = {
        {"plain digits", "1901", 1901},
        {"leading zeros", "0001", 1},
        {"leading blanks", "  \t 42", 42},
        {"newline and carriage return", "\r\n7", 7},
        {"plus sign", "+15", 15},
        {"minus sign", "-15", -15},
        {"blanks before the sign", "  -3", -3},
        {"digits then junk", "12abc", 12},
        {"digits then blank and more digits", "19 01", 19},
        {"trailing blanks", "28  ", 28},
        {"empty", "", 0},
        {"only blanks", "   ", 0},
        {"no digits", "abc", 0},
        {"sign alone", "-", 0},
        {"blank between sign and digits", "- 5", 0},
        {"two signs", "--5", 0},
        {"junk before digits", "x12", 0},
        {"minus zero", "-0", 0},
        {"largest value", "2147483647", INT32_MAX},
        {"smallest value", "-2147483648", INT32_MIN},
        {"one past the largest saturates", "2147483648", INT32_MAX},
        {"one past the smallest saturates", "-2147483649", INT32_MIN},
        {"long digit run saturates high", "99999999999999999999999999", INT32_MAX},
        {"long digit run saturates low", "-99999999999999999999999999", INT32_MIN},
        {"long run of zeros", "00000000000000000000000000012", 12},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.name);
        EXPECT_EQ(DecimalToInt(row.text), row.value);
    }
}

TEST(DecimalToInt, StopsAtTheViewsEnd)
{
    const std::string_view text = std::string_view("123456").substr(0, 3);
    EXPECT_EQ(DecimalToInt(text), 123);
}

}  // namespace
