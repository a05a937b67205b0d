// PainterDC on a QImage: pen patterns and line ends, fills, the window
// origin, fonts with the asked cell height and average width and text
// placement.
#include "platform/painterdc.h"

#include "platform/offscreenapplication.h"

#include <QFontInfo>
#include <QFontMetricsF>
#include <QGuiApplication>
#include <QImage>
#include <QPainter>
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <cstring>
#include <functional>
#include <memory>
#include <string>
#include <utility>

namespace {

// Fonts need a QGuiApplication: one for the whole run, offscreen unless
// another platform is set.
class GuiEnvironment : public ::testing::Environment {
public:
    void SetUp() override { m_app = MakeOffscreenApplication<QGuiApplication>("orvina_core_tests"); }
    void TearDown() override { m_app.reset(); }

private:
    std::unique_ptr<QGuiApplication> m_app;
};
::testing::Environment* const kGuiEnvironment = ::testing::AddGlobalTestEnvironment(new GuiEnvironment);

constexpr QRgb kWhite = 0xFFFFFFFF;
constexpr QRgb kGrey = 0xFFC0C0C0;

// An image drawn on through a PainterDC that `draw` is given, `scale` times larger.
QImage Drawn(const std::function<void(PainterDC&)>& draw, QRgb background = kWhite, QSize size = QSize(120, 80),
             qreal scale = 1)
{
    QImage image(size, QImage::Format_RGB32);
    image.fill(background);
    {
        QPainter painter(&image);
        painter.scale(scale, scale);
        PainterDC dc(painter, image.width());
        draw(dc);
    }
    return image;
}

// The pixels of row y from x = 0, '#' for drawn and '.' for untouched.
std::string Row(const QImage& image, int y, int width)
{
    std::string row;
    for (int x = 0; x < width; ++x)
        row += image.pixel(x, y) == kWhite ? '.' : '#';
    return row;
}

// Whichever way a line runs, its first pixel is drawn, its last left out and
// the pen's pattern counts from the first, step by step along the major axis,
// one pixel a step in the pen's colour alone; every segment starts the
// pattern afresh.
TEST(PainterDC, LinesFollowThePatternFromTheFirstPointAndStopBeforeTheLast)
{
    // Rightward, leftward, upward, flat rising, flat falling leftward, steep
    // falling and rising rightward, diagonal, one pixel leftward, none.
    const struct { PenStyle style; const char* period; QPoint from, to; } rows[] = {
        {PenStyle::Solid, "#", {0, 10}, {40, 10}}, {PenStyle::Dot, "###...", {45, 5}, {5, 5}},
        {PenStyle::Dash, "##################......", {60, 75}, {60, 5}},
        {PenStyle::DashDot, "#########......###......", {2, 60}, {42, 47}},
        {PenStyle::Dot, "###...", {42, 60}, {2, 47}},
        {PenStyle::Dot, "###...", {80, 10}, {93, 50}}, {PenStyle::Dot, "###...", {100, 50}, {113, 10}},
        {PenStyle::Dot, "###...", {70, 70}, {40, 40}}, {PenStyle::Solid, "#", {110, 70}, {109, 70}},
        {PenStyle::Solid, "#", {20, 20}, {20, 20}}};
    const QRgb green = qRgb(0, 128, 0);
    for (const auto& row : rows) {
        SCOPED_TRACE(std::to_string(row.from.x()) + "," + std::to_string(row.from.y()));
        const CPen pen(row.style, 1, Rgb{0, 128, 0});
        const QImage image = Drawn([&](PainterDC& dc) {
            dc.SelectPen(&pen);
            dc.MoveTo(row.from.x(), row.from.y());
            dc.LineTo(row.to.x(), row.to.y());
        });
        const int dx = row.to.x() - row.from.x(), dy = row.to.y() - row.from.y();
        const bool xMajor = std::abs(dx) >= std::abs(dy);
        const int steps = std::max(std::abs(dx), std::abs(dy));
        const int direction = (xMajor ? dx : dy) > 0 ? 1 : -1;
        std::string lit, expected;
        for (int step = 0; step <= steps; ++step) {
            const int major = (xMajor ? row.from.x() : row.from.y()) + step * direction;
            int count = 0;
            for (int minor = 0; minor < (xMajor ? image.height() : image.width()); ++minor) {
                const QRgb pixel = image.pixel(xMajor ? major : minor, xMajor ? minor : major);
                EXPECT_TRUE(pixel == kWhite || pixel == green);
                count += pixel != kWhite ? 1 : 0;
            }
            lit += count == 0 ? '.' : count == 1 ? '#' : '2';
            expected += step == steps ? '.' : row.period[static_cast<size_t>(step) % std::strlen(row.period)];
        }
        EXPECT_EQ(lit, expected);
        EXPECT_EQ(image.pixel(row.from), steps > 0 ? green : kWhite);
    }
    const CPen dot(PenStyle::Dot, 1, Rgb{0, 0, 0});
    const QImage twoSegments = Drawn([&](PainterDC& dc) {
        dc.SelectPen(&dot);
        dc.MoveTo(0, 5);
        dc.LineTo(4, 5);
        dc.LineTo(20, 5);
    });
    EXPECT_EQ(Row(twoSegments, 5, 21), "###.###...###...###..");
}

TEST(PainterDC, ClipsLinesThatRunFarOffTheSurface)
{
    const QImage image = Drawn([](PainterDC& dc) {
        dc.MoveTo(2000000000, 10);
        dc.LineTo(-2000000000, 10);
        dc.MoveTo(30, 2000000000);
        dc.LineTo(30, -2000000000);
        dc.MoveTo(2000000000, 2000000000);
        dc.LineTo(-2000000000, -2000000000);
    });
    EXPECT_EQ(Row(image, 10, 120), std::string(120, '#'));
    EXPECT_TRUE(image.pixel(30, 0) == qRgb(0, 0, 0) && image.pixel(30, 79) == qRgb(0, 0, 0));
    EXPECT_TRUE(image.pixel(50, 50) == qRgb(0, 0, 0) && image.pixel(51, 50) == kWhite);
}

// Fills stop short of the right and bottom edges and follow the window
// origin; with an opaque background a text's cell is filled in the background
// colour from the point on. The painter is left as it was found.
TEST(PainterDC, FillsUpToTheRightAndBottomUnderTheWindowOriginAndRestoresThePainter)
{
    const QRgb red = qRgb(255, 0, 0);
    EXPECT_EQ(ToArgb(Rgb{1, 2, 3}), qRgb(1, 2, 3));  // the widgets' colours
    const CFont small(20, 10, kFontWeightNormal, "Modern");
    QImage image(120, 80, QImage::Format_RGB32);
    image.fill(kWhite);
    QPainter painter(&image);
    const QTransform before = painter.worldTransform();
    {
        PainterDC dc(painter, image.width());
        dc.FillRect(DcRect{2, 3, 6, 8}, Rgb{255, 0, 0});
        dc.FillRect(DcRect{30, 30, 30, 40}, Rgb{255, 0, 0});  // empty
        dc.SetWindowOrg(10, -20);
        dc.MoveTo(10, 0);
        dc.LineTo(20, 0);
        dc.FillRect(DcRect{30, 0, 32, 2}, Rgb{255, 0, 0});
        dc.MoveTo(50, 30);  // upward, from device (40, 50) to (40, 20)
        dc.LineTo(50, 0);
        dc.SetBkModeTransparent(false);
        dc.SetBkColor(Rgb{255, 0, 0});
        dc.SelectFont(&small);
        dc.TextOut(70, 10, "ii");  // at device (60, 30)
    }
    EXPECT_EQ(painter.worldTransform(), before);
    painter.end();
    EXPECT_TRUE(image.pixel(2, 3) == red && image.pixel(5, 7) == red && image.pixel(30, 35) == kWhite);
    EXPECT_TRUE(image.pixel(6, 7) == kWhite && image.pixel(5, 8) == kWhite);
    // Logical (10, 0) lies at device (0, 20), logical (30, 0) at (20, 20).
    EXPECT_EQ(Row(image, 20, 12), "##########..");
    for (int y = 20; y <= 51; ++y)
        EXPECT_EQ(image.pixel(40, y), y > 20 && y <= 50 ? qRgb(0, 0, 0) : kWhite) << y;
    EXPECT_TRUE(image.pixel(21, 21) == red && image.pixel(22, 21) == kWhite);
    EXPECT_TRUE(image.pixel(60, 30) == red && image.pixel(60, 49) == red);
    EXPECT_TRUE(image.pixel(60, 51) == kWhite && image.pixel(59, 30) == kWhite);
}

TEST(PainterDC, FontsGetTheCellHeightAndAverageWidthAsked)
{
    // Paper labels, page header, a screen label, the dialog face at its natural
    // width, the default size and the smallest cell asked for.
    const struct { int32_t height, width; const char* face; } rows[] = {{80, 26, "Modern"}, {95, 36, "Modern"},
        {27, 8, "Modern"}, {13, 0, "MS Sans Serif"}, {0, 0, "Modern"}, {1, 0, "Modern"}};
    for (const auto& row : rows) {
        SCOPED_TRACE(row.height);
        const CFont font(row.height, row.width, kFontWeightNormal, row.face);
        const QFont qfont = PainterDC::MakeFont(font);
        EXPECT_EQ(QFontInfo(qfont).family(), QStringLiteral("DejaVu Sans"));
        const QFontMetricsF metrics(qfont);
        const double cell = row.height != 0 ? row.height : PainterDC::kDefaultCellHeight;
        // The em is a whole number of pixels, so the cell comes within a pixel;
        // stretching is in whole percent and hinting adds a little more.
        EXPECT_NEAR(metrics.ascent() + metrics.descent(), cell, 1.0);
        QFont natural(QStringLiteral("DejaVu Sans"));
        natural.setPixelSize(qfont.pixelSize());
        const double width = row.width != 0 ? row.width : QFontMetricsF(natural).averageCharWidth();
        EXPECT_NEAR(metrics.averageCharWidth(), width, 0.6 + 0.02 * width);
        // The context reports the cell asked for, or the face's own.
        Drawn([&](PainterDC& dc) {
            dc.SelectFont(&font);
            EXPECT_EQ(dc.GetTextMetrics().height, cell);
        });
    }
    // From a weight of 700 (bold) up the bold face is taken, below it the book face.
    for (const auto& [weight, bold] : {std::pair{699, false}, {700, true}})
        EXPECT_EQ(QFontInfo(PainterDC::MakeFont(CFont(20, 0, weight, "Modern"))).styleName(), bold ? "Bold" : "Book") << weight;
    EXPECT_EQ(PainterDC::MakeFont(CFont(-20, 0, kFontWeightNormal, "Modern")).pixelSize(), 20);  // the em, not the cell
}

// A text's cell has its top-left corner at the point, the glyphs (descenders
// too) are black and a transparent background stays as it was: as Qt draws the text from
// its baseline one ascent lower. Texts are kept drawn between paints, so the
// copy must look the same the first time and every time after, up to sizes
// far above Qt's own glyph cache.
TEST(PainterDC, WritesTextAsQtDrawsItFromTheCellsTopLeft)
{
    for (const auto& [height, width] : {std::pair{25, 8}, std::pair{400, 133}}) {
        SCOPED_TRACE(height);
        PainterDC::ClearTextCache();
        const CFont font(height, width, kFontWeightNormal, "Modern");
        const QSize size(20 + 16 * width, 30 + height);
        QImage direct(size, QImage::Format_RGB32);
        direct.fill(kGrey);
        {
            QPainter painter(&direct);
            painter.setRenderHint(QPainter::TextAntialiasing, true);
            const QFont qfont = PainterDC::MakeFont(font);
            painter.setFont(qfont);
            painter.setPen(Qt::black);
            painter.drawText(QPointF(7, 11 + QFontMetricsF(qfont).ascent()), QStringLiteral("Physical 30"));
        }
        for (int paint = 0; paint < 2; ++paint) {
            const QImage image = Drawn(
                [&](PainterDC& dc) {
                    dc.SetBkModeTransparent(true);
                    dc.SelectFont(&font);
                    dc.TextOut(7, 11, "Physical 30");
                },
                kGrey, size);
            int differing = 0;
            for (int y = 0; y < image.height(); ++y) {
                for (int x = 0; x < image.width(); ++x)
                    differing += std::abs(qGray(image.pixel(x, y)) - qGray(direct.pixel(x, y))) > 2 ? 1 : 0;
            }
            EXPECT_EQ(differing, 0) << "paint " << paint;
        }
    }
    // On a scaled painter Qt draws the narrowed face itself, as it would directly.
    const CFont narrowed(25, 8, kFontWeightNormal, "Modern");
    QImage direct(300, 120, QImage::Format_RGB32);
    direct.fill(kGrey);
    {
        QPainter painter(&direct);
        painter.scale(2, 2);
        const QFont qfont = PainterDC::MakeFont(narrowed);
        painter.setFont(qfont);
        painter.setPen(Qt::black);
        painter.drawText(QPointF(7, 11 + QFontMetricsF(qfont).ascent()), QStringLiteral("Intellectual 30"));
    }
    const QImage drawn = Drawn(
        [&](PainterDC& dc) {
            dc.SetBkModeTransparent(true);
            dc.SelectFont(&narrowed);
            dc.TextOut(7, 11, "Intellectual 30");
        },
        kGrey, QSize(300, 120), 2);
    EXPECT_TRUE(drawn == direct);
}

// Texts drawn on pixel surfaces are kept for the next paint, up to 1024 of
// them; the next new one starts the store afresh.
TEST(PainterDC, KeepsAtMost1024DrawnTexts)
{
    PainterDC::ClearTextCache();
    const CFont font(12, 0, kFontWeightNormal, "Modern");
    Drawn([&](PainterDC& dc) {
        dc.SelectFont(&font);
        for (int i = 0; i < 1024; ++i)
            dc.TextOut(0, 0, std::to_string(i));
        dc.TextOut(0, 0, "5");
        EXPECT_EQ(PainterDC::CachedTextCount(), 1024u);
        dc.TextOut(0, 0, "1024");
        EXPECT_EQ(PainterDC::CachedTextCount(), 1u);
    });
}

// A pen of width 1 is one pixel of any device; a wider one is in logical
// units and grows with the painter's scale, as on a printer.
TEST(PainterDC, WidePensScaleWithThePainter)
{
    for (const auto& [width, rows] : {std::pair{1, 1}, {2, 4}}) {
        const CPen pen(PenStyle::Solid, width, Rgb{0, 0, 0});
        const QImage image = Drawn(
            [&](PainterDC& dc) {
                dc.SelectPen(&pen);
                dc.MoveTo(2, 10);
                dc.LineTo(25, 10);
            },
            kWhite, QSize(60, 60), 2);
        int drawn = 0;
        for (int y = 0; y < image.height(); ++y)
            drawn += image.pixel(30, y) != kWhite ? 1 : 0;
        EXPECT_EQ(drawn, rows) << width;
    }
}

}  // namespace
