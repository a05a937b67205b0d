#include "frame/helptopics.h"

#include "dialogs/dialogtemplates.h"
#include "frame/commandtable.h"

QString HelpTopics::CommandTopic(int32_t id)
{
    const CommandEntry* command = FindCommand(id);
    return QString::fromLatin1(command && command->helpTopic ? command->helpTopic : kCommands);
}

QString HelpTopics::CommandWhatsThis(int32_t id)
{
    const CommandEntry* command = FindCommand(id);
    return command && command->whatsThis ? QString::fromLatin1(command->whatsThis) : QString();
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
