// Tests of every calculation's stored inputs: write-read-write round trips, the byte layout
// where the stored order differs from the fields', refusal of values the program would index
// with, and truncated streams.
#include "CArchive.h"
#include "CComp2PropNum.h"
#include "CComp2PropPerc.h"
#include "CCompGoodness.h"
#include "CCompMeanMDG.h"
#include "CCompMeanMDZ.h"
#include "CCompMeans2.h"
#include "CCompPropPerc.h"
#include "CCompPropRxC.h"
#include "CCompPropTrend.h"
#include "CCompRates.h"
#include "CCompStrat.h"
#include "CCompUnstrat.h"
#include "CDescMean.h"
#include "CDescMedian.h"
#include "CDescNum.h"
#include "CDescPerc.h"
#include "CDescRate.h"
#include "CNote.h"
#include "CProbChi.h"
#include "CPropT.h"
#include "CPropZ.h"
#include "CSampPrec1Mean.h"
#include "CSampPrec1Prop.h"
#include "CSampPrec1Rate.h"
#include "CSampPrec2Means.h"
#include "CSampPrec2Props.h"
#include "CSampPrec2Rates.h"
#include "CSampRanGroup.h"
#include "CSampRanGrpList.h"
#include "CSampRanList.h"
#include "CSampRanTable.h"
#include "CSampSize1Mean.h"
#include "CSampSize1Prop.h"
#include "CSampSize1Rate.h"
#include "CSampSize2Means.h"
#include "CSampSize2Props.h"
#include "CSampSize2Rates.h"
#include "CSampSizeCC.h"
#include "GetCalcBase.h"
#include "ZNTVStat.h"
#include "gtest/gtest.h"

#include <cstring>
#include <functional>
#include <memory>
#include <ostream>

namespace
{
using Bytes = std::vector<unsigned char>;
using Mutator = std::function<void(CCalcBase&)>;

template <class T> Mutator On(std::function<void(T&)> change)
{
    return [change](CCalcBase& calc) { change(dynamic_cast<T&>(calc)); };
}

/// One calculation class: how to give it non-default inputs, how many bytes those inputs
/// take after the base, and values that loading must refuse.
struct StoredCase
{
    std::string code;
    Mutator fill;
    size_t inputBytes;
    std::vector<Mutator> refused;
};

void PrintTo(const StoredCase& c, std::ostream* os)
{
    *os << '"' << c.code << '"';
}

template <class T> std::vector<Mutator> BadLevels()
{
    return {On<T>([](T& c) { c.m_level = 2; }), On<T>([](T& c) { c.m_level = -1; })};
}

template <class T> std::vector<Mutator> BadChoices()
{
    return {On<T>([](T& c) { c.m_significance = 4; }), On<T>([](T& c) { c.m_significance = -1; }),
            On<T>([](T& c) { c.m_power = 4; }), On<T>([](T& c) { c.m_power = -1; })};
}

// Inputs: 4 bytes per 32-bit value, 8 per double.
std::vector<StoredCase> Cases()
{
    return {
        {"1110", On<CDescPerc>([](auto& c) { c.m_level = 1, c.m_percent = 12.5, c.m_sampleSize = 80; }), 16,
         BadLevels<CDescPerc>()},
        {"1120", On<CDescNum>([](auto& c) { c.m_level = 1, c.m_count = 5, c.m_sampleSize = 80; }), 12,
         BadLevels<CDescNum>()},
        {"1200", On<CDescRate>([](auto& c) { c.m_level = 1, c.m_count = 4, c.m_personTime = 1000; }), 12,
         BadLevels<CDescRate>()},
        {"1300", On<CDescMean>([](auto& c) { c.m_level = 1, c.m_mean = -3.25, c.m_sd = 2, c.m_sampleSize = 25; }), 24,
         BadLevels<CDescMean>()},
        {"1400", On<CDescMedian>([](auto& c) { c.m_level = 1, c.m_sampleSize = 11; }), 8, BadLevels<CDescMedian>()},
        {"2110", On<CComp2PropPerc>([](auto& c) {
             c.m_level = 1, c.m_percent1 = 30, c.m_percent2 = 50.5, c.m_size1 = 100, c.m_size2 = 120;
         }),
         28, BadLevels<CComp2PropPerc>()},
        {"2120", On<CComp2PropNum>([](auto& c) {
             c.m_level = 1, c.m_count1 = 3, c.m_size1 = 10, c.m_count2 = 4, c.m_size2 = 9;
         }),
         20, BadLevels<CComp2PropNum>()},
        {"2200",
         On<CCompPropPerc>([](auto& c) {
             c.m_rows = {{10.0, 100}, {20.5, 80}, {0.0, 1}};
         }),
         4 + 3 * 12,
         {}},
        {"2300",
         On<CCompPropTrend>([](auto& c) {
             c.m_rows = {{0, 10, 90}, {1, 20, 80}, {2.5, 30, 70}};
         }),
         4 + 3 * 16,
         {}},
        {"2400",
         On<CCompGoodness>([](auto& c) {
             c.m_rows = {{10, 15}, {20, 15.5}};
         }),
         4 + 2 * 16,
         {}},
        {"2500", On<CCompRates>([](auto& c) { c.m_level = 1, c.m_c1 = 10, c.m_c2 = 20, c.m_t1 = 1000, c.m_t2 = 900; }),
         20, BadLevels<CCompRates>()},
        {"2610", On<CCompMeans2>([](auto& c) {
             c.m_level = 1, c.m_mean1 = 10, c.m_mean2 = 8, c.m_sd1 = 2, c.m_sd2 = 3, c.m_size1 = 10, c.m_size2 = 12;
         }),
         44, BadLevels<CCompMeans2>()},
        {"2620", On<CCompMeanMDZ>([](auto& c) { c.m_level = 1, c.m_mean = -2, c.m_sd = 4, c.m_size = 16; }), 24,
         BadLevels<CCompMeanMDZ>()},
        {"2630",
         On<CCompMeanMDG>([](auto& c) { c.m_level = 1, c.m_mean = 10, c.m_refMean = 8, c.m_sd = 4, c.m_size = 16; }),
         32, BadLevels<CCompMeanMDG>()},
        {"3100",
         On<CCompPropRxC>([](auto& c) { c.m_r = 2, c.m_c = 3, c.m_cells[0] = {1, 2, 3, -1, 7, -5}; }),
         8 + 36 * 4,
         {On<CCompPropRxC>([](auto& c) { c.m_r = 7; }), On<CCompPropRxC>([](auto& c) { c.m_r = -1; }),
          On<CCompPropRxC>([](auto& c) { c.m_c = 7; }), On<CCompPropRxC>([](auto& c) { c.m_c = -1; })}},
        {"3200", On<CCompUnstrat>([](auto& c) { c.m_fisher = false, c.m_a = 1, c.m_b = 2, c.m_c = 3, c.m_d = 4; }), 24,
         BadLevels<CCompUnstrat>()},
        {"3300", On<CCompStrat>([](auto& c) {
             c.m_level = 1;
             c.m_strata = {{"Men", 10, 20, 30, 40}, {"Women", 1, 2, 3, 4}};
         }),
         8 + 2 * 16 + (1 + 3) + (1 + 5), BadLevels<CCompStrat>()},
        {"4110", On<CSampSize1Mean>([](auto& c) { c.m_power = 3, c.m_mean = 5, c.m_nullMean = 4, c.m_sd = 2; }), 32,
         BadChoices<CSampSize1Mean>()},
        {"4120", On<CSampSize1Rate>([](auto& c) { c.m_significance = 0, c.m_rate = 3, c.m_nullRate = 2; }), 24,
         BadChoices<CSampSize1Rate>()},
        {"4130", On<CSampSize1Prop>([](auto& c) { c.m_power = 2, c.m_percent = 30, c.m_nullPercent = 20; }), 24,
         BadChoices<CSampSize1Prop>()},
        {"4140", On<CSampSize2Means>([](auto& c) { c.m_power = 1, c.m_mean1 = 5, c.m_mean2 = 7, c.m_sd = 2; }), 32,
         BadChoices<CSampSize2Means>()},
        {"4150", On<CSampSize2Rates>([](auto& c) { c.m_significance = 3, c.m_rate1 = 5, c.m_rate2 = 7; }), 24,
         BadChoices<CSampSize2Rates>()},
        {"4160", On<CSampSize2Props>([](auto& c) { c.m_power = 3, c.m_percent1 = 10, c.m_percent2 = 20; }), 24,
         BadChoices<CSampSize2Props>()},
        {"4170", On<CSampSizeCC>([](auto& c) {
             c.m_significance = 2, c.m_power = 1, c.m_ratio = 2, c.m_oddsRatio = 2, c.m_percentExposed = 20;
         }),
         28, BadChoices<CSampSizeCC>()},
        {"4210", On<CSampPrec1Mean>([](auto& c) { c.m_level = 1, c.m_precision = 2, c.m_sd = 10; }), 20,
         BadLevels<CSampPrec1Mean>()},
        {"4220", On<CSampPrec1Rate>([](auto& c) { c.m_level = 1, c.m_precision = 2, c.m_rate = 10; }), 20,
         BadLevels<CSampPrec1Rate>()},
        {"4230", On<CSampPrec1Prop>([](auto& c) { c.m_level = 1, c.m_percent = 50, c.m_precision = 5; }), 20,
         BadLevels<CSampPrec1Prop>()},
        {"4240", On<CSampPrec2Means>([](auto& c) { c.m_level = 1, c.m_precision = 1, c.m_sd1 = 2, c.m_sd2 = 3; }), 28,
         BadLevels<CSampPrec2Means>()},
        {"4250", On<CSampPrec2Rates>([](auto& c) { c.m_level = 1, c.m_precision = 1, c.m_rate1 = 2, c.m_rate2 = 3; }),
         28, BadLevels<CSampPrec2Rates>()},
        {"4260",
         On<CSampPrec2Props>([](auto& c) { c.m_level = 1, c.m_percent1 = 10, c.m_percent2 = 20, c.m_precision = 5; }),
         28, BadLevels<CSampPrec2Props>()},
        {"4310",
         On<CSampRanList>([](auto& c) {
             c.m_seed = 30091, c.m_max = 6, c.m_min = 1, c.m_number = 5, c.m_unique = 1, c.m_sorted = 1;
         }),
         20,
         {}},
        {"4320", On<CSampRanGroup>([](auto& c) { c.m_seed = 7, c.m_groups = 3, c.m_number = 12; }), 12, {}},
        {"4330",
         On<CSampRanGrpList>([](auto& c) {
             c.m_seed = 9, c.m_max = 50, c.m_min = 2, c.m_groups = 3, c.m_number = 2, c.m_unique = 1, c.m_sorted = 1;
         }),
         24,
         {}},
        {"4340", On<CSampRanTable>([](auto& c) { c.m_seed = 11, c.m_digits = 5, c.m_number = 9; }), 12, {}},
        {"5100", On<CProbChi>([](auto& c) { c.m_chi2 = 3.84, c.m_df = 1; }), 12, {}},
        {"5200", On<CPropT>([](auto& c) { c.m_t = 2.228, c.m_df = 10; }), 12, {}},
        {"5300", On<CPropZ>([](auto& c) { c.m_z = 1.96; }), 8, {}},
        {"X", [](CCalcBase&) {}, 0, {}},
    };
}

Bytes Store(const CObject* object)
{
    Bytes bytes;
    CArchive ar(bytes);
    ar.WriteObject(object);
    return bytes;
}

std::unique_ptr<CCalcBase> Load(const Bytes& bytes)
{
    CArchive ar(bytes.data(), bytes.size());
    return std::unique_ptr<CCalcBase>(ReadObjectOf<CCalcBase>(ar));
}

/// A filled calculation of the case's class with a type string and a title.
std::unique_ptr<CCalcBase> Filled(const StoredCase& c)
{
    std::unique_ptr<CCalcBase> calc(GetCalcBase(c.code));
    calc->SetTypeString(c.code == "X" ? "9999" : c.code);
    calc->SetTitle("Trial \xC3\xA9tude"); // "Trial étude"
    c.fill(*calc);
    return calc;
}

size_t BodySize(CCalcBase& calc)
{
    Bytes bytes;
    CArchive ar(bytes);
    calc.Serialize(ar);
    return bytes.size();
}

class StoredInputs : public ::testing::TestWithParam<StoredCase>
{
protected:
    void SetUp() override { ZNTVStatInit(); }
};

std::string CaseName(const ::testing::TestParamInfo<StoredCase>& info)
{
    return info.param.code == "X" ? "Note" : "Type" + info.param.code;
}
} // namespace

TEST_P(StoredInputs, WriteReadWriteGivesTheSameBytes)
{
    const StoredCase& c = GetParam();
    for (bool filled : {false, true}) {
        std::unique_ptr<CCalcBase> calc = filled ? Filled(c) : std::unique_ptr<CCalcBase>(GetCalcBase(c.code));
        const Bytes first = Store(calc.get());
        std::unique_ptr<CCalcBase> loaded = Load(first);
        ASSERT_NE(loaded, nullptr);
        EXPECT_EQ(loaded->GetRuntimeClass(), calc->GetRuntimeClass());
        EXPECT_EQ(loaded->GetTypeString(), calc->GetTypeString());
        EXPECT_EQ(loaded->GetTitle(), calc->GetTitle());
        EXPECT_EQ(Store(loaded.get()), first) << (filled ? "filled" : "defaults");
    }
}

TEST_P(StoredInputs, InputsTakeTheirDocumentedNumberOfBytes)
{
    const StoredCase& c = GetParam();
    std::unique_ptr<CCalcBase> calc = Filled(c);
    CCalcBase base;
    base.SetTypeString(calc->GetTypeString());
    base.SetTitle(calc->GetTitle());
    EXPECT_EQ(BodySize(*calc) - BodySize(base), c.inputBytes);
    if (c.inputBytes > 0) { // the filled inputs are stored, not only the defaults
        EXPECT_NE(Store(calc.get()), Store(std::unique_ptr<CCalcBase>(GetCalcBase(c.code)).get()));
    }
}

TEST_P(StoredInputs, RefusesIndicesThatTheProgramWouldIndexWith)
{
    const StoredCase& c = GetParam();
    for (size_t i = 0; i < c.refused.size(); ++i) {
        std::unique_ptr<CCalcBase> calc = Filled(c);
        c.refused[i](*calc);
        const Bytes bytes = Store(calc.get());
        EXPECT_THROW(Load(bytes), CArchiveException) << "refusal " << i;
    }
}

TEST_P(StoredInputs, TruncatedStreamThrowsAtEveryLength)
{
    const Bytes bytes = Store(Filled(GetParam()).get());
    for (size_t length = 0; length < bytes.size(); ++length) {
        const Bytes cut(bytes.begin(), bytes.begin() + static_cast<std::ptrdiff_t>(length));
        EXPECT_THROW(Load(cut), CArchiveException) << "length " << length;
    }
}

INSTANTIATE_TEST_SUITE_P(EveryCalculation, StoredInputs, ::testing::ValuesIn(Cases()), CaseName);

namespace
{
class StoredLayout : public ::testing::Test
{
protected:
    void SetUp() override { ZNTVStatInit(); }

    /// The stored body of a calculation (base then inputs), without the class record.
    static Bytes Body(CCalcBase& calc)
    {
        Bytes bytes;
        CArchive ar(bytes);
        calc.Serialize(ar);
        return bytes;
    }
    template <class T> static void LoadBody(T& calc, const Bytes& bytes)
    {
        CArchive ar(bytes.data(), bytes.size());
        calc.Serialize(ar);
    }
};
} // namespace

TEST_F(StoredLayout, UnstratifiedTableStoresCellsThenLevelThenFisherFlag)
{
    CCompUnstrat calc;
    calc.SetTypeString("3200");
    calc.SetTitle("t");
    calc.m_a = 1, calc.m_b = 2, calc.m_c = 3, calc.m_d = 0x01020304, calc.m_level = 1, calc.m_fisher = false;
    const Bytes expected = {4, '3', '2', '0', '0', 1, 't',                            // type string, title
                            1, 0,   0,   0,   2,   0, 0,   0, 3, 0, 0, 0, 4, 3, 2, 1, // a, b, c, d
                            1, 0,   0,   0,                                           // level
                            0, 0,   0,   0};                                          // Fisher flag
    EXPECT_EQ(Body(calc), expected);

    Bytes flagSeven = expected;
    flagSeven.back() = 0;
    flagSeven[flagSeven.size() - 4] = 7; // any non-zero flag reads as set and is written as 1
    CCompUnstrat loaded;
    LoadBody(loaded, flagSeven);
    EXPECT_TRUE(loaded.m_fisher);
    EXPECT_EQ(loaded.m_d, 0x01020304u);
    EXPECT_EQ(loaded.m_level, 1);
    EXPECT_EQ(Body(loaded)[Body(loaded).size() - 4], 1);
}

TEST_F(StoredLayout, TrendStoresEachGroupAsNotIllIllScore)
{
    CCompPropTrend calc;
    calc.SetTypeString("2300");
    calc.m_rows = {{1.0, 2, 3}};
    const Bytes expected = {4, '2', '3', '0', '0', 0,              // type string, empty title
                            1, 0,   0,   0,                        // N
                            3, 0,   0,   0,   2,   0, 0,    0,     // not ill, ill
                            0, 0,   0,   0,   0,   0, 0xF0, 0x3F}; // score 1.0
    EXPECT_EQ(Body(calc), expected);
}

TEST_F(StoredLayout, StudentsTStoresDegreesOfFreedomBeforeT)
{
    CPropT calc;
    calc.SetTypeString("5200");
    calc.m_t = 2.5, calc.m_df = 10;
    const Bytes expected = {4, '5', '2', '0', '0', 0, 10, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0x04, 0x40};
    EXPECT_EQ(Body(calc), expected);
}

TEST_F(StoredLayout, LoadedInputsEqualTheStoredOnes)
{
    CCompStrat strat;
    strat.m_level = 1;
    strat.m_strata = {{"Men", 10, 20, 30, 40}, {"", 1, 2, 3, 4}};
    CCompStrat strat2;
    LoadBody(strat2, Body(strat));
    EXPECT_EQ(strat2.m_strata, strat.m_strata);
    EXPECT_EQ(strat2.m_level, 1);

    CCompPropRxC grid;
    grid.m_r = 6, grid.m_c = 2, grid.m_cells[5][5] = 42;
    CCompPropRxC grid2;
    grid2.m_cells[0][0] = 9;
    LoadBody(grid2, Body(grid));
    EXPECT_EQ(grid2.m_cells, grid.m_cells);
    EXPECT_EQ(grid2.m_r, 6);
    EXPECT_EQ(grid2.m_c, 2);

    CSampSizeCC cc;
    cc.m_significance = 3, cc.m_power = 2, cc.m_ratio = 4, cc.m_oddsRatio = 1.5, cc.m_percentExposed = 12.5;
    CSampSizeCC cc2;
    LoadBody(cc2, Body(cc));
    EXPECT_EQ(cc2.m_significance, 3);
    EXPECT_EQ(cc2.m_power, 2);
    EXPECT_EQ(cc2.m_ratio, 4u);
    EXPECT_EQ(cc2.m_oddsRatio, 1.5);
    EXPECT_EQ(cc2.m_percentExposed, 12.5);
}

TEST_F(StoredLayout, RandomListsKeepTheirSeedButNotTheSortedFlag)
{
    CSampRanList list;
    list.m_seed = 30091, list.m_min = 3, list.m_max = 9, list.m_number = 4, list.m_unique = 1, list.m_sorted = 1;
    CSampRanList list2;
    LoadBody(list2, Body(list));
    EXPECT_EQ(list2.m_seed, 30091u);
    EXPECT_EQ(list2.m_min, 3u);
    EXPECT_EQ(list2.m_max, 9u);
    EXPECT_EQ(list2.m_number, 4u);
    EXPECT_EQ(list2.m_unique, 1);
    EXPECT_EQ(list2.m_sorted, 0);

    CSampRanGrpList grouped;
    grouped.m_sorted = 1;
    CSampRanGrpList grouped2;
    grouped2.m_sorted = 1;
    LoadBody(grouped2, Body(grouped));
    EXPECT_EQ(grouped2.m_max, 100u); // the default maximum is stored like any value
    EXPECT_EQ(grouped2.m_sorted, 1); // loading leaves a flag it does not store alone
}

TEST_F(StoredLayout, RefusesRowAndStratumCountsThatCannotBeRight)
{
    const auto body = [](const char* code, auto... values) {
        Bytes bytes;
        CArchive ar(bytes);
        ar << std::string(code) << std::string("title");
        (ar << ... << values);
        return bytes;
    };
    CCompPropPerc perc;
    EXPECT_THROW(LoadBody(perc, body("2200", int32_t{-1})), CArchiveException);
    EXPECT_THROW(LoadBody(perc, body("2200", int32_t{0x7FFFFFFF}, 1.0, uint32_t{5})), CArchiveException);
    CCompGoodness goodness;
    EXPECT_THROW(LoadBody(goodness, body("2400", int32_t{-2})), CArchiveException);
    EXPECT_THROW(LoadBody(goodness, body("2400", int32_t{2}, 1.0, 2.0, 3.0)), CArchiveException);
    CCompPropTrend trend;
    EXPECT_THROW(LoadBody(trend, body("2300", int32_t{-1})), CArchiveException);
    CCompStrat strat;
    EXPECT_THROW(LoadBody(strat, body("3300", uint32_t{0}, int32_t{0})), CArchiveException);
    EXPECT_THROW(LoadBody(strat, body("3300", uint32_t{0xFFFFFFFF}, int32_t{0})), CArchiveException);

    // An empty list is a valid stored form (a list calculation that has no rows yet).
    CCompPropPerc empty;
    empty.m_rows = {{1.0, 2}};
    LoadBody(empty, body("2200", int32_t{0}));
    EXPECT_TRUE(empty.m_rows.empty());
}
