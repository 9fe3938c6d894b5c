// The binomial and Poisson probabilities: the exact two-sided p-values against R and scipy up to
// n = 10^9, and the two calculations end to end (dialog, refusals, command line, reopened).
#include "ExactTwoSided.h"
#include "ReopenedReport.h"
#include "TestSupport.h"

#include <cmath>
#include <nlohmann/json.hpp>

namespace
{
class DistributionTest : public CCalcTest
{};

void ExpectRelative(double actual, double expected, double relative = 1e-9)
{
    EXPECT_TRUE(Near(actual, expected, std::fabs(expected) * relative));
}
} // namespace

TEST(ExactTwoSided, BinomialAgreesWithR)
{
    // R 4.2.2: binom.test(x, n, p)$p.value.
    ExpectRelative(BinomialTwoSidedP(3, 10, 0.5), 0.34375);
    ExpectRelative(BinomialTwoSidedP(7, 20, 0.2), 0.0982217286134687);
    ExpectRelative(BinomialTwoSidedP(1, 20, 0.2), 0.155867803843811);
    ExpectRelative(BinomialTwoSidedP(0, 10, 0.2), 0.228248064);
    ExpectRelative(BinomialTwoSidedP(10, 10, 0.2), 1.024e-07);
    ExpectRelative(BinomialTwoSidedP(10050, 1e7, 0.001), 0.616895909635061, 1e-8);
    ExpectRelative(BinomialTwoSidedP(9900, 1e7, 0.001), 0.319492197937293, 1e-8);
    // x at the mean, and a symmetric tie kept whole by the tolerance (P(3) = P(7) when p = 0.5).
    EXPECT_EQ(BinomialTwoSidedP(5, 10, 0.5), 1);
    ExpectRelative(BinomialTwoSidedP(7, 10, 0.5), 0.34375);
}

TEST(ExactTwoSided, BinomialOfABillionTrialsAgreesWithScipy)
{
    // At p = 0.5 the two-sided p is twice the lower tail: R 4.2.2 2 * pbinom(499990000, 1e9, 0.5)
    // = 0.5271099147546694 (scipy 1.10.1's binomtest gives 0.5271099265367715, 2e-8 off: it
    // evaluates the incomplete beta in double precision at this n; R and Boost in long double
    // agree to 1e-15). The others: scipy 1.10.1 binomtest(x, 10**9, p).pvalue, to its precision
    // (R's binom.test cannot hold 10^9 terms).
    ExpectRelative(BinomialTwoSidedP(499990000, 1e9, 0.5), 0.5271099147546694, 1e-12);
    ExpectRelative(BinomialTwoSidedP(1000500, 1e9, 0.001), 0.6168988935340058, 1e-8);
    ExpectRelative(BinomialTwoSidedP(998000, 1e9, 0.001), 0.04539229104127737, 1e-7);
}

TEST(ExactTwoSided, BinomialEndsAndBadInput)
{
    // p = 0 or 1: only one outcome is possible.
    EXPECT_EQ(BinomialTwoSidedP(0, 10, 0), 1);
    EXPECT_EQ(BinomialTwoSidedP(3, 10, 0), 0);
    EXPECT_EQ(BinomialTwoSidedP(10, 10, 1), 1);
    EXPECT_EQ(BinomialTwoSidedP(9, 10, 1), 0);
    for (double p : {BinomialTwoSidedP(11, 10, 0.5), BinomialTwoSidedP(2.5, 10, 0.5), BinomialTwoSidedP(1, 0, 0.5),
                     BinomialTwoSidedP(1, 10, 1.5), BinomialTwoSidedP(1, 10, std::nan("")),
                     BinomialTwoSidedP(1, 1e300, 0.5), PoissonTwoSidedP(0, 1e300)})
        EXPECT_TRUE(std::isnan(p));
}

TEST(ExactTwoSided, PoissonAgreesWithR)
{
    // R 4.2.2: poisson.test(x, r = mean)$p.value.
    ExpectRelative(PoissonTwoSidedP(2, 6.5), 0.0769155059612912);
    ExpectRelative(PoissonTwoSidedP(12, 6.5), 0.04515535300964);
    ExpectRelative(PoissonTwoSidedP(0, 2), 0.278211822738066);
    EXPECT_EQ(PoissonTwoSidedP(10, 10), 1);
    ExpectRelative(PoissonTwoSidedP(999000, 1e6), 0.317552518949499, 1e-8);
    ExpectRelative(PoissonTwoSidedP(1001500, 1e6), 0.133614385336157, 1e-8);
    // Far out at a mean of 10^9: finite, tiny, and quick.
    const double far = PoissonTwoSidedP(0, 1e9);
    EXPECT_TRUE(far >= 0 && far < 1e-300);
    EXPECT_TRUE(std::isnan(PoissonTwoSidedP(3, 0)));
    EXPECT_TRUE(std::isnan(PoissonTwoSidedP(-1, 2)));
}

TEST_F(DistributionTest, BinomialReportMatchesR)
{
    // R 4.2.2: dbinom(7, 20, 0.2), pbinom(7, 20, 0.2), pbinom(6, 20, 0.2, lower.tail = FALSE),
    // binom.test(7, 20, 0.2)$p.value and binom.test(7, 20)$conf.int.
    EXPECT_EQ(Report("5400", {"1201=20", "1202=0.2", "1203=7"}),
              "Probability - Binomial distribution\nT\n\n" + ResultLine("Number of trials", "      20") + "\n" +
                  ResultLine("Probability of success", "      0.200000") + "\n" +
                  ResultLine("Number of successes", "       7") + "\n\n" + ResultLine("P(X = x)", "      0.054550") +
                  "\n" + ResultLine("P(X <= x)", "      0.967857") + "\n" + ResultLine("P(X >= x)", "      0.086693") +
                  "\n" + ResultLine("Two-tailed p-value", "      0.098222") + "\n" +
                  ResultLine("Proportion x/n (exact) [95% CI]", "      0.350000", "[0.153909, 0.592189]") + "\n");
    // R: binom.test(7, 20, conf.level = 0.9)$conf.int.
    EXPECT_EQ(
        ReportLine(Report("5400", {"1201=20", "1202=0.2", "1203=7", "1040=90"}), "Proportion x/n (exact) [90% CI]"),
        ResultLine("Proportion x/n (exact) [90% CI]", "      0.350000", "[0.177311, 0.558035]"));
    // Tiny probabilities print as "< 0.000001": all 10 successes at p = 0.2 (1.024e-07).
    const std::string all = Report("5400", {"1201=10", "1202=0.2", "1203=10"});
    EXPECT_EQ(ReportLine(all, "Two-tailed p-value"), ResultLine("Two-tailed p-value", "    < 0.000001"));
    EXPECT_NE(ReportLine(all, "Proportion x/n (exact) [95% CI]").find("[0.691503, 1.000000]"), std::string::npos);
}

TEST_F(DistributionTest, PoissonReportMatchesR)
{
    // R 4.2.2: dpois(12, 6.5), ppois(12, 6.5), ppois(11, 6.5, lower.tail = FALSE),
    // poisson.test(12, r = 6.5)$p.value and poisson.test(12)$conf.int.
    const std::string report = Report("5500", {"1211=6.5", "1212=12"});
    EXPECT_EQ(report, "Probability - Poisson distribution\nT\n\n" + ResultLine("Mean", "      6.5000") + "\n" +
                          ResultLine("Number of events", "      12") + "\n\n" +
                          ResultLine("P(X = x)", "      0.017853") + "\n" + ResultLine("P(X <= x)", "      0.983973") +
                          "\n" + ResultLine("P(X >= x)", "      0.033880") + "\n" +
                          ResultLine("Two-tailed p-value", "      0.045155") + "\n" +
                          ResultLine("Mean given x (exact) [95% CI]", "     12.0000", "[6.2006, 20.9616]") + "\n");
    // No events: the lower limit is 0 (R: poisson.test(0)$conf.int is [0, 3.688879]).
    EXPECT_EQ(ReportLine(Report("5500", {"1211=2", "1212=0"}), "Mean given x (exact) [95% CI]"),
              ResultLine("Mean given x (exact) [95% CI]", "      0.0000", "[0.0000, 3.6889]"));
}

TEST_F(DistributionTest, LargestInputsGiveFiniteResults)
{
    for (const auto& args : std::vector<std::vector<std::string>>{
             {"n=1000000000", "p=0.5", "x=1000000000", "level=99.99"},
             {"n=1000000000", "p=0.000000001", "x=0"},
             {"n=1", "p=1", "x=0", "level=50"},
         }) {
        const CCalcRunResult run = RunByNames("5400", args);
        ASSERT_EQ(run.outcome, CCalcRunResult::Written) << args[0];
        for (const CResult& result : run.results) {
            EXPECT_FALSE(result.Undefined()) << result.key;
            if (result.HasInterval()) {
                EXPECT_TRUE(result.lower <= result.estimate && result.estimate <= result.upper) << result.key;
            }
        }
    }
    const CCalcRunResult poisson = RunByNames("5500", {"mean=1000000000", "x=0"});
    ASSERT_EQ(poisson.outcome, CCalcRunResult::Written);
    EXPECT_EQ(FindResult(poisson.results, "p_two_sided")->estimate < 1e-300, true);
    EXPECT_EQ(FindResult(poisson.results, "mean_exact")->lower, 0);
}

TEST_F(DistributionTest, BadInputIsRefusedWithTheFocusOnIt)
{
    ExpectRefusedWithoutReport("5400", {"1201=10", "1203=11"},
                               "The number of successes must not be greater than the number of trials.", 1203);
    ExpectRefusedWithoutReport("5400", {"1201=0"}, "Please enter an integer between 1 and 1000000000.", 1201);
    ExpectRefusedWithoutReport("5400", {"1202=1.5"}, "Please enter a number between 0 and 1.", 1202);
    ExpectRefusedWithoutReport("5400", {"1040=49"}, "Please enter a number between 50 and 99.99.", 1040);
    ExpectRefusedWithoutReport("5500", {"1211=0", "1212=3"}, "The mean must be greater than 0.", 1211);
    ExpectRefusedWithoutReport("5500", {"1211=2", "1212=-1"}, "Please enter a positive integer.", 1212);
}

TEST_F(DistributionTest, ResultsAsDataCommandLineAndReopenedDocumentAgree)
{
    ExpectResultsAsData("5400", {"1201=20", "1202=0.2", "1203=7", "1040=99", "1022=B"},
                        {"n=20", "p=0.2", "x=7", "level=99", "title=B"});
    ExpectResultsAsData("5500", {"1211=6.5", "1212=12", "1022=P"}, {"mean=6.5", "x=12", "title=P"});
    ExpectSameReportWhenReopened("5400", {"1201=1000000000", "1202=0.001", "1203=998000", "1040=97.5"});
    ExpectSameReportWhenReopened("5500", {"1211=0.25", "1212=3", "1040=80"});

    const CCliRun cli =
        RunCli("run 5400 n=1000000000 p=0.001 x=998000 --format json --vocab '" + ShippedVocabularyPath() + "'");
    ASSERT_EQ(cli.status, 0);
    const nlohmann::json json = nlohmann::json::parse(cli.out);
    // scipy 1.10.1: binomtest(998000, 10**9, 0.001).pvalue.
    const nlohmann::json& two = json["results"][3];
    EXPECT_EQ(two["key"], "p_two_sided");
    EXPECT_TRUE(Near(two["estimate"].get<double>(), 0.04539229104127737, 1e-8));
    EXPECT_EQ(json["inputs"]["n"], 1e9);
}
