// The calculation types of the type tree.
#include "TypeCodes.h"

#include "CCalcType.h"
#include "Vocabulary.h"

#include <algorithm>

namespace
{
/// Appends the codes below `code` depth first, in ascending child order: the groups to
/// `groups`, the leaves to `leaves`.
void CollectCodes(const CCalcType& code, std::vector<std::string>& groups, std::vector<std::string>& leaves)
{
    const int count = ChildCount(code);
    if (count == 0) {
        leaves.push_back(code.GetTypeString());
        return;
    }
    groups.push_back(code.GetTypeString());
    for (int i = 1; i <= count; ++i) {
        CCalcType child = code;
        child.SetType(i, code.GetLevel() + 1);
        CollectCodes(child, groups, leaves);
    }
}
} // namespace

std::vector<std::string> LeafTypeCodes()
{
    std::vector<std::string> groups, leaves;
    CollectCodes(CCalcType(), groups, leaves);
    return leaves;
}

std::string TypeCodeProblem(const std::string& code)
{
    if (code == "9999")
        return {};
    // The tree of codes is walked once per run (a batch checks a code on every line).
    static std::vector<std::string> groups, leaves;
    if (groups.empty() && leaves.empty())
        CollectCodes(CCalcType(), groups, leaves);
    if (std::find(leaves.begin(), leaves.end(), code) != leaves.end())
        return {};
    if (std::find(groups.begin(), groups.end(), code) != groups.end())
        return code + " is a group of calculation types, not a calculation: 'zentavo-cli types' lists the "
                      "calculations";
    return "'" + code + "' is not a calculation type: 'zentavo-cli types' lists them";
}
