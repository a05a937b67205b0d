#include "frame/mainframe.h"

#include "dialogs/dialogbuilder.h"
#include "dialogs/programicon.h"
#include "dialogs/widgettext.h"
#include "frame/commandids.h"
#include "frame/commandtable.h"
#include "frame/dayreadoutpane.h"
#include "frame/helpkeys.h"
#include "frame/helptopics.h"
#include "frame/helpwindow.h"
#include "frame/placementkeeper.h"
#include "frame/statusbar.h"
#include "frame/toolbar.h"
#include "people/appdata.h"
#include "people/ovixdoc.h"
#include "platform/messagebox.h"
#include "platform/stringtable.h"
#include "view/ovixview.h"

#include <QAction>
#include <QApplication>
#include <QCloseEvent>
#include <QFile>
#include <QMenu>
#include <QMenuBar>
#include <QWhatsThis>

namespace {
constexpr const char* kCaptionSeparator = " - ";
constexpr const char* kHelpFailed = "Failed to launch help.";

// Menus that could be open at once: the menu and its submenus.
constexpr int kMaxOpenMenus = 8;

void CloseMenus()
{
    for (int i = 0; i < kMaxOpenMenus && qobject_cast<QMenu*>(QApplication::activePopupWidget()); ++i)
        QApplication::activePopupWidget()->close();
}
}

CMainFrame::CMainFrame(CAppData& app, COvixDoc& doc, Profile& profile, QPrinter& printer)
    : m_app(app), m_doc(doc), m_settings(profile), m_printer(printer), m_placement(new CPlacementKeeper(*this))
{
    CreateView();
    CreateActions();
    CreateMenus();
    // Both bars are made whatever becomes of the other, so that every later
    // step finds them; a failed one leaves the window unusable all the same.
    const bool toolBarMade = CreateToolBar();
    const bool statusBarMade = CreateStatusBar();
    m_created = toolBarMade && statusBarMade;
    ConnectCommands();
    ConnectBarToggles();
    ConnectDayReadout();
    DescribeWidgets();
    WatchHelpKeys();
    FollowDocumentTitle();
    SetProgramIcon();
    resize(kDefaultWidth, kDefaultHeight);
}

CMainFrame::~CMainFrame()
{
    // A window that was never shown never read the stored layout; saving its
    // defaults would overwrite the user's.
    if (!m_firstShow)
        SaveLayout(QLatin1String(CProgramSettings::kLayoutSection));
    m_helpKeys.reset();
    m_help.reset();
    m_doc.m_onTitleChanged = nullptr;
}

QAction* CMainFrame::Action(int32_t id) const
{
    const auto found = m_actions.find(id);
    return found == m_actions.end() ? nullptr : found->second;
}

void CMainFrame::CreateView()
{
    m_view = new COvixView(m_app, m_doc, m_printer, this);
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
        action->setStatusTip(CommandPrompt(entry.id));
        action->setToolTip(CommandToolTip(entry.id));
        action->setWhatsThis(HelpTopics::CommandWhatsThis(entry.id));
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

bool CMainFrame::CreateToolBar()
{
    m_toolBar = new CToolBar(this);
    addToolBar(Qt::TopToolBarArea, m_toolBar);
    return m_toolBar->LoadToolBar()
           && m_toolBar->SetButtons(CToolBar::ButtonIds(), [this](int32_t id) { return Action(id); });
}

bool CMainFrame::CreateStatusBar()
{
    m_statusBar = new CStatusBar(this);
    setStatusBar(m_statusBar);
    return m_statusBar->SetIndicators(CStatusBar::IndicatorIds());
}

void CMainFrame::ConnectCommands()
{
    using namespace CommandId;
    const auto on = [this](int32_t id, auto handler) { connect(Action(id), &QAction::triggered, this, handler); };

    on(kFilePrint, [this] { m_view->OnFilePrint(); });
    on(kFilePrintPreview, [this] { m_view->OnFilePrintPreview(); });
    on(kPeople, [this] { m_view->OnPeople(); });
    on(kDisplay, [this] { m_view->OnDisplay(); });
    on(kCompatibility, [this] { m_view->OnCompatibility(); });
    on(kPreviousMonth, [this] { m_view->OnPreviousMonth(); });
    on(kNextMonth, [this] { m_view->OnNextMonth(); });
    on(kHelpIndex, [this] { OnHelpIndex(); });
    on(kHelpUsing, [this] { OnHelpUsing(); });
    on(kHelp, [this] { OnHelp(); });
    on(kContextHelp, [this] { OnContextHelp(); });
    on(kDefaultHelp, [this] { OnHelpIndex(); });
}

void CMainFrame::ConnectBarToggles()
{
    QAction* toolBar = Action(CommandId::kViewToolbar);
    QAction* statusBar = Action(CommandId::kViewStatusBar);
    for (QAction* toggle : {toolBar, statusBar}) {
        toggle->setCheckable(true);
        toggle->setChecked(true);
    }
    connect(toolBar, &QAction::toggled, m_toolBar, &QWidget::setVisible);
    connect(statusBar, &QAction::toggled, m_statusBar, &QWidget::setVisible);
    // The toolbar can also be hidden from the window's context menu.
    connect(m_toolBar, &QToolBar::visibilityChanged, toolBar, &QAction::setChecked);
}

void CMainFrame::ConnectDayReadout()
{
    auto* pane = new CDayReadoutPane(m_statusBar);
    m_statusBar->InsertPane(pane);
    connect(m_view, &COvixView::ReadoutChanged, pane, &CDayReadoutPane::ShowReadout);
    // The chart's keys work from the moment the window is active.
    m_view->setFocus();
}

void CMainFrame::DescribeWidgets()
{
    m_view->setWhatsThis(HelpTopics::ChartWhatsThis());
    m_toolBar->setWhatsThis(HelpTopics::ToolBarWhatsThis());
    m_statusBar->setWhatsThis(HelpTopics::StatusBarWhatsThis());
}

void CMainFrame::WatchHelpKeys()
{
    m_helpKeys = std::make_unique<CHelpKeys>([this] { OnHelp(); }, [this] { OnContextHelp(); });
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
    if (QFile::exists(QLatin1String(kProgramIconPath)))
        setWindowIcon(ProgramIcon());
}

void CMainFrame::closeEvent(QCloseEvent* event)
{
    event->accept();
    emit Closed();
}

void CMainFrame::OnEndSession()
{
    SaveLayout(QLatin1String(CProgramSettings::kLayoutSection));
}

void CMainFrame::OnHelpIndex()
{
    ShowHelp(QLatin1String(HelpTopics::kIndex));
}

void CMainFrame::OnHelpUsing()
{
    ShowHelp(QLatin1String(HelpTopics::kUsingHelp));
}

void CMainFrame::OnHelp()
{
    ShowHelp(FocusTopic());
}

void CMainFrame::OnContextHelp()
{
    QWhatsThis::enterWhatsThisMode();
}

QString CMainFrame::FocusTopic() const
{
    if (auto* menu = qobject_cast<QMenu*>(QApplication::activePopupWidget())) {
        const QAction* item = menu->activeAction();
        return item && !item->isSeparator() ? HelpTopics::CommandTopic(item->data().toInt())
                                            : QString::fromLatin1(HelpTopics::kCommands);
    }
    if (const QWidget* dialog = QApplication::activeModalWidget()) {
        bool known = false;
        const int templateId = dialog->property(DialogBuilder::kTemplateIdProperty).toInt(&known);
        return known ? HelpTopics::DialogTopic(templateId) : QString::fromLatin1(HelpTopics::kIndex);
    }
    return QString::fromLatin1(HelpTopics::kChart);
}

void CMainFrame::ShowHelp(const QString& topic)
{
    CloseMenus();
    if (!m_help) {
        m_help = std::make_unique<CHelpWindow>();
        m_help->PlaceBeside(frameGeometry());
    }
    if (m_help->ShowTopic(topic))
        return;
    QWidget* owner = QApplication::activeModalWidget();
    MessageBox::Show(owner ? owner : this, QLatin1String(kHelpFailed), StringTable::AppTitle());
}

void CMainFrame::setVisible(bool visible)
{
    if (visible && m_firstShow) {
        m_firstShow = 0;
        RestoreLayout(QLatin1String(CProgramSettings::kLayoutSection));
    }
    if (visible)
        m_placement->BeforeShow();
    QMainWindow::setVisible(visible);
    if (visible)
        m_placement->AfterShow();
}

int32_t CMainFrame::SaveLayout(const QString& section)
{
    m_settings.WriteChosenIndex(m_app.ChosenIndex());
    return m_settings.WritePlacement(section, m_placement->Current()) ? 1 : 0;
}

int32_t CMainFrame::RestoreLayout(const QString& section)
{
    m_app.Choose(m_settings.ChosenIndex());
    const std::optional<WindowPlacement> placement = m_settings.Placement(section);
    return placement && m_placement->Restore(*placement) ? 1 : 0;
}
