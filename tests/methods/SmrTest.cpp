// Tests of the standardised mortality ratio: the two-sided tests of an observed count against
// its expected value, the report of a worked example and of the extremes, the dialog's refusals,
// and the same results from the command line and from a stored document.
#include "CArchive.h"
#include "CDescSMR.h"
#include "CalcTestSupport.h"
#include "PoissonIntervals.h"
#include "StoredRedo.h"
#include "TestSupport.h"

#include <cmath>
#include <memory>
#include <nlohmann/json.hpp>

namespace
{
class SmrTest : public CCalcTest
{};

} // namespace

TEST(PoissonTests, TwiceTheSmallerTailAndItsMidPForm)
{
    // R 4.2.2: min(1, 2 * min(ppois(o, e), ppois(o - 1, e, lower.tail = FALSE))), and the same
    // with dpois(o, e) / 2 taken from each tail. R's poisson.test(o, e)$p.value sums the counts
    // no more likely than o instead, and gives 0.2257, 0.0243, 0.0326 and 0.0833 here.
    struct Case
    {
        double observed, expected, exact, midP;
    };
    const Case cases[] = {
        {12, 8.5, 0.30267590916384, 0.242255028879296},
        {4, 11.2, 0.0263832053833573, 0.0174179502826137},
        {30, 20, 0.0436364350511148, 0.0352928988054797},
        {0, 3, 0.0995741367357279, 0.0497870683678639},
    };
    for (const Case& c : cases) {
        EXPECT_TRUE(Near(PoissonDoubledTailP(c.observed, c.expected), c.exact, 1e-13))
            << c.observed << "/" << c.expected;
        EXPECT_TRUE(Near(PoissonMidPTwoSidedP(c.observed, c.expected), c.midP, 1e-13))
            << c.observed << "/" << c.expected;
    }
    // A count as likely in either tail is capped at 1; 0 of a tiny expectation too.
    EXPECT_EQ(PoissonDoubledTailP(0, 0.001), 1);
    EXPECT_NEAR(PoissonMidPTwoSidedP(0, 0.001), std::exp(-0.001), 1e-15);
    // The largest count: R gives 1.28644979019757e-219 for 10^9 against 999,000,000.
    EXPECT_NEAR(PoissonDoubledTailP(1e9, 999e6) / 1.28644979019757e-219, 1, 1e-6);
    EXPECT_TRUE(std::isnan(PoissonDoubledTailP(3, 0)));
    EXPECT_TRUE(std::isnan(PoissonMidPTwoSidedP(-1, 3)));
}

TEST_F(SmrTest, ReportOfAWorkedExampleAndOfTheExtremes)
{
    // 12 deaths where 8.5 were expected, at 90 %: poisson.test(12, 8.5, conf.level = 0.9) in
    // R 4.2.2 gives 0.814613 and 2.287361; mid-P by uniroot on ppois and dpois 0.853432 and
    // 2.222302; the p-values as in PoissonTests above.
    EXPECT_EQ(Report("1600", {"1025=12", "1026=8.5", "1040=90"}),
              "Describe - Standardised mortality ratio\nT\n\n" + ResultLine("Observed", "      12") + "\n" +
                  ResultLine("Expected", "      8.5") + "\n" + ResultLine("SMR (observed/expected)", "      1.41") +
                  "\n" + ResultLine("Exact Poisson [90% CI]", "      1.41", "[0.81, 2.29]") + "\n" +
                  ResultLine("Mid-P exact [90% CI]", "      1.41", "[0.85, 2.22]") + "\n" +
                  ResultLine("Byar's approximation [90% CI]", "      1.41", "[0.81, 2.29]") + "\n" +
                  ResultLine("Exact Poisson test (two-sided p)", "      0.302676") + "\n" +
                  ResultLine("Mid-P exact test (two-sided p)", "      0.242255") + "\n");
    // None observed: the lower limits are 0 and the upper ones finite.
    const std::string none = Report("1600", {"1025=0", "1026=3"});
    EXPECT_EQ(ReportLine(none, "Exact Poisson [95% CI]"),
              ResultLine("Exact Poisson [95% CI]", "      0.00", "[0.00, 1.23]"));
    // 10^9 against 999,000,000: decimals enough to show the narrow interval, and a p-value far
    // below 0.000001.
    const std::string most = Report("1600", {"1025=1000000000", "1026=999000000", "1040=99.99"});
    EXPECT_EQ(ReportLine(most, "Exact Poisson test (two-sided p)"),
              ResultLine("Exact Poisson test (two-sided p)", "    < 0.000001"));
    EXPECT_EQ(ReportLine(most, "SMR (observed/expected)"), ResultLine("SMR (observed/expected)", "      1.001001"));
}

TEST_F(SmrTest, DialogRefusesANonPositiveExpectedCount)
{
    ExpectRefusedWithoutReport("1600", {"1025=3", "1026=0"}, "The expected count must be greater than 0.", 1026);
    ExpectRefusedWithoutReport("1600", {"1025=3", "1026=-1"}, "Please enter a number between 0 and 1000000000000.",
                               1026);
    ExpectRefusedWithoutReport("1600", {"1025=3", "1026=nan"}, "Please enter a number.", 1026);
    ExpectRefusedWithoutReport("1600", {"1025=3", "1026=3", "1040=40"}, "Please enter a number between 50 and 99.99.",
                               1040);
}

TEST_F(SmrTest, SameResultsFromDialogCommandLineAndStoredDocument)
{
    const CCalcRunResult run = ExpectResultsAsData("1600", {"1022=T", "1025=30", "1026=20", "1040=90"},
                                                   {"title=T", "observed=30", "expected=20", "level=90"});
    const CResult* p = FindResult(run.results, "p_exact");
    ASSERT_NE(p, nullptr);
    EXPECT_TRUE(p->probability);

    // poisson.test(30, 20, conf.level = 0.9)$conf.int in R 4.2.2.
    const CCliRun json =
        RunCli("run 1600 observed=30 expected=20 level=90 --format json --vocab '" + ShippedVocabularyPath() + "'");
    ASSERT_EQ(json.status, 0);
    const nlohmann::json data = nlohmann::json::parse(json.out);
    EXPECT_EQ(data["class"], "CDescSMR");
    EXPECT_EQ(data["results"][3]["key"], "exact");
    EXPECT_NEAR(data["results"][3]["lower"].get<double>(), 1.07969896134974, 1e-12);
    EXPECT_NEAR(data["results"][3]["upper"].get<double>(), 2.03452537972248, 1e-12);

    CDescSMR calc;
    calc.SetTypeString("1600");
    calc.SetTitle("T");
    calc.m_observed = 30;
    calc.m_expected = 20;
    calc.m_level = 90;
    EXPECT_EQ(RedoneAfterReload(calc), run.report);
}

TEST_F(SmrTest, DamagedStoredInputsAreRefusedOrUndefined)
{
    CDescSMR calc;
    calc.SetTypeString("1600");
    calc.m_level = NAN;
    EXPECT_THROW(StoredAndReloaded(calc), CArchiveException);
    for (auto [expected, level] : {std::pair{0.0, 95.0}, {-2.0, 95.0}, {INFINITY, 95.0}, {5.0, 49.0}}) {
        calc.m_observed = 4;
        calc.m_expected = expected;
        calc.m_level = level;
        const std::unique_ptr<CCalcBase> reloaded = StoredAndReloaded(calc);
        for (const CResult& result : reloaded->Results()) {
            if (result.key != "observed" && result.key != "expected") {
                EXPECT_TRUE(std::isnan(result.estimate)) << result.key << " " << expected << " " << level;
            }
        }
    }
}
