// Day selection: the press's chart-unit x, the day the release selects and
// the column edges it draws at once.
#include "chart_testing.h"

#include <gtest/gtest.h>

#include <optional>
#include <set>
#include <vector>

namespace {

using namespace charttest;
using Segment = RecordingDC::Segment;

// What a release draws: the four rules in the context's pen, then every
// boundary, black where `black` says, the left edge solid grey over the full
// height unless it is black, the others dotted.
std::vector<Segment> ExpectedSelection(const std::set<int32_t>& black)
{
    std::vector<Segment> lines = {
        {0, 215, 900, 215, kBlack}, {0, 430, 900, 430, kBlack}, {0, 460, 900, 460, kBlack}, {0, 520, 900, 520, kBlack}};
    for (int32_t k = 0; k <= kDays; ++k) {
        const int32_t x = 30 * k;
        if (k == 0 && black.count(0) == 0) {
            lines.push_back({0, 0, 0, 430, kSolidGrey});
            lines.push_back({0, 430, 0, 550, kSolidGrey});
            continue;
        }
        const PenState pen = black.count(k) != 0 ? kBlack : kDottedGrey;
        lines.push_back({x, 0, x, 430, pen});
        lines.push_back({x, 460, x, 520, pen});
    }
    return lines;
}

// June 2024 on a 900 x 550 view after one paint, day 20 selected.
TEST(SelectDay, SelectsTheColumnOfThePressAndDrawsItsEdges)
{
    const struct {
        const char* name;
        std::optional<int32_t> pressX;  // device x of the press; none: a release without a press
        bool printing;
        int32_t day;               // the selected day afterwards
        std::set<int32_t> black;   // the boundaries drawn black
    } rows[] = {
        {"inside day five", 140, false, 5, {4, 5}},
        {"first pixel of day one", 0, false, 1, {0, 1}},
        {"last pixel of day one", 29, false, 1, {0, 1}},
        // A press on a boundary belongs to the column that starts there.
        {"on the boundary of days five and six", 150, false, 6, {5, 6}},
        {"last pixel of the view", 899, false, 30, {29, 30}},
        // Beyond the last column no day is selected; the right edge starts
        // the column that would follow.
        {"right of the chart", 905, false, 20, {30}},
        {"no press", std::nullopt, false, 20, {}},
        // A printer's background is left alone.
        {"printing", 140, true, 5, {4, 5}},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.name);
        ChartSetup setup(kYear, kMonth, 20);
        RecordingDC paint;
        setup.chart.Draw(paint);
        if (row.printing)
            setup.chart.BeginPrinting();
        if (row.pressX)
            setup.chart.RecordPress(*row.pressX);
        RecordingDC dc;
        setup.chart.SelectDay(dc);
        EXPECT_EQ(setup.chart.m_day, row.day);
        const std::vector<Segment> lines = dc.Segments();
        const std::vector<Segment> expected = ExpectedSelection(row.black);
        ASSERT_EQ(lines.size(), expected.size());
        for (size_t i = 0; i < lines.size(); ++i)
            EXPECT_EQ(lines[i], expected[i]) << "line " << i;
        EXPECT_TRUE(dc.IsDefaultPen(dc.CurrentPen()));
        // On screen the background is set to transparent light grey first.
        const auto& calls = dc.Calls();
        const bool background = calls[0].kind == DcCall::Kind::SetBkMode && calls[0].transparent &&
                                calls[1].kind == DcCall::Kind::SetBkColor && calls[1].color == Rgb{192, 192, 192};
        EXPECT_EQ(background, !row.printing);
        for (size_t i = 2; i < calls.size(); ++i)
            EXPECT_TRUE(calls[i].kind != DcCall::Kind::SetBkMode && calls[i].kind != DcCall::Kind::SetBkColor);
    }
}

TEST(SelectDay, BeforeAnyPaintDoesNothing)
{
    ChartSetup setup(kYear, kMonth, 20);
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
}

}  // namespace
