// zentavo-cli: the headless command-line tool (types, run, tree, export).
#include <cstdio>
#include <cstring>

namespace
{
const char kUsage[] = "Usage: zentavo-cli COMMAND ...\n"
                      "  types                      list the calculation types\n"
                      "  run CODE [ACTION ...]      make a calculation through its dialog and print its report\n"
                      "  tree FILE.zna              print the calculation tree of a document\n"
                      "  export FILE.zna [OUT.txt]  write every report of a document as plain text\n";
}

int main(int argc, char** argv)
{
    if (argc < 2 || std::strcmp(argv[1], "--help") == 0 || std::strcmp(argv[1], "-h") == 0) {
        std::fputs(kUsage, argc < 2 ? stderr : stdout);
        return argc < 2 ? 1 : 0;
    }
    std::fprintf(stderr, "zentavo-cli: unknown command '%s'\n", argv[1]);
    std::fputs(kUsage, stderr);
    return 1;
}
