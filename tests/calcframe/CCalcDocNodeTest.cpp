// Filing of calculations into the folder tree and removal of nodes.
#include "CCalcDocNode.h"

#include "CCalculation.h"
#include "DocumentTestSupport.h"
#include "Profile.h"

#include <gtest/gtest.h>
#include <memory>

namespace
{
class CalcDocNodeTest : public ::testing::Test
{
protected:
    CCalculation* File(const std::string& type, const std::string& title)
    {
        CCalculation* calc = m_head->Add(MakeCalculation(type, title));
        EXPECT_TRUE(calc);
        return calc;
    }
    /// Every node of the tree as "depth:type:F|C" in walk order.
    std::string Shape()
    {
        std::string shape;
        m_head->Walk([&shape](CCalcNodeBase& node, int depth) {
            shape +=
                std::to_string(depth) + ":" + node.GetType().GetTypeString() + (node.IsCalculation() ? "C " : "F ");
        });
        return shape;
    }
    /// Gives every node an item handle (its own address), as the tree view does.
    void Show()
    {
        m_head->Walk([](CCalcNodeBase& node, int) { node.SetTreeHandle(&node); });
    }

    CDocumentTestEnvironment m_env;
    std::unique_ptr<CCalcDocNode> m_head = std::make_unique<CCalcDocNode>(CCalcType());
};

TEST_F(CalcDocNodeTest, FilingCreatesFoldersOnceAndKeepsChainOrder)
{
    CCalculation* first = File("1110", "a");
    CCalculation* second = File("1110", "b");
    EXPECT_EQ(Shape(), "0:0000F 1:1000F 2:1100F 3:1110F 4:1110C 4:1110C ");
    CCalcDocNode* folder = m_head->GetSub()->GetSub()->GetSub();
    EXPECT_EQ(folder->GetCalc(), first);
    EXPECT_EQ(first->GetNext(), second);
    EXPECT_EQ(folder->GetLabel(), GetProfileString("Labels", "1110", "?"));
    EXPECT_EQ(m_head->GetSub()->GetLevel(), 0);

    File("1120", "c"); // one new folder, beside "1110"
    EXPECT_EQ(folder->GetNext()->GetType().GetTypeString(), "1120");
    EXPECT_EQ(Shape(), "0:0000F 1:1000F 2:1100F 3:1110F 4:1110C 4:1110C 3:1120F 4:1120C ");
}

TEST_F(CalcDocNodeTest, NewBranchesGoAfterExistingOnes)
{
    File("1110", "a");
    File("2110", "b"); // "2000" after "1000", never before it
    File("1200", "c"); // "1200" after "1100", below "1000"
    EXPECT_EQ(m_head->GetSub()->GetType().GetTypeString(), "1000");
    EXPECT_EQ(m_head->GetSub()->GetNext()->GetType().GetTypeString(), "2000");
    EXPECT_EQ(m_head->GetSub()->GetSub()->GetNext()->GetType().GetTypeString(), "1200");
    EXPECT_EQ(Shape(), "0:0000F 1:1000F 2:1100F 3:1110F 4:1110C 2:1200F 3:1200C 1:2000F 2:2100F 3:2110F 4:2110C ");
}

TEST_F(CalcDocNodeTest, RootTypeGoesIntoTheHeadsOwnChain)
{
    CCalculation* note = m_head->Add(MakeCalculation("0000", "n", "X"));
    ASSERT_TRUE(note);
    EXPECT_EQ(m_head->GetCalc(), note);
    EXPECT_FALSE(m_head->HasSub());
    EXPECT_FALSE(m_head->Add(nullptr));
}

TEST_F(CalcDocNodeTest, CodesWithAGapAboveTheirLevelAreRefused)
{
    File("1110", "kept");
    const std::string before = Shape();
    for (const CCalcType& gap : {CCalcType(1, 0, 1, 0), CCalcType(0, 1, 0, 0), CCalcType(0, 6, 3, 0)}) {
        std::unique_ptr<CCalculation> calc(MakeCalculation("1110", "gap"));
        calc->SetType(gap.GetType(0), gap.GetType(1), gap.GetType(2), gap.GetType(3));
        EXPECT_FALSE(m_head->Add(std::move(calc))) << gap.GetTypeString(); // returns, makes no folder
        EXPECT_EQ(Shape(), before) << gap.GetTypeString();
    }
}

TEST_F(CalcDocNodeTest, MissingFolderLabelShowsCorruptIni)
{
    SetVocabularyProfiles({});
    File("2610", "x");
    EXPECT_EQ(m_head->GetSub()->GetLabel(), "Corrupt .INI file");
}

TEST_F(CalcDocNodeTest, DeletingTheFirstCalculationKeepsTheRest)
{
    CCalculation* first = File("1110", "a");
    CCalculation* second = File("1110", "b");
    CCalculation* third = File("1110", "c");
    Show();
    CCalcDocNode* folder = m_head->GetSub()->GetSub()->GetSub();
    ASSERT_TRUE(m_head->Delete(first->GetTreeHandle()));
    EXPECT_EQ(folder->GetCalc(), second);
    EXPECT_EQ(second->GetNext(), third);
    TreeItemHandle thirdItem = third->GetTreeHandle();
    ASSERT_TRUE(m_head->Delete(thirdItem)); // found along the chain
    EXPECT_EQ(second->GetNext(), nullptr);
    EXPECT_FALSE(m_head->Delete(thirdItem)); // gone already
}

TEST_F(CalcDocNodeTest, OnlyEmptyFoldersAreRemoved)
{
    CCalculation* calc = File("1110", "a");
    File("1120", "b");
    File("2500", "c");
    Show();
    CCalcDocNode* f1000 = m_head->GetSub();
    CCalcDocNode* f1110 = f1000->GetSub()->GetSub();
    EXPECT_FALSE(m_head->Delete(f1110->GetTreeHandle()));  // holds a calculation
    EXPECT_FALSE(m_head->Delete(f1000->GetTreeHandle()));  // holds a sub-folder
    EXPECT_FALSE(m_head->Delete(m_head->GetTreeHandle())); // the head is never removed
    EXPECT_FALSE(m_head->Delete(nullptr));                 // names no node

    ASSERT_TRUE(m_head->Delete(calc->GetTreeHandle()));
    ASSERT_TRUE(m_head->Delete(f1110->GetTreeHandle())); // a sub: "1120" takes its place
    EXPECT_EQ(f1000->GetSub()->GetSub()->GetType().GetTypeString(), "1120");
    EXPECT_EQ(Shape(), "0:0000F 1:1000F 2:1100F 3:1120F 4:1120C 1:2000F 2:2500F 3:2500C ");

    CCalcDocNode* f2000 = f1000->GetNext();
    ASSERT_TRUE(m_head->Delete(f2000->GetSub()->GetCalc()->GetTreeHandle()));
    ASSERT_TRUE(m_head->Delete(f2000->GetSub()->GetTreeHandle()));
    ASSERT_TRUE(m_head->Delete(f2000->GetTreeHandle())); // a next sibling
    EXPECT_EQ(f1000->GetNext(), nullptr);
}
} // namespace
