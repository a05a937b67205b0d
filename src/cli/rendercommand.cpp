#include "cli/rendercommand.h"

#include "chart/chart.h"
#include "cli/cliarguments.h"
#include "people/appdata.h"
#include "people/databasefile.h"
#include "people/ovixdoc.h"
#include "platform/offscreenapplication.h"
#include "platform/painterdc.h"
#include "platform/recordingdc.h"

#include <QBuffer>
#include <QFile>
#include <QFileInfo>
#include <QGuiApplication>
#include <QImage>
#include <QPageLayout>
#include <QPageSize>
#include <QPainter>
#include <QPdfWriter>
#include <QRegularExpression>
#include <QSvgGenerator>

#include <functional>
#include <memory>
#include <optional>
#include <ostream>

namespace {

struct RenderOptions {
    enum class Format { Png, Svg, Pdf };
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
    if (suffix == ".svg")
        return RenderOptions::Format::Svg;
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
                return "the output file '" + arg + "' must end in .png, .svg or .pdf";
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

QString FilePath(const std::string& path)
{
    return QFile::decodeName(QByteArray::fromStdString(path));
}

// Writes the file through `write`, then checks that every byte reached it:
// a writer's own result says nothing of a full disk. What was written of a
// failed regular file is removed.
bool WriteFile(const std::string& path, const std::function<bool(QIODevice&)>& write)
{
    QFile file(FilePath(path));
    if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate))
        return false;
    bool written = write(file) && file.flush() && file.error() == QFileDevice::NoError;
    file.close();
    written = written && file.error() == QFileDevice::NoError;
    if (!written && QFileInfo(file).isFile())
        file.remove();
    return written;
}

bool WritePng(CChart& chart, const RenderOptions& options, QIODevice& device)
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
    return image.save(&device, "PNG");
}

// The window's picture as vectors: the same drawing pass as the PNG.
bool WriteSvg(CChart& chart, const RenderOptions& options, QIODevice& device)
{
    QBuffer buffer;
    QSvgGenerator generator;
    generator.setOutputDevice(&buffer);
    generator.setSize(QSize(options.width, options.height));
    generator.setViewBox(QRect(0, 0, options.width, options.height));
    generator.setTitle(QStringLiteral("Orvina 2.1"));
    QPainter painter;
    if (!painter.begin(&generator))
        return false;
    painter.fillRect(generator.viewBox(), Qt::white);
    {
        PainterDC dc(painter, options.width);
        chart.Draw(dc);
    }
    if (!painter.end())
        return false;
    // The generator gives the size in millimetres, which renderers turn into
    // pixels at different resolutions; the picture's size is in pixels.
    QByteArray svg = buffer.data();
    static const QRegularExpression millimetres(QStringLiteral("<svg width=\"[0-9.]+mm\" height=\"[0-9.]+mm\""));
    const QRegularExpressionMatch match = millimetres.match(QString::fromLatin1(svg.left(200)));
    if (!match.hasMatch())
        return false;
    svg.replace(match.capturedStart(), match.capturedLength(),
                QStringLiteral("<svg width=\"%1\" height=\"%2\"").arg(options.width).arg(options.height).toLatin1());
    return device.write(svg) == svg.size();
}

bool WritePdf(CChart& chart, const RenderOptions& options, QIODevice& device)
{
    // The window paints before anything can be printed, and that paint sets
    // the document title that the page header shows.
    RecordingDC window(options.width);
    chart.Draw(window);

    QPdfWriter writer(&device);
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

}  // namespace

int RenderCommand(const std::vector<std::string>& args, std::ostream& err)
{
    RenderOptions options;
    if (const std::optional<std::string> problem = ParseRenderArgs(args, options))
        return Usage(err, "render", *problem);

    // The people as the program's start-up finds them: the database's records,
    // or the default person when there is no database.
    const std::string path = options.database.value_or(kDatabaseFileName);
    const DatabaseLoadResult loaded = LoadDatabaseFile(path);
    if (loaded.status == DatabaseLoadResult::Status::Missing && options.database) {
        err << path << ": cannot open: " << loaded.openError << '\n';
        return kExitMissingFile;
    }
    CAppData app;
    COvixDoc doc(app);
    doc.InitMonthLengths();
    doc.AdoptNames(loaded.records);
    // The list as the chart sees it: the default person when nothing was read.
    const int32_t count = app.m_names.Count();
    if (options.person < 0 || options.person >= count) {
        return Usage(err, "render",
                     "there is no person " + std::to_string(options.person) + ": the list holds " +
                         std::to_string(count) + (count == 1 ? " person" : " people") + ", numbered from 0");
    }
    app.Choose(options.person);
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

    const std::unique_ptr<QGuiApplication> gui = MakeOffscreenApplication<QGuiApplication>("orvina-cli");
    const bool written = WriteFile(options.out, [&](QIODevice& device) {
        switch (options.format) {
        case RenderOptions::Format::Png: return WritePng(chart, options, device);
        case RenderOptions::Format::Svg: return WriteSvg(chart, options, device);
        case RenderOptions::Format::Pdf: return WritePdf(chart, options, device);
        }
        return false;
    });
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

