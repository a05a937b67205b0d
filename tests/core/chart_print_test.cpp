// The printed page: header, rule, the moved drawing rectangle and origin,
// and the chart scaled to the page width, on a printer 2400 units wide.
#include "chart_testing.h"
#include "platform/recordingdc.h"

#include <gtest/gtest.h>

#include <vector>

namespace {

using charttest::ChartSetup;

constexpr int32_t kPageWidth = 2400;
constexpr int32_t kPageHeight = 3300;

// A chart that the window has painted once, then a print job.
struct PrintJob : ChartSetup {
    PrintJob()
    {
        RecordingDC window;
        chart.Draw(window);
        chart.BeginPrinting();
    }
};

TEST(PrintPage, WritesTheHeaderRuleAndChartBelowThem)
{
    PrintJob job;
    RecordingDC printer(kPageWidth);
    DcRect drawRect{0, 0, kPageWidth, kPageHeight};
    job.chart.PrintPage(printer, drawRect);

    const auto& calls = printer.Calls();
    ASSERT_GE(calls.size(), 6u);
    EXPECT_EQ(calls[0].kind, DcCall::Kind::SelectFont);
    EXPECT_EQ(calls[0].font, (FontState{95, 36, 400, "Modern"}));
    EXPECT_EQ(calls[1].kind, DcCall::Kind::TextOut);
    EXPECT_EQ(calls[1].text, "Ada Byron -> Orvina");
    EXPECT_EQ(calls[1].x, 0);
    EXPECT_EQ(calls[1].y, 75);
    // With a cell of 95 the rule lies at 180, drawn with the default pen.
    EXPECT_EQ(calls[2].kind, DcCall::Kind::MoveTo);
    EXPECT_EQ(calls[2].y, 180);
    EXPECT_EQ(calls[3].kind, DcCall::Kind::LineTo);
    EXPECT_EQ(calls[3].fromX, 0);
    EXPECT_EQ(calls[3].x, kPageWidth);
    EXPECT_EQ(calls[3].y, 180);
    EXPECT_EQ(calls[3].pen, (PenState{PenStyle::Solid, 1, Rgb{0, 0, 0}}));
    // The chart begins at 255.
    EXPECT_EQ(drawRect.top, 255);
    EXPECT_EQ(calls[4].kind, DcCall::Kind::SetWindowOrg);
    EXPECT_EQ(calls[4].x, 0);
    EXPECT_EQ(calls[4].y, -255);

    EXPECT_DOUBLE_EQ(job.chart.m_scale, 2400.0 / 900.0);
    // The font put back last is the printer's own.
    EXPECT_EQ(calls.back().kind, DcCall::Kind::SelectFont);
    EXPECT_TRUE(printer.IsDefaultFont(printer.CurrentFont()));
}

TEST(PrintPage, DrawsTheChartAcrossThePageBelowTheHeader)
{
    PrintJob job;
    RecordingDC printer(kPageWidth);
    DcRect drawRect{0, 0, kPageWidth, kPageHeight};
    job.chart.PrintPage(printer, drawRect);

    // The zero line: chart y 0 is 215 x 8/3 = 573 below the chart's top, at 255.
    const std::vector<RecordingDC::Segment> lines = printer.Segments();
    ASSERT_GE(lines.size(), 2u);
    EXPECT_EQ(lines[1].x1, 0);
    EXPECT_EQ(lines[1].x2, kPageWidth);
    EXPECT_EQ(lines[1].y1, 255 + 573);
    // The chart's bottom edge: 550 x 8/3 = 1466.
    int32_t lowest = 0;
    for (const auto& s : lines)
        lowest = std::max({lowest, s.y1, s.y2});
    EXPECT_EQ(lowest, 255 + 1466);
    for (const DcCall& call : printer.Calls())
        EXPECT_NE(call.kind, DcCall::Kind::FillRect);

    // Labels in the fixed paper font: "Physical" at 112.5 units = 300 units of paper.
    const std::vector<RecordingDC::Text> texts = printer.Texts();
    ASSERT_GE(texts.size(), 2u);
    EXPECT_EQ(texts[1].text, "Physical");
    EXPECT_EQ(texts[1].x, 300);
    EXPECT_EQ(texts[1].font, (FontState{80, 26, 400, "Modern"}));
}

TEST(PrintPage, HeaderNamesThePersonOfTheLastPaint)
{
    PrintJob job;
    job.app.m_names.Append(CName("Bea", "1970", "01", "31"));
    job.app.m_chosenIndex = 1;
    RecordingDC printer(kPageWidth);
    DcRect drawRect{0, 0, kPageWidth, kPageHeight};
    job.chart.PrintPage(printer, drawRect);
    EXPECT_EQ(printer.Texts().front().text, "Ada Byron -> Orvina");
    // The page's own paint names the newly chosen person.
    EXPECT_EQ(job.doc.GetTitle(), "Bea");
}

TEST(PrintPage, APrinterWithoutWidthGetsTheHeaderButNoChart)
{
    PrintJob job;
    RecordingDC printer(0);
    DcRect drawRect{0, 0, 0, 0};
    job.chart.PrintPage(printer, drawRect);
    EXPECT_EQ(printer.Texts().size(), 1u);
    EXPECT_EQ(printer.Segments().size(), 1u);
    EXPECT_EQ(job.chart.m_scale, 1.0);
}

TEST(Printing, TheFlagLastsFromBeginToEnd)
{
    ChartSetup setup;
    EXPECT_EQ(setup.chart.m_printing, 0);
    setup.chart.BeginPrinting();
    EXPECT_EQ(setup.chart.m_printing, 1);
    setup.chart.EndPrinting();
    EXPECT_EQ(setup.chart.m_printing, 0);
}

}  // namespace
