#pragma once

#include "frame/windowplacement.h"

#include <QMargins>
#include <QObject>
#include <QRect>

#include <optional>

class QWidget;

// Keeps a top-level window's placement: what it is now, in the terms the
// profile stores, and putting a stored one back. A placement is put back
// only when the window can be seen and used there. It watches the window's
// own move, resize, state and expose events, because the platform learns the
// frame's size only once the window is on the screen, and a maximised
// window's normal frame is known only from the last time it was normal.
class CPlacementKeeper : public QObject {
    Q_OBJECT
public:
    explicit CPlacementKeeper(QWidget& window);

    // The window's placement now, its normal frame included.
    WindowPlacement Current() const;
    // Puts `placement` back; false, with the window left as it is, when the
    // left or top edge lies beyond the screen, when the size is unusable or
    // when no part of the caption's strip lies on an available screen.
    bool Restore(const WindowPlacement& placement);

    // Called around the window's showing.
    void BeforeShow();
    void AfterShow();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    QMargins FrameMargins() const;
    QRect NormalFrame() const;
    void Apply(const WindowPlacement& placement);
    void SettleRestoredFrame();

    QWidget& m_window;
    // The restored normal frame, until the window has been on the screen in
    // its normal state: only then do some platforms know the frame's size,
    // and until then the normal rectangle cannot have changed.
    std::optional<QRect> m_restoredFrame;
    // The frame around the window the last time it was seen in its normal
    // state; a maximised window's frame may differ.
    QMargins m_normalMargins;
    // The restored state of a window first shown normal, given once its
    // normal frame has settled.
    std::optional<Qt::WindowStates> m_statesAfterSettling;
};
