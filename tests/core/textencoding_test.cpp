#include "platform/textencoding.h"

#include <gtest/gtest.h>

#include <vector>

namespace {
struct Utf16Case {
    const char* name;
    std::vector<uint16_t> units;
    std::string utf8;
};

std::string Convert(const std::vector<uint16_t>& units)
{
    std::vector<unsigned char> bytes;
    for (const uint16_t unit : units) {
        bytes.push_back(static_cast<unsigned char>(unit & 0xFF));
        bytes.push_back(static_cast<unsigned char>(unit >> 8));
    }
    return Utf16LeToUtf8(bytes.data(), units.size());
}

// Expected UTF-8 bytes are written out from the Unicode code charts.
const Utf16Case kCases[] = {
    {"Empty", {}, ""},
    {"Ascii", {'N', 'e', 'w'}, "New"},
    {"Nul", {0x0000, 'A'}, std::string("\0A", 2)},
    {"TwoByteEAcute", {0x00E9}, "\xC3\xA9"},
    {"LastTwoByte", {0x07FF}, "\xDF\xBF"},
    {"ThreeByteEuro", {0x20AC}, "\xE2\x82\xAC"},
    {"LastBmp", {0xFFFF}, "\xEF\xBF\xBF"},
    {"PairGrinningFace", {0xD83D, 0xDE00}, "\xF0\x9F\x98\x80"},
    {"PairLastCodePoint", {0xDBFF, 0xDFFF}, "\xF4\x8F\xBF\xBF"},
    {"LoneHighThenAscii", {0xD800, 'A'}, "\xEF\xBF\xBD" "A"},
    {"LoneHighAtEnd", {'A', 0xDBFF}, "A\xEF\xBF\xBD"},
    {"LoneLow", {0xDC00, 'B'}, "\xEF\xBF\xBD" "B"},
    {"LowBeforeHigh", {0xDE00, 0xD83D}, "\xEF\xBF\xBD\xEF\xBF\xBD"},
    {"TwoHighsThenLow", {0xD83D, 0xD83D, 0xDE00}, "\xEF\xBF\xBD\xF0\x9F\x98\x80"},
};

void PrintTo(const Utf16Case& row, std::ostream* out)
{
    *out << row.name;
}

class Utf16LeToUtf8Test : public testing::TestWithParam<Utf16Case> {};

TEST_P(Utf16LeToUtf8Test, Converts)
{
    EXPECT_EQ(Convert(GetParam().units), GetParam().utf8);
}

INSTANTIATE_TEST_SUITE_P(Table, Utf16LeToUtf8Test, testing::ValuesIn(kCases),
                         [](const testing::TestParamInfo<Utf16Case>& info) { return std::string(info.param.name); });

TEST(Utf16LeToUtf8, ReadsOnlyTheGivenUnits)
{
    const unsigned char bytes[] = {'a', 0, 'b', 0, 'c', 0};
    EXPECT_EQ(Utf16LeToUtf8(bytes, 2), "ab");
}
}
