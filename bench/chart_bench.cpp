// One full drawing pass of the chart into images of screen sizes, and a long
// run that checks that no pen or font outlives its pass.
#include "chart/chart.h"
#include "people/appdata.h"
#include "people/ovixdoc.h"
#include "platform/offscreenapplication.h"
#include "platform/painterdc.h"

#include <QGuiApplication>
#include <QImage>
#include <QPainter>
#include <benchmark/benchmark.h>

namespace {
// A 31-day month, the most lines and texts a pass draws.
struct BenchChart {
    BenchChart(int32_t width, int32_t height)
    {
        app.m_names.Append(CName("Ada Byron", "1990", "05", "17"));
        doc.InitMonthLengths();
        chart.OnInitialUpdate();
        chart.m_year = 2024;
        chart.m_month = 7;
        chart.m_day = 15;
        chart.SetClientRect(DcRect{0, 0, width, height});
    }
    CAppData app;
    COvixDoc doc{app};
    CChart chart{app, doc};
};

void DrawPass(benchmark::State& state)
{
    RequireOffscreenApplication<QGuiApplication>("chart_bench");
    const auto width = static_cast<int32_t>(state.range(0));
    const auto height = static_cast<int32_t>(state.range(1));
    BenchChart bench(width, height);
    QImage image(width, height, QImage::Format_RGB32);
    for (auto _ : state) {
        QPainter painter(&image);
        PainterDC dc(painter, width);
        bench.chart.Draw(dc);
    }
    benchmark::DoNotOptimize(image.constBits());
}
BENCHMARK(DrawPass)->Args({1920, 1080})->Args({3840, 2160})->Unit(benchmark::kMillisecond);

void NoPenOrFontOutlivesItsPass(benchmark::State& state)
{
    RequireOffscreenApplication<QGuiApplication>("chart_bench");
    BenchChart bench(900, 550);
    QImage image(900, 550, QImage::Format_RGB32);
    for (auto _ : state) {
        QPainter painter(&image);
        PainterDC dc(painter, 900);
        bench.chart.Draw(dc);
    }
    state.counters["live_pens"] = CPen::LiveCount();
    state.counters["live_fonts"] = CFont::LiveCount();
    if (CPen::LiveCount() != 0 || CFont::LiveCount() != 0)
        state.SkipWithError("pens or fonts outlived their pass");
}
BENCHMARK(NoPenOrFontOutlivesItsPass)->Iterations(10000)->Unit(benchmark::kMillisecond);

}  // namespace
