// zentavo-cli types: every leaf of the vocabulary's type tree in leaf order, with the class the
// factory makes for it and the caption its dialog shows.
#include "CCalcBase.h"
#include "CCalcType.h"
#include "Commands.h"
#include "GetCalcBase.h"
#include "Vocabulary.h"

#include <string>
#include <vector>

namespace
{
/// Appends the leaves below `code` depth first, in ascending child order.
void CollectLeaves(const CCalcType& code, std::vector<CCalcType>& leaves)
{
    const int count = ChildCount(code);
    if (count == 0) {
        leaves.push_back(code);
        return;
    }
    for (int i = 1; i <= count; ++i) {
        CCalcType child = code;
        child.SetType(i, code.GetLevel() + 1);
        CollectLeaves(child, leaves);
    }
}

/// The caption of the code's dialog: the joined labels, except for the dialogs that keep the
/// caption of their template.
std::string DialogCaption(const std::string& code)
{
    const CCalcClassInfo* info = FindCalcClass(code);
    if (info && (code == "1200" || code == "4150"))
        return info->resourceTitle;
    return TypeTitle(code);
}
} // namespace

int TypesCommand(const std::vector<std::string>& args)
{
    if (!args.empty())
        return CliFailure("types takes no arguments");
    std::vector<CCalcType> leaves;
    CollectLeaves(CCalcType(), leaves);
    std::string out;
    for (const CCalcType& leaf : leaves) {
        const std::string code = leaf.GetTypeString();
        const CCalcClassInfo* info = FindCalcClass(code);
        out += code + "\t" + (info ? info->className : "") + "\t" + DialogCaption(code) + "\n";
    }
    return FinishStdout(out);
}
