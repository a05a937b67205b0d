// Keyboard days on a 1920x1080 chart view: one key, with the repaint and the
// readout it brings, and a year of Right keys queued as a held key queues
// them, which must come out as one paint.
#include "people/appdata.h"
#include "people/ovixdoc.h"
#include "platform/offscreenapplication.h"
#include "view/ovixview.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QKeyEvent>
#include <QPrinter>
#include <QWindow>
#include <benchmark/benchmark.h>

namespace {
// Longer than any frame: a paint asked for is done by then.
constexpr qint64 kFrameWait = 50;

// Counts the paint events a widget receives.
class PaintCounter : public QObject {
public:
    explicit PaintCounter(QWidget& widget) { widget.installEventFilter(this); }
    int m_count = 0;

protected:
    bool eventFilter(QObject*, QEvent* event) override
    {
        if (event->type() == QEvent::Paint)
            ++m_count;
        return false;
    }
};

// The view alone, shown at 1920x1080 and painted once, July 2024 on screen.
struct BenchView {
    BenchView()
    {
        app.m_names.Append(CName("Ada Byron", "1990", "05", "17"));
        doc.InitMonthLengths();
        doc.m_curYear = 2024;
        doc.m_curMonth = 7;
        doc.m_curDay = 15;
        view.OnInitialUpdate();
        view.resize(1920, 1080);
        view.show();
        view.repaint();
        QApplication::processEvents();
    }
    void Press(Qt::Key key, bool autoRepeat, bool queued)
    {
        auto* event = new QKeyEvent(QEvent::KeyPress, key, Qt::NoModifier, QString(), autoRepeat);
        if (queued) {
            QApplication::postEvent(&view, event);
        } else {
            QApplication::sendEvent(&view, event);
            delete event;
        }
    }
    // The application comes before the printer, which needs it.
    bool ready = (RequireOffscreenApplication<QApplication>("dayreadout_bench"), true);
    CAppData app;
    COvixDoc doc{app};
    QPrinter printer;
    COvixView view{app, doc, printer};
};

// The key, then the window's next frame at once: the paint of what the key
// invalidated. Within July 2024, so every key stays in the month.
void KeyboardSelectionAt1920x1080(benchmark::State& state)
{
    BenchView bench;
    PaintCounter paints(bench.view);
    int32_t readouts = 0;
    QObject::connect(&bench.view, &COvixView::ReadoutChanged, [&readouts] { ++readouts; });
    int64_t keys = 0;
    for (auto _ : state) {
        const bool back = keys++ % 28 >= 14;
        bench.Press(back ? Qt::Key_Left : Qt::Key_Right, false, false);
        // What the window's frame timer sends: the paint of the dirty region.
        QEvent frame(QEvent::UpdateRequest);
        QApplication::sendEvent(&bench.view, &frame);
    }
    state.counters["readouts_per_key"] = benchmark::Counter(readouts, benchmark::Counter::kAvgIterations);
    state.counters["paints_per_key"] = benchmark::Counter(paints.m_count, benchmark::Counter::kAvgIterations);
}
BENCHMARK(KeyboardSelectionAt1920x1080)->Unit(benchmark::kMillisecond);

// The same key with the whole window repainted, as a click repaints it.
void KeyboardSelectionFullRepaintAt1920x1080(benchmark::State& state)
{
    BenchView bench;
    int64_t keys = 0;
    for (auto _ : state) {
        const bool back = keys++ % 28 >= 14;
        bench.Press(back ? Qt::Key_Left : Qt::Key_Right, false, false);
        bench.view.repaint();
    }
}
BENCHMARK(KeyboardSelectionFullRepaintAt1920x1080)->Unit(benchmark::kMillisecond);

// 366 auto-repeated Right keys queued before the event loop runs, as a key
// held down while a paint is under way queues them: the time until the one
// paint they bring is done.
void HoldingRightForAYear(benchmark::State& state)
{
    BenchView bench;
    PaintCounter paints(bench.view);
    int64_t keys = 0;
    for (auto _ : state) {
        const int before = paints.m_count;
        for (int day = 0; day < 366; ++day)
            bench.Press(Qt::Key_Right, true, true);
        QApplication::processEvents();
        keys += 366;
        // The paint comes with the window's next frame; wait for it, then
        // make sure no second one follows.
        QElapsedTimer frame;
        frame.start();
        while (paints.m_count == before && frame.elapsed() < kFrameWait)
            QApplication::processEvents();
        state.PauseTiming();
        frame.restart();
        while (frame.elapsed() < kFrameWait)
            QApplication::processEvents();
        state.ResumeTiming();
        if (paints.m_count - before != 1)
            state.SkipWithError("a held key did not come out as one paint");
    }
    state.counters["paints_per_366_keys"] =
        benchmark::Counter(static_cast<double>(paints.m_count), benchmark::Counter::kAvgIterations);
    state.counters["keys"] = static_cast<double>(keys);
}
BENCHMARK(HoldingRightForAYear)->Unit(benchmark::kMillisecond);

}  // namespace
