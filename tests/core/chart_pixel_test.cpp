// One month drawn through PainterDC into a QImage, checked pixel by pixel.
#include "calc/cycles.h"
#include "chart_testing.h"
#include "platform/painterdc.h"

#include <QImage>
#include <QPainter>
#include <gtest/gtest.h>

#include <array>
#include <cstdlib>

namespace {

using namespace charttest;

TEST(ChartPixels, June2024OnA900By550Image)
{
    RequireGui();
    ChartSetup setup;  // day 15 selected
    QImage image(kViewWidth, kViewHeight, QImage::Format_RGB32);
    image.fill(Qt::white);
    {
        QPainter painter(&image);
        PainterDC dc(painter, image.width());
        setup.chart.Draw(dc);
    }
    const QRgb background = qRgb(192, 192, 192);
    // The title band right of the title holds no line and no text.
    for (int y = 527; y < kViewHeight; ++y) {
        for (int x = 300; x < kViewWidth; ++x)
            ASSERT_EQ(image.pixel(x, y), background) << x << "," << y;
    }
    // Day 15's boundaries: light at x = 420 and 450, black 3 pixels right.
    EXPECT_EQ(image.pixel(420, 465), qRgb(225, 225, 225));
    EXPECT_EQ(image.pixel(423, 465), qRgb(0, 0, 0));
    EXPECT_EQ(image.pixel(450, 465), qRgb(225, 225, 225));
    EXPECT_EQ(image.pixel(453, 465), qRgb(0, 0, 0));
    // The Physical legend sample is solid black from x = 52, the Intuitional one a green dash.
    EXPECT_EQ(image.pixel(52, 445), qRgb(0, 0, 0));
    EXPECT_EQ(image.pixel(80, 445), qRgb(0, 0, 0));
    EXPECT_EQ(image.pixel(639, 445), qRgb(0, 128, 0));

    // Each curve's first pixel of a day lies at its cycle value, in its
    // colour, checked where no curve drawn later passes near it.
    const std::array<QRgb, kCycleCount> colours = {qRgb(0, 0, 0), qRgb(255, 0, 0), qRgb(0, 0, 255), qRgb(0, 128, 0)};
    const int64_t firstAge = DaysFromCivil(kYear, kMonth, 1) - DaysFromCivil(1990, 5, 17);
    auto pointY = [&](int cycle, int32_t day) {
        return ScreenY(430 * CycleValuesAt(static_cast<int32_t>(firstAge + day - 1))[cycle] / 100);
    };
    std::array<int, kCycleCount> checked{};
    for (int cycle = 0; cycle < kCycleCount; ++cycle) {
        for (int32_t day = 1; day < kDays; ++day) {
            const int y = pointY(cycle, day);
            bool clear = true;
            for (int later = cycle + 1; later < kCycleCount; ++later)
                clear = clear && std::abs(pointY(later, day) - y) > 12;
            if (!clear)
                continue;
            EXPECT_EQ(image.pixel(30 * day - 15, y), colours[cycle]) << "cycle " << cycle << " day " << day;
            ++checked[cycle];
        }
    }
    for (int cycle = 0; cycle < kCycleCount; ++cycle)
        EXPECT_GE(checked[cycle], 3) << cycle;
}

}  // namespace
