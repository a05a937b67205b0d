#pragma once

#include <QMainWindow>

#include <cstdint>
#include <map>
#include <string>

class COvixApp;
class COvixDoc;
class COvixView;
class QAction;

// The program's one top-level window: menu and accelerators, the caption
// "Orvina - <document title>" and the chart view as its central widget.
class CMainFrame : public QMainWindow {
    Q_OBJECT
public:
    CMainFrame(COvixApp& app, COvixDoc& doc);
    ~CMainFrame() override;

    COvixView& View() { return *m_view; }
    // The action of command `id`, or nullptr.
    QAction* Action(int32_t id) const;

    static constexpr int kDefaultWidth = 760;
    static constexpr int kDefaultHeight = 560;

protected:
    void closeEvent(QCloseEvent* event) override;

private:
    void CreateView();
    void CreateActions();
    void CreateMenus();
    void ConnectCommands();
    void FollowDocumentTitle();
    void SetProgramIcon();

    void SetCaption(const std::string& documentTitle);

    COvixApp& m_app;
    COvixDoc& m_doc;
    COvixView* m_view = nullptr;  // owned by this window as its central widget
    std::map<int32_t, QAction*> m_actions;
};
