// zentavo-cli: the headless command-line tool (types, run, tree, export).
// It runs in the C locale (it never adopts the user's), reads the vocabulary from --vocab FILE,
// else $ZENTAVO_INI, else the copy beside the executable, and never writes it.
#include "CCalcDoc.h"
#include "Commands.h"
#include "FrameworkInit.h"
#include "Profile.h"
#include "UIServices.h"
#include "ZNTVStat.h"

#include <cerrno>
#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <exception>
#include <fcntl.h>
#include <filesystem>
#include <new>
#include <string>
#include <unistd.h>
#include <vector>

namespace
{
/// A mapped document that another program truncated while we read it: a message, not a crash.
extern "C" void ReportTruncatedFile(int)
{
    static const char kMessage[] = "zentavo-cli: the document was truncated while it was read\n";
    [[maybe_unused]] const ssize_t written = ::write(STDERR_FILENO, kMessage, sizeof kMessage - 1);
    ::_exit(1);
}

const char kUsage[] = "Usage: zentavo-cli COMMAND ...\n"
                      "  types                      list the calculation types\n"
                      "  run CODE [ACTION ...]      make a calculation through its dialog and print its report\n"
                      "  tree FILE.zna              print the calculation tree of a document\n"
                      "  export FILE.zna [OUT] [--format txt|html|pdf|odt]\n"
                      "                             write every report of a document (plain text by default)\n"
                      "  --version                  print the version\n";

std::filesystem::path ExecutableDir(const char* argv0)
{
    std::error_code ec;
    const std::filesystem::path self = std::filesystem::read_symlink("/proc/self/exe", ec);
    if (!ec)
        return self.parent_path();
    return std::filesystem::absolute(argv0, ec).parent_path();
}

/// The file named with --vocab, else by $ZENTAVO_INI, must be readable: a vocabulary that is
/// silently missing would turn every text into its key. Empty when it is, else the reason.
std::string UnreadableVocabulary(const std::filesystem::path& vocabulary)
{
    std::filesystem::path file = vocabulary;
    if (const char* env = std::getenv("ZENTAVO_INI"); file.empty() && env && *env)
        file = env;
    if (file.empty())
        return {};
    const int fd = ::open(file.c_str(), O_RDONLY | O_CLOEXEC | O_NONBLOCK);
    if (fd < 0)
        return "cannot read the vocabulary file " + file.string() + ": " + std::strerror(errno);
    ::close(fd);
    std::error_code ec;
    if (!std::filesystem::is_regular_file(file, ec))
        return "the vocabulary file " + file.string() + " is not a regular file";
    return {};
}

int Run(std::vector<std::string> args, const std::filesystem::path& vocabulary, const char* argv0)
{
    if (args.size() == 1 && args[0] == "--version")
        return FinishStdout(std::string("Zentavo ") + ZENTAVO_VERSION + "\n");
    if (args.empty() || args[0] == "--help" || args[0] == "-h") {
        if (args.empty()) {
            std::fputs(kUsage, stderr);
            return 1;
        }
        return FinishStdout(kUsage);
    }
    if (const std::string reason = UnreadableVocabulary(vocabulary); !reason.empty())
        return CliFailure(reason);

    InitVocabulary(ExecutableDir(argv0), vocabulary);
    // Each run is short: documents are mapped, not read, which opens large ones several times
    // quicker. A document truncated by another program meanwhile ends the run with a message.
    CCalcDoc::MapFilesWhenOpening(true);
    struct sigaction onFault
    {};
    onFault.sa_handler = ReportTruncatedFile;
    ::sigaction(SIGBUS, &onFault, nullptr);
    ZNTVCalcInit();
    ZNTVStatInit();
    CHeadlessUIServices services;
    SetUIServices(&services);

    const std::string command = args[0];
    args.erase(args.begin());
    int result = -1;
    if (command == "tree")
        result = TreeCommand(args);
    else if (command == "export")
        result = ExportCommand(std::move(args));
    else if (command == "run")
        result = RunCommand(args);
    else if (command == "types")
        result = TypesCommand(args);
    SetUIServices(nullptr);
    if (result >= 0)
        return result;
    std::fprintf(stderr, "zentavo-cli: unknown command '%s'\n", command.c_str());
    std::fputs(kUsage, stderr);
    return 1;
}
} // namespace

int CliFailure(const std::string& reason)
{
    std::fprintf(stderr, "zentavo-cli: %s\n", reason.c_str());
    return 1;
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
    const int failure = errno;
    return CliFailure(std::string("cannot write to standard output") +
                      (failure != 0 ? std::string(": ") + std::strerror(failure) : std::string()));
}

int main(int argc, char** argv)
{
    // "--vocab FILE" may stand anywhere on the line; the rest are the command and its arguments.
    std::vector<std::string> args;
    std::filesystem::path vocabulary;
    for (int i = 1; i < argc; ++i) {
        if (std::strcmp(argv[i], "--vocab") == 0) {
            if (i + 1 >= argc)
                return CliFailure("--vocab needs a file name");
            vocabulary = argv[++i];
        } else {
            args.emplace_back(argv[i]);
        }
    }
    // No failure ends the program without a word: not even memory running out.
    try {
        return Run(std::move(args), vocabulary, argv[0]);
    } catch (const std::bad_alloc&) {
        SetUIServices(nullptr);
        return CliFailure("not enough memory");
    } catch (const std::exception& error) {
        SetUIServices(nullptr);
        return CliFailure(std::string("unexpected failure: ") + error.what());
    }
}
