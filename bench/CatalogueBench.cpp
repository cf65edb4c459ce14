// Filling the whole catalogue is part of every start-up, before the window is shown.
#include <benchmark/benchmark.h>

#include "catalogue/Catalogue.h"

namespace {

// A fresh catalogue each time, as at start-up: sizing the arrays, then the five loaders.
void BM_CatalogueFill(benchmark::State& state)
{
    for (auto _ : state) {
        brenta::Catalogue cat = brenta::Catalogue::Compiled();
        benchmark::DoNotOptimize(cat.strBPs[0].data());
        benchmark::DoNotOptimize(cat.dblPrices.data());
        benchmark::ClobberMemory();
    }
}
BENCHMARK(BM_CatalogueFill)->Unit(benchmark::kMicrosecond);

} // namespace
