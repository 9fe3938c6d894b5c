// The document: new calculations and notes through the views, report output order, export.
#include "CCalcDoc.h"

#include "CCalcDocNode.h"
#include "CCalculation.h"
#include "CalcFactory.h"
#include "DocumentTestSupport.h"
#include "GetCalcBase.h"
#include "MemoryViews.h"
#include "Profile.h"

#include <gtest/gtest.h>

namespace
{
const std::string kSeparator = "\r\n\r\n--------------------------------\r\n\r\n";
const std::string kBaseProblem = "There was a problem with the base of the new calculation.\n"
                                 "This was probably caused by an error in the 'Zentavo.ini' file.";

CCalcBase* CancellingFactory(const std::string&)
{
    return new CCalcBase; // the base Do reports a cancel
}

class CalcDocTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        CTestCalc::s_made = 0;
        SetCalcFactory(&TestFactory);
        ASSERT_TRUE(m_doc.OnNewDocument());
        m_views.OnUpdate(); // the frame's initial update: fill the tree, select the head
    }
    CCalculation* Selected() { return dynamic_cast<CCalculation*>(m_doc.GetSelectedNode()); }
    std::string StoredPlain(CCalculation* calc) { return PlainOf(calc->GetText()); }

    CDocumentTestEnvironment m_env;
    CCalcDoc m_doc;
    CMemoryViews m_views{m_doc};
};

TEST_F(CalcDocTest, NewDocumentIsCurrentUntitledAndSelectsTheHead)
{
    EXPECT_EQ(CCalcDoc::GetCurrent(), &m_doc);
    EXPECT_EQ(m_doc.GetTitle(), "Untitled");
    EXPECT_EQ(m_doc.GetHead()->GetLabel(), "Untitled");
    EXPECT_EQ(m_doc.GetHead()->GetType().GetTypeString(), "0000");
    EXPECT_EQ(m_doc.GetSelectedNode(), m_doc.GetHead());
    EXPECT_FALSE(m_doc.IsModified());
    EXPECT_EQ(m_views.ShownCalculation(), nullptr);
}

TEST_F(CalcDocTest, CommandIdsMapToLeavesAndEachReportGoesToItsOwnCalculation)
{
    m_doc.OnNewCalculation(32771);
    CCalculation* first = Selected();
    ASSERT_NE(first, nullptr);
    EXPECT_EQ(first->GetType().GetTypeString(), "1110");
    EXPECT_EQ(first->GetLabel(), "Test 1");
    EXPECT_TRUE(m_doc.IsModified());
    EXPECT_EQ(m_views.ShownCalculation(), first);

    m_doc.OnNewCalculation(CommandOf("5300"));
    CCalculation* last = Selected();
    ASSERT_NE(last, first);
    EXPECT_EQ(last->GetType().GetTypeString(), "5300");
    EXPECT_EQ(g_factoryCodes, (std::vector<std::string>{"1110", "5300"}));

    // Filing before output: each report landed in its own calculation.
    m_views.UpdateCalculation();
    EXPECT_EQ(StoredPlain(first), "Test 1\r\nResult line\r\n");
    EXPECT_EQ(StoredPlain(last), "Test 2\r\nResult line\r\n");
    EXPECT_TRUE(m_env.m_ui.m_messages.empty());

    // Outside the range nothing happens; past the last leaf the factory has no such type.
    m_doc.OnNewCalculation(32770);
    m_doc.OnNewCalculation(33001);
    EXPECT_EQ(g_factoryCodes.size(), 2u);
    m_doc.OnNewCalculation(33000);
    EXPECT_EQ(g_factoryCodes.back(), "0000");
    EXPECT_EQ(m_env.m_ui.m_messages, std::vector<std::string>{kBaseProblem});
    EXPECT_EQ(Selected(), last);
}

TEST_F(CalcDocTest, CancelledCalculationLeavesNoTrace)
{
    SetCalcFactory(&CancellingFactory);
    m_doc.OnNewCalculation(32771);
    EXPECT_EQ(m_doc.GetHead()->GetSub(), nullptr);
    EXPECT_FALSE(m_doc.IsModified());
    EXPECT_TRUE(m_env.m_ui.m_messages.empty());
}

TEST_F(CalcDocTest, NotesAreFiledWithTheSelectedNodesType)
{
    SetCalcFactory(&GetCalcBase);
    m_doc.OnNote(); // the head is selected
    CCalculation* headNote = m_doc.GetHead()->GetCalc();
    ASSERT_NE(headNote, nullptr);
    EXPECT_EQ(headNote->GetLabel(), GetProfileString("Labels", "9999", "9999"));

    SetCalcFactory(&TestFactory);
    m_doc.OnNewCalculation(CommandOf("2120"));
    CCalculation* calc = Selected();
    SetCalcFactory(&GetCalcBase);
    m_doc.OnNote();
    ASSERT_EQ(calc->GetNext(), Selected());
    EXPECT_EQ(Selected()->GetType().GetTypeString(), "2120");
    EXPECT_EQ(Selected()->GetData()->GetRuntimeClass()->m_lpszClassName, std::string("CNote"));
    EXPECT_EQ(headNote->GetNext(), nullptr);
}

TEST_F(CalcDocTest, ExportWritesEveryReportWithItsSeparatorDepthFirst)
{
    CTempDir dir;
    ASSERT_TRUE(m_doc.ExportToFile(dir.Path("empty.txt")));
    EXPECT_TRUE(ReadFileBytes(dir.Path("empty.txt")).empty());

    m_doc.OnNewCalculation(CommandOf("2110")); // Test 1
    m_doc.OnNewCalculation(32771);             // "1110": Test 2, filed in a folder after "2000"
    m_doc.OnNewCalculation(CommandOf("2110")); // Test 3
    m_views.TypeText("typed by hand\n");       // shown, not yet stored: export stores it first
    CCalcNodeBase* selected = m_doc.GetSelectedNode();

    m_env.m_ui.m_fileNames.push_back(dir.Path("all.txt"));
    m_doc.OnFileExport();
    const std::vector<unsigned char> bytes = ReadFileBytes(dir.Path("all.txt"));
    const std::string expected = "Test 1\r\nResult line\r\n" + kSeparator +
                                 "Test 3\r\nResult line\r\ntyped by hand\r\n" + kSeparator +
                                 "Test 2\r\nResult line\r\n" + kSeparator;
    EXPECT_EQ(std::string(bytes.begin(), bytes.end()), expected);
    EXPECT_EQ(m_doc.GetSelectedNode(), selected);

    m_doc.OnFileExport(); // no answer queued: the dialog was cancelled
    EXPECT_TRUE(m_env.m_ui.m_messages.empty());

    EXPECT_FALSE(m_doc.ExportToFile(dir.Path("missing/out.txt")));
    EXPECT_EQ(m_env.m_ui.m_messages.back(), dir.Path("missing/out.txt") + " was not found.");
    EXPECT_EQ(m_doc.GetSelectedNode(), selected);
}

TEST_F(CalcDocTest, FirstEditMarksCalculationAndDocument)
{
    m_doc.OnNewCalculation(32771);
    CCalculation* calc = Selected();
    m_doc.SetModifiedFlag(false);
    m_views.OnUpdate(); // reloads the report, tracking changes again
    m_views.TypeText("x");
    EXPECT_EQ(calc->IsEditted(), 1);
    EXPECT_TRUE(m_doc.IsModified());
}

TEST(CalcDocNames, FileTitleAndOpenHeadName)
{
    EXPECT_EQ(CCalcDoc::FileTitle("/home/u/study.zna"), "study");
    EXPECT_EQ(CCalcDoc::FileTitle("a.b.zna"), "a.b");
    EXPECT_EQ(CCalcDoc::FileTitle("/tmp/README"), "README");
    EXPECT_EQ(CCalcDoc::OpenHeadName("/any/where/study.zna"), "study");
    EXPECT_EQ(CCalcDoc::OpenHeadName("C:\\docs\\study.zna"), "study");
    EXPECT_EQ(CCalcDoc::OpenHeadName("/tmp/README"), "");
    EXPECT_EQ(CCalcDoc::OpenHeadName("study.zna"), "study");
}
} // namespace
