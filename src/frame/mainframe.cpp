// The main window, a little past the usual size: the window placement's
// saving and restoring stays here, as it answers the window's own move,
// resize, state and expose events.
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
#include "frame/statusbar.h"
#include "frame/toolbar.h"
#include "people/appdata.h"
#include "people/ovixdoc.h"
#include "platform/messagebox.h"
#include "platform/profile.h"
#include "platform/stringtable.h"
#include "view/ovixview.h"

#include <QAction>
#include <QApplication>
#include <QCloseEvent>
#include <QFile>
#include <QMenu>
#include <QMenuBar>
#include <QScreen>
#include <QStyle>
#include <QWhatsThis>
#include <QWindow>

namespace {
constexpr const char* kCaptionSeparator = " - ";
constexpr const char* kHelpFailed = "Failed to launch help.";

constexpr const char* kSettingsSection = "Settings";
constexpr const char* kChosenIndexEntry = "BioName";
// What a missing or unreadable profile value reads as.
constexpr int32_t kMissing = -1;
constexpr const char* kPlacementEntries[] = {"flags", "showCmd", "x1", "y1", "x2", "y2"};
// Windows' standard icon, the least of a window that must stay on the screen.
constexpr int kStandardIconSize = 32;
// Menus that could be open at once: the menu and its submenus.
constexpr int kMaxOpenMenus = 8;

constexpr Qt::WindowStates kNotNormal = Qt::WindowMinimized | Qt::WindowMaximized | Qt::WindowFullScreen;

QSize StandardIconSize()
{
    const int size = QApplication::style()->pixelMetric(QStyle::PM_LargeIconSize);
    return size > 0 ? QSize(size, size) : QSize(kStandardIconSize, kStandardIconSize);
}

QList<QRect> AvailableScreens()
{
    QList<QRect> screens;
    for (const QScreen* screen : QGuiApplication::screens())
        screens.append(screen->availableGeometry());
    return screens;
}

// The caption's height: the platform's title bar, or a standard icon's height.
int CaptionHeight()
{
    const int height = QApplication::style()->pixelMetric(QStyle::PM_TitleBarHeight);
    return height > 0 ? height : kStandardIconSize;
}

void CloseMenus()
{
    for (int i = 0; i < kMaxOpenMenus && qobject_cast<QMenu*>(QApplication::activePopupWidget()); ++i)
        QApplication::activePopupWidget()->close();
}
}

CMainFrame::CMainFrame(CAppData& app, COvixDoc& doc, Profile& profile, QPrinter& printer)
    : m_app(app), m_doc(doc), m_profile(profile), m_printer(printer)
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
        SaveLayout(QLatin1String(kLayoutSection));
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
    SaveLayout(QLatin1String(kLayoutSection));
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
        RestoreLayout(QLatin1String(kLayoutSection));
    }
    // A window mapped maximised or minimised leaves the window manager no
    // normal frame to go back to but the one asked for while the frame's
    // size was unknown, a few pixels off. It is shown normal first, its
    // frame settled, and given its state then.
    if (visible && m_restoredFrame && !isVisible() && (windowState() & kNotNormal)) {
        m_statesAfterSettling = windowState();
        setWindowState(Qt::WindowNoState);
    }
    QMainWindow::setVisible(visible);
    if (visible && m_restoredFrame && windowHandle())
        windowHandle()->installEventFilter(this);
}

int32_t CMainFrame::SaveLayout(const QString& section)
{
    const WindowPlacement placement = GetWindowPlacement();
    Profile& profile = m_profile;
    profile.WriteProfileInt(QLatin1String(kSettingsSection), QLatin1String(kChosenIndexEntry), m_app.m_chosenIndex);

    const int32_t values[] = {placement.flags, placement.showCmd, placement.left,
                              placement.top,   placement.right,   placement.bottom};
    for (size_t i = 0; i < std::size(values); ++i) {
        if (!profile.WriteProfileInt(section, QLatin1String(kPlacementEntries[i]), values[i]))
            return 0;
    }
    return 1;
}

int32_t CMainFrame::RestoreLayout(const QString& section)
{
    WindowPlacement placement = GetWindowPlacement();
    const Profile& profile = m_profile;
    const int32_t chosen = profile.GetProfileInt(QLatin1String(kSettingsSection), QLatin1String(kChosenIndexEntry),
                                                 kMissing);
    m_app.m_chosenIndex = chosen > 0 ? chosen : 0;

    int32_t* const fields[] = {&placement.flags, &placement.showCmd, &placement.left,
                               &placement.top,   &placement.right,   &placement.bottom};
    bool complete = true;
    for (size_t i = 0; i < std::size(fields); ++i) {
        *fields[i] = profile.GetProfileInt(section, QLatin1String(kPlacementEntries[i]), kMissing);
        complete = complete && *fields[i] != kMissing;
    }
    if (!complete)
        return 0;

    const QScreen* screen = QGuiApplication::primaryScreen();
    if (!screen || !placement.StartsOnScreen(screen->geometry().size(), StandardIconSize()))
        return 0;
    if (!placement.HasUsableSize())
        return 0;
    // A window whose caption lies on no screen (say one left behind on a
    // monitor since detached) could neither be seen nor moved.
    if (!placement.CaptionOnScreen(AvailableScreens(), CaptionHeight()))
        return 0;
    SetWindowPlacement(placement);
    return 1;
}

WindowPlacement CMainFrame::GetWindowPlacement() const
{
    return WindowPlacement::From(m_statesAfterSettling.value_or(windowState()), NormalFrame());
}

void CMainFrame::SetWindowPlacement(const WindowPlacement& placement)
{
    const QRect frame = placement.NormalFrame();
    setWindowState(Qt::WindowNoState);
    // A window's position is that of its frame; its size is that of what
    // lies inside the frame, as far as the platform knows the frame yet.
    move(frame.topLeft());
    resize(frame.size().shrunkBy(FrameMargins()));
    setWindowState(placement.States());
    m_restoredFrame = frame;
}

QMargins CMainFrame::FrameMargins() const
{
    const QRect frame = frameGeometry();
    const QRect inner = geometry();
    return QMargins(inner.left() - frame.left(), inner.top() - frame.top(), frame.right() - inner.right(),
                    frame.bottom() - inner.bottom());
}

QRect CMainFrame::NormalFrame() const
{
    if (m_restoredFrame)
        return *m_restoredFrame;
    if (!(windowState() & kNotNormal))
        return frameGeometry();
    return normalGeometry().marginsAdded(m_normalMargins);
}

void CMainFrame::SettleRestoredFrame()
{
    const QWindow* window = windowHandle();
    if (!m_restoredFrame || (windowState() & kNotNormal) || !window || !window->isExposed())
        return;
    const QRect wanted = *m_restoredFrame;
    m_restoredFrame.reset();
    if (frameGeometry() != wanted)
        setGeometry(wanted.marginsRemoved(FrameMargins()));
    if (m_statesAfterSettling) {
        setWindowState(*m_statesAfterSettling);
        m_statesAfterSettling.reset();
    }
}

bool CMainFrame::event(QEvent* event)
{
    switch (event->type()) {
    case QEvent::Move:
    case QEvent::Resize:
        if (isVisible() && !(windowState() & kNotNormal))
            m_normalMargins = FrameMargins();
        break;
    case QEvent::WindowStateChange: SettleRestoredFrame(); break;
    default: break;
    }
    return QMainWindow::event(event);
}

bool CMainFrame::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == windowHandle() && event->type() == QEvent::Expose) {
        SettleRestoredFrame();
        if (!m_restoredFrame)
            watched->removeEventFilter(this);
    }
    return QMainWindow::eventFilter(watched, event);
}
