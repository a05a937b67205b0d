#pragma once

#include "frame/lockkeys.h"

#include <QStatusBar>

#include <cstdint>
#include <map>
#include <optional>
#include <vector>

class QLabel;

// The main frame's status bar: a message pane that shows a command's prompt
// while its menu item is highlighted or its button hovered, and the idle
// text otherwise; then one pane per lock key, as wide as its text, showing
// that text while the key is on.
class CStatusBar : public QStatusBar {
    Q_OBJECT
public:
    static constexpr int32_t kMessagePane = 0;

    explicit CStatusBar(QWidget* parent = nullptr);
    ~CStatusBar() override;

    // The panes in order: the message pane, then the indicators by the
    // string ids of their texts.
    static const std::vector<int32_t>& IndicatorIds();

    // Creates the panes; false when an id names no indicator.
    bool SetIndicators(const std::vector<int32_t>& ids);

    // What the message pane shows now: the prompt, or the idle text.
    QString MessageText() const;
    // The pane of indicator `id`, or nullptr.
    QLabel* Pane(int32_t id) const;

    // Puts `pane` right of the message pane and left of the indicators,
    // where prompts do not cover it.
    void InsertPane(QWidget* pane);

    // Shows the lock keys; no state leaves every indicator blank.
    void ShowLockKeys(const std::optional<LockKeys>& keys);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void CreateMessagePane();

    QLabel* m_idle = nullptr;  // owned by this bar
    std::map<int32_t, QLabel*> m_panes;
};
