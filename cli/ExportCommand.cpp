// zentavo-cli export: every report of a document as plain text, as File > Export writes it.
#include "CliDocument.h"
#include "Commands.h"
#include "ControlText.h"

#include <unistd.h>

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
    // A pipe or file gets the exact bytes; a terminal no escape sequence from a report.
    return FinishStdout(::isatty(STDOUT_FILENO) ? EscapeControlCharacters(text, "\t\r\n") : text);
}
