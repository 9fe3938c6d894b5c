// Results as data of the list calculations (several proportions, trend, goodness of fit), the
// R x C table and the stratified 2x2 tables: the same report by field names as by control ids,
// every printed result on its report line, undefined results, and the fields' own refusals.
#include "CCompGoodness.h"
#include "CCompPropPerc.h"
#include "CCompPropRxC.h"
#include "CCompPropTrend.h"
#include "CCompStrat.h"
#include "CalcTestSupport.h"
#include "FieldArgs.h"
#include "FieldTable.h"

#include <cmath>

namespace
{
class ResultsAsDataTablesTest : public CCalcTest
{};

const CResult& ResultOf(const CCalcRunResult& run, const std::string& key)
{
    const CResult* result = FindResult(run.results, key);
    if (!result)
        throw std::runtime_error("no result " + key);
    return *result;
}

const CInput* InputOf(const CCalcRunResult& run, const std::string& name)
{
    for (const CInput& input : run.inputs)
        if (input.name == name)
            return &input;
    return nullptr;
}
} // namespace

TEST_F(ResultsAsDataTablesTest, ListRowsByNameMatchTheRowsAdded)
{
    const CCalcRunResult perc = ExpectResultsAsData(
        "2200",
        {"1022=T", "1023=10", "1024=100", "@1032", "1023=20", "1024=100", "@1032", "1023=12.5", "1024=16", "@1032"},
        {"title=T", "rows[1].percent=10", "rows[1].size=100", "rows[2].percent=20", "rows[2].size=100",
         "rows[3].percent=12.5", "rows[3].size=16"});
    EXPECT_EQ(ResultOf(perc, "chi2").df, 2);
    EXPECT_TRUE(ResultOf(perc, "p_chi2").probability);
    const CInput* rows = InputOf(perc, "rows");
    ASSERT_NE(rows, nullptr);
    EXPECT_EQ(rows->rows, (std::vector<std::vector<double>>{{10, 100}, {20, 100}, {12.5, 16}}));

    // Groups given out of score order are sorted by the dialog, the same either way.
    const CCalcRunResult trend = ExpectResultsAsData(
        "2300",
        {"1022=T", "1045=2", "1046=30", "1047=70", "@1032", "1045=0", "1046=10", "1047=90", "@1032", "1045=1",
         "1046=20", "1047=80", "@1032"},
        {"title=T", "rows[1].score=2", "rows[1].ill=30", "rows[1].not_ill=70", "rows[2].score=0", "rows[2].ill=10",
         "rows[2].not_ill=90", "rows[3].score=1", "rows[3].ill=20", "rows[3].not_ill=80"});
    EXPECT_EQ(ResultOf(trend, "chi2_trend").df, 1);
    ASSERT_NE(InputOf(trend, "rows"), nullptr);
    EXPECT_EQ(InputOf(trend, "rows")->rows.front(), (std::vector<double>{0, 10, 90}));

    const CCalcRunResult fit = ExpectResultsAsData(
        "2400", {"1022=T", "1155=10", "1156=15", "@1032", "1155=20.5", "1156=15", "@1032"},
        {"title=T", "rows[1].observed=10", "rows[1].expected=15", "rows[2].observed=20.5", "rows[2].expected=15"});
    EXPECT_FALSE(ResultOf(fit, "p_chi2").Undefined());
}

TEST_F(ResultsAsDataTablesTest, ListStatisticsThatCannotBeFormedAreUndefined)
{
    // All proportions zero, everyone ill, an expected value of zero.
    const CCalcRunResult perc = ExpectResultsAsData(
        "2200", {"1022=T", "1023=0", "1024=50", "@1032", "1023=0", "1024=80", "@1032"},
        {"title=T", "rows[1].percent=0", "rows[1].size=50", "rows[2].percent=0", "rows[2].size=80"});
    EXPECT_TRUE(ResultOf(perc, "chi2").Undefined());
    EXPECT_TRUE(ResultOf(perc, "p_chi2").Undefined());

    const CCalcRunResult trend = ExpectResultsAsData(
        "2300",
        {"1022=T", "1045=0", "1046=5", "1047=0", "@1032", "1045=1", "1046=7", "1047=0", "@1032", "1045=2", "1046=9",
         "1047=0", "@1032"},
        {"title=T", "rows[1].score=0", "rows[1].ill=5", "rows[1].not_ill=0", "rows[2].score=1", "rows[2].ill=7",
         "rows[2].not_ill=0", "rows[3].score=2", "rows[3].ill=9", "rows[3].not_ill=0"});
    EXPECT_TRUE(ResultOf(trend, "p_chi2_trend").Undefined());

    const CCalcRunResult fit = ExpectResultsAsData(
        "2400", {"1022=T", "1155=10", "1156=0", "@1032", "1155=20", "1156=15", "@1032"},
        {"title=T", "rows[1].observed=10", "rows[1].expected=0", "rows[2].observed=20", "rows[2].expected=15"});
    EXPECT_TRUE(ResultOf(fit, "chi2").Undefined());
    EXPECT_TRUE(ResultOf(fit, "p_chi2").Undefined());
}

TEST_F(ResultsAsDataTablesTest, ListRowsOutOfRangeOrOutOfTurn)
{
    // A value the entry field refuses is refused again on OK, with the field's name in its row.
    const CCalcRunResult run = RunByNames("2200", {"rows[1].percent=10", "rows[1].size=10", "rows[2].percent=20",
                                                   "rows[2].size=10", "rows[3].percent=101", "rows[3].size=10"});
    EXPECT_TRUE(run.refusedOpen);
    EXPECT_EQ(FieldNameOfId(*CCompPropPerc().Fields(), run.finalFocusId), "rows[N].percent");
    const CCalcRunResult ill =
        RunByNames("2300", {"rows[1].score=1", "rows[1].ill=1", "rows[1].not_ill=1", "rows[2].score=2", "rows[2].ill=1",
                            "rows[2].not_ill=1", "rows[3].score=3", "rows[3].ill=1", "rows[3].not_ill=1",
                            "rows[4].score=4", "rows[4].ill=1000001", "rows[4].not_ill=1"});
    EXPECT_TRUE(ill.refusedOpen);
    EXPECT_EQ(FieldNameOfId(*CCompPropTrend().Fields(), ill.finalFocusId), "rows[N].ill");

    std::vector<CScriptAction> actions;
    std::string error;
    EXPECT_FALSE(FieldActions(*CCompGoodness().Fields(), {"rows[2].observed=1"}, actions, error));
    EXPECT_EQ(error, "rows[1] is missing before rows[2]");
    EXPECT_FALSE(FieldActions(*CCompGoodness().Fields(), {"rows[1].count=1"}, actions, error));
    EXPECT_EQ(error, "no field 'rows[1].count'");
}

TEST_F(ResultsAsDataTablesTest, GridCellsByName)
{
    // A 2 x 3 block with an empty cell inside it, which counts as 0.
    const CCalcRunResult run =
        ExpectResultsAsData("3100", {"1024=T", "1016=12", "1017=5", "1018=7", "1036=3", "1038=20"},
                            {"title=T", "r1c1=12", "r1c2=5", "r1c3=7", "r2c1=3", "r2c3=20"});
    EXPECT_EQ(ResultOf(run, "chi2").df, 2);
    ASSERT_NE(InputOf(run, "r2c2"), nullptr);
    EXPECT_EQ(InputOf(run, "r2c2")->number, 0);
    ASSERT_NE(InputOf(run, "r3c1"), nullptr);
    EXPECT_TRUE(std::isnan(InputOf(run, "r3c1")->number)) << "a cell outside the block has no value";
    EXPECT_TRUE(std::isnan(InputOf(run, "r1c4")->number));
    EXPECT_EQ(ResultOf(run, "percent_expected_below_5").decimals, 2);

    // The far corner: r5c5 is control 1022, which is the title elsewhere but a cell here.
    const CCalcRunResult corner =
        ExpectResultsAsData("3100", {"1024=T", "1016=4", "1017=6", "1036=5", "1022=3", "1063=9"},
                            {"title=T", "r1c1=4", "r1c2=6", "r2c1=5", "r5c5=3", "r6c6=9"});
    EXPECT_EQ(ResultOf(corner, "chi2").df, 25);
    EXPECT_EQ(InputOf(corner, "r5c5")->number, 3);
    EXPECT_EQ(InputOf(corner, "title")->text, "T");

    // A row of zeros leaves the statistic undefined.
    const CCalcRunResult zero = ExpectResultsAsData("3100", {"1024=T", "1016=0", "1017=0", "1036=4", "1037=6"},
                                                    {"title=T", "r1c1=0", "r1c2=0", "r2c1=4", "r2c2=6"});
    EXPECT_TRUE(ResultOf(zero, "chi2").Undefined());
    EXPECT_TRUE(ResultOf(zero, "p_chi2").Undefined());
}

TEST_F(ResultsAsDataTablesTest, StrataAsTabs)
{
    const CCalcRunResult run = ExpectResultsAsData(
        "3300",
        {"1022=T", "+1021", "1090=10", "1091=20", "1092=5", "1093=40", "1023=Young", "@1032", "1090=15", "1091=10",
         "1092=8", "1093=30", "1023=Old", "@1032", "1090=3", "1091=4", "1092=0", "1093=9"},
        {"title=T", "level=99", "strata[1].a=10", "strata[1].b=20", "strata[1].c=5", "strata[1].d=40",
         "strata[1].title=Young", "strata[2].a=15", "strata[2].b=10", "strata[2].c=8", "strata[2].d=30",
         "strata[2].title=Old", "strata[3].a=3", "strata[3].b=4", "strata[3].c=0", "strata[3].d=9"});
    for (const char* key : {"stratum[1].odds_ratio", "stratum[2].risk_ratio", "crude.p_chi2_yates", "mh_odds_ratio"})
        EXPECT_NE(FindResult(run.results, key), nullptr) << key;
    EXPECT_EQ(ResultOf(run, "mh_risk_ratio").level, "99%");
    EXPECT_EQ(ResultOf(run, "chi2_mh").df, 1);
    // No unexposed case in the third stratum: its ratios are undefined, the crude ones are not.
    EXPECT_TRUE(ResultOf(run, "stratum[3].risk_ratio").Undefined());
    EXPECT_FALSE(ResultOf(run, "crude.risk_ratio").Undefined());
    ASSERT_NE(InputOf(run, "strata[2].title"), nullptr);
    EXPECT_EQ(InputOf(run, "strata[2].title")->text, "Old");
    ASSERT_NE(InputOf(run, "strata[3].title"), nullptr);
    EXPECT_EQ(InputOf(run, "strata[3].title")->text, "Stratum 3");
    EXPECT_EQ(InputOf(run, "strata[4].a"), nullptr);
}

TEST_F(ResultsAsDataTablesTest, StrataSkippedOrBeyondTheLimit)
{
    // A stratum not named is made empty by Add; its table is all zeros.
    const CCalcRunResult run =
        RunByNames("3300", {"title=T", "strata[1].a=1", "strata[1].b=2", "strata[1].c=3", "strata[1].d=4",
                            "strata[3].a=5", "strata[3].b=6", "strata[3].c=7", "strata[3].d=8"});
    ASSERT_EQ(run.outcome, CCalcRunResult::Written) << run.error;
    ASSERT_NE(InputOf(run, "strata[2].a"), nullptr);
    EXPECT_EQ(InputOf(run, "strata[2].a")->number, 0);
    EXPECT_EQ(InputOf(run, "strata[3].d")->number, 8);
    EXPECT_TRUE(ResultOf(run, "stratum[2].p_chi2_yates").Undefined());

    std::vector<CScriptAction> actions;
    std::string error;
    EXPECT_FALSE(FieldActions(*CCompStrat().Fields(), {"strata[17].a=1"}, actions, error));
    EXPECT_EQ(error, "strata[17].a: strata are numbered from 1 to 16");
    // b takes up to 100,000 in a stratum; the refusal names the stratum's field.
    const CCalcRunResult refused = RunByNames("3300", {"strata[2].b=100001"});
    EXPECT_TRUE(refused.refusedOpen);
    EXPECT_EQ(FieldNameOfId(*CCompStrat().Fields(), refused.finalFocusId, 1), "strata[2].b");
}

TEST_F(ResultsAsDataTablesTest, StoredInputsGiveResultsWithoutTheDialog)
{
    // As a document may hold them: no rows at all (the dialog never stores fewer than its
    // minimum), or a level stored as 99 %.
    EXPECT_EQ(CCompPropPerc().Results().size(), 3u);
    EXPECT_EQ(CCompGoodness().Results().size(), 2u);
    EXPECT_EQ(CCompPropRxC().Results().size(), 3u);
    const CResults trend = CCompPropTrend().Results();
    ASSERT_EQ(trend.size(), 2u);
    EXPECT_TRUE(trend[0].Undefined() && trend[1].Undefined());

    CCompStrat strat;
    strat.m_level = 1;
    strat.m_strata.front() = {"A", 10, 20, 5, 40};
    strat.m_strata.push_back({"B", 10, 20, 5, 40});
    const CResults results = strat.Results();
    const CResult* single = FindResult(results, "stratum[1].odds_ratio");
    const CResult* summary = FindResult(results, "mh_odds_ratio");
    ASSERT_TRUE(single && summary);
    // Two identical strata: the summary odds ratio is the stratum's own, at 99 %.
    EXPECT_DOUBLE_EQ(summary->estimate, single->estimate);
    EXPECT_EQ(summary->level, "99%");
    EXPECT_DOUBLE_EQ(single->estimate, 4.0);
}
