#include "dialogs/compatibilitydlg.h"
#include "dialogs/dialogtemplates.h"
#include "dialogs/peopledlg.h"
#include "people/appdata.h"
#include "platform/offscreenapplication.h"

#include <QApplication>
#include <QDialog>
#include <QTimer>

#include <benchmark/benchmark.h>

#include <memory>
#include <string>

namespace {
void FillPeople(CAppData& app, int count)
{
    for (int person = 0; person < count; ++person)
        app.m_names.Append(CName("Person " + std::to_string(person), "1950", "6", "15"));
    app.Choose(count / 2);
}

// Opens the dialog (window, controls, the filled list) and closes it again as
// soon as it shows.
template <class Dialog>
void OpenAndClose(benchmark::State& state)
{
    RequireOffscreenApplication<QApplication>("peopledlg_bench");
    CAppData app;
    FillPeople(app, static_cast<int>(state.range(0)));
    Dialog dialog(app);
    for (auto _ : state) {
        QTimer::singleShot(0, [&dialog] { dialog.EndDialog(kIdCancel); });
        benchmark::DoNotOptimize(dialog.DoModal(nullptr));
    }
}

void BM_OpenPeopleDialog(benchmark::State& state)
{
    OpenAndClose<CPeopleDlg>(state);
}

void BM_OpenCompatibilityDialog(benchmark::State& state)
{
    OpenAndClose<CCompatibilityDlg>(state);
}
}

BENCHMARK(BM_OpenPeopleDialog)->Arg(10)->Arg(100000)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_OpenCompatibilityDialog)->Arg(10)->Arg(100000)->Unit(benchmark::kMillisecond);
