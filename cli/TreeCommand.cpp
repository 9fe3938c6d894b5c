// zentavo-cli tree: the calculation tree of a document, one node a line.
#include "CCalcDocNode.h"
#include "CliDocument.h"
#include "Commands.h"
#include "ControlText.h"

int TreeCommand(const std::string& path)
{
    CCliDocument document;
    std::string error;
    if (!document.Open(path, error))
        return CliFailure(error);
    std::string out;
    document.Doc().GetHead()->Walk([&out](CCalcNodeBase& node, int depth) {
        out.append(static_cast<size_t>(depth) * 2, ' ');
        out += node.GetType().GetTypeString();
        out += node.IsCalculation() ? " C " : " F ";
        // No line end or terminal control passes.
        const std::string& label = node.GetLabel();
        if (HasControlCharacters(label))
            out += EscapeControlCharacters(label);
        else
            out += label;
        out += '\n';
    });
    return FinishStdout(out);
}
