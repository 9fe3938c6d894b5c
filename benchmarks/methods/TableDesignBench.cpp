// The 2x2 table by study design at its largest counts: a million in every cell gives the widest
// conditional distribution (a standard deviation of some 500 values), the worst case of the
// exact limits' root searches; a lopsided table puts the observed cell far from the mode.
#include "MethodBenchSupport.h"

#include <benchmark/benchmark.h>

namespace
{
void TableDesignMillionCounts(benchmark::State& state)
{
    for (auto _ : state)
        benchmark::DoNotOptimize(
            MethodReport("3400", {"a=1000000", "b=950000", "c=900000", "d=1000000", "design=cohort", "level=99.99"}));
}
BENCHMARK(TableDesignMillionCounts)->Unit(benchmark::kMillisecond);

void TableDesignLopsidedMillion(benchmark::State& state)
{
    for (auto _ : state)
        benchmark::DoNotOptimize(
            MethodReport("3400", {"a=1000000", "b=1", "c=3", "d=1000000", "design=cross-sectional"}));
}
BENCHMARK(TableDesignLopsidedMillion)->Unit(benchmark::kMillisecond);
} // namespace
