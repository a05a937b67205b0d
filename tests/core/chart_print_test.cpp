// The printed page: header, rule, the moved drawing rectangle and origin,
// and the chart scaled to the page width, on a printer 2400 units wide.
#include "chart_testing.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <vector>

namespace {

constexpr int32_t kPageWidth = 2400;

// A chart that the window has painted once, then a print job.
struct PrintJob : charttest::ChartSetup {
    PrintJob()
    {
        RecordingDC window;
        chart.Draw(window);
        chart.BeginPrinting();
    }
};

// The header names the person of the window's last paint; the page's own
// pass then names the person chosen since.
TEST(PrintPage, WritesTheHeaderAndRuleThenTheChartAcrossThePageBelowThem)
{
    PrintJob job;
    job.app.m_names.Append(CName("Bea", "1970", "01", "31"));
    job.app.m_chosenIndex = 1;
    RecordingDC printer(kPageWidth);
    DcRect drawRect{0, 0, kPageWidth, 3300};
    job.chart.PrintPage(printer, drawRect);

    const auto& calls = printer.Calls();
    ASSERT_GE(calls.size(), 6u);
    EXPECT_EQ(calls[0].kind, DcCall::Kind::SelectFont);
    EXPECT_EQ(calls[0].font, (FontState{95, 36, 400, "Modern"}));
    EXPECT_EQ(calls[1].kind, DcCall::Kind::TextOut);
    EXPECT_EQ(calls[1].text, "Ada Byron -> Orvina");
    EXPECT_EQ(calls[1].x, 0);
    EXPECT_EQ(calls[1].y, 75);
    EXPECT_EQ(job.doc.GetTitle(), "Bea");
    // With a cell of 95 the rule lies at 95 + 85 = 180, in the printer's own pen.
    EXPECT_EQ(calls[2].kind, DcCall::Kind::MoveTo);
    ASSERT_EQ(calls[3].kind, DcCall::Kind::LineTo);
    EXPECT_EQ((RecordingDC::Segment{calls[3].fromX, calls[3].fromY, calls[3].x, calls[3].y, calls[3].pen}),
              (RecordingDC::Segment{0, 180, kPageWidth, 180, charttest::kBlack}));
    // The chart begins 160 below the header's cell, at 255: the origin moves up by that much.
    EXPECT_EQ(drawRect.top, 255);
    EXPECT_EQ(calls[4].kind, DcCall::Kind::SetWindowOrg);
    EXPECT_EQ(calls[4].x, 0);
    EXPECT_EQ(calls[4].y, -255);

    // The scale is 2400 / 900: the zero line lies 215 x 8/3 = 573 below the
    // chart's top and the chart's bottom 550 x 8/3 = 1466 below it.
    EXPECT_DOUBLE_EQ(job.chart.m_scale, 2400.0 / 900.0);
    const std::vector<RecordingDC::Segment> lines = printer.Segments();
    ASSERT_GE(lines.size(), 2u);
    EXPECT_EQ(lines[1], (RecordingDC::Segment{0, 255 + 573, kPageWidth, 255 + 573, charttest::kBlack}));
    int32_t lowest = 0;
    for (const auto& s : lines)
        lowest = std::max({lowest, s.y1, s.y2});
    EXPECT_EQ(lowest, 255 + 1466);
    // No background on paper; labels in the fixed paper font: "Physical" at
    // 112.5 units = 300 units of paper.
    for (const DcCall& call : calls)
        EXPECT_NE(call.kind, DcCall::Kind::FillRect);
    const std::vector<RecordingDC::Text> texts = printer.Texts();
    ASSERT_GE(texts.size(), 2u);
    EXPECT_EQ(texts[1].text, "Physical");
    EXPECT_EQ(texts[1].x, 300);
    EXPECT_EQ(texts[1].font, (FontState{80, 26, 400, "Modern"}));
    EXPECT_TRUE(printer.IsDefaultFont(printer.CurrentFont()));

    // After the job a press maps with the screen's scale even before the
    // window paints again, and the window gets its background back.
    job.chart.EndPrinting();
    job.chart.RecordPress(450);
    EXPECT_EQ(job.chart.m_clickX, 450);
    RecordingDC window;
    job.chart.Draw(window);
    ASSERT_GE(window.Calls().size(), 2u);
    EXPECT_EQ(window.Calls()[1].kind, DcCall::Kind::FillRect);
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

}  // namespace
