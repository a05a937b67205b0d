// The chart's first update and its month navigation.
#include "chart_testing.h"
#include "platform/recordingdc.h"

#include <gtest/gtest.h>

#include <climits>

namespace {

using charttest::ChartSetup;

TEST(ChartFirstUpdate, TakesTheDocumentsDatesAndFillsTheTexts)
{
    CAppData app;
    COvixDoc doc(app);
    doc.m_curYear = 2031;
    doc.m_curMonth = 11;
    doc.m_curDay = 30;
    doc.m_birthYear = 1901;
    doc.m_birthMonth = 2;
    doc.m_birthDay = 3;
    CChart chart(app, doc);
    chart.OnInitialUpdate();
    EXPECT_EQ(chart.m_year, 2031);
    EXPECT_EQ(chart.m_month, 11);
    EXPECT_EQ(chart.m_day, 30);
    EXPECT_EQ(chart.m_birthYear, 1901);
    EXPECT_EQ(chart.m_birthMonth, 2);
    EXPECT_EQ(chart.m_birthDay, 3);
    EXPECT_EQ(chart.m_weekdayText, "SuMoTuWeThFrSa");
    ASSERT_EQ(chart.m_monthNames.size(), 12u);
    EXPECT_EQ(chart.m_monthNames.front(), "January");
    EXPECT_EQ(chart.m_monthNames[8], "September");
    EXPECT_EQ(chart.m_monthNames.back(), "December");
    EXPECT_EQ(chart.m_printing, 0);
}

struct StepRow {
    const char* name;
    int32_t year;
    int32_t month;
    int steps;  // positive: Next Month, negative: Previous Month
    int32_t endYear;
    int32_t endMonth;
};

class MonthNavigation : public ::testing::TestWithParam<StepRow> {};

TEST_P(MonthNavigation, StepsAndWrapsTheYear)
{
    const StepRow& row = GetParam();
    ChartSetup setup(row.year, row.month, 31);
    for (int i = 0; i < row.steps; ++i)
        setup.chart.NextMonth();
    for (int i = 0; i < -row.steps; ++i)
        setup.chart.PreviousMonth();
    EXPECT_EQ(setup.chart.m_year, row.endYear);
    EXPECT_EQ(setup.chart.m_month, row.endMonth);
    EXPECT_EQ(setup.chart.m_day, 31);
}

INSTANTIATE_TEST_SUITE_P(Chart, MonthNavigation,
                         ::testing::Values(StepRow{"NextInJune", 2024, 6, 1, 2024, 7},
                                           StepRow{"NextInDecember", 2024, 12, 1, 2025, 1},
                                           StepRow{"PreviousInJanuary", 2024, 1, -1, 2023, 12},
                                           StepRow{"PreviousInMarch", 2024, 3, -1, 2024, 2},
                                           StepRow{"ThirtySixBack", 2, 1, -36, -1, 1},
                                           StepRow{"WrapsAtTheTopOfTheYearRange", INT32_MAX, 12, 1, INT32_MIN, 1}),
                         [](const ::testing::TestParamInfo<StepRow>& info) { return std::string(info.param.name); });

TEST(MonthNavigation, TwelveForwardAndTwelveBackReturn)
{
    ChartSetup setup(1999, 8);
    for (int i = 0; i < 12; ++i)
        setup.chart.NextMonth();
    EXPECT_EQ(setup.chart.m_year, 2000);
    EXPECT_EQ(setup.chart.m_month, 8);
    for (int i = 0; i < 12; ++i)
        setup.chart.PreviousMonth();
    EXPECT_EQ(setup.chart.m_year, 1999);
    EXPECT_EQ(setup.chart.m_month, 8);
}

TEST(MonthNavigation, TheNextPassDrawsTheNewMonth)
{
    ChartSetup setup(2024, 6);
    RecordingDC june;
    setup.chart.Draw(june);
    setup.chart.NextMonth();
    RecordingDC july;
    setup.chart.Draw(july);
    EXPECT_EQ(setup.chart.m_dayCount, 31);
    EXPECT_EQ(july.Texts().back().text, "July 2024");
}

TEST(ChartPass, AMonthWithoutDaysDrawsNothing)
{
    ChartSetup setup(2024, 13);
    RecordingDC dc;
    setup.chart.Draw(dc);
    EXPECT_TRUE(dc.Calls().empty());
}

}  // namespace
