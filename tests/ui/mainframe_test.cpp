// The main frame: its menus, accelerators and caption, read off the real
// window of a started application.
#include "frame/commandids.h"
#include "view/ovixview.h"
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

    // Each menu, top to bottom: command ids, 0 for a separator.
    void theMenusHoldTheCommandSet()
    {
        QStringList titles;
        QList<QList<int>> ids;
        for (QAction* menu : Frame().menuBar()->actions()) {
            titles << menu->text();
            ids.append(QList<int>());
            for (QAction* item : menu->menu()->actions()) {
                ids.back() << (item->isSeparator() ? 0 : item->data().toInt());
                QVERIFY(item->isSeparator() || item == Frame().Action(item->data().toInt()));
            }
        }
        QCOMPARE(titles, QStringList({"&File", "&Orvina", "&View", "&Help"}));
        QCOMPARE(ids, QList<QList<int>>({{57607, 57609, 57606, 0, 57665},
                                         {32777, 32778, 32779, 0, 32782, 32781},
                                         {59392, 59393},
                                         {57666, 57668, 0, 57664}}));
    }

    void menuItemsShowTheirKeys_data()
    {
        QTest::addColumn<int>("id");
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("shortcut");
        QTest::newRow("Print") << 57607 << "&Print...\tCtrl+P" << "Ctrl+P";
        QTest::newRow("Print Preview") << 57609 << "Print Pre&view" << "";
        QTest::newRow("People") << 32777 << "P&eople...\tShift+E" << "Shift+E";
        QTest::newRow("Display") << 32778 << "&Display...\tShift+D" << "Shift+D";
        QTest::newRow("Compatibility") << 32779 << "&Compatibility...\tShift+C" << "Shift+C";
        QTest::newRow("Previous Month") << 32782 << "&Previous Month\tShift+P" << "Shift+P";
        QTest::newRow("Next Month") << 32781 << "&Next Month\tShift+N" << "Shift+N";
        QTest::newRow("About") << 57664 << "&About Orvina..." << "";
        QTest::newRow("Help, no menu item") << 57670 << "" << "F1";
        QTest::newRow("Context help, no menu item") << 57669 << "" << "Shift+F1";
    }

    void menuItemsShowTheirKeys()
    {
        QFETCH(int, id);
        QFETCH(QString, text);
        QFETCH(QString, shortcut);
        QAction* item = Frame().Action(id);
        QVERIFY(item);
        if (!text.isEmpty())
            QCOMPARE(item->text(), text);
        QCOMPARE(item->shortcut(), QKeySequence(shortcut));
        if (text.isEmpty())
            QVERIFY(Frame().actions().contains(item));
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
        QTest::newRow("Print Setup") << 57606 << "QPrintDialog" << "Print Setup";
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
