// Timings of the unstratified 2x2 report with Fisher's exact test at the dialog's largest counts
// and at 2,500 per cell, beside the term-by-term log-factorial enumeration it replaces.
// Run: ZENTAVO_INI=resources/Zentavo.ini build/benchmarks/UnstratBench
#include "CalcRunner.h"
#include "FisherExact.h"
#include "FrameworkInit.h"
#include "Profile.h"
#include "ZNTVStat.h"

#include <algorithm>
#include <chrono>
#include <clocale>
#include <cmath>
#include <cstdio>
#include <filesystem>
#include <functional>
#include <string>
#include <vector>

namespace
{
using CClock = std::chrono::steady_clock;

/// Seconds taken by `work`, the best of `rounds` runs.
double BestSeconds(int rounds, const std::function<void()>& work)
{
    double best = 1e300;
    for (int i = 0; i < rounds; ++i) {
        const CClock::time_point start = CClock::now();
        work();
        best = std::min(best, std::chrono::duration<double>(CClock::now() - start).count());
    }
    return best;
}

/// The unstratified report through the calculation's own dialog, as `zentavo-cli run` makes it.
CCalcRunResult RunReport(unsigned cell)
{
    CCalcRunRequest request;
    request.code = "3200";
    for (const int id : {1090, 1091, 1092, 1093}) {
        CScriptAction action;
        ParseScriptAction(std::to_string(id) + "=" + std::to_string(cell), action);
        request.actions.push_back(action);
    }
    return RunNewCalculation(request);
}

/// log10 k! summed term by term from k downwards, as the enumeration below asks for it.
double SlowLogFactorial(double k)
{
    double sum = 0;
    for (double i = k; i >= 1; --i)
        sum += std::log10(i);
    return sum;
}

/// The enumeration recomputing every log-factorial of every table by summation and comparing
/// probabilities without tolerance: kept here only to measure what the fast test replaces.
CFisherResult SlowFisher(double a, double b, double c, double d)
{
    const double r1 = a + b, r2 = c + d, c1 = a + c, c2 = b + d, n = a + b + c + d;
    const auto probability = [&](double x, double y, double z, double w) {
        const double margins =
            SlowLogFactorial(c1) + SlowLogFactorial(c2) + SlowLogFactorial(r1) + SlowLogFactorial(r2);
        const double cells =
            SlowLogFactorial(n) + SlowLogFactorial(x) + SlowLogFactorial(y) + SlowLogFactorial(z) + SlowLogFactorial(w);
        return std::pow(10.0, margins - cells);
    };
    const auto sign = [](double v) { return v > 0 ? 1 : v == 0 ? 0 : -1; };
    CFisherResult result;
    result.observed = probability(a, b, c, d);
    const int observedSign = sign(a / r1 - c / r2);
    const double lo = r1 > c2 ? r1 - c2 : 0;
    double lower = 0, upper = 0; // the whole tails P(X <= a) and P(X >= a)
    for (double x = lo; x <= std::min(r1, c1); ++x) {
        const double p = probability(x, r1 - x, c1 - x, c2 - (r1 - x));
        if (x <= a)
            lower += p;
        if (x >= a)
            upper += p;
        if (p <= result.observed) {
            result.twoSided += p;
            if (sign(x / r1 - (c1 - x) / r2) == observedSign)
                result.oneSided += p;
        }
    }
    // Equal shares show no direction: the one-sided p is then the smaller whole tail.
    if (observedSign == 0)
        result.oneSided = std::min(lower, upper);
    return result;
}

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

    for (const unsigned cell : {1000000u, 2500u}) {
        CCalcRunResult run;
        const double report = BestSeconds(5, [&] { run = RunReport(cell); });
        CFisherResult fisher;
        const double test = BestSeconds(5, [&] { fisher = FisherExact(cell, cell, cell, cell); });
        std::printf("a = b = c = d = %u: report with the exact test %.4f s (%s), exact test alone %.4f s, "
                    "p = %.6f / %.6f\n",
                    cell, report, run.outcome == CCalcRunResult::Written ? "written" : "NOT WRITTEN", test,
                    fisher.oneSided, fisher.twoSided);
    }

    CFisherResult slow;
    const double literal = BestSeconds(1, [&] { slow = SlowFisher(2500, 2500, 2500, 2500); });
    std::printf("a = b = c = d = 2500: term-by-term log-factorial enumeration %.2f s, p = %.6f / %.6f\n", literal,
                slow.oneSided, slow.twoSided);
    return 0;
}
