#include <benchmark/benchmark.h>

#include "calc/modRounding.h"
#include "calc/modWastage.h"

using namespace brenta;

static void BM_RoundNumber(benchmark::State& state)
{
    const NumberFormat fmt;
    double x = 67.60000000000001;
    for (auto _ : state) {
        double y = x;
        benchmark::DoNotOptimize(modRounding::RoundNumber(y, fmt));
    }
}
BENCHMARK(BM_RoundNumber);

static void BM_WastageAtML(benchmark::State& state)
{
    std::int32_t ml = 0;
    for (auto _ : state) {
        benchmark::DoNotOptimize(modWastage::WastageAtML(ml, 0.1));
        ml = (ml + 1) & 1023;
    }
}
BENCHMARK(BM_WastageAtML);
