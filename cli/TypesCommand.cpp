// zentavo-cli types: every leaf of the vocabulary's type tree in leaf order, with the class the
// factory makes for it and the caption its dialog shows.
#include "CCalcBase.h"
#include "Commands.h"
#include "GetCalcBase.h"
#include "TypeCodes.h"
#include "Vocabulary.h"

#include <string>
#include <vector>

namespace
{
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

int TypesCommand()
{
    std::string out;
    for (const std::string& code : LeafTypeCodes()) {
        const CCalcClassInfo* info = FindCalcClass(code);
        out += code + "\t" + (info ? info->className : "") + "\t" + DialogCaption(code) + "\n";
    }
    return FinishStdout(out);
}
