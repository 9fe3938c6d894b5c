// Tests of the rate with exact intervals: Byar's and the normal limits of a count against
// independent values, the report of the worked example and of the extremes, the dialog's
// refusals, and the same results from the command line and from a stored document.
#include "CArchive.h"
#include "CDescRateExact.h"
#include "CalcTestSupport.h"
#include "ConfidenceLevel.h"
#include "PoissonIntervals.h"
#include "StoredRedo.h"
#include "TestSupport.h"

#include <cmath>
#include <memory>
#include <nlohmann/json.hpp>

namespace
{
class RateExactTest : public CCalcTest
{};

} // namespace

TEST(PoissonIntervals, ByarAndNormalLimitsOfACount)
{
    // Byar's formula (Breslow and Day 1987, vol. II, section 2.2) evaluated in R 4.2.2:
    // x (1 - 1/(9x) - z/(3 sqrt(x)))^3 and (x + 1) (1 - 1/(9(x + 1)) + z/(3 sqrt(x + 1)))^3.
    const CLimits five = ByarLimits(5, NormalQuantileOfLevel(95));
    EXPECT_TRUE(Near(five.lower, 1.611347715747194, 1e-12));
    EXPECT_TRUE(Near(five.upper, 11.668164123398595, 1e-12));
    const CLimits zero = ByarLimits(0, NormalQuantileOfLevel(95));
    EXPECT_EQ(zero.lower, 0);
    EXPECT_TRUE(Near(zero.upper, 3.668011832173751, 1e-12));
    // At 99.99 % the cube's base of 1 event is negative: the lower limit stays at 0, not below.
    const CLimits one = ByarLimits(1, NormalQuantileOfLevel(99.99));
    EXPECT_EQ(one.lower, 0);
    EXPECT_GT(one.upper, 1);
    // Byar's limits follow the exact ones closely from a few events on (poisson.test in R
    // gives 1.623486 and 11.668332 for 5): within 1 % from 5 to 10^9.
    for (double x : {5.0, 50.0, 5000.0, 1e9}) {
        const CLimits byar = ByarLimits(x, NormalQuantileOfLevel(95));
        const CLimits exact = ExactPoissonLimits(x, 95);
        EXPECT_NEAR(byar.lower / exact.lower, 1, 0.01) << x;
        EXPECT_NEAR(byar.upper / exact.upper, 1, 0.01) << x;
    }
    // The normal limits: 5 -/+ 1.959964 sqrt(5), and none below 0.
    const CLimits normal = NormalPoissonLimits(5, NormalQuantileOfLevel(95));
    EXPECT_TRUE(Near(normal.lower, 5 - 1.959963984540054 * std::sqrt(5.0), 1e-12));
    EXPECT_TRUE(Near(normal.upper, 5 + 1.959963984540054 * std::sqrt(5.0), 1e-12));
    EXPECT_EQ(NormalPoissonLimits(1, 1.96).lower, 0);
    EXPECT_TRUE(std::isnan(ByarLimits(-1, 1.96).upper));
}

TEST(PoissonIntervals, MidPLimitsOnTheNarrowBracketAreTheRootSearchOnes)
{
    // uniroot in R 4.2.2 (tolerance 1e-17 relative) on ppois(x, m, lower.tail = FALSE) +
    // dpois(x, m) / 2 and ppois(x - 1, m) + dpois(x, m) / 2; for 0 the closed form -log(0.05).
    const CLimits five = MidPCountLimits(5, 95);
    EXPECT_NEAR(five.lower, 1.831994808528417, 1.8e-10);
    EXPECT_NEAR(five.upper, 11.082415664992014, 1.1e-9);
    const CLimits most = MidPCountLimits(1e9, 95);
    EXPECT_NEAR(most.lower, 999938021.9439049, 0.1);
    EXPECT_NEAR(most.upper, 1000061980.9504011, 0.1);
    const CLimits none = MidPCountLimits(0, 95);
    EXPECT_EQ(none.lower, 0);
    EXPECT_NEAR(none.upper, 2.99573227355399, 1e-14);
    // The shared root search over the whole bracket from the exact limit to the count agrees
    // to its own tolerance, at every level and size.
    for (double level : {50.0, 90.0, 99.99}) {
        for (double x : {1.0, 2.0, 7.0, 30.0, 1e3, 1e6, 1e9}) {
            const CLimits fast = MidPCountLimits(x, level);
            const CLimits searched = MidPPoissonLimits(x, level);
            EXPECT_NEAR(fast.lower / searched.lower, 1, 2e-10) << x << " at " << level;
            EXPECT_NEAR(fast.upper / searched.upper, 1, 2e-10) << x << " at " << level;
            EXPECT_TRUE(fast.lower < x && x < fast.upper) << x << " at " << level;
        }
    }
    EXPECT_TRUE(std::isnan(MidPCountLimits(3, 100).upper));
}

TEST_F(RateExactTest, ReportOfTheWorkedExampleAndOfTheExtremes)
{
    // 5 events in 1,000 person-time units per 1,000: exact [1.62, 11.67] (poisson.test(5, 1000)
    // in R 4.2.2 gives 1.623486 and 11.668332), normal [0.62, 9.38]; mid-P by uniroot in R on
    // ppois(4, m) + dpois(5, m) / 2: 1.831995 and 11.082416.
    EXPECT_EQ(Report("1500", {"1025=5", "1026=1000"}),
              "Describe - Rate with exact intervals\nT\n\n" + ResultLine("Count", "       5") + "\n" +
                  ResultLine("Person-time", "    1000") + "\n" + ResultLine("Rate", "      5.00") + "\n" +
                  ResultLine("Exact Poisson [95% CI]", "      5.00", "[1.62, 11.67]") + "\n" +
                  ResultLine("Mid-P exact [95% CI]", "      5.00", "[1.83, 11.08]") + "\n" +
                  ResultLine("Byar's approximation [95% CI]", "      5.00", "[1.61, 11.67]") + "\n" +
                  ResultLine("Normal approximation [95% CI]", "      5.00", "[0.62, 9.38]") + "\n" +
                  "/ 1000 person-time units\n");
    // 0 events in 10^12 units per unit at 99.99 %: the exact upper limit -log(0.00005) / 10^12
    // shows in as many decimals as it takes.
    const std::string none = Report("1500", {"1025=0", "1026=1000000000000", "+1043", "1040=99.99"});
    EXPECT_EQ(
        ReportLine(none, "Exact Poisson [99.99% CI]"),
        ResultLine("Exact Poisson [99.99% CI]", "      0.00000000000000", "[0.00000000000000, 0.00000000000990]"));
    EXPECT_NE(none.find("/ 1 person-time units\n"), std::string::npos);
    // 10^9 events in half a unit per 100,000: qgamma(0.025, 1e9) and qgamma(0.975, 1e9 + 1) in R
    // 4.2.2 are 999938021.44393 and 1000061981.45041, times 200,000; eight significant digits.
    const std::string most = Report("1500", {"1025=1000000000", "1026=0.5", "+1045"});
    EXPECT_EQ(ReportLine(most, "Exact Poisson [95% CI]"),
              ResultLine("Exact Poisson [95% CI]", "2.0000000e+14", "[1.9998760e+14, 2.0001240e+14]"));
    EXPECT_NE(most.find("/ 100000 person-time units\n"), std::string::npos);
}

TEST_F(RateExactTest, DialogRefusesANonPositivePersonTimeAndBadLevels)
{
    const std::string message = "The person-time must be greater than 0.";
    ExpectRefusedWithoutReport("1500", {"1025=1", "1026=0"}, message, 1026);
    ExpectRefusedWithoutReport("1500", {"1025=1", "1026=-2"}, "Please enter a number between 0 and 1000000000000.",
                               1026);
    ExpectRefusedWithoutReport("1500", {"1025=1", "1026=inf"}, "Please enter a number.", 1026);
    ExpectRefusedWithoutReport("1500", {"1025=1", "1026=5", "1040=99.999"},
                               "Please enter a number between 50 and 99.99.", 1040);
}

TEST_F(RateExactTest, SameResultsFromDialogCommandLineAndStoredDocument)
{
    const CCalcRunResult run =
        ExpectResultsAsData("1500", {"1022=T", "1025=12", "1026=2370.5", "+1045", "1040=90"},
                            {"title=T", "count=12", "person_time=2370.5", "multiplier=100000", "level=90"});
    EXPECT_EQ(run.inputs.at(2).text, "100000");

    // poisson.test(12, 23.7)$conf.int in R 4.2.2 (12 events in 23.7 hundred-thousand
    // units at 95 %): 0.2616276 and 0.8844551.
    const CCliRun json = RunCli("run 1500 count=12 person_time=2370000 multiplier=100000 --format json --vocab '" +
                                ShippedVocabularyPath() + "'");
    ASSERT_EQ(json.status, 0);
    const nlohmann::json data = nlohmann::json::parse(json.out);
    EXPECT_EQ(data["class"], "CDescRateExact");
    EXPECT_EQ(data["results"][3]["key"], "exact");
    EXPECT_NEAR(data["results"][3]["lower"].get<double>(), 0.2616276417182370, 1e-12);

    CDescRateExact calc;
    calc.SetTypeString("1500");
    calc.SetTitle("T");
    calc.m_count = 12;
    calc.m_personTime = 2370.5;
    calc.m_multiplier = 2;
    calc.m_level = 90;
    EXPECT_EQ(RedoneAfterReload(calc), run.report);
}

TEST_F(RateExactTest, DamagedStoredInputsAreRefusedOrUndefined)
{
    CDescRateExact calc;
    calc.SetTypeString("1500");
    calc.m_multiplier = 3;
    EXPECT_THROW(StoredAndReloaded(calc), CArchiveException);
    calc.m_multiplier = 0;
    calc.m_level = INFINITY;
    EXPECT_THROW(StoredAndReloaded(calc), CArchiveException);
    // A person-time of 0, a negative or a non-finite one, or a level out of range: no numbers.
    for (auto [personTime, level] : {std::pair{0.0, 95.0}, {-3.0, 95.0}, {NAN, 95.0}, {10.0, 100.0}}) {
        calc.m_count = 4;
        calc.m_personTime = personTime;
        calc.m_level = level;
        const std::unique_ptr<CCalcBase> reloaded = StoredAndReloaded(calc);
        for (const CResult& result : reloaded->Results()) {
            if (result.key != "count" && result.key != "person_time") {
                EXPECT_TRUE(std::isnan(result.estimate) && std::isnan(result.lower) && std::isnan(result.upper))
                    << result.key << " " << personTime << " " << level;
            }
        }
    }
}
