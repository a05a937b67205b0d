#include "calc/decimal.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <string_view>

namespace {

TEST(DecimalToInt, Conversions)
{
    const struct { const char* name; std::string_view text; int32_t value; } rows[] = {
        {"plain digits", "1901", 1901},
        {"leading zeros", "0001", 1},
        {"leading blanks of every kind", " \t\r\n\v\f42", 42},
        {"signs", "-15", -15},
        {"plus sign", "+15", 15},
        {"digits then junk", "12abc", 12},
        {"digits then blank and more digits", "19 01", 19},
        {"empty", "", 0},
        {"no digits", "abc", 0},
        {"sign alone", "-", 0},
        {"blank between sign and digits", "- 5", 0},
        {"two signs", "--5", 0},
        {"largest value", "2147483647", INT32_MAX},
        {"smallest value", "-2147483648", INT32_MIN},
        {"one past the largest saturates", "2147483648", INT32_MAX},
        {"one past the smallest saturates", "-2147483649", INT32_MIN},
        {"long digit run saturates high", "99999999999999999999999999", INT32_MAX},
        {"long digit run saturates low", "-99999999999999999999999999", INT32_MIN},
        {"long run of zeros", "00000000000000000000000000012", 12},
        {"stops at the view's end", std::string_view("123456").substr(0, 3), 123},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.name);
        EXPECT_EQ(DecimalToInt(row.text), row.value);
    }
}

}  // namespace
