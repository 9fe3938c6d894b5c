// Two rates as a ratio: the exact conditional, mid-P and Wald limits and the two tests against R's
// poisson.test and a tight root search in scipy, and the calculation end to end from its dialog,
// the command line and a reopened document.
#include "RateRatio.h"

#include "CArchive.h"
#include "CCompRateRatio.h"
#include "CalcTestSupport.h"
#include "HookGuards.h"
#include "Profile.h"
#include "ReopenedReport.h"
#include "TestSupport.h"

#include <cmath>
#include <gtest/gtest.h>
#include <nlohmann/json.hpp>

namespace
{
class RateRatioCalcTest : public CCalcTest
{};

void ExpectLimits(const CLimits& limits, double lower, double upper, double relative)
{
    EXPECT_NEAR(limits.lower, lower, std::fabs(lower) * relative);
    EXPECT_NEAR(limits.upper, upper, std::fabs(upper) * relative);
}

// Breast cancer after repeated fluoroscopy: 41 cases in 28,010 woman-years against 15 in 19,017,
// the worked example of Rothman's Epidemiology: An Introduction (rate ratio 1.86).
constexpr double kX1 = 41, kT1 = 28010, kX2 = 15, kT2 = 19017;
} // namespace

TEST(RateRatioFunctions, ExactLimitsAndTestAgreeWithRPoissonTest)
{
    // R 4.2.2: poisson.test(c(41, 15), c(28010, 19017)) and with conf.level = 0.9.
    ExpectLimits(ExactRateRatioLimits(kX1, kT1, kX2, kT2, 95), 1.00568406268925825, 3.60930031107790539, 1e-9);
    ExpectLimits(ExactRateRatioLimits(kX1, kT1, kX2, kT2, 90), 1.09801035479778730, 3.24702989096472150, 1e-9);
    EXPECT_NEAR(ExactRateRatioTestP(kX1, kT1, kX2, kT2), 0.04085202628650184, 1e-12);
    // R 4.2.2: poisson.test(c(7, 12), c(1500, 2000), conf.level = 0.99).
    ExpectLimits(ExactRateRatioLimits(7, 1500, 12, 2000, 99), 0.1829909257510483, 2.8450656194765189, 1e-9);
    EXPECT_NEAR(ExactRateRatioTestP(7, 1500, 12, 2000), 0.6502705927539119, 1e-12);
    // R 4.2.2: poisson.test(c(3, 20), c(100, 100)) and the mirror c(20, 3): the same p both ways.
    ExpectLimits(ExactRateRatioLimits(3, 100, 20, 100, 95), 0.0285436363590859006, 0.5057726902575634398, 1e-9);
    ExpectLimits(ExactRateRatioLimits(20, 100, 3, 100, 95), 1.977172787820459, 35.03407860931792, 1e-9);
    EXPECT_NEAR(ExactRateRatioTestP(3, 100, 20, 100), 0.0004882812499999996, 1e-15);
    EXPECT_NEAR(ExactRateRatioTestP(20, 100, 3, 100), 0.0004882812499999996, 1e-15);
    // R 4.2.2: poisson.test(c(5, 5), c(100, 100)): equal rates.
    ExpectLimits(ExactRateRatioLimits(5, 100, 5, 100, 95), 0.230142468938108, 4.345134579523997, 1e-9);
    EXPECT_EQ(ExactRateRatioTestP(5, 100, 5, 100), 1);
}

TEST(RateRatioFunctions, NoEventsInAGroupGiveAnOpenEnd)
{
    // R 4.2.2: poisson.test(c(0, 10), c(1000, 2000)) and c(10, 0).
    ExpectLimits(ExactRateRatioLimits(0, 1000, 10, 2000, 95), 0, 0.89225109918384959, 1e-9);
    EXPECT_NEAR(ExactRateRatioTestP(0, 1000, 10, 2000), 0.03700316686142019, 1e-12);
    const CLimits open = ExactRateRatioLimits(10, 1000, 0, 2000, 95);
    EXPECT_NEAR(open.lower, 4.483042950195116, 4.5e-9);
    EXPECT_TRUE(std::isinf(open.upper));
    EXPECT_NEAR(ExactRateRatioTestP(10, 1000, 0, 2000), 1.693508780843028e-05, 1e-15);
    // No events at all: nothing to condition on.
    EXPECT_TRUE(std::isnan(ExactRateRatioLimits(0, 1000, 0, 2000, 95).lower));
    EXPECT_TRUE(std::isnan(MidPRateRatioLimits(0, 1000, 0, 2000, 95).upper));
    EXPECT_TRUE(std::isnan(ExactRateRatioTestP(0, 1000, 0, 2000)));
    EXPECT_TRUE(std::isnan(MidPRateRatioTestP(0, 1000, 0, 2000)));
    // Wald limits need both counts.
    EXPECT_TRUE(std::isnan(WaldRateRatioLimits(0, 1000, 10, 2000, 95).lower));
}

TEST(RateRatioFunctions, MidPAgreesWithATightRootSearch)
{
    // scipy 1.10.1: brentq (rtol 1e-15) on binom.sf(x1, n, p) + binom.pmf(x1, n, p) / 2 = alpha / 2
    // and the lower tail, each limit p turned into p / (1 - p) * t2 / t1; the test is twice the
    // smaller mid-P tail at t1 / (t1 + t2).
    ExpectLimits(MidPRateRatioLimits(kX1, kT1, kX2, kT2, 95), 1.041075243425932, 3.449422760454656, 1e-9);
    ExpectLimits(MidPRateRatioLimits(kX1, kT1, kX2, kT2, 90), 1.1381945384812904, 3.103244977149877, 1e-9);
    EXPECT_NEAR(MidPRateRatioTestP(kX1, kT1, kX2, kT2), 0.03545742177226215, 1e-12);
    ExpectLimits(MidPRateRatioLimits(7, 1500, 12, 2000, 99), 0.20271702859776464, 2.6353046919912906, 1e-9);
    EXPECT_NEAR(MidPRateRatioTestP(7, 1500, 12, 2000), 0.612405829862759, 1e-12);
    const CLimits zero = MidPRateRatioLimits(0, 1000, 10, 2000, 95);
    EXPECT_EQ(zero.lower, 0);
    EXPECT_NEAR(zero.upper, 0.6985656953471264, 1e-9);
    EXPECT_NEAR(MidPRateRatioTestP(0, 1000, 10, 2000), 0.017341529915832578, 1e-12);
}

TEST(RateRatioFunctions, BillionsOfEventsKeepTheirPrecision)
{
    // scipy 1.10.1: binomtest(10^9, 1999000000, 0.5), its exact interval, and the mid-P search
    // above. Two billion trials: each limit within a few units of the tenth digit.
    ExpectLimits(ExactRateRatioLimits(1e9, 1e9, 999e6, 1e9, 95), 1.0009132418967064, 1.0010887677990956, 1e-10);
    ExpectLimits(MidPRateRatioLimits(1e9, 1e9, 999e6, 1e9, 95), 1.0009132429001661, 1.001088766797527, 1e-10);
    EXPECT_NEAR(ExactRateRatioTestP(1e9, 1e9, 999e6, 1e9), 8.389987710369125e-111, 1e-117);
    EXPECT_NEAR(MidPRateRatioTestP(1e9, 1e9, 999e6, 1e9), 8.385784368104221e-111, 1e-117);
    // A billion events against one: the upper limit p of the billion has 1 - p = 1 - 0.975^(1 / n)
    // in closed form (the lower limit of the one), so the ratio (1 - q) / q keeps its digits
    // only when 1 - p is never formed by subtraction.
    const double q = -std::expm1(std::log1p(-0.025) / (1e9 + 1));
    EXPECT_NEAR(ExactRateRatioLimits(1e9, 1, 1, 1, 95).upper, (1 - q) / q, (1 - q) / q * 1e-10);
}

TEST_F(RateRatioCalcTest, ReportOfTheWorkedExample)
{
    const std::string report = Report("2700", {"1085=41", "1087=28010", "1086=15", "1088=19017", "1040=90"});
    const auto line = [&](const std::string& label) { return ReportLine(report, label); };
    // R 4.2.2: qgamma(c(0.05, 0.95), c(41, 42)) / 28010 * 1000, the exact limits of rate 1.
    EXPECT_EQ(line("Rate [90% CI]"), ResultLine("Rate [90% CI]", "      1.4638", "[1.1091, 1.8992]"));
    EXPECT_EQ(line("Rate ratio, exact [90% CI]"),
              ResultLine("Rate ratio, exact [90% CI]", "      1.8558", "[1.0980, 3.2470]"));
    EXPECT_EQ(line("Rate ratio, mid-P exact [90% CI]"),
              ResultLine("Rate ratio, mid-P exact [90% CI]", "      1.8558", "[1.1382, 3.1032]"));
    // R 4.2.2: exp(log(irr) -/+ qnorm(0.95) * sqrt(1 / 41 + 1 / 15)) and the difference per 1000
    // -/+ qnorm(0.95) * sqrt(41 / 28010^2 + 15 / 19017^2) * 1000.
    EXPECT_EQ(line("Rate ratio, Wald (log) [90% CI]"),
              ResultLine("Rate ratio, Wald (log) [90% CI]", "      1.8558", "[1.1297, 3.0485]"));
    EXPECT_EQ(line("Rate difference (1 - 2) [90% CI]"),
              ResultLine("Rate difference (1 - 2) [90% CI]", "      0.6750", "[0.1714, 1.1786]"));
    EXPECT_EQ(line("Exact p-value (two-sided)"), ResultLine("Exact p-value (two-sided)", "      0.040852"));
    EXPECT_EQ(line("Mid-P p-value (two-sided)"), ResultLine("Mid-P p-value (two-sided)", "      0.035457"));
    EXPECT_NE(report.find("Sample 2\n" + ResultLine("Count", "          15") + "\n" +
                          ResultLine("Person-time", "       19017") + "\n"),
              std::string::npos)
        << report;
    EXPECT_NE(report.find("\n/ 1000 person-time units\n"), std::string::npos);
    // Per 100,000: (41 / 28010 - 15 / 19017) * 100000 = 67.4995; the ratio does not scale.
    const std::string per = Report("2700", {"1085=41", "1087=28010", "1086=15", "1088=19017", "+1153"});
    EXPECT_EQ(ReportLine(per, "Rate difference (1 - 2) [95% CI]").substr(0, 50),
              ResultLine("Rate difference (1 - 2) [95% CI]", "     67.4995").substr(0, 50));
    EXPECT_NE(per.find("\n/ 100000 person-time units\n"), std::string::npos);
}

TEST_F(RateRatioCalcTest, EmptyGroupsPrintStarsNotNonsense)
{
    const std::string none = Report("2700", {"1085=0", "1087=1000", "1086=0", "1088=2000"});
    EXPECT_EQ(ReportLine(none, "Rate ratio, exact [95% CI]"),
              ResultLine("Rate ratio, exact [95% CI]", "      ****", "[****, ****]"));
    EXPECT_EQ(ReportLine(none, "Exact p-value (two-sided)"), ResultLine("Exact p-value (two-sided)", "      ****"));
    // No events in group 2: an infinite ratio and upper limit are undefined, the lower one holds.
    const std::string open = Report("2700", {"1085=10", "1087=1000", "1086=0", "1088=2000"});
    EXPECT_EQ(ReportLine(open, "Rate ratio, exact [95% CI]"),
              ResultLine("Rate ratio, exact [95% CI]", "      ****", "[4.4830, ****]"));
    EXPECT_EQ(ReportLine(open, "Rate ratio, Wald (log) [95% CI]"),
              ResultLine("Rate ratio, Wald (log) [95% CI]", "      ****", "[****, ****]"));
    // Largest counts and person-time at the highest level.
    const std::string largest =
        Report("2700", {"1085=1000000000", "1087=1e15", "1086=999000000", "1088=1e15", "+1153", "1040=99.99"});
    EXPECT_EQ(largest.find("****"), std::string::npos) << largest;
    EXPECT_EQ(ReportLine(largest, "Exact p-value (two-sided)"),
              ResultLine("Exact p-value (two-sided)", "    < 0.000001"));
}

TEST_F(RateRatioCalcTest, DialogShowsTheVocabularyAndTheDefaults)
{
    CSnapshotHost host;
    host.m_checkTemplate = true;
    const CDialogHostGuard hostGuard(host);
    OpenAndCancel("2700");
    EXPECT_EQ(host.m_caption, "Compare - Rate ratio");
    EXPECT_EQ(host.m_texts[1100], "Sample 2");
    EXPECT_EQ(host.m_texts[1126], "Person-time:");
    EXPECT_EQ(host.m_texts[1150], "Rates per");
    // A new dialog shows the field table's defaults: rates per 1,000 at 95 %.
    EXPECT_TRUE(host.m_checked[1152]);
    EXPECT_EQ(host.m_texts[1087], "1");
    EXPECT_EQ(host.m_texts[1040], "95");
    EXPECT_TRUE(m_fallbacks.empty()) << m_fallbacks.front();
}

TEST_F(RateRatioCalcTest, BadInputIsRefusedWithTheDialogOpen)
{
    const std::string timeMessage = GetProfileString("Messages", "40", "");
    EXPECT_FALSE(timeMessage.empty());
    ExpectRefusedWithoutReport("2700", {"1085=3", "1087=0", "1088=10"}, timeMessage, 1087);
    ExpectRefusedWithoutReport("2700", {"1085=3", "1087=10", "1088=0"}, timeMessage, 1088);
    ExpectRefusedWithoutReport("2700", {"1085=1000000001"}, "Please enter an integer between 0 and 1000000000.", 1085);
    ExpectRefusedWithoutReport("2700", {"1087=-1"}, "Please enter a number between 0 and 1e+15.", 1087);
    ExpectRefusedWithoutReport("2700", {"1040=100"}, "Please enter a number between 50 and 99.99.", 1040);
}

TEST_F(RateRatioCalcTest, SameResultsFromNamesIdsAndAReopenedDocument)
{
    const CCalcRunResult run = ExpectResultsAsData(
        "2700", {"1022=T", "1085=7", "1087=1500", "1086=12", "1088=2000", "+1151", "1040=99"},
        {"title=T", "events1=7", "person_time1=1500", "events2=12", "person_time2=2000", "per=1", "level=99"});
    // R 4.2.2: poisson.test(c(7, 12), c(1500, 2000), conf.level = 0.99).
    EXPECT_NEAR(FindResult(run.results, "rate_ratio_exact")->upper, 2.8450656194765189, 1e-8);
    const std::string report =
        ExpectSameReportWhenReopened("2700", {"1085=7", "1087=1500.25", "1086=12", "1088=2000", "+1153", "1040=97.5"});
    EXPECT_NE(report.find("/ 100000 person-time units"), std::string::npos) << report;
    EXPECT_TRUE(m_fallbacks.empty()) << m_fallbacks.front();
}

TEST(RateRatioStored, AMultiplierOutsideItsChoicesIsRefused)
{
    CCompRateRatio calc;
    calc.SetTypeString("2700");
    calc.m_per = 3;
    std::vector<unsigned char> bytes;
    {
        CArchive out(bytes);
        out.WriteObject(&calc);
    }
    CArchive in(bytes.data(), bytes.size());
    EXPECT_THROW(delete ReadObjectOf<CCalcBase>(in), CArchiveException);
}

TEST(RateRatioCli, RunsByNamesAsJson)
{
    const CCliRun run = RunCli("run 2700 events1=41 person_time1=28010 events2=15 person_time2=19017 level=90 "
                               "--format json --vocab '" +
                               ShippedVocabularyPath() + "'");
    ASSERT_EQ(run.status, 0) << run.out;
    const nlohmann::json json = nlohmann::json::parse(run.out);
    EXPECT_EQ(json["inputs"]["per"], "1000");
    const auto& results = json["results"];
    ASSERT_EQ(results.size(), 8u);
    EXPECT_EQ(results[2]["key"], "rate_ratio_exact");
    // R 4.2.2: poisson.test(c(41, 15), c(28010, 19017), conf.level = 0.9).
    EXPECT_NEAR(results[2]["lower"].get<double>(), 1.09801035479778730, 1e-9);
    EXPECT_NEAR(results[5]["estimate"].get<double>(), 0.04085202628650184, 1e-12);
}
