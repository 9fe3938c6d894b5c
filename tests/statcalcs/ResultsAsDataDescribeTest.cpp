// The describe and probability calculations as data: the same report by control ids and by field
// names, every field among the inputs, every result on the report line of its label, and results
// computed from stored inputs alone, as for a calculation read from a document.
#include "CDescMean.h"
#include "CDescMedian.h"
#include "CDescNum.h"
#include "CDescPerc.h"
#include "CDescRate.h"
#include "CProbChi.h"
#include "CPropT.h"
#include "CPropZ.h"
#include "CalcTestSupport.h"
#include "FieldArgs.h"
#include "FieldTable.h"
#include "GetCalcBase.h"

#include <cmath>
#include <limits>
#include <memory>
#include <string>
#include <utility>
#include <vector>

namespace
{
class ResultsAsDataDescribeTest : public CCalcTest
{};

/// The result `key` of `results`; fails the test when there is none.
const CResult& ResultOf(const CResults& results, const std::string& key)
{
    static const CResult none;
    const CResult* result = FindResult(results, key);
    EXPECT_NE(result, nullptr) << key;
    return result ? *result : none;
}

/// The text input `name` of `inputs` ("" when missing).
std::string TextInput(const CInputs& inputs, const std::string& name)
{
    for (const CInput& input : inputs)
        if (input.name == name)
            return input.text;
    return {};
}
} // namespace

TEST_F(ResultsAsDataDescribeTest, ProportionsByIdsAndByNames)
{
    const CCalcRunResult percentage = ExpectResultsAsData("1110", {"1022=T", "1023=12.5", "1024=200", "+1021"},
                                                          {"title=T", "percentage=12.5", "n=200", "level=99"});
    const CResult& byPercent = ResultOf(percentage.results, "percentage");
    EXPECT_EQ(byPercent.estimate, 12.5);
    EXPECT_EQ(byPercent.level, "99%");
    EXPECT_LT(byPercent.lower, 12.5);
    EXPECT_GT(byPercent.upper, 12.5);
    EXPECT_EQ(ResultOf(percentage.results, "sample_size").estimate, 200);
    EXPECT_EQ(TextInput(percentage.inputs, "level"), "99");

    // 25 of 200 is the same proportion as 12.5 % of 200, with the same limits.
    const CCalcRunResult count = ExpectResultsAsData("1120", {"1022=T", "1025=25", "1024=200", "+1021"},
                                                     {"title=T", "count=25", "n=200", "level=99"});
    const CResult& byCount = ResultOf(count.results, "percentage");
    EXPECT_EQ(byCount.estimate, 12.5);
    EXPECT_DOUBLE_EQ(byCount.lower, byPercent.lower);
    EXPECT_DOUBLE_EQ(byCount.upper, byPercent.upper);
    EXPECT_EQ(ResultOf(count.results, "count").estimate, 25);

    // The default level is 95 %.
    const CCalcRunResult defaults =
        ExpectResultsAsData("1120", {"1022=T", "1025=0", "1024=10"}, {"title=T", "count=0", "n=10"});
    EXPECT_EQ(ResultOf(defaults.results, "percentage").level, "95%");
    EXPECT_EQ(ResultOf(defaults.results, "percentage").lower, 0);
}

TEST_F(ResultsAsDataDescribeTest, RateMeanAndMedianByIdsAndByNames)
{
    const CCalcRunResult rate = ExpectResultsAsData("1200", {"1022=T", "1025=3", "1026=4000", "+1021"},
                                                    {"title=T", "count=3", "person_time=4000", "level=99"});
    const CResult& perThousand = ResultOf(rate.results, "rate_per_1000");
    EXPECT_DOUBLE_EQ(perThousand.estimate, 0.75);
    // 0.75 - 2.58 * sqrt(3) / 4 is below 0: the lower limit is raised to 0.
    EXPECT_EQ(perThousand.lower, 0);
    EXPECT_EQ(perThousand.level, "99%");

    const CCalcRunResult mean = ExpectResultsAsData("1300", {"1022=T", "1027=-4.5", "1028=2", "1024=16"},
                                                    {"title=T", "mean=-4.5", "sd=2", "n=16"});
    const CResult& meanResult = ResultOf(mean.results, "mean");
    EXPECT_EQ(meanResult.estimate, -4.5);
    // t(0.975, 15) = 2.131 (published tables); the standard error is 2 / 4.
    EXPECT_NEAR(meanResult.lower, -4.5 - 2.131 * 0.5, 1e-3);
    EXPECT_NEAR(meanResult.upper, -4.5 + 2.131 * 0.5, 1e-3);
    EXPECT_EQ(ResultOf(mean.results, "sd").estimate, 2);

    // An even size takes the lower middle rank.
    const CCalcRunResult median =
        ExpectResultsAsData("1400", {"1022=T", "1024=100", "+1021"}, {"title=T", "n=100", "level=99"});
    const CResult& rank = ResultOf(median.results, "median_rank");
    EXPECT_EQ(rank.estimate, 50);
    EXPECT_DOUBLE_EQ(rank.lower, 50 - 2.58 * 5);
    EXPECT_EQ(rank.decimals, 0);
}

TEST_F(ResultsAsDataDescribeTest, MeanOfOneHasUndefinedLimits)
{
    // A sample of one has no degrees of freedom: the mean stands, its limits are undefined and
    // print as "****".
    const CCalcRunResult one =
        ExpectResultsAsData("1300", {"1022=T", "1027=7", "1028=0", "1024=1"}, {"title=T", "mean=7", "sd=0", "n=1"});
    const CResult& mean = ResultOf(one.results, "mean");
    EXPECT_FALSE(mean.Undefined());
    EXPECT_FALSE(std::isfinite(mean.lower));
    EXPECT_FALSE(std::isfinite(mean.upper));
    EXPECT_NE(one.report.find("[****"), std::string::npos) << one.report;
}

TEST_F(ResultsAsDataDescribeTest, ProbabilitiesByIdsAndByNames)
{
    const CCalcRunResult chi =
        ExpectResultsAsData("5100", {"1022=T", "1029=7.8147", "1025=3"}, {"title=T", "chi2=7.8147", "df=3"});
    const CResult& pChi = ResultOf(chi.results, "p_chi2");
    EXPECT_TRUE(pChi.probability);
    EXPECT_EQ(pChi.df, 3);
    // 7.8147 is the 5 % point with 3 degrees of freedom (published tables).
    EXPECT_NEAR(pChi.estimate, 0.05, 1e-5);
    EXPECT_EQ(ResultOf(chi.results, "chi2").df, 3);

    const CCalcRunResult t =
        ExpectResultsAsData("5200", {"1022=T", "1030=2.228", "1025=10"}, {"title=T", "t=2.228", "df=10"});
    const CResult& oneSided = ResultOf(t.results, "p_t_one_sided");
    const CResult& twoSided = ResultOf(t.results, "p_t_two_sided");
    // 2.228 is the two-sided 5 % point with 10 degrees of freedom.
    EXPECT_NEAR(twoSided.estimate, 0.05, 1e-4);
    EXPECT_DOUBLE_EQ(twoSided.estimate, 2 * oneSided.estimate);
    EXPECT_TRUE(oneSided.probability && twoSided.probability);
    EXPECT_EQ(twoSided.df, 10);

    const CCalcRunResult z = ExpectResultsAsData("5300", {"1022=T", "1079=1.96"}, {"title=T", "z=1.96"});
    EXPECT_NEAR(ResultOf(z.results, "p_z_two_sided").estimate, 0.05, 1e-4);
    EXPECT_TRUE(std::isnan(ResultOf(z.results, "p_z_one_sided").df));
}

TEST_F(ResultsAsDataDescribeTest, ResultsFromStoredInputsAlone)
{
    // As read from a document: no dialog and no vocabulary. A person-time of 0 or an infinite
    // statistic, which the dialogs refuse but a document can hold, gives undefined results.
    CDescRate rate;
    rate.m_count = 5;
    rate.m_personTime = 0;
    EXPECT_TRUE(ResultOf(rate.Results(), "rate_per_1000").Undefined());

    CProbChi chi;
    chi.m_chi2 = std::numeric_limits<double>::infinity();
    chi.m_df = 2;
    EXPECT_TRUE(ResultOf(chi.Results(), "p_chi2").Undefined());

    CPropZ z;
    z.m_z = 0;
    const CResults zResults = z.Results();
    EXPECT_NEAR(ResultOf(zResults, "p_z_one_sided").estimate, 0.5, 1e-7);
    EXPECT_NEAR(ResultOf(zResults, "p_z_two_sided").estimate, 1, 1e-7);

    CDescPerc percentage;
    percentage.m_level = 1;
    percentage.m_percent = 40;
    percentage.m_sampleSize = 50;
    EXPECT_EQ(TextInput(percentage.Inputs(), "level"), "99");
    EXPECT_EQ(ResultOf(percentage.Results(), "percentage").level, "99%");
}

TEST_F(ResultsAsDataDescribeTest, FieldRangesAreTheDialogsOwn)
{
    // A value just outside a field's range is refused by the dialog with the focus on that field;
    // the range checks come from the table.
    const std::vector<std::pair<std::string, std::string>> cases = {
        {"1110", "percentage=100.5"}, {"1110", "n=0"},    {"1120", "n=0"},
        {"1200", "person_time=0"},    {"1300", "sd=-1"},  {"1400", "n=1000001"},
        {"5100", "df=251"},           {"5200", "t=-0.5"}, {"5300", "z=1000001"},
    };
    for (const auto& [code, arg] : cases) {
        const CCalcRunResult run = RunByNames(code, {"title=T", arg});
        EXPECT_EQ(run.outcome, CCalcRunResult::NotAdded) << code << " " << arg;
        EXPECT_TRUE(run.refusedOpen) << code << " " << arg;
        std::unique_ptr<CCalcBase> calc(GetCalcBase(code));
        ASSERT_NE(calc, nullptr);
        EXPECT_EQ(FieldNameOfId(*calc->Fields(), run.finalFocusId), arg.substr(0, arg.find('='))) << code << " " << arg;
    }
}
