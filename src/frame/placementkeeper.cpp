#include "frame/placementkeeper.h"

#include <QApplication>
#include <QEvent>
#include <QScreen>
#include <QStyle>
#include <QWidget>
#include <QWindow>

namespace {
// Windows' standard icon, the least of a window that must stay on the screen.
constexpr int kStandardIconSize = 32;

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
}

CPlacementKeeper::CPlacementKeeper(QWidget& window) : QObject(&window), m_window(window)
{
    window.installEventFilter(this);
}

WindowPlacement CPlacementKeeper::Current() const
{
    return WindowPlacement::From(m_statesAfterSettling.value_or(m_window.windowState()), NormalFrame());
}

bool CPlacementKeeper::Restore(const WindowPlacement& placement)
{
    const QScreen* screen = QGuiApplication::primaryScreen();
    if (!screen || !placement.StartsOnScreen(screen->geometry().size(), StandardIconSize()))
        return false;
    if (!placement.HasUsableSize())
        return false;
    // A window whose caption lies on no screen (say one left behind on a
    // monitor since detached) could neither be seen nor moved.
    if (!placement.CaptionOnScreen(AvailableScreens(), CaptionHeight()))
        return false;
    Apply(placement);
    return true;
}

void CPlacementKeeper::BeforeShow()
{
    // A window mapped maximised or minimised leaves the window manager no
    // normal frame to go back to but the one asked for while the frame's
    // size was unknown, a few pixels off. It is shown normal first, its
    // frame settled, and given its state then.
    if (m_restoredFrame && !m_window.isVisible() && (m_window.windowState() & kNotNormal)) {
        m_statesAfterSettling = m_window.windowState();
        m_window.setWindowState(Qt::WindowNoState);
    }
}

void CPlacementKeeper::AfterShow()
{
    if (m_restoredFrame && m_window.windowHandle())
        m_window.windowHandle()->installEventFilter(this);
}

void CPlacementKeeper::Apply(const WindowPlacement& placement)
{
    const QRect frame = placement.NormalFrame();
    m_window.setWindowState(Qt::WindowNoState);
    // A window's position is that of its frame; its size is that of what
    // lies inside the frame, as far as the platform knows the frame yet.
    m_window.move(frame.topLeft());
    m_window.resize(frame.size().shrunkBy(FrameMargins()));
    m_window.setWindowState(placement.States());
    m_restoredFrame = frame;
}

QMargins CPlacementKeeper::FrameMargins() const
{
    const QRect frame = m_window.frameGeometry();
    const QRect inner = m_window.geometry();
    return QMargins(inner.left() - frame.left(), inner.top() - frame.top(), frame.right() - inner.right(),
                    frame.bottom() - inner.bottom());
}

QRect CPlacementKeeper::NormalFrame() const
{
    if (m_restoredFrame)
        return *m_restoredFrame;
    if (!(m_window.windowState() & kNotNormal))
        return m_window.frameGeometry();
    return m_window.normalGeometry().marginsAdded(m_normalMargins);
}

void CPlacementKeeper::SettleRestoredFrame()
{
    const QWindow* handle = m_window.windowHandle();
    if (!m_restoredFrame || (m_window.windowState() & kNotNormal) || !handle || !handle->isExposed())
        return;
    const QRect wanted = *m_restoredFrame;
    m_restoredFrame.reset();
    if (m_window.frameGeometry() != wanted)
        m_window.setGeometry(wanted.marginsRemoved(FrameMargins()));
    if (m_statesAfterSettling) {
        m_window.setWindowState(*m_statesAfterSettling);
        m_statesAfterSettling.reset();
    }
}

bool CPlacementKeeper::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == &m_window) {
        switch (event->type()) {
        case QEvent::Move:
        case QEvent::Resize:
            if (m_window.isVisible() && !(m_window.windowState() & kNotNormal))
                m_normalMargins = FrameMargins();
            break;
        case QEvent::WindowStateChange: SettleRestoredFrame(); break;
        default: break;
        }
    } else if (watched == m_window.windowHandle() && event->type() == QEvent::Expose) {
        SettleRestoredFrame();
        if (!m_restoredFrame)
            watched->removeEventFilter(this);
    }
    return QObject::eventFilter(watched, event);
}
