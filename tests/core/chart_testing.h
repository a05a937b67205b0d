#pragma once

// Shared set-up of the chart tests: one person, the document and a chart laid
// onto a client rectangle where one chart unit is one pixel, the pens the
// chart draws with, and the QGuiApplication that the tests with real fonts need.
#include "people/appdata.h"
#include "chart/chart.h"
#include "people/name.h"
#include "people/ovixdoc.h"
#include "platform/offscreenapplication.h"
#include "platform/recordingdc.h"

#include <QGuiApplication>
#include <gtest/gtest.h>

#include <memory>

namespace charttest {

inline std::unique_ptr<QGuiApplication>& GuiApplication()
{
    static std::unique_ptr<QGuiApplication> app;
    return app;
}

// Creates the QGuiApplication, on the offscreen platform unless another one
// is set. The environment below does it before the first test, so that a test
// run on its own has fonts too, and destroys it after the last.
inline void RequireGui()
{
    if (!GuiApplication())
        GuiApplication() = MakeOffscreenApplication<QGuiApplication>("orvina_core_tests");
}

class GuiEnvironment : public ::testing::Environment {
public:
    void SetUp() override { RequireGui(); }
    void TearDown() override { GuiApplication().reset(); }
};

inline ::testing::Environment* const kGuiEnvironment = ::testing::AddGlobalTestEnvironment(new GuiEnvironment);

// June 2024 has 30 days and begins on a Saturday.
constexpr int32_t kYear = 2024;
constexpr int32_t kMonth = 6;
constexpr int32_t kDays = 30;

constexpr PenState kBlack{PenStyle::Solid, 1, Rgb{0, 0, 0}};  // also every context's own pen
constexpr PenState kLight{PenStyle::Solid, 1, Rgb{225, 225, 225}};
constexpr PenState kSolidGrey{PenStyle::Solid, 1, Rgb{128, 128, 128}};
constexpr PenState kDottedGrey{PenStyle::Dot, 1, Rgb{128, 128, 128}};

// The chart spans 30 units a day across and 430 above to 670 below the zero
// line; on a client of 30 pixels a day by 1100 one unit is one pixel.
inline DcRect UnitClient(int32_t days = kDays)
{
    return DcRect{0, 0, 30 * days, 1100};
}

// Device y of chart-unit height y on a unit client.
constexpr int32_t Y(int32_t y)
{
    return 430 - y;
}

// The application's data, the document and the chart of one paint.
struct ChartSetup {
    explicit ChartSetup(int32_t year = kYear, int32_t month = kMonth, int32_t day = 15,
                        DcRect client = UnitClient())
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

// The days from 1 January 1970 to a proleptic Gregorian date, computed apart
// from the program's own day numbers.
inline int64_t DaysFromCivil(int64_t year, int64_t month, int64_t day)
{
    year -= month <= 2 ? 1 : 0;
    const int64_t era = (year >= 0 ? year : year - 399) / 400;
    const int64_t yearOfEra = year - era * 400;
    const int64_t dayOfYear = (153 * (month + (month > 2 ? -3 : 9)) + 2) / 5 + day - 1;
    const int64_t dayOfEra = yearOfEra * 365 + yearOfEra / 4 - yearOfEra / 100 + dayOfYear;
    return era * 146097 + dayOfEra - 719468;
}

}  // namespace charttest
