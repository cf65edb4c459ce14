// The main window's costs as the player feels them: start-up to the shown window,
// showing the blueprint with the most materials, and one recomputation of its sheet
// with the widgets and with the core alone.

#include <benchmark/benchmark.h>

#include <QAction>
#include <QApplication>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>

#include <algorithm>
#include <chrono>

#include "bench/BenchWindow.h"
#include "calc/Job.h"
#include "calc/Sheet.h"
#include "ui/windows/frmComparison.h"
#include "ui/windows/frmGraph.h"

using namespace brenta;
using bench::Window;

namespace {

void BM_StartUpToShownWindow(benchmark::State& state)
{
    for (auto _ : state) {
        Window w;
        benchmark::DoNotOptimize(w.main.get());
        state.PauseTiming();
        w.main->hide();
        state.ResumeTiming();
    }
}
BENCHMARK(BM_StartUpToShownWindow)->Unit(benchmark::kMillisecond);

void BM_LoadBP_MostMaterials(benchmark::State& state)
{
    Window w;
    const int entry = w.MostMaterials();
    w.Show(entry);
    for (auto _ : state)
        w.main->LoadBP(static_cast<std::int16_t>(entry));
}
BENCHMARK(BM_LoadBP_MostMaterials)->Unit(benchmark::kMicrosecond);

void BM_UpdateML_MostMaterials(benchmark::State& state)
{
    Window w;
    w.main->ControlsForTests().Improvements->setChecked(state.range(0) != 0);
    w.Show(w.MostMaterials());
    for (auto _ : state)
        w.main->UpdateML();
    state.SetLabel(state.range(0) != 0 ? "next improvement on, ML 0" : "next improvement off");
}
BENCHMARK(BM_UpdateML_MostMaterials)->Arg(0)->Arg(1)->Unit(benchmark::kMicrosecond);

void BM_SheetCompute_MostMaterials(benchmark::State& state)
{
    Window w;
    w.main->ControlsForTests().Improvements->setChecked(state.range(0) != 0);
    w.Show(w.MostMaterials());
    const ui::frmMain& m = *w.main;
    const sheet::Input in = job::SheetInput(m.CurrentJob(), m.Cat(), m.Format());
    for (auto _ : state)
        benchmark::DoNotOptimize(sheet::Compute(in));
}
BENCHMARK(BM_SheetCompute_MostMaterials)->Arg(0)->Arg(1)->Unit(benchmark::kMicrosecond);

// One keystroke in the ML box with "Show Next Improvement" on, for every blueprint
// of the catalogue at the ML given: each blueprint's time is the best of three
// recomputations (the machine is shared), and the counters give the worst and the
// mean over the catalogue; the worst one is named in the label.
void BM_UpdateML_EveryBlueprint(benchmark::State& state)
{
    Window w;
    w.main->ControlsForTests().Improvements->setChecked(true);
    const QString ml = QString::number(state.range(0));
    double worst = 0;
    double total = 0;
    std::string worstName;
    int count = 0;
    for (auto _ : state) {
        for (int entry = 0; entry < w.main->ControlsForTests().cboBP->count(); ++entry) {
            w.Show(entry);
            w.main->ControlsForTests().txtML->setText(ml);
            double best = 1e9;
            for (int k = 0; k < 3; ++k) {
                const auto start = std::chrono::steady_clock::now();
                w.main->UpdateML();
                best = std::min(best,
                    std::chrono::duration<double, std::micro>(std::chrono::steady_clock::now() - start).count());
            }
            if (w.main->ControlsForTests().txtWF->text() == QStringLiteral("Invalid ML"))
                state.SkipWithError("the sheet failed");
            total += best;
            ++count;
            if (best > worst) {
                worst = best;
                worstName = w.main->ControlsForTests().cboBP->itemText(entry).toStdString();
            }
        }
        state.SetIterationTime(total / 1e6);
    }
    state.counters["worst_us"] = worst;
    state.counters["mean_us"] = total / count;
    state.SetLabel("ML " + ml.toStdString() + ", worst: " + worstName);
}
BENCHMARK(BM_UpdateML_EveryBlueprint)
    ->Arg(0)
    ->Arg(10)
    ->Arg(1000)
    ->Arg(1000000)
    ->Iterations(1)
    ->UseManualTime()
    ->Unit(benchmark::kMillisecond);

} // namespace

// Research planning: a keystroke in the comparison's start box for the blueprint with
// the most materials, up to every caption written; and the waste graph of a material
// whose ideal ML is 500, computed and painted.
namespace {

ui::frmComparison* OpenComparison(ui::frmMain& main)
{
    main.ControlsForTests().MLtoML->trigger();
    for (QWidget* w : QApplication::topLevelWidgets())
        if (auto* c = qobject_cast<ui::frmComparison*>(w))
            return c;
    return nullptr;
}

void BM_ComparisonKeystroke_MostMaterials(benchmark::State& state)
{
    Window w;
    w.Show(w.MostMaterials());
    ui::frmComparison* c = OpenComparison(*w.main);
    if (!c) {
        state.SkipWithError("the comparison did not open");
        return;
    }
    const QString levels[] = {QStringLiteral("0"), QStringLiteral("10")};
    int i = 0;
    for (auto _ : state)
        c->txtFromML->setText(levels[i++ % 2]);
    delete c;
}
BENCHMARK(BM_ComparisonKeystroke_MostMaterials)->Unit(benchmark::kMicrosecond);

void BM_DrawGraph_Ideal500(benchmark::State& state)
{
    Window w;
    w.Show(w.main->ControlsForTests().cboBP->findText(
        QStringLiteral("'Fascine' Large Remote Hull Repair Unit I Blueprint")));
    std::int16_t row = -1;
    for (std::int16_t r = 0; r < sheet::kRows; ++r)
        if (w.main->ControlsForTests().lblIdeal[static_cast<std::size_t>(r)]->text() == QStringLiteral("500"))
            row = r;
    if (row < 0) {
        state.SkipWithError("no material with ideal ML 500");
        return;
    }
    for (auto _ : state) {
        w.main->DrawGraphMLvWaste(row);
        auto* graph = w.main->findChild<ui::frmGraph*>(QStringLiteral("frmGraph"));
        benchmark::DoNotOptimize(graph->grab());
    }
}
BENCHMARK(BM_DrawGraph_Ideal500)->Unit(benchmark::kMillisecond);

} // namespace
