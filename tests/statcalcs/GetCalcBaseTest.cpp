// Tests of the factory, the class table, the library's start-up and the note.
// The factory's codes and class names are part of the document format.
#include "GetCalcBase.h"

#include "CCalcBase.h"
#include "CCompStrat.h"
#include "CNote.h"
#include "CalcFactory.h"
#include "Profile.h"
#include "TestSupport.h"
#include "ZNTVStat.h"

#include <memory>
#include <set>

namespace
{
std::string ClassNameOf(const std::string& code)
{
    std::unique_ptr<CCalcBase> calc(GetCalcBase(code));
    return calc ? calc->GetRuntimeClass()->m_lpszClassName : "(null)";
}

/// Installs a vocabulary made of `text` for one test and puts the shipped one back after it.
class VocabularyScope
{
public:
    explicit VocabularyScope(std::string_view text)
    {
        CProfile profile;
        profile.Parse(text);
        SetVocabularyProfiles({profile});
    }
    ~VocabularyScope()
    {
        CProfile shipped;
        shipped.Load(ShippedVocabularyPath());
        SetVocabularyProfiles({shipped});
    }
};
} // namespace

TEST(GetCalcBase, MakesANoteForEveryCodeBeginningWithX)
{
    EXPECT_EQ(ClassNameOf("X"), "CNote");
    EXPECT_EQ(ClassNameOf("Xabc"), "CNote");
    EXPECT_EQ(ClassNameOf("X110"), "CNote");
}

TEST(GetCalcBase, RefusesCodesNotInTheTable)
{
    for (const char* code : {"9999", "", "1111", "0000", " 1110", "1110 ", "111", "11100", "x"})
        EXPECT_EQ(ClassNameOf(code), "(null)") << '"' << code << '"';
}

TEST(GetCalcBase, EachCodeMakesTheClassThatDocumentsName)
{
    // The catalogue as documents know it: code and run-time class name.
    const std::vector<std::pair<std::string, std::string>> expected = {
        {"1110", "CDescPerc"},       {"1120", "CDescNum"},        {"1200", "CDescRate"},
        {"1300", "CDescMean"},       {"1400", "CDescMedian"},     {"2110", "CComp2PropPerc"},
        {"2120", "CComp2PropNum"},   {"2200", "CCompPropPerc"},   {"2300", "CCompPropTrend"},
        {"2400", "CCompGoodness"},   {"2500", "CCompRates"},      {"2610", "CCompMeans2"},
        {"2620", "CCompMeanMDZ"},    {"2630", "CCompMeanMDG"},    {"3100", "CCompPropRxC"},
        {"3200", "CCompUnstrat"},    {"3300", "CCompStrat"},      {"4110", "CSampSize1Mean"},
        {"4120", "CSampSize1Rate"},  {"4130", "CSampSize1Prop"},  {"4140", "CSampSize2Means"},
        {"4150", "CSampSize2Rates"}, {"4160", "CSampSize2Props"}, {"4170", "CSampSizeCC"},
        {"4210", "CSampPrec1Mean"},  {"4220", "CSampPrec1Rate"},  {"4230", "CSampPrec1Prop"},
        {"4240", "CSampPrec2Means"}, {"4250", "CSampPrec2Rates"}, {"4260", "CSampPrec2Props"},
        {"4310", "CSampRanList"},    {"4320", "CSampRanGroup"},   {"4330", "CSampRanGrpList"},
        {"4340", "CSampRanTable"},   {"5100", "CProbChi"},        {"5200", "CPropT"},
        {"5300", "CPropZ"},
    };
    const auto& table = CalcClassTable();
    ASSERT_EQ(table.size(), expected.size());
    std::set<int> templates;
    for (size_t i = 0; i < table.size(); ++i) {
        EXPECT_EQ(table[i].code, expected[i].first);
        EXPECT_EQ(table[i].className, expected[i].second);
        EXPECT_EQ(ClassNameOf(expected[i].first), expected[i].second);
        EXPECT_STREQ(table[i].runtimeClass->m_lpszClassName, table[i].className);
        EXPECT_TRUE(table[i].runtimeClass->IsDerivedFrom(RUNTIME_CLASS(CCalcBase))) << table[i].className;
        EXPECT_EQ(FindCalcClass(expected[i].first), &table[i]);
        templates.insert(table[i].templateId);
    }
    EXPECT_EQ(templates.size(), table.size()); // every calculation has its own dialog template
}

TEST(ZNTVStatInit, RegistersEveryClassByNameAndInstallsTheFactory)
{
    ZNTVStatInit();
    ZNTVStatInit(); // a second call changes nothing
    for (const CCalcClassInfo& info : CalcClassTable())
        EXPECT_EQ(CRuntimeClass::FromName(info.className), info.runtimeClass) << info.className;
    EXPECT_EQ(CRuntimeClass::FromName("CNote"), RUNTIME_CLASS(CNote));
    std::unique_ptr<CCalcBase> calc(MakeCalcBase("3200"));
    ASSERT_NE(calc, nullptr);
    EXPECT_STREQ(calc->GetRuntimeClass()->m_lpszClassName, "CCompUnstrat");
}

TEST(CNote, DoTitlesTheNoteWithTheVocabularysNameEachTime)
{
    {
        VocabularyScope vocabulary("[Labels]\n9999=Note\n");
        CNote note;
        note.SetTitle("my own words");
        EXPECT_TRUE(note.Do());
        EXPECT_EQ(note.GetTitle(), "Note");
        EXPECT_TRUE(note.GetPhrases().empty());
    }
    VocabularyScope vocabulary("[Labels]\n1000=Describe\n");
    CNote note;
    EXPECT_TRUE(note.Do());
    EXPECT_EQ(note.GetTitle(), "9999");
}

TEST(CCompStrat, StartsWithOneStratumOfZerosNamedFromTheVocabulary)
{
    VocabularyScope vocabulary("[Terms]\n62=Stratum\n");
    CCompStrat strat;
    ASSERT_EQ(strat.m_strata.size(), 1u);
    EXPECT_EQ(strat.m_strata[0], (CStratum{"Stratum 1", 0, 0, 0, 0}));
    EXPECT_EQ(strat.m_level, 0);
    EXPECT_EQ(CCompStrat::NewStratumTitle(12), "Stratum 12");
}
