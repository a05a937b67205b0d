// The texts of the chart: cycle names, day numbers, weekday labels and the
// title, where they stand and in which font.
#include "chart_testing.h"
#include "platform/recordingdc.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

using charttest::ChartSetup;
using Text = RecordingDC::Text;

std::vector<Text> LabelsOf(ChartSetup& setup)
{
    RecordingDC dc;
    setup.chart.Draw(dc);
    return dc.Texts();
}

TEST(Labels, StandInTheirBandsOnA900By550View)
{
    ChartSetup setup;  // June 2024: 30 days from a Saturday
    const std::vector<Text> texts = LabelsOf(setup);
    ASSERT_EQ(texts.size(), 4u + 30u + 30u + 1u);

    // Cycle names at 900 x fraction across, the top 3 units below the legend
    // band's top: y = (430 + 433) / 2 = 431. 0.7777777777777777 falls just
    // short of 700 units.
    const std::vector<Text> names = {{112, 431, "Physical", {}},
                                     {300, 431, "Emotional", {}},
                                     {500, 431, "Intellectual", {}},
                                     {699, 431, "Intuitional", {}}};
    for (size_t i = 0; i < names.size(); ++i) {
        EXPECT_EQ(texts[i].text, names[i].text);
        EXPECT_EQ(texts[i].x, names[i].x) << names[i].text;
        EXPECT_EQ(texts[i].y, names[i].y) << names[i].text;
    }

    // Day numbers "%2d", then weekday labels, 4 units into each column.
    const std::vector<std::string> week = {"Sa", "Su", "Mo", "Tu", "We", "Th", "Fr"};
    for (int32_t day = 1; day <= 30; ++day) {
        const Text& number = texts[3 + static_cast<size_t>(day)];
        const Text& weekday = texts[33 + static_cast<size_t>(day)];
        const std::string padded = (day < 10 ? " " : "") + std::to_string(day);
        EXPECT_EQ(number.text, padded);
        EXPECT_EQ(number.x, 4 + 30 * (day - 1));
        EXPECT_EQ(number.y, 490);  // -551
        EXPECT_EQ(weekday.text, week[static_cast<size_t>(day - 1) % 7]);
        EXPECT_EQ(weekday.x, 4 + 30 * (day - 1));
        EXPECT_EQ(weekday.y, 462);  // -494
    }

    const Text& title = texts.back();
    EXPECT_EQ(title.text, "June 2024");
    EXPECT_EQ(title.x, 4);
    EXPECT_EQ(title.y, 521);  // -613
}

struct TitleRow {
    const char* name;
    int32_t year;
    int32_t month;
    const char* title;
};

class Title : public ::testing::TestWithParam<TitleRow> {};

TEST_P(Title, NamesTheMonthThenTheYearInFourPlaces)
{
    const TitleRow& row = GetParam();
    ChartSetup setup(row.year, row.month);
    const std::vector<Text> texts = LabelsOf(setup);
    ASSERT_FALSE(texts.empty());
    EXPECT_EQ(texts.back().text, row.title);
    int titles = 0;
    for (const Text& text : texts)
        titles += text.text == row.title ? 1 : 0;
    EXPECT_EQ(titles, 1);
}

INSTANTIATE_TEST_SUITE_P(Chart, Title,
                         ::testing::Values(TitleRow{"FourDigits", 2024, 6, "June 2024"},
                                           TitleRow{"ThreeDigits", 999, 12, "December  999"},
                                           TitleRow{"OneDigit", 7, 1, "January    7"},
                                           TitleRow{"FiveDigits", 12345, 9, "September 12345"},
                                           TitleRow{"Negative", -44, 3, "March  -44"}),
                         [](const ::testing::TestParamInfo<TitleRow>& info) { return std::string(info.param.name); });

struct CountRow {
    const char* name;
    int32_t year;
    int32_t month;
    size_t days;
};

class LabelCount : public ::testing::TestWithParam<CountRow> {};

TEST_P(LabelCount, IsOneNumberAndOneWeekdayPerDay)
{
    const CountRow& row = GetParam();
    ChartSetup setup(row.year, row.month);
    const std::vector<Text> texts = LabelsOf(setup);
    ASSERT_EQ(texts.size(), 4u + 2 * row.days + 1u);
    EXPECT_EQ(texts[3 + row.days].text, std::to_string(row.days));
}

INSTANTIATE_TEST_SUITE_P(Chart, LabelCount,
                         ::testing::Values(CountRow{"February2023", 2023, 2, 28}, CountRow{"July2024", 2024, 7, 31}),
                         [](const ::testing::TestParamInfo<CountRow>& info) { return std::string(info.param.name); });

struct FontRow {
    const char* name;
    DcRect client;
    int32_t year;
    int32_t month;
    bool printing;
    int32_t height;
    int32_t width;
};

class LabelFont : public ::testing::TestWithParam<FontRow> {};

TEST_P(LabelFont, FollowsTheWindowOnScreenAndIsFixedOnPaper)
{
    const FontRow& row = GetParam();
    ChartSetup setup(row.year, row.month, 15, row.client);
    if (row.printing)
        setup.chart.BeginPrinting();
    RecordingDC dc(2400);
    setup.chart.Draw(dc);
    const std::vector<Text> texts = dc.Texts();
    ASSERT_FALSE(texts.empty());
    for (const Text& text : texts) {
        EXPECT_EQ(text.font.height, row.height) << text.text;
        EXPECT_EQ(text.font.width, row.width) << text.text;
        EXPECT_EQ(text.font.weight, 400);
        EXPECT_EQ(text.font.face, "Modern");
    }
    EXPECT_TRUE(dc.IsDefaultFont(dc.CurrentFont()));
}

INSTANTIATE_TEST_SUITE_P(
    Chart, LabelFont,
    ::testing::Values(
        // 550 / 430 x 20 = 25.6 and 900 / 900 x 8.
        FontRow{"Screen900By550", DcRect{0, 0, 900, 550}, 2024, 6, false, 25, 8},
        // 600 / 430 x 20 = 27.9 and 930 / 930 x 8.
        FontRow{"Screen930By600", DcRect{0, 0, 930, 600}, 2024, 7, false, 27, 8},
        // 1000 / 840 x 8 = 9.5 in a 28-day month.
        FontRow{"ScreenFebruary", DcRect{0, 0, 1000, 860}, 2023, 2, false, 40, 9},
        // Too small for the formulas: 0 asks for the default size.
        FontRow{"ScreenTiny", DcRect{0, 0, 100, 20}, 2024, 6, false, 0, 0},
        FontRow{"Paper", DcRect{0, 0, 900, 550}, 2024, 6, true, 80, 26},
        FontRow{"PaperWideWindow", DcRect{0, 0, 1800, 400}, 2024, 7, true, 80, 26}),
    [](const ::testing::TestParamInfo<FontRow>& info) { return std::string(info.param.name); });

}  // namespace
