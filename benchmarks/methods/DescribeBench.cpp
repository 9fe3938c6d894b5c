// Whole reports of the proportion with several intervals, the rate with exact intervals and the
// standardised ratio at their largest inputs: counts of 10^9, where the exact limits and the
// mid-P root searches work hardest.
#include "MethodBenchSupport.h"

#include <benchmark/benchmark.h>

namespace
{
void ReportOf(benchmark::State& state, const char* code, const std::vector<std::string>& args)
{
    for (auto _ : state)
        benchmark::DoNotOptimize(MethodReport(code, args));
}

void ProportionIntervalsSmallCount(benchmark::State& state)
{
    ReportOf(state, "1130", {"count=7", "n=1000000000", "level=99.99"});
}

void ProportionIntervalsHalf(benchmark::State& state)
{
    ReportOf(state, "1130", {"count=500000000", "n=1000000000", "level=99.99"});
}

void RateExactMostEvents(benchmark::State& state)
{
    ReportOf(state, "1500", {"count=1000000000", "person_time=0.5", "multiplier=100000", "level=99.99"});
}

void SmrMostObserved(benchmark::State& state)
{
    ReportOf(state, "1600", {"observed=1000000000", "expected=999000000", "level=99.99"});
}
} // namespace

BENCHMARK(ProportionIntervalsSmallCount)->Unit(benchmark::kMillisecond);
BENCHMARK(ProportionIntervalsHalf)->Unit(benchmark::kMillisecond);
BENCHMARK(RateExactMostEvents)->Unit(benchmark::kMillisecond);
BENCHMARK(SmrMostObserved)->Unit(benchmark::kMillisecond);
