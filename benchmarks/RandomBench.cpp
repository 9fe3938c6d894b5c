// Timing of a unique random list of 30,000 numbers between 1 and 40,000, drawn and reported
// through the calculation's own dialog as `zentavo-cli run` makes it.
// Run: ZENTAVO_INI=resources/Zentavo.ini build/benchmarks/RandomBench
#include "CalcRunner.h"
#include "FrameworkInit.h"
#include "Profile.h"
#include "ZNTVStat.h"

#include <algorithm>
#include <chrono>
#include <clocale>
#include <cstdio>
#include <filesystem>

namespace
{
std::filesystem::path ExecutableDir(const char* argv0)
{
    std::error_code ec;
    const std::filesystem::path self = std::filesystem::read_symlink("/proc/self/exe", ec);
    return ec ? std::filesystem::absolute(argv0).parent_path() : self.parent_path();
}
} // namespace

int main(int /*argc*/, char** argv)
{
    std::setlocale(LC_ALL, "C");
    InitVocabulary(ExecutableDir(argv[0]));
    ZNTVCalcInit();
    ZNTVStatInit();

    CCalcRunRequest request;
    request.code = "4310";
    request.seed = 20240601;
    for (const char* text : {"1076=30000", "1075=1", "1074=40000", "+1145"}) {
        CScriptAction action;
        ParseScriptAction(text, action);
        request.actions.push_back(action);
    }
    double best = 1e300;
    CCalcRunResult run;
    for (int round = 0; round < 3; ++round) {
        const auto start = std::chrono::steady_clock::now();
        run = RunNewCalculation(request);
        best = std::min(best, std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count());
    }
    std::printf("unique list of 30000 numbers in 1..40000: %.3f s (%s, %zu report characters)\n", best,
                run.outcome == CCalcRunResult::Written ? "written" : "NOT WRITTEN", run.report.size());
    return best < 2.0 ? 0 : 1;
}
