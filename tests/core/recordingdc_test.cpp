// The recording device context: what it keeps of each call.
#include "platform/recordingdc.h"

#include <gtest/gtest.h>

namespace {

TEST(RecordingDC, KeepsLinesWithTheirStartAndPenInDeviceCoordinates)
{
    RecordingDC dc;
    const CPen red(PenStyle::Dot, 1, Rgb{255, 0, 0});
    dc.MoveTo(1, 2);
    dc.LineTo(3, 4);
    const CPen* previous = dc.SelectPen(&red);
    EXPECT_TRUE(dc.IsDefaultPen(previous));
    dc.LineTo(5, 6);
    dc.SetWindowOrg(100, -50);
    dc.MoveTo(100, 0);
    dc.LineTo(110, 10);
    EXPECT_EQ(dc.SelectPen(previous), &red);

    const auto segments = dc.Segments();
    ASSERT_EQ(segments.size(), 3u);
    EXPECT_EQ(segments[0].x1, 1);
    EXPECT_EQ(segments[0].y1, 2);
    EXPECT_EQ(segments[0].x2, 3);
    EXPECT_EQ(segments[0].y2, 4);
    EXPECT_EQ(segments[0].pen, (PenState{PenStyle::Solid, 1, Rgb{0, 0, 0}}));
    // A line goes on from where the last one ended.
    EXPECT_EQ(segments[1].x1, 3);
    EXPECT_EQ(segments[1].y1, 4);
    EXPECT_EQ(segments[1].pen, (PenState{PenStyle::Dot, 1, Rgb{255, 0, 0}}));
    // Logical (100, 0) lies at device (0, 50) under the origin (100, -50).
    EXPECT_EQ(segments[2].x1, 0);
    EXPECT_EQ(segments[2].y1, 50);
    EXPECT_EQ(segments[2].x2, 10);
    EXPECT_EQ(segments[2].y2, 60);
    EXPECT_TRUE(dc.IsDefaultPen(dc.CurrentPen()));
}

TEST(RecordingDC, KeepsTextsWithTheirFontAndFillsWithTheirColour)
{
    RecordingDC dc;
    const CFont font(80, 26, kFontWeightNormal, "Modern");
    const CFont* previous = dc.SelectFont(&font);
    dc.SetWindowOrg(0, -255);
    dc.TextOut(4, 10, "June 2024");
    dc.FillRect(DcRect{0, 0, 10, 20}, Rgb{1, 2, 3});
    dc.SelectFont(previous);
    dc.TextOut(0, 0, "x");

    const auto texts = dc.Texts();
    ASSERT_EQ(texts.size(), 2u);
    EXPECT_EQ(texts[0].text, "June 2024");
    EXPECT_EQ(texts[0].x, 4);
    EXPECT_EQ(texts[0].y, 265);
    EXPECT_EQ(texts[0].font, (FontState{80, 26, 400, "Modern"}));
    EXPECT_EQ(texts[1].font.height, 0);

    const DcCall* fill = nullptr;
    for (const DcCall& call : dc.Calls())
        fill = call.kind == DcCall::Kind::FillRect ? &call : fill;
    ASSERT_NE(fill, nullptr);
    EXPECT_EQ(fill->rect.top, 255);
    EXPECT_EQ(fill->rect.bottom, 275);
    EXPECT_EQ(fill->color, (Rgb{1, 2, 3}));
}

struct MetricsRow {
    const char* name;
    int32_t height;
    int32_t width;
    int32_t cell;
    int32_t average;
};

class RecordedMetrics : public ::testing::TestWithParam<MetricsRow> {};

TEST_P(RecordedMetrics, AreTheFontsOwnSizeOrTheSystemDefault)
{
    const MetricsRow& row = GetParam();
    RecordingDC dc;
    const CFont font(row.height, row.width, kFontWeightNormal, "Modern");
    dc.SelectFont(&font);
    const DcTextMetrics metrics = dc.GetTextMetrics();
    EXPECT_EQ(metrics.height, row.cell);
    EXPECT_EQ(metrics.aveCharWidth, row.average);
}

INSTANTIATE_TEST_SUITE_P(RecordingDC, RecordedMetrics,
                         ::testing::Values(MetricsRow{"Header", 95, 36, 95, 36}, MetricsRow{"Default", 0, 0, 16, 7},
                                           MetricsRow{"NegativeIsMagnitude", -20, -9, 20, 9}),
                         [](const ::testing::TestParamInfo<MetricsRow>& info) { return std::string(info.param.name); });

TEST(RecordingDC, ANullSelectionPutsTheDefaultBack)
{
    RecordingDC dc;
    const CPen pen(PenStyle::Dash, 1, Rgb{0, 128, 0});
    dc.SelectPen(&pen);
    EXPECT_EQ(dc.SelectPen(nullptr), &pen);
    EXPECT_TRUE(dc.IsDefaultPen(dc.CurrentPen()));
}

}  // namespace
