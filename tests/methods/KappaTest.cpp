// Agreement of two raters: kappa, weighted kappa and their standard errors against the formulas
// of Fleiss, Cohen & Everitt computed independently in R, and the calculation end to end from its
// dialog, the command line and a reopened document.
#include "Kappa.h"

#include "CArchive.h"
#include "CCompKappa.h"
#include "CalcTestSupport.h"
#include "HookGuards.h"
#include "ReopenedReport.h"
#include "TestSupport.h"

#include <cmath>
#include <gtest/gtest.h>
#include <nlohmann/json.hpp>
#include <vector>

namespace
{
class KappaCalcTest : public CCalcTest
{};

struct Expected
{
    double observed, expected, kappa, se, seNull, p, lower, upper;
};

void ExpectKappa(const CKappa& got, const Expected& want, const char* what)
{
    EXPECT_NEAR(got.observed, want.observed, 1e-13) << what;
    EXPECT_NEAR(got.expected, want.expected, 1e-13) << what;
    EXPECT_NEAR(got.kappa, want.kappa, 1e-13) << what;
    EXPECT_NEAR(got.se, want.se, 1e-13) << what;
    EXPECT_NEAR(got.seNull, want.seNull, 1e-13) << what;
    EXPECT_NEAR(got.z, want.kappa / want.seNull, 1e-11) << what;
    EXPECT_NEAR(got.p, want.p, want.p * 1e-9) << what;
    EXPECT_NEAR(got.lower, want.lower, 1e-12) << what;
    EXPECT_NEAR(got.upper, want.upper, 1e-12) << what;
}

// Two psychiatrists' diagnoses of 100 patients (psychotic, neurotic, organic), the example of
// Fleiss, Levin & Paik, Statistical Methods for Rates and Proportions, chapter 18 (kappa .68).
const std::vector<double> kDiagnoses = {75, 1, 4, 5, 4, 1, 0, 0, 10};

// The reference values below come from R 4.2.2, the large-sample variances of Fleiss, Cohen &
// Everitt (1969) written out with matrix operations (w the weights, p the table of proportions):
//   var  = (sum(p * (w - outer(wr, wc, "+") * (1 - k))^2) - (k - pe * (1 - k))^2) / (N (1 - pe)^2)
//   var0 = (sum(outer(r, cc) * (w - outer(wr, wc, "+"))^2) - pe^2) / (N (1 - pe)^2)
// with r, cc the margins and wr = w %*% cc, wc = t(w) %*% r; p = 2 * pnorm(-|k| / sqrt(var0)),
// limits k -/+ qnorm(0.975) sqrt(var). The unweighted SE0 also equals Fleiss's own form
// sqrt(pe + pe^2 - sum(r cc (r + cc))) / ((1 - pe) sqrt(N)), and each var a numerical delta
// method on the multinomial proportions.
} // namespace

TEST(KappaFunction, AgreesWithTheLargeSampleFormulasInR)
{
    ExpectKappa(CohenKappa(kDiagnoses, 3, CKappaWeights::None, 95),
                {0.89, 0.66, 0.676470588235294, 8.77029534752125e-02, 7.61872579234625e-02, 6.74328725420643e-19,
                 0.504575958086086, 0.848365218384503},
                "unweighted");
    ExpectKappa(CohenKappa(kDiagnoses, 3, CKappaWeights::Linear, 95),
                {0.925, 0.73, 0.722222222222222, 8.43009539231886e-02, 8.78605641798258e-02, 2.03341309665604e-16,
                 0.556995388670402, 0.887449055774042},
                "linear");
    ExpectKappa(CohenKappa(kDiagnoses, 3, CKappaWeights::Quadratic, 95),
                {0.9425, 0.765, 0.755319148936170, 8.67071324938072e-02, 9.89476085815206e-02, 2.28418502736181e-14,
                 0.585376292045565, 0.925262005826775},
                "quadratic");
    // A 6 x 6 table of ordered grades, the largest the calculation takes.
    const std::vector<double> grades = {12, 3, 1, 0,  0, 0, 2, 15, 4, 1, 0,  0, 0, 3, 18, 5, 1, 0,
                                        0,  1, 4, 20, 3, 1, 0, 0,  1, 3, 16, 2, 0, 0, 0,  1, 2, 9};
    ExpectKappa(CohenKappa(grades, 6, CKappaWeights::None, 95),
                {0.703125, 0.1807861328125, 0.637609894203546, 4.96921935801092e-02, 4.09436559317038e-02,
                 1.11313485972703e-54, 0.540214984473740, 0.735004803933353},
                "6 x 6");
    ExpectKappa(CohenKappa(grades, 6, CKappaWeights::Quadratic, 95),
                {0.9815625, 0.82392578125, 0.895285635052690, 2.14957732347369e-02, 8.83393143778238e-02,
                 3.87867371787534e-24, 0.853154693692766, 0.937416576412614},
                "6 x 6 quadratic");
}

TEST(KappaFunction, UndefinedAndBoundaryTables)
{
    // No ratings, or every rating in one category of both raters (expected agreement 1).
    const CKappa empty = CohenKappa(std::vector<double>(4, 0.0), 2, CKappaWeights::None, 95);
    EXPECT_TRUE(std::isnan(empty.observed) && std::isnan(empty.kappa) && std::isnan(empty.lower));
    const CKappa single = CohenKappa(std::vector<double>{5, 0, 0, 0}, 2, CKappaWeights::None, 95);
    EXPECT_EQ(single.expected, 1);
    EXPECT_TRUE(std::isnan(single.kappa) && std::isnan(single.se) && std::isnan(single.p));
    // Perfect agreement: kappa 1 with no spread; the interval is the point, not beyond 1.
    const CKappa perfect = CohenKappa(std::vector<double>{5, 0, 0, 5}, 2, CKappaWeights::None, 95);
    EXPECT_EQ(perfect.kappa, 1);
    EXPECT_EQ(perfect.upper, 1);
    EXPECT_NEAR(perfect.lower, 1, 1e-12);
    // A near-perfect small table: the normal interval would pass 1; it stops there.
    const CKappa nearly = CohenKappa(std::vector<double>{9, 1, 0, 9}, 2, CKappaWeights::None, 99.99);
    EXPECT_EQ(nearly.upper, 1);
    EXPECT_LT(nearly.lower, nearly.kappa);
    // Counts of a billion in every cell of a 6 x 6 table: agreement by chance exactly.
    const CKappa huge = CohenKappa(std::vector<double>(36, 1e9), 6, CKappaWeights::Linear, 95);
    EXPECT_NEAR(huge.kappa, 0, 1e-12);
    EXPECT_TRUE(std::isfinite(huge.se) && std::isfinite(huge.p));
}

TEST_F(KappaCalcTest, ReportOfTheDiagnosesTable)
{
    const std::string report = Report(
        "3600", {"1230=3", "1240=75", "1241=1", "1242=4", "1246=5", "1247=4", "1248=1", "1252=0", "1253=0", "1254=10"});
    EXPECT_EQ(report.substr(0, report.find("Cohen's")), "Contingency tables - Agreement (kappa)\nT\n\n"
                                                        "      |      1      2      3 |  Total\n"
                                                        "------+----------------------+-------\n"
                                                        "    1 |     75      1      4 |     80\n"
                                                        "    2 |      5      4      1 |     10\n"
                                                        "    3 |      0      0     10 |     10\n"
                                                        "------+----------------------+-------\n"
                                                        "Total |     80      5     15 |    100\n\n");
    const auto line = [&](const std::string& label) { return ReportLine(report, label); };
    EXPECT_EQ(line("Kappa [95% CI]"), ResultLine("Kappa [95% CI]", "      0.6765", "[0.5046, 0.8484]"));
    EXPECT_EQ(line("Standard error"), ResultLine("Standard error", "      0.0877"));
    EXPECT_EQ(line("Standard error when kappa = 0"), ResultLine("Standard error when kappa = 0", "      0.0762"));
    EXPECT_EQ(line("z statistic"), ResultLine("z statistic", "      8.88"));
    EXPECT_EQ(line("Two-tailed p-value"), ResultLine("Two-tailed p-value", "    < 0.000001"));
    // Linear, then quadratic weights: each weighted kappa under its heading.
    const size_t linear = report.find("\nLinear weights\n"), quadratic = report.find("\nQuadratic weights\n");
    ASSERT_NE(linear, std::string::npos);
    ASSERT_NE(quadratic, std::string::npos);
    EXPECT_EQ(ReportLine(report.substr(linear, quadratic - linear), "Weighted kappa [95% CI]"),
              ResultLine("Weighted kappa [95% CI]", "      0.7222", "[0.5570, 0.8874]"));
    EXPECT_EQ(ReportLine(report.substr(quadratic), "Weighted kappa [95% CI]"),
              ResultLine("Weighted kappa [95% CI]", "      0.7553", "[0.5854, 0.9253]"));
    EXPECT_EQ(report.find("PABAK"), std::string::npos);
}

TEST_F(KappaCalcTest, TwoCategoriesGivePabakAndIgnoreTheRestOfTheGrid)
{
    // Cells outside the 2 x 2 block, even text that is no count, are not read.
    const std::string report =
        Report("3600", {"1240=40", "1241=9", "1246=6", "1247=45", "1242=abc", "1275=7", "1040=90"});
    // R 4.2.2: the formulas above give kappa 0.699519230769231, se 0.0713936026999882; PABAK
    // 2 * 85 / 100 - 1 with 2 * binom.test(85, 100, conf.level = 0.9)$conf.int - 1.
    EXPECT_EQ(ReportLine(report, "Kappa [90% CI]"), ResultLine("Kappa [90% CI]", "      0.6995", "[0.5821, 0.8170]"));
    EXPECT_EQ(ReportLine(report, "PABAK [90% CI]"), ResultLine("PABAK [90% CI]", "      0.7000", "[0.5569, 0.8104]"));
    EXPECT_EQ(report.find("Weighted"), std::string::npos);
    // An empty table and one whose ratings all fall in one cell: undefined, never a crash.
    const std::string empty = Report("3600", {});
    EXPECT_EQ(ReportLine(empty, "Kappa [95% CI]"), ResultLine("Kappa [95% CI]", "      ****", "[****, ****]"));
    EXPECT_EQ(ReportLine(empty, "PABAK [95% CI]"), ResultLine("PABAK [95% CI]", "      ****", "[****, ****]"));
    const std::string one = Report("3600", {"1240=12"});
    EXPECT_EQ(ReportLine(one, "Expected agreement"), ResultLine("Expected agreement", "      1.0000"));
    EXPECT_EQ(ReportLine(one, "Kappa [95% CI]"), ResultLine("Kappa [95% CI]", "      ****", "[****, ****]"));
    // R 4.2.2: 2 * binom.test(12, 12)$conf.int - 1 = [0.470703, 1].
    EXPECT_EQ(ReportLine(one, "PABAK [95% CI]"), ResultLine("PABAK [95% CI]", "      1.0000", "[0.4707, 1.0000]"));
}

TEST_F(KappaCalcTest, LargestTableWidensItsColumns)
{
    std::vector<std::string> actions = {"1230=6"};
    for (int cell = 0; cell < 36; ++cell)
        actions.push_back(std::to_string(1240 + cell) + "=1000000000");
    const std::string report = Report("3600", actions);
    EXPECT_NE(report.find("Total |  6000000000  6000000000"), std::string::npos) << report;
    EXPECT_NE(report.find(" | 36000000000\n"), std::string::npos) << report;
    // Agreement exactly by chance; rounding may leave the sign of a zero kappa.
    EXPECT_NE(ReportLine(report, "Kappa [95% CI]").find("0.0000 "), std::string::npos) << report;
}

TEST_F(KappaCalcTest, DialogShowsTheVocabularyAndTheDefaults)
{
    CSnapshotHost host;
    host.m_checkTemplate = true;
    const CDialogHostGuard hostGuard(host);
    OpenAndCancel("3600");
    EXPECT_EQ(host.m_caption, "Contingency tables - Agreement (kappa)");
    EXPECT_EQ(host.m_texts[1231], "Categories:");
    EXPECT_EQ(host.m_texts[1232], "Table of counts");
    EXPECT_EQ(host.m_texts[1233], "Rows: first rater; columns: second rater");
    // A new dialog shows the field table's defaults, every cell of the grid included.
    EXPECT_EQ(host.m_texts[1230], "2");
    EXPECT_EQ(host.m_texts[1275], "0");
    EXPECT_EQ(host.m_texts[1040], "95");
    EXPECT_TRUE(m_fallbacks.empty()) << m_fallbacks.front();
}

TEST_F(KappaCalcTest, BadInputIsRefusedWithTheDialogOpen)
{
    ExpectRefusedWithoutReport("3600", {"1230=7"}, "Please enter an integer between 2 and 6.", 1230);
    ExpectRefusedWithoutReport("3600", {"1230=1"}, "Please enter an integer between 2 and 6.", 1230);
    ExpectRefusedWithoutReport("3600", {"1230=3", "1254=-4"}, "Please enter a positive integer.", 1254);
    ExpectRefusedWithoutReport("3600", {"1247=1000000001"}, "Please enter an integer between 0 and 1000000000.", 1247);
    ExpectRefusedWithoutReport("3600", {"1040=99.999"}, "Please enter a number between 50 and 99.99.", 1040);
}

TEST_F(KappaCalcTest, SameResultsFromNamesIdsAndAReopenedDocument)
{
    // Probabilities of 0.000001 or more: the data check compares each with six plain decimals.
    const CCalcRunResult run = ExpectResultsAsData(
        "3600",
        {"1022=T", "1230=3", "1240=8", "1241=2", "1242=1", "1246=3", "1247=5", "1248=2", "1252=1", "1253=1", "1254=4"},
        {"title=T", "categories=3", "r1c1=8", "r1c2=2", "r1c3=1", "r2c1=3", "r2c2=5", "r2c3=2", "r3c1=1", "r3c2=1",
         "r3c3=4"});
    // R 4.2.2, the formulas above with quadratic weights.
    EXPECT_NEAR(FindResult(run.results, "quadratic_kappa")->estimate, 0.53145336225596551, 1e-12);
    EXPECT_NEAR(FindResult(run.results, "quadratic_p_two_sided")->estimate, 0.00567030912003498, 1e-12);
    EXPECT_EQ(FindResult(run.results, "pabak"), nullptr);
    const std::string report =
        ExpectSameReportWhenReopened("3600", {"1230=4", "1240=5", "1247=6", "1254=7", "1261=8", "1243=2", "1040=80"});
    EXPECT_NE(report.find("Weighted kappa [80% CI]"), std::string::npos) << report;
    EXPECT_TRUE(m_fallbacks.empty()) << m_fallbacks.front();
}

TEST(KappaStored, ADamagedNumberOfCategoriesIsRefused)
{
    for (int32_t categories : {1, 7, -1}) {
        CCompKappa calc;
        calc.SetTypeString("3600");
        calc.m_categories = categories;
        std::vector<unsigned char> bytes;
        {
            CArchive out(bytes);
            out.WriteObject(&calc);
        }
        CArchive in(bytes.data(), bytes.size());
        EXPECT_THROW(delete ReadObjectOf<CCalcBase>(in), CArchiveException) << categories;
    }
}

TEST(KappaCli, RunsByNamesAsJson)
{
    const CCliRun run = RunCli("run 3600 categories=3 r1c1=75 r1c2=1 r1c3=4 r2c1=5 r2c2=4 r2c3=1 r3c3=10 "
                               "--format json --vocab '" +
                               ShippedVocabularyPath() + "'");
    ASSERT_EQ(run.status, 0) << run.out;
    const nlohmann::json json = nlohmann::json::parse(run.out);
    EXPECT_EQ(json["inputs"]["categories"], 3);
    EXPECT_TRUE(json["inputs"]["r4c4"].is_null());
    const auto& results = json["results"];
    ASSERT_EQ(results.size(), 21u);
    EXPECT_EQ(results[2]["key"], "kappa");
    EXPECT_NEAR(results[2]["upper"].get<double>(), 0.848365218384503, 1e-12);
    EXPECT_EQ(results[16]["key"], "quadratic_kappa");
}
