#include "frame/commandtable.h"

#include "frame/commandids.h"
#include "platform/stringtable.h"

namespace {
using namespace CommandId;
constexpr int kNone = CommandEntry::kNoButton;

const std::vector<CommandEntry> kCommands = {
    {"&File", "&Print...\tCtrl+P", kFilePrint, "Ctrl+P", "Print the active document\nPrint",
     "commands.html#print",
     "Print (Ctrl+P)\n\nPrints the chart of the displayed month on one page, under a header line with the "
     "person's name. The Print dialog lets you choose the printer first.",
     4},
    {"&File", "Print Pre&view", kFilePrintPreview, nullptr, "Display full pages\nPrint Preview",
     "commands.html#preview",
     "Print Preview\n\nShows the printed page on the screen, as it will come out of the printer.",
     kNone},
    {"&File", "P&rint Setup...", kFilePrintSetup, nullptr, "Change the printer and printing options\nPrint Setup",
     "commands.html#setup",
     "Print Setup\n\nChooses the paper size, the orientation and the margins of the printed page.",
     kNone},
    {"&File", nullptr, 0, nullptr, nullptr, nullptr, nullptr, kNone},
    {"&File", "E&xit", kAppExit, nullptr, "Quit the application; prompts to save documents\nExit",
     "commands.html#exit",
     "Exit\n\nEnds Orvina. The people are saved to database.bio, and the window's place and the chosen "
     "person to the settings.",
     kNone},
    {"&Orvina", "P&eople...\tShift+E", kPeople, "Shift+E",
     "Select name for Orvina or enter names & birthdays into database\nPeople",
     "people.html",
     "People (Shift+E)\n\nOpens the People dialog: add and remove people, and choose whose chart is shown.",
     0},
    {"&Orvina", "&Display...\tShift+D", kDisplay, "Shift+D", "Modify the Orvina display\nDisplay",
     "commands.html#display",
     "Display (Shift+D)\n\nMeant for the display options of the chart. This version has none; the command "
     "only says so.",
     1},
    {"&Orvina", "&Compatibility...\tShift+C", kCompatibility, "Shift+C",
     "Check compatibility between two people\nCompatibility",
     "compatibility.html",
     "Compatibility (Shift+C)\n\nOpens the Compatibility dialog, which shows how well the four cycles of "
     "two people agree.",
     2},
    {"&Orvina", nullptr, 0, nullptr, nullptr, nullptr, nullptr, kNone},
    {"&Orvina", "&Previous Month\tShift+P", kPreviousMonth, "Shift+P", "View previous month\nPrevious Month",
     "chart.html#months",
     "Previous Month (Shift+P)\n\nShows the chart of the month before the one displayed.",
     6},
    {"&Orvina", "&Next Month\tShift+N", kNextMonth, "Shift+N", "View next month\nNext Month",
     "chart.html#months",
     "Next Month (Shift+N)\n\nShows the chart of the month after the one displayed.",
     7},
    {"&View", "&Toolbar", kViewToolbar, nullptr, "Show or hide the toolbar\nToggle ToolBar",
     "toolbar.html",
     "Toolbar\n\nShows or hides the toolbar. The item is checked while the toolbar is shown.",
     kNone},
    {"&View", "&Status Bar", kViewStatusBar, nullptr, "Show or hide the status bar\nToggle StatusBar",
     "toolbar.html#statusbar",
     "Status Bar\n\nShows or hides the status bar at the bottom of the window. The item is checked while "
     "the status bar is shown.",
     kNone},
    {"&Help", "&Index", kHelpIndex, nullptr, "List Help topics\nHelp Index",
     "index.html",
     "Help Index\n\nOpens the contents of the help.",
     kNone},
    {"&Help", "&Using Help", kHelpUsing, nullptr, "Display instructions about how to use help\nHelp",
     "usinghelp.html",
     "Using Help\n\nTells how to find your way through the help.",
     kNone},
    {"&Help", nullptr, 0, nullptr, nullptr, nullptr, nullptr, kNone},
    {"&Help", "&About Orvina...", kAppAbout, nullptr,
     "Display program information, version number and copyright\nAbout",
     "commands.html#about",
     "About Orvina\n\nShows the program's name and version.",
     5},
    {nullptr, nullptr, kHelp, "F1", "Display help for current task or command\nHelp",
     "usinghelp.html#f1",
     "Help (F1)\n\nOpens the help at the topic of what you are working with: the chart, the open dialog "
     "or the highlighted menu command.",
     kNone},
    {nullptr, nullptr, kContextHelp, "Shift+F1", "Display help for clicked on buttons, menus and windows\nHelp",
     "usinghelp.html#whatsthis",
     "Help on buttons, menus and windows (Shift+F1)\n\nThe mouse pointer gets a question mark; click a "
     "button, a menu command or a part of a window to read what it does.",
     8},
    {nullptr, nullptr, kDefaultHelp, nullptr, nullptr,
     "index.html",
     "Help Index\n\nOpens the contents of the help.",
     kNone},
};
}

const std::vector<CommandEntry>& CommandTable()
{
    return kCommands;
}

const CommandEntry* FindCommand(int32_t id)
{
    if (id == 0)
        return nullptr;
    for (const CommandEntry& entry : kCommands) {
        if (entry.id == id)
            return &entry;
    }
    return nullptr;
}

QString CommandPrompt(int32_t id)
{
    const CommandEntry* command = FindCommand(id);
    return command && command->prompt ? StringTable::Field(QString::fromLatin1(command->prompt), 0) : QString();
}

QString CommandToolTip(int32_t id)
{
    const CommandEntry* command = FindCommand(id);
    return command && command->prompt ? StringTable::Field(QString::fromLatin1(command->prompt), 1) : QString();
}

std::vector<int32_t> ToolBarCommands()
{
    std::vector<int32_t> buttons;
    for (const CommandEntry& entry : kCommands) {
        if (entry.toolBarSlot == CommandEntry::kNoButton)
            continue;
        const auto slot = static_cast<size_t>(entry.toolBarSlot);
        if (buttons.size() <= slot)
            buttons.resize(slot + 1, 0);
        buttons[slot] = entry.id;
    }
    return buttons;
}
