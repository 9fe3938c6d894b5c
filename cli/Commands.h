// The commands of zentavo-cli, one function each. Each takes the arguments after its name
// (--vocab and its file already removed), writes its result to stdout and returns the exit code.
#pragma once

#include "ExportFormat.h"

#include <optional>
#include <string>
#include <vector>

class CCliDocument;

/// tree FILE.zna: one line per node, "TYPE F|C LABEL", indented two blanks per level; control
/// characters of a label are spelled out (EscapeControlCharacters), so a label is one line.
int TreeCommand(const std::vector<std::string>& args);
/// export FILE.zna [OUT] [--format txt|html|pdf|odt]: the bytes File > Export writes, into OUT
/// (replaced atomically; never the document itself) or to stdout. The format is `--format`'s,
/// else OUT's extension's, else plain text. On a terminal, control characters other than tab
/// and the line ends are spelled out.
int ExportCommand(std::vector<std::string> args);
/// Removes "--format NAME" from the export arguments: the format it names, or the one OUT's
/// extension gives; nothing for plain text by default. A bad or missing name sets `error`.
std::optional<CExportFormat> TakeExportFormat(std::vector<std::string>& args, std::string& error);
/// Writes the document's reports in a format other than the default plain text, into `out`
/// or to stdout (text and HTML only) when it is null.
int ExportInFormat(CCliDocument& document, CExportFormat format, const std::string* out);
/// run CODE [--seed N] [--rtf] [--doc FILE.zna] [ACTION ...]: a new calculation through its
/// dialog driven by the actions; prints the report. Exit 2 when OK was refused or cancelled.
/// With --doc the document is locked (CDocumentLock) from reading to saving.
int RunCommand(const std::vector<std::string>& args);
/// types: one line per leaf of the type tree: code, class name, dialog caption.
int TypesCommand(const std::vector<std::string>& args);

/// Writes "zentavo-cli: REASON" on stderr and returns 1.
int CliFailure(const std::string& reason);
/// Writes bytes to stdout and flushes; false when that fails.
bool WriteStdout(const std::string& bytes);
/// Writes bytes to stdout: 0, or 1 after saying on stderr why they could not be written.
int FinishStdout(const std::string& bytes);
