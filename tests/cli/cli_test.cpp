// Starts the real orvina-cli binary in a temporary folder of each test's
// own: what it prints and returns, the pictures it writes, its JSON documents
// against its text and its calendar of critical days against a model of the
// rule built on Qt's own calendar. Databases come from the program's writer.
#include "people/archivewriter.h"
#include "testfiles.h"

#include <QDate>
#include <QGuiApplication>
#include <QImage>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QPainter>
#include <QSvgRenderer>
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <map>
#include <set>
#include <sstream>
#include <string>
#include <sys/wait.h>
#include <unistd.h>
#include <vector>

namespace {

struct CliRun {
    int status = -1;
    std::string out, err;
};

std::string ShellQuote(const std::string& text)
{
    std::string quoted = "'";
    for (char c : text)
        quoted += c == '\'' ? std::string("'\\''") : std::string(1, c);
    return quoted + "'";
}

std::vector<std::string> Lines(const std::string& text)
{
    std::vector<std::string> lines;
    std::istringstream in(text);
    for (std::string line; std::getline(in, line);)
        lines.push_back(line);
    return lines;
}

// Each test runs orvina-cli in a fresh folder of its own, with no display, no
// Qt platform chosen and no runtime folder, as on a headless machine.
class Cli : public ::testing::Test {
protected:
    void SetUp() override
    {
        m_dir = std::filesystem::temp_directory_path() /
                ("orvina-cli-" + std::to_string(::getpid()) + "-" +
                 ::testing::UnitTest::GetInstance()->current_test_info()->name());
        std::filesystem::remove_all(m_dir);
        std::filesystem::create_directories(m_dir);
    }
    void TearDown() override { std::filesystem::remove_all(m_dir); }

    CliRun Run(const std::vector<std::string>& args) const
    {
        std::string command = "cd " + ShellQuote(m_dir.string()) +
                              " && env -u DISPLAY -u WAYLAND_DISPLAY -u QT_QPA_PLATFORM -u XDG_RUNTIME_DIR " + ShellQuote(ORVINA_CLI_PATH);
        for (const std::string& arg : args)
            command += " " + ShellQuote(arg);
        command += " >stdout.txt 2>stderr.txt";
        const int status = std::system(command.c_str());
        return CliRun{WIFEXITED(status) ? WEXITSTATUS(status) : -1, ReadFile(m_dir / "stdout.txt"),
                      ReadFile(m_dir / "stderr.txt")};
    }

    // Writes the database of `people`, its first `keep` bytes only when given.
    void WritePeople(const std::string& name, const std::vector<CName>& people, size_t keep = std::string::npos) const
    {
        CNameList list;
        for (const CName& person : people)
            list.Append(person);
        std::ofstream(m_dir / name, std::ios::binary) << WriteArchive(list).substr(0, keep);
    }

    QImage Picture(const std::string& name) const { return QImage(QString::fromStdString((m_dir / name).string())); }

    // The --json form of `args`, parsed; the text form's lines in `lines`.
    QJsonObject Both(std::vector<std::string> args, std::vector<std::string>& lines) const
    {
        const CliRun text = Run(args);
        args.push_back("--json");
        const CliRun json = Run(args);
        EXPECT_TRUE(text.status == 0 && json.status == 0 && json.err == text.err) << json.err;
        lines = Lines(text.out);
        QJsonParseError error;
        const QJsonDocument document = QJsonDocument::fromJson(QByteArray::fromStdString(json.out), &error);
        EXPECT_EQ(error.error, QJsonParseError::NoError) << json.out;
        return document.object();
    }

    std::filesystem::path m_dir;
};

const char* const kCycles[] = {"Physical", "Emotional", "Intellectual", "Intuitional"};
const CName kAda("Ada", "1990", "05", "17");
const CName kBea("Bea", "1970", "01", "31");

// Each row's output is `out`, or holds it when it begins with a line break
// (which matches the start too), and its error output holds `err`. Bad
// arguments give the usage and 64 with nothing on the output; a missing file
// 1; a damaged one 2, its people listed or drawn all the same; a picture that
// cannot be written 73. Nothing is written but the picture.
TEST_F(Cli, PrintsAndReturns)
{
    WritePeople("database.bio", {CName("Jos\xE9", "1901", "01", "01")});  // Windows-1252 comes out as UTF-8
    WritePeople("two.bio", {kAda, kBea});
    WritePeople("cut.bio", {kAda, kBea}, 34);  // the second record ends after its name, at byte 35
    WritePeople("stub.bio", {kAda}, 20);
    for (const char* name : {"full.pdf", "full.png", "full.svg"})
        std::filesystem::create_symlink("/dev/full", m_dir / name);
    const std::string usage = "usage: orvina-cli";
    const std::string people = "index\tname\tyear\tmonth\tday\n";
    const struct { std::vector<std::string> args; int status; std::string out, err; } rows[] = {
        // 1 June 1996 is a Saturday, 34850 days after 1 January 1901; 30 days.
        {{"month", "1901-01-01", "1996-06"}, 0,
         "\nday\tweekday\tage\tphysical\temotional\tintellectual\tintuitional\n1\tSa\t34850\t", ""},
        {{"month", "1901-01-01", "1996-06"}, 0, "\n30\tSu\t34879\t", ""},
        // Born on the 1st of the month shown: day d is age d - 1.
        {{"month", "1996-06-01", "1996-06"}, 0, "\n2\tSu\t1\t27\t22\t19\t16\n", ""},
        {{"month", "2000-01-10", "2000-01"}, 0, "\n1\tSa\t-9\t", ""}, {{"month", "-44-03-15", "-44-03"}, 0, "\n31\t", ""},
        {{"month", "1950-05-05", "2100-02"}, 0, "\n29\t", ""},  // February 2100 has 29 days
        // A birth date whose day number is 0 or less draws no curves; 2 January of year 0 is day 1.
        {{"month", "0-0-0", "2000-01"}, 0, "\n1\tSa\t730516\t-\t-\t-\t-\n", ""},
        {{"month", "0-1-2", "0-02"}, 0, "\n1\tTu\t30\t94\t43\t", ""},
        // Years 0 and below in the four-digit date form.
        {{"month", "0-01-01", "-1-12", "--json"}, 0,
         "\n    \"birth\": \"0000-01-01\",\n    \"days\": [\n        {\n            \"age\": -30,\n"
         "            \"date\": \"-0001-12-01\",", ""},
        {{"compat", "1900-01-01", "1982-02-20"}, 0, "Physical 30\nEmotional 14\nIntellectual 21\nIntuitional 5\n", ""},
        {{"compat", "0-0-0", "2000-01-01"}, 0, "Physical 0\nEmotional 0\nIntellectual 0\nIntuitional 0\n", ""},
        {{"people"}, 0, "\n" + people + "0\tJos\xC3\xA9\t1901\t01\t01\n", ""},
        {{"people", "two.bio"}, 0, people + "0\tAda\t1990\t05\t17\n1\tBea\t1970\t01\t31\n", ""},
        {{"--version"}, 0, "\norvina-cli 2.1.0.1 (Orvina 2.1, Quandrel)\n", ""}, {{}, 64, "", usage},
        {{"help", "critical"}, 0, "\nusage: orvina-cli critical BIRTHDATE", ""},
        {{"draw"}, 64, "", usage}, {{"month", "1901-01-01"}, 64, "", usage},
        {{"month", "1901-01-01", "2000-13"}, 64, "", usage}, {{"month", "+1901-01-01", "2000-01"}, 64, "", usage},
        {{"month", "99999999999-01-01", "2000-01"}, 64, "", usage},
        {{"compat", "+1901-01-01", "1901-01-01"}, 64, "", "bad date '+1901-01-01'"},
        {{"compat", "1901-01-01", "1901--1-01"}, 64, "", "bad date '1901--1-01'"},
        {{"compat", "1901-01-01", "---x"}, 64, "", "unknown option '---x'"},
        {{"people", "a.bio", "b.bio"}, 64, "", usage}, {{"render"}, 64, "", usage},
        {{"render", "chart.txt"}, 64, "", usage}, {{"render", "a.png", "b.png"}, 64, "", usage},
        {{"render", "a.png", "--size", "0x10"}, 64, "", usage}, {{"render", "a.png", "--size", "8193x1"}, 64, "", usage},
        {{"render", "a.png", "--size", "640"}, 64, "", usage},
        {{"render", "a.png", "--month", "2024"}, 64, "", usage}, {{"render", "one.png", "--size", "1x1"}, 0, "", ""},
        {{"render", "a.png", "--month", "2024-13"}, 64, "", usage}, {{"render", "a.png", "--month", "2024-00"}, 64, "", usage},
        {{"render", "january.png", "--month", "2024-01", "--day", "1", "--size", "8192x1"}, 0, "", ""},
        {{"render", "a.png", "--day", "0"}, 64, "", usage}, {{"render", "a.png", "--database", ""}, 64, "", usage},
        {{"render", "a.png", "--person"}, 64, "", usage}, {{"render", "a.png", "---x", "1"}, 64, "", "unknown option '---x'"},
        {{"render", "a.png", "--database", "two.bio", "--person", "2"}, 64, "", "the list holds 2 people"},
        {{"render", "a.png", "--database", "two.bio", "--person", "-1"}, 64, "", "the list holds 2 people"},
        {{"render", "a.png", "--person", "1"}, 64, "", "the list holds 1 person"},
        {{"month", "1901-01-01", "2000-01", "--xml"}, 64, "", usage},
        {{"critical", "2000-01-01", "2000-01-01"}, 64, "", usage},
        {{"critical", "2000-01-01", "2000-01-02", "2000-01-01"}, 64, "", usage},
        {{"critical", "2000-01-01", "2000-01-01", "2100-01-01"}, 64, "", "longer than 100 years"},
        {{"critical", "0-01-01", "2000-01-01", "2000-01-02"}, 64, "", usage},
        {{"critical", "1-0-1", "1-1-1", "1-1-2"}, 64, "", usage}, {{"critical", "1-1-1", "1-13-1", "1-12-2"}, 64, "", "bad date '1-13-1'"},
        {{"critical", "1-1-1", "1-1-0", "1-1-2"}, 64, "", usage}, {{"critical", "1-1-1", "1-1-1", "1-1-32"}, 64, "", usage},
        {{"critical", "2000-01-01", "3999-12-31", "4000-01-01"}, 64, "", usage},
        {{"critical", "2000-01-01", "2000-01-01", "2000-01-02", "--json", "--ics"}, 64, "", usage},
        {{"people", "nowhere.bio"}, 1, "", "nowhere.bio: cannot open: "},
        {{"render", "a.png", "--database", "nowhere.bio"}, 1, "", "nowhere.bio: cannot open: "},
        {{"people", "cut.bio"}, 2, "\n" + people + "0\tAda\t1990\t05\t17\n", "cut.bio: damaged at byte 34: "},
        {{"render", "drawn.png", "--database", "cut.bio"}, 2, "", "cut.bio: damaged at byte 34: "},
        {{"render", "default.png", "--database", "stub.bio"}, 2, "", "stub.bio: damaged at byte "},
        {{"render", "no/such/folder/c.png"}, 73, "", "no/such/folder/c.png: cannot write the picture"},
        {{"render", "full.pdf"}, 73, "", "full.pdf: cannot write the picture"},
        {{"render", "full.png", "--size", "1x1"}, 73, "", "full.png: cannot write the picture"},  // fits the buffer
        {{"render", "full.svg"}, 73, "", "full.svg: cannot write the picture"},
    };
    for (const auto& row : rows) {
        std::string joined;
        for (const auto& arg : row.args)
            joined += arg + " ";
        SCOPED_TRACE(joined);
        const CliRun run = Run(row.args);
        EXPECT_EQ(run.status, row.status);
        if (!row.out.empty() && row.out[0] == '\n') {
            EXPECT_NE(("\n" + run.out).find(row.out), std::string::npos) << run.out;
        } else {
            EXPECT_EQ(run.out, row.out);
        }
        EXPECT_NE(run.err.find(row.err), std::string::npos) << run.err;
        EXPECT_FALSE(std::filesystem::exists(m_dir / "a.png"));
    }
    // A month has one line per day; a damaged database is neither replaced
    // nor copied and its people are drawn.
    EXPECT_EQ(Lines(Run({"month", "1950-05-05", "2100-02"}).out).size(), 30u);
    EXPECT_EQ(ReadFile(m_dir / "cut.bio").size(), 34u);
    EXPECT_FALSE(std::filesystem::exists(m_dir / "cut.bio.damaged"));
    EXPECT_TRUE(std::filesystem::exists(m_dir / "drawn.png"));
    EXPECT_TRUE(std::filesystem::is_symlink(m_dir / "full.pdf"));
    // Every command's own usage on --help.
    for (const std::string command : {"month", "compat", "people", "critical", "render"}) {
        const CliRun run = Run({command, "--help"});
        EXPECT_EQ(run.status, 0);
        EXPECT_EQ(run.out.rfind("usage: orvina-cli " + command + " ", 0), 0u) << run.out;
        EXPECT_EQ(run.out.find("\n       orvina-cli"), std::string::npos) << run.out;
    }
}

// The window picture as PNG and SVG in the view size, the chosen person or
// the first or the default, and the printed page as PDF.
TEST_F(Cli, RendersTheChart)
{
    ASSERT_EQ(Run({"render", "chart.png", "--month", "2024-06", "--day", "15"}).status, 0);
    const QImage image = Picture("chart.png");
    ASSERT_EQ(image.size(), QSize(900, 550));
    // Light grey background, the left edge solid grey from the top row, the
    // light and black rules under the day numbers, day 15 framed light at
    // x = 420 and black at 423, the Physical legend sample solid black from
    // x = 52 and the Intuitional one a green dash.
    const struct { int x, y; QRgb rgb; } pixels[] = {
        {850, 540, qRgb(192, 192, 192)}, {0, 0, qRgb(128, 128, 128)}, {700, 519, qRgb(225, 225, 225)}, {700, 520, qRgb(0, 0, 0)},
        {420, 500, qRgb(225, 225, 225)}, {423, 500, qRgb(0, 0, 0)}, {52, 445, qRgb(0, 0, 0)}, {639, 445, qRgb(0, 128, 0)},
    };
    for (const auto& pixel : pixels)
        EXPECT_EQ(image.pixel(pixel.x, pixel.y), pixel.rgb) << pixel.x << "," << pixel.y;
    // The day-number band's black rule at -610: 400 x 1040 / 1100 = 378, in
    // the PNG and in the SVG read back by Qt's renderer, smoothed.
    ASSERT_EQ(Run({"render", "small.PNG", "--size", "640x400", "--month", "2023-02"}).status, 0);
    EXPECT_TRUE(Picture("small.PNG").size() == QSize(640, 400) && Picture("small.PNG").pixel(600, 378) == qRgb(0, 0, 0));
    const CliRun svgRun = Run({"render", "small.svg", "--size", "640x400", "--month", "2023-02"});
    ASSERT_EQ(svgRun.status, 0) << svgRun.err;
    EXPECT_EQ(svgRun.out + svgRun.err, "");
    QSvgRenderer svg(QString::fromStdString((m_dir / "small.svg").string()));
    ASSERT_TRUE(svg.isValid());
    EXPECT_EQ(svg.defaultSize(), QSize(640, 400));
    qputenv("QT_QPA_PLATFORM", "offscreen");  // the SVG's text needs fonts, and fonts a QGuiApplication
    static int argc = 1;
    static char name[] = "cli_test", *argv[] = {name, nullptr};
    const QGuiApplication gui(argc, argv);
    QImage drawn(640, 400, QImage::Format_RGB32);
    drawn.fill(Qt::white);
    QPainter painter(&drawn);
    svg.render(&painter);
    painter.end();
    EXPECT_LT(qGray(drawn.pixel(600, 378)), 128);
    EXPECT_EQ(drawn.pixel(600, 390), qRgb(192, 192, 192));
    // The month title keeps the narrowed width of the label font, as in the
    // PNG, and stands on the same baseline: the foot of its "y" in one row.
    auto titleEnd = [](const QImage& picture) {
        QPoint end;
        for (int y = 381; y < 400; ++y)
            for (int x = 2; x < picture.width(); ++x)
                end = qGray(picture.pixel(x, y)) < 96 ? QPoint(std::max(end.x(), x), y) : end;
        return end;
    };
    const QPoint pngEnd = titleEnd(Picture("small.PNG"));
    EXPECT_GT(pngEnd.x(), 40);
    EXPECT_NEAR(titleEnd(drawn).x(), pngEnd.x(), 3);
    EXPECT_EQ(titleEnd(drawn).y(), pngEnd.y()) << pngEnd.y();

    WritePeople("database.bio", {kAda, kBea});
    WritePeople("default.bio", {CName("New Name", "1901", "01", "01")});
    auto render = [&](const std::string& out, std::vector<std::string> options) {
        std::vector<std::string> args = {"render", out, "--month", "2024-06", "--day", "3"};
        args.insert(args.end(), options.begin(), options.end());
        EXPECT_EQ(Run(args).status, 0);
        return Picture(out);
    };
    const QImage first = render("first.png", {"--person", "0"});
    EXPECT_NE(first, render("second.png", {"--person", "1"}));
    const QImage byDefault = render("default.png", {"--database", "default.bio"});
    std::filesystem::remove(m_dir / "database.bio");
    EXPECT_TRUE(render("none.png", {}) == byDefault && first != byDefault);  // without a database the default person

    WritePeople("database.bio", {kAda});
    ASSERT_EQ(Run({"render", "page.pdf", "--month", "2024-06"}).status, 0);
    const std::string pdf = ReadFile(m_dir / "page.pdf");  // A4 in points, and the header's font embedded
    EXPECT_TRUE(pdf.rfind("%PDF-", 0) == 0 && pdf.find("/MediaBox [0 0 595") != std::string::npos &&
                pdf.find("DejaVu") != std::string::npos && pdf.find("%%EOF") != std::string::npos);
    // The page's drawing: the header's rule at 95 + 85, the chart's left edge from its top at 95 + 160.
    const size_t from = pdf.find("/FlateDecode\n>>\nstream\n") + 23;
    const QByteArray page = qUncompress(QByteArray::fromHex("00100000") + QByteArray::fromStdString(pdf.substr(from)));
    EXPECT_TRUE(page.contains("\n0 180 m\n") && page.contains("\n0 255 m\n"));
}

std::string Text(const QJsonValue& value)
{
    return value.isString() ? value.toString().toStdString() : value.isNull() ? "-" : std::to_string(value.toInt());
}

// Each --json document holds the values of the text form, field by field.
TEST_F(Cli, JsonHoldsTheValuesOfTheText)
{
    WritePeople("database.bio", {CName("Jos\xE9", "1901", "01", "01"), CName("Bea", "1970", "1", "031")});
    std::vector<std::string> lines;
    const char* keys[] = {"day", "weekday", "age", "physical", "emotional", "intellectual", "intuitional"};
    for (const auto& [birth, month] : {std::pair{"1996-06-01", "1996-06"}, std::pair{"0-0-0", "2000-02"}}) {
        const QJsonObject document = Both({"month", birth, month}, lines);
        const QJsonArray days = document["days"].toArray();
        ASSERT_EQ(lines.size(), days.size() + 1u);
        EXPECT_EQ(document["month"].toString().toStdString(), month);
        const QDate first = QDate::fromString(QString::fromLatin1(month) + "-01", Qt::ISODate);
        for (qsizetype day = 0; day < days.size(); ++day) {
            std::string joined;
            for (const char* key : keys)
                joined += (joined.empty() ? "" : "\t") + Text(days[day].toObject()[key]);
            EXPECT_EQ(joined, lines[day + 1]);
            EXPECT_EQ(days[day].toObject()["date"].toString(), first.addDays(day).toString(Qt::ISODate));
        }
    }
    const QJsonObject compat = Both({"compat", "1900-01-01", "1982-02-20"}, lines);
    ASSERT_EQ(lines.size(), 4u);
    for (size_t cycle = 0; cycle < 4; ++cycle)
        EXPECT_EQ(lines[cycle], kCycles[cycle] + (" " + Text(compat[QString::fromLatin1(kCycles[cycle]).toLower()])));
    const QJsonArray people = Both({"people"}, lines)["people"].toArray();
    ASSERT_EQ(lines.size(), people.size() + 1u);
    for (qsizetype i = 0; i < people.size(); ++i) {
        const QJsonObject person = people[i].toObject();
        EXPECT_EQ(Text(person["index"]) + "\t" + Text(person["name"]) + "\t" + Text(person["year"]) + "\t" +
                      Text(person["month"]) + "\t" + Text(person["day"]),
                  lines[i + 1]);
    }
    // critical: "date cycle" lines, up to the longest range allowed.
    for (const char* to : {"2026-12-31", "2099-12-31"}) {
        const QJsonArray days = Both({"critical", "1990-05-17", "2000-01-01", to}, lines)["days"].toArray();
        ASSERT_TRUE(lines.size() == static_cast<size_t>(days.size()) && !lines.empty());
        for (qsizetype i = 0; i < days.size(); ++i)
            EXPECT_EQ(Text(days[i].toObject()["date"]) + " " + Text(days[i].toObject()["cycle"]), lines[i]);
    }
}

// "Physical" and so on on the critical days from `from` to `to`: those where
// some multiple of half the period lies in [age, age + 1).
std::vector<std::pair<QDate, std::string>> CriticalModel(QDate birth, QDate from, QDate to)
{
    const int periods[] = {23, 28, 33, 38};
    std::vector<std::pair<QDate, std::string>> days;
    for (QDate date = from; date <= to; date = date.addDays(1)) {
        const qint64 age = birth.daysTo(date);
        for (int cycle = 0; cycle < 4; ++cycle) {
            qint64 multiple = age * 2 / periods[cycle] - 1;
            while (multiple * periods[cycle] < 2 * age)
                ++multiple;
            if (multiple * periods[cycle] < 2 * (age + 1))
                days.emplace_back(date, kCycles[cycle]);
        }
    }
    return days;
}

// The calendar parsed back against the model: CRLF lines, one all-day event
// per critical day and cycle, UIDs that are unique, the same on another run
// and different for another birth date.
TEST_F(Cli, CalendarHoldsOneEventPerCriticalDay)
{
    const auto events = [&](const std::string& birth, const std::string& from, const std::string& to) {
        const CliRun run = Run({"critical", birth, from, to, "--ics"});
        EXPECT_EQ(run.status, 0) << run.err;
        EXPECT_EQ(run.out.substr(0, 17), "BEGIN:VCALENDAR\r\n");
        std::vector<std::map<std::string, std::string>> found;
        for (const std::string& line : Lines(run.out)) {
            EXPECT_TRUE(!line.empty() && line.back() == '\r' && line.size() <= 76) << line;
            const size_t colon = line.find(':');
            if (line == "BEGIN:VEVENT\r")
                found.emplace_back();
            else if (!found.empty() && colon != std::string::npos)
                found.back()[line.substr(0, colon)] = line.substr(colon + 1, line.size() - colon - 2);
        }
        EXPECT_EQ(Lines(run.out).back(), "END:VCALENDAR\r");
        return found;
    };
    // A year; every cycle at age 0; the days before the birth.
    const struct { const char *birth, *from, *to; } rows[] = {{"1990-05-17", "2026-01-01", "2026-12-31"},
        {"2000-01-01", "2000-01-01", "2000-03-31"}, {"2010-06-15", "2010-06-01", "2010-06-14"}};
    std::set<std::string> uids;
    for (const auto& row : rows) {
        SCOPED_TRACE(row.birth);
        const auto found = events(row.birth, row.from, row.to);
        const auto date = [](const char* text) { return QDate::fromString(text, Qt::ISODate); };
        const auto model = CriticalModel(date(row.birth), date(row.from), date(row.to));
        ASSERT_EQ(found.size(), model.size());
        for (size_t i = 0; i < model.size(); ++i) {
            EXPECT_EQ(found[i].at("DTSTART;VALUE=DATE"), model[i].first.toString("yyyyMMdd").toStdString());
            EXPECT_EQ(found[i].at("DTEND;VALUE=DATE"), model[i].first.addDays(1).toString("yyyyMMdd").toStdString());
            EXPECT_EQ(found[i].at("SUMMARY"), model[i].second + " critical day");
            EXPECT_EQ(found[i].at("DTSTAMP").size(), 16u);
            EXPECT_TRUE(uids.insert(found[i].at("UID")).second) << found[i].at("UID");
        }
    }
    for (const auto& event : events(rows[0].birth, rows[0].from, rows[0].to))
        EXPECT_EQ(uids.count(event.at("UID")), 1u);
    for (const auto& event : events("1990-05-18", rows[0].from, rows[0].to))
        EXPECT_EQ(uids.count(event.at("UID")), 0u);
}

}  // namespace
