#include "dialogs/controlhelp.h"

#include "dialogs/dialogtemplates.h"

namespace {
struct Entry {
    int dialogId;
    int controlId;
    // The text of a static without an id; nullptr for a control with one.
    const char* staticText;
    const char* whatsThis;
};

constexpr const char* kPercentHelp =
    "The agreement of the cycle on its left, as a percentage: 100 when the two people's cycles run "
    "together, 0 when one is high while the other is low.";

const Entry kEntries[] = {
    {kIddAbout, kIdStatic, "", "The program's icon."},
    {kIddAbout, kIdStatic, "Orvina Version 2.1", "The program's name and version."},
    {kIddAbout, kIdOk, nullptr, "Closes this window."},

    {kIddPeople, kIdOk, nullptr,
     "Checks the birth date fields and closes the dialog. The chart then shows the chosen person. OK "
     "does not store a changed date or a new name; use Add for that."},
    {kIddPeople, kIdStatic, "Name", "The name of the person shown below."},
    {kIddPeople, kIdcName, nullptr,
     "Choose a person from the list to make them the chosen person, whose chart is shown. To add a "
     "person, type the new name here, fill in the birth date and click Add."},
    {kIddPeople, kIdStatic, "Birth Date", "The birth date of the person shown, or of the person to add."},
    {kIddPeople, kIdStatic, "Year", "The year of birth, from 1582 to 2100."},
    {kIddPeople, kIdcYear, nullptr, "The year of birth, four digits, from 1582 to 2100."},
    {kIddPeople, kIdStatic, "Month", "The month of birth, from 1 to 12."},
    {kIddPeople, kIdcMonth, nullptr, "The month of birth, from 1 (January) to 12 (December)."},
    {kIddPeople, kIdStatic, "Day", "The day of birth within the month."},
    {kIddPeople, kIdcDay, nullptr,
     "The day of birth, from 1 to the length of the month; 29 February counts in every year that "
     "divides by 4."},
    {kIddPeople, kIdcAdd, nullptr,
     "Adds a person with the name and birth date typed above at the end of the list and makes them the "
     "chosen person. The date is checked first."},
    {kIddPeople, kIdcRemove, nullptr,
     "Removes the person chosen in the list. The first person becomes the chosen one. The last person "
     "cannot be removed."},

    {kIddCompatibility, kIdOk, nullptr, "Closes the dialog."},
    {kIddCompatibility, kIdCancel, nullptr, "Closes the dialog."},
    {kIddCompatibility, kIdcName1, nullptr, "The first of the two people to compare."},
    {kIddCompatibility, kIdStatic, "and", "Compares the person above with the person below."},
    {kIddCompatibility, kIdcName2, nullptr, "The second of the two people to compare."},
    {kIddCompatibility, kIdStatic, "Physical",
     "Physical cycle, 23 days: strength, stamina and coordination."},
    {kIddCompatibility, kIdcPhysical, nullptr, kPercentHelp},
    {kIddCompatibility, kIdStatic, "Emotional", "Emotional cycle, 28 days: mood and sensitivity."},
    {kIddCompatibility, kIdcEmotional, nullptr, kPercentHelp},
    {kIddCompatibility, kIdStatic, "%", "Percent."},
    {kIddCompatibility, kIdStatic, "Intellectual",
     "Intellectual cycle, 33 days: memory, alertness and reasoning."},
    {kIddCompatibility, kIdcIntellectual, nullptr, kPercentHelp},
    {kIddCompatibility, kIdStatic, "Intuitional", "Intuitional cycle, 38 days: intuition and perception."},
    {kIddCompatibility, kIdcIntuitional, nullptr, kPercentHelp},
    {kIddCompatibility, kIdStatic, "Results",
     "How well each of the four cycles of the two people agrees, from 0 to 100 percent."},
};
}

QString ControlHelp::WhatsThis(int dialogId, const ControlTemplate& control)
{
    for (const Entry& entry : kEntries) {
        if (entry.dialogId != dialogId || entry.controlId != control.id)
            continue;
        if (control.id != kIdStatic || control.text == QLatin1String(entry.staticText))
            return QString::fromLatin1(entry.whatsThis);
    }
    return QString();
}
