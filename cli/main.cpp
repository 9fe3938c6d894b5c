// zentavo-cli: the headless command-line tool (types, run, tree, export).
// It runs in the C locale (it never adopts the user's), reads the vocabulary from --vocab FILE,
// else $ZENTAVO_INI, else the copy beside the executable, and never writes it.
#include "Commands.h"
#include "FrameworkInit.h"
#include "Profile.h"
#include "UIServices.h"
#include "ZNTVStat.h"

#include <cstdio>
#include <cstring>
#include <filesystem>
#include <string>
#include <vector>

namespace
{
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
    if (args.size() == 1 && args[0] == "--version") {
        std::printf("Zentavo %s\n", ZENTAVO_VERSION);
        return 0;
    }
    if (args.empty() || args[0] == "--help" || args[0] == "-h") {
        std::fputs(kUsage, args.empty() ? stderr : stdout);
        return args.empty() ? 1 : 0;
    }

    InitVocabulary(ExecutableDir(argv[0]), vocabulary);
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
        result = ExportCommand(args);
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
