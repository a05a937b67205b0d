// The chart-unit frame that LayoutChart lays onto the client rectangle, and
// the four mappings between chart units and device units.
#include "chart_testing.h"
#include "platform/recordingdc.h"

#include <gtest/gtest.h>

namespace {

using charttest::ChartSetup;

struct MappingRow {
    const char* name;
    char axis;  // 'x' forward, 'y' forward, 'X' inverse, 'Y' inverse
    double in;
    int32_t out;
};

class ScreenMapping : public ::testing::TestWithParam<MappingRow> {};

TEST_P(ScreenMapping, FollowsTheFrameOfA900By550View)
{
    ChartSetup setup;
    RecordingDC dc;
    setup.chart.Draw(dc);
    const MappingRow& row = GetParam();
    const CChart& chart = setup.chart;
    switch (row.axis) {
    case 'x': EXPECT_EQ(chart.WorldToDeviceX(row.in), row.out); break;
    case 'y': EXPECT_EQ(chart.WorldToDeviceY(row.in), row.out); break;
    case 'X': EXPECT_EQ(chart.DeviceToWorldX(row.in), row.out); break;
    case 'Y': EXPECT_EQ(chart.DeviceToWorldY(row.in), row.out); break;
    }
}

INSTANTIATE_TEST_SUITE_P(
    Chart, ScreenMapping,
    ::testing::Values(MappingRow{"x30", 'x', 30.0, 30}, MappingRow{"x900", 'x', 900.0, 900},
                      MappingRow{"xHalfUnit", 'x', 0.5, 0},
                      // Just left of the chart: -0.5 truncates toward zero to 0, not -1.
                      MappingRow{"xJustLeftTruncatesToZero", 'x', -0.5, 0},
                      MappingRow{"yTop", 'y', 430.0, 0}, MappingRow{"yZeroLine", 'y', 0.0, 215},
                      MappingRow{"yCurveBottom", 'y', -430.0, 430}, MappingRow{"yBottom", 'y', -670.0, 550},
                      MappingRow{"yBelowCurveBand", 'y', -433.0, 431},
                      MappingRow{"yJustAboveTop", 'y', 431.0, 0}, MappingRow{"inverseY215", 'Y', 215.0, 0},
                      MappingRow{"inverseX450", 'X', 450.0, 450}, MappingRow{"inverseYTop", 'Y', 0.0, 430},
                      MappingRow{"inverseYBottom", 'Y', 550.0, -670}),
    [](const ::testing::TestParamInfo<MappingRow>& info) { return std::string(info.param.name); });

struct FrameRow {
    const char* name;
    int32_t year;
    int32_t month;
    double worldRight;
};

class FrameWidth : public ::testing::TestWithParam<FrameRow> {};

TEST_P(FrameWidth, IsThirtyUnitsPerDayOfTheMonth)
{
    const FrameRow& row = GetParam();
    ChartSetup setup(row.year, row.month);
    RecordingDC dc;
    setup.chart.Draw(dc);
    EXPECT_EQ(setup.chart.m_worldRight, row.worldRight);
    EXPECT_EQ(setup.chart.m_dayCount, static_cast<int32_t>(row.worldRight / 30));
    // Whatever the month, the last day's right edge is the client's right edge.
    EXPECT_EQ(setup.chart.WorldToDeviceX(row.worldRight), charttest::kViewWidth);
}

INSTANTIATE_TEST_SUITE_P(Chart, FrameWidth,
                         ::testing::Values(FrameRow{"February2023", 2023, 2, 840.0},
                                           FrameRow{"February2024", 2024, 2, 870.0},
                                           FrameRow{"February1900NoCenturyRule", 1900, 2, 870.0},
                                           FrameRow{"June2024", 2024, 6, 900.0},
                                           FrameRow{"July2024", 2024, 7, 930.0}),
                         [](const ::testing::TestParamInfo<FrameRow>& info) { return std::string(info.param.name); });

TEST(ChartLayout, SetsTheBandsAndFillsTheScreenBackgroundFirst)
{
    ChartSetup setup;
    RecordingDC dc;
    setup.chart.Draw(dc);
    const CChart& chart = setup.chart;
    EXPECT_EQ(chart.m_devRight, 900.0);
    EXPECT_EQ(chart.m_devBottom, 550.0);
    EXPECT_EQ(chart.m_worldTop, 430.0);
    EXPECT_EQ(chart.m_worldBottom, -670.0);
    EXPECT_EQ(chart.m_curveBottom, -430.0);
    EXPECT_EQ(chart.m_legendBottom, -490.0);
    EXPECT_EQ(chart.m_weekdayBottom, -550.0);
    EXPECT_EQ(chart.m_dayNumberBottom, -610.0);
    EXPECT_EQ(chart.m_dayWidth, 30.0);
    EXPECT_EQ(chart.m_scale, 1.0);

    // The background mode is set before anything else, then the whole client
    // area is filled light grey before any line is drawn.
    const auto& calls = dc.Calls();
    ASSERT_GE(calls.size(), 3u);
    EXPECT_EQ(calls[0].kind, DcCall::Kind::SetBkMode);
    EXPECT_TRUE(calls[0].transparent);
    ASSERT_EQ(calls[1].kind, DcCall::Kind::FillRect);
    EXPECT_EQ(calls[1].rect.left, 0);
    EXPECT_EQ(calls[1].rect.top, 0);
    EXPECT_EQ(calls[1].rect.right, 900);
    EXPECT_EQ(calls[1].rect.bottom, 550);
    EXPECT_EQ(calls[1].color, (Rgb{192, 192, 192}));
    int fills = 0;
    for (const DcCall& call : calls)
        fills += call.kind == DcCall::Kind::FillRect ? 1 : 0;
    EXPECT_EQ(fills, 1);
}

TEST(ChartLayout, PrintingFillsNothingAndScalesToThePageWidth)
{
    ChartSetup setup;
    RecordingDC printer(2400);
    setup.chart.BeginPrinting();
    setup.chart.Draw(printer);
    EXPECT_DOUBLE_EQ(setup.chart.m_scale, 2400.0 / 900.0);
    EXPECT_EQ(setup.chart.WorldToDeviceX(900.0), 2400);
    // The height keeps the window's proportions: 550 x 2400 / 900.
    EXPECT_EQ(setup.chart.WorldToDeviceY(-670.0), 1466);
    for (const DcCall& call : printer.Calls())
        EXPECT_NE(call.kind, DcCall::Kind::FillRect);
}

struct EmptyViewRow {
    const char* name;
    DcRect client;
    bool printing;
    int32_t horzRes;
};

class EmptyView : public ::testing::TestWithParam<EmptyViewRow> {};

// A minimised window, a collapsed splitter or a printer that reports no width
// gets no pass at all instead of a division by zero.
TEST_P(EmptyView, DrawsNothingAndKeepsTheLastFrame)
{
    const EmptyViewRow& row = GetParam();
    ChartSetup setup;
    RecordingDC first;
    setup.chart.Draw(first);

    setup.chart.SetClientRect(row.client);
    if (row.printing)
        setup.chart.BeginPrinting();
    RecordingDC dc(row.horzRes);
    setup.chart.Draw(dc);
    EXPECT_TRUE(dc.Calls().empty());
    EXPECT_EQ(setup.chart.m_devRight, 900.0);
    EXPECT_EQ(setup.chart.m_scale, 1.0);
    EXPECT_EQ(setup.chart.WorldToDeviceX(900.0), 900);
}

INSTANTIATE_TEST_SUITE_P(Chart, EmptyView,
                         ::testing::Values(EmptyViewRow{"ZeroWidth", DcRect{0, 0, 0, 550}, false, 0},
                                           EmptyViewRow{"ZeroHeight", DcRect{0, 0, 900, 0}, false, 0},
                                           EmptyViewRow{"Inverted", DcRect{0, 0, -5, -5}, false, 0},
                                           EmptyViewRow{"PrinterWithoutWidth", DcRect{0, 0, 900, 550}, true, 0}),
                         [](const ::testing::TestParamInfo<EmptyViewRow>& info) {
                             return std::string(info.param.name);
                         });

TEST(ChartLayout, MappingsBeforeAnyPassGiveTheOriginWithoutDividing)
{
    ChartSetup setup;
    EXPECT_EQ(setup.chart.WorldToDeviceX(450.0), 0);
    EXPECT_EQ(setup.chart.WorldToDeviceY(-200.0), 0);
    EXPECT_EQ(setup.chart.DeviceToWorldX(450.0), 0);
    EXPECT_EQ(setup.chart.DeviceToWorldY(100.0), 0);
}

}  // namespace
