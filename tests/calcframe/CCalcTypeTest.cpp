// Type codes: the level invariant, promotion, equality, leaf numbering over the type tree of
// the vocabulary's Levels section, the clamped child count and the stored form.
#include "CCalcType.h"

#include "CArchive.h"
#include "HookGuards.h"
#include "Profile.h"

#include <gtest/gtest.h>

namespace
{
// The type tree that offers every calculation: 37 leaves.
constexpr const char* kLevelsTree = "[Levels]\n0000=5\n1000=4\n1100=2\n2000=6\n2100=2\n2600=3\n3000=3\n"
                                    "4000=3\n4100=7\n4200=6\n4300=4\n5000=3\n";

class CalcTypeTree : public ::testing::Test
{
protected:
    void UseLevels(const std::string& extra)
    {
        CProfile profile;
        profile.Parse(std::string(kLevelsTree) + extra);
        SetVocabularyProfiles({profile});
    }
    void SetUp() override { UseLevels(""); }
    void TearDown() override { ResetVocabulary(); }
};

CCalcType Code(const char* text)
{
    return CCalcType(text[0] - '0', text[1] - '0', text[2] - '0', text[3] - '0');
}
} // namespace

TEST(CalcType, KeepsTheLevelAtTheLastNonZeroDigit)
{
    EXPECT_EQ(CCalcType().GetLevel(), -1);
    EXPECT_EQ(CCalcType().GetTypeString(), "0000");
    EXPECT_EQ(Code("1110").GetLevel(), 2);
    EXPECT_EQ(Code("1000").GetLevel(), 0);
    const CCalcType sparse = Code("0030");
    EXPECT_EQ(sparse.GetLevel(), 2);
    EXPECT_EQ(sparse.GetType(0), 0);
    EXPECT_EQ(sparse.GetType(2), 3);

    CCalcType code = Code("1110");
    code.SetType(0, 2);
    EXPECT_EQ(code.GetTypeString(), "1100");
    EXPECT_EQ(code.GetLevel(), 1);
    code.SetType(4, 3);
    EXPECT_EQ(code.GetLevel(), 3);
    code.SetType(7, 4); // no fifth digit: ignored
    code.SetType(7, -1);
    EXPECT_EQ(code.GetTypeString(), "1104");
    EXPECT_EQ(code.GetType(4), 0);
    code.SetType(9, 9, 9, 9);
    EXPECT_EQ(code.GetTypeString(), "9999");
    EXPECT_EQ(code.GetLevel(), 3);
}

TEST(CalcType, PromotesAndCompares)
{
    EXPECT_EQ(Code("1234").GetPromoted(1).GetTypeString(), "1200");
    EXPECT_EQ(Code("1234").GetPromoted(1).GetLevel(), 1);
    EXPECT_EQ(Code("1234").GetPromoted(-1), CCalcType());
    EXPECT_EQ(Code("1234").GetPromoted(3), Code("1234"));

    EXPECT_TRUE(Code("1110") == CCalcType(1, 1, 1, 0));
    EXPECT_FALSE(Code("1110") == Code("1120"));
    EXPECT_FALSE(Code("1110") == Code("1111"));
    EXPECT_FALSE(Code("1110") == Code("2110"));
    CCalcType copy = Code("4170");
    EXPECT_TRUE(copy == Code("4170"));
    // Writing through the digit array bypasses the level: such a code no longer compares equal.
    copy.GetType()[3] = 1;
    EXPECT_EQ(copy.GetLevel(), 2);
    EXPECT_FALSE(copy == Code("4171"));
    EXPECT_FALSE(copy.IsValid());
}

TEST_F(CalcTypeTree, NumbersLeavesDepthFirst)
{
    EXPECT_EQ(Code("1110").GetTypeInt(), 0);
    EXPECT_EQ(Code("1400").GetTypeInt(), 4);
    EXPECT_EQ(Code("2110").GetTypeInt(), 5);
    EXPECT_EQ(Code("4100").GetTypeInt(), 17);
    EXPECT_EQ(Code("5300").GetTypeInt(), 36);
    EXPECT_EQ(Code("0000").GetTypeInt(), 37);
    EXPECT_EQ(Code("9999").GetTypeInt(), 37);

    const char* const leaves[] = {"1110", "1120", "1200", "1300", "1400", "2110", "2120", "2200", "2300", "2400",
                                  "2500", "2610", "2620", "2630", "3100", "3200", "3300", "4110", "4120", "4130",
                                  "4140", "4150", "4160", "4170", "4210", "4220", "4230", "4240", "4250", "4260",
                                  "4310", "4320", "4330", "4340", "5100", "5200", "5300"};
    CCalcType code;
    for (int n = 0; n < 37; ++n) {
        code.SetTypeInt(n);
        EXPECT_EQ(code.GetTypeString(), leaves[n]) << n;
        EXPECT_EQ(code.GetTypeInt(), n);
    }
    code.SetTypeInt(37);
    EXPECT_EQ(code, CCalcType());
    code.SetTypeInt(-1);
    EXPECT_EQ(code, CCalcType());
}

TEST_F(CalcTypeTree, ClampsChildCounts)
{
    // A count on a level-3 code would need a fifth digit; a negative count is a leaf; a huge
    // count offers at most nine children.
    UseLevels("1110=3\n1120=-4\n5300=100000\n");
    EXPECT_EQ(Code("1113").GetTypeInt(), 2);
    EXPECT_EQ(Code("1120").GetTypeInt(), 3);
    EXPECT_EQ(Code("1200").GetTypeInt(), 4);
    EXPECT_EQ(Code("5390").GetTypeInt(), 46);
    EXPECT_EQ(Code("0000").GetTypeInt(), 47);

    UseLevels("1110=3\n1113=5\n");
    EXPECT_EQ(Code("0000").GetTypeInt(), 39);
    CCalcType code;
    code.SetTypeInt(2);
    EXPECT_EQ(code.GetTypeString(), "1113");
    code.SetTypeInt(3);
    EXPECT_EQ(code.GetTypeString(), "1120");
}

TEST(CalcType, WithoutLevelsTheRootIsTheOnlyLeaf)
{
    const CVocabularyGuard vocabulary({});
    CCalcType code(1, 2, 0, 0);
    code.SetTypeInt(0);
    EXPECT_EQ(code, CCalcType());
    code.SetTypeInt(1);
    EXPECT_EQ(code, CCalcType());
}

TEST(CalcType, StoresLevelThenDigits)
{
    std::vector<unsigned char> bytes;
    {
        CArchive out(bytes);
        CCalcType(0, 0, 3, 0).Serialize(out);
    }
    const std::vector<unsigned char> expected = {2, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 3, 0, 0, 0, 0, 0, 0, 0};
    EXPECT_EQ(bytes, expected);

    CArchive in(bytes.data(), bytes.size());
    CCalcType loaded(9, 9, 9, 9);
    loaded.Serialize(in);
    EXPECT_EQ(loaded, CCalcType(0, 0, 3, 0));
    EXPECT_FALSE(loaded.IsValid()); // stored and read as it is, but no node may carry it
    EXPECT_TRUE(CCalcType(1, 1, 3, 0).IsValid());
}

TEST(CalcType, RefusesDamagedStoredCodes)
{
    const auto load = [](const std::vector<int32_t>& values) {
        std::vector<unsigned char> bytes;
        {
            CArchive out(bytes);
            for (const int32_t value : values)
                out << value;
        }
        CArchive in(bytes.data(), bytes.size());
        CCalcType code;
        code.Serialize(in);
        return code;
    };
    EXPECT_TRUE(load({-1, 0, 0, 0, 0}).IsValid());
    EXPECT_TRUE(load({3, 9, 9, 9, 9}).IsValid());
    EXPECT_FALSE(load({1, 1, 1, 1, 0}).IsValid());  // level does not match the digits
    EXPECT_FALSE(load({7, 1, 1, 1, 1}).IsValid());  // level past the last digit
    EXPECT_FALSE(load({0, -1, 0, 0, 0}).IsValid()); // negative digit
    EXPECT_FALSE(load({1, 1, 10, 0, 0}).IsValid()); // two-character digit
    // A 0 digit above the level names no folder of the tree, whatever the level says.
    EXPECT_FALSE(load({2, 1, 0, 1, 0}).IsValid()); // "1010"
    EXPECT_FALSE(load({1, 0, 1, 0, 0}).IsValid()); // "0100"
    EXPECT_FALSE(load({2, 0, 6, 3, 0}).IsValid()); // "0630"
    EXPECT_FALSE(CCalcType(1, 0, 0, 1).IsValid());
    EXPECT_TRUE(CCalcType(4, 3, 3, 0).IsValid());
}
