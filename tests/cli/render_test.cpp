// Starts the real orvina-cli with the render command and looks at the
// pictures it writes.
#include "clitestfolder.h"

#include <QGuiApplication>
#include <QImage>
#include <QPainter>
#include <QSvgRenderer>
#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

namespace {

class Render : public CliTestFolder {
protected:
    QImage Picture(const std::string& name) const { return QImage(QString::fromStdString((m_dir / name).string())); }
};

TEST_F(Render, DrawsTheWindowPictureAsPngInTheViewSize)
{
    const CliRun run = Run({"render", "chart.png", "--month", "2024-06", "--day", "15"});
    ASSERT_EQ(run.status, 0) << run.err;
    EXPECT_EQ(run.out, "");
    EXPECT_EQ(run.err, "");
    const QImage image = Picture("chart.png");
    ASSERT_EQ(image.size(), QSize(900, 550));
    // Light grey background, the light and black rules under the day
    // numbers, and day 15 framed: light at x = 420, black at 423.
    EXPECT_EQ(image.pixel(850, 540), qRgb(192, 192, 192));
    EXPECT_EQ(image.pixel(700, 519), qRgb(225, 225, 225));
    EXPECT_EQ(image.pixel(700, 520), qRgb(0, 0, 0));
    EXPECT_EQ(image.pixel(420, 500), qRgb(225, 225, 225));
    EXPECT_EQ(image.pixel(423, 500), qRgb(0, 0, 0));

    ASSERT_EQ(Run({"render", "small.PNG", "--size", "640x400", "--month", "2023-02"}).status, 0);
    const QImage small = Picture("small.PNG");
    ASSERT_EQ(small.size(), QSize(640, 400));
    // The day-number band's black rule at -610: 400 x 1040 / 1100 = 378.
    EXPECT_EQ(small.pixel(600, 378), qRgb(0, 0, 0));
}

TEST_F(Render, DrawsTheChosenPersonOrTheFirstOrTheDefault)
{
    WriteBytes("database.bio", DatabaseBytes({{"Ada", "1990", "05", "17"}, {"Bea", "1970", "01", "31"}}));
    WriteBytes("default.bio", DatabaseBytes({{"New Name", "1901", "01", "01"}}));
    auto render = [&](const std::string& out, std::vector<std::string> options) {
        std::vector<std::string> args = {"render", out, "--month", "2024-06", "--day", "3"};
        args.insert(args.end(), options.begin(), options.end());
        const CliRun run = Run(args);
        EXPECT_EQ(run.status, 0) << run.err;
        return Picture(out);
    };
    const QImage first = render("first.png", {"--person", "0"});
    ASSERT_FALSE(first.isNull());
    EXPECT_NE(first, render("second.png", {"--person", "1"}));
    // Without a database the default person is drawn.
    const QImage byDefault = render("default.png", {"--database", "default.bio"});
    std::filesystem::remove(m_dir / "database.bio");
    EXPECT_EQ(render("none.png", {}), byDefault);
    EXPECT_NE(first, byDefault);
}

// The same drawing pass as vectors: Qt's SVG renderer reads it back at the
// view size, with the rule that the PNG has.
TEST_F(Render, DrawsTheWindowPictureAsSvg)
{
    const CliRun run = Run({"render", "small.svg", "--size", "640x400", "--month", "2023-02"});
    ASSERT_EQ(run.status, 0) << run.err;
    EXPECT_EQ(run.err, "");
    QSvgRenderer svg(QString::fromStdString((m_dir / "small.svg").string()));
    ASSERT_TRUE(svg.isValid());
    EXPECT_EQ(svg.defaultSize(), QSize(640, 400));
    // The SVG's text needs fonts, and fonts a QGuiApplication.
    qputenv("QT_QPA_PLATFORM", "offscreen");
    static int argc = 1;
    static char name[] = "render_test";
    static char* argv[] = {name, nullptr};
    const QGuiApplication gui(argc, argv);
    QImage image(640, 400, QImage::Format_RGB32);
    image.fill(Qt::white);
    QPainter painter(&image);
    svg.render(&painter);
    painter.end();
    // The day-number band's black rule at y = 378, smoothed by the renderer.
    EXPECT_LT(qGray(image.pixel(600, 378)), 128);
    EXPECT_EQ(image.pixel(600, 390), qRgb(192, 192, 192));

    // The month title keeps the narrowed width of the label font, as in the PNG.
    ASSERT_EQ(Run({"render", "small.png", "--size", "640x400", "--month", "2023-02"}).status, 0);
    auto titleEnd = [](const QImage& picture) {
        int end = 0;
        for (int y = 381; y < 400; ++y)
            for (int x = 2; x < picture.width(); ++x)
                if (qGray(picture.pixel(x, y)) < 96)
                    end = std::max(end, x);
        return end;
    };
    const int pngEnd = titleEnd(Picture("small.png"));
    EXPECT_GT(pngEnd, 40);
    EXPECT_NEAR(titleEnd(image), pngEnd, 3);
}

TEST_F(Render, WritesThePrintedPageAsPdf)
{
    WriteBytes("database.bio", DatabaseBytes({{"Ada", "1990", "05", "17"}}));
    const CliRun run = Run({"render", "page.pdf", "--month", "2024-06"});
    ASSERT_EQ(run.status, 0) << run.err;
    const std::string pdf = ReadFile(m_dir / "page.pdf");
    EXPECT_EQ(pdf.rfind("%PDF-", 0), 0u);
    EXPECT_NE(pdf.find("%%EOF"), std::string::npos);
    // A4 in points, and the header's font embedded.
    EXPECT_NE(pdf.find("/MediaBox [0 0 595"), std::string::npos) << pdf.substr(0, 2000);
    EXPECT_NE(pdf.find("DejaVu"), std::string::npos);
}

}  // namespace
