#include "chart/chart.h"

#include "app/appdata.h"
#include "calc/int32math.h"
#include "calc/weekdaylabel.h"
#include "people/ovixdoc.h"

namespace {
constexpr Rgb kBackground{192, 192, 192};
constexpr const char* kMonthNames[] = {"January", "February", "March",     "April",   "May",      "June",
                                       "July",    "August",   "September", "October", "November", "December"};
}

CChart::CChart(CAppData& app, COvixDoc& doc) : m_app(app), m_doc(doc) {}

void CChart::OnInitialUpdate()
{
    m_weekdayText = kWeekdayText;
    m_monthNames.assign(std::begin(kMonthNames), std::end(kMonthNames));
    m_year = m_doc.m_curYear;
    m_month = m_doc.m_curMonth;
    m_day = m_doc.m_curDay;
    m_birthYear = m_doc.m_birthYear;
    m_birthMonth = m_doc.m_birthMonth;
    m_birthDay = m_doc.m_birthDay;
}

void CChart::PreviousMonth()
{
    if (m_month > 1) {
        --m_month;
    } else {
        m_month = 12;
        m_year = WrappingSub(m_year, 1);
    }
}

void CChart::NextMonth()
{
    if (m_month < 12) {
        ++m_month;
    } else {
        m_month = 1;
        m_year = WrappingAdd(m_year, 1);
    }
}

void CChart::Draw(DeviceContext& dc)
{
    m_doc.ComputeMonth(m_year, m_birthYear, m_month, m_birthMonth, m_day, m_birthDay);
    if (m_clientRect.Width() <= 0 || m_clientRect.Height() <= 0 || m_doc.m_monthLength <= 0)
        return;
    LayoutChart(dc);
    DrawGrid(dc);
    DrawLabels(dc);
    DrawCurves(dc);
}

void CChart::LayoutChart(DeviceContext& dc)
{
    m_dayCount = m_doc.m_monthLength;
    const double dayCount = m_dayCount;
    dc.SetBkModeTransparent(true);
    if (m_printing == 0)
        dc.FillRect(m_clientRect, kBackground);
    m_devLeft = m_clientRect.left;
    m_devTop = m_clientRect.top;
    m_devRight = m_clientRect.right;
    m_devBottom = m_clientRect.bottom;
    m_worldLeft = 0.0;
    m_worldTop = 430.0;
    m_zeroLine = 0.0;
    m_worldRight = 30.0 * dayCount;
    m_curveBottom = -m_worldTop;
    m_worldBottom = m_curveBottom - 240.0;
    m_legendBottom = m_curveBottom - 60.0;
    m_weekdayBottom = m_curveBottom - 120.0;
    m_dayNumberBottom = m_curveBottom - 180.0;
    m_dayWidth = 30.0;
    m_scale = m_printing == 1 ? dc.HorzRes() / m_devRight : 1.0;
}

int32_t CChart::WorldToDeviceX(double x) const
{
    return TruncToInt32(((m_devRight - m_devLeft) / (m_worldRight - m_worldLeft) * (x - m_worldLeft) + m_devLeft) *
                        m_scale);
}

int32_t CChart::WorldToDeviceY(double y) const
{
    return TruncToInt32(((m_devBottom - m_devTop) / (m_worldBottom - m_worldTop) * (y - m_worldTop) + m_devTop) *
                        m_scale);
}

int32_t CChart::DeviceToWorldX(double px) const
{
    return TruncToInt32(((m_worldRight - m_worldLeft) / (m_devRight - m_devLeft) * (px - m_devLeft) + m_worldLeft) *
                        m_scale);
}

int32_t CChart::DeviceToWorldY(double py) const
{
    return TruncToInt32(((m_worldBottom - m_worldTop) / (m_devBottom - m_devTop) * (py - m_devTop) + m_worldTop) *
                        m_scale);
}

// The remaining drawing steps come with the chart's grid, curves and labels.
void CChart::DrawGrid(DeviceContext&) {}
void CChart::DrawLabels(DeviceContext&) { PrepareDays(); }
void CChart::PrepareDays() {}
void CChart::StoreDayPoints(int32_t) {}
void CChart::DrawCurves(DeviceContext&) {}
void CChart::RecordPress(int32_t deviceX) { m_clickX = DeviceToWorldX(deviceX); }
void CChart::SelectDay(DeviceContext&) {}
void CChart::PrintPage(DeviceContext& dc, DcRect&) { Draw(dc); }
