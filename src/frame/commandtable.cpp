#include "frame/commandtable.h"

#include "frame/commandids.h"
#include "platform/stringtable.h"

namespace {
using namespace CommandId;

const std::vector<CommandEntry> kCommands = {
    {"&File", "&Print...\tCtrl+P", kFilePrint, "Ctrl+P", "Print the active document\nPrint"},
    {"&File", "Print Pre&view", kFilePrintPreview, nullptr, "Display full pages\nPrint Preview"},
    {"&File", "P&rint Setup...", kFilePrintSetup, nullptr, "Change the printer and printing options\nPrint Setup"},
    {"&File", nullptr, 0, nullptr, nullptr},
    {"&File", "E&xit", kAppExit, nullptr, "Quit the application; prompts to save documents\nExit"},
    {"&Orvina", "P&eople...\tShift+E", kPeople, "Shift+E",
     "Select name for Orvina or enter names & birthdays into database\nPeople"},
    {"&Orvina", "&Display...\tShift+D", kDisplay, "Shift+D", "Modify the Orvina display\nDisplay"},
    {"&Orvina", "&Compatibility...\tShift+C", kCompatibility, "Shift+C",
     "Check compatibility between two people\nCompatibility"},
    {"&Orvina", nullptr, 0, nullptr, nullptr},
    {"&Orvina", "&Previous Month\tShift+P", kPreviousMonth, "Shift+P", "View previous month\nPrevious Month"},
    {"&Orvina", "&Next Month\tShift+N", kNextMonth, "Shift+N", "View next month\nNext Month"},
    {"&View", "&Toolbar", kViewToolbar, nullptr, "Show or hide the toolbar\nToggle ToolBar"},
    {"&View", "&Status Bar", kViewStatusBar, nullptr, "Show or hide the status bar\nToggle StatusBar"},
    {"&Help", "&Index", kHelpIndex, nullptr, "List Help topics\nHelp Index"},
    {"&Help", "&Using Help", kHelpUsing, nullptr, "Display instructions about how to use help\nHelp"},
    {"&Help", nullptr, 0, nullptr, nullptr},
    {"&Help", "&About Orvina...", kAppAbout, nullptr,
     "Display program information, version number and copyright\nAbout"},
    {nullptr, nullptr, kHelp, "F1", "Display help for current task or command\nHelp"},
    {nullptr, nullptr, kContextHelp, "Shift+F1", "Display help for clicked on buttons, menus and windows\nHelp"},
    {nullptr, nullptr, kDefaultHelp, nullptr, nullptr},
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
