// Two means with unequal variances: Welch's test against R's t.test, and the calculation end to
// end from its dialog, the command line and a reopened document.
#include "Welch.h"

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
class WelchCalcTest : public CCalcTest
{};

void ExpectRelative(double actual, double expected, double relative, const char* what)
{
    EXPECT_NEAR(actual, expected, std::fabs(expected) * relative) << what;
}
} // namespace

TEST(WelchFunction, AgreesWithRTTest)
{
    // R 4.2.2: t.test(x, y, conf.level = 0.99) on x of 20 values with mean 5.2 and SD 1.1 and y of
    // 12 with mean 4.1 and SD 2.3 (scale(1:n) * sd + mean).
    CWelchTest test = WelchTest(20, 5.2, 1.1, 12, 4.1, 2.3, 99);
    ExpectRelative(test.t, 1.553564877881589, 1e-12, "t");
    ExpectRelative(test.df, 14.073007462890825, 1e-12, "df");
    ExpectRelative(test.p, 0.142483320700458, 1e-10, "p");
    ExpectRelative(test.se, 0.708048962525427, 1e-12, "se");
    ExpectRelative(test.lower, -1.006076772269061, 1e-10, "lower");
    ExpectRelative(test.upper, 3.206076772269062, 1e-10, "upper");
    // The same at 95 %: only the interval changes.
    test = WelchTest(20, 5.2, 1.1, 12, 4.1, 2.3, 95);
    ExpectRelative(test.lower, -0.417875216526596, 1e-10, "lower 95");
    ExpectRelative(test.upper, 2.617875216526598, 1e-10, "upper 95");
    // R 4.2.2: a group of 2 against 1000, t.test(c(10 -/+ 3 / sqrt(2)), y) with y of mean 12 and
    // SD 0.5: about 1 degree of freedom, the smallest group's.
    test = WelchTest(2, 10, 3, 1000, 12, 0.5, 95);
    ExpectRelative(test.t, -0.942782853533183, 1e-12, "t small");
    ExpectRelative(test.df, 1.000111114194441, 1e-12, "df small");
    ExpectRelative(test.p, 0.518729762542449, 1e-10, "p small");
    ExpectRelative(test.lower, -28.947603511690446, 1e-9, "lower small");
}

TEST(WelchFunction, LargestInputsStayFinite)
{
    // R 4.2.2, the formula with pt and qt: a billion against three, at 90 %.
    CWelchTest test = WelchTest(1e9, 0.001, 1, 3, 0, 1e-3, 90);
    ExpectRelative(test.t, 1.729458562453079606, 1e-12, "t");
    ExpectRelative(test.df, 2.012017999999964335, 1e-9, "df");
    ExpectRelative(test.p, 0.225120985393517381, 1e-9, "p");
    ExpectRelative(test.upper, 0.002681523876803262, 1e-9, "upper");
    // SDs of 10^15: the squared variances would overflow if not scaled.
    test = WelchTest(1e9, 100, 1e15, 1e9, -100, 1e15, 95);
    ExpectRelative(test.df, 1.999999998e9, 1e-12, "df huge");
    ExpectRelative(test.p, 0.9999999964317517, 1e-12, "p huge");
    ExpectRelative(test.upper, 8.765225431070372e10, 1e-9, "upper huge");
    // No spread or a group of one has no test: every statistic undefined, the difference kept.
    test = WelchTest(10, 3, 0, 10, 1, 1, 95);
    EXPECT_EQ(test.difference, 2);
    EXPECT_TRUE(std::isnan(test.t) && std::isnan(test.df) && std::isnan(test.p) && std::isnan(test.lower));
    EXPECT_TRUE(std::isnan(WelchTest(1, 3, 1, 10, 1, 1, 95).df));
}

TEST_F(WelchCalcTest, ReportPrintsTheInputsAndTheTest)
{
    const std::string report =
        Report("2640", {"1061=5.2", "1070=1.1", "1080=20", "1060=4.1", "1071=2.3", "1025=12", "1040=99"});
    EXPECT_EQ(report, "Compare - Means - Two means, unequal variances\nT\n\n"
                      "Sample 1\n" +
                          ResultLine("Sample size", "          20") + "\n" + ResultLine("Mean", "         5.2") + "\n" +
                          ResultLine("Standard deviation", "         1.1") +
                          "\n\n"
                          "Sample 2\n" +
                          ResultLine("Sample size", "          12") + "\n" + ResultLine("Mean", "         4.1") + "\n" +
                          ResultLine("Standard deviation", "         2.3") +
                          "\n\n"
                          "Difference\n" +
                          ResultLine("Difference (1 - 2) [99% CI]", "      1.1000", "[-1.0061, 3.2061]") + "\n" +
                          ResultLine("Standard error of the difference", "      0.7080") + "\n" +
                          ResultLine("Welch's t", "      1.5536") + "\n" +
                          ResultLine("Degrees of freedom (Satterthwaite)", "     14.07") + "\n" +
                          ResultLine("Two-tailed p-value", "      0.142483") + "\n");
}

TEST_F(WelchCalcTest, ExtremeInputsPrintFiniteValuesOrStars)
{
    // R 4.2.2: p of t = 25 on 98 df is 2.6e-44, below what six decimals show.
    const std::string report = Report("2640", {"1061=120", "1070=4", "1080=50", "1060=100", "1071=4", "1025=50"});
    EXPECT_EQ(ReportLine(report, "Two-tailed p-value"), ResultLine("Two-tailed p-value", "    < 0.000001"));
    EXPECT_EQ(ReportLine(report, "Difference (1 - 2) [95% CI]"),
              ResultLine("Difference (1 - 2) [95% CI]", "     20.0000", "[18.4124, 21.5876]"));
    // Groups of a billion with SDs of 10^15 at 99.99 %.
    const std::string huge = Report("2640", {"1061=100", "1070=1e15", "1080=1000000000", "1060=-100", "1071=1e15",
                                             "1025=1000000000", "1040=99.99"});
    EXPECT_EQ(ReportLine(huge, "Degrees of freedom (Satterthwaite)"),
              ResultLine("Degrees of freedom (Satterthwaite)", "2.0000000e+09"));
    EXPECT_EQ(huge.find("****"), std::string::npos) << huge;
}

TEST_F(WelchCalcTest, DialogShowsTheVocabularyAndTheDefaults)
{
    CSnapshotHost host;
    host.m_checkTemplate = true;
    const CDialogHostGuard hostGuard(host);
    OpenAndCancel("2640");
    EXPECT_EQ(host.m_caption, "Compare - Means - Two means, unequal variances");
    EXPECT_EQ(host.m_texts[1099], "Sample 1");
    EXPECT_EQ(host.m_texts[1117], "Standard deviation:");
    EXPECT_EQ(host.m_texts[1041], "Confidence level (%):");
    // A new dialog shows the field table's defaults.
    EXPECT_EQ(host.m_texts[1070], "1");
    EXPECT_EQ(host.m_texts[1025], "2");
    EXPECT_EQ(host.m_texts[1040], "95");
    EXPECT_TRUE(m_fallbacks.empty()) << m_fallbacks.front();
}

TEST_F(WelchCalcTest, BadInputIsRefusedWithTheDialogOpen)
{
    const std::string sdMessage = GetProfileString("Messages", "41", "");
    EXPECT_FALSE(sdMessage.empty());
    ExpectRefusedWithoutReport("2640", {"1070=0", "1080=5", "1025=5"}, sdMessage, 1070);
    ExpectRefusedWithoutReport("2640", {"1070=2", "1071=0", "1080=5", "1025=5"}, sdMessage, 1071);
    ExpectRefusedWithoutReport("2640", {"1080=1", "1025=5"}, "Please enter an integer between 2 and 1000000000.", 1080);
    ExpectRefusedWithoutReport("2640", {"1040=49.9"}, "Please enter a number between 50 and 99.99.", 1040);
    ExpectRefusedWithoutReport("2640", {"1061=abc"}, "Please enter a number.", 1061);
}

TEST_F(WelchCalcTest, SameResultsFromNamesIdsAndAReopenedDocument)
{
    const CCalcRunResult run = ExpectResultsAsData(
        "2640", {"1022=T", "1061=5.2", "1070=1.1", "1080=20", "1060=4.1", "1071=2.3", "1025=12", "1040=97.5"},
        {"title=T", "mean1=5.2", "sd1=1.1", "n1=20", "mean2=4.1", "sd2=2.3", "n2=12", "level=97.5"});
    EXPECT_EQ(FindResult(run.results, "difference")->level, "97.5%");
    const std::string report =
        ExpectSameReportWhenReopened("2640", {"1061=5.2", "1070=1.1", "1080=20", "1060=4.1", "1071=2.3", "1025=12"});
    EXPECT_NE(report.find("Difference (1 - 2) [95% CI]"), std::string::npos) << report;
    EXPECT_TRUE(m_fallbacks.empty()) << m_fallbacks.front();
}

TEST(WelchCli, RunsByNamesAsJson)
{
    const CCliRun run =
        RunCli("run 2640 mean1=5.2 sd1=1.1 n1=20 mean2=4.1 sd2=2.3 n2=12 level=99 --format json --vocab '" +
               ShippedVocabularyPath() + "'");
    ASSERT_EQ(run.status, 0) << run.out;
    const nlohmann::json json = nlohmann::json::parse(run.out);
    EXPECT_EQ(json["class"], "CCompMeansWelch");
    EXPECT_EQ(json["inputs"]["level"], 99);
    const auto& results = json["results"];
    ASSERT_EQ(results.size(), 5u);
    // R 4.2.2 t.test, as in WelchFunction.AgreesWithRTTest.
    EXPECT_NEAR(results[0]["lower"].get<double>(), -1.006076772269061, 1e-9);
    EXPECT_NEAR(results[3]["estimate"].get<double>(), 14.073007462890825, 1e-9);
    EXPECT_EQ(results[4]["key"], "p_t_two_sided");
    EXPECT_NEAR(results[4]["estimate"].get<double>(), 0.142483320700458, 1e-12);
}
