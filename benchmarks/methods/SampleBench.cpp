// Whole reports of the sample-size, power and distribution types at their largest inputs: the
// binomial and Poisson tails at 10^9, the noncentral t at 10^7 a group, sizes at tiny differences.
#include "MethodBenchSupport.h"

#include <benchmark/benchmark.h>

namespace
{
void Report(benchmark::State& state, const char* code, const std::vector<std::string>& args)
{
    for (auto _ : state)
        benchmark::DoNotOptimize(MethodReport(code, args));
}

void BM_SizeThreeFormulas(benchmark::State& state)
{
    Report(state, "4180", {"percentage1=50", "percentage2=50.0001", "ratio=0.01", "power=99.99", "level=99.99"});
}
BENCHMARK(BM_SizeThreeFormulas);

void BM_PowerTwoProportions(benchmark::State& state)
{
    Report(state, "4410",
           {"percentage1=50", "percentage2=50.0001", "n1=1000000000", "n2=1000000000", "target_power=99.99"});
}
BENCHMARK(BM_PowerTwoProportions);

void BM_PowerTwoMeans(benchmark::State& state)
{
    Report(state, "4420",
           {"difference=0.001", "sd=1", "n1=10000000", "n2=10000000", "target_power=99.99", "level=99.99"});
}
BENCHMARK(BM_PowerTwoMeans);

void BM_PowerTwoMeansSmallGroups(benchmark::State& state)
{
    Report(state, "4420", {"difference=1", "sd=1", "n1=2", "n2=2", "target_power=99.99", "level=99.99"});
}
BENCHMARK(BM_PowerTwoMeansSmallGroups);

void BM_BinomialBillion(benchmark::State& state)
{
    Report(state, "5400", {"n=1000000000", "p=0.5", "x=499990000", "level=99.99"});
}
BENCHMARK(BM_BinomialBillion);

void BM_PoissonBillion(benchmark::State& state)
{
    Report(state, "5500", {"mean=1000000000", "x=999950000", "level=99.99"});
}
BENCHMARK(BM_PoissonBillion);
} // namespace
