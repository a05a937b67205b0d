#include "frame/mainframe.h"

#include "app/commandids.h"
#include "app/commandtable.h"
#include "app/ovixapp.h"
#include "app/stringtable.h"
#include "chart/ovixview.h"
#include "dialogs/widgettext.h"
#include "people/ovixdoc.h"

#include <QAction>
#include <QCloseEvent>
#include <QFile>
#include <QMenuBar>

namespace {
constexpr const char* kProgramIcon = ":/icons/orvina.png";
constexpr const char* kCaptionSeparator = " - ";
}

CMainFrame::CMainFrame(COvixApp& app, COvixDoc& doc) : m_app(app), m_doc(doc)
{
    CreateView();
    CreateActions();
    CreateMenus();
    ConnectCommands();
    FollowDocumentTitle();
    SetProgramIcon();
    resize(kDefaultWidth, kDefaultHeight);
}

CMainFrame::~CMainFrame()
{
    m_doc.m_onTitleChanged = nullptr;
}

QAction* CMainFrame::Action(int32_t id) const
{
    const auto found = m_actions.find(id);
    return found == m_actions.end() ? nullptr : found->second;
}

void CMainFrame::CreateView()
{
    m_view = new COvixView(m_app, m_doc, m_app.Printer(), this);
    setCentralWidget(m_view);
}

void CMainFrame::CreateActions()
{
    for (const CommandEntry& entry : CommandTable()) {
        if (entry.id == 0)
            continue;
        auto* action = new QAction(entry.text ? QString::fromLatin1(entry.text) : QString(), this);
        if (entry.accelerator)
            action->setShortcut(QKeySequence(QString::fromLatin1(entry.accelerator), QKeySequence::PortableText));
        action->setStatusTip(StringTable::Prompt(entry.id));
        action->setToolTip(StringTable::ToolTip(entry.id));
        action->setData(entry.id);
        // Commands without a menu item still answer their accelerators.
        if (!entry.menu)
            addAction(action);
        m_actions[entry.id] = action;
    }
}

void CMainFrame::CreateMenus()
{
    QMenu* menu = nullptr;
    QString menuTitle;
    for (const CommandEntry& entry : CommandTable()) {
        if (!entry.menu)
            continue;
        if (!menu || menuTitle != QLatin1String(entry.menu)) {
            menuTitle = QString::fromLatin1(entry.menu);
            menu = menuBar()->addMenu(menuTitle);
        }
        if (entry.id == 0)
            menu->addSeparator();
        else
            menu->addAction(Action(entry.id));
    }
}

void CMainFrame::ConnectCommands()
{
    using namespace CommandId;
    const auto on = [this](int32_t id, auto handler) { connect(Action(id), &QAction::triggered, this, handler); };

    on(kFilePrint, [this] { m_view->OnFilePrint(); });
    on(kFilePrintPreview, [this] { m_view->OnFilePrintPreview(); });
    on(kFilePrintSetup, [this] { m_app.OnFilePrintSetup(); });
    on(kAppExit, [this] { m_app.OnAppExit(); });
    on(kPeople, [this] { m_view->OnPeople(); });
    on(kDisplay, [this] { m_view->OnDisplay(); });
    on(kCompatibility, [this] { m_view->OnCompatibility(); });
    on(kPreviousMonth, [this] { m_view->OnPreviousMonth(); });
    on(kNextMonth, [this] { m_view->OnNextMonth(); });
    on(kAppAbout, [this] { m_app.OnAppAbout(); });
    // The toolbar and status-bar toggles and the help commands come with the
    // toolbar, the status bar and the help window.
}

void CMainFrame::FollowDocumentTitle()
{
    m_doc.m_onTitleChanged = [this](const std::string& title) { SetCaption(title); };
    SetCaption(m_doc.GetTitle());
}

void CMainFrame::SetCaption(const std::string& documentTitle)
{
    // Set in full here: no "[*]" placeholder and no application display
    // name, so the platform shows exactly this text.
    setWindowTitle(StringTable::DocumentField(0) + QLatin1String(kCaptionSeparator) +
                   ToWidgetText(documentTitle));
}

void CMainFrame::SetProgramIcon()
{
    if (QFile::exists(QLatin1String(kProgramIcon)))
        setWindowIcon(QIcon(QLatin1String(kProgramIcon)));
}

void CMainFrame::closeEvent(QCloseEvent* event)
{
    event->accept();
    m_app.OnMainWindowClosed();
}
