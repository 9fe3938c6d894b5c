// Whole reports of the agreement, unequal-variance and rate-ratio types at their largest inputs.
#include "MethodBenchSupport.h"

#include <benchmark/benchmark.h>
#include <string>
#include <vector>

namespace
{
/// A 6 x 6 table of a billion ratings in each cell (kappa, both weighted kappas).
void KappaSixCategoriesOfBillions(benchmark::State& state)
{
    std::vector<std::string> args = {"categories=6", "level=99.99"};
    for (int row = 1; row <= 6; ++row)
        for (int col = 1; col <= 6; ++col)
            args.push_back("r" + std::to_string(row) + "c" + std::to_string(col) + "=" +
                           (row == col ? "1000000000" : "999999999"));
    for (auto _ : state)
        benchmark::DoNotOptimize(MethodReport("3600", args));
}

/// Groups of a billion with SDs of 10^15.
void WelchBillionPerGroup(benchmark::State& state)
{
    const std::vector<std::string> args = {"mean1=100", "sd1=1e15",     "n1=1000000000", "mean2=-100",
                                           "sd2=3e14",  "n2=999999999", "level=99.99"};
    for (auto _ : state)
        benchmark::DoNotOptimize(MethodReport("2640", args));
}

/// Two billion events: exact and mid-P limits of x1 of n and the exact test's bisection.
void RateRatioBillionsOfEvents(benchmark::State& state)
{
    const std::vector<std::string> args = {"events1=1000000000", "person_time1=1e15", "events2=999000000",
                                           "person_time2=1e15",  "per=100000",        "level=99.99"};
    for (auto _ : state)
        benchmark::DoNotOptimize(MethodReport("2700", args));
}
} // namespace

BENCHMARK(KappaSixCategoriesOfBillions)->Unit(benchmark::kMillisecond);
BENCHMARK(WelchBillionPerGroup)->Unit(benchmark::kMillisecond);
BENCHMARK(RateRatioBillionsOfEvents)->Unit(benchmark::kMillisecond);
