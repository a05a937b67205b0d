// Starts the real orvina-cli with the render command and looks at the
// pictures it writes.
#include "clitestfolder.h"

#include <QImage>
#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

// The archive bytes of a list of people: (name, year, month, day) each.
std::string DatabaseBytes(const std::vector<std::vector<std::string>>& people)
{
    std::string bytes;
    bytes += static_cast<char>(people.size() & 0xFF);
    bytes += static_cast<char>(people.size() >> 8);
    for (size_t i = 0; i < people.size(); ++i) {
        bytes += i == 0 ? std::string("\xFF\xFF\x00\x00\x05\x00" "CName", 11) : std::string("\x01\x80", 2);
        for (const std::string& field : people[i])
            bytes += static_cast<char>(field.size()) + field;
    }
    return bytes;
}

class Render : public CliTestFolder {
protected:
    QImage Picture(const std::string& name) const { return QImage(QString::fromStdString((m_dir / name).string())); }
};

const QRgb kGrey = qRgb(192, 192, 192);

TEST_F(Render, DrawsTheWindowPictureAsPng)
{
    const CliRun run = Run({"render", "chart.png", "--month", "2024-06", "--day", "15"});
    ASSERT_EQ(run.status, 0) << run.err;
    EXPECT_EQ(run.out, "");
    const QImage image = Picture("chart.png");
    ASSERT_FALSE(image.isNull());
    EXPECT_EQ(image.width(), 900);
    EXPECT_EQ(image.height(), 550);
    // Light grey background, the black rule under the day numbers, and day
    // 15 framed: light at x = 420, black at 423.
    EXPECT_EQ(image.pixel(850, 540), kGrey);
    EXPECT_EQ(image.pixel(700, 520), qRgb(0, 0, 0));
    EXPECT_EQ(image.pixel(700, 519), qRgb(225, 225, 225));
    EXPECT_EQ(image.pixel(420, 500), qRgb(225, 225, 225));
    EXPECT_EQ(image.pixel(423, 500), qRgb(0, 0, 0));
}

TEST_F(Render, TakesTheViewSize)
{
    const CliRun run = Run({"render", "small.PNG", "--size", "640x400", "--month", "2023-02"});
    ASSERT_EQ(run.status, 0) << run.err;
    const QImage image = Picture("small.PNG");
    EXPECT_EQ(image.width(), 640);
    EXPECT_EQ(image.height(), 400);
    // The day-number band's black rule at -610: 400 x 1040 / 1100 = 378.
    EXPECT_EQ(image.pixel(600, 378), qRgb(0, 0, 0));
}

TEST_F(Render, DrawsTheChosenPersonAndFallsBackToTheFirst)
{
    WriteBytes("database.bio", DatabaseBytes({{"Ada", "1990", "05", "17"}, {"Bea", "1970", "01", "31"}}));
    const std::vector<std::string> common = {"--month", "2024-06", "--day", "3"};
    auto render = [&](const std::string& out, const std::string& person) {
        std::vector<std::string> args = {"render", out, "--person", person};
        args.insert(args.end(), common.begin(), common.end());
        const CliRun run = Run(args);
        EXPECT_EQ(run.status, 0) << run.err;
        return Picture(out);
    };
    const QImage first = render("first.png", "0");
    const QImage second = render("second.png", "1");
    const QImage beyond = render("beyond.png", "2");
    const QImage negative = render("negative.png", "-1");
    ASSERT_FALSE(first.isNull());
    EXPECT_NE(first, second);
    EXPECT_EQ(first, beyond);
    EXPECT_EQ(first, negative);
}

TEST_F(Render, WithoutADatabaseDrawsTheDefaultPerson)
{
    WriteBytes("people.bio", DatabaseBytes({{"New Name", "1901", "01", "01"}}));
    ASSERT_EQ(Run({"render", "own.png", "--month", "2024-06"}).status, 0);
    ASSERT_EQ(Run({"render", "file.png", "--month", "2024-06", "--database", "people.bio"}).status, 0);
    EXPECT_EQ(Picture("own.png"), Picture("file.png"));
}

TEST_F(Render, WritesThePrintedPageAsPdf)
{
    WriteBytes("database.bio", DatabaseBytes({{"Ada", "1990", "05", "17"}}));
    const CliRun run = Run({"render", "page.pdf", "--month", "2024-06"});
    ASSERT_EQ(run.status, 0) << run.err;
    const std::string pdf = ReadFile(m_dir / "page.pdf");
    EXPECT_EQ(pdf.rfind("%PDF-", 0), 0u);
    EXPECT_NE(pdf.find("%%EOF"), std::string::npos);
    // A4 in points.
    EXPECT_NE(pdf.find("/MediaBox [0 0 595"), std::string::npos) << pdf.substr(0, 2000);
    // The header's font is embedded.
    EXPECT_NE(pdf.find("DejaVu"), std::string::npos);
}

TEST_F(Render, BadArgumentsGiveUsageAndStatus64)
{
    const std::vector<std::vector<std::string>> rows = {
        {"render"},
        {"render", "chart.txt"},
        {"render", "chart"},
        {"render", ".png"},
        {"render", "a.png", "b.png"},
        {"render", "a.png", "--size", "0x10"},
        {"render", "a.png", "--size", "10"},
        {"render", "a.png", "--size", "9000x10"},
        {"render", "a.png", "--size", "10x-5"},
        {"render", "a.png", "--month", "2024-13"},
        {"render", "a.png", "--month", "2024"},
        {"render", "a.png", "--day", "0"},
        {"render", "a.png", "--day", "32"},
        {"render", "a.png", "--person", "first"},
        {"render", "a.png", "--person"},
        {"render", "a.png", "--colour", "red"},
        {"render", "a.png", "--database", ""},
    };
    for (const auto& args : rows) {
        const CliRun run = Run(args);
        std::string joined;
        for (const auto& arg : args)
            joined += arg + " ";
        EXPECT_EQ(run.status, 64) << joined;
        EXPECT_NE(run.err.find("usage: orvina-cli"), std::string::npos) << joined;
        EXPECT_NE(run.err.find("render OUT"), std::string::npos) << joined;
        EXPECT_FALSE(std::filesystem::exists(m_dir / "a.png")) << joined;
    }
}

TEST_F(Render, AMissingNamedDatabaseIsAnError)
{
    const CliRun run = Run({"render", "a.png", "--database", "nowhere.bio"});
    EXPECT_EQ(run.status, 1);
    EXPECT_NE(run.err.find("nowhere.bio"), std::string::npos);
    EXPECT_FALSE(std::filesystem::exists(m_dir / "a.png"));
}

TEST_F(Render, ADamagedDatabaseDrawsThePeopleBeforeTheFaultAndSaysSo)
{
    // The second record ends after its name.
    std::string bytes = DatabaseBytes({{"Ada", "1990", "05", "17"}, {"Bea", "1970", "01", "31"}});
    bytes.resize(bytes.size() - 12);
    WriteBytes("database.bio", bytes);
    const CliRun run = Run({"render", "a.png", "--month", "2024-06"});
    EXPECT_EQ(run.status, 2);
    EXPECT_NE(run.err.find("damaged"), std::string::npos) << run.err;
    EXPECT_FALSE(Picture("a.png").isNull());
    // Nothing but the picture is written.
    EXPECT_FALSE(std::filesystem::exists(m_dir / "database.bio.damaged"));
}

TEST_F(Render, AnUnwritableOutputIsAnError)
{
    const CliRun png = Run({"render", "no/such/folder/a.png"});
    EXPECT_EQ(png.status, 73);
    EXPECT_NE(png.err.find("cannot write"), std::string::npos);
    const CliRun pdf = Run({"render", "no/such/folder/a.pdf"});
    EXPECT_EQ(pdf.status, 73);
}

}  // namespace
