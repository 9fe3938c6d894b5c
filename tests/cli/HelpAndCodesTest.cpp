// What zentavo-cli says about itself (--version, --help, help COMMAND) and about type codes that
// name no calculation.
#include "CliDataSupport.h"

#include <gtest/gtest.h>
#include <string>

TEST(CliHelp, VersionAndHelpNeedNoVocabularyAndGoToStandardOutput)
{
    const CCliRun version = RunCli("--version --vocab /nonexistent.ini");
    EXPECT_EQ(version.status, 0);
    EXPECT_EQ(version.out.rfind("Zentavo ", 0), 0u) << version.out;

    const CCliRun help = RunCli("--help");
    EXPECT_EQ(help.status, 0);
    // Every command, the action forms and options, with the exit statuses.
    for (const char* item : {"types",          "fields CODE",   "run CODE",
                             "run --batch",    "tree FILE.zna", "export FILE.zna",
                             "help [COMMAND]", "NAME=VALUE",    "GROUP[N].NAME=VALUE",
                             "ID=TEXT",        "+ID, -ID",      "@ID",
                             "tab=N, row=N",   "--vocab FILE",  "--title TEXT",
                             "--format",       "--seed N",      "--doc FILE.zna",
                             "--rtf",          "--version",     "Exit status: 0"})
        EXPECT_NE(help.out.find(item), std::string::npos) << item;
    EXPECT_EQ(RunCli("help").out, help.out);
    EXPECT_EQ(RunCli("-h").out, help.out);
}

TEST(CliHelp, EachCommandHasItsOwnHelp)
{
    for (const char* command : {"run", "fields", "types", "tree", "export", "help"}) {
        SCOPED_TRACE(command);
        const CCliRun help = RunCli(std::string("help ") + command);
        EXPECT_EQ(help.status, 0) << command;
        EXPECT_EQ(help.out.rfind(std::string("Usage: zentavo-cli ") + command, 0), 0u) << help.out;
        EXPECT_NE(help.out.find("Exit status"), std::string::npos) << command;
        EXPECT_EQ(RunCli(std::string(command) + " --help").out, help.out) << command;
    }
    const CCliRun run = RunCli("help run");
    EXPECT_NE(run.out.find("strata[2].a=7"), std::string::npos);
    EXPECT_NE(run.out.find("type code (\"3200\")"), std::string::npos); // the default title
    const CCliRun unknown = RunCli("help frobnicate 2>&1");
    EXPECT_EQ(unknown.status, 1);
    EXPECT_NE(unknown.out.find("no command 'frobnicate'"), std::string::npos) << unknown.out;
}

TEST(CliHelp, UsageErrorsExitWithOneAndSaySo)
{
    const CCliRun none = RunCli("2>&1");
    EXPECT_EQ(none.status, 1);
    EXPECT_NE(none.out.find("Usage: zentavo-cli"), std::string::npos);
    const CCliRun unknown = RunCli("frobnicate" + Vocab() + " 2>&1");
    EXPECT_EQ(unknown.status, 1);
    EXPECT_EQ(unknown.out.rfind("zentavo-cli: unknown command 'frobnicate'\n", 0), 0u) << unknown.out;
    const CCliRun option = RunCli("run 3200 --titel x" + Vocab() + " 2>&1");
    EXPECT_EQ(option.status, 1);
    EXPECT_NE(option.out.find("--titel"), std::string::npos) << option.out;
    EXPECT_EQ(RunCli("types extra" + Vocab() + " 2>/dev/null").status, 1);
    EXPECT_EQ(RunCli("tree a.zna b.zna" + Vocab() + " 2>/dev/null").status, 1);
    EXPECT_EQ(RunCli("types --vocab 2>/dev/null").status, 1);
}

TEST(CliTypeCodes, AGroupOrUnknownCodeSaysWhichAndPointsToTypes)
{
    for (const char* command : {"run", "fields"}) {
        const CCliRun group = RunCli(std::string(command) + " 1000" + Vocab() + " 2>&1");
        EXPECT_EQ(group.status, 1) << command;
        EXPECT_EQ(group.out, "zentavo-cli: 1000 is a group of calculation types, not a calculation: "
                             "'zentavo-cli types' lists the calculations\n")
            << command;
        EXPECT_EQ(group.out.find("Zentavo.ini"), std::string::npos);
        const CCliRun unknown = RunCli(std::string(command) + " 3900" + Vocab() + " 2>&1");
        EXPECT_EQ(unknown.status, 1) << command;
        EXPECT_EQ(unknown.out, "zentavo-cli: '3900' is not a calculation type: 'zentavo-cli types' lists them\n");
    }
    EXPECT_EQ(RunCli("run 3000" + Vocab() + " 2>/dev/null").status, 1); // an inner group
    EXPECT_EQ(RunCli("run 9999" + Vocab()).status, 0);                  // the note
}
