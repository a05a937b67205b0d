// The main frame of a started application: its menus, accelerators,
// caption, toolbar and status bar; What's This and the help page behind
// every command's and dialog's topic.
#include "dialogs/dialogbuilder.h"
#include "dialogs/dialogtemplates.h"
#include "frame/commandids.h"
#include "frame/commandtable.h"
#include "frame/helptopics.h"
#include "frame/helpwindow.h"
#include "frame/statusbar.h"
#include "frame/toolbar.h"
#include "platform/stringtable.h"
#include "view/ovixview.h"
#include "programtestenv.h"

#include <QMenuBar>
#include <QToolButton>
#include <QWhatsThis>
#include <QtTest>

using namespace CommandId;

namespace {

// A line of a command's prompt: the first shows in the status bar, the
// second is the tooltip.
QString Prompt(int id, int line)
{
    return QString(FindCommand(id)->prompt).section('\n', line, line);
}

// The page of `topic` exists and, when the topic names an anchor, holds it.
bool AnchorExists(const QString& topic)
{
    const QString text = QString::fromUtf8(ReadBytes(QString(CHelpWindow::kRoot) + topic.section('#', 0, 0)));
    const QString anchor = topic.section('#', 1);
    return !text.isEmpty() && (anchor.isEmpty() || text.contains(QString("name=\"%1\"").arg(anchor)));
}

}

class MainFrameTest : public QObject, public StartedApp {
    Q_OBJECT

private slots:
    void init() { QVERIFY(Start()); }

    void cleanup() { Stop(); }

    // The menus hold the command table in its order, separators included;
    // every command's action carries the table's text, key, prompt and
    // tooltip, its What's This and a help topic that exists; one without a
    // menu is reached by its key alone.
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
            if (entry.menu && !tableTitles.contains(entry.menu))
                tableTitles << entry.menu;
            if (entry.menu)
                table << entry.id;
            QAction* action = entry.id ? Frame().Action(entry.id) : nullptr;
            if (!action)
                continue;
            const QByteArray name = QByteArray::number(entry.id);
            QVERIFY2(!action->whatsThis().isEmpty() && AnchorExists(HelpTopics::CommandTopic(entry.id)), name);
            if (!entry.prompt)
                continue;
            QCOMPARE(action->text(), QString(entry.text ? entry.text : ""));
            QCOMPARE(action->shortcut(), QKeySequence(entry.accelerator ? entry.accelerator : ""));
            QCOMPARE(action->statusTip() + '\n' + action->toolTip(), QString(entry.prompt));
            QVERIFY2(entry.menu || Frame().actions().contains(action), name);
        }
        QCOMPARE(titles, tableTitles);
        QCOMPARE(shown, table);
    }

    // About and Print Setup run their dialogs; the window carries the
    // program's icon, its caption follows the document's title and the
    // status bar tells how to get help.
    void theApplicationCommandsAndTheCaption()
    {
        for (const auto& [id, caption] : {std::pair{kAppAbout, "About Orvina"}, {kFilePrintSetup, "Print Setup"}}) {
            QString shown;
            QVERIFY(InModal([&, id = id] { Frame().Action(id)->trigger(); }, [&](QWidget* dialog) { shown = dialog->windowTitle(); }));
            QCOMPARE(shown, QString(caption));
            QVERIFY(Frame().isVisible());
        }
        QVERIFY(QFile::exists(":/icons/orvina.png") && !Frame().windowIcon().pixmap(32, 32).isNull());
        QCOMPARE(Frame().windowTitle(), QString("Orvina - New Name"));
        QCOMPARE(Status().MessageText(), QString("For Help, press F1"));
        m_app->Document()->SetTitle("Ann Lee");
        QCOMPARE(Frame().windowHandle()->title(), QString("Orvina - Ann Lee"));
    }

    // The buttons in the table's toolbar order, each its menu command's
    // action with an image of its own and the prompt's second line as tooltip.
    void theToolbar()
    {
        QList<int> ids;
        QList<QImage> images;
        for (QAction* action : Tools().actions()) {
            ids << (action->isSeparator() ? CToolBar::kSeparator : action->data().toInt());
            if (action->isSeparator())
                continue;
            QVERIFY(action == Frame().Action(ids.back()));
            QCOMPARE(Tools().Button(ids.back())->toolTip(), Prompt(ids.back(), 1));
            images << action->icon().pixmap(QSize(16, 15)).toImage();
            QCOMPARE(images.indexOf(images.back()), images.size() - 1);
        }
        QCOMPARE(ids, QList<int>(CToolBar::ButtonIds().begin(), CToolBar::ButtonIds().end()));
    }

    // Shift+F1 enters What's This mode and opens no help; every dialog
    // control has its text, every dialog a topic.
    void contextHelpEntersWhatsThisMode()
    {
        Frame().activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(&Frame()));
        QTest::keyClick(&Frame().View(), Qt::Key_F1, Qt::ShiftModifier);
        QVERIFY(QWhatsThis::inWhatsThisMode());
        QWhatsThis::leaveWhatsThisMode();
        QVERIFY(!Frame().HelpWindow());
        QVERIFY(!Frame().View().whatsThis().isEmpty());
        for (const DialogTemplate* dialog : {&AboutTemplate(), &PeopleTemplate(), &CompatibilityTemplate()}) {
            QDialog window;
            const std::vector<BuiltControl> controls = DialogBuilder::Populate(window, *dialog).controls;
            QSet<QString> labels, helps;  // labels of different texts explain different things
            for (size_t i = 0; i < controls.size(); ++i) {
                QVERIFY2(!controls[i].widget->whatsThis().isEmpty(), qPrintable(dialog->caption));
                if (controls[i].id == kIdStatic) {
                    labels.insert(dialog->controls[i].text);
                    helps.insert(controls[i].widget->whatsThis());
                }
            }
            QCOMPARE(helps.size(), labels.size());
            QCOMPARE(window.property(DialogBuilder::kTemplateIdProperty).toInt(), dialog->id);
            QVERIFY(AnchorExists(HelpTopics::DialogTopic(dialog->id)));
        }
    }
private:
    CToolBar& Tools() { return Frame().ToolBar(); }
    CStatusBar& Status() { return Frame().StatusBar(); }
};

QTEST_MAIN(MainFrameTest)
#include "mainframe_test.moc"
