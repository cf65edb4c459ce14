// The build plan of the blueprint with the deepest production tree: the core plan
// alone, opening the window on it, and one flip of a component up to the totals
// written.

#include <benchmark/benchmark.h>

#include <QApplication>
#include <QLineEdit>
#include <QTreeWidget>

#include <algorithm>
#include <chrono>
#include <vector>

#include "bench/BenchWindow.h"
#include "bench/PlanTrees.h"
#include "calc/BuildPlan.h"
#include "ui/windows/frmBuildPlan.h"

using namespace brenta;

namespace {

// The blueprint whose plan of one run goes deepest, the larger plan on a tie.
std::int16_t Deepest(const Catalogue& cat, const pricing::Builders& builders)
{
    return bench::DeepestFirst(cat, builders).front();
}

void BM_BuildPlan_Core_Deepest(benchmark::State& state)
{
    const Catalogue cat = Catalogue::Compiled();
    const pricing::Builders builders(cat.strBPs);
    const std::int16_t bp = Deepest(cat, builders);
    std::size_t nodes = 0;
    for (auto _ : state) {
        const plan::Plan p = plan::Make(plan::Job{bp, 10, 0, 0}, 0, cat, builders, plan::Player{});
        nodes = p.nodes.size();
        benchmark::DoNotOptimize(p.totals.cost);
    }
    state.SetLabel(std::string(cat.strBPs[static_cast<std::size_t>(bp)].substr(
                       0, cat.strBPs[static_cast<std::size_t>(bp)].find('{')))
        + ", 10 runs, " + std::to_string(nodes) + " nodes");
}
BENCHMARK(BM_BuildPlan_Core_Deepest)->Unit(benchmark::kMicrosecond);

// The main window showing the deepest plan's blueprint at 10 runs.
struct PlanWindow : bench::Window {
    PlanWindow()
    {
        const pricing::Builders builders(main->Cat().strBPs);
        main->LoadBP(Deepest(main->Cat(), builders));
        main->ControlsForTests().txtRuns->setText(QStringLiteral("10"));
        main->show();
        QApplication::processEvents();
    }
};

void BM_BuildPlan_OpenWindow_Deepest(benchmark::State& state)
{
    PlanWindow w;
    for (auto _ : state) {
        auto* plan = new ui::frmBuildPlan(w.main.get(), w.main->PlanSource());
        plan->show();
        QApplication::processEvents();
        state.PauseTiming();
        delete plan;
        QApplication::processEvents();
        state.ResumeTiming();
    }
}
BENCHMARK(BM_BuildPlan_OpenWindow_Deepest)->Unit(benchmark::kMillisecond);

// Each flip timed alone, from the check box changing to the totals written; the
// counters give the median and the worst flip. Arg 1 also lets the window lay
// itself out and paint what the flip changed, as the event loop would next.
void BM_BuildPlan_FlipOne_Deepest(benchmark::State& state)
{
    PlanWindow w;
    auto* plan = new ui::frmBuildPlan(w.main.get(), w.main->PlanSource());
    plan->show();
    QApplication::processEvents();
    const bool paint = state.range(0) != 0;
    // The buildable component nearest the top: its flip changes the most.
    std::size_t node = 1;
    while (node < plan->Plan()->nodes.size() && !plan->Plan()->nodes[node].Buildable())
        ++node;
    QTreeWidgetItem* item = plan->TestItemOf(node);
    std::vector<double> flips;
    for (auto _ : state) {
        const auto start = std::chrono::steady_clock::now();
        item->setCheckState(ui::frmBuildPlan::ColBuild,
            item->checkState(ui::frmBuildPlan::ColBuild) == Qt::Checked ? Qt::Unchecked : Qt::Checked);
        if (paint)
            QApplication::processEvents();
        flips.push_back(
            std::chrono::duration<double, std::micro>(std::chrono::steady_clock::now() - start).count());
        benchmark::DoNotOptimize(plan->Plan()->totals.cost);
    }
    std::sort(flips.begin(), flips.end());
    if (!flips.empty()) {
        state.counters["median_us"] = flips[flips.size() / 2];
        state.counters["max_us"] = flips.back();
    }
    state.SetLabel(
        std::to_string(plan->Plan()->nodes.size()) + " nodes" + (paint ? ", laid out and painted" : ", written"));
    delete plan;
}
BENCHMARK(BM_BuildPlan_FlipOne_Deepest)->Arg(0)->Arg(1)->Unit(benchmark::kMicrosecond);

} // namespace
