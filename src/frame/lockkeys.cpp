#include "frame/lockkeys.h"

#include <QGuiApplication>

#ifdef Q_OS_WIN
#include <windows.h>
#elif defined(ORVINA_HAVE_XKB) && QT_CONFIG(xcb)
#include <QtGui/qguiapplication_platform.h>
// Xlib's macros (None, Bool, KeyPress, ...) clash with Qt's names, so it
// comes last and nothing of Qt follows.
#include <X11/XKBlib.h>
#define ORVINA_QUERY_XKB 1
#endif

namespace {
#ifdef ORVINA_QUERY_XKB
// The indicators go by their XKB names, which every keymap gives them,
// rather than by LED numbers, which differ between keyboards.
bool IndicatorOn(Display* display, const char* name)
{
    const Atom atom = XInternAtom(display, name, True);
    int on = 0;
    return atom != 0 && XkbGetNamedIndicator(display, atom, nullptr, &on, nullptr, nullptr) && on;
}
#endif
}

std::optional<LockKeys> LockKeys::Query()
{
#ifdef Q_OS_WIN
    // The low bit of a toggle key's state is its lock.
    const auto toggled = [](int key) { return (GetKeyState(key) & 1) != 0; };
    return LockKeys{toggled(VK_CAPITAL), toggled(VK_NUMLOCK), toggled(VK_SCROLL)};
#elif defined(ORVINA_QUERY_XKB)
    const auto* x11 = qGuiApp ? qGuiApp->nativeInterface<QNativeInterface::QX11Application>() : nullptr;
    Display* display = x11 ? x11->display() : nullptr;
    if (!display)
        return std::nullopt;
    return LockKeys{IndicatorOn(display, "Caps Lock"), IndicatorOn(display, "Num Lock"),
                    IndicatorOn(display, "Scroll Lock")};
#else
    return std::nullopt;
#endif
}
