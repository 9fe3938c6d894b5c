// The 2x2 table by study design end to end: the worked report from the dialog, the measures
// each design allows, empty cells and margins, any level, refusals that keep the dialog open,
// the command line (text and JSON), and a stored calculation reopened and redone.
#include "CArchive.h"
#include "CCompTableDesign.h"
#include "CalcTestSupport.h"
#include "GetCalcBase.h"
#include "TestSupport.h"

#include <algorithm>
#include <memory>
#include <nlohmann/json.hpp>

namespace
{
class TableDesignTest : public CCalcTest
{};

/// The cells by control id: a, b, c, d.
std::vector<std::string> Cells(int a, int b, int c, int d)
{
    return {"1090=" + std::to_string(a), "1091=" + std::to_string(b), "1092=" + std::to_string(c),
            "1093=" + std::to_string(d)};
}

std::vector<std::string> With(std::vector<std::string> actions, const std::vector<std::string>& more)
{
    actions.insert(actions.end(), more.begin(), more.end());
    return actions;
}

const CResult& ResultOf(const CCalcRunResult& run, const std::string& key)
{
    static const CResult missing;
    const CResult* result = FindResult(run.results, key);
    EXPECT_NE(result, nullptr) << key;
    return result ? *result : missing;
}

using Bytes = std::vector<unsigned char>;

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
} // namespace

TEST_F(TableDesignTest, CohortReportPrintsEveryMeasureWithItsReferenceValue)
{
    // Conditional estimate and limits: scipy 1.10.1 (see the numeric tests); Woolf: R 4.2.2
    // exp(log(16) -/+ qnorm(0.975) sqrt(1/12 + 1/5 + 1/3 + 1/20)); Cornfield and Koopman: scipy
    // root searches; Wald ratio: R exp(log(5.4118) -/+ qnorm(0.975) sqrt(1/12 - 1/17 + 1/3 - 1/23));
    // Newcombe: Wilson limits of 12/17 and 3/23; tests: R fisher.test and chisq.test.
    const std::string report = Report("3400", Cells(12, 5, 3, 20));
    const std::string ci = " [95% CI]";
    const std::string expected =
        "Contingency tables - 2x2 table by study design\nT\n\n"
        "\t       |     +     - |  Total\n"
        "\t-------+-------------+-------\n"
        "\t     + |    12     5 |     17\n"
        "\t     - |     3    20 |     23\n"
        "\t-------+-------------+-------\n"
        "\t Total |    15    25 |     40\n\n"
        "Study design: Cohort\n\nOdds ratio\n" +
        ResultLine("Conditional MLE, exact" + ci, "     14.5700", "[2.6569, 113.3394]") + "\n" +
        ResultLine("Conditional MLE, mid-P" + ci, "     14.5700", "[3.1343, 87.0773]") + "\n" +
        ResultLine("Sample, Woolf (logit)" + ci, "     16.0000", "[3.2294, 79.2726]") + "\n" +
        ResultLine("Sample, Cornfield" + ci, "     16.0000", "[3.3799, 74.8022]") + "\n\nRisk ratio\n" +
        ResultLine("Wald (log)" + ci, "      5.4118", "[1.8034, 16.2403]") + "\n" +
        ResultLine("Koopman score" + ci, "      5.4118", "[2.0249, 16.0674]") + "\n\nRisk difference\n" +
        ResultLine("Newcombe hybrid score" + ci, "      0.5754", "[0.2710, 0.7578]") + "\n\nTests of association\n" +
        ResultLine("Fisher's exact test (two-sided p)", "      0.000300") + "\n" +
        ResultLine("Mid-P exact test (two-sided p)", "      0.000303") + "\n" +
        ResultLine("Chi-square (uncorrected)", "     13.81") + "\n" + ResultLine("p-value", "      0.000202") + "\n" +
        ResultLine("Chi-square with Yates' correction", "     11.46") + "\n" + ResultLine("p-value", "      0.000709") +
        "\n";
    EXPECT_EQ(report, expected);
}

TEST_F(TableDesignTest, EachDesignPrintsOnlyTheMeasuresItAllows)
{
    // Case-control: the odds ratio and the tests, no risks, and a line saying why.
    const CCalcRunResult caseControl = Run("3400", With(Cells(12, 5, 3, 20), {"+1162", "1022=T"}));
    ASSERT_EQ(caseControl.outcome, CCalcRunResult::Written);
    EXPECT_NE(caseControl.report.find("Study design: Case-control\n"), std::string::npos);
    EXPECT_EQ(caseControl.report.find("Risk"), std::string::npos);
    EXPECT_EQ(caseControl.report.find("Prevalence"), std::string::npos);
    EXPECT_NE(caseControl.report.find("A case-control sample gives no risks"), std::string::npos);
    EXPECT_EQ(FindResult(caseControl.results, "risk_ratio_wald"), nullptr);
    EXPECT_EQ(FindResult(caseControl.results, "risk_difference"), nullptr);
    EXPECT_NE(FindResult(caseControl.results, "odds_ratio_exact"), nullptr);

    // Cross-sectional: the same figures as a cohort's, named as prevalences.
    const CCalcRunResult crossSectional = Run("3400", With(Cells(12, 5, 3, 20), {"+1163", "1022=T"}));
    EXPECT_NE(crossSectional.report.find("\nPrevalence ratio\n"), std::string::npos);
    EXPECT_NE(crossSectional.report.find("\nPrevalence difference\n"), std::string::npos);
    EXPECT_EQ(crossSectional.report.find("Risk"), std::string::npos);
    // scipy 1.10.1: Koopman limits of 12/17 against 3/23 (see the numeric tests).
    EXPECT_TRUE(Near(ResultOf(crossSectional, "prevalence_ratio_score").lower, 2.024854848944261, 1e-8));
    EXPECT_TRUE(Near(ResultOf(crossSectional, "prevalence_difference").estimate, 12.0 / 17 - 3.0 / 23, 1e-15));
}

TEST_F(TableDesignTest, EmptyCellsAndMarginsPrintStarsNeverHang)
{
    // An empty table: every estimate undefined; the exact tests have nothing to reject.
    const std::string empty = Report("3400", Cells(0, 0, 0, 0));
    const std::string ci = " [95% CI]";
    EXPECT_EQ(ReportLine(empty, "Conditional MLE, exact" + ci),
              ResultLine("Conditional MLE, exact" + ci, "      ****", "[****, ****]"));
    EXPECT_EQ(ReportLine(empty, "Koopman score" + ci), ResultLine("Koopman score" + ci, "      ****", "[****, ****]"));
    EXPECT_EQ(ReportLine(empty, "Fisher's exact test (two-sided p)"),
              ResultLine("Fisher's exact test (two-sided p)", "      1.000000"));
    EXPECT_EQ(ReportLine(empty, "Chi-square (uncorrected)"), ResultLine("Chi-square (uncorrected)", "      ****"));

    // No exposed cases: odds ratio and risk ratio 0 with a finite upper limit; the difference
    // has both limits.
    const CCalcRunResult none = Run("3400", With(Cells(0, 10, 5, 5), {"1022=T"}));
    const CResult& exact = ResultOf(none, "odds_ratio_exact");
    EXPECT_EQ(exact.estimate, 0);
    EXPECT_EQ(exact.lower, 0);
    EXPECT_TRUE(Near(exact.upper, 0.8365217939177363, 1e-9)); // scipy odds_ratio conditional
    EXPECT_EQ(ReportLine(none.report, "Conditional MLE, exact" + ci),
              ResultLine("Conditional MLE, exact" + ci, "      0.0000", "[0.0000, 0.8365]"));
    EXPECT_EQ(ResultOf(none, "risk_ratio_score").lower, 0);
    EXPECT_TRUE(std::isfinite(ResultOf(none, "risk_ratio_score").upper));
    EXPECT_TRUE(std::isnan(ResultOf(none, "risk_ratio_wald").upper));

    // Every exposed person a case: infinite odds ratio, printed as stars, with a finite lower limit.
    const CCalcRunResult all = Run("3400", With(Cells(10, 0, 3, 7), {"1022=T"}));
    EXPECT_EQ(ReportLine(all.report, "Conditional MLE, exact" + ci),
              ResultLine("Conditional MLE, exact" + ci, "      ****", "[2.5755, ****]"));
    // Newcombe's upper limit of 10/10 - 3/10 is 1 less the Wilson lower limit of 3/10
    // (R 4.2.2: 1 - prop.test(3, 10, correct = FALSE)$conf.int[1]).
    EXPECT_TRUE(Near(ResultOf(all, "risk_difference").upper, 0.89220873259369893, 1e-14));

    // Counts of a million in every cell: every limit finite and around its estimate.
    const CCalcRunResult large = Run("3400", With(Cells(1000000, 1000000, 999999, 1000000), {"1022=T", "1040=99.99"}));
    ASSERT_EQ(large.outcome, CCalcRunResult::Written);
    for (const CResult& result : large.results) {
        if (!result.HasInterval())
            continue;
        EXPECT_TRUE(std::isfinite(result.lower) && std::isfinite(result.upper)) << result.key;
        EXPECT_TRUE(result.lower <= result.estimate && result.estimate <= result.upper) << result.key;
    }
}

TEST_F(TableDesignTest, AnyLevelIsTakenAndBadInputKeepsTheDialogOpen)
{
    // 97.5 % labels every interval with the level as typed; the limits widen from 95 %.
    const CCalcRunResult run = Run("3400", With(Cells(12, 5, 3, 20), {"1040=97.5", "1022=T"}));
    EXPECT_NE(run.report.find("Conditional MLE, exact [97.5% CI]"), std::string::npos);
    const CResult& exact = ResultOf(run, "odds_ratio_exact");
    EXPECT_EQ(exact.level, "97.5%");
    EXPECT_LT(exact.lower, 2.6568846858129156);
    // scipy 1.10.1 (see the numeric tests): the exact limits at 99 %.
    const CCalcRunResult at99 = Run("3400", With(Cells(12, 5, 3, 20), {"1040=99", "1022=T"}));
    EXPECT_TRUE(Near(ResultOf(at99, "odds_ratio_exact").upper, 218.00451421026258, 218 * 1e-9));

    ExpectRefusedWithoutReport("3400", With(Cells(1, 2, 3, 4), {"1040=40"}),
                               "Please enter a number between 50 and 99.99.", 1040);
    ExpectRefusedWithoutReport("3400", With(Cells(1, 2, 3, 4), {"1040=99.999"}),
                               "Please enter a number between 50 and 99.99.", 1040);
    ExpectRefusedWithoutReport("3400", With(Cells(1, 2, 3, 1000001), {}),
                               "Please enter an integer between 0 and 1000000.", 1093);
    ExpectRefusedWithoutReport("3400", {"1090=-1"}, "Please enter a positive integer.", 1090);
}

TEST_F(TableDesignTest, ResultsAsDataMatchTheReportByIdsAndByNames)
{
    const CCalcRunResult run =
        ExpectResultsAsData("3400", With(Cells(40, 60, 25, 125), {"+1163", "1040=90", "1022=T"}),
                            {"a=40", "b=60", "c=25", "d=125", "design=cross-sectional", "level=90", "title=T"});
    EXPECT_TRUE(ResultOf(run, "p_fisher_two_sided").probability);
    EXPECT_EQ(ResultOf(run, "chi2").df, 1);
    // Fisher's p, scipy 1.10.1 fisher_exact; the mid-P, R 4.2.2 phyper and dhyper.
    EXPECT_TRUE(Near(ResultOf(run, "p_fisher_two_sided").estimate, 5.9387992348556185e-05, 1e-15));
    EXPECT_TRUE(Near(ResultOf(run, "p_mid_p_two_sided").estimate, 5.0419253185704965e-05, 1e-15));
}

TEST_F(TableDesignTest, CommandLineRunsTextAndJson)
{
    const std::string vocab = " --vocab '" + ShippedVocabularyPath() + "'";
    const CCliRun text = RunCli("run 3400 a=12 b=5 c=3 d=20 design=case-control title=T" + vocab);
    EXPECT_EQ(text.status, 0);
    EXPECT_NE(text.out.find("Conditional MLE, mid-P [95% CI]     :      14.5700    [3.1343, 87.0773]"),
              std::string::npos)
        << text.out;
    const CCliRun json = RunCli("run 3400 a=0 b=10 c=5 d=5 level=99 --format json" + vocab);
    ASSERT_EQ(json.status, 0);
    const nlohmann::json parsed = nlohmann::json::parse(json.out);
    const nlohmann::json& record = parsed.is_array() ? parsed.at(0) : parsed;
    EXPECT_EQ(record.at("inputs").at("design"), "cohort");
    EXPECT_EQ(record.at("inputs").at("level"), 99);
    bool sawRatio = false;
    for (const nlohmann::json& result : record.at("results")) {
        if (result.at("key") == "risk_ratio_wald") {
            sawRatio = true;
            EXPECT_EQ(result.at("estimate"), 0);
            EXPECT_TRUE(result.at("upper").is_null()); // undefined, not a number
        }
    }
    EXPECT_TRUE(sawRatio);
    const CCliRun refused = RunCli("run 3400 a=1 design=retrospective" + vocab + " 2>&1");
    EXPECT_NE(refused.status, 0);
    EXPECT_NE(refused.out.find("cohort, case-control, cross-sectional"), std::string::npos) << refused.out;
}

TEST_F(TableDesignTest, StoredCalculationReopensWithTheSameInputsAndReport)
{
    const CCalcRunResult first =
        RunByNames("3400", {"a=7", "b=0", "c=2", "d=9", "design=cross-sectional", "level=99.5", "title=Survey"});
    ASSERT_EQ(first.outcome, CCalcRunResult::Written);
    CCompTableDesign calc;
    calc.SetTypeString("3400");
    calc.SetTitle("Survey");
    calc.m_a = 7, calc.m_b = 0, calc.m_c = 2, calc.m_d = 9;
    calc.m_design = CCompTableDesign::kCrossSectional;
    calc.m_level = 99.5;
    const Bytes bytes = Store(&calc);
    std::unique_ptr<CCalcBase> loaded = Load(bytes);
    ASSERT_NE(loaded, nullptr);
    EXPECT_EQ(Store(loaded.get()), bytes);
    {
        CRedoScope scope({}); // OK on the dialog as it opens
        EXPECT_TRUE(loaded->Do());
    }
    // The phrases hold the list separator as '\a'; the run's report has the C locale's ','.
    std::string reopened = PhrasesText(loaded->GetPhrases());
    std::replace(reopened.begin(), reopened.end(), '\a', ',');
    EXPECT_EQ(reopened, first.report);
    EXPECT_EQ(loaded->Inputs().size(), first.inputs.size());

    // Damaged inputs are refused: a design past the last, a level outside 50..99.99, a cell past
    // the dialog's range, and every truncation.
    const auto refusedWith = [&](auto damage) {
        CCompTableDesign bad = calc;
        damage(bad);
        return Store(&bad);
    };
    EXPECT_THROW(Load(refusedWith([](CCompTableDesign& c) { c.m_design = 3; })), CArchiveException);
    EXPECT_THROW(Load(refusedWith([](CCompTableDesign& c) { c.m_design = -1; })), CArchiveException);
    EXPECT_THROW(Load(refusedWith([](CCompTableDesign& c) { c.m_level = 100; })), CArchiveException);
    EXPECT_THROW(Load(refusedWith([](CCompTableDesign& c) { c.m_level = std::nan(""); })), CArchiveException);
    EXPECT_THROW(Load(refusedWith([](CCompTableDesign& c) { c.m_d = 4000000000u; })), CArchiveException);
    for (size_t length = 0; length < bytes.size(); ++length)
        EXPECT_THROW(Load(Bytes(bytes.begin(), bytes.begin() + static_cast<std::ptrdiff_t>(length))),
                     CArchiveException);
}
