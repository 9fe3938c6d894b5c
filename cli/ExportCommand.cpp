// zentavo-cli export: every report of a document as plain text, as File > Export writes it, or
// in the format `--format` or OUT's extension names.
#include "CliDocument.h"
#include "Commands.h"
#include "ControlText.h"

#include <unistd.h>

int ExportCommand(std::vector<std::string> args)
{
    std::string formatError;
    const std::optional<CExportFormat> format = TakeExportFormat(args, formatError);
    if (!formatError.empty())
        return CliFailure(formatError);
    if (args.empty() || args.size() > 2)
        return CliFailure("usage: zentavo-cli export FILE.zna [OUT] [--format txt|html|pdf|odt]");
    CCliDocument document;
    std::string error;
    if (!document.Open(args[0], error))
        return CliFailure(error);
    if (format && *format != CExportFormat::Text)
        return ExportInFormat(document, *format, args.size() == 2 ? &args[1] : nullptr);
    if (args.size() == 2) {
        if (!document.Doc().ExportToFile(args[1]))
            return CliFailure(document.Doc().GetLastError());
        return 0;
    }
    const std::string text = CCalcDoc::Export(document.Doc().GetHead());
    // A pipe or file gets the exact bytes; a terminal no escape sequence from a report.
    return FinishStdout(::isatty(STDOUT_FILENO) ? EscapeControlCharacters(text, "\t\r\n") : text);
}
