// Timings of Fisher's exact test at a = b = c = d = n / 4 for n = 40 to 4,000,000, beside a tight
// loop over the same tables (the weights walked outwards from the most probable table and added
// up, nothing stored) as the figure to compare with; and the whole unstratified 2x2 report with
// the exact test, through the calculation's own dialog as a scripted run makes it, on random
// tables with counts up to 1,000.
// Run: ZENTAVO_INI=resources/Zentavo.ini build/benchmarks/FisherBench
#include "CalcRunner.h"
#include "FisherExact.h"
#include "FrameworkInit.h"
#include "Profile.h"
#include "ZNTVStat.h"

#include <algorithm>
#include <benchmark/benchmark.h>
#include <cfloat>
#include <clocale>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <filesystem>
#include <random>
#include <string>
#include <vector>

namespace
{
/// The sum of the weights of every table with the margins of a, b / c, d relative to the most
/// probable one: the same ratios and the same stopping rule as the test, with nothing else.
double TightWalk(uint32_t a, uint32_t b, uint32_t c, uint32_t d)
{
    const double r1 = static_cast<double>(a) + b;
    const double r2 = static_cast<double>(c) + d;
    const double c1 = static_cast<double>(a) + c;
    const double c2 = static_cast<double>(b) + d;
    const double hi = std::min(r1, c1);
    const double lo = r1 > c2 ? r1 - c2 : 0;
    const double mode = std::clamp(std::floor((r1 + 1) * (c1 + 1) / (r1 + r2 + 2)), lo, hi);
    double total = 1;
    double w = 1;
    for (double x = mode; x > lo; --x) {
        w *= (x * (r2 - c1 + x)) / ((r1 - x + 1) * (c1 - x + 1));
        if (w < DBL_MIN)
            break;
        total += w;
    }
    w = 1;
    for (double x = mode; x < hi; ++x) {
        w *= ((r1 - x) * (c1 - x)) / ((x + 1) * (r2 - c1 + x + 1));
        if (w < DBL_MIN)
            break;
        total += w;
    }
    return total;
}

/// The benchmark's argument is the table's total n; every cell holds n / 4.
uint32_t Cell(const benchmark::State& state)
{
    return static_cast<uint32_t>(state.range(0) / 4);
}

void ExactTest(benchmark::State& state)
{
    const uint32_t cell = Cell(state);
    for (auto _ : state) {
        const CFisherResult result = FisherExact(cell, cell, cell, cell);
        benchmark::DoNotOptimize(result.twoSided);
    }
}

void TightLoop(benchmark::State& state)
{
    const uint32_t cell = Cell(state);
    for (auto _ : state)
        benchmark::DoNotOptimize(TightWalk(cell, cell, cell, cell));
}

#define ZENTAVO_TABLE_SIZES ->Arg(40)->Arg(1000)->Arg(10000)->Arg(100000)->Arg(4000000)->Unit(benchmark::kMicrosecond)
BENCHMARK(ExactTest) ZENTAVO_TABLE_SIZES;
BENCHMARK(TightLoop) ZENTAVO_TABLE_SIZES;

/// The unstratified report of a, b / c, d with the exact test, as `zentavo-cli run 3200` makes it.
CCalcRunRequest ReportRequest(uint32_t a, uint32_t b, uint32_t c, uint32_t d)
{
    CCalcRunRequest request;
    request.code = "3200";
    const std::string cells[] = {"1090=" + std::to_string(a), "1091=" + std::to_string(b), "1092=" + std::to_string(c),
                                 "1093=" + std::to_string(d), "+1157"};
    for (const std::string& text : cells) {
        CScriptAction action;
        ParseScriptAction(text, action);
        request.actions.push_back(action);
    }
    return request;
}

void ReportWithExactTest(benchmark::State& state)
{
    // A fixed set of tables with counts 0..1000 from a fixed seed, taken in turn.
    std::mt19937 engine(20261208);
    std::uniform_int_distribution<uint32_t> count(0, 1000);
    std::vector<CCalcRunRequest> requests;
    for (int i = 0; i < 256; ++i) {
        const uint32_t a = count(engine), b = count(engine), c = count(engine), d = count(engine);
        requests.push_back(ReportRequest(a, b, c, d));
    }
    size_t next = 0;
    for (auto _ : state) {
        const CCalcRunResult result = RunNewCalculation(requests[next]);
        if (result.outcome != CCalcRunResult::Written) {
            state.SkipWithError(("report not written: " + result.error).c_str());
            break;
        }
        benchmark::DoNotOptimize(result.report.data());
        next = (next + 1) % requests.size();
    }
    state.SetItemsProcessed(state.iterations());
}
BENCHMARK(ReportWithExactTest)->Unit(benchmark::kMicrosecond);

std::filesystem::path ExecutableDir(const char* argv0)
{
    std::error_code ec;
    const std::filesystem::path self = std::filesystem::read_symlink("/proc/self/exe", ec);
    return ec ? std::filesystem::absolute(argv0).parent_path() : self.parent_path();
}
} // namespace

int main(int argc, char** argv)
{
    std::setlocale(LC_ALL, "C");
    InitVocabulary(ExecutableDir(argv[0]));
    ZNTVCalcInit();
    ZNTVStatInit();
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv))
        return 1;
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
