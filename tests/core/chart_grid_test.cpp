// The ruling of the chart: every line of DrawGrid with the pen it is drawn in.
#include "chart_testing.h"
#include "platform/recordingdc.h"

#include <gtest/gtest.h>

#include <vector>

namespace {

using charttest::ChartSetup;
using Segment = RecordingDC::Segment;

constexpr PenState kDefaultPen{PenStyle::Solid, 1, Rgb{0, 0, 0}};
constexpr PenState kBlack{PenStyle::Solid, 1, Rgb{0, 0, 0}};
constexpr PenState kLight{PenStyle::Solid, 1, Rgb{225, 225, 225}};
constexpr PenState kSolidGrey{PenStyle::Solid, 1, Rgb{128, 128, 128}};
constexpr PenState kDottedGrey{PenStyle::Dot, 1, Rgb{128, 128, 128}};

// Device heights of the 900 x 550 frame: y = (430 - chart y) / 2.
constexpr int32_t kTop = 0;          // +430
constexpr int32_t kZero = 215;       // 0
constexpr int32_t kCurveBottom = 430;  // -430
constexpr int32_t kBlackRule = 429;  // -428
constexpr int32_t kWeekdayTop = 460;   // -490
constexpr int32_t kLightRule = 519;  // -608
constexpr int32_t kDayNumberBottom = 520;  // -610
constexpr int32_t kBottom = 550;     // -670

std::vector<Segment> GridOf(int32_t day, RecordingDC& dc)
{
    ChartSetup setup(charttest::kYear, charttest::kMonth, day);
    RecordingDC pass;
    setup.chart.Draw(pass);
    setup.chart.DrawGrid(dc);
    return dc.Segments();
}

// The grid as the finished picture shows it: the horizontal rules, then
// every boundary from the left edge to the right, the selected day's two
// boundaries as a light line with a black one 3 units (3 pixels) to its right.
std::vector<Segment> ExpectedGrid(int32_t day)
{
    std::vector<Segment> lines = {
        {0, kZero, 900, kZero, kDefaultPen},
        {0, kCurveBottom, 900, kCurveBottom, kLight},
        {0, kBlackRule, 900, kBlackRule, kBlack},
        {0, kWeekdayTop, 900, kWeekdayTop, kBlack},
        {0, kLightRule, 900, kLightRule, kLight},
        {0, kDayNumberBottom, 900, kDayNumberBottom, kBlack},
    };
    auto boundary = [&lines](int32_t x, PenState pen) {
        lines.push_back({x, kTop, x, kCurveBottom, pen});
        lines.push_back({x, kWeekdayTop, x, kDayNumberBottom, pen});
    };
    for (int32_t k = 0; k <= charttest::kDays; ++k) {
        const int32_t x = 30 * k;
        const bool framed = k == day - 1 || k == day;
        if (framed) {
            boundary(x, kLight);
            boundary(x + 3, kBlack);
        } else {
            boundary(x, k == 0 ? kSolidGrey : kDottedGrey);
        }
        // The left edge runs on down to the bottom of the chart.
        if (k == 0)
            lines.push_back({0, kCurveBottom, 0, kBottom, framed ? kBlack : kSolidGrey});
    }
    return lines;
}

struct GridRow {
    const char* name;
    int32_t day;
};

class Grid : public ::testing::TestWithParam<GridRow> {};

TEST_P(Grid, DrawsEveryLineWithItsPen)
{
    RecordingDC dc;
    const std::vector<Segment> lines = GridOf(GetParam().day, dc);
    const std::vector<Segment> expected = ExpectedGrid(GetParam().day);
    ASSERT_EQ(lines.size(), expected.size());
    for (size_t i = 0; i < lines.size(); ++i)
        EXPECT_EQ(lines[i], expected[i]) << "line " << i;
    // The step puts back the pen it found.
    EXPECT_TRUE(dc.IsDefaultPen(dc.CurrentPen()));
}

INSTANTIATE_TEST_SUITE_P(Chart, Grid,
                         ::testing::Values(GridRow{"MiddleDay", 15}, GridRow{"FirstDay", 1}, GridRow{"LastDay", 30},
                                           GridRow{"OneBeyondTheMonth", 31}, GridRow{"TwoBeyondTheMonth", 32}),
                         [](const ::testing::TestParamInfo<GridRow>& info) { return std::string(info.param.name); });

TEST(Grid, WithoutALaidOutFrameDrawsOnlyTheRulesAndEnds)
{
    ChartSetup setup;
    RecordingDC dc;
    // Before any pass the day width is 0: the boundary walk must not loop.
    setup.chart.DrawGrid(dc);
    EXPECT_EQ(dc.Segments().size(), 6u);
}

}  // namespace
