// The calculation base: report layout helpers, result lines, type titles, Output to the
// current report target, the default title and the stored form.
#include "CCalcBase.h"

#include "CArchive.h"
#include "Format.h"
#include "HookGuards.h"
#include "Profile.h"
#include "ReportTarget.h"
#include "UIServices.h"

#include <cmath>
#include <gtest/gtest.h>
#include <limits>

namespace
{
/// Exposes the protected report operations.
class CTestCalc : public CCalcBase
{
public:
    using CCalcBase::GetTypeTitle;
    using CCalcBase::InsertPhrase;
    using CCalcBase::InsertResult;
};

class CRecordingTarget : public IReportTarget
{
public:
    void BeginProgramWrite() override { m_log += "<"; }
    void InsertPhrase(const std::string& text, unsigned flags) override { m_log += text + Format("/%u", flags); }
    void EndProgramWrite() override { m_log += ">"; }
    std::string m_log;
};

class CalcBase : public ::testing::Test
{
protected:
    void SetUp() override
    {
        CProfile profile;
        profile.Parse("[Labels]\n1000=Describe\n1100=Proportion\n1110=Simple\n2000=Compare\n2600=Trend\n"
                      "2610=Linear\n");
        SetVocabularyProfiles({profile});
        SetUIServices(&m_ui);
    }
    void TearDown() override
    {
        SetUIServices(nullptr);
        SetCurrentReportTarget(nullptr);
        ResetVocabulary();
    }
    CHeadlessUIServices m_ui;
};

const double kInf = std::numeric_limits<double>::infinity();
const double kNaN = std::numeric_limits<double>::quiet_NaN();
} // namespace

TEST(CalcBaseFormat, NumbersHaveFixedWidths)
{
    EXPECT_EQ(CCalcBase::Integer(5), "      5");
    EXPECT_EQ(CCalcBase::Integer(-12), "    -12");
    EXPECT_EQ(CCalcBase::Integer(12345678), "12345678");
    EXPECT_EQ(CCalcBase::Floating(3.14159, 2), "      3.14");
    EXPECT_EQ(CCalcBase::Floating(3.14159, 0), "       3");
    EXPECT_EQ(CCalcBase::Floating(123456789.5, 2), "123456789.50");
    EXPECT_EQ(CCalcBase::Floating(kInf, 2), "      ****");
    EXPECT_EQ(CCalcBase::Floating(-kInf, 6), "      ****");
    EXPECT_EQ(CCalcBase::Floating(kNaN, 0), "      ****");
    EXPECT_EQ(CCalcBase::CI(0.1, 0.4, 4), "[0.1000\x07 0.4000]");
    EXPECT_EQ(CCalcBase::CI(1.5, kInf, 1), "[1.5\x07 ****]");
    EXPECT_EQ(CCalcBase::CI(kNaN, -2, 0), "[****\x07 -2]");
}

TEST(CalcBaseFormat, ProbabilityOfAnUndefinedStatisticIsStars)
{
    EXPECT_EQ(CCalcBase::Probability(3.84, 0.050044, 6), "      0.050044");
    // The tail at an infinite statistic is 0, at NaN NaN: neither is printed as a probability.
    EXPECT_EQ(CCalcBase::Probability(kInf, 0.0, 6), "      ****");
    EXPECT_EQ(CCalcBase::Probability(-kInf, 1.0, 6), "      ****");
    EXPECT_EQ(CCalcBase::Probability(kNaN, 0.0, 6), "      ****");
    // A finite statistic with an undefined p still prints stars, as Floating does.
    EXPECT_EQ(CCalcBase::Probability(0.0, kNaN, 6), "      ****");
}

TEST(CalcBaseFormat, LabelCIUsesTermFive)
{
    {
        const CVocabularyGuard vocabulary({});
        EXPECT_EQ(CCalcBase::LabelCI(CCalcBase::kLevels[0]), " [95% 05]");
    }
    CProfile profile;
    profile.Parse("[Terms]\n05=CI\n");
    const CVocabularyGuard vocabulary({profile});
    EXPECT_EQ(CCalcBase::LabelCI(CCalcBase::kLevels[1]), " [99% CI]");
}

TEST(CalcBaseFormat, UnderlinesWordsButNotColumnGaps)
{
    EXPECT_EQ(CCalcBase::TUnderline("a b"), "---");
    EXPECT_EQ(CCalcBase::TUnderline("a  b"), "-  -");
    EXPECT_EQ(CCalcBase::TUnderline(" a"), " -");
    EXPECT_EQ(CCalcBase::TUnderline("a "), "--");
    EXPECT_EQ(CCalcBase::TUnderline("Odds ratio   95% CI"), "----------   ------");
    EXPECT_EQ(CCalcBase::TUnderline("ab c\nd  e"), "----\n-  -");
    EXPECT_EQ(CCalcBase::TUnderline(""), "");
    // One dash per character, not per byte.
    EXPECT_EQ(CCalcBase::TUnderline("\xC3\xA9t\xC3\xA9  \xE2\x82\xAC"), "---  -");
    // Each byte of an invalid sequence is a character of its own, as the report shows it.
    EXPECT_EQ(CCalcBase::TUnderline("\xE0\x80\x80 \xF5\x80"), "------");
}

TEST_F(CalcBase, ResultLinesPadByCharacters)
{
    CTestCalc calc;
    calc.InsertResult("Proportion", CCalcBase::Floating(0.25, 4), CCalcBase::CI(0.1, 0.4, 4));
    calc.InsertResult("Proportion \xC3\xA9", "1", "");
    calc.InsertResult(std::string(40, 'x'), std::string(20, 'y'), "z");
    calc.InsertPhrase("Heading", kPhraseBold | kPhraseUnderline);
    const auto& phrases = calc.GetPhrases();
    ASSERT_EQ(phrases.size(), 4u);
    EXPECT_EQ(phrases[0].text, "Proportion" + std::string(25, ' ') + " : " + std::string(6, ' ') + "0.2500" +
                                   std::string(3, ' ') + " [0.1000\x07 0.4000]\n");
    EXPECT_EQ(phrases[0].flags, kPhrasePlain);
    EXPECT_EQ(phrases[1].text, "Proportion \xC3\xA9" + std::string(23, ' ') + " : 1" + std::string(14, ' ') + " \n");
    EXPECT_EQ(phrases[2].text, std::string(40, 'x') + " : " + std::string(20, 'y') + " z\n");
    EXPECT_EQ(phrases[3].flags, kPhraseBold | kPhraseUnderline);
}

TEST_F(CalcBase, TypeTitleJoinsTheLabelsOfUsedLevels)
{
    CTestCalc calc;
    const auto title = [&](const std::string& type) {
        calc.SetTypeString(type);
        return calc.GetTypeTitle();
    };
    EXPECT_EQ(title("1110"), "Describe - Proportion - Simple");
    EXPECT_EQ(title("1400"), "Describe - 1400");
    EXPECT_EQ(title("2610"), "Compare - Trend - Linear");
    EXPECT_EQ(title("1000"), "Describe");
    // A short type string never reads past its end: missing characters count as "0".
    EXPECT_EQ(title("11"), "Describe - 11");
    EXPECT_EQ(title("1"), "1");
    EXPECT_EQ(title(""), "");
}

TEST_F(CalcBase, OutputSendsPhrasesInOrderThenEmptiesTheList)
{
    CRecordingTarget target;
    SetCurrentReportTarget(&target);
    CTestCalc calc;
    calc.InsertPhrase("Title\n", kPhraseBold);
    calc.InsertPhrase("body", kPhrasePlain);
    calc.Output();
    EXPECT_EQ(target.m_log, "<Title\n/1body/0>");
    EXPECT_TRUE(calc.GetPhrases().empty());
    EXPECT_TRUE(m_ui.m_messages.empty());
    EXPECT_EQ(m_ui.m_waitDepth, 0);

    SetCurrentReportTarget(nullptr);
    calc.InsertPhrase("lost", kPhrasePlain);
    calc.Output();
    EXPECT_EQ(m_ui.m_messages, std::vector<std::string>{"Error: cannot write to the document"});
    EXPECT_TRUE(calc.GetPhrases().empty());
    EXPECT_EQ(m_ui.m_waitDepth, 0);
}

TEST_F(CalcBase, DoGivesOnlyAnEmptyTitleTheTimeAndDate)
{
    CCalcBase calc;
    calc.SetTitle("Kept");
    EXPECT_FALSE(calc.Do());
    EXPECT_EQ(calc.GetTitle(), "Kept");

    // The C locale's "%X, %x": "HH:MM:SS, MM/DD/YY".
    calc.SetTitle("");
    EXPECT_FALSE(calc.Do());
    std::string shape = calc.GetTitle();
    for (char& c : shape)
        if (c >= '0' && c <= '9')
            c = '9';
    EXPECT_EQ(shape, "99:99:99, 99/99/99");
}

TEST(CalcBaseStore, StoresTypeStringThenTitle)
{
    CCalcBase calc;
    calc.SetTypeString("1110");
    calc.SetTitle("Survey");
    std::vector<unsigned char> bytes;
    {
        CArchive out(bytes);
        calc.Serialize(out);
    }
    std::vector<unsigned char> expected;
    {
        CArchive out(expected);
        out << std::string("1110") << std::string("Survey");
    }
    EXPECT_EQ(bytes, expected);

    CArchive in(bytes.data(), bytes.size());
    CCalcBase loaded;
    loaded.Serialize(in);
    EXPECT_EQ(loaded.GetTypeString(), "1110");
    EXPECT_EQ(loaded.GetTitle(), "Survey");
    EXPECT_EQ(in.BytesLeft(), 0u);
}
