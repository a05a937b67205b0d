#include "cli/clicommands.h"

#include "app/appdata.h"
#include "calc/calendar.h"
#include "calc/compatibility.h"
#include "calc/int32math.h"
#include "calc/monthlengths.h"
#include "calc/weekdaylabel.h"
#include "cli/cliarguments.h"
#include "cli/rendercommand.h"
#include "people/databasefile.h"
#include "platform/clock.h"

#include <optional>
#include <ostream>

namespace {

int MonthCommand(const std::vector<std::string>& args, std::ostream& out, std::ostream& err)
{
    if (args.size() != 3)
        return Usage(err, "month takes a birth date and a month");
    const std::optional<CDate> birth = ParseDate(args[1]);
    if (!birth)
        return Usage(err, "bad birth date '" + args[1] + "'");
    const auto shown = ParseFields(args[2], 2);
    if (!shown || (*shown)[1] < 1 || (*shown)[1] > 12)
        return Usage(err, "bad month '" + args[2] + "'");
    const int32_t year = (*shown)[0];
    const int32_t month = (*shown)[1];

    // The same steps as the chart's per-day preparation: the month from its
    // 1st, then the cycle values of each day's age.
    CCalendar calendar;
    calendar.InitMonthLengths();
    calendar.ComputeMonth(year, birth->year, month, birth->month, 1, birth->day);
    const bool drawable = calendar.m_curDayNumber > 0 && calendar.m_birthDayNumber > 0;

    CAppData app;
    out << "day weekday age physical emotional intellectual intuitional\n";
    for (int32_t day = 1; day <= calendar.m_monthLength; ++day) {
        const int32_t age = WrappingAdd(calendar.m_ageDays, day - 1);
        out << day << ' ' << WeekdayLabel(kWeekdayText, calendar.m_weekday + day - 1) << ' ' << age;
        if (drawable) {
            app.ComputeCycles(age);
            out << ' ' << app.m_physical << ' ' << app.m_emotional << ' ' << app.m_intellectual << ' '
                << app.m_intuitional << '\n';
        } else {
            // The chart draws no curves when either day number is 0 or less.
            out << " - - - -\n";
        }
    }
    return kExitOk;
}

int CompatCommand(const std::vector<std::string>& args, std::ostream& out, std::ostream& err)
{
    if (args.size() != 3)
        return Usage(err, "compat takes two dates");
    const std::optional<CDate> first = ParseDate(args[1]);
    if (!first)
        return Usage(err, "bad date '" + args[1] + "'");
    const std::optional<CDate> second = ParseDate(args[2]);
    if (!second)
        return Usage(err, "bad date '" + args[2] + "'");

    const CAppData app;
    const int32_t searchDays = MonthLength(app.m_monthDays, Clock::Today().month);
    const CompatibilityPercentages result = ComputeCompatibility(
        first->year, first->month, first->day, second->year, second->month, second->day, searchDays);
    out << "Physical " << result[kPhysical] << '\n'
        << "Emotional " << result[kEmotional] << '\n'
        << "Intellectual " << result[kIntellectual] << '\n'
        << "Intuitional " << result[kIntuitional] << '\n';
    return kExitOk;
}

int PeopleCommand(const std::vector<std::string>& args, std::ostream& out, std::ostream& err)
{
    if (args.size() > 2)
        return Usage(err, "people takes at most one file");
    const std::string path = args.size() == 2 ? args[1] : kDatabaseFileName;
    const DatabaseLoadResult loaded = LoadDatabaseFile(path);
    if (loaded.status == DatabaseLoadResult::Status::Missing) {
        err << path << ": cannot open: " << loaded.openError << '\n';
        return kExitMissingFile;
    }
    int32_t index = 0;
    for (const CName& person : loaded.records) {
        out << index++ << '\t' << person.m_name << '\t' << person.m_year << '\t' << person.m_month << '\t'
            << person.m_day << '\n';
    }
    if (loaded.fault) {
        out.flush();
        err << path << ": damaged at byte " << loaded.fault->offset << ": " << loaded.fault->reason << '\n';
        return kExitDamagedFile;
    }
    return kExitOk;
}

}  // namespace

int RunCli(const std::vector<std::string>& args, std::ostream& out, std::ostream& err)
{
    if (args.empty())
        return Usage(err, "no command given");
    const std::string& command = args[0];
    if (command == "month")
        return MonthCommand(args, out, err);
    if (command == "compat")
        return CompatCommand(args, out, err);
    if (command == "people")
        return PeopleCommand(args, out, err);
    if (command == "render")
        return RenderCommand(args, err);
    if (command == "help" || command == "--help" || command == "-h") {
        out << kUsage;
        return kExitOk;
    }
    return Usage(err, "unknown command '" + command + "'");
}
