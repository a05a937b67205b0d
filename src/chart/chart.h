#pragma once

#include "calc/cycles.h"
#include "platform/devicecontext.h"

#include <array>
#include <cstdint>
#include <string>
#include <vector>

// Printed pages are made at 600 dots per inch, a common laser printer's
// resolution: the page's fixed font sizes (header 95, labels 80 device units
// high) come out as ordinary print sizes (about 11 and 10 points), and the
// label cell stays inside the chart's bands for the usual window shapes. At
// 300 the labels overflow their bands; at a PDF's default 1200 they shrink to
// specks.
constexpr int kPrintResolution = 600;

class CAppData;
class COvixDoc;

// The chart of the view, free of widgets: what is shown (year, month,
// selected day, birth date), the geometry and the plot tables of the last
// drawing pass and the drawing steps. The view widget owns one and hands it a device context for
// every paint; printing, print preview and orvina-cli use the same pass.
class CChart {
public:
    CChart(CAppData& app, COvixDoc& doc);

    // First update: weekday text, month names, and the displayed date and
    // birth date copied from the document.
    void OnInitialUpdate();
    void PreviousMonth();
    void NextMonth();

    // The view's client rectangle in device pixels; it frames the chart on
    // screen and, scaled, on paper.
    void SetClientRect(const DcRect& rect) { m_clientRect = rect; }
    const DcRect& ClientRect() const { return m_clientRect; }

    // One drawing pass: ComputeMonth, the can-draw test, LayoutChart,
    // PrepareDays, DrawGrid, DrawLabels, DrawCurves. Skipped after
    // ComputeMonth when there is nothing to draw on: an empty client
    // rectangle, a printer that reports no width, or a month whose length is
    // not 1 to 31 days.
    void Draw(DeviceContext& dc);

    void LayoutChart(DeviceContext& dc);
    void DrawGrid(DeviceContext& dc);
    void DrawLabels(DeviceContext& dc);
    // Draws nothing: takes the chosen person (naming the document after
    // them), computes the month and fills the plot tables, the day values
    // and the weekday labels.
    void PrepareDays();
    void StoreDayPoints(int32_t day);
    // The month computation and PrepareDays without drawing, so that the
    // day values below describe the displayed month before its next paint;
    // the document's month is left as the last pass left it.
    void PrepareMonth();
    void DrawCurves(DeviceContext& dc);

    int32_t WorldToDeviceX(double x) const;
    int32_t WorldToDeviceY(double y) const;
    int32_t DeviceToWorldX(double px) const;
    int32_t DeviceToWorldY(double py) const;

    // Mouse: the press records its chart-unit x; the release selects the day
    // whose column holds it, and SelectDay also draws the column's edges at
    // once on `dc`. They use the geometry of the last pass and do nothing
    // useful before one.
    void RecordPress(int32_t deviceX);
    void SelectPressedDay();
    void SelectDay(DeviceContext& dc);

    // Printing: the flag's life, and the one page (header, rule, chart).
    // `drawRect` is the printable area on entry; its top moves below the header.
    void BeginPrinting() { m_printing = 1; }
    // The screen's scale comes back at once, so that a press before the
    // window's next paint maps to the right column.
    void EndPrinting()
    {
        m_printing = 0;
        m_scale = 1.0;
    }
    void PrintPage(DeviceContext& dc, DcRect& drawRect);
    // The name of a print job and of the file it may go to: the person of
    // the last paint and the displayed month ("Ann - December 2026").
    std::string JobName() const;

    std::vector<std::string> m_dayLabels;
    std::vector<std::string> m_monthNames;
    std::string m_weekdayText;
    int32_t m_printing = 0;
    double m_scale = 1.0;

    double m_devLeft = 0.0;
    double m_devTop = 0.0;
    double m_devRight = 0.0;
    double m_devBottom = 0.0;
    double m_worldLeft = 0.0;
    double m_worldTop = 0.0;
    double m_worldRight = 0.0;
    double m_worldBottom = 0.0;
    double m_curveBottom = 0.0;
    double m_legendBottom = 0.0;
    double m_weekdayBottom = 0.0;
    double m_dayNumberBottom = 0.0;
    double m_dayWidth = 0.0;
    double m_zeroLine = 0.0;

    // A chart-unit x that no column edge reaches. A small negative value
    // would not do: a press just left of the chart's left edge counts as
    // falling in the column that ends there, and selects day 0.
    static constexpr int32_t kNoPress = INT32_MIN;

    // Outside every column until the first press, so that a release without
    // a press selects nothing.
    int32_t m_clickX = kNoPress;
    int32_t m_year = 0;
    int32_t m_month = 1;
    int32_t m_day = 1;
    int32_t m_birthYear{};
    int32_t m_birthMonth{};
    int32_t m_birthDay{};
    int32_t m_dayCount{};

    // Each day's age and cycle values as the last PrepareDays computed them
    // for the curves, by day 1 to 31; days it did not compute are not valid.
    struct DayValues {
        int32_t age{};
        CycleValues values{};
        bool valid = false;
    };
    std::array<DayValues, 32> m_dayValues{};

    // The cycle values StoreDayPoints plots, and the chart-unit height of
    // each cycle's curve by cycle and by day 1 to 31 (entry 0 unused).
    CycleValues m_cycleValues{};
    std::array<std::array<int32_t, 32>, kCycleCount> m_plot{};

private:
    bool CanDraw(const DeviceContext& dc) const;
    // The chosen person, repaired to the first when out of range, names the
    // document and gives the birth date.
    void ShowChosenPerson();
    // The displayed month's name, or nothing for a month out of range.
    std::string MonthName() const;
    // True once a pass has laid out a frame with area and columns.
    bool HasFrame() const;
    void DrawHorizontal(DeviceContext& dc, double y) const;
    void DrawVertical(DeviceContext& dc, double x, double yFrom, double yTo) const;
    // The boundary lines of a day column: across the curve band and across
    // the weekday and day-number bands.
    void DrawBoundary(DeviceContext& dc, double x) const;
    void DrawCurve(DeviceContext& dc, int cycle, double legendFraction) const;

    CAppData& m_app;
    COvixDoc& m_doc;
    DcRect m_clientRect;
};
