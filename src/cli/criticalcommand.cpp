#include "cli/criticalcommand.h"

#include "calc/criticaldays.h"
#include "calc/daynumber.h"
#include "cli/cliarguments.h"
#include "cli/clitext.h"

#include <QDate>
#include <QDateTime>
#include <QJsonArray>
#include <QJsonObject>

#include <array>
#include <optional>
#include <ostream>

namespace {

// The years in which day numbers are the proleptic Gregorian count, so that
// every day number of a range names a calendar date.
constexpr int32_t kFirstYear = 1;
constexpr int32_t kLastYear = 3999;
constexpr int32_t kMaxDay = 31;
// At most 100 years of days, leap days included.
constexpr int64_t kMaxRangeDays = 36525;

struct CriticalDay {
    CDate date;
    int32_t age;
    int cycle;
};

// The day number of `text`, when it is a date of the years above.
std::optional<int32_t> DayNumberOf(const std::string& text)
{
    const std::optional<CDate> date = ParseDate(text);
    if (!date || date->year < kFirstYear || date->year > kLastYear || date->month < 1 || date->month > 12 ||
        date->day < 1 || date->day > kMaxDay)
        return std::nullopt;
    return DayNumber(date->year, date->month, date->day);
}

CDate DateOf(int32_t dayNumber)
{
    // Both counts advance one a day; they differ by a constant.
    const qint64 julianOffset = QDate(1, 1, 1).toJulianDay() - DayNumber(1, 1, 1);
    const QDate date = QDate::fromJulianDay(dayNumber + julianOffset);
    return CDate{date.year(), date.month(), date.day()};
}

// "YYYYMMDD", as iCalendar writes a date.
std::string CompactDate(const CDate& date)
{
    std::string text = FormatDate(date);
    text.erase(7, 1);
    text.erase(4, 1);
    return text;
}

void WriteCalendar(std::ostream& out, const std::vector<CriticalDay>& days, const CDate& birth)
{
    const std::string stamp =
        QDateTime::currentDateTimeUtc().toString(QStringLiteral("yyyyMMdd'T'HHmmss'Z'")).toStdString();
    const char* const crlf = "\r\n";
    out << "BEGIN:VCALENDAR" << crlf << "VERSION:2.0" << crlf << "PRODID:-//Quandrel//Orvina 2.1//EN" << crlf
        << "CALSCALE:GREGORIAN" << crlf << "METHOD:PUBLISH" << crlf;
    for (const CriticalDay& day : days) {
        // The same birth date, day and cycle give the same UID on every run,
        // so a calendar that imports the file again replaces the event.
        const int32_t next = DayNumber(day.date.year, day.date.month, day.date.day) + 1;
        out << "BEGIN:VEVENT" << crlf << "UID:" << CompactDate(day.date) << '-' << kCycleKeys[day.cycle] << '-'
            << CompactDate(birth) << "@orvina.quandrel.com" << crlf << "DTSTAMP:" << stamp << crlf
            << "DTSTART;VALUE=DATE:" << CompactDate(day.date) << crlf << "DTEND;VALUE=DATE:"
            << CompactDate(DateOf(next)) << crlf << "SUMMARY:" << kCycleNames[day.cycle] << " critical day" << crlf
            << "DESCRIPTION:Age " << day.age << " days" << crlf << "TRANSP:TRANSPARENT" << crlf << "END:VEVENT"
            << crlf;
    }
    out << "END:VCALENDAR" << crlf;
}

}  // namespace

int CriticalCommand(std::vector<std::string> args, std::ostream& out, std::ostream& err)
{
    const bool json = TakeFlag(args, "--json");
    const bool ics = TakeFlag(args, "--ics");
    if (const auto option = FirstOption(args))
        return Usage(err, "critical", "unknown option '" + *option + "'");
    if (json && ics)
        return Usage(err, "critical", "choose one of --json and --ics");
    if (args.size() != 4)
        return Usage(err, "critical", "critical takes a birth date and the first and last day");
    std::array<std::optional<int32_t>, 3> numbers;  // the birth, the first and the last day
    for (size_t i = 0; i < numbers.size(); ++i) {
        numbers[i] = DayNumberOf(args[i + 1]);
        if (!numbers[i])
            return Usage(err, "critical", "bad date '" + args[i + 1] + "' (years 1 to 3999)");
    }
    const int32_t birth = *numbers[0];
    const int32_t from = *numbers[1];
    const int32_t to = *numbers[2];
    if (to < from)
        return Usage(err, "critical", "the last day comes before the first");
    if (int64_t{to} - from + 1 > kMaxRangeDays)
        return Usage(err, "critical", "the range is longer than 100 years");

    // Ages as the chart counts them: differences of day numbers.
    std::vector<CriticalDay> days;
    for (int32_t number = from; number <= to; ++number) {
        const int32_t age = number - birth;
        const CycleSet critical = CriticalCycles(age);
        for (int cycle = 0; cycle < kCycleCount; ++cycle) {
            if (Contains(critical, static_cast<Cycle>(cycle)))
                days.push_back(CriticalDay{DateOf(number), age, cycle});
        }
    }

    if (ics) {
        WriteCalendar(out, days, DateOf(birth));
    } else if (json) {
        QJsonArray entries;
        for (const CriticalDay& day : days) {
            entries.append(QJsonObject{{"date", QString::fromStdString(FormatDate(day.date))},
                                       {"age", day.age},
                                       {"cycle", kCycleNames[day.cycle]}});
        }
        WriteJson(out, {{"birth", QString::fromStdString(FormatDate(DateOf(birth)))},
                        {"from", QString::fromStdString(FormatDate(DateOf(from)))},
                        {"to", QString::fromStdString(FormatDate(DateOf(to)))},
                        {"days", entries}});
    } else {
        for (const CriticalDay& day : days)
            out << FormatDate(day.date) << ' ' << kCycleNames[day.cycle] << '\n';
    }
    return kExitOk;
}
