#include "cli/clicommands.h"

#include "calc/calendar.h"
#include "calc/compatibility.h"
#include "calc/monthdays.h"
#include "calc/monthlengths.h"
#include "calc/weekdaylabel.h"
#include "cli/cliarguments.h"
#include "cli/clitext.h"
#include "cli/criticalcommand.h"
#include "cli/rendercommand.h"
#include "people/appdata.h"
#include "people/databasefile.h"
#include "platform/clock.h"
#include "platform/versioninfo.h"

#include <QJsonArray>
#include <QJsonObject>
#include <QJsonValue>

#include <optional>
#include <ostream>

namespace {

int MonthCommand(std::vector<std::string> args, std::ostream& out, std::ostream& err)
{
    const bool json = TakeFlag(args, "--json");
    if (const auto option = FirstOption(args))
        return Usage(err, "month", "unknown option '" + *option + "'");
    if (args.size() != 3)
        return Usage(err, "month", "month takes a birth date and a month");
    const std::optional<CDate> birth = ParseDate(args[1]);
    if (!birth)
        return Usage(err, "month", "bad birth date '" + args[1] + "'");
    const auto shown = ParseFields(args[2], 2);
    if (!shown || (*shown)[1] < 1 || (*shown)[1] > 12)
        return Usage(err, "month", "bad month '" + args[2] + "'");
    const int32_t year = (*shown)[0];
    const int32_t month = (*shown)[1];

    // The chart's own per-day preparation: the month from its 1st, then each
    // day's age, cycle values and weekday.
    CCalendar calendar;
    calendar.InitMonthLengths();
    calendar.ComputeMonth(year, birth->year, month, birth->month, 1, birth->day);
    // The chart draws no curves when either day number is 0 or less.
    const bool drawable = HasDrawableDays(calendar);
    const std::vector<MonthDay> prepared = PrepareMonthDays(calendar, calendar.m_monthLength, kWeekdayText);

    QJsonArray days;
    if (!json)
        out << "day\tweekday\tage\tphysical\temotional\tintellectual\tintuitional\n";
    for (int32_t day = 1; day <= static_cast<int32_t>(prepared.size()); ++day) {
        const int32_t age = prepared[static_cast<size_t>(day - 1)].age;
        const std::string& weekday = prepared[static_cast<size_t>(day - 1)].weekday;
        const CycleValues& values = prepared[static_cast<size_t>(day - 1)].values;
        if (json) {
            QJsonObject entry{{"day", day},
                              {"date", QString::fromStdString(FormatDate({year, month, day}))},
                              {"weekday", QString::fromStdString(weekday)},
                              {"age", age}};
            for (int cycle = 0; cycle < kCycleCount; ++cycle)
                entry.insert(kCycleKeys[cycle], drawable ? QJsonValue(values[cycle]) : QJsonValue());
            days.append(entry);
            continue;
        }
        out << day << '\t' << weekday << '\t' << age;
        for (const int32_t value : values) {
            out << '\t';
            if (drawable)
                out << value;
            else
                out << '-';
        }
        out << '\n';
    }
    if (json) {
        // "YYYY-MM": the 1st's date without its day.
        std::string shownMonth = FormatDate({year, month, 1});
        shownMonth.resize(shownMonth.size() - 3);
        WriteJson(out, {{"birth", QString::fromStdString(FormatDate(*birth))},
                        {"month", QString::fromStdString(shownMonth)},
                        {"days", days}});
    }
    return kExitOk;
}

int CompatCommand(std::vector<std::string> args, std::ostream& out, std::ostream& err)
{
    const bool json = TakeFlag(args, "--json");
    if (const auto option = FirstOption(args))
        return Usage(err, "compat", "unknown option '" + *option + "'");
    if (args.size() != 3)
        return Usage(err, "compat", "compat takes two dates");
    const std::optional<CDate> first = ParseDate(args[1]);
    if (!first)
        return Usage(err, "compat", "bad date '" + args[1] + "'");
    const std::optional<CDate> second = ParseDate(args[2]);
    if (!second)
        return Usage(err, "compat", "bad date '" + args[2] + "'");

    const CAppData app;
    const int32_t searchDays = MonthLength(app.m_monthDays, Clock::Today().month);
    const CompatibilityPercentages result = ComputeCompatibility(
        first->year, first->month, first->day, second->year, second->month, second->day, searchDays);
    if (json) {
        QJsonObject document{{"date1", QString::fromStdString(FormatDate(*first))},
                             {"date2", QString::fromStdString(FormatDate(*second))}};
        for (int cycle = 0; cycle < kCycleCount; ++cycle)
            document.insert(kCycleKeys[cycle], result[cycle]);
        WriteJson(out, document);
        return kExitOk;
    }
    for (int cycle = 0; cycle < kCycleCount; ++cycle)
        out << kCycleNames[cycle] << ' ' << result[cycle] << '\n';
    return kExitOk;
}

int PeopleCommand(std::vector<std::string> args, std::ostream& out, std::ostream& err)
{
    const bool json = TakeFlag(args, "--json");
    if (const auto option = FirstOption(args))
        return Usage(err, "people", "unknown option '" + *option + "'");
    if (args.size() > 2)
        return Usage(err, "people", "people takes at most one file");
    const std::string path = args.size() == 2 ? args[1] : kDatabaseFileName;
    const DatabaseLoadResult loaded = LoadDatabaseFile(path);
    if (loaded.status == DatabaseLoadResult::Status::Missing) {
        err << path << ": cannot open: " << loaded.openError << '\n';
        return kExitMissingFile;
    }
    QJsonArray people;
    if (!json)
        out << "index\tname\tyear\tmonth\tday\n";
    int32_t index = 0;
    for (const CName& person : loaded.records) {
        const std::string name = DecodeName(person.m_name);
        // The birth fields are the text as typed, so they stay strings.
        if (json) {
            people.append(QJsonObject{{"index", index},
                                      {"name", QString::fromStdString(name)},
                                      {"year", QString::fromStdString(DecodeName(person.m_year))},
                                      {"month", QString::fromStdString(DecodeName(person.m_month))},
                                      {"day", QString::fromStdString(DecodeName(person.m_day))}});
        } else {
            out << index << '\t' << name << '\t' << DecodeName(person.m_year) << '\t' << DecodeName(person.m_month)
                << '\t' << DecodeName(person.m_day) << '\n';
        }
        ++index;
    }
    if (json)
        WriteJson(out, {{"file", QString::fromStdString(path)}, {"people", people}});
    if (loaded.fault) {
        out.flush();
        err << path << ": damaged at byte " << loaded.fault->offset << ": " << loaded.fault->reason << '\n';
        return kExitDamagedFile;
    }
    return kExitOk;
}

bool IsHelp(const std::string& arg)
{
    return arg == "--help" || arg == "-h";
}

}  // namespace

int RunCli(const std::vector<std::string>& args, std::ostream& out, std::ostream& err)
{
    if (args.empty())
        return Usage(err, "", "no command given");
    const std::string& command = args[0];
    if (command == "--version") {
        out << "orvina-cli " << VersionInfo::kProductVersion << " (" << VersionInfo::kProductName << ", "
            << VersionInfo::kCompanyName << ")\n";
        return kExitOk;
    }
    if (command == "help" || IsHelp(command)) {
        if (args.size() > 1 && WriteCommandUsage(out, args[1]))
            return kExitOk;
        WriteUsage(out);
        return kExitOk;
    }
    for (size_t i = 1; i < args.size(); ++i) {
        if (IsHelp(args[i]) && WriteCommandUsage(out, command))
            return kExitOk;
    }
    if (command == "month")
        return MonthCommand(args, out, err);
    if (command == "compat")
        return CompatCommand(args, out, err);
    if (command == "people")
        return PeopleCommand(args, out, err);
    if (command == "critical")
        return CriticalCommand(args, out, err);
    if (command == "render")
        return RenderCommand(args, err);
    return Usage(err, "", "unknown command '" + command + "'");
}
