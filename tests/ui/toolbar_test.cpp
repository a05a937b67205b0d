// The main frame's toolbar: its buttons and their images, where it docks,
// how it is shown and hidden, and a start-up without its image strip.
#include "app/commandids.h"
#include "app/commandtable.h"
#include "chart/ovixview.h"
#include "frame/toolbar.h"
#include "programtestenv.h"

#include <QToolButton>
#include <QtTest>

class ToolBarTest : public QObject, public StartedApp {
    Q_OBJECT

private slots:
    void init() { QVERIFY(Start()); }

    void cleanup() { Stop(); }

    // The buttons in the toolbar's order, each running its menu command, with
    // its own image and, as tooltip, the second line of the command's prompt.
    void theEntriesInOrder()
    {
        QList<int> ids;
        size_t image = 0;
        for (QAction* action : Bar().actions()) {
            const int id = action->isSeparator() ? CToolBar::kSeparator : action->data().toInt();
            ids << id;
            if (action->isSeparator())
                continue;
            QVERIFY(action == Frame().Action(id));
            QToolButton* button = Bar().Button(id);
            QCOMPARE(button->size(), QSize(23, 22));
            QCOMPARE(button->toolTip(), QString(FindCommand(id)->prompt).section('\n', 1));
            const QImage shown = button->icon().pixmap(QSize(16, 15)).toImage().convertToFormat(QImage::Format_ARGB32);
            QCOMPARE(shown, Bar().Images().at(image++));
        }
        QCOMPARE(ids, QList<int>(CToolBar::ButtonIds().begin(), CToolBar::ButtonIds().end()));
        QCOMPARE(image, Bar().Images().size());
        QCOMPARE(Frame().toolBarArea(&Bar()), Qt::TopToolBarArea);
        QVERIFY(Bar().isMovable() && Bar().isFloatable());
        QCOMPARE(Bar().allowedAreas(), Qt::AllToolBarAreas);
    }

    void theImagesAreDrawnAndDistinct()
    {
        const std::vector<QImage>& images = Bar().Images();
        QCOMPARE(int(images.size()), 8);
        for (size_t i = 0; i < images.size(); ++i) {
            QCOMPARE(images[i].size(), QSize(16, 15));
            // Drawn, and the grey became the button face.
            QVERIFY2(Count(images[i], [](QRgb pixel) { return qAlpha(pixel) != 0; }) >= 20, qPrintable(QString::number(i)));
            QCOMPARE(Count(images[i], [](QRgb pixel) { return pixel == qRgb(192, 192, 192); }), 0);
            for (size_t j = i + 1; j < images.size(); ++j)
                QVERIFY2(images[i] != images[j], qPrintable(QString("images %1 and %2 are the same").arg(i).arg(j)));
        }
    }

    // A strip one image too narrow, or none, gives no images.
    void aStripOfAnotherSizeGivesNoImages()
    {
        for (const QSize& size : {QSize(112, 15), QSize(0, 0)}) {
            QImage strip(size, QImage::Format_RGB32);
            strip.fill(Qt::blue);
            QVERIFY(CToolBar::CutStrip(strip).empty());
        }
    }

    void theSeparatorIsEightPixelsOnEverySide()
    {
        for (const Qt::ToolBarArea area : {Qt::TopToolBarArea, Qt::LeftToolBarArea}) {
            Frame().addToolBar(area, &Bar());
            QCOMPARE(Frame().toolBarArea(&Bar()), area);
            QWidget* separator = Bar().widgetForAction(Bar().actions().at(3));
            QTRY_COMPARE(Bar().orientation() == Qt::Horizontal ? separator->width() : separator->height(), 8);
        }
    }

    // View > Toolbar shows and hides it; every start shows it again at the top.
    void viewToolbarShowsAndHidesIt()
    {
        QAction* toggle = Frame().Action(CommandId::kViewToolbar);
        QVERIFY(toggle->isCheckable() && toggle->isChecked());
        toggle->trigger();
        QVERIFY(Bar().isHidden() && !toggle->isChecked());
        toggle->trigger();
        QVERIFY(Bar().isVisible() && toggle->isChecked());
        // Hidden any other way, the check mark follows.
        Bar().hide();
        QVERIFY(!toggle->isChecked());
        Frame().addToolBar(Qt::LeftToolBarArea, &Bar());
        m_app.reset();

        m_app = std::make_unique<COvixApp>();
        m_app->InitInstance();
        QCOMPARE(Frame().toolBarArea(&Bar()), Qt::TopToolBarArea);
        QVERIFY(Bar().isVisible());
        QVERIFY(Frame().Action(CommandId::kViewToolbar)->isChecked());
    }

    void theMonthButtonsStepTheChart_data()
    {
        QTest::addColumn<int>("id");
        QTest::addColumn<int>("month");
        QTest::newRow("Previous Month") << int(CommandId::kPreviousMonth) << 5;
        QTest::newRow("Next Month") << int(CommandId::kNextMonth) << 7;
    }

    void theMonthButtonsStepTheChart()
    {
        QFETCH(int, id);
        QFETCH(int, month);
        CChart& chart = Frame().View().Chart();
        chart.m_year = 2001;
        chart.m_month = 6;
        QTest::mouseClick(Bar().Button(id), Qt::LeftButton);
        QCOMPARE(chart.m_month, month);
    }

    void withoutItsImagesTheWindowIsNotMade()
    {
        m_app.reset();
        QVERIFY(WriteBytes(m_folder->File("database.bio"), kDefaultDatabase + "keep"));
        MessageRecorder messages;
        Q_CLEANUP_RESOURCE(orvina_resources);
        int exitCode = -1;
        {
            COvixApp app;
            exitCode = app.Run();
            QVERIFY(!app.MainFrame());
        }
        Q_INIT_RESOURCE(orvina_resources);
        QCOMPARE(exitCode, 0);
        QCOMPARE(int(messages.Shown().size()), 1);
        QCOMPARE(messages.Shown()[0].text, QString("Failed to create empty document."));
        QCOMPARE(messages.Shown()[0].caption, QString("Orvina 2.1"));
        // Nothing was read, so nothing was written over the people.
        QCOMPARE(ReadBytes(m_folder->File("database.bio")), kDefaultDatabase + "keep");
    }

private:
    CToolBar& Bar() { return Frame().ToolBar(); }

    static int Count(const QImage& image, bool (*matches)(QRgb))
    {
        int count = 0;
        for (int y = 0; y < image.height(); ++y) {
            for (int x = 0; x < image.width(); ++x)
                count += matches(image.pixel(x, y));
        }
        return count;
    }
};

QTEST_MAIN(ToolBarTest)
#include "toolbar_test.moc"
