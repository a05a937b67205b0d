#include "chart/daynavigation.h"

#include "chart/chart.h"

#include <algorithm>

void CDayNavigation::PreviousDay(CChart& chart)
{
    chart.PrepareMonth();
    if (chart.m_day > 1) {
        // A day kept from a longer month steps to this month's last.
        chart.m_day = std::min(chart.m_day - 1, chart.m_dayCount);
        return;
    }
    chart.PreviousMonth();
    chart.PrepareMonth();
    chart.m_day = chart.m_dayCount;
}

void CDayNavigation::NextDay(CChart& chart)
{
    chart.PrepareMonth();
    if (chart.m_day >= 1 && chart.m_day < chart.m_dayCount) {
        ++chart.m_day;
        return;
    }
    if (chart.m_day >= chart.m_dayCount)
        chart.NextMonth();
    chart.m_day = 1;
}

void CDayNavigation::Today(CChart& chart, const CDate& today)
{
    chart.m_year = today.year;
    chart.m_month = today.month;
    chart.m_day = today.day;
}
