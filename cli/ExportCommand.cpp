// zentavo-cli export: every report of a document as plain text, as File > Export writes it.
#include "CliDocument.h"
#include "Commands.h"

int ExportCommand(const std::vector<std::string>& args)
{
    if (args.empty() || args.size() > 2)
        return CliFailure("usage: zentavo-cli export FILE.zna [OUT.txt]");
    CCliDocument document;
    std::string error;
    if (!document.Open(args[0], error))
        return CliFailure(error);
    if (args.size() == 2) {
        if (!document.Doc().ExportToFile(args[1]))
            return CliFailure(document.Doc().GetLastError());
        return 0;
    }
    const std::string text = CCalcDoc::Export(document.Doc().GetHead());
    return WriteStdout(text) ? 0 : CliFailure("cannot write to standard output");
}
