// Who owns a calculation on its way into and out of the tree, and the document's one
// new-calculation command: nothing is kept alive by mistake, nothing is lost, whether filing
// succeeds, is refused or the dialog is cancelled.
#include "CCalcDoc.h"
#include "CCalcDocNode.h"
#include "CCalculation.h"
#include "CalcFactory.h"
#include "DocumentTestSupport.h"
#include "MemoryViews.h"

#include <gtest/gtest.h>
#include <memory>
#include <string>
#include <vector>

namespace
{
const char kAddProblem[] = "There was an unexpected problem adding the calculation";

/// A calculation object that counts the live ones and logs what happens to it.
class CCountedCalc : public CCalcBase
{
public:
    CCountedCalc() { ++s_live; }
    ~CCountedCalc() override { --s_live; }
    CCountedCalc(const CCountedCalc&) = delete;
    CCountedCalc& operator=(const CCountedCalc&) = delete;

    bool Do() override
    {
        s_log.push_back(s_cancel ? "cancelled" : "do");
        if (s_cancel)
            return false;
        SetTitle("Counted " + std::to_string(++s_done));
        return true;
    }

    static int s_live;
    static int s_done;
    static bool s_cancel;
    static std::vector<std::string> s_log;
};
int CCountedCalc::s_live = 0;
int CCountedCalc::s_done = 0;
bool CCountedCalc::s_cancel = false;
std::vector<std::string> CCountedCalc::s_log;

CCalcBase* CountedFactory(const std::string& code)
{
    return code == "0000" ? nullptr : new CCountedCalc;
}

std::unique_ptr<CCalculation> Counted(const std::string& type)
{
    auto calc = std::make_unique<CCalculation>(TypeOf(type));
    EXPECT_TRUE(calc->SetupBase(type));
    calc->SetLabel(type);
    return calc;
}

class TreeOwnershipTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        SetCalcFactory(&CountedFactory);
        CCountedCalc::s_live = 0;
        CCountedCalc::s_done = 0;
        CCountedCalc::s_cancel = false;
        CCountedCalc::s_log.clear();
    }
    void TearDown() override { EXPECT_EQ(CCountedCalc::s_live, 0) << "a calculation outlived its tree"; }

    CDocumentTestEnvironment m_env;
};

TEST_F(TreeOwnershipTest, RefusedFilingDestroysTheCalculationAndChangesNothing)
{
    CCalcDocNode head{CCalcType()};
    ASSERT_TRUE(head.Add(Counted("1110")));
    const std::vector<unsigned char> before = CCalcDoc::StoreTree(&head);

    std::unique_ptr<CCalculation> gap = Counted("1110");
    gap->SetType(1, 0, 1, 0); // no folder can hold it
    EXPECT_EQ(head.Add(std::move(gap)), nullptr);
    EXPECT_EQ(CCountedCalc::s_live, 1);
    EXPECT_EQ(head.Add(nullptr), nullptr);
    EXPECT_EQ(CCalcDoc::StoreTree(&head), before);

    // A document without a tree yet files nothing and keeps nothing.
    CCalcDoc doc;
    EXPECT_EQ(doc.Add(Counted("1110")), nullptr);
    EXPECT_EQ(CCountedCalc::s_live, 1);
    EXPECT_FALSE(doc.IsModified());

    // A chain appends what it is given and ignores null.
    CCalculation* first = head.GetSub()->GetSub()->GetSub()->GetCalc();
    EXPECT_EQ(first->Add(nullptr), nullptr);
    CCalculation* appended = first->Add(Counted("1110"));
    EXPECT_EQ(first->GetNext(), appended);
    EXPECT_EQ(CCountedCalc::s_live, 2);
}

TEST_F(TreeOwnershipTest, DetachHandsTheNodeOverAndAttachTakesItBack)
{
    auto head = std::make_unique<CCalcDocNode>(CCalcType());
    CCalculation* a = head->Add(Counted("1110"));
    CCalculation* b = head->Add(Counted("1110"));
    head->Add(Counted("1120"));
    const std::vector<unsigned char> whole = CCalcDoc::StoreTree(head.get());
    CCalcDocNode* f1110 = head->GetSub()->GetSub()->GetSub();

    // A folder that still holds something stays where it is.
    CNodePlace place;
    EXPECT_EQ(head->Detach(f1110, place), nullptr);
    EXPECT_EQ(head->Detach(head.get(), place), nullptr);
    EXPECT_EQ(head->Detach(nullptr, place), nullptr);

    // Out of the tree, a node lives as long as its new owner keeps it.
    CNodePlace placeOfA;
    std::unique_ptr<CCalcNodeBase> outA = head->Detach(a, placeOfA);
    ASSERT_EQ(outA.get(), a);
    EXPECT_EQ(placeOfA.folder, f1110);
    EXPECT_EQ(placeOfA.before, nullptr);
    EXPECT_EQ(f1110->GetCalc(), b);
    EXPECT_EQ(CCountedCalc::s_live, 3);

    // The folder empties and goes too; put back outermost first, the tree is whole again.
    CNodePlace placeOfB;
    std::unique_ptr<CCalcNodeBase> outB = head->Detach(b, placeOfB);
    CNodePlace placeOfFolder;
    std::unique_ptr<CCalcNodeBase> outFolder = head->Detach(f1110, placeOfFolder);
    ASSERT_EQ(outFolder.get(), f1110);
    EXPECT_EQ(head->GetSub()->GetSub()->GetSub()->GetType().GetTypeString(), "1120");
    EXPECT_EQ(CCalcDocNode::Attach(std::move(outFolder), placeOfFolder), nullptr);
    EXPECT_EQ(CCalcDocNode::Attach(std::move(outB), placeOfB), nullptr);
    EXPECT_EQ(CCalcDocNode::Attach(std::move(outA), placeOfA), nullptr);
    EXPECT_EQ(CCalcDoc::StoreTree(head.get()), whole);

    // A place without a folder takes nothing: the node comes back to its owner, alive.
    std::unique_ptr<CCalcNodeBase> again = head->Detach(b, placeOfB);
    std::unique_ptr<CCalcNodeBase> returned = CCalcDocNode::Attach(std::move(again), CNodePlace{});
    EXPECT_EQ(returned.get(), b);
    EXPECT_EQ(CCountedCalc::s_live, 3);
    returned.reset();
    EXPECT_EQ(CCountedCalc::s_live, 2);
    head.reset();
}

class NewCalculationTest : public TreeOwnershipTest
{
protected:
    void SetUp() override
    {
        TreeOwnershipTest::SetUp();
        ASSERT_TRUE(m_doc.OnNewDocument());
        m_views.OnUpdate();
    }
    void TearDown() override
    {
        m_doc.OnNewDocument(); // the tree's calculations go before the count is checked
        TreeOwnershipTest::TearDown();
    }

    CCalcDoc m_doc;
    CMemoryViews m_views{m_doc};
};

TEST_F(NewCalculationTest, PrepareRunsOnTheNewObjectBeforeItsDialog)
{
    std::vector<const CCalcBase*> prepared;
    const CalcPrepareHook prepare = [&prepared](CCalcBase& data) {
        CCountedCalc::s_log.push_back("prepare " + data.GetTypeString());
        prepared.push_back(&data);
    };
    CCalculation* made = m_doc.AddNewCalculation(TypeOf("2120"), prepare);
    ASSERT_NE(made, nullptr);
    EXPECT_EQ(CCountedCalc::s_log, (std::vector<std::string>{"prepare 2120", "do"}));
    EXPECT_EQ(prepared, std::vector<const CCalcBase*>{made->GetData()});
    EXPECT_EQ(made->GetLabel(), "Counted 1");
    EXPECT_EQ(m_doc.GetSelectedNode(), made);
    EXPECT_EQ(m_views.ShownCalculation(), made);
    EXPECT_TRUE(m_doc.IsModified());

    // The menu's command is the same path without the hook.
    CCalculation* second = m_doc.OnNewCalculation(CommandOf("2120"));
    ASSERT_NE(second, nullptr);
    EXPECT_EQ(made->GetNext(), second);
    EXPECT_EQ(m_doc.OnNewCalculation(CCalcDoc::kFirstCalculationCommand - 1), nullptr);
    EXPECT_EQ(CCountedCalc::s_live, 2);
}

TEST_F(NewCalculationTest, CancelledOrUnmadeCalculationsLeaveNothingBehind)
{
    int prepared = 0;
    const CalcPrepareHook prepare = [&prepared](CCalcBase&) { ++prepared; };

    CCountedCalc::s_cancel = true;
    EXPECT_EQ(m_doc.AddNewCalculation(TypeOf("1110"), prepare), nullptr);
    EXPECT_EQ(prepared, 1);
    EXPECT_EQ(CCountedCalc::s_live, 0);
    EXPECT_EQ(m_doc.GetHead()->GetSub(), nullptr);
    EXPECT_FALSE(m_doc.IsModified());
    EXPECT_TRUE(m_env.m_ui.m_messages.empty());

    // No object for the code: the message is shown and kept for callers without a screen.
    EXPECT_EQ(m_doc.AddNewCalculation(CCalcType(), prepare), nullptr);
    EXPECT_EQ(prepared, 1);
    ASSERT_EQ(m_env.m_ui.m_messages.size(), 1u);
    EXPECT_EQ(m_doc.GetLastError(), m_env.m_ui.m_messages[0]);
    EXPECT_FALSE(m_doc.IsModified());
}

TEST_F(NewCalculationTest, FilingRefusedAfterTheDialogShowsItsMessageAndFreesTheCalculation)
{
    CCalcDoc treeless; // never made a tree: nothing can be filed into it
    CCountedCalc::s_log.clear();
    EXPECT_EQ(treeless.AddNewCalculation(TypeOf("1110")), nullptr);
    EXPECT_EQ(CCountedCalc::s_log, std::vector<std::string>{"do"});
    EXPECT_EQ(m_env.m_ui.m_messages, std::vector<std::string>{kAddProblem});
    EXPECT_EQ(treeless.GetLastError(), kAddProblem);
    EXPECT_EQ(CCountedCalc::s_live, 0);
}
} // namespace
