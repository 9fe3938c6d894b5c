// The arguments of one `run`.
#include "RunArguments.h"

#include "CCalcBase.h"
#include "FieldArgs.h"
#include "FieldTable.h"
#include "GetCalcBase.h"
#include "TypeCodes.h"

#include <cctype>
#include <cerrno>
#include <cstdlib>
#include <map>
#include <memory>

namespace
{
/// One of the numeric forms ("1090=12", "+1157", "-1157", "@1", "tab=1", "row=0"), by its name.
bool IsNumericForm(const std::string& arg)
{
    const std::string name = arg.substr(0, arg.find('='));
    return !name.empty() && (std::isdigit(static_cast<unsigned char>(name[0])) || name[0] == '+' || name[0] == '-' ||
                             name[0] == '@' || name == "tab" || name == "row");
}

bool ParseSeed(const std::string& value, uint32_t& seed)
{
    char* end = nullptr;
    errno = 0;
    const unsigned long long parsed = std::strtoull(value.c_str(), &end, 10);
    if (value.empty() || *end != '\0' || value[0] == '-' || errno == ERANGE || parsed > 0xFFFFFFFFull)
        return false;
    seed = static_cast<uint32_t>(parsed);
    return true;
}

std::string NoFieldsYet(const std::string& code)
{
    return code + " has no named fields yet: give its values by control id (see zentavo-cli help run)";
}
} // namespace

int BuildRunRequest(const CRunLine& line, CCalcRunRequest& request, std::string& error)
{
    if (line.words.empty()) {
        error = "run needs a type code";
        return 1;
    }
    request.code = line.words[0];
    if (error = TypeCodeProblem(request.code); !error.empty())
        return 1;
    if (line.seed) {
        uint32_t seed = 0;
        if (!ParseSeed(*line.seed, seed)) {
            error = "--seed needs a whole number from 0 to 4294967295";
            return 1;
        }
        request.seed = seed;
    }
    const std::vector<std::string> args(line.words.begin() + 1, line.words.end());
    bool named = false;
    for (const std::string& arg : args) {
        CScriptAction action;
        if (IsNumericForm(arg) ? !ParseScriptAction(arg, action) : arg.find('=') == std::string::npos) {
            error = "cannot read the action '" + arg + "'";
            return 1;
        }
        named = named || !IsNumericForm(arg);
    }

    const CFieldTable* table = FieldsOf(request.code);
    const CField* title = table ? table->Find("title") : nullptr;
    if (!table && (named || line.title)) {
        error = NoFieldsYet(request.code);
        return 2;
    }
    // Without a title of its own the calculation is titled with its code, so that the same
    // arguments give the same output every time. A title among the arguments comes later and wins.
    if (title)
        request.actions.push_back({CScriptAction::SetText, title->id, 0, line.title.value_or(request.code)});
    if (table) {
        if (!FieldActions(*table, args, request.actions, error))
            return 2;
        return 0;
    }
    for (const std::string& arg : args) {
        CScriptAction action;
        ParseScriptAction(arg, action);
        request.actions.push_back(action);
    }
    return 0;
}

/// The field table of a type, or null when it has none; one calculation object per type is
/// kept for the whole run, so a batch asks the factory once per type, not once per line.
const CFieldTable* FieldsOf(const std::string& code)
{
    static std::map<std::string, std::unique_ptr<CCalcBase>> made;
    auto found = made.find(code);
    if (found == made.end())
        found = made.emplace(code, std::unique_ptr<CCalcBase>(GetCalcBase(code))).first;
    return found->second ? found->second->Fields() : nullptr;
}

std::string RefusedFieldName(const CCalcRunResult& result, const std::string& code)
{
    const CFieldTable* table = result.refusedOpen ? FieldsOf(code) : nullptr;
    return table ? FieldNameOfId(*table, result.finalFocusId) : std::string();
}

std::string RefusalReason(const CCalcRunResult& result, const std::string& code)
{
    if (result.messages.empty())
        return result.refusedOpen ? "the dialog refused its input" : "the calculation was cancelled";
    const std::string name = RefusedFieldName(result, code);
    std::string reason = name.empty() ? std::string() : name + ": ";
    for (size_t i = 0; i < result.messages.size(); ++i)
        reason += (i > 0 ? " " : "") + result.messages[i];
    for (char& c : reason)
        if (c == '\n' || c == '\r')
            c = ' ';
    return reason;
}
