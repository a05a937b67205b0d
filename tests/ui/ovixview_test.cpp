// The chart view's commands, painting, mouse selection and printing, on the
// view of a started application.
#include "chart/ovixview.h"
#include "programtestenv.h"

#include <QPrintPreviewDialog>
#include <QPrinter>
#include <QTimer>
#include <QtTest>

namespace {
enum class Step { Previous, Next };
using Steps = QList<Step>;

Steps Repeat(Step step, int count)
{
    return Steps(count, step);
}
}

Q_DECLARE_METATYPE(Step)

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
        m_today = std::make_unique<FixedToday>(CDate{2023, 5, 31});
        QVERIFY(Start());
    }

    void cleanup()
    {
        Stop();
        m_today.reset();
    }

    void monthNavigation_data()
    {
        QTest::addColumn<int>("year");
        QTest::addColumn<int>("month");
        QTest::addColumn<Steps>("steps");
        QTest::addColumn<int>("endYear");
        QTest::addColumn<int>("endMonth");

        QTest::newRow("back from January") << 1996 << 1 << Steps{Step::Previous} << 1995 << 12;
        QTest::newRow("on from December") << 1996 << 12 << Steps{Step::Next} << 1997 << 1;
        QTest::newRow("twelve on is a year") << 2023 << 5 << Repeat(Step::Next, 12) << 2024 << 5;
        QTest::newRow("no lower limit") << 1 << 2 << Repeat(Step::Previous, 14) << -1 << 12;
        QTest::newRow("no upper limit") << 9999 << 12 << Steps{Step::Next} << 10000 << 1;
    }

    void monthNavigation()
    {
        QFETCH(int, year);
        QFETCH(int, month);
        QFETCH(Steps, steps);
        QFETCH(int, endYear);
        QFETCH(int, endMonth);
        CChart& chart = View().Chart();
        chart.m_year = year;
        chart.m_month = month;
        const int32_t day = chart.m_day;

        for (Step step : steps)
            step == Step::Next ? View().OnNextMonth() : View().OnPreviousMonth();
        QCOMPARE(chart.m_year, endYear);
        QCOMPARE(chart.m_month, endMonth);
        QCOMPARE(chart.m_day, day);
        // The displayed month is the view's; the document keeps today until
        // the next paint computes the month.
        QCOMPARE(m_app->Document()->m_curYear, 2023);
    }

    void displayIsNotImplemented()
    {
        MessageRecorder messages;
        View().OnDisplay();
        QCOMPARE(messages.Shown().size(), size_t(1));
        const MessageBox::Request& shown = messages.Shown().front();
        QCOMPARE(shown.text, QString("Display -> NOT IMPLEMENTED"));
        QCOMPARE(shown.caption, QString("Orvina 2.1"));
        QCOMPARE(shown.buttons, MessageBox::Buttons::Ok);
        QCOMPARE(shown.icon, MessageBox::Icon::None);
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

    void aPaintShowsTheChosenPersonInTheCaption()
    {
        View().repaint();
        QCOMPARE(m_app->MainFrame()->windowTitle(), QString("Orvina - New Name"));
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
        QTest::newRow("first day") << 1 << 1;
        QTest::newRow("press on 5, release on 9") << 5 << 9;
    }

    void aClickSelectsTheDayUnderThePress()
    {
        QFETCH(int, pressDay);
        QFETCH(int, releaseDay);
        View().repaint();
        const CChart& chart = View().Chart();
        const auto middleOf = [&](int day) { return QPoint(chart.WorldToDeviceX(30 * day - 15), View().height() / 2); };

        QTest::mousePress(&View(), Qt::LeftButton, {}, middleOf(pressDay));
        QTest::mouseRelease(&View(), Qt::LeftButton, {}, middleOf(releaseDay));
        QCOMPARE(chart.m_day, pressDay);
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
        QCOMPARE(ReadBytes(m_folder->File(fileName)).startsWith("%PDF"), printed);
        QCOMPARE(messages.Shown().size(), size_t(printed ? 0 : 1));
    }

    void thePreviewKeepsThePrintingFlag()
    {
        int32_t flagWhileOpen = -1;
        QTimer::singleShot(0, this, [&] {
            auto* preview = qobject_cast<QPrintPreviewDialog*>(QApplication::activeModalWidget());
            flagWhileOpen = View().Chart().m_printing;
            if (preview)
                preview->reject();
        });
        View().OnFilePrintPreview();
        QCOMPARE(flagWhileOpen, 1);
        QCOMPARE(View().Chart().m_printing, 0);
    }

private:
    COvixView& View() { return m_app->MainFrame()->View(); }

    std::unique_ptr<FixedToday> m_today;
};

QTEST_MAIN(OvixViewTest)
#include "ovixview_test.moc"
