// The production project's combined plan in the core: twenty jobs, the five with
// the deepest production trees among them.

#include <benchmark/benchmark.h>

#include <algorithm>

#include "calc/Project.h"

using namespace brenta;

namespace {

int Depth(const plan::Plan& p, std::size_t node)
{
    int depth = 0;
    for (std::size_t n = node; p.nodes[n].parent != plan::kNoParent; n = p.nodes[n].parent)
        ++depth;
    return depth;
}

// Twenty jobs: the five deepest trees, then the fifteen largest of the rest.
project::Input TwentyJobs(const Catalogue& cat, const pricing::Builders& builders)
{
    std::vector<std::tuple<int, std::size_t, std::int16_t>> sizes;
    for (std::int16_t i = 0; i < kBlueprintCount; ++i) {
        const plan::Plan p = plan::Make(plan::Job{i, 1, 0, 0}, 0, cat, builders, plan::Player{});
        int depth = 0;
        for (std::size_t n = 0; n < p.nodes.size(); ++n)
            depth = std::max(depth, Depth(p, n));
        sizes.emplace_back(depth, p.nodes.size(), i);
    }
    std::sort(sizes.rbegin(), sizes.rend());
    project::Input input;
    for (std::size_t k = 0; k < 20 && k < sizes.size(); ++k)
        input.jobs.push_back(project::Job{std::get<2>(sizes[k]), 10, 0, 0, 1e9});
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
