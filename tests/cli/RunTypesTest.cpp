// The run and types commands of zentavo-cli, run as the built program: the report on stdout,
// the dialog's messages on stderr and the exit status of each outcome.
#include "GetCalcBase.h"
#include "TestSupport.h"

#include <algorithm>
#include <filesystem>
#include <gtest/gtest.h>
#include <string>

namespace
{
std::string Vocab()
{
    return " --vocab '" + ShippedVocabularyPath() + "'";
}

// A random list's report without its second line, the time it was drawn: two runs may fall in
// different seconds.
std::string WithoutTimeStamp(const std::string& report)
{
    const size_t first = report.find('\n');
    const size_t second = first == std::string::npos ? first : report.find('\n', first + 1);
    return second == std::string::npos ? report : report.substr(0, first) + report.substr(second);
}
} // namespace

TEST(RunCommand, WritesTheReportOfAWorkedExample)
{
    const CCliRun run = RunCli("run 1110 1023=50 1024=100 1022=Survey" + Vocab());
    EXPECT_EQ(run.status, 0);
    EXPECT_EQ(run.out.rfind("Describe - Proportion - Percentage\nSurvey\n\n", 0), 0u) << run.out;
    EXPECT_NE(run.out.find("50.00%     [39.90, 60.10]\n"), std::string::npos) << run.out;
}

TEST(RunCommand, ARefusedDialogExitsWithTwoAndPrintsItsPrompt)
{
    const CCliRun run = RunCli("run 1110 1023=nan" + Vocab() + " 2>&1");
    EXPECT_EQ(run.status, 2);
    // The prompt alone, or after the field's name once the type names its fields.
    ASSERT_GE(run.out.size(), std::string("Please enter a number.\n").size()) << run.out;
    EXPECT_EQ(run.out.substr(run.out.size() - 23), "Please enter a number.\n") << run.out;
    EXPECT_EQ(std::count(run.out.begin(), run.out.end(), '\n'), 1) << run.out;
    EXPECT_EQ(RunCli("run 1110 @2" + Vocab()).status, 2); // cancelled: nothing written
}

TEST(RunCommand, UsageErrorsExitWithOne)
{
    EXPECT_EQ(RunCli("run 12x4" + Vocab() + " 2>/dev/null").status, 1);
    EXPECT_EQ(RunCli("run 1110 bogus" + Vocab() + " 2>/dev/null").status, 1);
    EXPECT_EQ(RunCli("run 4310 --seed -1" + Vocab() + " 2>/dev/null").status, 1);
    EXPECT_EQ(RunCli("run 1110 4711=5" + Vocab() + " 2>/dev/null").status, 1); // no such control
}

TEST(RunCommand, TheSameSeedGivesTheSameNumbersAndADocumentKeepsThem)
{
    const std::string args = "run 4310 1076=8 --seed 1" + Vocab();
    const CCliRun first = RunCli(args);
    ASSERT_EQ(first.status, 0);
    EXPECT_EQ(WithoutTimeStamp(RunCli(args).out), WithoutTimeStamp(first.out));
    EXPECT_NE(first.out.find("\n\n0\t56\t19\t"), std::string::npos) << first.out;

    const std::string path = ::testing::TempDir() + "zentavo-run-" + std::to_string(ProcessId()) + ".zna";
    std::filesystem::remove(path);
    ASSERT_EQ(RunCli(args + " --doc '" + path + "'").status, 0);
    ASSERT_EQ(RunCli("run 9999 --doc '" + path + "'" + Vocab()).status, 0);
    const CCliRun tree = RunCli("tree '" + path + "'" + Vocab());
    EXPECT_EQ(tree.status, 0);
    EXPECT_NE(tree.out.find("4310 C "), std::string::npos) << tree.out;
    std::filesystem::remove(path);
}

TEST(TypesCommand, ListsEveryLeafWithItsClassAndCaption)
{
    const CCliRun run = RunCli("types" + Vocab());
    ASSERT_EQ(run.status, 0);
    size_t lines = 0;
    for (char c : run.out)
        lines += c == '\n';
    EXPECT_EQ(lines, AllCalcClasses().size());
    EXPECT_EQ(run.out.rfind("1110\tCDescPerc\tDescribe - Proportion - Percentage\n", 0), 0u);
    EXPECT_NE(run.out.find("1200\tCDescRate\tDescribe - Rate\n"), std::string::npos); // template caption
    EXPECT_NE(run.out.find("5300\tCPropZ\t"), std::string::npos);
}
