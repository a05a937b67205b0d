#include "platform/stringtable.h"
#include "platform/textencoding.h"

#include <gtest/gtest.h>

#include <QString>

#include <vector>

namespace {

// Expected UTF-8 bytes are written out from the Unicode code charts.
TEST(Utf16LeToUtf8, Converts)
{
    const struct { const char* name; std::vector<uint16_t> units; std::string utf8; } rows[] = {
        {"empty", {}, ""}, {"ASCII and NUL", {'N', 0x0000, 'w'}, std::string("N\0w", 3)},
        {"two bytes", {0x00E9, 0x07FF}, "\xC3\xA9\xDF\xBF"},
        {"three bytes", {0x0800, 0x20AC, 0xFFFF}, "\xE0\xA0\x80\xE2\x82\xAC\xEF\xBF\xBF"},
        {"pairs", {0xD83D, 0xDE00, 0xDBFF, 0xDFFF}, "\xF0\x9F\x98\x80\xF4\x8F\xBF\xBF"},
        {"lone high, then ASCII", {0xD800, 'A'}, "\xEF\xBF\xBD" "A"},
        {"lone high at the end", {'A', 0xDBFF}, "A\xEF\xBF\xBD"},
        {"two lone lows", {0xDC00, 0xDC00, 'B'}, "\xEF\xBF\xBD\xEF\xBF\xBD" "B"},
        {"low before high", {0xDE00, 0xD83D}, "\xEF\xBF\xBD\xEF\xBF\xBD"},
        {"two highs, then a low", {0xD83D, 0xD83D, 0xDE00}, "\xEF\xBF\xBD\xF0\x9F\x98\x80"},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.name);
        std::vector<unsigned char> bytes;
        for (const uint16_t unit : row.units) {
            bytes.push_back(static_cast<unsigned char>(unit & 0xFF));
            bytes.push_back(static_cast<unsigned char>(unit >> 8));
        }
        // A low surrogate past the count is never read.
        bytes.push_back(0x00);
        bytes.push_back(0xDC);
        EXPECT_EQ(Utf16LeToUtf8(bytes.data(), row.units.size()), row.utf8);
    }
}

// Windows-1252 as Microsoft's code page table gives it; the five bytes it
// leaves undefined become the C1 controls of the same value, as Windows'
// MultiByteToWideChar has them.
TEST(DecodeSystemText, TakesUtf8OrElseWindows1252)
{
    const struct { const char* name; std::string bytes; std::u16string text; } rows[] = {
        {"ASCII", "New Name", u"New Name"}, {"UTF-8", "Zo\xC3\xAB", u"Zo\u00EB"},
        {"cut-off UTF-8 is Windows-1252", "\xC3", u"\u00C3"}, {"Latin-1", "Zo\xEB", u"Zo\u00EB"},
        {"euro, quotes and Y diaeresis", "\x80\x93x\x94\x9F", u"\u20AC\u201Cx\u201D\u0178"},
        {"the five undefined bytes", "\x81\x8D\x8F\x90\x9D", u"\u0081\u008D\u008F\u0090\u009D"},
        {"an undefined byte among letters", "A\x90" "B", u"A\u0090B"},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.name);
        EXPECT_EQ(DecodeSystemText(row.bytes), QString::fromStdU16String(row.text));
    }
}

// A text's fields by line, none before the first or after the last; a text
// by its id, none for an unknown id.
TEST(StringTable, FieldAndLoad)
{
    for (const auto& [index, field] : {std::pair{-1, ""}, {0, "Print"}, {1, "Tip"}, {2, ""}})
        EXPECT_EQ(StringTable::Field("Print\nTip", index).toStdString(), field) << index;
    EXPECT_TRUE(StringTable::Load(StringId::kIndicatorCaps) == "CAP" && StringTable::Load(-1).isEmpty());
}

}  // namespace
