// The texts of the chart: cycle names, day numbers, weekday labels and the
// title, where they stand and in which font.
#include "chart_testing.h"

#include <gtest/gtest.h>

#include <string>
#include <utility>
#include <vector>

namespace {

using charttest::ChartSetup;
using Text = RecordingDC::Text;

TEST(Labels, StandInTheirBandsOnA900By550View)
{
    ChartSetup setup;  // June 2024: 30 days from a Saturday
    RecordingDC dc;
    setup.chart.Draw(dc);
    const std::vector<Text> texts = dc.Texts();
    ASSERT_EQ(texts.size(), 4u + 30u + 30u + 1u);

    // Cycle names at 900 x fraction across, the top 3 units below the legend
    // band's top: y = (430 + 433) / 2 = 431. 0.7777777777777777 falls just
    // short of 700 units.
    const std::vector<std::pair<std::string, int32_t>> names = {
        {"Physical", 112}, {"Emotional", 300}, {"Intellectual", 500}, {"Intuitional", 699}};
    for (size_t i = 0; i < names.size(); ++i) {
        EXPECT_EQ(texts[i].text, names[i].first);
        EXPECT_EQ(texts[i].x, names[i].second) << names[i].first;
        EXPECT_EQ(texts[i].y, 431) << names[i].first;
    }
    // Day numbers "%2d", then weekday labels, 4 units into each column.
    const std::vector<std::string> week = {"Sa", "Su", "Mo", "Tu", "We", "Th", "Fr"};
    for (int32_t day = 1; day <= 30; ++day) {
        const Text& number = texts[3 + static_cast<size_t>(day)];
        const Text& weekday = texts[33 + static_cast<size_t>(day)];
        EXPECT_EQ(number.text, (day < 10 ? " " : "") + std::to_string(day));
        EXPECT_EQ(number.x, 4 + 30 * (day - 1));
        EXPECT_EQ(number.y, 490);  // chart y -551
        EXPECT_EQ(weekday.text, week[static_cast<size_t>(day - 1) % 7]);
        EXPECT_EQ(weekday.x, 4 + 30 * (day - 1));
        EXPECT_EQ(weekday.y, 462);  // -494
    }
    EXPECT_EQ(texts.back().text, "June 2024");
    EXPECT_EQ(texts.back().x, 4);
    EXPECT_EQ(texts.back().y, 521);  // -613
}

TEST(Labels, OneNumberAndWeekdayPerDayAndTheTitleInFourPlaces)
{
    const struct { const char* name; int32_t year, month; size_t days; const char* title; } rows[] = {
        {"28 days", 2023, 2, 28, "February 2023"},
        {"31 days", 2024, 7, 31, "July 2024"},
        {"three-digit year", 999, 12, 31, "December  999"},
        {"five-digit year", 12345, 9, 30, "September 12345"},
        {"negative year", -44, 3, 31, "March  -44"},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.name);
        ChartSetup setup(row.year, row.month);
        RecordingDC dc;
        setup.chart.Draw(dc);
        const std::vector<Text> texts = dc.Texts();
        ASSERT_EQ(texts.size(), 4u + 2 * row.days + 1u);
        EXPECT_EQ(texts[3 + row.days].text, std::to_string(row.days));
        EXPECT_EQ(texts.back().text, row.title);
    }
}

TEST(Labels, FontFollowsTheWindowOnScreenAndIsFixedOnPaper)
{
    const struct { const char* name; DcRect client; int32_t month; bool printing; int32_t height, width; } rows[] = {
        // 550 / 430 x 20 = 25.6 and 900 / 900 x 8.
        {"screen, 900 by 550", DcRect{0, 0, 900, 550}, 6, false, 25, 8},
        // 600 / 430 x 20 = 27.9 and 930 / 930 x 8.
        {"screen, 930 by 600", DcRect{0, 0, 930, 600}, 7, false, 27, 8},
        // 860 / 430 x 20 = 40 and 1000 / 840 x 8 = 9.5 in a 28-day month.
        {"screen, February", DcRect{0, 0, 1000, 860}, 2, false, 40, 9},
        // Too small for the formulas: 0 asks for the default size.
        {"screen, tiny", DcRect{0, 0, 100, 20}, 6, false, 0, 0},
        {"paper", DcRect{0, 0, 1800, 400}, 7, true, 80, 26},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.name);
        ChartSetup setup(2023, row.month, 15, row.client);
        if (row.printing)
            setup.chart.BeginPrinting();
        RecordingDC dc(2400);
        setup.chart.Draw(dc);
        const std::vector<Text> texts = dc.Texts();
        ASSERT_FALSE(texts.empty());
        for (const Text& text : texts)
            EXPECT_EQ(text.font, (FontState{row.height, row.width, 400, "Modern"})) << text.text;
        EXPECT_TRUE(dc.IsDefaultFont(dc.CurrentFont()));
    }
}

}  // namespace
