// The chart's first update and its month navigation.
#include "chart_testing.h"

#include <gtest/gtest.h>

#include <climits>
#include <vector>

namespace {

// The weekday and month texts it fills are checked by the label tests.
TEST(ChartFirstUpdate, TakesTheDocumentsDates)
{
    CAppData app;
    COvixDoc doc(app);
    doc.m_curYear = 2031;
    doc.m_curMonth = 11;
    doc.m_curDay = 30;
    doc.SetBirthDate(1901, 2, 3);
    CChart chart(app, doc);
    chart.OnInitialUpdate();
    EXPECT_EQ((std::vector<int32_t>{chart.m_year, chart.m_month, chart.m_day, chart.m_birthYear, chart.m_birthMonth,
                                    chart.m_birthDay}),
              (std::vector<int32_t>{2031, 11, 30, 1901, 2, 3}));
}

TEST(MonthNavigation, StepsAndWrapsTheYear)
{
    // Positive steps are Next Month, negative ones Previous Month.
    const struct { const char* name; int32_t year, month, steps, endYear, endMonth; } rows[] = {
        {"next in June", 2024, 6, 1, 2024, 7},
        {"next in December", 2024, 12, 1, 2025, 1},
        {"previous in January", 2024, 1, -1, 2023, 12},
        {"previous in March", 2024, 3, -1, 2024, 2},
        {"thirty-six back across year 0", 2, 1, -36, -1, 1},
        {"wraps at the top of the year range", INT32_MAX, 12, 1, INT32_MIN, 1},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.name);
        charttest::ChartSetup setup(row.year, row.month, 31);
        for (int i = 0; i < row.steps; ++i)
            setup.chart.NextMonth();
        for (int i = 0; i < -row.steps; ++i)
            setup.chart.PreviousMonth();
        EXPECT_EQ(setup.chart.m_year, row.endYear);
        EXPECT_EQ(setup.chart.m_month, row.endMonth);
        EXPECT_EQ(setup.chart.m_day, 31);
    }
}

}  // namespace
