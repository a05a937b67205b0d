// The main frame: its menus, accelerators, caption, toolbar and status bar,
// read off the real window of a started application, and a start-up
// without the toolbar's image strip.
#include "frame/commandids.h"
#include "frame/commandtable.h"
#include "platform/stringtable.h"
#include "view/ovixview.h"
#include "frame/statusbar.h"
#include "frame/toolbar.h"
#include "programtestenv.h"

#include <QApplication>
#include <QDialog>
#include <QLabel>
#include <QTimer>
#include <QToolButton>
#include <QtTest>

Q_DECLARE_METATYPE(std::optional<LockKeys>)

class MainFrameTest : public QObject, public StartedApp {
    Q_OBJECT

private slots:
    void init() { QVERIFY(Start()); }

    void cleanup() { Stop(); }

    // The menus hold the command table in its order, separators included;
    // every command's action carries the table's text, key, prompt and tooltip,
    // and one without a menu is reached by its key alone.
    void theMenusHoldTheCommandTable()
    {
        QStringList titles;
        QList<int> shown;
        for (QAction* menu : Frame().menuBar()->actions()) {
            titles << menu->text();
            for (QAction* item : menu->menu()->actions())
                shown << (item->isSeparator() ? 0 : item->data().toInt());
        }
        QStringList tableTitles;
        QList<int> table;
        for (const CommandEntry& entry : CommandTable()) {
            if (!entry.menu)
                continue;
            if (!tableTitles.contains(entry.menu))
                tableTitles << entry.menu;
            table << entry.id;
        }
        QCOMPARE(titles, tableTitles);
        QCOMPARE(shown, table);
        for (const CommandEntry& entry : CommandTable()) {
            QAction* action = entry.id ? Frame().Action(entry.id) : nullptr;
            if (!action || !entry.prompt)
                continue;
            QCOMPARE(action->text(), QString(entry.text ? entry.text : ""));
            QCOMPARE(action->shortcut(), QKeySequence(entry.accelerator ? entry.accelerator : ""));
            QCOMPARE(action->statusTip(), QString(entry.prompt).section('\n', 0, 0));
            QCOMPARE(action->toolTip(), QString(entry.prompt).section('\n', 1));
            QVERIFY(entry.menu || Frame().actions().contains(action));
        }
    }

    void acceleratorsReachTheView_data()
    {
        QTest::addColumn<int>("key");
        QTest::addColumn<int>("monthStep");
        QTest::addColumn<int>("messages");
        QTest::newRow("Shift+N") << int(Qt::Key_N) << 1 << 0;
        QTest::newRow("Shift+P") << int(Qt::Key_P) << -1 << 0;
        QTest::newRow("Shift+D") << int(Qt::Key_D) << 0 << 1;
    }

    void acceleratorsReachTheView()
    {
        QFETCH(int, key);
        QFETCH(int, monthStep);
        QFETCH(int, messages);
        MessageRecorder recorder;
        Frame().activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(&Frame()));
        CChart& chart = Frame().View().Chart();
        chart.m_year = 2000;
        chart.m_month = 6;

        QTest::keyClick(&Frame().View(), Qt::Key(key), Qt::ShiftModifier);
        QCOMPARE(chart.m_month, 6 + monthStep);
        QCOMPARE(int(recorder.Shown().size()), messages);
    }

    void applicationCommandsRunTheirDialogs_data()
    {
        QTest::addColumn<int>("id");
        QTest::addColumn<QString>("dialogClass");
        QTest::addColumn<QString>("caption");
        QTest::newRow("About") << int(CommandId::kAppAbout) << "" << "About Orvina";
        QTest::newRow("Print Setup") << int(CommandId::kFilePrintSetup) << "QPrintDialog" << "Print Setup";
    }

    void applicationCommandsRunTheirDialogs()
    {
        QFETCH(int, id);
        QFETCH(QString, dialogClass);
        QFETCH(QString, caption);
        QString ranClass;
        QString ranCaption;
        QTimer::singleShot(0, this, [&] {
            QWidget* dialog = QApplication::activeModalWidget();
            if (!dialog)
                return;
            ranClass = dialog->metaObject()->className();
            ranCaption = dialog->windowTitle();
            qobject_cast<QDialog*>(dialog)->reject();
        });
        Frame().Action(id)->trigger();
        if (!dialogClass.isEmpty())
            QCOMPARE(ranClass, dialogClass);
        if (!caption.isEmpty())
            QCOMPARE(ranCaption, caption);
        QVERIFY(Frame().isVisible());
    }

    void theWindowCarriesTheProgramIcon()
    {
        QVERIFY(QFile::exists(":/icons/orvina.png"));
        QVERIFY(!Frame().windowIcon().pixmap(32, 32).isNull());
    }

    void theCaptionFollowsTheDocumentTitle()
    {
        QCOMPARE(Frame().windowTitle(), QString("Orvina - New Name"));
        m_app->Document()->SetTitle("Ann Lee");
        QCOMPARE(Frame().windowTitle(), QString("Orvina - Ann Lee"));
        QVERIFY(Frame().windowHandle());
        QCOMPARE(Frame().windowHandle()->title(), QString("Orvina - Ann Lee"));
    }

    // The buttons in the toolbar's order, each running its menu command, with
    // its own image and, as tooltip, the second line of the command's prompt.
    void theEntriesInOrder()
    {
        QList<int> ids;
        size_t image = 0;
        for (QAction* action : Tools().actions()) {
            const int id = action->isSeparator() ? CToolBar::kSeparator : action->data().toInt();
            ids << id;
            if (action->isSeparator())
                continue;
            QVERIFY(action == Frame().Action(id));
            QToolButton* button = Tools().Button(id);
            QCOMPARE(button->size(), QSize(23, 22));
            QCOMPARE(button->toolTip(), QString(FindCommand(id)->prompt).section('\n', 1));
            const QImage shown = button->icon().pixmap(QSize(16, 15)).toImage().convertToFormat(QImage::Format_ARGB32);
            QCOMPARE(shown, Tools().Images().at(image++));
        }
        QCOMPARE(ids, QList<int>(CToolBar::ButtonIds().begin(), CToolBar::ButtonIds().end()));
        QCOMPARE(image, Tools().Images().size());
        QCOMPARE(Frame().toolBarArea(&Tools()), Qt::TopToolBarArea);
        QVERIFY(Tools().isMovable() && Tools().isFloatable());
        QCOMPARE(Tools().allowedAreas(), Qt::AllToolBarAreas);
    }

    void theImagesAreDrawnAndDistinct()
    {
        const std::vector<QImage>& images = Tools().Images();
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
            Frame().addToolBar(area, &Tools());
            QCOMPARE(Frame().toolBarArea(&Tools()), area);
            QWidget* separator = Tools().widgetForAction(Tools().actions().at(3));
            QTRY_COMPARE(Tools().orientation() == Qt::Horizontal ? separator->width() : separator->height(), 8);
        }
    }

    // View > Toolbar shows and hides it; every start shows it again at the top.
    void viewToolbarShowsAndHidesIt()
    {
        QAction* toggle = Frame().Action(CommandId::kViewToolbar);
        QVERIFY(toggle->isCheckable() && toggle->isChecked());
        toggle->trigger();
        QVERIFY(Tools().isHidden() && !toggle->isChecked());
        toggle->trigger();
        QVERIFY(Tools().isVisible() && toggle->isChecked());
        // Hidden any other way, the check mark follows.
        Tools().hide();
        QVERIFY(!toggle->isChecked());
        Frame().addToolBar(Qt::LeftToolBarArea, &Tools());
        m_app.reset();

        m_app = std::make_unique<COvixApp>();
        m_app->InitInstance();
        QCOMPARE(Frame().toolBarArea(&Tools()), Qt::TopToolBarArea);
        QVERIFY(Tools().isVisible());
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
        QTest::mouseClick(Tools().Button(id), Qt::LeftButton);
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

    void itSaysHowToGetHelpWhenIdle()
    {
        QCOMPARE(Status().MessageText(), QString("For Help, press F1"));
        QVERIFY(Frame().statusBar() == &Status());
        QVERIFY(Status().isVisible());
        // The text is shown, not merely kept.
        const QList<QLabel*> labels = Status().findChildren<QLabel*>();
        QVERIFY(std::any_of(labels.begin(), labels.end(), [](QLabel* label) {
            return label->isVisible() && label->text() == "For Help, press F1";
        }));
    }

    // Every hovered button and every highlighted menu item shows the first
    // line of its command's prompt, and the idle text comes back after.
    void aPointedAtCommandShowsItsPrompt()
    {
        const auto prompt = [](int id) { return QString(FindCommand(id)->prompt).section('\n', 0, 0); };
        for (const int32_t id : CToolBar::ButtonIds()) {
            if (id == CToolBar::kSeparator)
                continue;
            QToolButton* button = Frame().ToolBar().Button(id);
            QTest::mouseMove(button, button->rect().center());
            QTRY_COMPARE(Status().MessageText(), prompt(id));
            QTest::mouseMove(&Frame().View(), QPoint(200, 200));
            QTRY_COMPARE(Status().MessageText(), QString("For Help, press F1"));
        }
        for (QAction* title : Frame().menuBar()->actions()) {
            QMenu* items = title->menu();
            items->popup(Frame().mapToGlobal(QPoint(10, 10)));
            QVERIFY(QTest::qWaitForWindowExposed(items));
            for (QAction* item : items->actions()) {
                if (item->isSeparator())
                    continue;
                items->setActiveAction(item);
                QTRY_COMPARE(Status().MessageText(), prompt(item->data().toInt()));
            }
            items->close();
            QTRY_COMPARE(Status().MessageText(), QString("For Help, press F1"));
        }
    }

    void theLockPanesFollowTheKeys_data()
    {
        QTest::addColumn<std::optional<LockKeys>>("keys");
        QTest::addColumn<QStringList>("texts");
        QTest::newRow("all off") << std::optional(LockKeys{}) << QStringList{"", "", ""};
        QTest::newRow("Caps Lock") << std::optional(LockKeys{true, false, false}) << QStringList{"CAP", "", ""};
        QTest::newRow("all on") << std::optional(LockKeys{true, true, true}) << QStringList{"CAP", "NUM", "SCRL"};
        QTest::newRow("state unknown") << std::optional<LockKeys>() << QStringList{"", "", ""};
    }

    void theLockPanesFollowTheKeys()
    {
        QFETCH(std::optional<LockKeys>, keys);
        QFETCH(QStringList, texts);
        const QList<QLabel*> panes = Panes();
        const QStringList names = {"CAP", "NUM", "SCRL"};
        Status().ShowLockKeys(keys);
        for (int i = 0; i < panes.size(); ++i) {
            QCOMPARE(panes[i]->text(), texts[i]);
            // As wide as its text, shown or not, and right of the message, in order.
            const int textWidth = panes[i]->fontMetrics().horizontalAdvance(names[i]);
            QVERIFY(panes[i]->width() >= textWidth && panes[i]->width() <= textWidth + 16);
            QVERIFY(panes[i]->x() > (i == 0 ? Status().width() / 2 : panes[i - 1]->x()));
        }
    }

    void whereThePlatformDoesNotTellThePanesStayBlank()
    {
        if (QGuiApplication::platformName() != "offscreen")
            QSKIP("only the offscreen platform is known to say nothing about the keys");
        QVERIFY(!LockKeys::Query());
        QTest::keyClick(&Frame().View(), Qt::Key_CapsLock);
        for (QLabel* pane : Panes())
            QCOMPARE(pane->text(), QString());
    }

    void viewStatusBarShowsAndHidesIt()
    {
        QAction* toggle = Frame().Action(CommandId::kViewStatusBar);
        QVERIFY(toggle->isCheckable() && toggle->isChecked());
        toggle->trigger();
        QVERIFY(Status().isHidden() && !toggle->isChecked());
        toggle->trigger();
        QVERIFY(Status().isVisible() && toggle->isChecked());
    }

private:
    CToolBar& Tools() { return Frame().ToolBar(); }

    static int Count(const QImage& image, bool (*matches)(QRgb))
    {
        int count = 0;
        for (int y = 0; y < image.height(); ++y) {
            for (int x = 0; x < image.width(); ++x)
                count += matches(image.pixel(x, y));
        }
        return count;
    }
    CStatusBar& Status() { return Frame().StatusBar(); }

    // The lock-key panes, left to right.
    QList<QLabel*> Panes()
    {
        return {Status().Pane(StringId::kIndicatorCaps), Status().Pane(StringId::kIndicatorNum),
                Status().Pane(StringId::kIndicatorScroll)};
    }
};

QTEST_MAIN(MainFrameTest)
#include "mainframe_test.moc"
