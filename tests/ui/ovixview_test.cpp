// The chart view of a started application: its commands, painting, mouse
// and keyboard selection, printing, and the day readout in the status bar.
#include "frame/dayreadoutpane.h"
#include "frame/statusbar.h"
#include "view/ovixview.h"
#include "programtestenv.h"

#include <QLineEdit>
#include <QPrintPreviewWidget>
#include <QPrinter>
#include <QScreen>
#include <QtTest>


namespace {
// The date part of a readout, from Qt's calendar rather than the program's.
QString DateText(const QDate& date)
{
    const QLocale c = QLocale::c();
    return c.toString(date, "ddd").left(2) + ' ' + c.toString(date, "d MMM yyyy") + "  age ";
}

// Counts the paint events a widget receives from its construction on.
class PaintCounter : public QObject {
public:
    explicit PaintCounter(QWidget& widget) { widget.installEventFilter(this); }
    int m_count = 0;

protected:
    bool eventFilter(QObject*, QEvent* event) override
    {
        m_count += event->type() == QEvent::Paint;
        return false;
    }
};
}

class OvixViewTest : public QObject, public StartedApp {
    Q_OBJECT

private slots:
    void init()
    {
        m_today = std::make_unique<FixedToday>(CDate{2024, 6, 15});
        QVERIFY(Start());
    }

    void cleanup()
    {
        Stop();
        m_today.reset();
    }

    // Day 0 releases left of the view, day 40 right of it, selecting nothing;
    // today is the 15th.
    void aClickSelectsTheDayUnderThePress()
    {
        View().repaint();
        const CChart& chart = View().Chart();
        const auto middleOf = [&](int day) { return QPoint(chart.WorldToDeviceX(30 * day - 15), View().height() / 2); };
        for (const auto& [press, release, selected] : {std::tuple{1, 1, 1}, {5, 9, 5}, {5, 0, 15}, {5, 40, 15}}) {
            View().Chart().m_day = 15;
            QTest::mousePress(&View(), Qt::LeftButton, {}, middleOf(press));
            QTest::mouseRelease(&View(), Qt::LeftButton, {}, middleOf(release));
            QCOMPARE(chart.m_day, selected);
        }
    }

    // The job is named after the person and month; a file that cannot be
    // made is reported.
    void printingToAPdfFile()
    {
        for (const auto& [fileName, printed] : {std::pair{"chart.pdf", true}, {"missing/chart.pdf", false}}) {
            MessageRecorder messages;
            QPrinter printer;
            printer.setOutputFormat(QPrinter::PdfFormat);
            printer.setOutputFileName(m_folder->File(fileName));
            QCOMPARE(View().PrintChart(printer), printed);
            QCOMPARE(View().Chart().m_printing, 0);
            const QByteArray pdf = ReadBytes(m_folder->File(fileName));
            QCOMPARE(pdf.startsWith("%PDF"), printed);
            QCOMPARE(messages.Shown().size(), size_t(printed ? 0 : 1));
            QCOMPARE(printer.docName(), QString("New Name - June 2024"));
        }
    }

    // The print dialog offers a PDF named after the person and the month,
    // whole and with no folder separator inside it.
    void thePrintDialogOffersTheJobsName()
    {
        m_app->m_names.Clear();
        m_app->m_names.Append(CName("J.R. Smith/Jones", "1970", "1", "1"));
        View().Chart().m_year = 2026;
        View().Chart().m_month = 12;
        View().repaint();
        QString shown;
        InModal([&] { View().OnFilePrint(); }, [&](QWidget* dialog) {
            if (auto* field = dialog->findChild<QLineEdit*>("filename"))
                shown = field->text();
            QTest::keyClick(dialog, Qt::Key_Escape);
        });
        QCOMPARE(QFileInfo(shown).fileName(), QString("J.R. Smith-Jones - December 2026.pdf"));
        QCOMPARE(m_app->Printer().docName(), QString("J.R. Smith/Jones - December 2026"));
    }

    // The printing state belongs to the preview's own pass: a paint of the
    // window while the preview is open draws the screen's chart, and the
    // window repaints when the preview closes; the page count chosen in the
    // preview is kept.
    void thePreviewDrawsItsOwnPass()
    {
        QCOMPARE(m_app->Printer().resolution(), 600);
        const QImage before = View().grab().toImage();
        QImage during;
        QVERIFY(InModal([&] { View().OnFilePrintPreview(); }, [&](QWidget* preview) {
            during = View().grab().toImage();
            preview->findChild<QPrintPreviewWidget*>()->setViewMode(QPrintPreviewWidget::FacingPagesView);
        }));
        // The page count chosen in the preview is kept, and only one chosen.
        QCOMPARE(View().PreviewPages(), 2);
        for (const auto& [start, chosen, kept] : {std::tuple{0, -1, 0}, {2, int(QPrintPreviewWidget::SinglePageView), 1}}) {
            View().SetPreviewPages(start);
            QVERIFY(InModal([&] { View().OnFilePrintPreview(); }, [chosen = chosen](QWidget* preview) {
                if (chosen >= 0)
                    preview->findChild<QPrintPreviewWidget*>()->setViewMode(QPrintPreviewWidget::ViewMode(chosen));
            }));
            QCOMPARE(View().PreviewPages(), kept);
        }
        QCOMPARE(during, before);
        QCOMPARE(View().Chart().m_printing, 0);
        PaintCounter paints(View());
        QTRY_VERIFY(paints.m_count > 0);
    }

    // The keys against Qt's calendar, the readout with them. What the window
    // shows after a step within the month, however little of it was
    // redrawn, is the whole chart drawn afresh.
    void theKeysSelectDays()
    {
        for (const auto& [start, key, end] :
             {std::tuple{QDate(2024, 6, 15), Qt::Key_Right, QDate(2024, 6, 16)}, {QDate(2024, 6, 1), Qt::Key_Left, QDate(2024, 5, 31)},
              {QDate(2023, 12, 31), Qt::Key_Right, QDate(2024, 1, 1)}, {QDate(2024, 3, 1), Qt::Key_Left, QDate(2024, 2, 29)},
              {QDate(1850, 2, 10), Qt::Key_Home, QDate(2024, 6, 15)}, {QDate(2024, 6, 15), Qt::Key_PageDown, QDate(2024, 7, 15)},
              {QDate(2024, 1, 15), Qt::Key_PageUp, QDate(2023, 12, 15)}}) {
            Show(start);
            QTest::keyClick(&View(), key);
            const CChart& chart = View().Chart();
            QCOMPARE(QDate(chart.m_year, chart.m_month, chart.m_day), end);
            QVERIFY2(Pane().text().startsWith(DateText(end)), qPrintable(Pane().text()));
            if (start.addDays(1) != end || start.month() != end.month())
                continue;
            QTest::qWait(50);
            const QPoint origin = View().mapTo(View().window(), QPoint(0, 0));
            const QImage shown = View().screen()->grabWindow(View().window()->winId(), origin.x(), origin.y(),
                                                             View().width(), View().height()).toImage();
            QCOMPARE(shown.convertToFormat(QImage::Format_RGB32),
                     View().grab().toImage().convertToFormat(QImage::Format_RGB32));
        }
    }

private:
    COvixView& View() { return Frame().View(); }
    QLabel& Pane() { return *Frame().StatusBar().findChild<CDayReadoutPane*>(); }

    // Shows `date`'s month with `date` selected, painted.
    void Show(const QDate& date)
    {
        CChart& chart = View().Chart();
        chart.m_year = date.year();
        chart.m_month = date.month();
        chart.m_day = date.day();
        View().repaint();
    }

    std::unique_ptr<FixedToday> m_today;
};

QTEST_MAIN(OvixViewTest)
#include "ovixview_test.moc"
