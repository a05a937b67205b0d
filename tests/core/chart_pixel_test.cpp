// One month drawn through PainterDC into a QImage: the background, the zero
// line and points of the curves, checked pixel by pixel.
#include "calc/cycles.h"
#include "chart_testing.h"
#include "platform/painterdc.h"

#include <QImage>
#include <QPainter>
#include <gtest/gtest.h>

#include <array>
#include <cstdlib>

namespace {

using charttest::ChartSetup;
using charttest::DaysFromCivil;

constexpr std::array<QRgb, kCycleCount> kCurveColours = {qRgb(0, 0, 0), qRgb(255, 0, 0), qRgb(0, 0, 255),
                                                         qRgb(0, 128, 0)};
const QRgb kBackground = qRgb(192, 192, 192);

class ChartPixels : public ::testing::Test {
protected:
    void SetUp() override
    {
        charttest::RequireGui();
        m_image = QImage(charttest::kViewWidth, charttest::kViewHeight, QImage::Format_RGB32);
        m_image.fill(Qt::white);
        QPainter painter(&m_image);
        PainterDC dc(painter, m_image.width());
        m_setup.chart.Draw(dc);

        // Device y of each cycle's point on each day, from the cycle values.
        const int64_t firstAge = DaysFromCivil(charttest::kYear, charttest::kMonth, 1) - DaysFromCivil(1990, 5, 17);
        for (int32_t day = 1; day <= charttest::kDays; ++day) {
            const CycleValues values = CycleValuesAt(static_cast<int32_t>(firstAge + day - 1));
            for (int cycle = 0; cycle < kCycleCount; ++cycle)
                m_pointY[cycle][day] = (430 - 430 * values[cycle] / 100) / 2;
        }
    }

    // The curve's device y at device x, between the points of the days around it.
    double CurveY(int cycle, int x) const
    {
        const int day = std::clamp((x - 15) / 30 + 1, 1, charttest::kDays - 1);
        const double t = (x - (15 + 30 * (day - 1))) / 30.0;
        return m_pointY[cycle][day] + t * (m_pointY[cycle][day + 1] - m_pointY[cycle][day]);
    }

    ChartSetup m_setup;
    QImage m_image;
    std::array<std::array<int32_t, 32>, kCycleCount> m_pointY{};
};

TEST_F(ChartPixels, TheBackgroundIsLightGreyWhereNothingIsDrawn)
{
    // The title band right of the title holds no line and no text.
    for (int y = 527; y < charttest::kViewHeight; ++y) {
        for (int x = 300; x < charttest::kViewWidth; ++x)
            ASSERT_EQ(m_image.pixel(x, y), kBackground) << x << "," << y;
    }
}

TEST_F(ChartPixels, TheZeroLineIsBlackWhereNoCurveCrossesIt)
{
    int checked = 0;
    for (int column = 0; column < charttest::kDays; ++column) {
        const int x = 30 * column + 10;  // clear of boundaries and their frames
        bool clear = x > 15 && x < 885;
        for (int cycle = 0; cycle < kCycleCount && clear; ++cycle)
            clear = std::abs(CurveY(cycle, x) - 215) > 12;
        if (!clear)
            continue;
        EXPECT_EQ(m_image.pixel(x, 215), qRgb(0, 0, 0)) << x;
        EXPECT_EQ(m_image.pixel(x, 214), kBackground) << x;
        EXPECT_EQ(m_image.pixel(x, 216), kBackground) << x;
        ++checked;
    }
    EXPECT_GE(checked, 5);
}

TEST_F(ChartPixels, EachCurveStartsItsDayInItsColour)
{
    // A point is checked where no curve drawn later passes near it.
    std::array<int, kCycleCount> checked{};
    for (int cycle = 0; cycle < kCycleCount; ++cycle) {
        for (int32_t day = 1; day < charttest::kDays; ++day) {
            const int x = 15 + 30 * (day - 1);
            const int y = m_pointY[cycle][day];
            bool clear = true;
            for (int later = cycle + 1; later < kCycleCount; ++later)
                clear = clear && std::abs(m_pointY[later][day] - y) > 12 && std::abs(CurveY(later, x) - y) > 12;
            if (!clear)
                continue;
            EXPECT_EQ(m_image.pixel(x, y), kCurveColours[cycle]) << "cycle " << cycle << " day " << day;
            ++checked[cycle];
        }
    }
    for (int cycle = 0; cycle < kCycleCount; ++cycle)
        EXPECT_GE(checked[cycle], 3) << cycle;
}

TEST_F(ChartPixels, TheSelectedDayIsFramedAndTheLegendSamplesDrawn)
{
    // Day 15: light at x = 420 and 450, black at 423 and 453, in the weekday band.
    EXPECT_EQ(m_image.pixel(420, 465), qRgb(225, 225, 225));
    EXPECT_EQ(m_image.pixel(423, 465), qRgb(0, 0, 0));
    EXPECT_EQ(m_image.pixel(450, 465), qRgb(225, 225, 225));
    EXPECT_EQ(m_image.pixel(453, 465), qRgb(0, 0, 0));
    // The Physical sample is solid black from x = 52, the Intuitional one a green dash.
    EXPECT_EQ(m_image.pixel(52, 445), qRgb(0, 0, 0));
    EXPECT_EQ(m_image.pixel(80, 445), qRgb(0, 0, 0));
    EXPECT_EQ(m_image.pixel(639, 445), qRgb(0, 128, 0));
}

TEST_F(ChartPixels, TheLabelsPutInkInTheirBands)
{
    auto inked = [this](int left, int top, int right, int bottom) {
        for (int y = top; y < bottom; ++y) {
            for (int x = left; x < right; ++x) {
                if (qGray(m_image.pixel(x, y)) < 64)
                    return true;
            }
        }
        return false;
    };
    EXPECT_TRUE(inked(112, 431, 200, 456));  // "Physical"
    EXPECT_TRUE(inked(4, 462, 29, 487));     // "Sa"
    EXPECT_TRUE(inked(874, 490, 899, 515));  // "30"
    EXPECT_TRUE(inked(4, 521, 120, 546));    // "June 2024"
}

}  // namespace
