// Tests of the proportion with several intervals: each interval against published and
// independently computed limits, the limits at the edges (0, n, n = 10^9, any level), and the
// calculation end to end from its dialog, the command line and a stored document.
#include "ProportionIntervals.h"

#include "CArchive.h"
#include "CDescPropIntervals.h"
#include "CalcTestSupport.h"
#include "ConfidenceLevel.h"
#include "ExactLimits.h"
#include "GetCalcBase.h"
#include "StoredRedo.h"
#include "TableTests.h"
#include "TestSupport.h"

#include <cmath>
#include <memory>
#include <nlohmann/json.hpp>
#include <tuple>

namespace
{
class ProportionIntervalsTest : public CCalcTest
{};

/// Limits of x of n at 95 % by each method, as R 4.2.2 gives them: binom.test(x, n)$conf.int;
/// mid-P by uniroot(tol = 1e-15) on pbinom(x, n, p, lower = FALSE) + dbinom(x, n, p) / 2 and
/// pbinom(x - 1, n, p) + dbinom(x, n, p) / 2; prop.test(x, n, correct = FALSE / TRUE)$conf.int;
/// Agresti-Coull from its closed form, cut to 0..1. They agree to four decimals with Newcombe
/// (Statistics in Medicine 1998; 17: 857-872), Table I, methods 4, 5 and 6 (for 81/263, 15/148,
/// 0/20, 1/29).
struct ReferenceCase
{
    double x, n;
    CLimits exact, midP, wilson, corrected, agrestiCoull;
};

const ReferenceCase kReferences[] = {
    {81,
     263,
     {0.252736745585, 0.367621922601},
     {0.254402104946, 0.365773474258},
     {0.255288519878, 0.366209576983},
     {0.253508682295, 0.368176201043},
     {0.25522066519, 0.366277431671}},
    {15,
     148,
     {0.0578440100834, 0.161650490349},
     {0.0600636026655, 0.158121733051},
     {0.0623863995307, 0.160487241723},
     {0.0597782084285, 0.164449779365},
     {0.0613859749288, 0.161487666325}},
    {0, 20, {0, 0.168433470983}, {0, 0.139108340668}, {0, 0.161125158053}, {0, 0.200453345013}, {0, 0.189809560542}},
    {1,
     29,
     {0.00087264688358, 0.177644295489},
     {0.00172477011471, 0.158537383681},
     {0.00611321429276, 0.171755218793},
     {0.00180264021328, 0.19628175101},
     {0, 0.186286508562}},
    {0,
     100,
     {0, 0.0362166926452},
     {0, 0.029513049607},
     {0, 0.036993498207},
     {0, 0.0461013406122},
     {0, 0.0444120511341}},
};

void ExpectLimits(const CLimits& found, const CLimits& expected, const char* method, double x, double n)
{
    EXPECT_TRUE(Near(found.lower, expected.lower, 1e-10)) << method << " " << x << "/" << n;
    EXPECT_TRUE(Near(found.upper, expected.upper, 1e-10)) << method << " " << x << "/" << n;
}

} // namespace

TEST(ProportionIntervals, AgreeWithPublishedAndIndependentLimits)
{
    const double z = NormalQuantileOfLevel(95);
    for (const ReferenceCase& c : kReferences) {
        ExpectLimits(ClopperPearsonLimits(c.x, c.n, 95), c.exact, "exact", c.x, c.n);
        ExpectLimits(MidPBinomialLimits(c.x, c.n, 95), c.midP, "mid-P", c.x, c.n);
        ExpectLimits(WilsonScoreLimits(c.x, c.n, z), c.wilson, "Wilson", c.x, c.n);
        ExpectLimits(CorrectedScoreLimits(c.x, c.n, z), c.corrected, "corrected", c.x, c.n);
        ExpectLimits(AgrestiCoullLimits(c.x, c.n, z), c.agrestiCoull, "Agresti-Coull", c.x, c.n);
    }
    // 81 of 263 at 99 %, the same sources with conf.level = 0.99.
    const double z99 = NormalQuantileOfLevel(99);
    ExpectLimits(WilsonScoreLimits(81, 263, z99), {0.240136902688, 0.385282502318}, "Wilson 99", 81, 263);
    ExpectLimits(CorrectedScoreLimits(81, 263, z99), {0.238403972153, 0.387256894351}, "corrected 99", 81, 263);
    ExpectLimits(AgrestiCoullLimits(81, 263, z99), {0.239987032601, 0.385432372404}, "A-C 99", 81, 263);
}

TEST(ProportionIntervals, CorrectedScoreIsTheFleissIntervalOfTheCountCalculation)
{
    // The count-and-sample-size calculation's Fleiss limits at its z of 1.96, also at x = n / 2
    // where R's prop.test drops the continuity correction, and at 0 and n.
    const double cases[][2] = {{50, 100}, {3, 7}, {0, 10}, {10, 10}, {1, 1}, {999, 1000}};
    for (const auto& c : cases) {
        double lower = 0, upper = 0;
        FleissCISingProp(c[0] / c[1], c[1], 1.96, lower, upper);
        const CLimits corrected = CorrectedScoreLimits(c[0], c[1], 1.96);
        EXPECT_NEAR(corrected.lower, lower, 1e-14) << c[0] << "/" << c[1];
        EXPECT_NEAR(corrected.upper, upper, 1e-14) << c[0] << "/" << c[1];
    }
}

TEST(ProportionIntervals, EveryIntervalHoldsItsEstimateAtEveryLevel)
{
    for (double level : {50.0, 80.0, 95.0, 99.99}) {
        const double z = NormalQuantileOfLevel(level);
        for (double n = 1; n <= 30; ++n) {
            for (double x = 0; x <= n; ++x) {
                const double p = x / n;
                const CLimits exact = ClopperPearsonLimits(x, n, level);
                const CLimits midP = MidPBinomialLimits(x, n, level);
                for (const CLimits& limits : {exact, midP, WilsonScoreLimits(x, n, z), CorrectedScoreLimits(x, n, z),
                                              AgrestiCoullLimits(x, n, z)}) {
                    EXPECT_TRUE(limits.lower >= 0 && limits.lower <= p && p <= limits.upper && limits.upper <= 1)
                        << x << "/" << n << " at " << level << ": [" << limits.lower << ", " << limits.upper << "]";
                }
                // The mid-P interval lies inside the exact one.
                EXPECT_LE(exact.lower, midP.lower + 1e-12) << x << "/" << n;
                EXPECT_GE(exact.upper, midP.upper - 1e-12) << x << "/" << n;
            }
        }
    }
}

TEST(ProportionIntervals, LargestSampleGivesFiniteOrderedLimits)
{
    const double n = 1e9;
    // R 4.2.2: binom.test(0, 1e9)$conf.int[2]; binom.test(1e9, 1e9)$conf.int[1];
    // qbeta(0.025, 1, 1e9) and qbeta(0.975, 2, 1e9 - 1) for 1 of 10^9.
    EXPECT_NEAR(ClopperPearsonLimits(0, n, 95).upper, 3.68887944731002e-09, 1e-19);
    EXPECT_NEAR(ClopperPearsonLimits(n, n, 95).lower, 0.999999996311121, 1e-15);
    EXPECT_NEAR(ClopperPearsonLimits(1, n, 95).lower, 2.53178079839694e-11, 1e-20);
    EXPECT_NEAR(ClopperPearsonLimits(1, n, 95).upper, 5.57164337820311e-09, 1e-18);
    // Mid-P limits by uniroot in R (tolerance 1e-17 relative) on pbinom and dbinom, which stay
    // accurate at this size; 1e-10 relative is the aim of the root search.
    const CLimits one = MidPBinomialLimits(1, n, 95);
    EXPECT_NEAR(one.lower, 5.002034483527593e-11, 5.1e-21);
    EXPECT_NEAR(one.upper, 4.931860514595370e-09, 4.9e-19);
    EXPECT_NEAR(MidPBinomialLimits(0, n, 95).upper, 2.995732269066784e-09, 3e-19);
    // binom.test(5e8, 1e9, conf.level = 0.9999)$conf.int.
    const CLimits half = ClopperPearsonLimits(5e8, n, 99.99);
    EXPECT_NEAR(half.lower, 0.499938483841212, 1e-12);
    EXPECT_NEAR(half.upper, 0.500061516158788, 1e-12);
    const double z = NormalQuantileOfLevel(99.99);
    for (double x : {0.0, 1.0, 5e8, n - 1, n}) {
        for (const CLimits& limits : {MidPBinomialLimits(x, n, 99.99), WilsonScoreLimits(x, n, z),
                                      CorrectedScoreLimits(x, n, z), AgrestiCoullLimits(x, n, z)}) {
            EXPECT_TRUE(std::isfinite(limits.lower) && std::isfinite(limits.upper)) << x;
            EXPECT_TRUE(limits.lower <= x / n && x / n <= limits.upper) << x;
        }
    }
}

TEST_F(ProportionIntervalsTest, ReportShowsEveryIntervalWithDecimalsThatTellThemApart)
{
    const std::string report = Report("1130", {"1025=15", "1024=148"});
    EXPECT_EQ(report, "Describe - Proportion - Exact and score intervals\nT\n\n" + ResultLine("Count", "      15") +
                          "\n" + ResultLine("Sample size", "     148") + "\n" +
                          ResultLine("Proportion", "      0.1014") + "\n" +
                          ResultLine("Exact (Clopper-Pearson) [95% CI]", "      0.1014", "[0.0578, 0.1617]") + "\n" +
                          ResultLine("Mid-P exact [95% CI]", "      0.1014", "[0.0601, 0.1581]") + "\n" +
                          ResultLine("Wilson score [95% CI]", "      0.1014", "[0.0624, 0.1605]") + "\n" +
                          ResultLine("Corrected score, Fleiss [95% CI]", "      0.1014", "[0.0598, 0.1644]") + "\n" +
                          ResultLine("Agresti-Coull [95% CI]", "      0.1014", "[0.0614, 0.1615]") + "\n");
    // 0 of 100 once printed "0.00 [0.09, 4.61]": now 0 with limits from 0.
    const std::string none = Report("1130", {"1025=0", "1024=100"});
    EXPECT_EQ(ReportLine(none, "Exact (Clopper-Pearson) [95% CI]"),
              ResultLine("Exact (Clopper-Pearson) [95% CI]", "      0.0000", "[0.0000, 0.0362]"));
    EXPECT_EQ(ReportLine(none, "Corrected score, Fleiss [95% CI]"),
              ResultLine("Corrected score, Fleiss [95% CI]", "      0.0000", "[0.0000, 0.0461]"));
    // 0 of 10^9: the limits are a few in 10^9, printed with enough decimals to be seen.
    const std::string huge = Report("1130", {"1025=0", "1024=1000000000", "1040=99.99"});
    EXPECT_EQ(
        ReportLine(huge, "Exact (Clopper-Pearson) [99.99% CI]"),
        ResultLine("Exact (Clopper-Pearson) [99.99% CI]", "      0.00000000000", "[0.00000000000, 0.00000000990]"));
}

TEST_F(ProportionIntervalsTest, DialogRefusesImpossibleInputsAndStaysOpen)
{
    ExpectRefusedWithoutReport("1130", {"1025=11", "1024=10"}, "The count must not be greater than the sample size.",
                               1025);
    ExpectRefusedWithoutReport("1130", {"1025=0", "1024=0"}, "Please enter an integer between 1 and 1000000000.", 1024);
    ExpectRefusedWithoutReport("1130", {"1025=1000000001", "1024=1000000000"},
                               "Please enter an integer between 0 and 1000000000.", 1025);
    for (const char* level : {"1040=49.99", "1040=100", "1040=nan"}) {
        const CCalcRunResult run = Run("1130", {"1025=1", "1024=10", level});
        EXPECT_EQ(run.outcome, CCalcRunResult::NotAdded) << level;
        EXPECT_TRUE(run.refusedOpen) << level;
        EXPECT_EQ(run.finalFocusId, 1040) << level;
    }
}

TEST_F(ProportionIntervalsTest, SameResultsFromDialogCommandLineAndStoredDocument)
{
    const CCalcRunResult run = ExpectResultsAsData("1130", {"1022=T", "1025=81", "1024=263", "1040=97.5"},
                                                   {"title=T", "count=81", "n=263", "level=97.5"});
    const CResult* exact = FindResult(run.results, "clopper_pearson");
    ASSERT_NE(exact, nullptr);
    EXPECT_EQ(exact->level, "97.5%");

    const CCliRun json =
        RunCli("run 1130 count=81 n=263 level=97.5 --format json --vocab '" + ShippedVocabularyPath() + "'");
    ASSERT_EQ(json.status, 0);
    const nlohmann::json data = nlohmann::json::parse(json.out);
    EXPECT_EQ(data["class"], "CDescPropIntervals");
    // binom.test(81, 263, conf.level = 0.975)$conf.int in R 4.2.2.
    for (const auto& result : data["results"]) {
        if (result["key"] == "clopper_pearson") {
            EXPECT_NEAR(result["lower"].get<double>(), 0.245410915350, 1e-10);
            EXPECT_NEAR(result["upper"].get<double>(), 0.376110510858, 1e-10);
        }
    }

    // Stored, read back and redone with OK: the same inputs and the same report.
    CDescPropIntervals calc;
    calc.SetTypeString("1130");
    calc.SetTitle("T");
    calc.m_count = 81;
    calc.m_sampleSize = 263;
    calc.m_level = 97.5;
    EXPECT_EQ(RedoneAfterReload(calc), run.report);
    EXPECT_TRUE(m_fallbacks.empty()) << m_fallbacks.front();
}

TEST_F(ProportionIntervalsTest, DamagedStoredInputsAreRefusedOrUndefined)
{
    CDescPropIntervals calc;
    calc.SetTypeString("1130");
    calc.m_level = std::nan("");
    EXPECT_THROW(StoredAndReloaded(calc), CArchiveException);
    // A count above its sample size, a sample of 0 or a level out of range read back, but give
    // no numbers from the formulas.
    calc.m_level = 95;
    for (auto [count, size, level] : {std::tuple{5u, 4u, 95.0}, {0u, 0u, 95.0}, {1u, 2u, 100.0}, {1u, 2u, 20.0}}) {
        calc.m_count = count;
        calc.m_sampleSize = size;
        calc.m_level = level;
        const std::unique_ptr<CCalcBase> reloaded = StoredAndReloaded(calc);
        for (const CResult& result : reloaded->Results()) {
            if (result.key != "count" && result.key != "sample_size") {
                EXPECT_TRUE(std::isnan(result.estimate) && std::isnan(result.lower)) << result.key << " " << count;
            }
        }
    }
    // Truncated after the level: the archive's format error, not a half-read calculation.
    calc.m_level = 95;
    std::vector<unsigned char> bytes;
    CArchive out(bytes);
    out.WriteObject(&calc);
    CArchive in(bytes.data(), bytes.size() - 6);
    EXPECT_THROW(std::unique_ptr<CCalcBase>(ReadObjectOf<CCalcBase>(in)), CArchiveException);
}
