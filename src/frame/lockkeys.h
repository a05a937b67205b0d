#pragma once

#include <optional>

// Whether Caps Lock, Num Lock and Scroll Lock are on.
struct LockKeys {
    bool caps = false;
    bool num = false;
    bool scroll = false;

    // The keyboard's state where the platform tells it: Windows, and X11
    // with its keyboard extension. Nothing elsewhere (Wayland, offscreen).
    static std::optional<LockKeys> Query();
};
