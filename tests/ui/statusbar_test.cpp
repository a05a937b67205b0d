// The main frame's status bar: the idle text, the prompts of hovered buttons
// and highlighted menu items, the lock-key panes and View > Status Bar.
#include "app/commandids.h"
#include "app/commandtable.h"
#include "app/stringtable.h"
#include "chart/ovixview.h"
#include "frame/statusbar.h"
#include "frame/toolbar.h"
#include "programtestenv.h"

#include <QLabel>
#include <QToolButton>
#include <QtTest>

Q_DECLARE_METATYPE(std::optional<LockKeys>)

class StatusBarTest : public QObject, public StartedApp {
    Q_OBJECT

private slots:
    void init() { QVERIFY(Start()); }

    void cleanup() { Stop(); }

    void itSaysHowToGetHelpWhenIdle()
    {
        QCOMPARE(Bar().MessageText(), QString("For Help, press F1"));
        QVERIFY(Frame().statusBar() == &Bar());
        QVERIFY(Bar().isVisible());
        // The text is shown, not merely kept.
        const QList<QLabel*> labels = Bar().findChildren<QLabel*>();
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
            QTRY_COMPARE(Bar().MessageText(), prompt(id));
            QTest::mouseMove(&Frame().View(), QPoint(200, 200));
            QTRY_COMPARE(Bar().MessageText(), QString("For Help, press F1"));
        }
        for (QAction* title : Frame().menuBar()->actions()) {
            QMenu* items = title->menu();
            items->popup(Frame().mapToGlobal(QPoint(10, 10)));
            QVERIFY(QTest::qWaitForWindowExposed(items));
            for (QAction* item : items->actions()) {
                if (item->isSeparator())
                    continue;
                items->setActiveAction(item);
                QTRY_COMPARE(Bar().MessageText(), prompt(item->data().toInt()));
            }
            items->close();
            QTRY_COMPARE(Bar().MessageText(), QString("For Help, press F1"));
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
        Bar().ShowLockKeys(keys);
        for (int i = 0; i < panes.size(); ++i) {
            QCOMPARE(panes[i]->text(), texts[i]);
            // As wide as its text, shown or not, and right of the message, in order.
            const int textWidth = panes[i]->fontMetrics().horizontalAdvance(names[i]);
            QVERIFY(panes[i]->width() >= textWidth && panes[i]->width() <= textWidth + 16);
            QVERIFY(panes[i]->x() > (i == 0 ? Bar().width() / 2 : panes[i - 1]->x()));
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
        QVERIFY(Bar().isHidden() && !toggle->isChecked());
        toggle->trigger();
        QVERIFY(Bar().isVisible() && toggle->isChecked());
    }

private:
    CStatusBar& Bar() { return Frame().StatusBar(); }

    // The lock-key panes, left to right.
    QList<QLabel*> Panes()
    {
        return {Bar().Pane(StringId::kIndicatorCaps), Bar().Pane(StringId::kIndicatorNum),
                Bar().Pane(StringId::kIndicatorScroll)};
    }
};

QTEST_MAIN(StatusBarTest)
#include "statusbar_test.moc"
