#pragma once

#include <QString>

#include <cstdint>

// Where the help tells about each part of the program, and what What's This
// says about it; a command's topic and text are those of its command-table
// entry. A topic is a page of the help, with an anchor
// where the page covers several things ("commands.html#print").
class HelpTopics {
public:
    static constexpr const char* kIndex = "index.html";
    static constexpr const char* kUsingHelp = "usinghelp.html";
    static constexpr const char* kChart = "chart.html";
    static constexpr const char* kCommands = "commands.html";
    static constexpr const char* kToolBar = "toolbar.html";
    static constexpr const char* kStatusBar = "toolbar.html#statusbar";

    // The topic of command `id`; the command list for a command it does not know.
    static QString CommandTopic(int32_t id);
    // The What's This text of command `id`; empty for a command it does not know.
    static QString CommandWhatsThis(int32_t id);
    // The topic of the dialog built from template `templateId`; the index for
    // a dialog it does not know.
    static QString DialogTopic(int templateId);

    static QString ChartWhatsThis();
    static QString ToolBarWhatsThis();
    static QString StatusBarWhatsThis();
};
