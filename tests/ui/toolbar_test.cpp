// The main frame's toolbar: its buttons and their images, where it docks,
// how it is shown and hidden, and a start-up without its image strip.
#include "frame/commandids.h"
#include "frame/toolbar.h"
#include "view/ovixview.h"
#include "programtestenv.h"

#include <QToolButton>
#include <QtTest>

class ToolBarTest : public QObject, public StartedApp {
    Q_OBJECT

private slots:
    void init() { QVERIFY(Start()); }

    void cleanup() { Stop(); }

    // The buttons in order (0 for the separator), each running its menu
    // command, with its own image and tooltip.
    void theEntriesInOrder()
    {
        QList<int> ids;
        QStringList tooltips;
        int image = 0;
        for (QAction* action : Bar().actions()) {
            ids << (action->isSeparator() ? 0 : action->data().toInt());
            if (action->isSeparator())
                continue;
            QVERIFY(action == Frame().Action(action->data().toInt()));
            QToolButton* button = Bar().Button(action->data().toInt());
            QVERIFY(button);
            QCOMPARE(button->size(), QSize(23, 22));
            tooltips << button->toolTip();
            const QImage shown = button->icon().pixmap(QSize(16, 15)).toImage().convertToFormat(QImage::Format_ARGB32);
            QCOMPARE(shown, Bar().Images().at(image++));
        }
        QCOMPARE(ids, QList<int>({32777, 32778, 32779, 0, 57607, 57664, 32782, 32781, 57669}));
        QCOMPARE(tooltips, QStringList({"People", "Display", "Compatibility", "Print", "About", "Previous Month",
                                        "Next Month", "Help"}));
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
            QVERIFY2(OpaquePixels(images[i]) >= 20, qPrintable(QString("image %1 is all but empty").arg(i)));
            // The grey becomes the button face.
            for (int y = 0; y < 15; ++y) {
                for (int x = 0; x < 16; ++x)
                    QVERIFY(images[i].pixel(x, y) != qRgb(192, 192, 192));
            }
            for (size_t j = i + 1; j < images.size(); ++j)
                QVERIFY2(images[i] != images[j], qPrintable(QString("images %1 and %2 are the same").arg(i).arg(j)));
        }
    }

    void aStripOfAnotherSizeGivesNoImages_data()
    {
        QTest::addColumn<QSize>("size");
        QTest::newRow("too narrow") << QSize(112, 15);
        QTest::newRow("none") << QSize(0, 0);
    }

    void aStripOfAnotherSizeGivesNoImages()
    {
        QFETCH(QSize, size);
        QImage strip(size, QImage::Format_RGB32);
        strip.fill(Qt::blue);
        QVERIFY(CToolBar::CutStrip(strip).empty());
    }

    void theSeparatorIsEightPixelsOnEverySide_data()
    {
        QTest::addColumn<Qt::ToolBarArea>("area");
        QTest::newRow("top") << Qt::TopToolBarArea;
        QTest::newRow("left") << Qt::LeftToolBarArea;
    }

    void theSeparatorIsEightPixelsOnEverySide()
    {
        QFETCH(Qt::ToolBarArea, area);
        Frame().addToolBar(area, &Bar());
        QCOMPARE(Frame().toolBarArea(&Bar()), area);
        QWidget* separator = Bar().widgetForAction(Bar().actions().at(3));
        QTRY_COMPARE(Bar().orientation() == Qt::Horizontal ? separator->width() : separator->height(), 8);
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
        QTest::newRow("Previous Month") << 32782 << 5;
        QTest::newRow("Next Month") << 32781 << 7;
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

    static int OpaquePixels(const QImage& image)
    {
        int count = 0;
        for (int y = 0; y < image.height(); ++y) {
            for (int x = 0; x < image.width(); ++x)
                count += qAlpha(image.pixel(x, y)) != 0;
        }
        return count;
    }
};

QTEST_MAIN(ToolBarTest)
#include "toolbar_test.moc"
