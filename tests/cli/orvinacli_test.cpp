// Starts the real orvina-cli binary and checks what it prints and returns.
#include "calc/cycles.h"
#include "clitestfolder.h"

#include <gtest/gtest.h>

#include <sstream>
#include <string>
#include <vector>

namespace {

class OrvinaCli : public CliTestFolder {};

std::vector<std::string> Lines(const std::string& text)
{
    std::vector<std::string> lines;
    std::istringstream in(text);
    for (std::string line; std::getline(in, line);)
        lines.push_back(line);
    return lines;
}

// The file of one default person, as the program writes it.
const std::string kDefaultFile("\x01\x00\xFF\xFF\x00\x00\x05\x00" "CName"
                               "\x08" "New Name" "\x04" "1901" "\x02" "01" "\x02" "01",
                               33);

TEST_F(OrvinaCli, MonthPrintsHeaderAndOneLinePerDay)
{
    const CliRun run = Run({"month", "1901-01-01", "1996-06"});
    ASSERT_EQ(run.status, 0) << run.err;
    const auto lines = Lines(run.out);
    ASSERT_EQ(lines.size(), 31u);
    EXPECT_EQ(lines[0], "day weekday age physical emotional intellectual intuitional");
    // 1 June 1996 is a Saturday, 34850 days after 1 January 1901.
    std::istringstream first(lines[1]);
    int day = 0;
    std::string weekday;
    int age = 0;
    first >> day >> weekday >> age;
    EXPECT_EQ(day, 1);
    EXPECT_EQ(weekday, "Sa");
    EXPECT_EQ(age, 34850);
    EXPECT_EQ(lines[2].substr(0, 5), "2 Su ");
    EXPECT_EQ(lines[30].substr(0, 9), "30 Su 348");
}

TEST_F(OrvinaCli, MonthValuesFollowTheAgeInDays)
{
    // Born on the 1st of the month shown: day d is age d - 1.
    const CliRun run = Run({"month", "1996-06-01", "1996-06"});
    ASSERT_EQ(run.status, 0) << run.err;
    const auto lines = Lines(run.out);
    ASSERT_EQ(lines.size(), 31u);
    EXPECT_EQ(lines[1], "1 Sa 0 0 0 0 0");
    EXPECT_EQ(lines[2], "2 Su 1 27 22 19 16");
    EXPECT_EQ(lines[8], "8 Sa 7 94 100 97 92");
    EXPECT_EQ(lines[13].substr(0, 13), "13 Th 12 -13 ");
    EXPECT_EQ(lines[22], "22 Sa 21 -51 -99 -75 -31");
    for (size_t i = 1; i < lines.size(); ++i) {
        std::istringstream row(lines[i]);
        int day = 0, age = 0;
        std::string weekday;
        CycleValues printed{};
        row >> day >> weekday >> age >> printed[0] >> printed[1] >> printed[2] >> printed[3];
        EXPECT_EQ(printed, CycleValuesAt(age)) << lines[i];
    }
}

TEST_F(OrvinaCli, MonthLengthFollowsTheFebruaryRule)
{
    const struct {
        const char* month;
        size_t days;
    } rows[] = {{"2000-02", 29}, {"1996-02", 29}, {"1999-02", 28}, {"1900-02", 29},
                {"2100-02", 29}, {"2001-04", 30}, {"2001-12", 31}};
    for (const auto& row : rows) {
        const CliRun run = Run({"month", "1950-05-05", row.month});
        ASSERT_EQ(run.status, 0) << row.month;
        EXPECT_EQ(Lines(run.out).size(), row.days + 1) << row.month;
    }
}

TEST_F(OrvinaCli, MonthBeforeBirthHasNegativeAgesAndNoDayNumbersNoCurves)
{
    const auto before = Lines(Run({"month", "2000-01-10", "2000-01"}).out);
    ASSERT_GE(before.size(), 2u);
    EXPECT_EQ(before[1].substr(0, 8), "1 Sa -9 ");

    // A birth date whose day number is 0 or less draws no curves.
    const auto empty = Lines(Run({"month", "0-0-0", "2000-01"}).out);
    ASSERT_EQ(empty.size(), 32u);
    EXPECT_EQ(empty[1].substr(empty[1].size() - 8), " - - - -");
}

TEST_F(OrvinaCli, CompatPrintsOnePercentagePerCycle)
{
    const struct {
        const char* first;
        const char* second;
        const char* expected;
    } rows[] = {
        {"1900-01-01", "1982-02-20", "Physical 30\nEmotional 14\nIntellectual 21\nIntuitional 5\n"},
        {"1982-02-20", "1900-01-01", "Physical 30\nEmotional 14\nIntellectual 21\nIntuitional 5\n"},
        {"1970-07-07", "1970-07-07", "Physical 100\nEmotional 100\nIntellectual 100\nIntuitional 100\n"},
        {"2000-01-01", "2000-01-15", "Physical 22\nEmotional 0\nIntellectual 15\nIntuitional 27\n"},
        {"1999-12-31", "2000-01-01", "Physical 91\nEmotional 92\nIntellectual 93\nIntuitional 95\n"},
        {"0-0-0", "2000-01-01", "Physical 0\nEmotional 0\nIntellectual 0\nIntuitional 0\n"},
    };
    for (const auto& row : rows) {
        const CliRun run = Run({"compat", row.first, row.second});
        EXPECT_EQ(run.status, 0) << row.first << " " << row.second;
        EXPECT_EQ(run.out, row.expected) << row.first << " " << row.second;
    }
}

TEST_F(OrvinaCli, PeopleListsTheRecordsOfTheDatabase)
{
    WriteBytes("database.bio", kDefaultFile);
    const CliRun run = Run({"people"});
    EXPECT_EQ(run.status, 0) << run.err;
    EXPECT_EQ(run.out, "0\tNew Name\t1901\t01\t01\n");

    WriteBytes("other.bio", kDefaultFile);
    EXPECT_EQ(Run({"people", "other.bio"}).out, "0\tNew Name\t1901\t01\t01\n");
}

TEST_F(OrvinaCli, PeopleReportsDamagedAndMissingFiles)
{
    // The second of two records ends after its name.
    std::string twoRecords = kDefaultFile;
    twoRecords[0] = '\x02';
    twoRecords += std::string("\x01\x80\x08" "New Name", 11);
    WriteBytes("database.bio", twoRecords);
    const CliRun damaged = Run({"people"});
    EXPECT_EQ(damaged.status, 2);
    EXPECT_EQ(damaged.out, "0\tNew Name\t1901\t01\t01\n");
    EXPECT_EQ(damaged.err.rfind("database.bio: damaged at byte 44: ", 0), 0u) << damaged.err;

    const CliRun missing = Run({"people", "nowhere.bio"});
    EXPECT_EQ(missing.status, 1);
    EXPECT_EQ(missing.out, "");
    EXPECT_NE(missing.err.find("nowhere.bio"), std::string::npos);
}

TEST_F(OrvinaCli, BadArgumentsGiveUsageAndStatus64)
{
    const std::vector<std::vector<std::string>> rows = {
        {},
        {"draw"},
        {"month", "1901-01-01"},
        {"month", "1901-01", "2000-01"},
        {"month", "1901-x-01", "2000-01"},
        {"month", "1901-01-01", "2000-13"},
        {"month", "1901-01-01", "2000-0"},
        {"month", "+1901-01-01", "2000-01"},
        {"month", "1901-01-01", "2000-01-01"},
        {"month", "99999999999-01-01", "2000-01"},
        {"compat", "1901-01-01"},
        {"compat", "1901-01-01", "1901--1-01"},
        {"people", "a.bio", "b.bio"},
    };
    for (const auto& args : rows) {
        const CliRun run = Run(args);
        std::string joined;
        for (const auto& arg : args)
            joined += arg + " ";
        EXPECT_EQ(run.status, 64) << joined;
        EXPECT_NE(run.err.find("usage: orvina-cli"), std::string::npos) << joined;
        EXPECT_EQ(run.out, "") << joined;
    }
}

TEST_F(OrvinaCli, NegativeYearsAreAccepted)
{
    const CliRun run = Run({"month", "-44-03-15", "-44-03"});
    EXPECT_EQ(run.status, 0) << run.err;
    EXPECT_EQ(Lines(run.out).size(), 32u);
}

}  // namespace
