#pragma once

#include <QUrl>
#include <QWidget>

class QTextBrowser;

// The program's help: the HTML pages compiled into the program, shown in a
// window of their own, with the program's icon, a contents button, a way back
// and forward, and a Close button.
class CHelpWindow : public QWidget {
    Q_OBJECT
public:
    static constexpr const char* kRoot = ":/help/";

    explicit CHelpWindow(QWidget* parent = nullptr);

    // Shows `topic` ("page.html" or "page.html#anchor"), or the contents
    // when that page does not exist. False, with nothing shown, when the help
    // has no contents page either.
    bool ShowTopic(const QString& topic);

    // Moves the window beside `owner`, a frame rectangle on the screen.
    void PlaceBeside(const QRect& owner);

    // The page and anchor shown.
    QUrl Source() const;
    QTextBrowser& Browser() { return *m_browser; }

private:
    void CreateButtons();
    void CreateBrowser();
    // Escape and Ctrl+W close the window, as its Close button does.
    void CreateCloseKeys();

    // Owned by this window.
    QTextBrowser* m_browser = nullptr;
    QWidget* m_backButton = nullptr;
    QWidget* m_forwardButton = nullptr;
};
