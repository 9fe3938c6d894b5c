// The commands of zentavo-cli, one function each. main.cpp reads the command line into the
// options below; each command writes its result to stdout and returns the exit code: 0 done,
// 1 a usage or file error, 2 input the calculation refused.
#pragma once

#include "ExportFormat.h"
#include "ResultRecords.h"

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

class CCliDocument;

/// tree FILE.zna: one line per node, "TYPE F|C LABEL", indented two blanks per level; control
/// characters of a label are spelled out (EscapeControlCharacters), so a label is one line.
int TreeCommand(const std::string& path);

struct CExportOptions
{
    std::string document;
    std::optional<std::string> out;
    std::optional<std::string> format; // as given after --format
};
/// export FILE.zna [OUT] [--format txt|html|pdf|odt|json|csv|tsv]: the bytes File > Export
/// writes, or every calculation as data, into OUT (replaced atomically; never the document
/// itself) or to stdout. The format is `--format`'s, else OUT's extension's, else plain text.
/// On a terminal, control characters other than tab and the line ends are spelled out.
int ExportCommand(const CExportOptions& options);
/// Writes the document's reports in a format other than the default plain text, into `out`
/// or to stdout (text and HTML only) when it is null.
int ExportInFormat(CCliDocument& document, CExportFormat format, const std::string* out);
/// Writes every calculation of the document as data (JSON, CSV or TSV), into `out` or to stdout.
int ExportAsData(CCliDocument& document, CResultFormat format, const std::string* out);

/// The arguments of one calculation: the command line of `run`, or one line of a batch.
struct CRunLine
{
    std::vector<std::string> words;   // CODE, then name=value and the numeric action forms
    std::optional<std::string> title; // --title
    std::optional<std::string> seed;  // --seed, as given
};
struct CRunOptions
{
    CRunLine line;
    std::optional<std::string> documentPath; // --doc
    std::optional<std::string> batch;        // --batch FILE, "-" for standard input
    std::optional<std::string> format;       // --format
    bool rtf = false;
};
/// run CODE [ARG ...] or run --batch FILE: new calculations through their dialogs driven by
/// the arguments; prints each report or its results as data. With --doc the document is locked
/// (CDocumentLock) from reading to saving.
int RunCommand(const CRunOptions& options);
/// types: one line per leaf of the type tree: code, class name, dialog caption.
int TypesCommand();
/// fields CODE [--format text|json]: the input fields of a calculation type in dialog order.
int FieldsCommand(const std::string& code, const std::optional<std::string>& format);

/// Writes "zentavo-cli: REASON" on stderr and returns 1.
int CliFailure(const std::string& reason);
/// Writes "zentavo-cli: REASON" on stderr and returns 2: input that was refused.
int CliRefusal(const std::string& reason);
/// Writes bytes to stdout and flushes; false when that fails.
bool WriteStdout(const std::string& bytes);
/// Says on stderr that stdout could not be written (with errno's reason when not 0); returns 1.
int StdoutFailure(int error);
/// Writes bytes to stdout: 0, or 1 after saying on stderr why they could not be written.
int FinishStdout(const std::string& bytes);
