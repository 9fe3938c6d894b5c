// zentavo-cli run: makes one new calculation exactly as the program does (factory, base Do, its
// own input dialog driven by the scripted host, computation, report) and prints the report.
#include "CalcRunner.h"
#include "Commands.h"
#include "DocumentLock.h"

#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

namespace
{
/// Reads the arguments after "run"; false with the reason in `error` for a usage error.
bool ParseRunOptions(const std::vector<std::string>& args, CCalcRunRequest& request, bool& rtf, std::string& error)
{
    if (args.empty()) {
        error = "run needs a type code";
        return false;
    }
    request.code = args[0];
    for (size_t i = 1; i < args.size(); ++i) {
        const std::string& arg = args[i];
        if (arg == "--rtf") {
            rtf = true;
        } else if (arg == "--seed" || arg == "--doc") {
            if (i + 1 >= args.size()) {
                error = arg + " needs a value";
                return false;
            }
            const std::string& value = args[++i];
            if (arg == "--doc") {
                if (value.empty()) {
                    error = "--doc needs a file name";
                    return false;
                }
                request.documentPath = value;
                continue;
            }
            char* end = nullptr;
            errno = 0;
            const unsigned long long seed = std::strtoull(value.c_str(), &end, 10);
            if (value.empty() || *end != '\0' || value[0] == '-' || errno == ERANGE || seed > 0xFFFFFFFFull) {
                error = "--seed needs a whole number from 0 to 4294967295";
                return false;
            }
            request.seed = static_cast<uint32_t>(seed);
        } else {
            CScriptAction action;
            if (!ParseScriptAction(arg, action)) {
                error = "cannot read the action '" + arg + "'";
                return false;
            }
            request.actions.push_back(action);
        }
    }
    return true;
}
} // namespace

int RunCommand(const std::vector<std::string>& args)
{
    CCalcRunRequest request;
    bool rtf = false;
    std::string error;
    if (!ParseRunOptions(args, request, rtf, error))
        return CliFailure(error);
    // Open, file and save as one step: a run beside us on the same document waits until our
    // save is done and then reads it, so that no calculation is lost.
    CDocumentLock lock;
    if (!request.documentPath.empty() && !lock.Acquire(request.documentPath, error))
        return CliFailure(error);
    const CCalcRunResult result = RunNewCalculation(request, true);
    switch (result.outcome) {
    case CCalcRunResult::Written:
        return FinishStdout(rtf ? result.rtf : result.report);
    case CCalcRunResult::NotAdded:
        return 2;
    case CCalcRunResult::Failed:
        break;
    }
    return CliFailure(result.error);
}
