// The chart's drawing pass on a client where one chart unit is one pixel, so
// that every position is checked to the pixel, against a calendar and a sine
// of the test's own: the frame, grid, labels, curves, day selection, printed
// page, navigation and day readout.
#include "calc/cycles.h"
#include "chart/chart.h"
#include "chart/daynavigation.h"
#include "chart/dayreadout.h"
#include "people/appdata.h"
#include "people/ovixdoc.h"
#include "platform/recordingdc.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <set>
#include <string>
#include <vector>

namespace {

using Segment = RecordingDC::Segment;
using Text = RecordingDC::Text;

constexpr PenState kBlack{PenStyle::Solid, 1, Rgb{0, 0, 0}};  // also every context's own pen
constexpr PenState kLight{PenStyle::Solid, 1, Rgb{225, 225, 225}};
constexpr PenState kSolidGrey{PenStyle::Solid, 1, Rgb{128, 128, 128}};
constexpr PenState kDottedGrey{PenStyle::Dot, 1, Rgb{128, 128, 128}};

// Chart-unit heights of the rules and bands below the curves.
constexpr int32_t kCurveBottom = -430, kLegendBottom = -490, kDayNumberBottom = -610, kBottom = -670;

// The chart spans 30 units a day across and 430 above to 670 below the zero
// line; on a client of 30 pixels a day by 1100 one unit is one pixel, and
// chart-unit height y lies at device y Y(y). A cycle value v is 430 x v / 100
// units high, truncated toward zero.
DcRect UnitClient(int32_t days = 30) { return DcRect{0, 0, 30 * days, 1100}; }
constexpr int32_t Y(int32_t y) { return 430 - y; }
int32_t HeightOf(int32_t value) { return 430 * value / 100; }

// Days from 1 January 1970 to a proleptic Gregorian date, apart from the
// program's own day numbers.
int64_t DaysFromCivil(int64_t year, int64_t month, int64_t day)
{
    year -= month <= 2 ? 1 : 0;
    const int64_t era = (year >= 0 ? year : year - 399) / 400;
    const int64_t yearOfEra = year - era * 400;
    const int64_t dayOfYear = (153 * (month + (month > 2 ? -3 : 9)) + 2) / 5 + day - 1;
    return era * 146097 + yearOfEra * 365 + yearOfEra / 4 - yearOfEra / 100 + dayOfYear - 719468;
}

int64_t AgeOn(int32_t year, int32_t month, int32_t day, const CName& born)
{
    return DaysFromCivil(year, month, day) -
           DaysFromCivil(std::stoi(born.m_year), std::stoi(born.m_month), std::stoi(born.m_day));
}

// The application's data, the document and the chart of one paint; June 2024
// has 30 days and begins on a Saturday.
struct ChartSetup {
    explicit ChartSetup(int32_t year = 2024, int32_t month = 6, int32_t day = 15, DcRect client = UnitClient())
    {
        app.m_names.Append(CName("Ada Byron", "1990", "05", "17"));
        doc.InitMonthLengths();
        chart.OnInitialUpdate();
        chart.m_year = year;
        chart.m_month = month;
        chart.m_day = day;
        chart.SetClientRect(client);
    }
    CAppData app;
    COvixDoc doc{app};
    CChart chart{app, doc};
};

void ExpectLines(const RecordingDC& dc, const std::vector<Segment>& expected)
{
    const std::vector<Segment> lines = dc.Segments();
    ASSERT_EQ(lines.size(), expected.size());
    for (size_t i = 0; i < lines.size(); ++i)
        EXPECT_EQ(lines[i], expected[i]) << "line " << i;
    EXPECT_TRUE(dc.IsDefaultPen(dc.CurrentPen()));  // every step puts back the pen it found
}

TEST(ChartLayout, MapsChartUnitsOntoPixelsAndFillsTheBackgroundFirst)
{
    ChartSetup setup;
    EXPECT_EQ(setup.chart.WorldToDeviceX(450.0), 0);  // before any pass, the origin
    EXPECT_EQ(setup.chart.DeviceToWorldY(100.0), 0);
    RecordingDC dc;
    const int fonts = CFont::LiveCount(), pens = CPen::LiveCount();
    setup.chart.Draw(dc);
    EXPECT_EQ(CFont::LiveCount(), fonts);
    EXPECT_EQ(CPen::LiveCount(), pens);
    const struct { double in; int32_t x, y; } rows[] = {{0.0, 0, 430}, {30.0, 30, 400}, {430.0, 430, 0},
        {-0.5, 0, 430} /* truncated toward zero, not down */, {0.5, 0, 429}, {900.0, 900, -470}, {-670.0, -670, 1100}};
    for (const auto& row : rows) {
        SCOPED_TRACE(row.in);
        EXPECT_EQ(setup.chart.WorldToDeviceX(row.in), row.x);
        EXPECT_EQ(setup.chart.WorldToDeviceY(row.in), row.y);
        EXPECT_EQ(setup.chart.DeviceToWorldX(row.in), row.x);
        EXPECT_EQ(setup.chart.DeviceToWorldY(row.in), row.y);
    }
    // A client whose corner is not the device origin carries every point with it.
    ChartSetup moved(2024, 6, 15, DcRect{100, 50, 1000, 1150});
    RecordingDC movedDc;
    moved.chart.Draw(movedDc);
    for (const int32_t at : {0, 30, 430, 900, -670}) {
        EXPECT_EQ(moved.chart.WorldToDeviceX(at), at + 100);
        EXPECT_EQ(moved.chart.WorldToDeviceY(at), 430 - at + 50);
        EXPECT_EQ(moved.chart.DeviceToWorldX(at + 100), at);
        EXPECT_EQ(moved.chart.DeviceToWorldY(at + 50), 430 - at);
    }
    const auto& calls = dc.Calls();
    ASSERT_GE(calls.size(), 3u);
    EXPECT_TRUE(calls[0].kind == DcCall::Kind::SetBkMode && calls[0].transparent);
    ASSERT_EQ(calls[1].kind, DcCall::Kind::FillRect);
    EXPECT_TRUE(calls[1].rect.left == 0 && calls[1].rect.top == 0 && calls[1].rect.right == 900 &&
                calls[1].rect.bottom == 1100);
    EXPECT_EQ(calls[1].color, (Rgb{192, 192, 192}));
    EXPECT_EQ(1, std::count_if(calls.begin(), calls.end(),
                               [](const DcCall& call) { return call.kind == DcCall::Kind::FillRect; }));
}

// A minimised window, a collapsed splitter, a printer that reports no width
// or a month without days gets no pass at all, and the last frame stays.
TEST(ChartLayout, NothingToDrawOnDrawsNothing)
{
    const struct { DcRect client; int32_t month; bool printing; } rows[] = {{DcRect{0, 0, 0, 550}, 6, false},
        {DcRect{0, 0, 900, 0}, 6, false}, {DcRect{0, 0, -5, -5}, 6, false}, {UnitClient(), 6, true},
        {UnitClient(), 13, false}};
    for (const auto& row : rows) {
        ChartSetup setup;
        RecordingDC first;
        setup.chart.Draw(first);
        setup.chart.SetClientRect(row.client);
        setup.chart.m_month = row.month;
        if (row.printing)
            setup.chart.BeginPrinting();
        RecordingDC dc(0);
        setup.chart.Draw(dc);
        EXPECT_TRUE(dc.Calls().empty()) << row.client.right << " " << row.month;
        EXPECT_EQ(setup.chart.WorldToDeviceX(900.0), 900);
    }
}

// The horizontal rules, then every boundary from left to right, the selected
// day's two boundaries as a light line with a black one 3 units to its right;
// the left edge runs on down to the bottom.
TEST(Grid, DrawsEveryLineWithItsPen)
{
    for (const int32_t day : {15, 1, 30, 31}) {
        SCOPED_TRACE(day);
        std::vector<Segment> expected;
        for (const auto& [y, pen] : {std::pair{0, kBlack}, {kCurveBottom, kLight}, {kCurveBottom + 2, kBlack},
                                     {kLegendBottom, kBlack}, {kDayNumberBottom + 2, kLight},
                                     {kDayNumberBottom, kBlack}})
            expected.push_back({0, Y(y), 900, Y(y), pen});
        auto boundary = [&expected](int32_t x, PenState pen) {
            expected.push_back({x, Y(430), x, Y(kCurveBottom), pen});
            expected.push_back({x, Y(kLegendBottom), x, Y(kDayNumberBottom), pen});
        };
        for (int32_t k = 0; k <= 30; ++k) {
            const bool framed = k == day - 1 || k == day;
            if (framed) {
                boundary(30 * k, kLight);
                boundary(30 * k + 3, kBlack);
            } else {
                boundary(30 * k, k == 0 ? kSolidGrey : kDottedGrey);
            }
            if (k == 0)
                expected.push_back({0, Y(kCurveBottom), 0, Y(kBottom), framed ? kBlack : kSolidGrey});
        }
        ChartSetup setup(2024, 6, day);
        RecordingDC pass, dc;
        setup.chart.Draw(pass);
        setup.chart.DrawGrid(dc);
        ExpectLines(dc, expected);
    }
    ChartSetup setup;  // before any pass the day width is 0: the boundary walk must not loop
    RecordingDC dc;
    setup.chart.DrawGrid(dc);
    EXPECT_EQ(dc.Segments().size(), 6u);
}

// Cycle names at 900 x fraction across, 3 units below the legend band's top
// (0.7777777777777777 falls just short of 700); day numbers "%2d" and weekday
// labels 4 units into each column; the title in the first.
TEST(Labels, StandInTheirBands)
{
    const struct { int32_t year, month; size_t days; const char* title; } months[] = {{2024, 6, 30, "June 2024"},
        {2023, 2, 28, "February 2023"}, {2024, 7, 31, "July 2024"}, {999, 12, 31, "December  999"},
        {12345, 9, 30, "September 12345"}, {-44, 3, 31, "March  -44"}};
    const char* names[] = {"Physical", "Emotional", "Intellectual", "Intuitional"};
    const int32_t nameX[] = {112, 300, 500, 699};
    const char* week[] = {"Su", "Mo", "Tu", "We", "Th", "Fr", "Sa"};
    for (const auto& month : months) {
        SCOPED_TRACE(month.title);
        ChartSetup setup(month.year, month.month, 15, UnitClient(static_cast<int32_t>(month.days)));
        RecordingDC dc;
        setup.chart.Draw(dc);
        const std::vector<Text> texts = dc.Texts();
        ASSERT_EQ(texts.size(), 4u + 2 * month.days + 1u);
        for (size_t i = 0; i < 4; ++i) {
            EXPECT_EQ(texts[i].text, names[i]);
            EXPECT_EQ(texts[i].y, Y(kCurveBottom - 3));
            if (month.days == 30) {
                EXPECT_EQ(texts[i].x, nameX[i]) << names[i];
            }
        }
        const int64_t firstWeekday = (DaysFromCivil(month.year, month.month, 1) % 7 + 11) % 7;  // 1.1.1970: Th
        for (size_t day = 1; day <= month.days; ++day) {
            const Text& number = texts[3 + day];
            const Text& weekday = texts[3 + month.days + day];
            EXPECT_EQ(number.text, (day < 10 ? " " : "") + std::to_string(day));
            EXPECT_EQ(weekday.text, week[(static_cast<size_t>(firstWeekday) + day - 1) % 7]) << day;
            EXPECT_EQ(number.x, 4 + 30 * static_cast<int32_t>(day - 1));
            EXPECT_EQ(weekday.x, number.x);
            EXPECT_EQ(number.y, Y(-551));
            EXPECT_EQ(weekday.y, Y(kLegendBottom - 4));
        }
        EXPECT_EQ(texts.back().text, month.title);
        EXPECT_EQ(texts.back().x, 4);
        EXPECT_EQ(texts.back().y, Y(kDayNumberBottom - 3));
    }
}

TEST(Labels, FontFollowsTheWindowOnScreenAndIsFixedOnPaper)
{
    const struct { DcRect client; int32_t month; bool printing; int32_t height, width; } rows[] = {
        {DcRect{0, 0, 900, 550}, 6, false, 25, 8},    // 550 / 430 x 20 = 25.6 and 900 / 900 x 8
        {DcRect{0, 0, 930, 600}, 7, false, 27, 8},    // 600 / 430 x 20 = 27.9 and 930 / 930 x 8
        {DcRect{0, 0, 1000, 860}, 2, false, 40, 9},   // 860 / 430 x 20 = 40 and 1000 / 840 x 8 = 9.5
        {DcRect{0, 0, 100, 20}, 6, false, 0, 0},      // too small for the formulas: the default size
        {DcRect{0, 0, 1800, 400}, 7, true, 80, 26},   // paper
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.height);
        ChartSetup setup(2023, row.month, 15, row.client);
        if (row.printing)
            setup.chart.BeginPrinting();
        RecordingDC dc(2400);
        setup.chart.Draw(dc);
        ASSERT_FALSE(dc.Texts().empty());
        for (const Text& text : dc.Texts())
            EXPECT_EQ(text.font, (FontState{row.height, row.width, 400, "Modern"})) << text.text;
        EXPECT_TRUE(dc.IsDefaultFont(dc.CurrentFont()));
    }
}

// Each day's segment runs from the middle of its column at the day's cycle
// value to the middle of the next at the next day's, in the cycle's pen, the
// values from the age on an independent calendar and a reference sine; then
// the legend sample, 60 to 6 units left of the cycle's name, 30 below the
// legend band's top.
TEST(Curves, JoinTheMiddlesOfTheDaysAtTheCycleValues)
{
    const std::array<PenState, kCycleCount> pens = {kBlack, PenState{PenStyle::Dot, 1, Rgb{255, 0, 0}},
                                                    PenState{PenStyle::DashDot, 1, Rgb{0, 0, 255}},
                                                    PenState{PenStyle::Dash, 1, Rgb{0, 128, 0}}};
    // B begins nine days before the birth; C has blanks and junk in the birth text.
    const struct { CName person; int32_t year, month, days; std::array<int32_t, kCycleCount> legendX; } rows[] = {
        {CName("A", "1990", "05", "17"), 2024, 6, 30, {52, 240, 440, 639}},
        {CName("A", "1990", "05", "17"), 2023, 2, 28, {}},
        {CName("B", "2024", "06", "10"), 2024, 6, 30, {}}, {CName("C", " 1961", "+08", "4th"), 1999, 12, 31, {}}};
    for (const auto& row : rows) {
        SCOPED_TRACE(row.person.m_name + std::to_string(row.month));
        ChartSetup setup(row.year, row.month, 15, UnitClient(row.days));
        *setup.app.m_names.At(0) = row.person;
        RecordingDC pass, dc;
        setup.chart.Draw(pass);
        setup.chart.DrawCurves(dc);
        const int64_t firstAge = AgeOn(row.year, row.month, 1, row.person);
        const std::vector<Segment> drawn = dc.Segments();
        const auto perCurve = static_cast<size_t>(row.days);  // the day segments and the legend sample
        ASSERT_EQ(drawn.size(), kCycleCount * perCurve);
        for (int cycle = 0; cycle < kCycleCount; ++cycle) {
            const auto y = [&](int32_t day) {
                return Y(HeightOf(CycleValuesAt(static_cast<int32_t>(firstAge + day - 1))[cycle]));
            };
            for (int32_t day = 1; day < row.days; ++day) {
                EXPECT_EQ(drawn[cycle * perCurve + static_cast<size_t>(day - 1)],
                          (Segment{30 * day - 15, y(day), 30 * day + 15, y(day + 1), pens[cycle]}))
                    << "cycle " << cycle << " day " << day;
            }
            const int32_t x = row.legendX[cycle];
            if (x != 0) {
                EXPECT_EQ(drawn[(cycle + 1) * perCurve - 1], (Segment{x, Y(-460), x + 54, Y(-460), pens[cycle]}));
            }
        }
        EXPECT_TRUE(dc.IsDefaultPen(dc.CurrentPen()));
    }
}

// The chosen person, repaired to the first when out of range, names the
// document and gives the curves. Only the days of the month are prepared;
// without a positive day number the curves keep the heights of the last
// preparation; days outside 1 to 31 are never stored.
TEST(PrepareDays, TakesTheChosenPersonAndRewritesOnlyTheDaysItCan)
{
    constexpr int32_t kUnset = INT32_MIN;  // as a fresh application has it
    const struct { int32_t chosenIndex, shownIndex, month, rewritten; const char* birthYear; } rows[] = {
        {0, 0, 2, 28, nullptr}, {2, 2, 6, 30, nullptr}, {3, 0, 6, 30, nullptr}, {-1, 0, 6, 30, nullptr},
        {kUnset, 0, 6, 30, nullptr}, {0, 0, 6, 0, "-1"},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.chosenIndex);
        ChartSetup setup(2023, row.month);
        setup.app.m_names.Append(CName("Bea", "1970", "01", "31"));
        setup.app.m_names.Append(CName("Cyd", "2001", "09", "11"));
        if (row.birthYear)
            setup.app.m_names.At(0)->m_year = row.birthYear;
        if (row.chosenIndex != kUnset)
            setup.app.Choose(row.chosenIndex);
        for (auto& table : setup.chart.m_plot)
            table.fill(400);
        RecordingDC dc;
        setup.chart.Draw(dc);
        const CName& shown = *setup.app.m_names.At(row.shownIndex);
        EXPECT_EQ(setup.app.ChosenIndex(), row.shownIndex);
        EXPECT_EQ(setup.app.ChosenPerson(), &shown);
        EXPECT_EQ(setup.doc.GetTitle(), shown.m_name);
        const int64_t age = AgeOn(2023, row.month, 1, shown);
        for (int cycle = 0; cycle < kCycleCount; ++cycle) {
            for (int32_t day = 1; day <= 31; ++day) {
                const int32_t drawn = HeightOf(CycleValuesAt(static_cast<int32_t>(age + day - 1))[cycle]);
                EXPECT_EQ(setup.chart.m_plot[cycle][day], day > row.rewritten ? 400 : drawn) << cycle << " " << day;
            }
        }
        const auto before = setup.chart.m_plot;
        setup.chart.m_cycleValues[kPhysical] = 77;
        for (int32_t day : {0, 32, -5})
            setup.chart.StoreDayPoints(day);
        EXPECT_EQ(setup.chart.m_plot, before);
    }
}

// After one paint with day 20 selected a release selects the day under the
// press and draws the four rules in the context's pen, then every boundary,
// black for the pressed column's edges, the left edge solid grey over the full
// height unless it is black, the others dotted.
TEST(SelectDay, SelectsTheColumnOfThePressAndDrawsItsEdges)
{
    // Each row: device x of the press (-1: none), printing, the day selected
    // afterwards and the boundaries drawn black. A press on a boundary belongs
    // to the column that starts there; right of the chart no day is selected
    // and the right edge starts the column that would follow.
    const struct { int32_t pressX; bool printing; int32_t day; std::set<int32_t> black; } rows[] = {
        {140, false, 5, {4, 5}}, {0, false, 1, {0, 1}}, {29, false, 1, {0, 1}}, {150, false, 6, {5, 6}},
        {899, false, 30, {29, 30}}, {905, false, 20, {30}}, {-1, false, 20, {}}, {140, true, 5, {4, 5}}};
    for (const auto& row : rows) {
        SCOPED_TRACE(row.pressX);
        std::vector<Segment> expected;
        for (const int32_t y : {0, kCurveBottom, kLegendBottom, kDayNumberBottom})
            expected.push_back({0, Y(y), 900, Y(y), kBlack});
        for (int32_t k = 0; k <= 30; ++k) {
            const bool black = row.black.count(k) != 0;
            const bool edge = k == 0 && !black;
            const PenState pen = black ? kBlack : edge ? kSolidGrey : kDottedGrey;
            expected.push_back({30 * k, Y(430), 30 * k, Y(kCurveBottom), pen});
            expected.push_back(edge ? Segment{0, Y(kCurveBottom), 0, Y(kBottom), pen}
                                    : Segment{30 * k, Y(kLegendBottom), 30 * k, Y(kDayNumberBottom), pen});
        }
        ChartSetup setup(2024, 6, 20);
        if (row.pressX >= 0)
            setup.chart.RecordPress(row.pressX);
        EXPECT_EQ(setup.chart.m_clickX, CChart::kNoPress) << "before any paint";
        RecordingDC paint, dc;
        setup.chart.Draw(paint);
        if (row.printing)
            setup.chart.BeginPrinting();
        if (row.pressX >= 0)
            setup.chart.RecordPress(row.pressX);
        setup.chart.SelectDay(dc);
        EXPECT_EQ(setup.chart.m_day, row.day);
        ExpectLines(dc, expected);
        const auto& calls = dc.Calls();  // on screen the background is transparent light grey first
        const bool background = calls[0].kind == DcCall::Kind::SetBkMode && calls[0].transparent &&
                                calls[1].kind == DcCall::Kind::SetBkColor && calls[1].color == Rgb{192, 192, 192};
        EXPECT_EQ(background, !row.printing);
    }
    ChartSetup setup(2024, 6, 20);  // before any paint a release does nothing
    RecordingDC dc;
    setup.chart.SelectDay(dc);
    EXPECT_TRUE(dc.Calls().empty());
    ChartSetup july(2024, 7, 1, DcRect{0, 0, 620, 400});  // 31 days on 620 pixels: 1.5 units a pixel
    july.chart.Draw(dc);
    july.chart.RecordPress(101);
    EXPECT_EQ(july.chart.m_clickX, 151);
}

// The header names the person of the window's last paint; the page's own
// pass then names the person chosen since. On a printer 2400 units wide the
// scale is 2400 / 900.
TEST(PrintPage, WritesTheHeaderAndRuleThenTheChartBelowThem)
{
    ChartSetup job;
    RecordingDC window;
    job.chart.Draw(window);
    job.chart.BeginPrinting();
    job.app.m_names.Append(CName("Bea", "1970", "01", "31"));
    job.app.Choose(1);
    RecordingDC printer(2400);
    DcRect drawRect{0, 0, 2400, 3300};
    job.chart.PrintPage(printer, drawRect);
    const auto& calls = printer.Calls();
    ASSERT_GE(calls.size(), 6u);
    EXPECT_EQ(calls[0].font, (FontState{95, 36, 400, "Modern"}));
    EXPECT_TRUE(calls[1].kind == DcCall::Kind::TextOut && calls[1].text == "Ada Byron -> Orvina" && calls[1].y == 75);
    EXPECT_EQ(job.doc.GetTitle(), "Bea");
    // The rule at cell 95 + 85, in the printer's own pen; the chart 160 below
    // the cell, at 255, the origin moved up.
    EXPECT_EQ(drawRect.top, 255);
    EXPECT_TRUE(calls[4].kind == DcCall::Kind::SetWindowOrg && calls[4].x == 0 && calls[4].y == -255);
    const std::vector<Segment> lines = printer.Segments();
    ASSERT_GE(lines.size(), 2u);
    EXPECT_EQ(lines[0], (Segment{0, 180, 2400, 180, kBlack}));
    // The zero line lies 430 x 8/3 below the chart's top, the bottom 1100 x 8/3.
    EXPECT_EQ(lines[1], (Segment{0, 255 + 1146, 2400, 255 + 1146, kBlack}));
    int32_t lowest = 0;
    for (const auto& s : lines)
        lowest = std::max({lowest, s.y1, s.y2});
    EXPECT_EQ(lowest, 255 + 2933);
    // No background on paper; "Physical" at 112.5 units = 300 units of paper.
    for (const DcCall& call : calls)
        EXPECT_NE(call.kind, DcCall::Kind::FillRect);
    ASSERT_GE(printer.Texts().size(), 2u);
    EXPECT_EQ(printer.Texts()[1].x, 300);
    EXPECT_TRUE(printer.IsDefaultFont(printer.CurrentFont()));

    job.chart.RecordPress(450);  // during the job points map with the page's scale, 2400 / 900
    EXPECT_TRUE(job.chart.m_clickX == 1200 && job.chart.DeviceToWorldY(100) == (430 - 100) * 8 / 3);
    // After the job a press maps with the screen's scale even before the
    // window paints again, and the window gets its background back.
    job.chart.EndPrinting();
    job.chart.RecordPress(450);
    EXPECT_EQ(job.chart.m_clickX, 450);
    RecordingDC again;
    job.chart.Draw(again);
    EXPECT_EQ(again.Calls().at(1).kind, DcCall::Kind::FillRect);
    // The job is named after the person and the month; a month outside 1 to 12 has no name.
    for (const auto& [month, name] : {std::pair{12, "Bea - December 2024"}, {0, "Bea -  2024"}, {13, "Bea -  2024"}}) {
        job.chart.m_month = month;
        EXPECT_EQ(job.chart.JobName(), name);
    }
}

// The first update takes the document's dates; months and days step and wrap.
TEST(Navigation, StepsMonthsAndDays)
{
    ChartSetup first;
    first.doc.m_curYear = 2031;
    first.doc.m_curMonth = 11;
    first.doc.m_curDay = 30;
    first.doc.SetBirthDate(1901, 2, 3);
    first.chart.OnInitialUpdate();
    const CChart& chart = first.chart;
    EXPECT_EQ((std::array<int32_t, 6>{chart.m_year, chart.m_month, chart.m_day, chart.m_birthYear, chart.m_birthMonth,
                                      chart.m_birthDay}), (std::array<int32_t, 6>{2031, 11, 30, 1901, 2, 3}));

    // 'N'/'P': Next/Previous Month that many times; 'n'/'p': Next/Previous Day; 't': Today.
    const struct { std::array<int32_t, 3> from; char step; int32_t times; std::array<int32_t, 3> to; } rows[] = {
        {{2024, 6, 31}, 'N', 1, {2024, 7, 31}},   {{2024, 12, 31}, 'N', 1, {2025, 1, 31}},
        {{2024, 1, 31}, 'P', 1, {2023, 12, 31}},  {{2024, 3, 31}, 'P', 1, {2024, 2, 31}},
        {{2, 1, 31}, 'P', 36, {-1, 1, 31}},       {{INT32_MAX, 12, 31}, 'N', 1, {INT32_MIN, 1, 31}},
        {{2024, 6, 1}, 'n', 1, {2024, 6, 2}},     {{2024, 6, 29}, 'n', 1, {2024, 6, 30}},
        {{2024, 6, 30}, 'n', 1, {2024, 7, 1}},    {{2024, 6, 31}, 'n', 1, {2024, 7, 1}},
        {{2024, 6, 0}, 'n', 1, {2024, 6, 1}},     {{2024, 6, 2}, 'p', 1, {2024, 6, 1}},
        {{2024, 3, 1}, 'p', 1, {2024, 2, 29}},    {{2024, 1, 1}, 'p', 1, {2023, 12, 31}},
        {{2024, 6, 31}, 'p', 1, {2024, 6, 30}},  // a day kept from a longer month
        {{2024, 6, 15}, 't', 1, {2030, 1, 2}},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(std::to_string(row.from[0]) + "-" + std::to_string(row.from[1]) + "-" +
                     std::to_string(row.from[2]) + " " + row.step);
        ChartSetup setup(row.from[0], row.from[1], row.from[2]);
        for (int i = 0; i < row.times; ++i) {
            switch (row.step) {
            case 'N': setup.chart.NextMonth(); break;
            case 'P': setup.chart.PreviousMonth(); break;
            case 'n': CDayNavigation::NextDay(setup.chart); break;
            case 'p': CDayNavigation::PreviousDay(setup.chart); break;
            case 't': CDayNavigation::Today(setup.chart, CDate{2030, 1, 2}); break;
            }
        }
        EXPECT_EQ((std::array<int32_t, 3>{setup.chart.m_year, setup.chart.m_month, setup.chart.m_day}), row.to);
    }
}

// A chosen person's day against values worked out apart from the program
// (Python's calendar and sine), and the day under a column.
TEST(DayReadout, TellsTheDayAsTheChartDrawsIt)
{
    const CName ada("Ada", "1990", "05", "17");
    const struct { CName person; int32_t year, month, day; const char* expected; } rows[] = {
        {ada, 2024, 6, 15, "Sa 15 Jun 2024  age 12448  P 98  E -42  I 97  U -47"},
        {ada, 2024, 6, 1, "Sa 1 Jun 2024  age 12434  P -62  E 43  I -96  U 97"},
        {ada, 2024, 6, 21, "Fr 21 Jun 2024  age 12454  P 14  E -96  I 62  U -99  critical: P"},
        {ada, 2026, 6, 4, "Th 4 Jun 2026  age 13167  P 14  E 100  I 0  U 0  critical: P, I, U"},
        {ada, 1990, 5, 17, "Th 17 May 1990  age 0  P 0  E 0  I 0  U 0  critical: P, E, I, U"},
        {CName("Cy", "2030", "01", "01"), 2024, 6, 15, "Sa 15 Jun 2024  age -2026  P -51  E -77  I -61  U -91"},
        {CName("Zero", "0", "01", "01"), 2024, 6, 15, "Sa 15 Jun 2024"},  // no birth day number
        {ada, 2024, 6, 31, nullptr} /* the 31st of a 30-day month */, {ada, 2024, 6, 0, nullptr},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.day);
        ChartSetup setup(row.year, row.month, row.day);
        *setup.app.m_names.At(0) = row.person;
        RecordingDC dc;
        setup.chart.Draw(dc);
        const std::optional<CDayReadout> drawn = CDayReadout::Read(setup.chart, row.day);
        ASSERT_EQ(drawn.has_value(), row.expected != nullptr);
        if (!drawn)
            continue;
        EXPECT_EQ(drawn->Text(), row.expected);
        // The values are the plotted ones, and a month prepared without a paint reads the same.
        for (int cycle = 0; drawn->m_hasValues && cycle < kCycleCount; ++cycle)
            EXPECT_EQ(setup.chart.m_plot[cycle][row.day], HeightOf(drawn->m_values[cycle]));
        setup.chart.PrepareMonth();
        EXPECT_EQ(CDayReadout::Read(setup.chart, row.day)->Text(), row.expected);
    }
    ChartSetup setup;
    EXPECT_EQ(CDayReadout::DayUnder(setup.chart, 100), 0) << "before the first pass";
    RecordingDC dc;
    setup.chart.Draw(dc);
    const struct { int32_t x, day; } columns[] = {{0, 1}, {29, 1}, {30, 2}, {899, 30}, {900, 0}, {-1, 0}};
    for (const auto& column : columns)
        EXPECT_EQ(CDayReadout::DayUnder(setup.chart, column.x), column.day) << column.x;
    for (const int32_t month : {0, 13}) {  // a month the chart has no name for
        setup.chart.m_month = month;
        EXPECT_FALSE(CDayReadout::Read(setup.chart, 1)) << month;
    }
}

}  // namespace
