// The recurring vocabulary lookups: their defaults and the menu texts' tab rule.
#include "Vocabulary.h"

#include "CCalcType.h"
#include "Profile.h"

#include <gtest/gtest.h>

namespace
{
class VocabularyLookups : public ::testing::Test
{
protected:
    void SetUp() override
    {
        CProfile profile;
        profile.Parse("[Terms]\n05=CI\n[Labels]\n1000=Describe\n[Menus]\nFILE_NEW=&New\\Ctrl+N\nEDIT=\\\\x\\\n"
                      "[Levels]\n0000=5\n1000=12\n2000=-1\n");
        SetVocabularyProfiles({profile});
    }
    void TearDown() override { ResetVocabulary(); }
};
} // namespace

TEST_F(VocabularyLookups, FallBackToTheirOwnDefaults)
{
    EXPECT_EQ(TermText("05"), "CI");
    EXPECT_EQ(TermText("100"), "100");
    EXPECT_EQ(TypeLabel("1000"), "Describe");
    EXPECT_EQ(TypeLabel("1100"), "1100");
    EXPECT_EQ(FolderLabel("1000"), "Describe");
    EXPECT_EQ(FolderLabel("1100"), "Corrupt .INI file");
}

TEST_F(VocabularyLookups, MenuTextsTurnEveryBackslashIntoATab)
{
    EXPECT_EQ(MenuText("FILE_NEW"), "&New\tCtrl+N");
    EXPECT_EQ(MenuText("edit"), "\t\tx\t");
    EXPECT_EQ(MenuText("EDIT_UNDO\\Z"), "EDIT_UNDO\tZ");
}

TEST_F(VocabularyLookups, ChildCountIsClampedAndLevelThreeIsALeaf)
{
    EXPECT_EQ(ChildCount(CCalcType()), 5);
    EXPECT_EQ(ChildCount(CCalcType(1, 0, 0, 0)), 9);
    EXPECT_EQ(ChildCount(CCalcType(2, 0, 0, 0)), 0);
    EXPECT_EQ(ChildCount(CCalcType(3, 0, 0, 0)), 0);
    EXPECT_EQ(ChildCount(CCalcType(9, 9, 9, 9)), 0);
}
