#pragma once

#include "frame/programsettings.h"

#include <QMainWindow>

#include <cstdint>
#include <map>
#include <memory>
#include <string>

class CAppData;
class COvixDoc;
class Profile;
class QPrinter;
class COvixView;
class CHelpKeys;
class CHelpWindow;
class CPlacementKeeper;
class CStatusBar;
class CToolBar;
class QAction;

// The program's one top-level window: menu and accelerators, toolbar and
// status bar, the caption "Orvina - <document title>" and the chart view as
// its central widget. It keeps the window's placement (through its
// CPlacementKeeper) and the chosen person in the profile: restored when the
// window is first shown, saved when it is destroyed and when the desktop
// session ends. The application connects
// the commands that are its own (About, Print Setup, Exit) and hears of the
// window's closing through Closed.
class CMainFrame : public QMainWindow {
    Q_OBJECT
public:
    CMainFrame(CAppData& app, COvixDoc& doc, Profile& profile, QPrinter& printer);
    ~CMainFrame() override;

    // False when the toolbar or the status bar could not be made; the
    // window must then not be used.
    bool Created() const { return m_created; }

    COvixView& View() { return *m_view; }
    CToolBar& ToolBar() { return *m_toolBar; }
    CStatusBar& StatusBar() { return *m_statusBar; }
    // The help window, or nullptr before help was first asked for.
    CHelpWindow* HelpWindow() const { return m_help.get(); }
    // The action of command `id`, or nullptr.
    QAction* Action(int32_t id) const;

    // Writes the chosen-person index to "Settings"/"BioName", then the
    // placement to `section`: "flags", "showCmd", "x1", "y1", "x2", "y2", in
    // that order, stopping at the first write that fails. 1 when all six
    // placement values were written, else 0.
    virtual int32_t SaveLayout(const QString& section);
    // Reads the chosen-person index (0 when missing or not above 0), then
    // the placement from `section` and applies it. 0, with the window left
    // as it is, when a value is missing or -1, when the left or top edge lies
    // beyond the screen, when the size is unusable or when no part of the
    // caption's strip lies on an available screen; else 1.
    virtual int32_t RestoreLayout(const QString& section);

    // The desktop session ends (the application hears of it): the layout is
    // saved now, and once more when the window is destroyed on the way out.
    void OnEndSession();

    void OnHelpIndex();
    void OnHelpUsing();
    // Help on what has the focus: the highlighted menu command, the open
    // dialog, or the chart.
    void OnHelp();
    void OnContextHelp();

    void setVisible(bool visible) override;

    static constexpr int kDefaultWidth = 760;
    static constexpr int kDefaultHeight = 560;

signals:
    // The window has been closed; the message loop may end.
    void Closed();

protected:
    void closeEvent(QCloseEvent* event) override;

private:
    void CreateView();
    void CreateActions();
    void CreateMenus();
    bool CreateToolBar();
    bool CreateStatusBar();
    void ConnectCommands();
    void ConnectBarToggles();
    void ConnectDayReadout();
    void DescribeWidgets();
    void WatchHelpKeys();
    void FollowDocumentTitle();
    void SetProgramIcon();

    void SetCaption(const std::string& documentTitle);

    QString FocusTopic() const;
    void ShowHelp(const QString& topic);

    CAppData& m_app;
    COvixDoc& m_doc;
    CProgramSettings m_settings;
    QPrinter& m_printer;
    int32_t m_firstShow = 1;
    // The bars and the view are owned by this window as its children.
    CStatusBar* m_statusBar = nullptr;
    CToolBar* m_toolBar = nullptr;
    COvixView* m_view = nullptr;
    std::map<int32_t, QAction*> m_actions;
    bool m_created = false;

    std::unique_ptr<CHelpWindow> m_help;
    std::unique_ptr<CHelpKeys> m_helpKeys;
    // Owned by this window as its child.
    CPlacementKeeper* m_placement = nullptr;
};
