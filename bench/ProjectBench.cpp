// The production project's combined plan in the core: twenty jobs, the five with
// the deepest production trees among them.

#include <benchmark/benchmark.h>

#include <algorithm>

#include "bench/PlanTrees.h"
#include "calc/Project.h"

using namespace brenta;

namespace {

// Twenty jobs: the deepest trees of the catalogue.
project::Input TwentyJobs(const Catalogue& cat, const pricing::Builders& builders)
{
    const std::vector<std::int16_t> order = bench::DeepestFirst(cat, builders);
    project::Input input;
    for (std::size_t k = 0; k < 20 && k < order.size(); ++k)
        input.jobs.push_back(project::Job{order[k], 10, 0, 0, 1e9});
    return input;
}

void BM_ProjectPlan_TwentyJobs(benchmark::State& state)
{
    const Catalogue cat = Catalogue::Compiled();
    const pricing::Builders builders(cat.strBPs);
    const project::Input input = TwentyJobs(cat, builders);
    const plan::Player player{NumberFormat{}, 5, 5, 1, 1};
    std::size_t items = 0;
    for (auto _ : state) {
        const project::Result r = project::Plan(input, cat, builders, player);
        items = r.items.size();
        benchmark::DoNotOptimize(r.totals.cost);
    }
    state.counters["items"] = static_cast<double>(items);
}
BENCHMARK(BM_ProjectPlan_TwentyJobs)->Unit(benchmark::kMicrosecond);

} // namespace
