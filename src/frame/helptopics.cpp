#include "frame/helptopics.h"

#include "dialogs/dialogtemplates.h"
#include "frame/commandids.h"

namespace {
using namespace CommandId;

struct CommandHelp {
    int32_t id;
    const char* topic;
    const char* whatsThis;
};

const CommandHelp kCommandHelp[] = {
    {kFilePrint, "commands.html#print",
     "Print (Ctrl+P)\n\nPrints the chart of the displayed month on one page, under a header line with the "
     "person's name. The Print dialog lets you choose the printer first."},
    {kFilePrintPreview, "commands.html#preview",
     "Print Preview\n\nShows the printed page on the screen, as it will come out of the printer."},
    {kFilePrintSetup, "commands.html#setup",
     "Print Setup\n\nChooses the paper size, the orientation and the margins of the printed page."},
    {kAppExit, "commands.html#exit",
     "Exit\n\nEnds Orvina. The people are saved to database.bio, and the window's place and the chosen "
     "person to the settings."},
    {kPeople, "people.html",
     "People (Shift+E)\n\nOpens the People dialog: add and remove people, and choose whose chart is shown."},
    {kDisplay, "commands.html#display",
     "Display (Shift+D)\n\nMeant for the display options of the chart. This version has none; the "
     "command only says so."},
    {kCompatibility, "compatibility.html",
     "Compatibility (Shift+C)\n\nOpens the Compatibility dialog, which shows how well the four cycles of "
     "two people agree."},
    {kPreviousMonth, "chart.html#months",
     "Previous Month (Shift+P)\n\nShows the chart of the month before the one displayed."},
    {kNextMonth, "chart.html#months", "Next Month (Shift+N)\n\nShows the chart of the month after the one displayed."},
    {kViewToolbar, "toolbar.html",
     "Toolbar\n\nShows or hides the toolbar. The item is checked while the toolbar is shown."},
    {kViewStatusBar, "toolbar.html#statusbar",
     "Status Bar\n\nShows or hides the status bar at the bottom of the window. The item is checked while "
     "the status bar is shown."},
    {kHelpIndex, "index.html", "Help Index\n\nOpens the contents of the help."},
    {kHelpUsing, "usinghelp.html", "Using Help\n\nTells how to find your way through the help."},
    {kAppAbout, "commands.html#about", "About Orvina\n\nShows the program's name and version."},
    {kHelp, "usinghelp.html#f1",
     "Help (F1)\n\nOpens the help at the topic of what you are working with: the chart, the open dialog or "
     "the highlighted menu command."},
    {kContextHelp, "usinghelp.html#whatsthis",
     "Help on buttons, menus and windows (Shift+F1)\n\nThe mouse pointer gets a question mark; click a "
     "button, a menu command or a part of a window to read what it does."},
    {kDefaultHelp, "index.html", "Help Index\n\nOpens the contents of the help."},
};

const CommandHelp* Find(int32_t id)
{
    for (const CommandHelp& help : kCommandHelp) {
        if (help.id == id)
            return &help;
    }
    return nullptr;
}
}

QString HelpTopics::CommandTopic(int32_t id)
{
    const CommandHelp* help = Find(id);
    return QString::fromLatin1(help ? help->topic : kCommands);
}

QString HelpTopics::CommandWhatsThis(int32_t id)
{
    const CommandHelp* help = Find(id);
    return help ? QString::fromLatin1(help->whatsThis) : QString();
}

QString HelpTopics::DialogTopic(int templateId)
{
    switch (templateId) {
    case kIddAbout: return QStringLiteral("commands.html#about");
    case kIddPeople: return QStringLiteral("people.html");
    case kIddCompatibility: return QStringLiteral("compatibility.html");
    default: return QString::fromLatin1(kIndex);
    }
}

QString HelpTopics::ChartWhatsThis()
{
    return QStringLiteral(
        "Chart\n\nThe four cycles of the chosen person through the displayed month: Physical, Emotional, "
        "Intellectual and Intuitional. Above the middle line a cycle is high, below it low. Click a day's "
        "column to mark that day; the status bar then shows its values. Rest the mouse on a column to read "
        "that day's values in a tip.\n\nKeys: Left and Right select the day before and after, into the "
        "neighbouring month; Home selects today; Page Up and Page Down change the month; Ctrl+C copies the "
        "chart and the day's values.\n\nA day is critical for a cycle when its curve meets or crosses the "
        "middle line during that day; the values name those cycles.");
}

QString HelpTopics::ToolBarWhatsThis()
{
    return QStringLiteral(
        "Toolbar\n\nButtons for People, Display, Compatibility, Print, About, Previous Month, Next Month and "
        "help on what you click. Drag the toolbar by its handle to another side of the window or away from "
        "it.");
}

QString HelpTopics::StatusBarWhatsThis()
{
    return QStringLiteral(
        "Status bar\n\nTells what the highlighted menu command or the button under the mouse does. On the "
        "right stand the selected day's values (date, age in days, P, E, I, U and the critical cycles), then "
        "CAP, NUM and SCRL, which show while Caps Lock, Num Lock and Scroll Lock are on.");
}
