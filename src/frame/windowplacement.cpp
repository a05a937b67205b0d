#include "frame/windowplacement.h"

#include <algorithm>

WindowPlacement WindowPlacement::From(Qt::WindowStates states, const QRect& normalFrame)
{
    WindowPlacement placement;
    const bool maximized = states & (Qt::WindowMaximized | Qt::WindowFullScreen);
    if (states & Qt::WindowMinimized) {
        placement.showCmd = kShowMinimized;
        placement.flags = maximized ? kRestoreToMaximized : 0;
    } else {
        placement.showCmd = maximized ? kShowMaximized : kShowNormal;
    }
    placement.left = normalFrame.left();
    placement.top = normalFrame.top();
    placement.right = normalFrame.left() + normalFrame.width();
    placement.bottom = normalFrame.top() + normalFrame.height();
    return placement;
}

Qt::WindowStates WindowPlacement::States() const
{
    switch (showCmd) {
    case kShowMinimized:
        return (flags & kRestoreToMaximized) ? Qt::WindowMinimized | Qt::WindowMaximized : Qt::WindowMinimized;
    case kShowMaximized: return Qt::WindowMaximized;
    default: return Qt::WindowNoState;
    }
}

QRect WindowPlacement::NormalFrame() const
{
    return QRect(left, top, static_cast<int>(int64_t{right} - left), static_cast<int>(int64_t{bottom} - top));
}

bool WindowPlacement::HasUsableSize() const
{
    // In 64 bits: the edges are any 32-bit values, their difference need not be.
    const int64_t width = int64_t{right} - left;
    const int64_t height = int64_t{bottom} - top;
    return width > 0 && width <= kMaxExtent && height > 0 && height <= kMaxExtent;
}

bool WindowPlacement::StartsOnScreen(const QSize& screen, const QSize& icon) const
{
    return int64_t{left} <= int64_t{screen.width()} - icon.width()
           && int64_t{top} <= int64_t{screen.height()} - icon.height();
}

bool WindowPlacement::CaptionOnScreen(const QList<QRect>& screens, int captionHeight) const
{
    // In 64 bits, edges exclusive: the stored edges are any 32-bit values.
    const int64_t stripBottom = int64_t{top} + std::max(captionHeight, 1);
    for (const QRect& screen : screens) {
        const int64_t screenRight = int64_t{screen.left()} + screen.width();
        const int64_t screenBottom = int64_t{screen.top()} + screen.height();
        if (left < screenRight && right > screen.left() && top < screenBottom && stripBottom > screen.top())
            return true;
    }
    return false;
}
