// The tree and export commands of zentavo-cli, run as the built program on a document written
// by the test.
#include "CCalcBase.h"
#include "CCalcDoc.h"
#include "CCalcDocNode.h"
#include "CCalculation.h"
#include "FrameworkInit.h"
#include "MemoryViews.h"
#include "Profile.h"
#include "TestSupport.h"
#include "UIServices.h"
#include "ZNTVStat.h"

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <gtest/gtest.h>
#include <iterator>
#include <string>

namespace
{
std::string ReadFile(const std::string& path)
{
    std::ifstream in(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

class TreeExportTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        ZNTVCalcInit();
        ZNTVStatInit();
        CProfile profile;
        profile.Load(ShippedVocabularyPath());
        SetVocabularyProfiles({profile});
        SetUIServices(&m_ui);
        m_dir = std::filesystem::temp_directory_path() / ("zentavo-cli-" + std::to_string(ProcessId()));
        std::filesystem::create_directories(m_dir);
    }
    void TearDown() override
    {
        SetUIServices(nullptr);
        ResetVocabulary();
        std::filesystem::remove_all(m_dir);
    }
    /// Files a calculation of the type with the title and a report written through the views.
    void AddCalculation(CCalcDoc& doc, const std::string& type, const std::string& title, const char* code)
    {
        auto calc =
            std::make_unique<CCalculation>(CCalcType(type[0] - '0', type[1] - '0', type[2] - '0', type[3] - '0'));
        ASSERT_TRUE(calc->SetupBase(code));
        calc->GetData()->SetTitle(title);
        calc->SetLabel(title);
        ASSERT_TRUE(doc.Add(std::move(calc)));
        doc.InsertPhrase(title + " report\n", kPhraseBold);
        doc.InsertPhrase("caf\xC3\xA9\tvalue\n", kPhrasePlain);
    }
    std::string Path(const std::string& name) const { return Utf8Path(m_dir / name); }

    CHeadlessUIServices m_ui;
    std::filesystem::path m_dir;
};

TEST_F(TreeExportTest, TreeAndExportOfADocument)
{
    const std::string file = Path("study.zna");
    std::string expectedExport;
    {
        CCalcDoc doc;
        CMemoryViews views(doc);
        ASSERT_TRUE(doc.OnNewDocument());
        views.OnUpdate();
        AddCalculation(doc, "2500", "rates", "2500");
        AddCalculation(doc, "1110", "first", "1110");
        AddCalculation(doc, "0000", "note", "X");
        AddCalculation(doc, "1110", "second", "1110");
        ASSERT_TRUE(doc.OnSaveDocument(file));
        expectedExport = CCalcDoc::Export(doc.GetHead());
    }
    auto label = [](const char* code) { return GetProfileString("Labels", code, "Corrupt .INI file"); };
    const std::string expectedTree = "0000 F study\n"
                                     "  0000 C note\n"
                                     "  2000 F " +
                                     label("2000") +
                                     "\n"
                                     "    2500 F " +
                                     label("2500") +
                                     "\n"
                                     "      2500 C rates\n"
                                     "  1000 F " +
                                     label("1000") +
                                     "\n"
                                     "    1100 F " +
                                     label("1100") +
                                     "\n"
                                     "      1110 F " +
                                     label("1110") +
                                     "\n"
                                     "        1110 C first\n"
                                     "        1110 C second\n";
    const CCliRun tree = RunCli("tree '" + file + "'");
    EXPECT_EQ(tree.status, 0);
    EXPECT_EQ(tree.out, expectedTree);

    ASSERT_NE(expectedExport.find("first report\r\ncaf\xC3\xA9\tvalue\r\n"), std::string::npos);
    const CCliRun toStdout = RunCli("export '" + file + "' --vocab '" + ShippedVocabularyPath() + "'");
    EXPECT_EQ(toStdout.status, 0);
    EXPECT_EQ(toStdout.out, expectedExport);

    const CCliRun toFile =
        RunCli("--vocab '" + ShippedVocabularyPath() + "' export '" + file + "' '" + Path("out.txt") + "'");
    EXPECT_EQ(toFile.status, 0);
    EXPECT_EQ(toFile.out, "");
    EXPECT_EQ(ReadFile(Path("out.txt")), expectedExport);
}

TEST_F(TreeExportTest, UnreadableFilesExitWithOneLineReason)
{
    const std::string missing = Path("missing.zna");
    const CCliRun notFound = RunCli("tree '" + missing + "' 2>&1");
    EXPECT_EQ(notFound.status, 1);
    EXPECT_EQ(notFound.out, "zentavo-cli: " + missing + " was not found.\n");

    const std::string damaged = Path("damaged.zna");
    std::ofstream(damaged, std::ios::binary) << "not a document";
    const CCliRun format = RunCli("export '" + damaged + "' 2>&1");
    EXPECT_EQ(format.status, 1);
    EXPECT_EQ(format.out, "zentavo-cli: Unexpected file format.\n");

    const CCliRun usage = RunCli("tree 2>&1");
    EXPECT_EQ(usage.status, 1);
}
TEST_F(TreeExportTest, ControlCharactersFromADocumentNeverReachTheTerminal)
{
    const std::string file = Path("hostile.zna");
    {
        CCalcDoc doc;
        CMemoryViews views(doc);
        ASSERT_TRUE(doc.OnNewDocument());
        views.OnUpdate();
        AddCalculation(doc, "1110", "\x1B[2Jclear", "1110");
        // A label as another program may have stored it: a line end that forges a node line.
        doc.GetHead()->GetSub()->GetSub()->GetSub()->GetCalc()->SetLabel("real\n1110 C forged\a");
        ASSERT_TRUE(doc.OnSaveDocument(file));
    }
    const CCliRun tree = RunCli("tree '" + file + "'");
    EXPECT_EQ(tree.status, 0);
    EXPECT_NE(tree.out.find("        1110 C real\\x0A1110 C forged\\x07\n"), std::string::npos) << tree.out;
    EXPECT_EQ(tree.out.find('\x1B'), std::string::npos);

    // To a pipe the export keeps its bytes; to a terminal the escape is spelled out.
    const CCliRun piped = RunCli("export '" + file + "'");
    EXPECT_NE(piped.out.find("\x1B[2Jclear report\r\n"), std::string::npos);
#ifdef _WIN32
    GTEST_SKIP() << "no pseudo-terminal to run the tool in on Windows";
#else
    // script(1) gives the tool a terminal; a shell runs it.
    std::string terminal;
    if (FILE* pipe = ::popen(
            ("script -qec \"'" + std::string(ZENTAVO_CLI) + "' export '" + file + "'\" /dev/null </dev/null").c_str(),
            "r")) {
        char buffer[4096];
        for (size_t n; (n = std::fread(buffer, 1, sizeof buffer, pipe)) > 0;)
            terminal.append(buffer, n);
        ::pclose(pipe);
    }
    EXPECT_EQ(terminal.find('\x1B'), std::string::npos) << terminal;
    EXPECT_NE(terminal.find("\\x1B[2Jclear report"), std::string::npos) << terminal;
#endif
}

TEST_F(TreeExportTest, ExportNeverWritesOverItsOwnDocument)
{
    const std::string file = Path("study.zna");
    {
        CCalcDoc doc;
        CMemoryViews views(doc);
        ASSERT_TRUE(doc.OnNewDocument());
        views.OnUpdate();
        AddCalculation(doc, "1110", "first", "1110");
        ASSERT_TRUE(doc.OnSaveDocument(file));
    }
    const std::string before = ReadFile(file);
    const std::string hardLink = Path("other-name.txt");
    std::filesystem::create_hard_link(file, hardLink);
    for (const std::string& target :
         {file, hardLink, Utf8Path(m_dir) + "/../" + Utf8Path(m_dir.filename()) + "/study.zna"}) {
        const CCliRun run = RunCli("export '" + file + "' '" + target + "' 2>&1");
        EXPECT_EQ(run.status, 1) << target;
        EXPECT_EQ(run.out, "zentavo-cli: " + target + " is the document itself: choose another file for the export.\n");
        EXPECT_EQ(ReadFile(file), before) << target;
    }
}
} // namespace
