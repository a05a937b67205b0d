// The chart-unit frame that LayoutChart lays onto the client rectangle, the
// four mappings between chart units and device units, and the passes that
// draw nothing.
#include "chart_testing.h"

#include <gtest/gtest.h>

namespace {

using charttest::ChartSetup;

TEST(ChartLayout, MapsAThirtyDayMonthOntoA900By550View)
{
    ChartSetup setup;
    RecordingDC dc;
    setup.chart.Draw(dc);
    const CChart& chart = setup.chart;
    // 'x' and 'y' map to the device, 'X' and 'Y' back.
    const struct { const char* name; char axis; double in; int32_t out; } rows[] = {
        {"one day", 'x', 30.0, 30},
        {"right edge", 'x', 900.0, 900},
        {"just left of the chart truncates to 0, not -1", 'x', -0.5, 0},
        {"top", 'y', 430.0, 0},
        {"zero line", 'y', 0.0, 215},
        {"bottom of the curve band", 'y', -430.0, 430},
        {"bottom", 'y', -670.0, 550},
        {"below the curve band", 'y', -433.0, 431},
        {"device x back", 'X', 450.0, 450},
        {"device top back", 'Y', 0.0, 430},
        {"device middle back", 'Y', 215.0, 0},
        {"device bottom back", 'Y', 550.0, -670},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.name);
        switch (row.axis) {
        case 'x': EXPECT_EQ(chart.WorldToDeviceX(row.in), row.out); break;
        case 'y': EXPECT_EQ(chart.WorldToDeviceY(row.in), row.out); break;
        case 'X': EXPECT_EQ(chart.DeviceToWorldX(row.in), row.out); break;
        case 'Y': EXPECT_EQ(chart.DeviceToWorldY(row.in), row.out); break;
        }
    }
    // The background mode is set first, then the client area is filled light
    // grey once, before any line.
    const auto& calls = dc.Calls();
    ASSERT_GE(calls.size(), 3u);
    EXPECT_EQ(calls[0].kind, DcCall::Kind::SetBkMode);
    EXPECT_TRUE(calls[0].transparent);
    ASSERT_EQ(calls[1].kind, DcCall::Kind::FillRect);
    EXPECT_EQ(calls[1].rect.right, 900);
    EXPECT_EQ(calls[1].rect.bottom, 550);
    EXPECT_EQ(calls[1].color, (Rgb{192, 192, 192}));
    for (size_t i = 2; i < calls.size(); ++i)
        EXPECT_NE(calls[i].kind, DcCall::Kind::FillRect) << i;
}

// A minimised window, a collapsed splitter, a printer that reports no width
// or a month without days gets no pass at all instead of a division by zero,
// and the last frame stays.
TEST(ChartLayout, NothingToDrawOnDrawsNothing)
{
    const struct { const char* name; DcRect client; int32_t month; bool printing; } rows[] = {
        {"zero width", DcRect{0, 0, 0, 550}, 6, false},
        {"zero height", DcRect{0, 0, 900, 0}, 6, false},
        {"inverted", DcRect{0, 0, -5, -5}, 6, false},
        {"printer without width", DcRect{0, 0, 900, 550}, 6, true},
        {"month 13", DcRect{0, 0, 900, 550}, 13, false},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.name);
        ChartSetup setup;
        // Before any pass every point maps to the origin.
        EXPECT_EQ(setup.chart.WorldToDeviceX(450.0), 0);
        EXPECT_EQ(setup.chart.DeviceToWorldY(100.0), 0);
        RecordingDC first;
        setup.chart.Draw(first);
        setup.chart.SetClientRect(row.client);
        setup.chart.m_month = row.month;
        if (row.printing)
            setup.chart.BeginPrinting();
        RecordingDC dc(0);
        setup.chart.Draw(dc);
        EXPECT_TRUE(dc.Calls().empty());
        EXPECT_EQ(setup.chart.WorldToDeviceX(900.0), 900);
    }
}

}  // namespace
