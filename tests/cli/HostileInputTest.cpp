// zentavo-cli against unlucky and hostile input: runs that share a document, names that lead
// nowhere, a vocabulary that cannot be read, an output that cannot be written, and control
// characters in a title.
#include "TestSupport.h"

#include <cstdlib>
#include <filesystem>
#include <gtest/gtest.h>
#include <string>
#include <vector>

namespace fs = std::filesystem;

namespace
{
class HostileInputTest : public CTempDirTest
{
protected:
    HostileInputTest() : CTempDirTest("zentavo-hostile") {}
    std::string Path(const std::string& name) const { return Utf8Path(m_dir / PathOfUtf8(name)); }
    static std::string Vocab() { return " --vocab '" + ShippedVocabularyPath() + "'"; }
    static size_t Count(const std::string& text, const std::string& what)
    {
        size_t count = 0;
        for (size_t at = text.find(what); at != std::string::npos; at = text.find(what, at + 1))
            ++count;
        return count;
    }
};

TEST_F(HostileInputTest, TenRunsAtOnceOnOneDocumentKeepEveryCalculation)
{
    const std::string doc = Path("shared.zna");
    // All start together, before the document exists.
    ASSERT_EQ(RunCli("types >/dev/null" + Vocab()).status, 0);
    std::vector<std::string> runs;
    for (int i = 1; i <= 10; ++i)
        runs.push_back("run 1110 1023=" + std::to_string(i) + " 1024=100 1022=run" + std::to_string(i) + " --doc '" +
                       doc + "'" + Vocab() + " 2>&1");
    const std::vector<CCliRun> all = RunCliTogether(runs);
    for (const CCliRun& run : all)
        EXPECT_EQ(run.status, 0) << run.out;
    const CCliRun tree = RunCli("tree '" + doc + "'" + Vocab());
    ASSERT_EQ(tree.status, 0);
    EXPECT_EQ(Count(tree.out, "1110 C run"), 10u) << tree.out;
    for (int i = 1; i <= 10; ++i)
        EXPECT_EQ(Count(tree.out, "1110 C run" + std::to_string(i) + "\n"), 1u) << i;
    for (const auto& entry : fs::directory_iterator(m_dir))
        EXPECT_EQ(entry.path().filename(), "shared.zna"); // no temporary and no lock file left
}

TEST_F(HostileInputTest, NamesThatLeadNowhereAreRefused)
{
    const CCliRun empty = RunCli("run 1110 1023=5 1024=10 --doc ''" + Vocab() + " 2>&1");
    EXPECT_EQ(empty.status, 1);
    EXPECT_EQ(empty.out, "zentavo-cli: --doc needs a file name\n");

    const std::string missing = Path("missing.ini");
    const CCliRun noVocabulary = RunCli("types --vocab '" + missing + "' 2>&1");
    EXPECT_EQ(noVocabulary.status, 1);
    EXPECT_EQ(noVocabulary.out,
              "zentavo-cli: cannot read the vocabulary file " + missing + ": No such file or directory\n");
    const CCliRun folderVocabulary = RunCli("types --vocab '" + Utf8Path(m_dir) + "' 2>&1");
    EXPECT_EQ(folderVocabulary.status, 1);
    EXPECT_NE(folderVocabulary.out.find("vocabulary file"), std::string::npos) << folderVocabulary.out;
}

TEST_F(HostileInputTest, ALinkThatNeverEndsIsRefused)
{
    if (!CanMakeSymlinks(m_dir))
        GTEST_SKIP() << "this user may not make symbolic links here";
    const std::string loop = Path("loop.zna");
    fs::create_symlink("loop.zna", loop);
    const CCliRun looped = RunCli("run 1110 1023=5 1024=10 --doc '" + loop + "'" + Vocab() + " 2>&1");
    EXPECT_EQ(looped.status, 1);
    EXPECT_EQ(looped.out, "zentavo-cli: An unexpected file error occurred while accessing " + loop + ".\n");
    EXPECT_TRUE(fs::is_symlink(loop)); // not replaced by a file
}

TEST_F(HostileInputTest, AnOutputThatCannotBeWrittenIsReported)
{
#ifdef _WIN32
    GTEST_SKIP() << "Windows has no device that is always full";
#endif
    if (!fs::exists("/dev/full"))
        GTEST_SKIP() << "no /dev/full";
    const std::string doc = Path("study.zna");
    ASSERT_EQ(RunCli("run 1110 1023=5 1024=10 --doc '" + doc + "'" + Vocab() + " >/dev/null").status, 0);
    const std::vector<std::string> commands = {"run 1110 1023=5 1024=10", "types", "--help", "tree '" + doc + "'",
                                               "export '" + doc + "'"};
    for (const std::string& command : commands) {
        const CCliRun run = RunCli(command + Vocab() + " 2>&1 >/dev/full");
        EXPECT_EQ(run.status, 1) << command;
        EXPECT_EQ(run.out, "zentavo-cli: cannot write to standard output: No space left on device\n") << command;
    }
}

TEST_F(HostileInputTest, ABellInATitleIsSpelledOutNotTurnedIntoAComma)
{
    const std::string doc = Path("study.zna");
    const CCliRun run = RunCli("run 1110 1023=5 1024=10 '1022=one\atwo' --doc '" + doc + "'" + Vocab());
    ASSERT_EQ(run.status, 0);
    EXPECT_NE(run.out.find("\none\\x07two\n"), std::string::npos) << run.out;
    EXPECT_EQ(run.out.find("one,two"), std::string::npos) << run.out;
    const CCliRun tree = RunCli("tree '" + doc + "'" + Vocab());
    EXPECT_NE(tree.out.find("1110 C one\\x07two\n"), std::string::npos) << tree.out; // label and title agree
}
} // namespace

namespace
{
TEST_F(HostileInputTest, ADocumentNamedInAnyScriptIsFiledReadAndExported)
{
    // Not one code page holds all of these: the name must pass as UTF-8 from the command line
    // to the file system and back into the messages.
    const std::string doc = Path("\xC3\xA9tude \xCE\xA9 \xE6\xB8\xAC.zna");
    const CCliRun first = RunCli("run 1110 1023=5 1024=10 1022=First --doc '" + doc + "'" + Vocab() + " 2>&1");
    ASSERT_EQ(first.status, 0) << first.out;
    const CCliRun second = RunCli("run 1110 1023=6 1024=10 1022=Second --doc '" + doc + "'" + Vocab() + " 2>&1");
    ASSERT_EQ(second.status, 0) << second.out;
    const CCliRun tree = RunCli("tree '" + doc + "'" + Vocab());
    ASSERT_EQ(tree.status, 0) << tree.out;
    EXPECT_NE(tree.out.find("1110 C First\n"), std::string::npos) << tree.out;
    EXPECT_NE(tree.out.find("1110 C Second\n"), std::string::npos) << tree.out;

    const std::string out = Path("r\xC3\xA9sultats \xCE\xA9.txt");
    ASSERT_EQ(RunCli("export '" + doc + "' '" + out + "'" + Vocab()).status, 0);
    EXPECT_TRUE(fs::exists(m_dir / PathOfUtf8("r\xC3\xA9sultats \xCE\xA9.txt")));
    const CCliRun self = RunCli("export '" + doc + "' '" + doc + "'" + Vocab() + " 2>&1");
    EXPECT_EQ(self.out, "zentavo-cli: " + doc + " is the document itself: choose another file for the export.\n");
}
} // namespace
