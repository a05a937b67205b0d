// The day readout: a chosen person's day against values worked out apart
// from the program (Python's calendar and sine), and the day under a column.
#include "chart/dayreadout.h"
#include "chart_testing.h"

#include <gtest/gtest.h>

namespace {

using namespace charttest;

TEST(DayReadout, TellsTheDayAsTheChartDrawsIt)
{
    const struct {
        const char* name;
        CName person;
        int32_t year, month, day;
        const char* expected;  // nullptr: no readout
    } rows[] = {
        {"no critical cycle", CName("Ada", "1990", "05", "17"), 2024, 6, 15, "Sa 15 Jun 2024  age 12448  P 98  E -42  I 97  U -47"},
        {"first day", CName("Ada", "1990", "05", "17"), 2024, 6, 1, "Sa 1 Jun 2024  age 12434  P -62  E 43  I -96  U 97"},
        {"critical after a positive value", CName("Ada", "1990", "05", "17"), 2024, 6, 21,
         "Fr 21 Jun 2024  age 12454  P 14  E -96  I 62  U -99  critical: P"},
        {"three critical cycles", CName("Ada", "1990", "05", "17"), 2026, 6, 4,
         "Th 4 Jun 2026  age 13167  P 14  E 100  I 0  U 0  critical: P, I, U"},
        {"birth day", CName("Ada", "1990", "05", "17"), 1990, 5, 17, "Th 17 May 1990  age 0  P 0  E 0  I 0  U 0  critical: P, E, I, U"},
        {"before birth", CName("Cy", "2030", "01", "01"), 2024, 6, 15, "Sa 15 Jun 2024  age -2026  P -51  E -77  I -61  U -91"},
        {"a birth date without a day number", CName("Zero", "0", "01", "01"), 2024, 6, 15, "Sa 15 Jun 2024"},
        {"the 31st of a 30-day month", CName("Ada", "1990", "05", "17"), 2024, 6, 31, nullptr},
        {"day 0", CName("Ada", "1990", "05", "17"), 2024, 6, 0, nullptr},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.name);
        ChartSetup setup(row.year, row.month, row.day);
        setup.app.m_names.Clear();
        setup.app.m_names.Append(row.person);
        RecordingDC dc;
        setup.chart.Draw(dc);
        const std::optional<CDayReadout> drawn = CDayReadout::Read(setup.chart, row.day);
        ASSERT_EQ(drawn.has_value(), row.expected != nullptr);
        if (!drawn)
            continue;
        EXPECT_EQ(drawn->Text(), row.expected);
        // The values are the plotted ones, and a month prepared without a
        // paint reads the same.
        for (int cycle = 0; drawn->m_hasValues && cycle < kCycleCount; ++cycle)
            EXPECT_EQ(setup.chart.m_plot[cycle][row.day], static_cast<int32_t>(430.0 * drawn->m_values[cycle] * 0.01));
        setup.chart.PrepareMonth();
        EXPECT_EQ(CDayReadout::Read(setup.chart, row.day)->Text(), row.expected);
    }
}

// June 2024 on the 900 x 550 view: one device pixel per chart unit.
TEST(DayReadout, DayUnderAColumn)
{
    const struct { int32_t x; int32_t day; } rows[] = {{0, 1}, {29, 1}, {30, 2}, {899, 30}, {900, 0}, {-1, 0}};
    ChartSetup setup;
    EXPECT_EQ(CDayReadout::DayUnder(setup.chart, 100), 0) << "before the first pass";
    RecordingDC dc;
    setup.chart.Draw(dc);
    for (const auto& row : rows)
        EXPECT_EQ(CDayReadout::DayUnder(setup.chart, row.x), row.day) << row.x;
}

}  // namespace
