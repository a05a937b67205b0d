#include "view/ovixview.h"

#include "calc/int32math.h"
#include "chart/daynavigation.h"
#include "chart/dayreadout.h"
#include "platform/messagebox.h"
#include "platform/painterdc.h"
#include "platform/rgb.h"
#include "platform/stringtable.h"
#include "platform/textencoding.h"

#include <QAccessible>
#include <QClipboard>
#include <QDir>
#include <QFileInfo>
#include <QGuiApplication>
#include <QHelpEvent>
#include <QKeyEvent>
#include <QLineEdit>
#include <QMimeData>
#include <QMouseEvent>
#include <QPainter>
#include <QPrintDialog>
#include <QPrintPreviewDialog>
#include <QPrintPreviewWidget>
#include <QPrinter>
#include <QToolTip>

#include <utility>

namespace {
constexpr QRgb kBackground = ToArgb(kFaceGrey);
constexpr const char* kDisplayMessage = "Display -> NOT IMPLEMENTED";
constexpr const char* kPdfSuffix = ".pdf";
constexpr const char* kAccessibleName = "Chart";
constexpr const char* kPrintFailed = "The chart could not be printed: the printer reported an error.";

// Keeps the chart's printing flag set for one printing pass, however it ends.
class PrintingScope {
public:
    explicit PrintingScope(CChart& chart) : m_chart(chart) { m_chart.BeginPrinting(); }
    ~PrintingScope() { m_chart.EndPrinting(); }
    PrintingScope(const PrintingScope&) = delete;
    PrintingScope& operator=(const PrintingScope&) = delete;

private:
    CChart& m_chart;
};
}

COvixView::COvixView(CAppData& app, COvixDoc& doc, QPrinter& printer, QWidget* parent)
    : QWidget(parent), m_printer(printer), m_chart(app, doc), m_peopleDlg(app), m_compatDlg(app)
{
    // The background erase before every paint.
    QPalette palette = this->palette();
    palette.setColor(QPalette::Window, QColor(kBackground));
    setPalette(palette);
    setAutoFillBackground(true);
    // The keyboard days need the focus; a click gives it too.
    setFocusPolicy(Qt::StrongFocus);
    setAccessibleName(QLatin1String(kAccessibleName));
}

COvixView::~COvixView() = default;

void COvixView::OnInitialUpdate()
{
    m_chart.OnInitialUpdate();
    // Both lists of the Compatibility dialog start at the first person.
    m_compatDlg.m_index1 = 0;
    m_compatDlg.m_index2 = 0;
    UpdateClientRect();
    update();
}

void COvixView::OnPeople()
{
    m_peopleDlg.DoModal(this);
    // Redraw whatever the dialog's outcome: the chosen person may have changed.
    update();
}

void COvixView::OnDisplay()
{
    MessageBox::Show(this, QString::fromLatin1(kDisplayMessage), StringTable::AppTitle(), MessageBox::Buttons::Ok,
                     MessageBox::Icon::None);
}

void COvixView::OnCompatibility()
{
    m_compatDlg.DoModal(this);
}

void COvixView::OnPreviousMonth()
{
    m_chart.PreviousMonth();
    update();
    RefreshReadout();
}

void COvixView::OnNextMonth()
{
    m_chart.NextMonth();
    update();
    RefreshReadout();
}

void COvixView::OnFilePrint()
{
    m_printer.setDocName(JobName());
    QPrintDialog dialog(&m_printer, this);
    OfferFileName(dialog);
    if (dialog.exec() != QDialog::Accepted)
        return;
    PrintChart(m_printer);
}

QString COvixView::JobName() const
{
    return DecodeSystemText(m_chart.JobName());
}

void COvixView::OfferFileName(QPrintDialog& dialog) const
{
    // Qt's dialog names the PDF it offers after the job cut at its last dot,
    // or after the last file printed to; the whole job name is offered
    // instead, in the same folder, with no folder separator inside it.
    auto* field = dialog.findChild<QLineEdit*>(QStringLiteral("filename"));
    if (!field)
        return;
    QString name = JobName();
    name.replace(QLatin1Char('/'), QLatin1Char('-'));
    name.replace(QLatin1Char('\\'), QLatin1Char('-'));
    const QString shown = field->text();
    const bool namesFile = shown.endsWith(QLatin1String(kPdfSuffix), Qt::CaseInsensitive);
    const QString folder = namesFile ? QFileInfo(shown).path() : shown;
    field->setText(QDir(folder).filePath(name + QLatin1String(kPdfSuffix)));
}

bool COvixView::PrintChart(QPrinter& printer)
{
    // The job's name, and the title of a PDF it writes.
    printer.setDocName(JobName());
    bool printed = false;
    QPainter painter;
    if (painter.begin(&printer)) {
        PrintPageOn(printer, painter);
        printed = painter.end();
    }
    printed = printed && printer.printerState() != QPrinter::Error;
    if (!printed) {
        MessageBox::Show(this, QString::fromLatin1(kPrintFailed), StringTable::AppTitle(), MessageBox::Buttons::Ok,
                         MessageBox::Icon::Warning);
    }
    return printed;
}

void COvixView::OnFilePrintPreview()
{
    // The preview's own Print button names the job too.
    m_printer.setDocName(JobName());
    QPrintPreviewDialog preview(&m_printer, this);
    connect(&preview, &QPrintPreviewDialog::paintRequested, this, [this](QPrinter* printer) {
        QPainter painter(printer);
        PrintPageOn(*printer, painter);
    });

    QPrintPreviewWidget* pages = preview.findChild<QPrintPreviewWidget*>();
    const auto startMode = m_previewPages == 2 ? QPrintPreviewWidget::FacingPagesView
                                               : QPrintPreviewWidget::SinglePageView;
    if (pages)
        pages->setViewMode(startMode);

    preview.exec();
    // The preview may have covered the window; it shows the screen's chart again.
    update();

    // Remember a page count the user chose in the preview.
    if (pages && pages->viewMode() != startMode) {
        if (pages->viewMode() == QPrintPreviewWidget::FacingPagesView)
            m_previewPages = 2;
        else if (pages->viewMode() == QPrintPreviewWidget::SinglePageView)
            m_previewPages = 1;
    }
}

void COvixView::PrintPageOn(QPrinter& printer, QPainter& painter)
{
    // The printing state lasts for this pass only: a paint of the window
    // while a preview is open draws the screen's chart.
    PrintingScope printing(m_chart);
    // The printable area in printer pixels; the chart spans its width.
    PainterDC dc(painter, printer.width());
    DcRect drawRect{0, 0, printer.width(), printer.height()};
    UpdateClientRect();
    m_chart.PrintPage(dc, drawRect);
}

void COvixView::UpdateClientRect()
{
    m_chart.SetClientRect(DcRect{0, 0, width(), height()});
}

void COvixView::paintEvent(QPaintEvent*)
{
    UpdateClientRect();
    {
        QPainter painter(this);
        PainterDC dc(painter, width());
        m_chart.Draw(dc);
    }
    if (!m_painted) {
        m_painted = true;
        if (m_onFirstPaint)
            m_onFirstPaint();
    }
    RefreshReadout();
}

void COvixView::resizeEvent(QResizeEvent* event)
{
    QWidget::resizeEvent(event);
    // The chart is laid out for the whole client area, so all of it changes.
    UpdateClientRect();
    update();
}

void COvixView::mousePressEvent(QMouseEvent* event)
{
    if (event->button() == Qt::LeftButton)
        m_chart.RecordPress(static_cast<int32_t>(event->position().x()));
    QWidget::mousePressEvent(event);
}

void COvixView::mouseReleaseEvent(QMouseEvent* event)
{
    // The view keeps the mouse from the press on; a release outside it
    // selects nothing, as on a platform that does not capture the mouse.
    if (event->button() == Qt::LeftButton && rect().contains(event->position().toPoint())) {
        // A widget is painted only from its paint event; the repaint that
        // follows frames the selected column.
        m_chart.SelectPressedDay();
        update();
    }
    QWidget::mouseReleaseEvent(event);
}

void COvixView::OnPreviousDay()
{
    StepDay(&CDayNavigation::PreviousDay);
}

void COvixView::OnNextDay()
{
    StepDay(&CDayNavigation::NextDay);
}

void COvixView::StepDay(void (*step)(CChart&))
{
    const int32_t year = m_chart.m_year;
    const int32_t month = m_chart.m_month;
    const int32_t day = m_chart.m_day;
    step(m_chart);
    UpdateSelection(year, month, day);
    RefreshReadout();
}

void COvixView::UpdateSelection(int32_t year, int32_t month, int32_t day)
{
    // Within the month the last pass laid out, only the columns around the
    // old and the new frame change; the pass repaints them alone, clipped.
    const int32_t width = TruncToInt32(m_chart.m_dayWidth);
    const bool sameLayout = year == m_chart.m_year && month == m_chart.m_month && width >= 1 &&
                            m_chart.m_devRight > m_chart.m_devLeft &&
                            TruncToInt32(m_chart.m_worldRight) == m_chart.m_dayCount * width;
    if (!sameLayout) {
        update();
        return;
    }
    // A frame's lines lie on its column's edges and just right of them.
    const auto around = [&](int32_t column) {
        const int left = m_chart.WorldToDeviceX(static_cast<double>(column - 2) * width);
        const int right = m_chart.WorldToDeviceX(static_cast<double>(column + 1) * width) + 1;
        return QRect(left, 0, right - left + 1, height());
    };
    update(around(day).united(around(m_chart.m_day)));
}

void COvixView::OnToday()
{
    CDayNavigation::Today(m_chart, Clock::Today());
    update();
    RefreshReadout();
}

void COvixView::OnCopy()
{
    auto* data = new QMimeData;
    data->setImageData(grab().toImage());
    data->setText(m_readout);
    QGuiApplication::clipboard()->setMimeData(data);
}

QString COvixView::ReadoutOf(int32_t day)
{
    // The same preparation a paint runs, so the values are the curves' own.
    m_chart.PrepareMonth();
    const std::optional<CDayReadout> readout = CDayReadout::Read(m_chart, day);
    return readout ? QString::fromStdString(readout->Text()) : QString();
}

void COvixView::RefreshReadout()
{
    const QString readout = ReadoutOf(m_chart.m_day);
    if (readout == m_readout)
        return;
    m_readout = readout;
    setAccessibleDescription(readout);
    QAccessibleEvent changed(this, QAccessible::DescriptionChanged);
    QAccessible::updateAccessibility(&changed);
    emit ReadoutChanged(readout);
}

void COvixView::keyPressEvent(QKeyEvent* event)
{
    if (event->matches(QKeySequence::Copy)) {
        OnCopy();
        return;
    }
    if (event->modifiers() & ~(Qt::KeypadModifier)) {
        QWidget::keyPressEvent(event);
        return;
    }
    switch (event->key()) {
    case Qt::Key_Left: OnPreviousDay(); break;
    case Qt::Key_Right: OnNextDay(); break;
    case Qt::Key_Home: OnToday(); break;
    case Qt::Key_PageUp: OnPreviousMonth(); break;
    case Qt::Key_PageDown: OnNextMonth(); break;
    default: QWidget::keyPressEvent(event); break;
    }
}

bool COvixView::event(QEvent* event)
{
    if (event->type() == QEvent::ToolTip) {
        ShowDayTip(static_cast<const QHelpEvent&>(*event));
        return true;
    }
    return QWidget::event(event);
}

void COvixView::ShowDayTip(const QHelpEvent& event)
{
    const int32_t day = CDayReadout::DayUnder(m_chart, event.pos().x());
    const QString text = day > 0 ? ReadoutOf(day) : QString();
    if (text.isEmpty()) {
        QToolTip::hideText();
        return;
    }
    // The tip stays while the mouse is in the day's column and follows it
    // into the next.
    const int32_t width = TruncToInt32(m_chart.m_dayWidth);
    const int left = m_chart.WorldToDeviceX(static_cast<double>(day - 1) * width);
    const int right = m_chart.WorldToDeviceX(static_cast<double>(day) * width);
    QToolTip::showText(event.globalPos(), text, this, QRect(left, 0, right - left, height()));
}
