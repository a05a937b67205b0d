// The chart view of a started application: its commands, painting, mouse
// and keyboard selection, printing, and the day readout in the status bar,
// the hover tip, the clipboard and what screen readers are told.
#include "platform/stringtable.h"
#include "view/ovixview.h"
#include "frame/dayreadoutpane.h"
#include "frame/statusbar.h"
#include "platform/recordingdc.h"
#include "programtestenv.h"

#include <QAccessible>
#include <QClipboard>
#include <QComboBox>
#include <QFileInfo>
#include <QLineEdit>
#include <QMimeData>
#include <QPrintPreviewWidget>
#include <QPrinter>
#include <QScreen>
#include <QTimer>
#include <QToolTip>
#include <QtTest>

#include <map>
#include <sstream>

namespace {
constexpr CDate kToday{2024, 6, 15};

// The date part of a readout, from Qt's calendar rather than the program's.
QString DateText(const QDate& date)
{
    const QLocale c = QLocale::c();
    return c.toString(date, "ddd").left(2) + ' ' + c.toString(date, "d MMM yyyy");
}

// The lines (with their pens) and texts (with their fonts) of one pass.
std::vector<std::string> Describe(const RecordingDC& dc)
{
    std::vector<std::string> lines;
    for (const RecordingDC::Segment& line : dc.Segments()) {
        std::ostringstream text;
        text << line;
        lines.push_back(text.str());
    }
    for (const RecordingDC::Text& text : dc.Texts())
        lines.push_back(std::to_string(text.x) + ',' + std::to_string(text.y) + ' ' + text.text + ' ' +
                        std::to_string(text.font.height) + 'x' + std::to_string(text.font.width));
    return lines;
}
}

// Counts the paint events a widget receives from its construction on.
class PaintCounter : public QObject {
public:
    explicit PaintCounter(QWidget& widget) { widget.installEventFilter(this); }
    int Count() const { return m_count; }

protected:
    bool eventFilter(QObject*, QEvent* event) override
    {
        if (event->type() == QEvent::Paint)
            ++m_count;
        return false;
    }

private:
    int m_count = 0;
};

class OvixViewTest : public QObject, public StartedApp {
    Q_OBJECT

private slots:
    void init()
    {
        m_today = std::make_unique<FixedToday>(kToday);
        QVERIFY(Start());
    }

    void cleanup()
    {
        Stop();
        m_today.reset();
    }

    void displayIsNotImplemented()
    {
        MessageRecorder messages;
        View().OnDisplay();
        QCOMPARE(messages.Shown().size(), size_t(1));
        const MessageBox::Request& shown = messages.Shown().front();
        QCOMPARE(shown.caption + ": " + shown.text, QString("Orvina 2.1: Display -> NOT IMPLEMENTED"));
        QVERIFY(shown.buttons == MessageBox::Buttons::Ok && shown.icon == MessageBox::Icon::None);
        QVERIFY(shown.owner == &View());
    }

    void theDialogCommands_data()
    {
        QTest::addColumn<bool>("people");
        QTest::addColumn<bool>("repaints");
        QTest::newRow("People, cancelled") << true << true;
        QTest::newRow("Compatibility") << false << false;
    }

    void theDialogCommands()
    {
        QFETCH(bool, people);
        QFETCH(bool, repaints);
        QTest::qWait(20);
        PaintCounter paints(View());
        bool dialogRan = false;
        QTimer::singleShot(0, this, [&] {
            QWidget* dialog = QApplication::activeModalWidget();
            dialogRan = dialog != nullptr;
            if (dialog)
                QTest::keyClick(dialog, Qt::Key_Escape);
        });
        people ? View().OnPeople() : View().OnCompatibility();
        QVERIFY(dialogRan);
        QTest::qWait(50);
        QCOMPARE(paints.Count() > 0, repaints);
    }

    void theBackgroundIsGrey_data()
    {
        QTest::addColumn<QSize>("size");
        QTest::newRow("default size") << QSize();
        QTest::newRow("after shrinking") << QSize(300, 200);
    }

    void theBackgroundIsGrey()
    {
        QFETCH(QSize, size);
        if (size.isValid())
            m_app->MainFrame()->resize(size);
        const QImage image = View().grab().toImage();
        QCOMPARE(image.size(), View().size());
        // The month title's band holds nothing at its right end: there the
        // erase shows, on screen always in light grey.
        const QColor grey(192, 192, 192);
        QCOMPARE(image.pixelColor(image.width() - 1, image.height() - 1), grey);
        QCOMPARE(image.pixelColor(image.width() - 3, image.height() - 3), grey);
    }

    void aClickSelectsTheDayUnderThePress_data()
    {
        QTest::addColumn<int>("pressDay");
        QTest::addColumn<int>("releaseDay");
        QTest::addColumn<int>("selected");
        // Day 0 releases left of the view, day 40 right of it; today is the 15th.
        QTest::newRow("first day") << 1 << 1 << 1;
        QTest::newRow("press on 5, release on 9") << 5 << 9 << 5;
        QTest::newRow("press on 5, release left of the view") << 5 << 0 << 15;
        QTest::newRow("press on 5, release right of the view") << 5 << 40 << 15;
    }

    void aClickSelectsTheDayUnderThePress()
    {
        QFETCH(int, pressDay);
        QFETCH(int, releaseDay);
        QFETCH(int, selected);
        View().repaint();
        const CChart& chart = View().Chart();
        const auto middleOf = [&](int day) { return QPoint(chart.WorldToDeviceX(30 * day - 15), View().height() / 2); };

        QTest::mousePress(&View(), Qt::LeftButton, {}, middleOf(pressDay));
        QTest::mouseRelease(&View(), Qt::LeftButton, {}, middleOf(releaseDay));
        QCOMPARE(chart.m_day, selected);
    }

    void printingToAPdfFile_data()
    {
        QTest::addColumn<QString>("fileName");
        QTest::addColumn<bool>("printed");
        QTest::newRow("in the working folder") << "chart.pdf" << true;
        QTest::newRow("in a folder that does not exist") << "missing/chart.pdf" << false;
    }

    void printingToAPdfFile()
    {
        QFETCH(QString, fileName);
        QFETCH(bool, printed);
        MessageRecorder messages;
        QPrinter printer;
        printer.setOutputFormat(QPrinter::PdfFormat);
        printer.setOutputFileName(m_folder->File(fileName));

        QCOMPARE(View().PrintChart(printer), printed);
        QCOMPARE(View().Chart().m_printing, 0);
        const QByteArray pdf = ReadBytes(m_folder->File(fileName));
        QCOMPARE(pdf.startsWith("%PDF"), printed);
        QCOMPARE(messages.Shown().size(), size_t(printed ? 0 : 1));
        // The job, and so the PDF's Title (UTF-16BE after its byte-order mark), is the person and month.
        QCOMPARE(printer.docName(), QString("New Name - June 2024"));
        QByteArray title("\xFE\xFF");
        for (const QChar c : printer.docName())
            title += QByteArray(1, '\0') + char(c.unicode());
        QCOMPARE(pdf.contains("/Title (" + title + ")"), printed);
    }

    // The print dialog offers a PDF named after the person and the month,
    // whole and with no folder separator inside it, in the folder it chose.
    void thePrintDialogOffersTheJobsName_data()
    {
        QTest::addColumn<QString>("person");
        QTest::addColumn<QString>("job");
        QTest::addColumn<QString>("offered");
        QTest::newRow("a plain name") << "Ann" << "Ann - December 2026" << "Ann - December 2026.pdf";
        QTest::newRow("dots and a slash") << "J.R. Smith/Jones" << "J.R. Smith/Jones - December 2026"
                                          << "J.R. Smith-Jones - December 2026.pdf";
    }

    void thePrintDialogOffersTheJobsName()
    {
        QFETCH(QString, person);
        QFETCH(QString, job);
        QFETCH(QString, offered);
        m_app->m_names.Clear();
        m_app->m_names.Append(CName(person.toStdString(), "1970", "1", "1"));
        View().Chart().m_year = 2026;
        View().Chart().m_month = 12;
        View().repaint();
        QString shown;
        QTimer::singleShot(0, this, [&] {
            QWidget* dialog = QApplication::activeModalWidget();
            if (auto* field = dialog ? dialog->findChild<QLineEdit*>("filename") : nullptr)
                shown = field->text();
            if (dialog)
                QTest::keyClick(dialog, Qt::Key_Escape);
        });
        View().OnFilePrint();
        QCOMPARE(QFileInfo(shown).fileName(), offered);
        QCOMPARE(m_app->Printer().docName(), job);
    }

    // The printing state belongs to the preview's own pass: a paint of the
    // window while the preview is open draws the screen's chart, and the
    // window repaints when the preview closes. Pens of width 1 are one pixel
    // of whatever device shows them: the preview of a 600 dpi page, scaled
    // down to the screen, shows the curves in their own colours.
    void thePreviewDrawsItsOwnPass()
    {
        QCOMPARE(m_app->Printer().resolution(), 600);
        const QImage before = View().grab().toImage();
        QImage during;
        QImage page;
        QTimer::singleShot(0, this, [&] {
            QWidget* preview = QApplication::activeModalWidget();
            during = View().grab().toImage();
            if (auto* pages = preview ? preview->findChild<QPrintPreviewWidget*>() : nullptr)
                page = pages->grab().toImage();
            if (preview)
                preview->close();
        });
        View().OnFilePrintPreview();
        QCOMPARE(during, before);
        QCOMPARE(View().Chart().m_printing, 0);
        PaintCounter paints(View());
        QTRY_VERIFY(paints.Count() > 0);
        std::map<QRgb, int> pixels;
        for (int y = 0; y < page.height(); ++y) {
            for (int x = 0; x < page.width(); ++x)
                ++pixels[page.pixel(x, y) | 0xFF000000];
        }
        // Emotional, Intellectual, Intuitional and the grey day boundaries.
        for (const QRgb colour : {qRgb(255, 0, 0), qRgb(0, 0, 255), qRgb(0, 128, 0), qRgb(128, 128, 128)})
            QVERIFY2(pixels[colour] >= 50, qPrintable(QColor(colour).name()));
    }

    void theKeysSelectDays_data()
    {
        QTest::addColumn<QDate>("start");
        QTest::addColumn<int>("key");
        QTest::addColumn<QDate>("end");
        QTest::newRow("Right within the month") << QDate(2024, 6, 15) << int(Qt::Key_Right) << QDate(2024, 6, 16);
        QTest::newRow("Left on the 1st") << QDate(2024, 6, 1) << int(Qt::Key_Left) << QDate(2024, 5, 31);
        QTest::newRow("Right on the last day") << QDate(2024, 6, 30) << int(Qt::Key_Right) << QDate(2024, 7, 1);
        QTest::newRow("Left on 1 January") << QDate(2024, 1, 1) << int(Qt::Key_Left) << QDate(2023, 12, 31);
        QTest::newRow("Right on 31 December") << QDate(2023, 12, 31) << int(Qt::Key_Right) << QDate(2024, 1, 1);
        QTest::newRow("Left into a leap February") << QDate(2024, 3, 1) << int(Qt::Key_Left) << QDate(2024, 2, 29);
        QTest::newRow("Home from a far month") << QDate(1850, 2, 10) << int(Qt::Key_Home) << QDate(2024, 6, 15);
        QTest::newRow("Page Down") << QDate(2024, 6, 15) << int(Qt::Key_PageDown) << QDate(2024, 7, 15);
        QTest::newRow("Page Up") << QDate(2024, 1, 15) << int(Qt::Key_PageUp) << QDate(2023, 12, 15);
    }

    void theKeysSelectDays()
    {
        QFETCH(QDate, start);
        QFETCH(int, key);
        QFETCH(QDate, end);
        Show(start);
        QTest::keyClick(&View(), Qt::Key(key));
        const CChart& chart = View().Chart();
        QCOMPARE(QDate(chart.m_year, chart.m_month, chart.m_day), end);
        QVERIFY2(Pane().text().startsWith(DateText(end) + "  age "), qPrintable(Pane().text()));
        // What the window shows after the key's repaint, however little of
        // it was redrawn, is the whole chart drawn afresh.
        QTest::qWait(50);
        const QPoint origin = View().mapTo(View().window(), QPoint(0, 0));
        const QImage shown = View().screen()->grabWindow(View().window()->winId(), origin.x(), origin.y(),
                                                         View().width(), View().height()).toImage();
        QCOMPARE(shown.convertToFormat(QImage::Format_RGB32), View().grab().toImage().convertToFormat(QImage::Format_RGB32));
    }

    // With no key pressed the window draws what the chart alone draws; a
    // keyboard selection draws what a click on the same day draws.
    void aPassIsTheChartsOwn_data()
    {
        QTest::addColumn<QDate>("start");
        QTest::addColumn<int>("key");
        QTest::addColumn<QDate>("clicked");  // invalid: no click
        QTest::newRow("no key") << QDate(2024, 6, 15) << 0 << QDate();
        QTest::newRow("Right") << QDate(2024, 6, 15) << int(Qt::Key_Right) << QDate(2024, 6, 16);
        QTest::newRow("Left into May") << QDate(2024, 6, 1) << int(Qt::Key_Left) << QDate(2024, 5, 31);
    }

    void aPassIsTheChartsOwn()
    {
        QFETCH(QDate, start);
        QFETCH(int, key);
        QFETCH(QDate, clicked);
        Show(start);
        if (key)
            QTest::keyClick(&View(), Qt::Key(key));
        View().repaint();
        RecordingDC window;
        View().Chart().Draw(window);

        CAppData app;
        app.m_names.Append(CName("New Name", "1901", "01", "01"));
        COvixDoc doc(app);
        doc.InitMonthLengths();
        CChart chart(app, doc);
        chart.OnInitialUpdate();
        const QDate shown = clicked.isValid() ? clicked : start;
        chart.m_year = shown.year();
        chart.m_month = shown.month();
        chart.m_day = start.day();
        chart.SetClientRect(DcRect{0, 0, View().width(), View().height()});
        RecordingDC alone;
        chart.Draw(alone);
        if (clicked.isValid()) {
            chart.RecordPress(chart.WorldToDeviceX(30 * clicked.day() - 15));
            chart.SelectDay(alone);
            alone.ClearCalls();
            chart.Draw(alone);
        }
        QVERIFY(Describe(window) == Describe(alone));
    }

    void thePaneFollowsAChangeOfPerson()
    {
        Stop();
        m_folder = std::make_unique<TestFolder>();
        QVERIFY(WriteDatabase(m_folder->File("database.bio"),
                              {CName("New Name", "1901", "01", "01"), CName("Ada", "1990", "05", "17")}));
        QVERIFY(Start());
        const QString before = Pane().text();
        QVERIFY(before.startsWith(DateText(QDate(2024, 6, 15)) + "  age "));
        QTimer::singleShot(0, this, [] {
            QWidget* dialog = QApplication::activeModalWidget();
            if (!dialog)
                return;
            QTest::keyClick(dialog->findChild<QComboBox*>(), Qt::Key_Down);
            QTest::keyClick(dialog, Qt::Key_Escape);
        });
        View().OnPeople();
        // Worked out apart from the program.
        QTRY_COMPARE(Pane().text(), QString("Sa 15 Jun 2024  age 12448  P 98  E -42  I 97  U -47"));
        QCOMPARE(View().Readout(), Pane().text());
        // Left of the lock-key panes, right of the message.
        QVERIFY(Pane().isVisible() && Pane().x() < Frame().StatusBar().Pane(StringId::kIndicatorCaps)->x() && Pane().x() > 0);
    }

    void aTipTellsTheDayUnderTheMouse()
    {
        Show(QDate(2024, 6, 15));
        const QPoint middleOfDay3(View().Chart().WorldToDeviceX(75), View().height() / 2);
        QHelpEvent hover(QEvent::ToolTip, middleOfDay3, View().mapToGlobal(middleOfDay3));
        QApplication::sendEvent(&View(), &hover);
        QTRY_VERIFY(QToolTip::isVisible());
        QCOMPARE(QToolTip::text(), View().ReadoutOf(3));
        QVERIFY(QToolTip::text().startsWith(DateText(QDate(2024, 6, 3)) + "  age "));
        QCOMPARE(View().Chart().m_day, 15);
        QToolTip::hideText();
    }

    void ctrlCCopiesThePictureAndTheReadout()
    {
        Show(QDate(2024, 6, 15));
        QTest::keyClick(&View(), Qt::Key_C, Qt::ControlModifier);
        const QMimeData* copied = QGuiApplication::clipboard()->mimeData();
        QVERIFY(copied && copied->hasImage());
        const QImage image = qvariant_cast<QImage>(copied->imageData());
        QCOMPARE(image.size(), View().size() * View().devicePixelRatio());
        QCOMPARE(image.convertToFormat(QImage::Format_RGB32), View().grab().toImage().convertToFormat(QImage::Format_RGB32));
        QCOMPARE(copied->text(), View().Readout());
    }

    // What a screen reader asks the chart for. The change events that go
    // with it reach only a running assistive technology.
    void screenReadersReadTheReadout()
    {
        QAccessibleInterface* chart = QAccessible::queryAccessibleInterface(&View());
        for (const QDate& day : {QDate(2024, 6, 16), QDate(2024, 6, 17)}) {
            QTest::keyClick(&View(), Qt::Key_Right);
            QCOMPARE(chart->text(QAccessible::Name), QString("Chart"));
            QCOMPARE(chart->text(QAccessible::Description), View().Readout());
            QVERIFY(View().Readout().startsWith(DateText(day) + "  age "));
        }
    }

private:
    COvixView& View() { return m_app->MainFrame()->View(); }

    std::unique_ptr<FixedToday> m_today;
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
};

QTEST_MAIN(OvixViewTest)
#include "ovixview_test.moc"
