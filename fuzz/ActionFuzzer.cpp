// Fuzzes the command-line actions of `zentavo-cli run` and the dialogs they drive: the first
// byte picks a calculation type, each further line is one action ("ID=TEXT", "+ID", "@ID",
// "tab=N", ...). Actions that parse print back to themselves; the calculation then runs with
// them exactly as the command does.
#include "CalcRunner.h"
#include "FuzzSupport.h"
#include "GetCalcBase.h"

#include <string>

namespace
{
constexpr size_t kMaxActions = 16;

/// The command-line text of an action (the one form ParseScriptAction reads back).
std::string ActionText(const CScriptAction& action)
{
    switch (action.kind) {
    case CScriptAction::SetText:
        return std::to_string(action.id) + "=" + action.text;
    case CScriptAction::Check:
        return "+" + std::to_string(action.id);
    case CScriptAction::Uncheck:
        return "-" + std::to_string(action.id);
    case CScriptAction::Press:
        return "@" + std::to_string(action.id);
    case CScriptAction::SelectTab:
        return "tab=" + std::to_string(action.index);
    case CScriptAction::SelectRow:
        return "row=" + std::to_string(action.index);
    }
    return {};
}

bool SameAction(const CScriptAction& a, const CScriptAction& b)
{
    return a.kind == b.kind && a.id == b.id && a.index == b.index && a.text == b.text;
}
} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    InitFuzzEnvironment();
    if (size == 0)
        return 0;
    const std::vector<CCalcClassInfo>& table = AllCalcClasses();
    CCalcRunRequest request;
    request.code = data[0] % (table.size() + 1) == table.size() ? "9999" : table[data[0] % (table.size() + 1)].code;
    request.seed = 1;
    for (const std::string& line :
         SplitLines(std::string_view(reinterpret_cast<const char*>(data) + 1, size - 1), kMaxActions)) {
        CScriptAction action;
        if (!ParseScriptAction(line, action))
            continue;
        CScriptAction again;
        if (!ParseScriptAction(ActionText(action), again) || !SameAction(action, again))
            FuzzFail("action", "the action '" + line + "' does not read back from its own text");
        if (action.kind != CScriptAction::SelectTab && action.kind != CScriptAction::SelectRow && action.id <= 0)
            FuzzFail("action", "the action '" + line + "' names no control");
        request.actions.push_back(action);
    }
    if (ScriptAsksTooMuch(request.code, request.actions))
        return 0;
    const CCalcRunResult result = RunNewCalculation(request);
    if (result.outcome == CCalcRunResult::Written && result.report.empty() && request.code != "9999")
        FuzzFail("action", "a written calculation has no report");
    return 0;
}
