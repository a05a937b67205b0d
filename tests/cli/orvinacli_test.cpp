// Starts the real orvina-cli binary and checks what it prints and returns.
#include "clitestfolder.h"

#include <gtest/gtest.h>

#include <string>
#include <utility>
#include <vector>

namespace {

class OrvinaCli : public CliTestFolder {};

TEST_F(OrvinaCli, MonthPrintsOneLinePerDay)
{
    // `lines` holds line numbers and how those lines begin.
    const struct { const char* name, *birth, *month; size_t days; std::vector<std::pair<size_t, std::string>> lines; }
        rows[] = {
        // 1 June 1996 is a Saturday, 34850 days after 1 January 1901.
        {"June 1996", "1901-01-01", "1996-06", 30,
         {{0, "day\tweekday\tage\tphysical\temotional\tintellectual\tintuitional"}, {1, "1\tSa\t34850\t"},
          {30, "30\tSu\t34879\t"}}},
        // Born on the 1st of the month shown: day d is age d - 1.
        {"the month of the birth", "1996-06-01", "1996-06", 30,
         {{1, "1\tSa\t0\t0\t0\t0\t0"}, {2, "2\tSu\t1\t27\t22\t19\t16"}, {8, "8\tSa\t7\t94\t100\t97\t92"},
          {22, "22\tSa\t21\t-51\t-99\t-75\t-31"}}},
        {"before the birth", "2000-01-10", "2000-01", 31, {{1, "1\tSa\t-9\t"}}},
        {"February 2100 has 29 days", "1950-05-05", "2100-02", 29, {}},
        {"negative years", "-44-03-15", "-44-03", 31, {}},
        // A birth date whose day number is 0 or less draws no curves.
        {"no birth date", "0-0-0", "2000-01", 31, {{1, "1\tSa\t730516\t-\t-\t-\t-"}}},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.name);
        const CliRun run = Run({"month", row.birth, row.month});
        ASSERT_EQ(run.status, 0) << run.err;
        const auto lines = Lines(run.out);
        ASSERT_EQ(lines.size(), row.days + 1);
        for (const auto& [number, begins] : row.lines)
            EXPECT_EQ(lines[number].substr(0, begins.size()), begins);
    }
}

TEST_F(OrvinaCli, CompatPrintsOnePercentagePerCycle)
{
    const struct { const char* first, *second, *expected; } rows[] = {
        {"1900-01-01", "1982-02-20", "Physical 30\nEmotional 14\nIntellectual 21\nIntuitional 5\n"},
        {"2000-01-01", "2000-01-15", "Physical 22\nEmotional 0\nIntellectual 15\nIntuitional 27\n"},
        {"0-0-0", "2000-01-01", "Physical 0\nEmotional 0\nIntellectual 0\nIntuitional 0\n"},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(std::string(row.first) + " " + row.second);
        const CliRun run = Run({"compat", row.first, row.second});
        EXPECT_EQ(run.status, 0);
        EXPECT_EQ(run.out, row.expected);
    }
}

// The records before a fault are listed all the same; a Windows-1252 name
// comes out as UTF-8.
TEST_F(OrvinaCli, PeopleListsTheRecords)
{
    const std::vector<std::string> person = {"Jos\xE9", "1901", "01", "01"};
    WriteBytes("database.bio", DatabaseBytes({person}));
    const CliRun run = Run({"people"});
    EXPECT_EQ(run.status, 0) << run.err;
    EXPECT_EQ(run.out, "index\tname\tyear\tmonth\tday\n0\tJos\xC3\xA9\t1901\t01\t01\n");
    // The second of two records ends after its name, at byte 29 + 2 + 4.
    WriteBytes("cut.bio", DatabaseBytes({person, {"Bea", "1970", "01", "31"}}).substr(0, 35));
    EXPECT_EQ(Run({"people", "cut.bio"}).out, run.out);
}

// Bad arguments give the usage and 64; a missing file 1, a damaged one 2
// (render draws the people before the fault); a picture that cannot be
// written 73. Nothing is written but the picture.
TEST_F(OrvinaCli, ExitStatusesAndMessages)
{
    WriteBytes("cut.bio", DatabaseBytes({{"Ada", "1990", "05", "17"}, {"Bea", "1970", "01", "31"}}).substr(0, 34));
    WriteBytes("two.bio", DatabaseBytes({{"Ada", "1990", "05", "17"}, {"Bea", "1970", "01", "31"}}));
    WriteBytes("stub.bio", DatabaseBytes({{"Ada", "1990", "05", "17"}}).substr(0, 20));
    for (const char* name : {"full.pdf", "full.png", "full.svg"})
        std::filesystem::create_symlink("/dev/full", m_dir / name);
    const std::string usage = "usage: orvina-cli";
    const struct { std::vector<std::string> args; int status; std::string err; } rows[] = {
        {{}, 64, usage},
        {{"draw"}, 64, usage},
        {{"month", "1901-01-01"}, 64, usage},
        {{"month", "1901-01-01", "2000-13"}, 64, usage},
        {{"month", "+1901-01-01", "2000-01"}, 64, usage},
        {{"month", "99999999999-01-01", "2000-01"}, 64, usage},
        {{"compat", "1901-01-01", "1901--1-01"}, 64, usage},
        {{"people", "a.bio", "b.bio"}, 64, usage},
        {{"render"}, 64, usage},
        {{"render", "chart.txt"}, 64, usage},
        {{"render", "a.png", "b.png"}, 64, usage},
        {{"render", "a.png", "--size", "0x10"}, 64, usage},
        {{"render", "a.png", "--month", "2024"}, 64, usage},
        {{"render", "a.png", "--day", "0"}, 64, usage},
        {{"render", "a.png", "--person"}, 64, usage},
        {{"render", "a.png", "--colour", "red"}, 64, usage},
        {{"render", "a.png", "--database", ""}, 64, usage},
        {{"render", "a.png", "--database", "two.bio", "--person", "2"}, 64, "the list holds 2 people"},
        {{"render", "a.png", "--database", "two.bio", "--person", "-1"}, 64, "the list holds 2 people"},
        {{"render", "a.png", "--person", "1"}, 64, "the list holds 1 person"},
        {{"month", "1901-01-01", "2000-01", "--xml"}, 64, usage},
        {{"critical", "2000-01-01", "2000-01-01"}, 64, usage},
        {{"critical", "2000-01-01", "2000-01-02", "2000-01-01"}, 64, usage},
        {{"critical", "2000-01-01", "2000-01-01", "2100-01-01"}, 64, "longer than 100 years"},
        {{"critical", "0-01-01", "2000-01-01", "2000-01-02"}, 64, usage},
        {{"critical", "2000-01-01", "3999-12-31", "4000-01-01"}, 64, usage},
        {{"critical", "2000-01-01", "2000-01-01", "2000-01-02", "--json", "--ics"}, 64, usage},
        {{"people", "nowhere.bio"}, 1, "nowhere.bio: cannot open: "},
        {{"render", "a.png", "--database", "nowhere.bio"}, 1, "nowhere.bio: cannot open: "},
        {{"people", "cut.bio"}, 2, "cut.bio: damaged at byte 34: "},
        {{"render", "drawn.png", "--database", "cut.bio"}, 2, "cut.bio: damaged at byte 34: "},
        {{"render", "default.png", "--database", "stub.bio"}, 2, "stub.bio: damaged at byte "},
        {{"render", "no/such/folder/c.png"}, 73, "no/such/folder/c.png: cannot write the picture"},
        {{"render", "no/such/folder/c.pdf"}, 73, "no/such/folder/c.pdf: cannot write the picture"},
        {{"render", "full.pdf"}, 73, "full.pdf: cannot write the picture"},
        {{"render", "full.png"}, 73, "full.png: cannot write the picture"},
        {{"render", "full.svg"}, 73, "full.svg: cannot write the picture"},
    };
    for (const auto& row : rows) {
        std::string joined;
        for (const auto& arg : row.args)
            joined += arg + " ";
        SCOPED_TRACE(joined);
        const CliRun run = Run(row.args);
        EXPECT_EQ(run.status, row.status);
        EXPECT_NE(run.err.find(row.err), std::string::npos) << run.err;
        if (row.status == 64) {
            EXPECT_EQ(run.out, "");
        }
        EXPECT_FALSE(std::filesystem::exists(m_dir / "a.png"));
    }
    // A damaged database is neither replaced nor copied; its people are drawn.
    EXPECT_EQ(ReadFile(m_dir / "cut.bio").size(), 34u);
    EXPECT_FALSE(std::filesystem::exists(m_dir / "cut.bio.damaged"));
    EXPECT_TRUE(std::filesystem::exists(m_dir / "drawn.png"));
    EXPECT_TRUE(std::filesystem::is_symlink(m_dir / "full.pdf"));
}

// The version from the version data; every command's own usage on --help.
TEST_F(OrvinaCli, VersionAndHelp)
{
    EXPECT_EQ(Run({"--version"}).out, "orvina-cli 2.1.0.1 (Orvina 2.1, Quandrel)\n");
    for (const std::string command : {"month", "compat", "people", "critical", "render"}) {
        const CliRun run = Run({command, "--help"});
        EXPECT_EQ(run.status, 0);
        EXPECT_EQ(run.out.rfind("usage: orvina-cli " + command + " ", 0), 0u) << run.out;
        EXPECT_EQ(run.out.find("\n       orvina-cli"), std::string::npos) << run.out;
    }
}

}  // namespace
