// The main frame: its menus, accelerators and caption, read off the real
// window of a started application.
#include "app/commandids.h"
#include "app/ovixapp.h"
#include "chart/ovixview.h"
#include "frame/mainframe.h"
#include "programtestenv.h"

#include <QAction>
#include <QApplication>
#include <QDialog>
#include <QTimer>
#include <QMenu>
#include <QMenuBar>
#include <QtTest>

class MainFrameTest : public QObject {
    Q_OBJECT

private slots:
    void initTestCase() { UseTemporaryProfile(m_profileDir); }

    void init()
    {
        m_folder = std::make_unique<TestFolder>();
        m_app = std::make_unique<COvixApp>();
        m_app->InitInstance();
    }

    void cleanup()
    {
        m_app.reset();
        m_folder.reset();
    }

    void theMenusHoldTheCommandSet()
    {
        QStringList titles;
        for (QAction* menu : Frame().menuBar()->actions())
            titles << menu->text();
        QCOMPARE(titles, QStringList({"&File", "&Orvina", "&View", "&Help"}));
    }

    void everyMenuItem_data()
    {
        QTest::addColumn<QString>("menu");
        QTest::addColumn<int>("position");
        QTest::addColumn<QString>("text");
        QTest::addColumn<int>("id");
        QTest::addColumn<QString>("shortcut");
        QTest::addColumn<QString>("prompt");
        QTest::addColumn<QString>("tooltip");

        QTest::newRow("Print") << "&File" << 0 << "&Print...\tCtrl+P" << 57607 << "Ctrl+P"
                               << "Print the active document" << "Print";
        QTest::newRow("Print Preview") << "&File" << 1 << "Print Pre&view" << 57609 << ""
                                       << "Display full pages" << "Print Preview";
        QTest::newRow("Print Setup") << "&File" << 2 << "P&rint Setup..." << 57606 << ""
                                     << "Change the printer and printing options" << "Print Setup";
        QTest::newRow("Exit") << "&File" << 4 << "E&xit" << 57665 << ""
                              << "Quit the application; prompts to save documents" << "Exit";
        QTest::newRow("People") << "&Orvina" << 0 << "P&eople...\tShift+E" << 32777 << "Shift+E"
                                << "Select name for Orvina or enter names & birthdays into database" << "People";
        QTest::newRow("Display") << "&Orvina" << 1 << "&Display...\tShift+D" << 32778 << "Shift+D"
                                 << "Modify the Orvina display" << "Display";
        QTest::newRow("Compatibility") << "&Orvina" << 2 << "&Compatibility...\tShift+C" << 32779 << "Shift+C"
                                       << "Check compatibility between two people" << "Compatibility";
        QTest::newRow("Previous Month") << "&Orvina" << 4 << "&Previous Month\tShift+P" << 32782 << "Shift+P"
                                        << "View previous month" << "Previous Month";
        QTest::newRow("Next Month") << "&Orvina" << 5 << "&Next Month\tShift+N" << 32781 << "Shift+N"
                                    << "View next month" << "Next Month";
        QTest::newRow("Toolbar") << "&View" << 0 << "&Toolbar" << 59392 << ""
                                 << "Show or hide the toolbar" << "Toggle ToolBar";
        QTest::newRow("Status Bar") << "&View" << 1 << "&Status Bar" << 59393 << ""
                                    << "Show or hide the status bar" << "Toggle StatusBar";
        QTest::newRow("Index") << "&Help" << 0 << "&Index" << 57666 << "" << "List Help topics" << "Help Index";
        QTest::newRow("Using Help") << "&Help" << 1 << "&Using Help" << 57668 << ""
                                    << "Display instructions about how to use help" << "Help";
        QTest::newRow("About") << "&Help" << 3 << "&About Orvina..." << 57664 << ""
                               << "Display program information, version number and copyright" << "About";
    }

    void everyMenuItem()
    {
        QFETCH(QString, menu);
        QFETCH(int, position);
        QFETCH(QString, text);
        QFETCH(int, id);
        QFETCH(QString, shortcut);
        QFETCH(QString, prompt);
        QFETCH(QString, tooltip);

        QMenu* items = Menu(menu);
        QVERIFY(items);
        QVERIFY(position < items->actions().size());
        QAction* item = items->actions().at(position);
        QCOMPARE(item->text(), text);
        QCOMPARE(item->data().toInt(), id);
        QCOMPARE(item->shortcut(), QKeySequence(shortcut));
        QCOMPARE(item->statusTip(), prompt);
        QCOMPARE(item->toolTip(), tooltip);
        QVERIFY(item == Frame().Action(id));
    }

    void separatorsStandWhereTheyBelong_data()
    {
        QTest::addColumn<QString>("menu");
        QTest::addColumn<int>("position");
        QTest::addColumn<int>("items");
        QTest::newRow("File") << "&File" << 3 << 5;
        QTest::newRow("Orvina") << "&Orvina" << 3 << 6;
        QTest::newRow("View") << "&View" << -1 << 2;
        QTest::newRow("Help") << "&Help" << 2 << 4;
    }

    void separatorsStandWhereTheyBelong()
    {
        QFETCH(QString, menu);
        QFETCH(int, position);
        QFETCH(int, items);
        const QList<QAction*> actions = Menu(menu)->actions();
        QCOMPARE(actions.size(), items);
        for (int i = 0; i < actions.size(); ++i)
            QCOMPARE(actions[i]->isSeparator(), i == position);
    }

    void helpKeysWithoutAMenuItem_data()
    {
        QTest::addColumn<int>("id");
        QTest::addColumn<QString>("shortcut");
        QTest::newRow("Help") << 57670 << "F1";
        QTest::newRow("Context help") << 57669 << "Shift+F1";
        QTest::newRow("Help index") << 57671 << "";
    }

    void helpKeysWithoutAMenuItem()
    {
        QFETCH(int, id);
        QFETCH(QString, shortcut);
        QAction* action = Frame().Action(id);
        QVERIFY(action);
        QCOMPARE(action->shortcut(), QKeySequence(shortcut));
        QVERIFY(Frame().actions().contains(action));
    }

    void noFileNewOrOpen()
    {
        for (QAction* action : Frame().findChildren<QAction*>()) {
            QVERIFY2(action->shortcut() != QKeySequence(QKeySequence::New), qPrintable(action->text()));
            QVERIFY2(action->shortcut() != QKeySequence(QKeySequence::Open), qPrintable(action->text()));
            QVERIFY2(!action->text().contains("New") && !action->text().contains("Open"),
                     qPrintable(action->text()));
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
        QTest::newRow("About") << 57664 << "" << "About Orvina";
        QTest::newRow("Print Setup") << 57606 << "QPageSetupDialog" << "";
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
        QCOMPARE(Frame().windowTitle(), QString("Orvina - Orvina"));
        m_app->Document()->SetTitle("Ann Lee");
        QCOMPARE(Frame().windowTitle(), QString("Orvina - Ann Lee"));
        QVERIFY(Frame().windowHandle());
        QCOMPARE(Frame().windowHandle()->title(), QString("Orvina - Ann Lee"));
    }

private:
    CMainFrame& Frame() { return *m_app->MainFrame(); }

    QMenu* Menu(const QString& title)
    {
        for (QAction* menu : Frame().menuBar()->actions()) {
            if (menu->text() == title)
                return menu->menu();
        }
        return nullptr;
    }

    QTemporaryDir m_profileDir;
    std::unique_ptr<TestFolder> m_folder;
    std::unique_ptr<COvixApp> m_app;
};

QTEST_MAIN(MainFrameTest)
#include "mainframe_test.moc"
