// The per-day preparation and the four cycle curves with their legend samples.
#include "calc/cycles.h"
#include "chart_testing.h"

#include <gtest/gtest.h>

#include <array>
#include <vector>

namespace {

using namespace charttest;
using Segment = RecordingDC::Segment;

constexpr std::array<PenState, kCycleCount> kCurvePens = {
    kBlack,
    PenState{PenStyle::Dot, 1, Rgb{255, 0, 0}},
    PenState{PenStyle::DashDot, 1, Rgb{0, 0, 255}},
    PenState{PenStyle::Dash, 1, Rgb{0, 128, 0}},
};

// Chart-unit height of a cycle value: 430 x v / 100 truncated toward zero,
// in exact integer arithmetic.
int32_t HeightOf(int32_t value)
{
    return 430 * value / 100;
}

// Each day's segment runs from the middle of its column at the day's cycle
// value to the middle of the next at the next day's, in the cycle's pen; the
// cycle values come from the age counted on an independent calendar. Then
// comes the legend sample, 60 to 6 units left of the cycle's name and 30
// below the legend band's top (pixel 445).
TEST(Curves, JoinTheMiddlesOfTheDaysAtTheCycleValues)
{
    const struct {
        const char* name;
        CName person;
        int32_t year, month, days;
        std::array<int32_t, kCycleCount> legendX;  // where each sample starts; 0: not checked
    } rows[] = {
        {"June 2024", CName("A", "1990", "05", "17"), 2024, 6, 30, {52, 240, 440, 639}},
        {"February 2023", CName("A", "1990", "05", "17"), 2023, 2, 28, {}},
        {"month begins nine days before the birth", CName("B", "2024", "06", "10"), 2024, 6, 30, {}},
        {"birth text with blanks and junk", CName("C", " 1961", "+08", "4th"), 1999, 12, 31, {}},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.name);
        ChartSetup setup(row.year, row.month);
        *setup.app.m_names.At(0) = row.person;
        RecordingDC pass;
        setup.chart.Draw(pass);
        RecordingDC dc;
        setup.chart.DrawCurves(dc);
        EXPECT_TRUE(dc.IsDefaultPen(dc.CurrentPen()));

        const CName& born = row.person;
        const int64_t firstAge = DaysFromCivil(row.year, row.month, 1) -
                                 DaysFromCivil(std::stoi(born.m_year), std::stoi(born.m_month), std::stoi(born.m_day));
        const std::vector<Segment> segments = dc.Segments();
        const auto perCurve = static_cast<size_t>(row.days);  // the day segments and the legend sample
        ASSERT_EQ(segments.size(), kCycleCount * perCurve);
        const double pixelsPerUnit = 900.0 / (30.0 * row.days);
        for (int cycle = 0; cycle < kCycleCount; ++cycle) {
            for (int32_t day = 1; day < row.days; ++day) {
                const int32_t from = HeightOf(CycleValuesAt(static_cast<int32_t>(firstAge + day - 1))[cycle]);
                const int32_t to = HeightOf(CycleValuesAt(static_cast<int32_t>(firstAge + day))[cycle]);
                const Segment expected = {static_cast<int32_t>((30 * day - 15) * pixelsPerUnit), ScreenY(from),
                                          static_cast<int32_t>((30 * day + 15) * pixelsPerUnit), ScreenY(to),
                                          kCurvePens[cycle]};
                EXPECT_EQ(segments[cycle * perCurve + static_cast<size_t>(day - 1)], expected)
                    << "cycle " << cycle << " day " << day;
            }
            const int32_t x = row.legendX[cycle];
            if (x != 0) {
                EXPECT_EQ(segments[(cycle + 1) * perCurve - 1], (Segment{x, 445, x + 54, 445, kCurvePens[cycle]}))
                    << "legend " << cycle;
            }
        }
    }
}

// 430 v / 100 truncated toward zero, for each cycle; days outside 1 to 31
// are not stored.
TEST(DayPoints, StoreTheChartUnitHeightOfEachCycle)
{
    ChartSetup setup;
    RecordingDC dc;
    setup.chart.Draw(dc);
    CChart& chart = setup.chart;
    const struct { int32_t value, height; } rows[] = {
        {100, 430}, {99, 425}, {50, 215}, {1, 4}, {0, 0}, {-1, -4}, {-99, -425}};
    for (const auto& row : rows) {
        SCOPED_TRACE(row.value);
        chart.m_cycleValues.fill(row.value);
        setup.chart.StoreDayPoints(31);
        for (int cycle = 0; cycle < kCycleCount; ++cycle)
            EXPECT_EQ(chart.m_plot[cycle][31], row.height) << cycle;
    }
    const auto before = chart.m_plot;
    chart.m_cycleValues[kPhysical] = 77;
    for (int32_t day : {0, 32, -5})
        setup.chart.StoreDayPoints(day);
    EXPECT_EQ(chart.m_plot, before);
}

// Only the days of the month are prepared; without a positive day number on
// either side the curves keep the heights of the last preparation.
TEST(PrepareDays, RewritesOnlyTheDaysItCan)
{
    // Days 1 to `rewritten` are rewritten.
    const struct { const char* name; const char* birthYear; int32_t month, rewritten; } rows[] = {
        {"February 2023", "1990", 2, 28}, {"birth in year 0", "0", 6, 0}};
    for (const auto& row : rows) {
        SCOPED_TRACE(row.name);
        ChartSetup setup(2023, row.month);
        *setup.app.m_names.At(0) = CName("A", row.birthYear, "01", "01");
        for (auto& table : setup.chart.m_plot)
            table.fill(400);
        RecordingDC dc;
        setup.chart.Draw(dc);
        for (int cycle = 0; cycle < kCycleCount; ++cycle) {
            for (int32_t day = 1; day <= 31; ++day)
                EXPECT_EQ(setup.chart.m_plot[cycle][day] == 400, day > row.rewritten) << cycle << " " << day;
        }
        if (row.rewritten == 0) {
            RecordingDC curves;
            setup.chart.DrawCurves(curves);
            EXPECT_EQ(curves.Segments().front().y1, ScreenY(400));
        }
    }
}

TEST(PrepareDays, RepairsTheChosenPersonToTheFirstAndNamesTheDocument)
{
    const struct { const char* name; int32_t chosenIndex, shownIndex; } rows[] = {
        {"first", 0, 0}, {"last", 2, 2}, {"just beyond the list", 3, 0}, {"negative", -1, 0}};
    for (const auto& row : rows) {
        SCOPED_TRACE(row.name);
        ChartSetup setup;
        setup.app.m_names.Append(CName("Bea", "1970", "01", "31"));
        setup.app.m_names.Append(CName("Cyd", "2001", "09", "11"));
        setup.app.m_chosenIndex = row.chosenIndex;
        RecordingDC dc;
        setup.chart.Draw(dc);

        const CName& shown = *setup.app.m_names.At(row.shownIndex);
        EXPECT_EQ(setup.app.m_chosenIndex, row.shownIndex);
        EXPECT_EQ(setup.app.m_chosenPos, &shown);
        EXPECT_EQ(setup.doc.GetTitle(), shown.m_name);
        const int64_t age = DaysFromCivil(2024, 6, 1) -
                            DaysFromCivil(std::stoi(shown.m_year), std::stoi(shown.m_month), std::stoi(shown.m_day));
        EXPECT_EQ(setup.chart.m_plot[kEmotional][1], HeightOf(CycleValuesAt(static_cast<int32_t>(age))[kEmotional]));
    }
}

}  // namespace
