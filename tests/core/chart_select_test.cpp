// Day selection: the press's chart-unit x, the day the release selects and
// the column edges it draws at once.
#include "chart_testing.h"
#include "platform/recordingdc.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <vector>

namespace {

using charttest::ChartSetup;
using Segment = RecordingDC::Segment;

constexpr PenState kBlack{PenStyle::Solid, 1, Rgb{0, 0, 0}};
constexpr PenState kSolidGrey{PenStyle::Solid, 1, Rgb{128, 128, 128}};
constexpr PenState kDottedGrey{PenStyle::Dot, 1, Rgb{128, 128, 128}};

// A chart of June 2024 on a 900 x 550 view after one paint, day 20 selected.
struct Selection : ChartSetup {
    Selection() : ChartSetup(charttest::kYear, charttest::kMonth, 20)
    {
        RecordingDC paint;
        chart.Draw(paint);
    }
};

struct PressRow {
    const char* name;
    int32_t pressX;  // device x of the press
    int32_t day;     // the selected day afterwards
};

class SelectDay : public ::testing::TestWithParam<PressRow> {};

TEST_P(SelectDay, SelectsTheColumnOfThePress)
{
    const PressRow& row = GetParam();
    Selection view;
    view.chart.RecordPress(row.pressX);
    RecordingDC dc;
    view.chart.SelectDay(dc);
    EXPECT_EQ(view.chart.m_day, row.day);
}

INSTANTIATE_TEST_SUITE_P(
    Chart, SelectDay,
    ::testing::Values(PressRow{"InsideDayFive", 140, 5}, PressRow{"FirstPixelOfDayOne", 0, 1},
                      PressRow{"LastPixelOfDayOne", 29, 1},
                      // A press on a boundary belongs to the column that starts there.
                      PressRow{"OnTheBoundaryOfDaysFiveAndSix", 150, 6},
                      PressRow{"LastPixelOfTheView", 899, 30},
                      // Beyond the last column nothing is selected.
                      PressRow{"RightOfTheChart", 905, 20}),
    [](const ::testing::TestParamInfo<PressRow>& info) { return std::string(info.param.name); });

TEST(SelectDay, OnlyThePressCounts)
{
    Selection view;
    view.chart.RecordPress(140);  // day 5
    RecordingDC dc;
    view.chart.SelectDay(dc);
    EXPECT_EQ(view.chart.m_day, 5);
    // A later release without a new press selects the same day again.
    view.chart.m_day = 9;
    view.chart.SelectDay(dc);
    EXPECT_EQ(view.chart.m_day, 5);
}

TEST(SelectDay, AReleaseWithoutAnyPressSelectsNothing)
{
    Selection view;
    RecordingDC dc;
    view.chart.SelectDay(dc);
    EXPECT_EQ(view.chart.m_day, 20);
    // No column is outlined in black: every inner boundary stays dotted.
    for (const Segment& s : dc.Segments()) {
        if (s.x1 == s.x2 && s.x1 > 0) {
            EXPECT_EQ(s.pen, kDottedGrey) << s.x1;
        }
    }
}

TEST(SelectDay, DrawsTheRulesThenEveryBoundaryAtOnce)
{
    Selection view;
    view.chart.RecordPress(140);
    RecordingDC dc;
    view.chart.SelectDay(dc);

    std::vector<Segment> expected = {
        {0, 215, 900, 215, kBlack},
        {0, 430, 900, 430, kBlack},
        {0, 460, 900, 460, kBlack},
        {0, 520, 900, 520, kBlack},
        // The left edge: the full height in solid grey.
        {0, 0, 0, 430, kSolidGrey},
        {0, 430, 0, 550, kSolidGrey},
    };
    for (int32_t k = 1; k <= 30; ++k) {
        const int32_t x = 30 * k;
        const PenState pen = (k == 4 || k == 5) ? kBlack : kDottedGrey;
        expected.push_back({x, 0, x, 430, pen});
        expected.push_back({x, 460, x, 520, pen});
    }
    const std::vector<Segment> lines = dc.Segments();
    ASSERT_EQ(lines.size(), expected.size());
    for (size_t i = 0; i < lines.size(); ++i) {
        EXPECT_EQ(lines[i].x1, expected[i].x1) << i;
        EXPECT_EQ(lines[i].y1, expected[i].y1) << i;
        EXPECT_EQ(lines[i].x2, expected[i].x2) << i;
        EXPECT_EQ(lines[i].y2, expected[i].y2) << i;
        EXPECT_EQ(lines[i].pen, expected[i].pen) << i;
    }
    EXPECT_TRUE(dc.IsDefaultPen(dc.CurrentPen()));
    // On screen the context's background is set to transparent light grey.
    const auto& calls = dc.Calls();
    ASSERT_GE(calls.size(), 2u);
    EXPECT_EQ(calls[0].kind, DcCall::Kind::SetBkMode);
    EXPECT_TRUE(calls[0].transparent);
    EXPECT_EQ(calls[1].kind, DcCall::Kind::SetBkColor);
    EXPECT_EQ(calls[1].color, (Rgb{192, 192, 192}));
}

TEST(SelectDay, OnDayOneDrawsTheLeftEdgeBlackAcrossTheBandsOnly)
{
    Selection view;
    view.chart.RecordPress(10);
    RecordingDC dc;
    view.chart.SelectDay(dc);
    const std::vector<Segment> lines = dc.Segments();
    ASSERT_GE(lines.size(), 8u);
    EXPECT_EQ(lines[4].x1, 0);
    EXPECT_EQ(lines[4].y1, 0);
    EXPECT_EQ(lines[4].y2, 430);
    EXPECT_EQ(lines[4].pen, kBlack);
    EXPECT_EQ(lines[5].x1, 0);
    EXPECT_EQ(lines[5].y1, 460);
    EXPECT_EQ(lines[5].y2, 520);
    EXPECT_EQ(lines[5].pen, kBlack);
    // No line from the bottom of the curve band to the chart's bottom.
    for (const Segment& s : lines)
        EXPECT_FALSE(s.x1 == 0 && s.y1 == 430 && s.y2 == 550);
    EXPECT_EQ(view.chart.m_day, 1);
}

TEST(SelectDay, LeavesThePrintersBackgroundAlone)
{
    Selection view;
    view.chart.BeginPrinting();
    view.chart.RecordPress(140);
    RecordingDC dc;
    view.chart.SelectDay(dc);
    for (const DcCall& call : dc.Calls()) {
        EXPECT_NE(call.kind, DcCall::Kind::SetBkMode);
        EXPECT_NE(call.kind, DcCall::Kind::SetBkColor);
    }
}

TEST(SelectDay, BeforeAnyPaintDoesNothing)
{
    ChartSetup setup(charttest::kYear, charttest::kMonth, 20);
    setup.chart.RecordPress(140);
    EXPECT_EQ(setup.chart.m_clickX, CChart::kNoPress);
    RecordingDC dc;
    setup.chart.SelectDay(dc);
    EXPECT_TRUE(dc.Calls().empty());
    EXPECT_EQ(setup.chart.m_day, 20);
}

TEST(RecordPress, KeepsTheChartUnitXOfThePress)
{
    ChartSetup setup(2024, 7, 1, DcRect{0, 0, 620, 400});  // 31 days on 620 pixels: 1.5 units per pixel
    RecordingDC dc;
    setup.chart.Draw(dc);
    setup.chart.RecordPress(101);
    EXPECT_EQ(setup.chart.m_clickX, 151);  // 151.5 truncated
    setup.chart.RecordPress(0);
    EXPECT_EQ(setup.chart.m_clickX, 0);
}

}  // namespace
