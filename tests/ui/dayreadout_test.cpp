// The day readout in the window: keyboard days, the status-bar pane after a
// change of person, the hover tip, the clipboard and what screen readers are
// told; and that a pass draws what the chart alone draws.
#include "app/stringtable.h"
#include "chart/ovixview.h"
#include "frame/dayreadoutpane.h"
#include "frame/statusbar.h"
#include "people/databasefile.h"
#include "platform/recordingdc.h"
#include "programtestenv.h"

#include <QAccessible>
#include <QClipboard>
#include <QComboBox>
#include <QMimeData>
#include <QScreen>
#include <QTimer>
#include <QToolTip>
#include <QtTest>

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

class DayReadoutTest : public QObject, public StartedApp {
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
        CNameList names;
        names.Append(CName("New Name", "1901", "01", "01"));
        names.Append(CName("Ada", "1990", "05", "17"));
        QVERIFY(!SaveDatabaseFile(m_folder->File("database.bio").toStdString(), names));
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

QTEST_MAIN(DayReadoutTest)
#include "dayreadout_test.moc"
