#include "app/ovixapp.h"

#include <QApplication>

#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <cstring>

namespace {
bool IsSet(const char* name)
{
    const char* value = std::getenv(name);
    return value && *value;
}

// Qt's default platforms on Linux need a display server; any other platform
// (offscreen, vnc, ...) chosen by QT_QPA_PLATFORM or -platform does not.
bool LacksDisplay(int argc, char** argv)
{
    for (int i = 1; i < argc; ++i) {
        if (std::strcmp(argv[i], "-platform") == 0)
            return false;
    }
    const char* platform = std::getenv("QT_QPA_PLATFORM");
    const bool needsDisplay = !platform || !*platform || std::strncmp(platform, "xcb", 3) == 0 ||
                              std::strncmp(platform, "wayland", 7) == 0;
    return needsDisplay && !IsSet("DISPLAY") && !IsSet("WAYLAND_DISPLAY");
}
}

int main(int argc, char** argv)
{
#ifdef Q_OS_LINUX
    if (LacksDisplay(argc, argv)) {
        std::fputs("orvina: needs a graphical display, and neither DISPLAY nor WAYLAND_DISPLAY is set; "
                   "run it on a desktop or under a virtual one (xvfb-run orvina), "
                   "or draw a chart to a file with orvina-cli render\n",
                   stderr);
        return 1;
    }
#endif
#ifdef SIGXFSZ
    // A write beyond the file-size limit then fails as a write, and the
    // failed save is reported, instead of ending the program unannounced.
    std::signal(SIGXFSZ, SIG_IGN);
#endif
    QApplication application(argc, argv);
    COvixApp app;
    return app.Run();
}
