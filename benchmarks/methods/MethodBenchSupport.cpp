// Start-up of the libraries for the method benchmarks, and one report from field arguments.
// Run: tools/bench-methods.sh (every new calculation's whole report at its largest inputs).
#include "MethodBenchSupport.h"

#include "CCalcBase.h"
#include "CalcRunner.h"
#include "FieldArgs.h"
#include "FrameworkInit.h"
#include "GetCalcBase.h"
#include "Profile.h"
#include "ZNTVStat.h"

#include <clocale>
#include <cstdio>
#include <cstdlib>
#include <memory>

namespace
{
/// Starts the framework once, with the vocabulary named by ZENTAVO_INI (the script sets it).
void StartOnce()
{
    static const bool started = [] {
        std::setlocale(LC_ALL, "C");
        InitVocabulary(std::filesystem::current_path());
        ZNTVCalcInit();
        ZNTVStatInit();
        return true;
    }();
    (void)started;
}
} // namespace

std::string MethodReport(const std::string& code, const std::vector<std::string>& args)
{
    StartOnce();
    const std::unique_ptr<CCalcBase> probe(GetCalcBase(code));
    CCalcRunRequest request;
    request.code = code;
    request.wantResults = false; // the report alone, as `zentavo-cli run` prints it
    std::string error;
    if (!probe || !probe->Fields() || !FieldActions(*probe->Fields(), args, request.actions, error)) {
        std::fprintf(stderr, "MethodsBench: %s: %s\n", code.c_str(), error.c_str());
        std::exit(2);
    }
    const CCalcRunResult run = RunNewCalculation(request);
    if (run.outcome != CCalcRunResult::Written) {
        std::fprintf(stderr, "MethodsBench: %s refused its inputs: %s\n", code.c_str(),
                     run.messages.empty() ? "" : run.messages.front().c_str());
        std::exit(2);
    }
    return run.report;
}
