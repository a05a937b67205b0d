#pragma once

#include <QList>
#include <QRect>
#include <QSize>
#include <Qt>

#include <cstdint>

// A window's placement in the terms the profile keeps it, which are those of
// Windows' WINDOWPLACEMENT so that the stored values mean the same on every
// platform: the placement flags, the show command and the normal (restored)
// frame rectangle in screen pixels, right and bottom edges exclusive.
struct WindowPlacement {
    // Show commands.
    static constexpr int32_t kShowNormal = 1;
    static constexpr int32_t kShowMinimized = 2;
    static constexpr int32_t kShowMaximized = 3;
    // Placement flags.
    static constexpr int32_t kSetMinPosition = 1;
    static constexpr int32_t kRestoreToMaximized = 2;
    // The largest width or height a window can take.
    static constexpr int64_t kMaxExtent = 32767;

    int32_t flags = 0;
    int32_t showCmd = kShowNormal;
    int32_t left = 0;
    int32_t top = 0;
    int32_t right = 0;
    int32_t bottom = 0;

    // The placement of a window in `states` whose normal frame is `normalFrame`.
    static WindowPlacement From(Qt::WindowStates states, const QRect& normalFrame);

    // The window states to show: a minimised window remembers whether it
    // goes back to maximised; a show command other than minimised or
    // maximised shows the window normally.
    Qt::WindowStates States() const;
    // The normal frame rectangle; meaningful only with a usable size.
    QRect NormalFrame() const;

    // Width and height from 1 to kMaxExtent: anything else would make a
    // window that cannot be seen or used.
    bool HasUsableSize() const;
    // The left and top edges leave at least an icon's width and height of the
    // window on a screen of `screen` size. Only these two edges are tested,
    // so a window far off to the left or top still counts as on screen.
    bool StartsOnScreen(const QSize& screen, const QSize& icon) const;
    // Some of the top strip of the normal frame, `captionHeight` high, where
    // the caption is, lies on one of `screens`: the window can be seen and
    // dragged by its caption.
    bool CaptionOnScreen(const QList<QRect>& screens, int captionHeight) const;
};
