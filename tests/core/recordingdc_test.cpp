// The recording device context's text metrics. What it records of lines,
// pens, texts and the window origin every chart test relies on.
#include "platform/recordingdc.h"

#include <gtest/gtest.h>

namespace {

TEST(RecordingDC, TextMetricsAreTheFontsOwnSizeOrTheSystemDefault)
{
    const struct { const char* name; int32_t height, width, cell, average; } rows[] = {
        {"header", 95, 36, 95, 36}, {"default", 0, 0, 16, 7}, {"negative is the magnitude", -20, -9, 20, 9}};
    for (const auto& row : rows) {
        SCOPED_TRACE(row.name);
        RecordingDC dc;
        const CFont font(row.height, row.width, kFontWeightNormal, "Modern");
        dc.SelectFont(&font);
        EXPECT_EQ(dc.GetTextMetrics().height, row.cell);
        EXPECT_EQ(dc.GetTextMetrics().aveCharWidth, row.average);
    }
}

}  // namespace
