// zentavo-cli: the headless command-line tool (types, fields, run, tree, export, help).
// It runs in the C locale (it never adopts the user's), reads the vocabulary from --vocab FILE,
// else $ZENTAVO_INI, else the copy beside the executable, and never writes it.
#include "CCalcDoc.h"
#include "Commands.h"
#include "FrameworkInit.h"
#include "HelpText.h"
#include "Language.h"
#include "ManualPage.h"
#include "OsFiles.h"
#include "Profile.h"
#include "UIServices.h"
#include "ZNTVStat.h"

#include <CLI/CLI.hpp>
#include <algorithm>
#include <cerrno>
#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <exception>
#include <filesystem>
#include <new>
#include <optional>
#include <string>
#include <vector>

#ifndef _WIN32
#include <unistd.h>
#endif

namespace
{
#ifndef _WIN32
/// A mapped document that another program truncated while we read it: a message, not a crash.
/// (Windows reads documents instead of mapping them.)
extern "C" void ReportTruncatedFile(int)
{
    static const char kMessage[] = "zentavo-cli: the document was truncated while it was read\n";
    [[maybe_unused]] const ssize_t written = ::write(STDERR_FILENO, kMessage, sizeof kMessage - 1);
    ::_exit(1);
}
#endif

std::filesystem::path ExecutableDir(const char* argv0)
{
    const std::filesystem::path self = os::ExecutablePath();
    if (!self.empty())
        return self.parent_path();
    std::error_code ec;
    return std::filesystem::absolute(os::PathFromUtf8(argv0), ec).parent_path();
}

/// The file named with --vocab, else by $ZENTAVO_INI, must be readable: a vocabulary that is
/// silently missing would turn every text into its key. Empty when it is, else the reason.
std::string UnreadableVocabulary(const std::filesystem::path& vocabulary)
{
    std::filesystem::path file = vocabulary;
    if (const std::optional<std::string> env = os::GetEnv("ZENTAVO_INI"); file.empty() && env && !env->empty())
        file = os::PathFromUtf8(*env);
    if (file.empty())
        return {};
    std::error_code ec;
    const int fd = os::OpenForReading(file);
    if (fd < 0 && !(errno == EISDIR && std::filesystem::is_directory(file, ec)))
        return "cannot read the vocabulary file " + os::PathToUtf8(file) + ": " + std::strerror(errno);
    if (fd >= 0)
        os::CloseFile(fd);
    if (!std::filesystem::is_regular_file(file, ec))
        return "the vocabulary file " + os::PathToUtf8(file) + " is not a regular file";
    return {};
}

const char* const kCommands[] = {"types", "fields", "run", "tree", "export", "help"};

/// What the command line asks for, as CLI11 read it.
struct CCommandLine
{
    bool help = false;
    bool version = false;
    std::optional<std::string> vocabulary;
    std::optional<std::string> language;
    std::string command; // the subcommand given, or ""
    std::string fieldsCode;
    std::optional<std::string> fieldsFormat;
    CRunOptions run;
    std::string treePath;
    std::vector<std::string> exportFiles;
    std::optional<std::string> exportFormat;
    std::string helpTopic;
};

/// Reads the command line; false with the reason in `error`. "--vocab FILE" may stand anywhere.
bool ReadCommandLine(int argc, char** argv, CCommandLine& line, std::string& error)
{
    CLI::App app("", "zentavo-cli");
    app.set_help_flag(); // the help texts are our own (HelpText.cpp)
    app.add_flag("-h,--help", line.help);
    app.add_flag("--version", line.version);
    app.add_option("--vocab", line.vocabulary);
    app.add_option("--lang", line.language);
    app.require_subcommand(0, 1); // a second command name is an argument of the first
    const auto command = [&app](const char* name) {
        CLI::App* sub = app.add_subcommand(name);
        sub->set_help_flag();
        sub->fallthrough(); // --vocab, --help and --version of the tool stand anywhere
        return sub;
    };
    CLI::App* fields = command("fields");
    fields->add_option("CODE", line.fieldsCode);
    fields->add_option("--format", line.fieldsFormat);
    CLI::App* run = command("run");
    run->add_option("ARG", line.run.line.words);
    run->add_option("--title", line.run.line.title);
    run->add_option("--seed", line.run.line.seed);
    run->add_option("--doc", line.run.documentPath);
    run->add_option("--batch", line.run.batch);
    run->add_option("--format", line.run.format);
    run->add_flag("--rtf", line.run.rtf);
    command("tree")->add_option("FILE", line.treePath);
    CLI::App* exportCommand = command("export");
    exportCommand->add_option("FILE", line.exportFiles);
    exportCommand->add_option("--format", line.exportFormat);
    command("types");
    command("help")->add_option("COMMAND", line.helpTopic);
    try {
        app.parse(argc, argv);
    } catch (const CLI::ParseError& failure) {
        error = failure.what();
        return false;
    }
    for (const CLI::App* sub : app.get_subcommands())
        line.command = sub->get_name();
    return true;
}

/// The first word that is no option of the tool: the command, when there is one.
std::string FirstWord(int argc, char** argv)
{
    for (int i = 1; i < argc; ++i) {
        if (std::strcmp(argv[i], "--vocab") == 0 || std::strcmp(argv[i], "--lang") == 0)
            ++i;
        else if (argv[i][0] != '-')
            return argv[i];
    }
    return {};
}

int Run(int argc, char** argv)
{
    if (argc < 2) {
        std::fputs(UsageText().c_str(), stderr);
        return 1;
    }
    if (const std::string first = FirstWord(argc, argv);
        !first.empty() && std::find(std::begin(kCommands), std::end(kCommands), first) == std::end(kCommands)) {
        std::fprintf(stderr, "zentavo-cli: unknown command '%s'\n", first.c_str());
        std::fputs(UsageText().c_str(), stderr);
        return 1;
    }
    CCommandLine line;
    std::string error;
    if (!ReadCommandLine(argc, argv, line, error))
        return CliFailure(error + " (zentavo-cli --help lists the commands and options)");
    if (line.version)
        return FinishStdout(std::string("Zentavo ") + ZENTAVO_VERSION + "\n");
    if (line.help || line.command == "help") {
        // "help --help" is the help of help; "run --help" that of run.
        std::string topic = line.command == "help" ? line.helpTopic : line.command;
        if (topic.empty() && line.command == "help" && line.help)
            topic = "help";
        if (topic.empty())
            return FinishStdout(UsageText());
        const std::optional<std::string> text = CommandHelp(topic);
        if (!text) // a type code or a general page of the manual
            return ManualPageCommand(topic, ExecutableDir(argv[0]));
        return FinishStdout(*text);
    }
    if (line.command.empty()) {
        std::fputs(UsageText().c_str(), stderr);
        return 1;
    }
    if (line.vocabulary && line.vocabulary->empty())
        return CliFailure("--vocab needs a file name");
    const std::filesystem::path vocabulary = os::PathFromUtf8(line.vocabulary.value_or(""));
    if (const std::string reason = UnreadableVocabulary(vocabulary); !reason.empty())
        return CliFailure(reason);

    // The tool speaks English unless asked: scripts get the same words under every locale.
    std::string language = "en";
    if (line.language) {
        language = *line.language == kSystemLanguage ? SystemLanguage() : NormalizeLanguage(*line.language);
        if (language.empty())
            return CliFailure("unknown language '" + *line.language + "': en, de, es, fr, it, pt or system");
    }
    InitVocabulary(ExecutableDir(argv[0]), vocabulary, language);
    // Each run is short: documents are mapped, not read, which opens large ones several times
    // quicker. A document truncated by another program meanwhile ends the run with a message.
    CCalcDoc::MapFilesWhenOpening(true);
#ifndef _WIN32
    struct sigaction onFault
    {};
    onFault.sa_handler = ReportTruncatedFile;
    ::sigaction(SIGBUS, &onFault, nullptr);
#endif
    ZNTVCalcInit();
    ZNTVStatInit();
    CHeadlessUIServices services;
    SetUIServices(&services);

    int result = 1;
    if (line.command == "tree")
        result = line.treePath.empty() ? CliFailure("usage: zentavo-cli tree FILE.zna") : TreeCommand(line.treePath);
    else if (line.command == "export")
        result = line.exportFiles.empty() || line.exportFiles.size() > 2
                     ? CliFailure("usage: zentavo-cli export FILE.zna [OUT] [--format txt|html|pdf|odt|json|csv|tsv]")
                     : ExportCommand({line.exportFiles[0],
                                      line.exportFiles.size() == 2 ? std::optional(line.exportFiles[1]) : std::nullopt,
                                      line.exportFormat});
    else if (line.command == "run")
        result = RunCommand(line.run);
    else if (line.command == "fields")
        result = line.fieldsCode.empty() ? CliFailure("fields needs a type code (zentavo-cli types lists them)")
                                         : FieldsCommand(line.fieldsCode, line.fieldsFormat);
    else if (line.command == "types")
        result = TypesCommand();
    SetUIServices(nullptr);
    return result;
}
} // namespace

int CliFailure(const std::string& reason)
{
    std::fprintf(stderr, "zentavo-cli: %s\n", reason.c_str());
    return 1;
}

int CliRefusal(const std::string& reason)
{
    std::fprintf(stderr, "zentavo-cli: %s\n", reason.c_str());
    return 2;
}

bool WriteStdout(const std::string& bytes)
{
    return std::fwrite(bytes.data(), 1, bytes.size(), stdout) == bytes.size() && std::fflush(stdout) == 0;
}

int FinishStdout(const std::string& bytes)
{
    errno = 0;
    if (WriteStdout(bytes))
        return 0;
    return StdoutFailure(errno);
}

int StdoutFailure(int error)
{
    return CliFailure(std::string("cannot write to standard output") +
                      (error != 0 ? std::string(": ") + std::strerror(error) : std::string()));
}

int main(int argc, char** argv)
{
    // No failure ends the program without a word: not even memory running out.
    try {
        // Reports and exports are bytes: a "\r\n" of the export separator must not become
        // "\r\r\n" on Windows, and messages end their lines as on every other system. The
        // arguments come as UTF-8 whatever the code page.
        os::SetBinaryMode(stdout);
        os::SetBinaryMode(stderr);
        std::vector<std::string> arguments = os::Utf8Arguments(argc, argv);
        std::vector<char*> pointers;
        for (std::string& argument : arguments)
            pointers.push_back(argument.data());
        pointers.push_back(nullptr);
        return Run(static_cast<int>(arguments.size()), pointers.data());
    } catch (const std::bad_alloc&) {
        SetUIServices(nullptr);
        return CliFailure("not enough memory");
    } catch (const std::exception& error) {
        SetUIServices(nullptr);
        return CliFailure(std::string("unexpected failure: ") + error.what());
    }
}
