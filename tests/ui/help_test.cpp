// Help: the help commands and F1 wherever the user is, What's This for
// every command and dialog control, the pages behind every topic, and the
// message when there is no help to show.
#include "dialogs/dialogbuilder.h"
#include "dialogs/dialogtemplates.h"
#include "frame/commandids.h"
#include "frame/commandtable.h"
#include "frame/helptopics.h"
#include "frame/helpwindow.h"
#include "frame/toolbar.h"
#include "view/ovixview.h"
#include "programtestenv.h"

#include <QApplication>
#include <QDialog>
#include <QPushButton>
#include <QScreen>
#include <QRegularExpression>
#include <QTextBrowser>
#include <QToolButton>
#include <QWhatsThis>
#include <QtTest>

#include <functional>

namespace {
// The page and anchor of a help window's source, as a topic.
QString Topic(const QUrl& source)
{
    QString topic = source.path().section('/', -1);
    if (source.hasFragment())
        topic += '#' + source.fragment();
    return topic;
}

// The text of the page of `topic`, or an empty text.
QString PageText(const QString& topic)
{
    return QString::fromUtf8(ReadBytes(QString(CHelpWindow::kRoot) + topic.section('#', 0, 0)));
}
}

class HelpTest : public QObject, public StartedApp {
    Q_OBJECT

private slots:
    void init() { QVERIFY(Start()); }

    void cleanup() { Stop(); }

    // A help command, F1 on a highlighted menu item (which does not run the
    // item) or F1 in a dialog (modal help over the modal dialog) opens the topic.
    void helpOpensItsTopic_data()
    {
        QTest::addColumn<QString>("menu");
        QTest::addColumn<int>("id");
        QTest::addColumn<QString>("topic");
        using namespace CommandId;
        QTest::newRow("Help Index") << "" << int(kHelpIndex) << "index.html";
        QTest::newRow("hidden help index") << "" << int(kDefaultHelp) << "index.html";
        QTest::newRow("F1 on the chart") << "" << int(kHelp) << "chart.html";
        QTest::newRow("F1 on Print") << "&File" << int(kFilePrint) << "commands.html#print";
        QTest::newRow("F1 on People") << "&Orvina" << int(kPeople) << "people.html";
        QTest::newRow("F1 in People") << "dialog" << int(kPeople) << "people.html";
        QTest::newRow("F1 in Compatibility") << "dialog" << int(kCompatibility) << "compatibility.html";
    }

    void helpOpensItsTopic()
    {
        QFETCH(QString, menu);
        QFETCH(int, id);
        QFETCH(QString, topic);
        MessageRecorder messages;
        QVERIFY(!Frame().HelpWindow());
        QString shownTopic;
        bool modal = false;
        if (menu.isEmpty()) {
            Frame().Action(id)->trigger();
        } else if (menu == "dialog") {
            InDialog(id, [&](QWidget* dialog) {
                QTest::keyClick(dialog->focusWidget() ? dialog->focusWidget() : dialog, Qt::Key_F1);
                CHelpWindow* help = Frame().HelpWindow();
                QVERIFY(help && help->isVisible());
                shownTopic = Topic(help->Source());
                modal = help->isModal();
                help->close();
            });
            QVERIFY(modal);
            Frame().Action(CommandId::kHelpIndex)->trigger();
        } else {
            QMenu* items = Menu(menu);
            items->popup(Frame().mapToGlobal(QPoint(10, 10)));
            QVERIFY(QTest::qWaitForWindowExposed(items));
            items->setActiveAction(Frame().Action(id));
            QTest::keyClick(items, Qt::Key_F1);
            QTRY_VERIFY(!items->isVisible());
            QVERIFY(!QApplication::activeModalWidget());
        }
        QVERIFY(Frame().HelpWindow() && Frame().HelpWindow()->isVisible());
        // Asked for from the main window, help is an ordinary window.
        QVERIFY(!Frame().HelpWindow()->isModal());
        if (shownTopic.isEmpty())
            shownTopic = Topic(Frame().HelpWindow()->Source());
        QCOMPARE(shownTopic, topic);
        QVERIFY(!Frame().HelpWindow()->Browser().toPlainText().isEmpty());
        QVERIFY(messages.Shown().empty());
    }

    void contextHelpEntersWhatsThisMode_data()
    {
        QTest::addColumn<QString>("how");
        QTest::newRow("Shift+F1") << "key";
        QTest::newRow("toolbar button") << "button";
        QTest::newRow("Shift+F1 in a dialog") << "dialog";
    }

    void contextHelpEntersWhatsThisMode()
    {
        QFETCH(QString, how);
        bool entered = false;
        if (how == "key") {
            Frame().activateWindow();
            QVERIFY(QTest::qWaitForWindowActive(&Frame()));
            QTest::keyClick(&Frame().View(), Qt::Key_F1, Qt::ShiftModifier);
            entered = QWhatsThis::inWhatsThisMode();
        } else if (how == "button") {
            QTest::mouseClick(Frame().ToolBar().Button(CommandId::kContextHelp), Qt::LeftButton);
            entered = QWhatsThis::inWhatsThisMode();
        } else {
            InDialog(CommandId::kPeople, [&](QWidget* dialog) {
                QTest::keyClick(dialog->focusWidget() ? dialog->focusWidget() : dialog, Qt::Key_F1, Qt::ShiftModifier);
                entered = QWhatsThis::inWhatsThisMode();
                QWhatsThis::leaveWhatsThisMode();
            });
        }
        QWhatsThis::leaveWhatsThisMode();
        QVERIFY(entered);
        QVERIFY(!Frame().HelpWindow());
    }

    void everyCommandAndControlHasWhatsThisAndATopic()
    {
        for (const CommandEntry& entry : CommandTable()) {
            if (entry.id == 0)
                continue;
            const QString name = QString::number(entry.id);
            QVERIFY2(!Frame().Action(entry.id)->whatsThis().isEmpty(), qPrintable(name));
            QVERIFY2(AnchorExists(HelpTopics::CommandTopic(entry.id)), qPrintable(name));
        }
        for (const int32_t id : CToolBar::ButtonIds()) {
            if (id != CToolBar::kSeparator)
                QVERIFY2(!Frame().ToolBar().Button(id)->whatsThis().isEmpty(), qPrintable(QString::number(id)));
        }
        QVERIFY(!Frame().View().whatsThis().isEmpty());
        for (const DialogTemplate* dialog : {&AboutTemplate(), &PeopleTemplate(), &CompatibilityTemplate()}) {
            QDialog window;
            const DialogBuilder::Result built = DialogBuilder::Populate(window, *dialog);
            for (size_t i = 0; i < built.controls.size(); ++i)
                QVERIFY2(!built.controls[i].widget->whatsThis().isEmpty(), qPrintable(dialog->caption + QString::number(i)));
            QCOMPARE(window.property(DialogBuilder::kTemplateIdProperty).toInt(), dialog->id);
            QVERIFY(AnchorExists(HelpTopics::DialogTopic(dialog->id)));
        }
    }

    void everyLinkOfTheHelpLeadsToAPage_data()
    {
        QTest::addColumn<QString>("page");
        for (const QString& page : QDir(CHelpWindow::kRoot).entryList({"*.html"}))
            QTest::newRow(qPrintable(page)) << page;
    }

    void everyLinkOfTheHelpLeadsToAPage()
    {
        QFETCH(QString, page);
        const QString text = PageText(page);
        QVERIFY(text.contains("<h1>"));
        const QRegularExpression link("href=\"([^\"]+)\"");
        for (auto match = link.globalMatch(text); match.hasNext();) {
            const QString target = match.next().captured(1);
            QVERIFY2(target.endsWith(".css") ? QFile::exists(QString(CHelpWindow::kRoot) + target) : AnchorExists(target),
                     qPrintable(page + " -> " + target));
        }
    }

    void withoutTheHelpAMessageSaysSo()
    {
        MessageRecorder messages;
        Q_CLEANUP_RESOURCE(orvina_resources);
        Frame().Action(CommandId::kHelpIndex)->trigger();
        Q_INIT_RESOURCE(orvina_resources);
        QCOMPARE(int(messages.Shown().size()), 1);
        QCOMPARE(messages.Shown()[0].caption + ": " + messages.Shown()[0].text, QString("Orvina 2.1: Failed to launch help."));
        QVERIFY(messages.Shown()[0].owner == &Frame());
        QVERIFY(!Frame().HelpWindow() || !Frame().HelpWindow()->isVisible());
    }

    void aMissingTopicShowsTheContents()
    {
        CHelpWindow help;
        QVERIFY(help.ShowTopic("no such page.html#anywhere"));
        QCOMPARE(Topic(help.Source()), QString("index.html"));
    }

    // The help stands right of the main window where the screen has room,
    // else left of it, else against the screen's right edge.
    void theHelpWindowStandsBesideTheMainWindow_data()
    {
        QTest::addColumn<QRect>("owner");
        QTest::addColumn<QPoint>("expected");
        const QRect screen = QGuiApplication::primaryScreen()->availableGeometry();
        const int width = CHelpWindow().frameGeometry().width();
        QVERIFY(screen.width() < 2 * width + 100);
        const int top = screen.top() + 40;
        QTest::newRow("room on the right") << QRect(screen.left(), top, 100, 300) << QPoint(screen.left() + 100, top);
        QTest::newRow("room on the left only") << QRect(screen.right() - 99, top, 100, 300)
                                               << QPoint(screen.right() - 99 - width, top);
        QTest::newRow("no room") << QRect(screen.left() + 50, top, screen.width() - 100, 300)
                                 << QPoint(screen.right() + 1 - width, top);
    }

    void theHelpWindowStandsBesideTheMainWindow()
    {
        QFETCH(QRect, owner);
        QFETCH(QPoint, expected);
        CHelpWindow help;
        help.PlaceBeside(owner);
        QCOMPARE(help.pos(), expected);
    }

    // The help carries the program's icon; Escape, Ctrl+W and its Close
    // button each close it.
    void theHelpWindowCloses_data()
    {
        QTest::addColumn<QString>("how");
        QTest::newRow("Escape") << "Escape";
        QTest::newRow("Ctrl+W") << "Ctrl+W";
        QTest::newRow("Close button") << "C&lose";
    }

    void theHelpWindowCloses()
    {
        QFETCH(QString, how);
        Frame().Action(CommandId::kHelpIndex)->trigger();
        CHelpWindow* help = Frame().HelpWindow();
        QVERIFY(help && help->isVisible());
        QCOMPARE(help->windowIcon().pixmap(32).toImage(), QIcon(":/icons/orvina.png").pixmap(32).toImage());
        QVERIFY(QTest::qWaitForWindowActive(help));
        if (how == "Escape")
            QTest::keyClick(help->focusWidget(), Qt::Key_Escape);
        else if (how == "Ctrl+W")
            QTest::keyClick(help->focusWidget(), Qt::Key_W, Qt::ControlModifier);
        for (QPushButton* button : help->findChildren<QPushButton*>()) {
            if (button->text() == how)
                button->click();
        }
        QVERIFY(!help->isVisible());
    }

private:

    // Runs `command`, which opens a modal dialog, calls `inside` with the
    // dialog and closes it again.
    void InDialog(int command, const std::function<void(QWidget*)>& inside)
    {
        bool ran = false;
        QTimer::singleShot(0, this, [&] {
            QWidget* dialog = QApplication::activeModalWidget();
            if (!dialog)
                return;
            ran = true;
            inside(dialog);
            qobject_cast<QDialog*>(dialog)->reject();
        });
        Frame().Action(command)->trigger();
        QVERIFY(ran);
    }

    // The page of `topic` exists and, when the topic names an anchor, holds it.
    static bool AnchorExists(const QString& topic)
    {
        const QString text = PageText(topic);
        if (text.isEmpty())
            return false;
        const QString anchor = topic.section('#', 1);
        return anchor.isEmpty() || text.contains(QString("name=\"%1\"").arg(anchor));
    }
};

QTEST_MAIN(HelpTest)
#include "help_test.moc"
