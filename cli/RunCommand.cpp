// zentavo-cli run: makes new calculations exactly as the program does (factory, base Do, its
// own input dialog driven by the scripted host, computation, report) and prints each report or
// its results as data. With --batch, one calculation per line of a file.
#include "BatchLines.h"
#include "CalcRunner.h"
#include "Commands.h"
#include "DocumentLock.h"
#include "FieldTable.h"
#include "OsFiles.h"
#include "RunArguments.h"
#include "TypeCodes.h"
#include "Vocabulary.h"

#include <cctype>
#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <iostream>
#include <map>
#include <sstream>
#include <string>
#include <vector>

namespace
{
/// What one calculation wrote, or why it was not made.
struct CRunOutcome
{
    int status = 0;                    // 0 made, 1 usage or file error, 2 refused
    std::string output;                // the record in the chosen format
    std::string reason;                // why not, in one line
    std::vector<std::string> messages; // the dialog's messages
    bool namedRefusal = false;         // the reason names the refused field
};

std::string Output(const CCalcRunResult& result, const std::string& code, CResultFormat format, bool rtf)
{
    if (format == CResultFormat::Text)
        return rtf ? result.rtf : result.report;
    CCalcRecord record;
    record.type = code;
    record.className = result.className.empty() && code == "9999" ? "CNote" : result.className;
    // A note has no type of its own to join labels from: its caption is the note's label.
    record.caption = code == "9999" ? TypeLabel(code) : TypeTitle(code);
    record.title = result.title;
    record.inputs = result.inputs;
    record.results = result.results;
    return format == CResultFormat::Json ? RecordJsonLine(record) : ResultRows(record, format);
}

/// A count typed by name that the calculation did not take (the R x C grid leaves a cell it
/// cannot read empty without a message): "r1c1: '-5' was not taken", or "".
std::string UntakenCount(const CRunLine& line, const CCalcRunResult& result, const std::string& code)
{
    const CFieldTable* table = FieldsOf(code);
    if (!table)
        return {};
    // The last value given for each count field, by its name or by its control id.
    std::map<std::string, std::string> given;
    for (size_t i = 1; i < line.words.size(); ++i) {
        const std::string& word = line.words[i];
        const size_t equals = word.find('=');
        if (equals == std::string::npos)
            continue;
        const std::string key = word.substr(0, equals);
        const CField* field = table->Find(key);
        if (!field && !key.empty() && std::isdigit(static_cast<unsigned char>(key[0])))
            field = table->FindId(std::atoi(key.c_str()));
        if (field && field->kind == CFieldKind::Count && table->Find(field->name) == field)
            given[field->name] = word.substr(equals + 1);
    }
    for (const auto& [name, value] : given) {
        const CField& field = *table->Find(name);
        for (const CInput& input : result.inputs) {
            if (input.name != name || input.kind != CInput::Number)
                continue;
            char* end = nullptr;
            const double typed = std::strtod(value.c_str(), &end);
            if (value.empty() || *end != '\0' || !(typed == input.number))
                return name + ": '" + value + "' was not taken (" + name + " takes a whole number" +
                       (field.minimum && field.maximum
                            ? " from " + std::to_string(static_cast<long long>(*field.minimum)) + " to " +
                                  std::to_string(static_cast<long long>(*field.maximum))
                            : std::string()) +
                       ")";
        }
    }
    return {};
}

CRunOutcome RunOne(const CRunLine& line, const CRunOptions& options, CResultFormat format)
{
    CRunOutcome outcome;
    CCalcRunRequest request;
    if (outcome.status = BuildRunRequest(line, request, outcome.reason); outcome.status != 0)
        return outcome;
    request.documentPath = options.documentPath.value_or("");
    request.wantReport = format == CResultFormat::Text;
    request.wantResults = format != CResultFormat::Text;
    const CCalcRunResult result = RunNewCalculation(request, false);
    outcome.messages = result.messages;
    switch (result.outcome) {
    case CCalcRunResult::Written:
        if (outcome.reason = UntakenCount(line, result, request.code); !outcome.reason.empty()) {
            outcome.status = 2;
            outcome.namedRefusal = true;
            break;
        }
        outcome.output = Output(result, request.code, format, options.rtf);
        break;
    case CCalcRunResult::NotAdded:
        outcome.status = 2;
        outcome.reason = RefusalReason(result, request.code);
        outcome.namedRefusal = !RefusedFieldName(result, request.code).empty();
        break;
    case CCalcRunResult::Failed:
        outcome.status = 1;
        outcome.reason = result.error;
        break;
    }
    return outcome;
}

void EchoMessages(const std::vector<std::string>& messages, const std::string& prefix)
{
    for (const std::string& message : messages)
        std::fprintf(stderr, "%smessage: %s\n", prefix.c_str(), message.c_str());
}

int RunSingle(const CRunOptions& options, CResultFormat format)
{
    const CRunOutcome outcome = RunOne(options.line, options, format);
    if (outcome.status == 0) {
        EchoMessages(outcome.messages, "");
        return FinishStdout(format == CResultFormat::Csv || format == CResultFormat::Tsv
                                ? ResultRowsHeader(format) + outcome.output
                                : outcome.output);
    }
    if (outcome.status == 1)
        return CliFailure(outcome.reason);
    // A prompt about a field says which field; others are echoed as the dialog showed them.
    if (outcome.namedRefusal || outcome.messages.empty()) {
        if (outcome.messages.empty() && outcome.reason == "the calculation was cancelled")
            return 2;
        return CliRefusal(outcome.reason);
    }
    EchoMessages(outcome.messages, "");
    return 2;
}

/// Every line of the batch file, or of standard input for "-"; false when it cannot be read.
bool ReadBatch(const std::string& path, std::string& text, std::string& error)
{
    if (path == "-") {
        std::ostringstream in;
        in << std::cin.rdbuf();
        text = in.str();
        return !std::cin.bad();
    }
    std::ifstream file(os::PathFromUtf8(path), std::ios::binary);
    std::ostringstream in;
    if (file)
        in << file.rdbuf();
    if (!file || file.bad()) {
        error = "cannot read the batch file " + path;
        return false;
    }
    text = in.str();
    return true;
}

int RunBatch(const CRunOptions& options, CResultFormat format)
{
    std::string text, error;
    if (!ReadBatch(*options.batch, text, error))
        return CliFailure(error);
    bool anyFailed = false;
    errno = 0;
    if ((format == CResultFormat::Csv || format == CResultFormat::Tsv) && !WriteStdout(ResultRowsHeader(format)))
        return StdoutFailure(errno);
    std::istringstream lines(text);
    std::string line;
    std::vector<std::string> words;
    for (int number = 1; std::getline(lines, line); ++number) {
        const std::string where = "line " + std::to_string(number) + ": ";
        CRunLine run;
        if (!SplitBatchLine(line, words, error) || (!words.empty() && !ReadRunLine(words, run, error))) {
            CliFailure(where + error);
            anyFailed = true;
            continue;
        }
        if (words.empty())
            continue;
        const CRunOutcome outcome = RunOne(run, options, format);
        if (outcome.status != 0) {
            CliFailure(where + outcome.reason);
            anyFailed = true;
            continue;
        }
        EchoMessages(outcome.messages, "zentavo-cli: " + where);
        const std::string record = format == CResultFormat::Text ? outcome.output + "\f\n" : outcome.output;
        errno = 0;
        if (!WriteStdout(record))
            return StdoutFailure(errno);
    }
    return anyFailed ? 2 : 0;
}
} // namespace

int RunCommand(const CRunOptions& options)
{
    const std::optional<CResultFormat> format = ResultFormatNamed(options.format.value_or("text"));
    if (!format)
        return CliFailure("unknown format '" + *options.format + "': use text, json, csv or tsv");
    if (options.rtf && *format != CResultFormat::Text)
        return CliFailure("--rtf prints the report's rich text: it goes with --format text only");
    if (options.documentPath && options.documentPath->empty())
        return CliFailure("--doc needs a file name");
    if (options.batch && (!options.line.words.empty() || options.line.title || options.line.seed))
        return CliFailure("with --batch the calculations come from the file: give no code, --title or --seed");
    if (!options.batch && options.line.words.empty())
        return CliFailure("run needs a type code (zentavo-cli types lists them) or --batch FILE");
    // Open, file and save as one step: a run beside us on the same document waits until our
    // save is done and then reads it, so that no calculation is lost.
    CDocumentLock lock;
    std::string error;
    if (options.documentPath && !lock.Acquire(os::PathFromUtf8(*options.documentPath), error))
        return CliFailure(error);
    return options.batch ? RunBatch(options, *format) : RunSingle(options, *format);
}
