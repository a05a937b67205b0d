#include "cli/cliarguments.h"

#include <algorithm>
#include <charconv>
#include <ostream>

namespace {

struct CommandHelp {
    const char* name;
    const char* synopsis;
    const char* details;
};

constexpr CommandHelp kCommands[] = {
    {"month", "orvina-cli month BIRTHDATE YEAR-MONTH [--json]",
     "Prints the day, weekday, age in days and the four cycle values of each day of the month,\n"
     "one tab-separated line per day under a header line.\n"},
    {"compat", "orvina-cli compat DATE1 DATE2 [--json]",
     "Prints the four compatibility percentages of two birth dates.\n"},
    {"people", "orvina-cli people [FILE] [--json]",
     "Lists the records of database.bio of the current folder (or FILE): index, name, year,\n"
     "month and day, one tab-separated line per person under a header line.\n"},
    {"critical", "orvina-cli critical BIRTHDATE FROM TO [--json | --ics]",
     "Lists the critical days from FROM to TO (both included, at most 100 years apart, in the\n"
     "years 1 to 3999): one line per day and cycle, such as \"2026-12-03 Physical\". --ics writes\n"
     "an iCalendar file with one all-day event per critical day and cycle instead.\n"},
    {"render",
     "orvina-cli render OUT [--database FILE] [--person N] [--month YEAR-MONTH] [--day D]\n"
     "                      [--size WIDTHxHEIGHT]",
     "Draws the chart of a WIDTHxHEIGHT window (default 900x550) into OUT: a .png or .svg file\n"
     "gets the window's picture, a .pdf file the printed A4 page with its header. Defaults:\n"
     "database.bio of the current folder, person 0, today's month and day. N is an index into\n"
     "the list of people; D is 1 to 31; WIDTH and HEIGHT are 1 to 8192.\n"},
};

constexpr const char* kCommonNotes =
    "Dates are YEAR-MONTH-DAY, three decimal integers; the year may carry a leading '-'.\n"
    "--json writes one JSON document instead of the text. Every command takes --help;\n"
    "orvina-cli --version prints the version.\n"
    "Exit status: 0 done, 1 a missing file, 2 a damaged database (the records before the\n"
    "damage are still used), 64 bad arguments, 73 an output file that cannot be written.\n";

const CommandHelp* FindCommand(std::string_view name)
{
    const auto found = std::find_if(std::begin(kCommands), std::end(kCommands),
                                    [name](const CommandHelp& help) { return name == help.name; });
    return found == std::end(kCommands) ? nullptr : found;
}

}  // namespace

void WriteUsage(std::ostream& out)
{
    const char* lead = "usage: ";
    for (const CommandHelp& command : kCommands) {
        out << lead << command.synopsis << '\n';
        lead = "       ";
    }
    out << kCommonNotes;
}

bool WriteCommandUsage(std::ostream& out, std::string_view command)
{
    const CommandHelp* help = FindCommand(command);
    if (!help)
        return false;
    out << "usage: " << help->synopsis << '\n' << help->details << kCommonNotes;
    return true;
}

int Usage(std::ostream& err, std::string_view command, std::string_view problem)
{
    err << "orvina-cli: " << problem << '\n';
    if (!WriteCommandUsage(err, command))
        WriteUsage(err);
    return kExitUsage;
}

bool TakeFlag(std::vector<std::string>& args, std::string_view flag)
{
    const auto end = std::remove(args.begin(), args.end(), flag);
    const bool found = end != args.end();
    args.erase(end, args.end());
    return found;
}

std::optional<std::string> FirstOption(const std::vector<std::string>& args)
{
    for (size_t i = 1; i < args.size(); ++i) {
        if (args[i].rfind("--", 0) == 0)
            return args[i];
    }
    return std::nullopt;
}

std::optional<int32_t> ParseInt(std::string_view text)
{
    if (text.empty())
        return std::nullopt;
    int32_t value{};
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
    if (error != std::errc() || end != text.data() + text.size())
        return std::nullopt;
    return value;
}

std::optional<std::vector<int32_t>> ParseFields(std::string_view text, size_t count)
{
    std::vector<int32_t> fields;
    size_t start = 0;
    for (size_t i = 0; i < count; ++i) {
        const size_t searchFrom = (i == 0 && start < text.size() && text[start] == '-') ? start + 1 : start;
        const size_t dash = (i + 1 < count) ? text.find('-', searchFrom) : text.size();
        if (dash == std::string_view::npos)
            return std::nullopt;
        const std::string_view field = text.substr(start, dash - start);
        if (i > 0 && !field.empty() && field.front() == '-')
            return std::nullopt;
        const std::optional<int32_t> value = ParseInt(field);
        if (!value)
            return std::nullopt;
        fields.push_back(*value);
        start = dash + 1;
    }
    return fields;
}

std::optional<CDate> ParseDate(std::string_view text)
{
    const auto fields = ParseFields(text, 3);
    if (!fields)
        return std::nullopt;
    return CDate{(*fields)[0], (*fields)[1], (*fields)[2]};
}
