#pragma once

#include <QObject>

#include <functional>

// F1 and Shift+F1 where the main window's accelerators do not reach: in a
// modal dialog and in an open menu. The help window's own keys are its own.
class CHelpKeys : public QObject {
    Q_OBJECT
public:
    CHelpKeys(std::function<void()> onHelp, std::function<void()> onContextHelp);
    ~CHelpKeys() override;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    std::function<void()> m_onHelp;
    std::function<void()> m_onContextHelp;
};
