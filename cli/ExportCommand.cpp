// zentavo-cli export: every report of a document as plain text, as File > Export writes it, or
// in the format `--format` or OUT's extension names: a report format, or the calculations as data.
#include "CliDocument.h"
#include "Commands.h"
#include "ControlText.h"
#include "OsFiles.h"

#include <cctype>
#include <filesystem>

namespace
{
/// The data format a name or an extension gives ("json", ".csv"), if it is one.
std::optional<CResultFormat> DataFormatNamed(std::string name)
{
    if (!name.empty() && name[0] == '.')
        name.erase(0, 1);
    for (char& c : name)
        c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    const std::optional<CResultFormat> format = ResultFormatNamed(name);
    return format == CResultFormat::Text ? std::nullopt : format;
}
} // namespace

int ExportCommand(const CExportOptions& options)
{
    std::optional<CExportFormat> format;
    std::optional<CResultFormat> dataFormat;
    if (options.format) {
        dataFormat = DataFormatNamed(*options.format);
        format = ExportFormatNamed(*options.format);
        if (!format && !dataFormat)
            return CliFailure("unknown export format '" + *options.format +
                              "': use txt, html, pdf, odt, json, csv or tsv");
    } else if (options.out) {
        dataFormat = DataFormatNamed(std::filesystem::path(*options.out).extension().string());
        format = ExportFormatOfPath(*options.out);
    }
    CCliDocument document;
    std::string error;
    if (!document.Open(options.document, error))
        return CliFailure(error);
    const std::string* out = options.out ? &*options.out : nullptr;
    if (dataFormat)
        return ExportAsData(document, *dataFormat, out);
    if (format && *format != CExportFormat::Text)
        return ExportInFormat(document, *format, out);
    if (out) {
        if (!document.Doc().ExportToFile(os::PathFromUtf8(*out)))
            return CliFailure(document.Doc().GetLastError());
        return 0;
    }
    const std::string text = CCalcDoc::Export(document.Doc().GetHead());
    // A pipe or file gets the exact bytes; a terminal no escape sequence from a report.
    return FinishStdout(os::IsTerminal(stdout) ? EscapeControlCharacters(text, "\t\r\n") : text);
}
