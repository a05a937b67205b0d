// PainterDC on a QImage: pen patterns, fills, the window origin, fonts with
// the asked cell height and average width, text placement and decoding.
#include "chart_testing.h"
#include "platform/painterdc.h"

#include <QFontInfo>
#include <QFontMetricsF>
#include <QImage>
#include <QPainter>
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <string>

namespace {

constexpr QRgb kWhite = 0xFFFFFFFF;
constexpr Rgb kRed{255, 0, 0};

class PainterDCTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        charttest::RequireGui();
        m_image = QImage(120, 80, QImage::Format_RGB32);
        m_image.fill(kWhite);
    }

    // The pixels of row y from x = 0, '#' for drawn and '.' for untouched.
    std::string Row(int y, int width) const
    {
        std::string row;
        for (int x = 0; x < width; ++x)
            row += m_image.pixel(x, y) == kWhite ? '.' : '#';
        return row;
    }

    QImage m_image;
};

struct PatternRow {
    const char* name;
    PenStyle style;
    const char* pixels;  // the first 40 pixels of a line from x = 0 to x = 40
};

class PenPattern : public PainterDCTest, public ::testing::WithParamInterface<PatternRow> {};

TEST_P(PenPattern, FollowsTheCosmeticStyleAndLeavesOutTheEndPoint)
{
    const PatternRow& row = GetParam();
    {
        QPainter painter(&m_image);
        PainterDC dc(painter, m_image.width());
        const CPen pen(row.style, 1, Rgb{0, 0, 0});
        dc.SelectPen(&pen);
        dc.MoveTo(0, 10);
        dc.LineTo(40, 10);
    }
    EXPECT_EQ(Row(10, 41), std::string(row.pixels) + ".");
    EXPECT_EQ(Row(9, 41), std::string(41, '.'));
    EXPECT_EQ(Row(11, 41), std::string(41, '.'));
}

INSTANTIATE_TEST_SUITE_P(PainterDC, PenPattern,
                         ::testing::Values(PatternRow{"Solid", PenStyle::Solid, "########################################"},
                                           PatternRow{"Dot", PenStyle::Dot, "###...###...###...###...###...###...###."},
                                           PatternRow{"Dash", PenStyle::Dash, "##################......################"},
                                           PatternRow{"DashDot", PenStyle::DashDot,
                                                      "#########......###......#########......"
                                                      "#"}),
                         [](const ::testing::TestParamInfo<PatternRow>& info) {
                             return std::string(info.param.name);
                         });

TEST_F(PainterDCTest, EverySegmentStartsItsPatternAfresh)
{
    {
        QPainter painter(&m_image);
        PainterDC dc(painter, m_image.width());
        const CPen dot(PenStyle::Dot, 1, Rgb{0, 0, 0});
        dc.SelectPen(&dot);
        dc.MoveTo(0, 5);
        dc.LineTo(4, 5);
        dc.MoveTo(4, 5);
        dc.LineTo(20, 5);
    }
    EXPECT_EQ(Row(5, 21), "###.###...###...###..");
}

struct DirectionRow {
    const char* name;
    QPoint from;
    QPoint to;
};

class LineDirection : public PainterDCTest, public ::testing::WithParamInterface<DirectionRow> {};

// Whichever way a line runs, its first pixel is drawn, its last left out and
// the dot pattern counts from the first, step by step along the major axis.
TEST_P(LineDirection, StartsAtTheFirstPointAndStopsBeforeTheLast)
{
    const DirectionRow& row = GetParam();
    {
        QPainter painter(&m_image);
        PainterDC dc(painter, m_image.width());
        const CPen dot(PenStyle::Dot, 1, Rgb{0, 0, 0});
        dc.SelectPen(&dot);
        dc.MoveTo(row.from.x(), row.from.y());
        dc.LineTo(row.to.x(), row.to.y());
    }
    const int dx = row.to.x() - row.from.x();
    const int dy = row.to.y() - row.from.y();
    const bool xMajor = std::abs(dx) >= std::abs(dy);
    const int steps = std::max(std::abs(dx), std::abs(dy));
    const int direction = (xMajor ? dx : dy) > 0 ? 1 : -1;
    auto lit = [&](int step) {
        const int major = (xMajor ? row.from.x() : row.from.y()) + step * direction;
        for (int minor = 0; minor < (xMajor ? m_image.height() : m_image.width()); ++minor) {
            if (m_image.pixel(xMajor ? major : minor, xMajor ? minor : major) != kWhite)
                return true;
        }
        return false;
    };
    EXPECT_EQ(m_image.pixel(row.from), qRgb(0, 0, 0));
    EXPECT_EQ(m_image.pixel(row.to), kWhite);
    for (int step = 0; step <= steps; ++step)
        EXPECT_EQ(lit(step), step < steps && step % 6 < 3) << "step " << step;
}

INSTANTIATE_TEST_SUITE_P(PainterDC, LineDirection,
                         ::testing::Values(DirectionRow{"Rightward", QPoint(5, 5), QPoint(45, 5)},
                                           DirectionRow{"Leftward", QPoint(45, 5), QPoint(5, 5)},
                                           DirectionRow{"Downward", QPoint(60, 5), QPoint(60, 45)},
                                           DirectionRow{"Upward", QPoint(60, 45), QPoint(60, 5)},
                                           DirectionRow{"FlatRisingRightward", QPoint(2, 60), QPoint(42, 47)},
                                           DirectionRow{"FlatFallingLeftward", QPoint(42, 60), QPoint(2, 47)},
                                           DirectionRow{"SteepFallingRightward", QPoint(80, 10), QPoint(93, 50)},
                                           DirectionRow{"SteepRisingRightward", QPoint(100, 50), QPoint(113, 10)},
                                           DirectionRow{"Diagonal", QPoint(70, 70), QPoint(40, 40)}),
                         [](const ::testing::TestParamInfo<DirectionRow>& info) {
                             return std::string(info.param.name);
                         });

TEST_F(PainterDCTest, ClipsLinesThatRunFarOffTheSurface)
{
    {
        QPainter painter(&m_image);
        PainterDC dc(painter, m_image.width());
        dc.MoveTo(2000000000, 10);
        dc.LineTo(-2000000000, 10);
        dc.MoveTo(30, 2000000000);
        dc.LineTo(30, -2000000000);
        dc.MoveTo(2000000000, 2000000000);
        dc.LineTo(-2000000000, -2000000000);
    }
    EXPECT_EQ(m_image.pixel(50, 50), qRgb(0, 0, 0));
    EXPECT_EQ(Row(10, 120), std::string(120, '#'));
    EXPECT_EQ(m_image.pixel(30, 79), qRgb(0, 0, 0));
    EXPECT_EQ(m_image.pixel(30, 0), qRgb(0, 0, 0));
}

TEST_F(PainterDCTest, DrawsInThePensColourOnePixelWideWithoutAntialiasing)
{
    {
        QPainter painter(&m_image);
        PainterDC dc(painter, m_image.width());
        const CPen pen(PenStyle::Solid, 1, Rgb{0, 128, 0});
        const CPen* previous = dc.SelectPen(&pen);
        dc.MoveTo(10, 10);
        dc.LineTo(50, 30);
        // The context's own pen comes back, solid black.
        EXPECT_EQ(dc.SelectPen(previous), &pen);
        dc.MoveTo(60, 40);
        dc.LineTo(60, 50);
    }
    for (int y = 0; y < m_image.height(); ++y) {
        for (int x = 0; x < m_image.width(); ++x) {
            const QRgb pixel = m_image.pixel(x, y);
            EXPECT_TRUE(pixel == kWhite || pixel == qRgb(0, 128, 0) || pixel == qRgb(0, 0, 0)) << x << "," << y;
        }
    }
    EXPECT_EQ(m_image.pixel(10, 10), qRgb(0, 128, 0));
    EXPECT_EQ(m_image.pixel(60, 45), qRgb(0, 0, 0));
    EXPECT_EQ(m_image.pixel(61, 45), kWhite);
}

TEST_F(PainterDCTest, FillsTheRectangleUpToButNotIncludingItsRightAndBottom)
{
    {
        QPainter painter(&m_image);
        PainterDC dc(painter, m_image.width());
        dc.FillRect(DcRect{2, 3, 6, 8}, kRed);
        dc.FillRect(DcRect{30, 30, 30, 40}, kRed);  // empty
    }
    EXPECT_EQ(m_image.pixel(2, 3), qRgb(255, 0, 0));
    EXPECT_EQ(m_image.pixel(5, 7), qRgb(255, 0, 0));
    EXPECT_EQ(m_image.pixel(6, 7), kWhite);
    EXPECT_EQ(m_image.pixel(5, 8), kWhite);
    EXPECT_EQ(m_image.pixel(1, 3), kWhite);
    EXPECT_EQ(m_image.pixel(30, 35), kWhite);
}

TEST_F(PainterDCTest, TheWindowOriginShiftsLogicalPoints)
{
    QPainter painter(&m_image);
    const QTransform before = painter.worldTransform();
    {
        PainterDC dc(painter, m_image.width());
        dc.SetWindowOrg(10, -20);
        dc.MoveTo(10, 0);
        dc.LineTo(20, 0);
        dc.FillRect(DcRect{30, 0, 32, 2}, kRed);
    }
    // The painter's own state comes back when the context ends.
    EXPECT_EQ(painter.worldTransform(), before);
    painter.end();
    EXPECT_EQ(Row(20, 12), "##########..");
    EXPECT_EQ(m_image.pixel(20, 20), qRgb(255, 0, 0));
    EXPECT_EQ(m_image.pixel(21, 21), qRgb(255, 0, 0));
    EXPECT_EQ(m_image.pixel(22, 21), kWhite);
}

struct FontRow {
    const char* name;
    int32_t height;
    int32_t width;
    const char* face;
};

class FontEmulation : public PainterDCTest, public ::testing::WithParamInterface<FontRow> {};

TEST_P(FontEmulation, GivesTheCellHeightAndAverageWidthAsked)
{
    const FontRow& row = GetParam();
    const CFont font(row.height, row.width, kFontWeightNormal, row.face);
    const QFont qfont = PainterDC::MakeFont(font);
    EXPECT_EQ(QFontInfo(qfont).family(), QStringLiteral("DejaVu Sans"));
    const QFontMetricsF metrics(qfont);
    const double cell = row.height != 0 ? row.height : PainterDC::kDefaultCellHeight;
    // The em is a whole number of pixels, so the cell comes within a pixel.
    EXPECT_NEAR(metrics.ascent() + metrics.descent(), cell, 1.0);
    if (row.width != 0) {
        // Stretching is in whole percent; hinting adds a little more.
        EXPECT_NEAR(metrics.averageCharWidth(), row.width, 0.6 + 0.02 * row.width);
    }

    QPainter painter(&m_image);
    PainterDC dc(painter, m_image.width());
    dc.SelectFont(&font);
    const DcTextMetrics reported = dc.GetTextMetrics();
    EXPECT_EQ(reported.height, static_cast<int32_t>(cell));
    if (row.width != 0) {
        EXPECT_EQ(reported.aveCharWidth, row.width);
    }
}

INSTANTIATE_TEST_SUITE_P(PainterDC, FontEmulation,
                         ::testing::Values(FontRow{"PaperLabels", 80, 26, "Modern"},
                                           FontRow{"PageHeader", 95, 36, "Modern"},
                                           FontRow{"Screen900By550", 25, 8, "Modern"},
                                           FontRow{"Screen930By600", 27, 8, "Modern"},
                                           FontRow{"Wide", 40, 30, "Modern"},
                                           FontRow{"DialogFace", 13, 0, "MS Sans Serif"},
                                           FontRow{"DefaultSize", 0, 0, "Modern"}),
                         [](const ::testing::TestParamInfo<FontRow>& info) { return std::string(info.param.name); });

// The bounding box of the pixels that differ from `background`.
QRect InkOf(const QImage& image, QRgb background)
{
    QRect ink;
    for (int y = 0; y < image.height(); ++y) {
        for (int x = 0; x < image.width(); ++x) {
            if (image.pixel(x, y) != background)
                ink |= QRect(x, y, 1, 1);
        }
    }
    return ink;
}

TEST_F(PainterDCTest, WritesBlackTextWithItsCellsTopLeftAtThePoint)
{
    const QRgb grey = qRgb(192, 192, 192);
    m_image.fill(grey);
    {
        QPainter painter(&m_image);
        PainterDC dc(painter, m_image.width());
        dc.SetBkModeTransparent(true);
        const CFont font(40, 0, kFontWeightNormal, "Modern");
        dc.SelectFont(&font);
        dc.TextOut(20, 30, "Hg");
    }
    const QRect ink = InkOf(m_image, grey);
    ASSERT_FALSE(ink.isNull());
    // "H" reaches up to the cap height, a little below the cell's top; "g"
    // reaches down into the descent, just above the cell's bottom.
    EXPECT_GE(ink.top(), 30);
    EXPECT_LE(ink.top(), 30 + 10);
    EXPECT_LE(ink.bottom(), 30 + 40);
    EXPECT_GE(ink.bottom(), 30 + 40 - 10);
    EXPECT_GE(ink.left(), 20);
    EXPECT_LE(ink.left(), 20 + 6);
    // Black glyphs, nothing but grey behind them.
    bool black = false;
    for (int y = ink.top(); y <= ink.bottom(); ++y) {
        for (int x = ink.left(); x <= ink.right(); ++x) {
            const QRgb pixel = m_image.pixel(x, y);
            black = black || pixel == qRgb(0, 0, 0);
            EXPECT_EQ(qRed(pixel), qGreen(pixel));
            EXPECT_EQ(qGreen(pixel), qBlue(pixel));
        }
    }
    EXPECT_TRUE(black);
}

struct TextSizeRow {
    const char* name;
    int32_t height;
    int32_t width;
};

class TextAsQtDrawsIt : public PainterDCTest, public ::testing::WithParamInterface<TextSizeRow> {};

// Texts are kept drawn between paints; the copy must look as Qt draws them,
// the first time and every time after.
TEST_P(TextAsQtDrawsIt, FromTheFirstPaintOn)
{
    const TextSizeRow& row = GetParam();
    PainterDC::ClearTextCache();
    const CFont font(row.height, row.width, kFontWeightNormal, "Modern");
    const QRgb grey = qRgb(192, 192, 192);
    QImage direct(400, 160, QImage::Format_RGB32);
    direct.fill(grey);
    {
        QPainter painter(&direct);
        painter.setRenderHint(QPainter::TextAntialiasing, true);
        const QFont qfont = PainterDC::MakeFont(font);
        painter.setFont(qfont);
        painter.setPen(Qt::black);
        painter.drawText(QPointF(7, 11 + QFontMetricsF(qfont).ascent()), QStringLiteral("Intellectual 30"));
    }
    for (int paint = 0; paint < 2; ++paint) {
        QImage image(400, 160, QImage::Format_RGB32);
        image.fill(grey);
        {
            QPainter painter(&image);
            PainterDC dc(painter, image.width());
            dc.SetBkModeTransparent(true);
            dc.SelectFont(&font);
            dc.TextOut(7, 11, "Intellectual 30");
        }
        int differing = 0;
        for (int y = 0; y < image.height(); ++y) {
            for (int x = 0; x < image.width(); ++x)
                differing += std::abs(qGray(image.pixel(x, y)) - qGray(direct.pixel(x, y))) > 2 ? 1 : 0;
        }
        EXPECT_EQ(differing, 0) << "paint " << paint;
    }
}

INSTANTIATE_TEST_SUITE_P(PainterDC, TextAsQtDrawsIt,
                         ::testing::Values(TextSizeRow{"Screen", 25, 8}, TextSizeRow{"AboveQtsGlyphCache", 100, 33}),
                         [](const ::testing::TestParamInfo<TextSizeRow>& info) {
                             return std::string(info.param.name);
                         });

TEST_F(PainterDCTest, AnOpaqueBackgroundFillsTheTextCell)
{
    {
        QPainter painter(&m_image);
        PainterDC dc(painter, m_image.width());
        dc.SetBkModeTransparent(false);
        dc.SetBkColor(kRed);
        const CFont font(20, 10, kFontWeightNormal, "Modern");
        dc.SelectFont(&font);
        dc.TextOut(10, 10, "ii");
    }
    EXPECT_EQ(m_image.pixel(10, 10), qRgb(255, 0, 0));
    EXPECT_EQ(m_image.pixel(10, 29), qRgb(255, 0, 0));
    EXPECT_EQ(m_image.pixel(10, 31), kWhite);
    EXPECT_EQ(m_image.pixel(9, 10), kWhite);
}

struct DecodeRow {
    const char* name;
    std::string bytes;
    QString text;
};

class Decode : public ::testing::TestWithParam<DecodeRow> {};

TEST_P(Decode, ReadsUtf8OrElseWindows1252)
{
    EXPECT_EQ(PainterDC::DecodeText(GetParam().bytes), GetParam().text);
}

INSTANTIATE_TEST_SUITE_P(PainterDC, Decode,
                         ::testing::Values(DecodeRow{"Ascii", "New Name", QStringLiteral("New Name")},
                                           DecodeRow{"Utf8", "Zo\xC3\xAB", QString::fromUtf8("Zo\xC3\xAB")},
                                           DecodeRow{"Latin", "Zo\xEB", QString::fromUtf8("Zo\xC3\xAB")},
                                           DecodeRow{"Euro", "\x80 5", QString::fromUtf8("\xE2\x82\xAC 5")},
                                           DecodeRow{"YDiaeresis", "A\x9F", QString::fromUtf8("A\xC5\xB8")},
                                           DecodeRow{"Empty", "", QString()}),
                         [](const ::testing::TestParamInfo<DecodeRow>& info) { return std::string(info.param.name); });

}  // namespace
