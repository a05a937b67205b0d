// The ruling of the chart: every line of DrawGrid with the pen it is drawn in.
#include "chart_testing.h"

#include <gtest/gtest.h>

#include <vector>

namespace {

using namespace charttest;
using Segment = RecordingDC::Segment;

// Device heights of the 900 x 550 frame.
constexpr int32_t kZero = 215;             // chart y 0
constexpr int32_t kCurveBottom = 430;      // -430
constexpr int32_t kBlackRule = 429;        // -428
constexpr int32_t kWeekdayTop = 460;       // -490
constexpr int32_t kLightRule = 519;        // -608
constexpr int32_t kDayNumberBottom = 520;  // -610

// The grid as the finished picture shows it: the horizontal rules, then
// every boundary from the left edge to the right, the selected day's two
// boundaries as a light line with a black one 3 units (3 pixels) to its right.
std::vector<Segment> ExpectedGrid(int32_t day)
{
    std::vector<Segment> lines = {
        {0, kZero, 900, kZero, kBlack},
        {0, kCurveBottom, 900, kCurveBottom, kLight},
        {0, kBlackRule, 900, kBlackRule, kBlack},
        {0, kWeekdayTop, 900, kWeekdayTop, kBlack},
        {0, kLightRule, 900, kLightRule, kLight},
        {0, kDayNumberBottom, 900, kDayNumberBottom, kBlack},
    };
    auto boundary = [&lines](int32_t x, PenState pen) {
        lines.push_back({x, 0, x, kCurveBottom, pen});
        lines.push_back({x, kWeekdayTop, x, kDayNumberBottom, pen});
    };
    for (int32_t k = 0; k <= kDays; ++k) {
        const bool framed = k == day - 1 || k == day;
        if (framed) {
            boundary(30 * k, kLight);
            boundary(30 * k + 3, kBlack);
        } else {
            boundary(30 * k, k == 0 ? kSolidGrey : kDottedGrey);
        }
        // The left edge runs on down to the bottom of the chart.
        if (k == 0)
            lines.push_back({0, kCurveBottom, 0, 550, framed ? kBlack : kSolidGrey});
    }
    return lines;
}

TEST(Grid, DrawsEveryLineWithItsPen)
{
    const struct { const char* name; int32_t day; } rows[] = {
        {"middle day", 15}, {"first day", 1}, {"last day", 30}, {"beyond the month", 31}};
    for (const auto& row : rows) {
        SCOPED_TRACE(row.name);
        ChartSetup setup(kYear, kMonth, row.day);
        RecordingDC pass;
        setup.chart.Draw(pass);
        RecordingDC dc;
        setup.chart.DrawGrid(dc);
        const std::vector<Segment> lines = dc.Segments();
        const std::vector<Segment> expected = ExpectedGrid(row.day);
        ASSERT_EQ(lines.size(), expected.size());
        for (size_t i = 0; i < lines.size(); ++i)
            EXPECT_EQ(lines[i], expected[i]) << "line " << i;
        // The step puts back the pen it found.
        EXPECT_TRUE(dc.IsDefaultPen(dc.CurrentPen()));
    }
}

TEST(Grid, WithoutALaidOutFrameDrawsOnlyTheRulesAndEnds)
{
    ChartSetup setup;
    RecordingDC dc;
    // Before any pass the day width is 0: the boundary walk must not loop.
    setup.chart.DrawGrid(dc);
    EXPECT_EQ(dc.Segments().size(), 6u);
}

}  // namespace
