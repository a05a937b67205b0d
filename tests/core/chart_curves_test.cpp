// The per-day preparation and the four cycle curves with their legend samples.
#include "calc/cycles.h"
#include "chart_testing.h"
#include "platform/recordingdc.h"

#include <gtest/gtest.h>

#include <array>
#include <utility>
#include <vector>

namespace {

using charttest::ChartSetup;
using charttest::DaysFromCivil;
using Segment = RecordingDC::Segment;

constexpr std::array<PenState, kCycleCount> kCurvePens = {
    PenState{PenStyle::Solid, 1, Rgb{0, 0, 0}},
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

// Device y on the 900 x 550 frame.
int32_t DeviceY(int32_t height)
{
    return (430 - height) / 2;
}

// Runs a pass and returns what DrawCurves drew: the segments after the last
// text of DrawLabels.
std::vector<Segment> CurveSegments(const RecordingDC& dc)
{
    const auto& calls = dc.Calls();
    size_t start = 0;
    for (size_t i = 0; i < calls.size(); ++i) {
        if (calls[i].kind == DcCall::Kind::TextOut)
            start = i + 1;
    }
    std::vector<Segment> segments;
    for (size_t i = start; i < calls.size(); ++i) {
        if (calls[i].kind == DcCall::Kind::LineTo)
            segments.push_back(Segment{calls[i].fromX, calls[i].fromY, calls[i].x, calls[i].y, calls[i].pen});
    }
    return segments;
}

struct CurveRow {
    const char* name;
    const char* birthYear;
    const char* birthMonth;
    const char* birthDay;
    int32_t year;
    int32_t month;
    int32_t days;
};

class Curves : public ::testing::TestWithParam<CurveRow> {};

TEST_P(Curves, JoinTheMiddlesOfTheDaysAtTheCycleValues)
{
    const CurveRow& row = GetParam();
    ChartSetup setup(row.year, row.month);
    *setup.app.m_names.At(0) = CName("Someone", row.birthYear, row.birthMonth, row.birthDay);
    RecordingDC dc;
    setup.chart.Draw(dc);

    const int64_t firstAge = DaysFromCivil(row.year, row.month, 1) -
                             DaysFromCivil(std::stoi(row.birthYear), std::stoi(row.birthMonth), std::stoi(row.birthDay));
    const std::vector<Segment> segments = CurveSegments(dc);
    const size_t perCurve = static_cast<size_t>(row.days - 1) + 1;  // the segments and the legend sample
    ASSERT_EQ(segments.size(), kCycleCount * perCurve);

    // The frame is 30 x days units wide on 900 pixels.
    const double pixelsPerUnit = 900.0 / (30.0 * row.days);
    for (int cycle = 0; cycle < kCycleCount; ++cycle) {
        for (int32_t day = 1; day < row.days; ++day) {
            const Segment& s = segments[cycle * perCurve + static_cast<size_t>(day - 1)];
            const int32_t from = CycleValuesAt(static_cast<int32_t>(firstAge + day - 1))[cycle];
            const int32_t to = CycleValuesAt(static_cast<int32_t>(firstAge + day))[cycle];
            SCOPED_TRACE(::testing::Message() << "cycle " << cycle << " day " << day);
            EXPECT_EQ(s.x1, static_cast<int32_t>((15 + 30 * (day - 1)) * pixelsPerUnit));
            EXPECT_EQ(s.x2, static_cast<int32_t>((45 + 30 * (day - 1)) * pixelsPerUnit));
            EXPECT_EQ(s.y1, DeviceY(HeightOf(from)));
            EXPECT_EQ(s.y2, DeviceY(HeightOf(to)));
            EXPECT_EQ(s.pen, kCurvePens[cycle]);
        }
    }
}

INSTANTIATE_TEST_SUITE_P(Chart, Curves,
                         ::testing::Values(CurveRow{"June2024", "1990", "05", "17", 2024, 6, 30},
                                           CurveRow{"February2023", "1990", "05", "17", 2023, 2, 28},
                                           // The month begins nine days before the birth: negative ages.
                                           CurveRow{"BeforeTheBirth", "2024", "06", "10", 2024, 6, 30},
                                           CurveRow{"BirthTextWithBlanksAndJunk", " 1961", "+08", "4th", 1999, 12,
                                                    31}),
                         [](const ::testing::TestParamInfo<CurveRow>& info) { return std::string(info.param.name); });

TEST(Curves, EachLegendSampleStandsLeftOfItsCycleName)
{
    ChartSetup setup;
    RecordingDC dc;
    setup.chart.Draw(dc);
    const std::vector<Segment> segments = CurveSegments(dc);
    ASSERT_EQ(segments.size(), 4u * 30u);
    // x from (900 f - 60) to (900 f - 6), y at -460: pixel 445.
    const Segment expected[kCycleCount] = {
        {52, 445, 106, 445, kCurvePens[0]},
        {240, 445, 294, 445, kCurvePens[1]},
        {440, 445, 494, 445, kCurvePens[2]},
        {639, 445, 693, 445, kCurvePens[3]},
    };
    for (int cycle = 0; cycle < kCycleCount; ++cycle) {
        const Segment& s = segments[static_cast<size_t>(cycle) * 30 + 29];
        EXPECT_EQ(s.x1, expected[cycle].x1) << cycle;
        EXPECT_EQ(s.x2, expected[cycle].x2) << cycle;
        EXPECT_EQ(s.y1, expected[cycle].y1) << cycle;
        EXPECT_EQ(s.y2, expected[cycle].y2) << cycle;
        EXPECT_EQ(s.pen, expected[cycle].pen) << cycle;
    }
    // The three created pens are put back: the context holds its own pen again.
    EXPECT_TRUE(dc.IsDefaultPen(dc.CurrentPen()));
}

// 100 gives 430, 99 gives 425, 1 gives 4, -99 gives -425: 430 v / 100
// truncated, for every value of every cycle.
TEST(DayPoints, StoreTheChartUnitHeightOfEachCycle)
{
    ChartSetup setup;
    RecordingDC dc;
    setup.chart.Draw(dc);
    for (int32_t value = -99; value <= 100; ++value) {
        setup.app.m_physical = value;
        setup.app.m_emotional = -value;
        setup.app.m_intellectual = value / 2;
        setup.app.m_intuitional = value;
        setup.chart.StoreDayPoints(31);
        EXPECT_EQ(setup.app.m_plot[kPhysical][31], HeightOf(value)) << value;
        EXPECT_EQ(setup.app.m_plot[kEmotional][31], HeightOf(-value)) << value;
        EXPECT_EQ(setup.app.m_plot[kIntellectual][31], HeightOf(value / 2)) << value;
        EXPECT_EQ(setup.app.m_plot[kIntuitional][31], HeightOf(value)) << value;
    }
    const std::pair<int32_t, int32_t> examples[] = {{100, 430}, {99, 425}, {50, 215}, {1, 4}, {-1, -4}, {-99, -425}};
    for (const auto& [value, height] : examples) {
        setup.app.m_physical = value;
        setup.chart.StoreDayPoints(1);
        EXPECT_EQ(setup.app.m_plot[kPhysical][1], height) << value;
    }
}

TEST(DayPoints, IgnoreDaysOutsideTheTable)
{
    ChartSetup setup;
    setup.app.m_physical = 100;
    setup.chart.StoreDayPoints(0);
    setup.chart.StoreDayPoints(32);
    setup.chart.StoreDayPoints(-5);
    for (int32_t value : setup.app.m_plot[kPhysical])
        EXPECT_EQ(value, 0);
}

TEST(PrepareDays, RewritesOnlyTheDaysOfTheMonth)
{
    ChartSetup setup(2023, 2);
    for (auto& table : setup.app.m_plot)
        table.fill(777);
    RecordingDC dc;
    setup.chart.Draw(dc);
    for (int cycle = 0; cycle < kCycleCount; ++cycle) {
        EXPECT_NE(setup.app.m_plot[cycle][28], 777);
        for (int32_t day = 29; day <= 31; ++day)
            EXPECT_EQ(setup.app.m_plot[cycle][day], 777) << cycle << " " << day;
    }
}

TEST(PrepareDays, KeepsTheTablesWhenTheBirthHasNoPositiveDayNumber)
{
    // Year 0 gives day numbers of 0 and below.
    ChartSetup setup;
    *setup.app.m_names.At(0) = CName("Nobody", "0", "01", "01");
    for (auto& table : setup.app.m_plot)
        table.fill(100);
    RecordingDC dc;
    setup.chart.Draw(dc);
    for (const auto& table : setup.app.m_plot) {
        for (int32_t day = 1; day <= 31; ++day)
            EXPECT_EQ(table[day], 100);
    }
    // The curves then run flat at the old height.
    const std::vector<Segment> segments = CurveSegments(dc);
    ASSERT_FALSE(segments.empty());
    EXPECT_EQ(segments.front().y1, DeviceY(100));
    EXPECT_EQ(segments.front().y2, DeviceY(100));
}

struct PersonRow {
    const char* name;
    int32_t chosenIndex;
    int32_t shownIndex;
};

class ChosenPerson : public ::testing::TestWithParam<PersonRow> {};

TEST_P(ChosenPerson, IsRepairedToTheFirstWhenOutOfRangeAndNamesTheDocument)
{
    const PersonRow& row = GetParam();
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
    EXPECT_EQ(setup.chart.m_birthYear, std::stoi(shown.m_year));
    EXPECT_EQ(setup.chart.m_birthMonth, std::stoi(shown.m_month));
    EXPECT_EQ(setup.chart.m_birthDay, std::stoi(shown.m_day));

    const int64_t age = DaysFromCivil(2024, 6, 1) -
                        DaysFromCivil(setup.chart.m_birthYear, setup.chart.m_birthMonth, setup.chart.m_birthDay);
    EXPECT_EQ(setup.app.m_plot[kEmotional][1], HeightOf(CycleValuesAt(static_cast<int32_t>(age))[kEmotional]));
}

INSTANTIATE_TEST_SUITE_P(Chart, ChosenPerson,
                         ::testing::Values(PersonRow{"First", 0, 0}, PersonRow{"Last", 2, 2},
                                           PersonRow{"JustBeyondTheList", 3, 0}, PersonRow{"FarBeyond", 1000, 0},
                                           PersonRow{"Negative", -1, 0}),
                         [](const ::testing::TestParamInfo<PersonRow>& info) { return std::string(info.param.name); });

TEST(PrepareDays, LabelsEachDayWithItsWeekdayFromTheFirst)
{
    ChartSetup setup;  // June 2024 begins on a Saturday
    RecordingDC dc;
    setup.chart.Draw(dc);
    const std::vector<std::string> week = {"Sa", "Su", "Mo", "Tu", "We", "Th", "Fr"};
    ASSERT_EQ(setup.chart.m_dayLabels.size(), 30u);
    for (size_t i = 0; i < 30; ++i)
        EXPECT_EQ(setup.chart.m_dayLabels[i], week[i % 7]) << i;
}

}  // namespace
