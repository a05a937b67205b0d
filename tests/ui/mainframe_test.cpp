// The main frame: its menus, accelerators and caption, read off the real
// window of a started application.
#include "app/commandids.h"
#include "app/commandtable.h"
#include "chart/ovixview.h"
#include "programtestenv.h"

#include <QApplication>
#include <QDialog>
#include <QTimer>
#include <QtTest>

class MainFrameTest : public QObject, public StartedApp {
    Q_OBJECT

private slots:
    void init() { QVERIFY(Start(false)); }

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
};

QTEST_MAIN(MainFrameTest)
#include "mainframe_test.moc"
