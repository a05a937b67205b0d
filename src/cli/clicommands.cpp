#include "cli/clicommands.h"

#include "app/appdata.h"
#include "calc/calendar.h"
#include "calc/compatibility.h"
#include "calc/decimal.h"
#include "calc/int32math.h"
#include "calc/monthlengths.h"
#include "calc/weekdaylabel.h"
#include "chart/chart.h"
#include "people/databasefile.h"
#include "people/ovixdoc.h"
#include "platform/clock.h"
#include "platform/painterdc.h"
#include "platform/recordingdc.h"

#include <QFile>
#include <QGuiApplication>
#include <QImage>
#include <QPageLayout>
#include <QPageSize>
#include <QPainter>
#include <QPdfWriter>

#include <charconv>
#include <memory>
#include <optional>
#include <ostream>
#include <string_view>

namespace {

constexpr const char* kUsage =
    "usage: orvina-cli month BIRTHDATE YEAR-MONTH\n"
    "       orvina-cli compat DATE1 DATE2\n"
    "       orvina-cli people [FILE]\n"
    "       orvina-cli render OUT [--database FILE] [--person N] [--month YEAR-MONTH] [--day D]\n"
    "                             [--size WIDTHxHEIGHT]\n"
    "Dates are YEAR-MONTH-DAY, three decimal integers; the year may carry a leading '-'.\n"
    "render draws the chart of a WIDTHxHEIGHT window (default 900x550) into OUT: a .png file\n"
    "gets the window's picture, a .pdf file the printed A4 page with its header. Defaults:\n"
    "database.bio of the current folder, person 0, today's month and day. D is 1 to 31;\n"
    "WIDTH and HEIGHT are 1 to 8192.\n";

// Exit status when the picture cannot be written (EX_CANTCREAT).
constexpr int kExitCannotWrite = 73;

int Usage(std::ostream& err, std::string_view problem)
{
    err << "orvina-cli: " << problem << '\n' << kUsage;
    return kExitUsage;
}

// Reads a decimal integer that must fill `text` and fit in 32 bits.
std::optional<int32_t> ParseInt(std::string_view text)
{
    if (text.empty() || text.front() == '+')
        return std::nullopt;
    int32_t value = 0;
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
    if (error != std::errc() || end != text.data() + text.size())
        return std::nullopt;
    return value;
}

// Splits "Y-M" or "Y-M-D" into its numbers; the year alone may carry a leading '-'.
std::optional<std::vector<int32_t>> ParseFields(std::string_view text, size_t count)
{
    std::vector<int32_t> fields;
    size_t start = 0;
    for (size_t i = 0; i < count; ++i) {
        const size_t searchFrom = (i == 0 && start < text.size() && text[start] == '-') ? start + 1 : start;
        const size_t dash = (i + 1 < count) ? text.find('-', searchFrom) : text.size();
        if (dash == std::string_view::npos)
            return std::nullopt;
        const std::string_view field = text.substr(start, dash - start);
        if (i > 0 && !field.empty() && field.front() == '-')
            return std::nullopt;
        const std::optional<int32_t> value = ParseInt(field);
        if (!value)
            return std::nullopt;
        fields.push_back(*value);
        start = dash + 1;
    }
    return fields;
}

std::optional<CDate> ParseDate(std::string_view text)
{
    const auto fields = ParseFields(text, 3);
    if (!fields)
        return std::nullopt;
    return CDate{(*fields)[0], (*fields)[1], (*fields)[2]};
}

int MonthCommand(const std::vector<std::string>& args, std::ostream& out, std::ostream& err)
{
    if (args.size() != 3)
        return Usage(err, "month takes a birth date and a month");
    const std::optional<CDate> birth = ParseDate(args[1]);
    if (!birth)
        return Usage(err, "bad birth date '" + args[1] + "'");
    const auto shown = ParseFields(args[2], 2);
    if (!shown || (*shown)[1] < 1 || (*shown)[1] > 12)
        return Usage(err, "bad month '" + args[2] + "'");
    const int32_t year = (*shown)[0];
    const int32_t month = (*shown)[1];

    // The same steps as the chart's per-day preparation: the month from its
    // 1st, then the cycle values of each day's age.
    CCalendar calendar;
    calendar.InitMonthLengths();
    calendar.ComputeMonth(year, birth->year, month, birth->month, 1, birth->day);
    const bool drawable = calendar.m_curDayNumber > 0 && calendar.m_birthDayNumber > 0;

    CAppData app;
    out << "day weekday age physical emotional intellectual intuitional\n";
    for (int32_t day = 1; day <= calendar.m_monthLength; ++day) {
        const int32_t age = WrappingAdd(calendar.m_ageDays, day - 1);
        out << day << ' ' << WeekdayLabel(kWeekdayText, calendar.m_weekday + day - 1) << ' ' << age;
        if (drawable) {
            app.ComputeCycles(age);
            out << ' ' << app.m_physical << ' ' << app.m_emotional << ' ' << app.m_intellectual << ' '
                << app.m_intuitional << '\n';
        } else {
            // The chart draws no curves when either day number is 0 or less.
            out << " - - - -\n";
        }
    }
    return kExitOk;
}

int CompatCommand(const std::vector<std::string>& args, std::ostream& out, std::ostream& err)
{
    if (args.size() != 3)
        return Usage(err, "compat takes two dates");
    const std::optional<CDate> first = ParseDate(args[1]);
    if (!first)
        return Usage(err, "bad date '" + args[1] + "'");
    const std::optional<CDate> second = ParseDate(args[2]);
    if (!second)
        return Usage(err, "bad date '" + args[2] + "'");

    const CAppData app;
    const int32_t searchDays = MonthLength(app.m_monthDays, Clock::Today().month);
    const CompatibilityPercentages result = ComputeCompatibility(
        first->year, first->month, first->day, second->year, second->month, second->day, searchDays);
    out << "Physical " << result[kPhysical] << '\n'
        << "Emotional " << result[kEmotional] << '\n'
        << "Intellectual " << result[kIntellectual] << '\n'
        << "Intuitional " << result[kIntuitional] << '\n';
    return kExitOk;
}

int PeopleCommand(const std::vector<std::string>& args, std::ostream& out, std::ostream& err)
{
    if (args.size() > 2)
        return Usage(err, "people takes at most one file");
    const std::string path = args.size() == 2 ? args[1] : kDatabaseFileName;
    const DatabaseLoadResult loaded = LoadDatabaseFile(path);
    if (loaded.status == DatabaseLoadResult::Status::Missing) {
        err << path << ": cannot open: " << loaded.openError << '\n';
        return kExitMissingFile;
    }
    int32_t index = 0;
    for (const CName& person : loaded.records) {
        out << index++ << '\t' << person.m_name << '\t' << person.m_year << '\t' << person.m_month << '\t'
            << person.m_day << '\n';
    }
    if (loaded.fault) {
        out.flush();
        err << path << ": damaged at byte " << loaded.fault->offset << ": " << loaded.fault->reason << '\n';
        return kExitDamagedFile;
    }
    return kExitOk;
}

struct RenderOptions {
    enum class Format { Png, Pdf };
    std::string out;
    Format format = Format::Png;
    std::optional<std::string> database;
    int32_t person = 0;
    std::optional<int32_t> year;
    std::optional<int32_t> month;
    std::optional<int32_t> day;
    int32_t width = 900;
    int32_t height = 550;
};

constexpr int32_t kMaxViewSide = 8192;
constexpr int32_t kMaxDay = 31;
// What a typical laser printer cannot print on, around the printable area.
constexpr qreal kPdfMarginMillimetres = 6.35;
constexpr const char* kDefaultPerson[] = {"New Name", "1901", "01", "01"};

std::optional<RenderOptions::Format> FormatOf(const std::string& path)
{
    constexpr size_t kSuffixLength = 4;
    if (path.size() <= kSuffixLength)
        return std::nullopt;
    std::string suffix = path.substr(path.size() - kSuffixLength);
    for (char& c : suffix)
        c = static_cast<char>(c >= 'A' && c <= 'Z' ? c - 'A' + 'a' : c);
    if (suffix == ".png")
        return RenderOptions::Format::Png;
    if (suffix == ".pdf")
        return RenderOptions::Format::Pdf;
    return std::nullopt;
}

// "WIDTHxHEIGHT", both from 1 to kMaxViewSide.
bool ParseSize(std::string_view text, RenderOptions& options)
{
    const size_t cross = text.find('x');
    if (cross == std::string_view::npos)
        return false;
    const std::optional<int32_t> width = ParseInt(text.substr(0, cross));
    const std::optional<int32_t> height = ParseInt(text.substr(cross + 1));
    if (!width || !height || *width < 1 || *height < 1 || *width > kMaxViewSide || *height > kMaxViewSide)
        return false;
    options.width = *width;
    options.height = *height;
    return true;
}

// Reads the render arguments into `options`; the problem when they are bad.
std::optional<std::string> ParseRenderArgs(const std::vector<std::string>& args, RenderOptions& options)
{
    bool haveOut = false;
    for (size_t i = 1; i < args.size(); ++i) {
        const std::string& arg = args[i];
        if (arg.rfind("--", 0) != 0) {
            if (haveOut)
                return "render takes one output file";
            const auto format = FormatOf(arg);
            if (!format)
                return "the output file '" + arg + "' must end in .png or .pdf";
            options.out = arg;
            options.format = *format;
            haveOut = true;
            continue;
        }
        if (i + 1 >= args.size())
            return "option " + arg + " needs a value";
        const std::string& value = args[++i];
        if (arg == "--database") {
            if (value.empty())
                return "empty database file name";
            options.database = value;
        } else if (arg == "--person") {
            const std::optional<int32_t> person = ParseInt(value);
            if (!person)
                return "bad person '" + value + "'";
            options.person = *person;
        } else if (arg == "--month") {
            const auto shown = ParseFields(value, 2);
            if (!shown || (*shown)[1] < 1 || (*shown)[1] > 12)
                return "bad month '" + value + "'";
            options.year = (*shown)[0];
            options.month = (*shown)[1];
        } else if (arg == "--day") {
            const std::optional<int32_t> day = ParseInt(value);
            if (!day || *day < 1 || *day > kMaxDay)
                return "bad day '" + value + "'";
            options.day = *day;
        } else if (arg == "--size") {
            if (!ParseSize(value, options))
                return "bad size '" + value + "'";
        } else {
            return "unknown option '" + arg + "'";
        }
    }
    if (!haveOut)
        return "render needs an output file";
    return std::nullopt;
}

// Fonts need a QGuiApplication; without a display it runs on the offscreen
// platform.
std::unique_ptr<QGuiApplication> MakeGuiApplication()
{
    if (QGuiApplication::instance())
        return nullptr;
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    static int argc = 1;
    static char name[] = "orvina-cli";
    static char* argv[] = {name, nullptr};
    return std::make_unique<QGuiApplication>(argc, argv);
}

QString FilePath(const std::string& path)
{
    return QFile::decodeName(QByteArray::fromStdString(path));
}

bool WritePng(CChart& chart, const RenderOptions& options)
{
    QImage image(options.width, options.height, QImage::Format_RGB32);
    if (image.isNull())
        return false;
    image.fill(Qt::white);
    {
        QPainter painter(&image);
        PainterDC dc(painter, options.width);
        chart.Draw(dc);
    }
    return image.save(FilePath(options.out), "PNG");
}

bool WritePdf(CChart& chart, const RenderOptions& options)
{
    // The window paints before anything can be printed, and that paint sets
    // the document title that the page header shows.
    RecordingDC window(options.width);
    chart.Draw(window);

    QPdfWriter writer(FilePath(options.out));
    writer.setCreator(QStringLiteral("Orvina 2.1"));
    writer.setResolution(kPrintResolution);
    writer.setPageLayout(QPageLayout(QPageSize(QPageSize::A4), QPageLayout::Portrait,
                                     QMarginsF(kPdfMarginMillimetres, kPdfMarginMillimetres, kPdfMarginMillimetres,
                                               kPdfMarginMillimetres),
                                     QPageLayout::Millimeter));
    QPainter painter;
    if (!painter.begin(&writer))
        return false;
    {
        PainterDC dc(painter, writer.width());
        DcRect drawRect{0, 0, writer.width(), writer.height()};
        chart.BeginPrinting();
        chart.PrintPage(dc, drawRect);
        chart.EndPrinting();
    }
    return painter.end();
}

int RenderCommand(const std::vector<std::string>& args, std::ostream& err)
{
    RenderOptions options;
    if (const std::optional<std::string> problem = ParseRenderArgs(args, options))
        return Usage(err, *problem);

    // The people as the program's start-up finds them: the database's records,
    // or the default person when there is no database.
    const std::string path = options.database.value_or(kDatabaseFileName);
    const DatabaseLoadResult loaded = LoadDatabaseFile(path);
    if (loaded.status == DatabaseLoadResult::Status::Missing && options.database) {
        err << path << ": cannot open: " << loaded.openError << '\n';
        return kExitMissingFile;
    }
    CAppData app;
    for (const CName& record : loaded.records)
        app.m_names.Append(CName(record));
    if (app.m_names.IsEmpty())
        app.m_names.Append(CName(kDefaultPerson[0], kDefaultPerson[1], kDefaultPerson[2], kDefaultPerson[3]));
    app.m_chosenIndex = options.person;

    COvixDoc doc(app);
    doc.InitMonthLengths();
    const CName& first = *app.m_names.At(0);
    doc.m_birthYear = DecimalToInt(first.m_year);
    doc.m_birthMonth = DecimalToInt(first.m_month);
    doc.m_birthDay = DecimalToInt(first.m_day);
    doc.SetToday();

    CChart chart(app, doc);
    chart.OnInitialUpdate();
    if (options.year && options.month) {
        chart.m_year = *options.year;
        chart.m_month = *options.month;
    }
    if (options.day)
        chart.m_day = *options.day;
    chart.SetClientRect(DcRect{0, 0, options.width, options.height});

    const std::unique_ptr<QGuiApplication> gui = MakeGuiApplication();
    const bool written =
        options.format == RenderOptions::Format::Png ? WritePng(chart, options) : WritePdf(chart, options);
    if (!written) {
        err << options.out << ": cannot write the picture\n";
        return kExitCannotWrite;
    }
    if (loaded.fault) {
        err << path << ": damaged at byte " << loaded.fault->offset << ": " << loaded.fault->reason
            << "; drew the people read before it\n";
        return kExitDamagedFile;
    }
    return kExitOk;
}

}  // namespace

int RunCli(const std::vector<std::string>& args, std::ostream& out, std::ostream& err)
{
    if (args.empty())
        return Usage(err, "no command given");
    const std::string& command = args[0];
    if (command == "month")
        return MonthCommand(args, out, err);
    if (command == "compat")
        return CompatCommand(args, out, err);
    if (command == "people")
        return PeopleCommand(args, out, err);
    if (command == "render")
        return RenderCommand(args, err);
    if (command == "help" || command == "--help" || command == "-h") {
        out << kUsage;
        return kExitOk;
    }
    return Usage(err, "unknown command '" + command + "'");
}
