// The whole drawing pass in one file, past the usual size: its steps share the
// chart-unit layout constants and the world-to-device mapping, and read in
// order they are one paint.
#include "chart/chart.h"

#include "calc/decimal.h"
#include "calc/int32math.h"
#include "calc/monthdays.h"
#include "calc/weekdaylabel.h"
#include "people/appdata.h"
#include "people/ovixdoc.h"

#include <algorithm>
#include <cstdio>
#include <iterator>

namespace {
constexpr Rgb kBackground = kFaceGrey;
constexpr Rgb kGrey{128, 128, 128};
constexpr Rgb kBlack{0, 0, 0};
constexpr Rgb kLight{225, 225, 225};
constexpr Rgb kEmotionalColor{255, 0, 0};
constexpr Rgb kIntellectualColor{0, 0, 255};
constexpr Rgb kIntuitionalColor{0, 128, 0};
constexpr int32_t kPenWidth = 1;

constexpr const char* kMonthNames[] = {"January", "February", "March",     "April",   "May",      "June",
                                       "July",    "August",   "September", "October", "November", "December"};

// The plot tables and the labels hold at most this many days.
constexpr int32_t kMaxDays = 31;

// Chart-unit layout: the curve band spans 430 above and below the zero line;
// the legend, weekday, day-number and title bands are 60 high each.
constexpr double kWorldTop = 430.0;
constexpr double kDayWidth = 30.0;
constexpr double kBandsBelowCurves = 240.0;
constexpr double kLegendBandBottom = 60.0;
constexpr double kWeekdayBandBottom = 120.0;
constexpr double kDayNumberBandBottom = 180.0;

// The black line that frames a selected day's boundary stands this far right of it.
constexpr double kFrameOffset = 3.0;
// The second line of the double rules under the curve and day-number bands.
constexpr double kDoubleRuleGap = 2.0;

// Where each cycle's legend entry stands, as a fraction of the chart's width,
// in the order Physical, Emotional, Intellectual, Intuitional.
constexpr double kLegendFraction[kCycleCount] = {0.125, 0.3333333333333333, 0.5555555555555556,
                                                 0.7777777777777777};
constexpr const char* kCycleNames[kCycleCount] = {"Physical", "Emotional", "Intellectual", "Intuitional"};
// A legend sample runs from 60 to 6 chart units left of its name, 30 below the legend band's top.
constexpr double kSampleStart = 60.0;
constexpr double kSampleEnd = 6.0;
constexpr double kSampleDepth = 30.0;

// Text offsets in chart units: the column inset and each row's distance below its band's top.
constexpr double kColumnInset = 4.0;
constexpr double kCycleNameDepth = 3.0;
constexpr double kWeekdayDepth = 4.0;
constexpr double kDayNumberDepth = 1.0;
constexpr double kTitleDepth = 3.0;

// The label font: fixed on paper, following the window on screen.
constexpr const char* kLabelFace = "Modern";
constexpr int32_t kPrintLabelHeight = 80;
constexpr int32_t kPrintLabelWidth = 26;
constexpr double kScreenLabelHeight = 20.0;
constexpr double kScreenLabelWidth = 8.0;

// The printed page's header, in printer device units.
constexpr int32_t kHeaderFontHeight = 95;
constexpr int32_t kHeaderFontWidth = 36;
constexpr const char* kHeaderSuffix = " -> Orvina";
constexpr int32_t kHeaderTextY = 75;
constexpr int32_t kRuleBelowHeader = 85;
constexpr int32_t kChartBelowHeader = 160;
constexpr const char* kJobNameSeparator = " - ";

// The ratio of two extents, or 0 when the source extent is empty, so that a
// frame that was never laid out maps every point to the origin instead of
// dividing by zero.
double Ratio(double target, double source)
{
    return source != 0.0 ? target / source : 0.0;
}

// Visits position = first, first + step, ... while `last` is not less than
// the position, with the column index counting from 0. A step below 1 visits
// nothing, where an unlaid frame would otherwise loop for ever.
template <typename Visit>
void WalkColumns(int32_t first, int32_t last, int32_t step, Visit visit)
{
    if (step < 1)
        return;
    int32_t index = 0;
    for (int64_t position = first; position <= last; position += step, ++index)
        visit(static_cast<int32_t>(position), index);
}

std::string Format(const char* format, int32_t value)
{
    char buffer[32];
    std::snprintf(buffer, sizeof buffer, format, static_cast<int>(value));
    return buffer;
}

// "%2s" of a weekday label.
std::string PadToTwo(std::string text)
{
    if (text.size() < 2)
        text.insert(0, 2 - text.size(), ' ');
    return text;
}
}  // namespace

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
    if (!CanDraw(dc))
        return;
    LayoutChart(dc);
    PrepareDays();
    DrawGrid(dc);
    DrawLabels(dc);
    DrawCurves(dc);
}

bool CChart::CanDraw(const DeviceContext& dc) const
{
    // A minimised window or a collapsed splitter has no area; the mapping
    // would divide by its width or height.
    if (m_clientRect.IsEmpty())
        return false;
    if (m_doc.m_monthLength < 1 || m_doc.m_monthLength > kMaxDays)
        return false;
    // The printer scale divides the page width by the window's right edge,
    // and a page without width would collapse the chart into a point.
    if (m_printing == 1 && (dc.HorzRes() <= 0 || m_clientRect.right <= 0))
        return false;
    return true;
}

bool CChart::HasFrame() const
{
    return m_devRight > m_devLeft && m_devBottom > m_devTop && m_worldRight > m_worldLeft &&
           m_worldBottom < m_worldTop && TruncToInt32(m_dayWidth) >= 1;
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
    m_worldTop = kWorldTop;
    m_zeroLine = 0.0;
    m_worldRight = kDayWidth * dayCount;
    m_curveBottom = -m_worldTop;
    m_worldBottom = m_curveBottom - kBandsBelowCurves;
    m_legendBottom = m_curveBottom - kLegendBandBottom;
    m_weekdayBottom = m_curveBottom - kWeekdayBandBottom;
    m_dayNumberBottom = m_curveBottom - kDayNumberBandBottom;
    m_dayWidth = kDayWidth;
    m_scale = m_printing == 1 ? Ratio(dc.HorzRes(), m_devRight) : 1.0;
}

int32_t CChart::WorldToDeviceX(double x) const
{
    return TruncToInt32((Ratio(m_devRight - m_devLeft, m_worldRight - m_worldLeft) * (x - m_worldLeft) + m_devLeft) *
                        m_scale);
}

int32_t CChart::WorldToDeviceY(double y) const
{
    return TruncToInt32((Ratio(m_devBottom - m_devTop, m_worldBottom - m_worldTop) * (y - m_worldTop) + m_devTop) *
                        m_scale);
}

int32_t CChart::DeviceToWorldX(double px) const
{
    return TruncToInt32(
        (Ratio(m_worldRight - m_worldLeft, m_devRight - m_devLeft) * (px - m_devLeft) + m_worldLeft) * m_scale);
}

int32_t CChart::DeviceToWorldY(double py) const
{
    return TruncToInt32(
        (Ratio(m_worldBottom - m_worldTop, m_devBottom - m_devTop) * (py - m_devTop) + m_worldTop) * m_scale);
}

void CChart::DrawHorizontal(DeviceContext& dc, double y) const
{
    dc.MoveTo(WorldToDeviceX(m_worldLeft), WorldToDeviceY(y));
    dc.LineTo(WorldToDeviceX(m_worldRight), WorldToDeviceY(y));
}

void CChart::DrawVertical(DeviceContext& dc, double x, double yFrom, double yTo) const
{
    dc.MoveTo(WorldToDeviceX(x), WorldToDeviceY(yFrom));
    dc.LineTo(WorldToDeviceX(x), WorldToDeviceY(yTo));
}

void CChart::DrawBoundary(DeviceContext& dc, double x) const
{
    DrawVertical(dc, x, m_worldTop, m_curveBottom);
    DrawVertical(dc, x, m_legendBottom, m_dayNumberBottom);
}

void CChart::DrawGrid(DeviceContext& dc)
{
    const CPen dottedGrey(PenStyle::Dot, kPenWidth, kGrey);
    const CPen solidGrey(PenStyle::Solid, kPenWidth, kGrey);
    const CPen black(PenStyle::Solid, kPenWidth, kBlack);
    const CPen light(PenStyle::Solid, kPenWidth, kLight);

    // The zero line takes the context's own pen, solid black.
    DrawHorizontal(dc, m_zeroLine);

    // Black over light closes the curve band; light over black closes the
    // day-number band.
    const CPen* previous = dc.SelectPen(&light);
    DrawHorizontal(dc, m_curveBottom);
    dc.SelectPen(&black);
    DrawHorizontal(dc, m_curveBottom + kDoubleRuleGap);
    dc.SelectPen(&black);
    DrawHorizontal(dc, m_legendBottom);
    dc.SelectPen(&light);
    DrawHorizontal(dc, m_dayNumberBottom + kDoubleRuleGap);
    dc.SelectPen(&black);
    DrawHorizontal(dc, m_dayNumberBottom);

    // Day boundaries: dotted, the left edge solid over the whole height, and
    // both edges of the selected day framed by a light and a black line.
    dc.SelectPen(&dottedGrey);
    WalkColumns(TruncToInt32(m_worldLeft), TruncToInt32(m_worldRight), TruncToInt32(m_dayWidth),
                [&](int32_t position, int32_t boundary) {
                    const double x = position;
                    const bool framed = boundary == m_day || boundary + 1 == m_day;
                    if (position == 0)
                        dc.SelectPen(&solidGrey);
                    if (framed) {
                        dc.SelectPen(&light);
                        DrawBoundary(dc, x);
                        dc.SelectPen(&black);
                        DrawBoundary(dc, x + kFrameOffset);
                    } else {
                        DrawBoundary(dc, x);
                    }
                    if (position == 0) {
                        DrawVertical(dc, x, m_curveBottom, m_worldBottom);
                        dc.SelectPen(&dottedGrey);
                    }
                    if (framed)
                        dc.SelectPen(&dottedGrey);
                });
    dc.SelectPen(previous);
}

void CChart::DrawLabels(DeviceContext& dc)
{
    const bool printing = m_printing == 1;
    const int32_t fontHeight =
        printing ? kPrintLabelHeight : TruncToInt32(Ratio(m_devBottom, m_worldTop) * m_scale * kScreenLabelHeight);
    const int32_t fontWidth =
        printing ? kPrintLabelWidth : TruncToInt32(Ratio(m_devRight, m_worldRight) * m_scale * kScreenLabelWidth);
    const CFont font(fontHeight, fontWidth, kFontWeightNormal, kLabelFace);
    const CFont* previous = dc.SelectFont(&font);

    const int32_t nameY = WorldToDeviceY(m_curveBottom - kCycleNameDepth);
    for (int cycle = 0; cycle < kCycleCount; ++cycle)
        dc.TextOut(WorldToDeviceX(m_worldRight * kLegendFraction[cycle]), nameY, kCycleNames[cycle]);

    const int32_t firstColumn = TruncToInt32(m_worldLeft + kColumnInset);
    const int32_t lastColumn = TruncToInt32(m_worldRight);
    const int32_t step = TruncToInt32(m_dayWidth);

    const int32_t dayNumberY = WorldToDeviceY(m_weekdayBottom - kDayNumberDepth);
    WalkColumns(firstColumn, lastColumn, step, [&](int32_t column, int32_t index) {
        dc.TextOut(WorldToDeviceX(column), dayNumberY, Format("%2d", index + 1));
    });

    const int32_t weekdayY = WorldToDeviceY(m_legendBottom - kWeekdayDepth);
    WalkColumns(firstColumn, lastColumn, step, [&](int32_t column, int32_t index) {
        if (static_cast<size_t>(index) < m_dayLabels.size())
            dc.TextOut(WorldToDeviceX(column), weekdayY, m_dayLabels[static_cast<size_t>(index)]);
    });

    const int32_t titleY = WorldToDeviceY(m_dayNumberBottom - kTitleDepth);
    WalkColumns(firstColumn, lastColumn, step, [&](int32_t column, int32_t index) {
        if (index == 0)
            dc.TextOut(WorldToDeviceX(column), titleY, MonthName() + Format(" %4d", m_year));
    });

    dc.SelectFont(previous);
}

void CChart::PrepareDays()
{
    ShowChosenPerson();
    m_doc.ComputeMonth(m_year, m_birthYear, m_month, m_birthMonth, m_day, m_birthDay);
    const std::vector<MonthDay> days = PrepareMonthDays(m_doc, std::clamp(m_dayCount, 0, kMaxDays), m_weekdayText);
    m_dayValues.fill(DayValues{});
    // Without a valid day number on either side the curves keep the values
    // of the last successful preparation.
    if (HasDrawableDays(m_doc)) {
        for (int32_t day = 1; day <= static_cast<int32_t>(days.size()); ++day) {
            const MonthDay& prepared = days[static_cast<size_t>(day - 1)];
            m_cycleValues = prepared.values;
            StoreDayPoints(day);
            m_dayValues[static_cast<size_t>(day)] = {prepared.age, prepared.values, true};
        }
    }
    m_dayLabels.clear();
    for (const MonthDay& prepared : days)
        m_dayLabels.push_back(PadToTwo(prepared.weekday));
}

void CChart::ShowChosenPerson()
{
    // An index that no longer names a person falls back to the first one.
    const CName* person = m_app.Choose(m_app.ChosenIndex());
    if (!person)
        return;
    // The one place a pass names the document: the printed header and the
    // print job take the title, and the frame's caption follows it.
    m_doc.SetTitle(person->m_name);
    m_birthYear = DecimalToInt(person->m_year);
    m_birthMonth = DecimalToInt(person->m_month);
    m_birthDay = DecimalToInt(person->m_day);
}

void CChart::PrepareMonth()
{
    // Between paints the document keeps the month of the last pass.
    const CCalendar kept = m_doc;
    m_doc.ComputeMonth(m_year, m_birthYear, m_month, m_birthMonth, m_day, m_birthDay);
    m_dayCount = m_doc.m_monthLength;
    PrepareDays();
    static_cast<CCalendar&>(m_doc) = kept;
}

void CChart::StoreDayPoints(int32_t day)
{
    if (day < 1 || day > kMaxDays)
        return;
    const int32_t zero = TruncToInt32(m_zeroLine);
    for (int cycle = 0; cycle < kCycleCount; ++cycle) {
        const int32_t value = m_cycleValues[static_cast<size_t>(cycle)];
        m_plot[cycle][day] = value == 0 ? zero : WrappingAdd(TruncToInt32(m_worldTop * value * 0.01), zero);
    }
}

void CChart::DrawCurve(DeviceContext& dc, int cycle, double legendFraction) const
{
    const auto& plot = m_plot[cycle];
    const int32_t days = std::clamp(m_dayCount, 0, kMaxDays);
    const int32_t step = TruncToInt32(m_dayWidth);
    // Each day's segment is its own move and line, so a dash pattern starts
    // afresh at every day.
    int32_t x = TruncToInt32(m_dayWidth * 0.5 + m_worldLeft);
    for (int32_t day = 1; day < days; ++day) {
        dc.MoveTo(WorldToDeviceX(x), WorldToDeviceY(plot[day]));
        dc.LineTo(WorldToDeviceX(x + m_dayWidth), WorldToDeviceY(plot[day + 1]));
        x = WrappingAdd(x, step);
    }

    const double nameX = m_worldRight * legendFraction;
    const int32_t sampleY = WorldToDeviceY(m_curveBottom - kSampleDepth);
    dc.MoveTo(WorldToDeviceX(nameX - kSampleStart), sampleY);
    dc.LineTo(WorldToDeviceX(nameX - kSampleEnd), sampleY);
}

void CChart::DrawCurves(DeviceContext& dc)
{
    const CPen emotional(PenStyle::Dot, kPenWidth, kEmotionalColor);
    const CPen intellectual(PenStyle::DashDot, kPenWidth, kIntellectualColor);
    const CPen intuitional(PenStyle::Dash, kPenWidth, kIntuitionalColor);

    // Physical takes the context's own pen, solid black.
    DrawCurve(dc, kPhysical, kLegendFraction[kPhysical]);
    const CPen* previous = dc.SelectPen(&emotional);
    DrawCurve(dc, kEmotional, kLegendFraction[kEmotional]);
    dc.SelectPen(&intellectual);
    DrawCurve(dc, kIntellectual, kLegendFraction[kIntellectual]);
    dc.SelectPen(&intuitional);
    DrawCurve(dc, kIntuitional, kLegendFraction[kIntuitional]);
    dc.SelectPen(previous);
}

void CChart::RecordPress(int32_t deviceX)
{
    m_clickX = HasFrame() ? DeviceToWorldX(deviceX) : kNoPress;
}

void CChart::SelectDay(DeviceContext& dc)
{
    if (!HasFrame())
        return;
    const CPen dottedGrey(PenStyle::Dot, kPenWidth, kGrey);
    const CPen solidGrey(PenStyle::Solid, kPenWidth, kGrey);
    const CPen black(PenStyle::Solid, kPenWidth, kBlack);

    if (m_printing == 0) {
        dc.SetBkModeTransparent(true);
        dc.SetBkColor(kBackground);
    }
    DrawHorizontal(dc, m_zeroLine);
    DrawHorizontal(dc, m_curveBottom);
    DrawHorizontal(dc, m_legendBottom);
    DrawHorizontal(dc, m_dayNumberBottom);

    const CPen* previous = dc.SelectPen(&dottedGrey);
    const int64_t press = m_clickX;
    const int32_t width = TruncToInt32(m_dayWidth);
    WalkColumns(TruncToInt32(m_worldLeft), TruncToInt32(m_worldRight), width, [&](int32_t position, int32_t) {
        const double x = position;
        if (position == 0)
            dc.SelectPen(&solidGrey);
        if (position <= press && press < static_cast<int64_t>(position) + width) {
            // The left edge of the pressed column.
            dc.SelectPen(&black);
            DrawBoundary(dc, x);
        } else if (position > press && static_cast<int64_t>(position) - width <= press) {
            // Its right edge.
            DrawBoundary(dc, x);
            dc.SelectPen(&dottedGrey);
        } else {
            DrawVertical(dc, x, m_worldTop, m_curveBottom);
            if (position == 0) {
                DrawVertical(dc, x, m_curveBottom, m_worldBottom);
                dc.SelectPen(&dottedGrey);
            } else {
                DrawVertical(dc, x, m_legendBottom, m_dayNumberBottom);
            }
        }
    });
    dc.SelectPen(previous);
    SelectPressedDay();
}

void CChart::SelectPressedDay()
{
    if (!HasFrame())
        return;
    const int64_t press = m_clickX;
    const int32_t width = TruncToInt32(m_dayWidth);
    WalkColumns(TruncToInt32(m_worldLeft), TruncToInt32(m_worldRight), width, [&](int32_t position, int32_t boundary) {
        // The pressed column's right edge: boundary d closes day d.
        if (position > press && static_cast<int64_t>(position) - width <= press)
            m_day = boundary;
    });
}

void CChart::PrintPage(DeviceContext& dc, DcRect& drawRect)
{
    const CFont header(kHeaderFontHeight, kHeaderFontWidth, kFontWeightNormal, kLabelFace);
    const CFont* previous = dc.SelectFont(&header);
    dc.TextOut(0, kHeaderTextY, m_doc.GetTitle() + kHeaderSuffix);

    // The rule lies under the header's cell and the chart further below,
    // with the window origin moved so that the chart's top lands there.
    const int32_t cellHeight = dc.GetTextMetrics().height;
    const int32_t ruleY = WrappingAdd(cellHeight, kRuleBelowHeader);
    dc.MoveTo(0, ruleY);
    dc.LineTo(drawRect.right, ruleY);
    drawRect.top = WrappingAdd(WrappingAdd(drawRect.top, cellHeight), kChartBelowHeader);
    dc.SetWindowOrg(drawRect.left, WrappingSub(0, drawRect.top));

    Draw(dc);
    dc.SelectFont(previous);
}

std::string CChart::JobName() const
{
    return m_doc.GetTitle() + kJobNameSeparator + MonthName() + Format(" %d", m_year);
}

std::string CChart::MonthName() const
{
    const bool known = m_month >= 1 && static_cast<size_t>(m_month) <= m_monthNames.size();
    return known ? m_monthNames[static_cast<size_t>(m_month - 1)] : std::string();
}
