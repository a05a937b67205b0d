#include "chart/ovixview.h"

#include "app/stringtable.h"
#include "platform/messagebox.h"
#include "platform/painterdc.h"
#include "platform/textencoding.h"

#include <QDir>
#include <QFileInfo>
#include <QLineEdit>
#include <QMouseEvent>
#include <QPainter>
#include <QPrintDialog>
#include <QPrintPreviewDialog>
#include <QPrintPreviewWidget>
#include <QPrinter>

#include <utility>

namespace {
constexpr QRgb kBackground = qRgb(192, 192, 192);
constexpr const char* kDisplayMessage = "Display -> NOT IMPLEMENTED";
constexpr const char* kPdfSuffix = ".pdf";
constexpr const char* kPrintFailed = "The chart could not be printed: the printer reported an error.";

// A device context that draws nothing. A widget can be painted only from its
// paint event, so the day selection's immediate feedback lines go here; the
// full repaint that follows frames the selected column anyway.
class NullDC : public DeviceContext {
public:
    explicit NullDC(int32_t horzRes) : m_horzRes(horzRes) {}

    const CPen* SelectPen(const CPen* pen) override { return std::exchange(m_pen, pen); }
    const CFont* SelectFont(const CFont* font) override { return std::exchange(m_font, font); }
    void MoveTo(int32_t, int32_t) override {}
    void LineTo(int32_t, int32_t) override {}
    void TextOut(int32_t, int32_t, const std::string&) override {}
    void FillRect(const DcRect&, Rgb) override {}
    void SetBkModeTransparent(bool) override {}
    void SetBkColor(Rgb) override {}
    void SetWindowOrg(int32_t, int32_t) override {}
    DcTextMetrics GetTextMetrics() override { return {}; }
    int32_t HorzRes() const override { return m_horzRes; }

private:
    int32_t m_horzRes;
    const CPen* m_pen = nullptr;
    const CFont* m_font = nullptr;
};

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
}

void COvixView::OnNextMonth()
{
    m_chart.NextMonth();
    update();
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
        NullDC dc(width());
        m_chart.SelectDay(dc);
        update();
    }
    QWidget::mouseReleaseEvent(event);
}
