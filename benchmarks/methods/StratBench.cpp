// The stratified tables with homogeneity at their largest inputs: twenty strata of counts near
// 10^9, every summary and homogeneity test in one whole report.
#include "MethodBenchSupport.h"

#include <benchmark/benchmark.h>
#include <string>
#include <vector>

namespace
{
std::vector<std::string> TwentyLargeStrata()
{
    std::vector<std::string> args = {"level=99.99", "title=Bench"};
    for (int i = 0; i < 20; ++i) {
        const std::string prefix = "strata[" + std::to_string(i + 1) + "].";
        args.push_back(prefix + "a=" + std::to_string(1000000000 - 7000000 * i));
        args.push_back(prefix + "b=" + std::to_string(300000000 + 10000000 * i));
        args.push_back(prefix + "c=" + std::to_string(200000000 + 3000000 * i));
        args.push_back(prefix + "d=" + std::to_string(900000000 - 20000000 * i));
    }
    return args;
}

void BM_StratHomogeneityTwentyStrataOfABillion(benchmark::State& state)
{
    const std::vector<std::string> args = TwentyLargeStrata();
    for (auto _ : state)
        benchmark::DoNotOptimize(MethodReport("3500", args));
}
BENCHMARK(BM_StratHomogeneityTwentyStrataOfABillion)->Unit(benchmark::kMillisecond);
} // namespace
