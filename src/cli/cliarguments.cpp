#include "cli/cliarguments.h"

#include <charconv>
#include <ostream>

const char* const kUsage =
    "usage: orvina-cli month BIRTHDATE YEAR-MONTH\n"
    "       orvina-cli compat DATE1 DATE2\n"
    "       orvina-cli people [FILE]\n"
    "       orvina-cli render OUT [--database FILE] [--person N] [--month YEAR-MONTH] [--day D]\n"
    "                             [--size WIDTHxHEIGHT]\n"
    "Dates are YEAR-MONTH-DAY, three decimal integers; the year may carry a leading '-'.\n"
    "render draws the chart of a WIDTHxHEIGHT window (default 900x550) into OUT: a .png file\n"
    "gets the window's picture, a .pdf file the printed A4 page with its header. Defaults:\n"
    "database.bio of the current folder, person 0, today's month and day. D is 1 to 31;\n"
    "WIDTH and HEIGHT are 1 to 8192.\n";

int Usage(std::ostream& err, std::string_view problem)
{
    err << "orvina-cli: " << problem << '\n' << kUsage;
    return kExitUsage;
}

std::optional<int32_t> ParseInt(std::string_view text)
{
    if (text.empty())
        return std::nullopt;
    int32_t value = 0;
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
