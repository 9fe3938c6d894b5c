// Tests of the unstratified 2x2 table: its worked examples end to end, non-finite results, the
// largest counts, the dialog's texts, layout and refusals, and redo and cancel.
#include "CCompUnstrat.h"

#include "CDialog.h"
#include "CalcTestSupport.h"
#include "DialogHost.h"
#include "FieldArgs.h"
#include "Format.h"
#include "GetCalcBase.h"
#include "UIServices.h"

#include <bit>
#include <cstdint>
#include <map>
#include <memory>

namespace
{
/// A run of the unstratified table with cells a, b, c, d and further actions.
std::vector<std::string> Cells(unsigned a, unsigned b, unsigned c, unsigned d, std::vector<std::string> more = {})
{
    std::vector<std::string> actions = {"1022=T", "1090=" + std::to_string(a), "1091=" + std::to_string(b),
                                        "1092=" + std::to_string(c), "1093=" + std::to_string(d)};
    actions.insert(actions.end(), more.begin(), more.end());
    return actions;
}

/// The report from its bold heading on (the result view may show other text before it).
std::string FromHeading(const std::string& report)
{
    const size_t heading = report.find("Contingency tables - Unstratified 2x2 table\nT\n");
    return heading == std::string::npos ? report : report.substr(heading);
}

/// A result line as InsertResult writes it, from the bare value ("0.79", "****").
std::string Line(const std::string& label, const std::string& value, const std::string& extra = "")
{
    const size_t point = value.find('.');
    const size_t width = point == std::string::npos ? 10 : value.size() - point - 1 + 8;
    return ResultLine(label, PadToWidth(value, width, false), extra);
}

struct CRow
{
    const char* label;
    const char* value;
    const char* extra = "";
};

std::string Rows(std::initializer_list<CRow> rows)
{
    std::string text;
    for (const CRow& row : rows)
        text += Line(row.label, row.value, row.extra) + "\n";
    return text;
}

void ExpectLine(const std::string& report, const std::string& label, const std::string& value,
                const std::string& extra = "")
{
    EXPECT_EQ(ReportLine(report, label), Line(label, value, extra));
}

class CCompUnstratTest : public CCalcTest
{};
} // namespace

TEST_F(CCompUnstratTest, WorkedExampleGivesTheWholeReport)
{
    // a = 10, b = 20, c = 30, d = 40: X2 = 100 x 200^2 / (40 x 60 x 30 x 70) = 0.79, RR 0.78,
    // OR 0.67, RD -0.10; the Fisher values from an exact rational enumeration.
    const CCalcRunResult run = Run("3200", Cells(10, 20, 30, 40));
    ASSERT_EQ(run.outcome, CCalcRunResult::Written) << run.error;
    const std::string expected = "Contingency tables - Unstratified 2x2 table\nT\n\n"
                                 "\t       |     +     - |  Total\n\t-------+-------------+-------\n"
                                 "\t     + |    10    20 |     30\n\t     - |    30    40 |     70\n"
                                 "\t-------+-------------+-------\n\t Total |    40    60 |    100\n\n"
                                 "Tests of association\n" +
                                 Rows({{"Fisher's exact test (one-sided p)", "0.253331"},
                                       {"Fisher's exact test (two-sided p)", "0.504476"},
                                       {"Chi-square (uncorrected)", "0.79"},
                                       {"p-value", "0.372998"},
                                       {"Chi-square with Yates' correction", "0.45"},
                                       {"p-value", "0.504036"}}) +
                                 "\nMeasures of association [95% CI]\n" +
                                 Rows({{"Risk ratio", "0.78", "[0.44, 1.38]"},
                                       {"Odds ratio", "0.67", "[0.27, 1.63]"},
                                       {"Risk difference", "-0.10", "[-0.30, 0.11]"},
                                       {"Attributable fraction (exposed)", "-0.29", "[-1.28, 0.28]"},
                                       {"Population attributable fraction", "-0.07", "[-0.20, 0.10]"}}) +
                                 "\nPreventive fraction [95% CI]\n" +
                                 Rows({{"Preventive fraction", "0.22", "[-0.38, 0.56]"}}) +
                                 "\nScreening test measures [95% CI]\n" +
                                 Rows({{"Prevalence", "0.40", "[0.30, 0.50]"},
                                       {"Sensitivity", "0.25", "[0.13, 0.42]"},
                                       {"Specificity", "0.67", "[0.53, 0.78]"},
                                       {"Overall agreement", "0.50", "[0.40, 0.60]"},
                                       {"Positive predictive value", "0.33", "[0.18, 0.53]"},
                                       {"Negative predictive value", "0.57", "[0.45, 0.69]"}}) +
                                 "\nMatched-pairs analysis\n" +
                                 Rows({{"z statistic", "1.27"},
                                       {"One-tailed p-value", "0.101546"},
                                       {"Two-tailed p-value", "0.203092"},
                                       {"McNemar's chi-square", "1.62"},
                                       {"p-value", "0.203092"},
                                       {"Matched-pairs odds ratio [95% CI]", "0.67", "[0.36, 1.21]"},
                                       {"Difference in proportions [95% CI]", "-0.10", "[-0.24, 0.04]"}});
    EXPECT_EQ(FromHeading(run.report), expected);
    EXPECT_TRUE(m_fallbacks.empty()) << m_fallbacks.front();
}

TEST_F(CCompUnstratTest, FisherAndMatchedPairsExamples)
{
    struct Case
    {
        unsigned a, b, c, d;
        const char* oneSided;
        const char* twoSided;
    };
    // (2, 1, 6, 1) and (7, 15, 15, 7) hold tables exactly as probable as the observed one.
    for (const Case& t : {Case{3, 1, 1, 3, "0.242857", "0.485714"}, Case{1, 9, 11, 3, "0.001380", "0.002759"},
                          Case{2, 1, 6, 1, "0.533333", "1.000000"}, Case{7, 15, 15, 7, "0.016825", "0.033650"}}) {
        SCOPED_TRACE(testing::Message() << t.a << " " << t.b << " " << t.c << " " << t.d);
        const std::string report = Run("3200", Cells(t.a, t.b, t.c, t.d)).report;
        ExpectLine(report, "Fisher's exact test (one-sided p)", t.oneSided);
        ExpectLine(report, "Fisher's exact test (two-sided p)", t.twoSided);
    }
    // b = 15, c = 5, n = 100: z = 2.01, X2 = 4.05, odds ratio 3.00, difference 0.10.
    const std::string report = Run("3200", Cells(40, 15, 5, 40)).report;
    ExpectLine(report, "z statistic", "2.01");
    ExpectLine(report, "McNemar's chi-square", "4.05");
    ExpectLine(report, "Matched-pairs odds ratio [95% CI]", "3.00", "[1.02, 9.42]");
    ExpectLine(report, "Difference in proportions [95% CI]", "0.10", "[0.01, 0.19]");
}

TEST_F(CCompUnstratTest, ZeroCellsPrintStarsWhereTheValueIsNotFinite)
{
    // b = 0: (a/b)/(c/d) is infinite, but the matched-pairs odds ratio b / c is 0 with finite limits.
    std::string report = Run("3200", Cells(10, 0, 30, 40)).report;
    ExpectLine(report, "Odds ratio", "****", "[****, ****]");
    ExpectLine(report, "Matched-pairs odds ratio [95% CI]", "0.00", "[0.00, 0.16]");
    ExpectLine(report, "Risk ratio", "2.33", "[1.78, 3.06]");
    // b = c = 0: no discordant pairs, so every matched-pairs figure is undefined.
    report = Run("3200", Cells(10, 0, 0, 40)).report;
    ExpectLine(report, "Matched-pairs odds ratio [95% CI]", "****", "[****, ****]");
    ExpectLine(report, "McNemar's chi-square", "****");
    // An empty table is still reported; Fisher's single table has probability 1.
    report = Run("3200", Cells(0, 0, 0, 0)).report;
    ExpectLine(report, "Fisher's exact test (two-sided p)", "1.000000");
    ExpectLine(report, "Chi-square (uncorrected)", "****");
    ExpectLine(report, "Prevalence", "****", "[****, ****]");
}

TEST_F(CCompUnstratTest, UndefinedStatisticsHaveNoProbability)
{
    // An empty exposed row: the chi-squares are 0 / 0 and 25 / 0. The corrected one's p used to
    // print 0.000000, the tail at infinity; Fisher's p-values are no statistic's and stay.
    std::string report = FromHeading(Run("3200", Cells(0, 0, 5, 5)).report);
    EXPECT_NE(report.find(Rows({{"Fisher's exact test (one-sided p)", "1.000000"},
                                {"Fisher's exact test (two-sided p)", "1.000000"},
                                {"Chi-square (uncorrected)", "****"},
                                {"p-value", "****"},
                                {"Chi-square with Yates' correction", "****"},
                                {"p-value", "****"}})),
              std::string::npos)
        << report;
    // No discordant pairs: z and McNemar's chi-square are undefined, and so are their p-values
    // (McNemar's p used to print 0.000000 beside "****").
    report = FromHeading(Run("3200", Cells(10, 0, 0, 10)).report);
    EXPECT_NE(report.find("Matched-pairs analysis\n" + Rows({{"z statistic", "****"},
                                                             {"One-tailed p-value", "****"},
                                                             {"Two-tailed p-value", "****"},
                                                             {"McNemar's chi-square", "****"},
                                                             {"p-value", "****"}})),
              std::string::npos)
        << report;
    // A defined statistic beside them keeps its p: 10/0/0/10 is a perfect association.
    ExpectLine(report, "Chi-square (uncorrected)", "20.00");
    ExpectLine(report, "p-value", "0.000008");
}

TEST_F(CCompUnstratTest, ProportionsOfNoneAndAllReachTheirBound)
{
    // Sensitivity 10/10 and specificity 0/5: the limit beyond the estimate is the bound itself
    // (they were [0.66, 0.99] and [0.04, 0.54]); the other limits are unchanged.
    const std::string report = Run("3200", Cells(10, 5, 0, 0)).report;
    ExpectLine(report, "Sensitivity", "1.00", "[0.66, 1.00]");
    ExpectLine(report, "Specificity", "0.00", "[0.00, 0.54]");
    ExpectLine(report, "Positive predictive value", "0.67", "[0.39, 0.87]");
}

TEST_F(CCompUnstratTest, LargestCountsNeitherOverflowNorRunTogether)
{
    const std::string report = FromHeading(Run("3200", Cells(1000000, 1000000, 1000000, 1000000)).report);
    EXPECT_NE(report.find("\t       |       +       - |  Total\n\t-------+-----------------+-------\n"
                          "\t     + | 1000000 1000000 |2000000\n\t     - | 1000000 1000000 |2000000\n"
                          "\t-------+-----------------+-------\n\t Total | 2000000 2000000 |4000000\n\n"),
              std::string::npos)
        << report;
    ExpectLine(report, "Fisher's exact test (two-sided p)", "1.000000");
    // Equal shares: the smaller whole tail, (1 + P_obs) / 2 by symmetry with P_obs = 0.000798
    // (it was P_obs alone, as if a table without association were significant).
    ExpectLine(report, "Fisher's exact test (one-sided p)", "0.500399");
    ExpectLine(report, "Odds ratio", "1.00", "[1.00, 1.00]");

    // ad - bc = 999,999,999,994; exact rational arithmetic gives X2 = 1999984.000052, Yates
    // 1999980.000074, RR 333333.67, OR 166666500000.
    const std::string skewed = Run("3200", Cells(999999, 2, 3, 1000000)).report;
    ExpectLine(skewed, "Chi-square (uncorrected)", "1999984.00");
    ExpectLine(skewed, "Chi-square with Yates' correction", "1999980.00");
    EXPECT_NE(ReportLine(skewed, "Risk ratio").find(" :  333333.67      ["), std::string::npos);
    EXPECT_NE(ReportLine(skewed, "Odds ratio").find(" : 166666500000.00 ["), std::string::npos);
    ExpectLine(skewed, "Fisher's exact test (two-sided p)", "0.000000");
    EXPECT_NE(FromHeading(skewed).find("\t     + |  999999       2 |1000001\n"), std::string::npos);
}

TEST_F(CCompUnstratTest, LevelAndFisherFlag)
{
    const std::string report = Run("3200", Cells(10, 20, 30, 40, {"+1021", "-1157"})).report;
    EXPECT_EQ(report.find("Fisher's exact test"), std::string::npos);
    for (const char* heading : {"Measures of association", "Preventive fraction", "Screening test measures"})
        EXPECT_NE(report.find(heading + std::string(" [99% CI]\n")), std::string::npos) << heading;
    // exp(log 0.7778 -/+ 2.58 x 0.2928): the deviate 2.58, not 2.576.
    ExpectLine(report, "Risk ratio", "0.78", "[0.37, 1.66]");
    ExpectLine(report, "Difference in proportions [99% CI]", "-0.10", "[-0.28, 0.08]");
    EXPECT_TRUE(m_fallbacks.empty()) << m_fallbacks.front();
}

TEST_F(CCompUnstratTest, DialogRefusesWhatItsFieldsDoNotTake)
{
    struct Case
    {
        std::vector<std::string> actions;
        int focus;
        const char* prompt;
    };
    for (const Case& t : {Case{Cells(10, 1000001, 30, 40), 1091, "Please enter an integer between 0 and 1000000."},
                          Case{Cells(10, 20, 30, 40, {"1092=-3"}), 1092, "Please enter a positive integer."},
                          Case{Cells(1, 2, 3, 4, {"1022=" + std::string(51, 'x')}), 1022,
                               "Please enter no more than 50 characters."}}) {
        const CCalcRunResult run = Run("3200", t.actions);
        EXPECT_TRUE(run.refusedOpen);
        EXPECT_EQ(run.finalFocusId, t.focus);
        EXPECT_EQ(run.messages, std::vector<std::string>{t.prompt});
    }
    const CCalcRunResult run = Run("3200", Cells(1000000, 0, 0, 1000000, {"1022=" + std::string(50, 'x')}));
    EXPECT_EQ(run.outcome, CCalcRunResult::Written);
    EXPECT_TRUE(run.messages.empty());
}

TEST_F(CCompUnstratTest, DialogShowsTheTableAndTheStoredInputs)
{
    CSnapshotHost host;
    const CDialogHostGuard hostGuard(host);
    std::unique_ptr<CCalcBase> base(GetCalcBase("3200"));
    auto* calc = dynamic_cast<CCompUnstrat*>(base.get());
    ASSERT_NE(calc, nullptr);
    calc->SetTypeString("3200");
    EXPECT_FALSE(calc->Do());
    std::string error;
    EXPECT_TRUE(ValidateTemplate(host.m_template, error)) << error;
    EXPECT_EQ(host.m_caption, "Contingency tables - Unstratified 2x2 table");
    const std::map<int, std::string> texts = {
        {1105, "Title:"}, {1106, "Confidence level:"},          {1127, "Exposure"}, {1128, "Outcome"}, {1, "OK"},
        {2, "Cancel"},    {1157, "Perform Fisher's exact test"}};
    for (const auto& [id, text] : texts)
        EXPECT_EQ(host.m_texts[id], text) << id;
    EXPECT_TRUE(host.m_checked[1020] && host.m_checked[1157]);
    EXPECT_TRUE(m_fallbacks.empty()) << m_fallbacks.front();
    // Done again: the dialog shows the stored inputs; Cancel keeps them, the title and the report.
    calc->SetTitle("Stored");
    calc->m_d = 999999;
    calc->m_level = 1;
    calc->m_fisher = false;
    EXPECT_FALSE(calc->Do());
    EXPECT_EQ(host.m_texts[1022], "Stored");
    EXPECT_EQ(host.m_texts[1093], "999999");
    EXPECT_TRUE(host.m_checked[1021]);
    EXPECT_FALSE(host.m_checked[1157]);
    EXPECT_EQ(calc->GetTitle(), "Stored");
    EXPECT_EQ(calc->m_d, 999999u);
    EXPECT_TRUE(calc->m_level == 1 && !calc->m_fisher && calc->GetPhrases().empty());
}

TEST_F(CCompUnstratTest, ResultsAsDataMatchTheReport)
{
    ExpectResultsAsData("3200", {"1022=T", "1090=12", "1091=5", "1092=3", "1093=20", "+1021"},
                        {"title=T", "a=12", "b=5", "c=3", "d=20", "level=99"});
    // Undefined statistics are undefined results, and a table without the exact test has none.
    const CCalcRunResult empty =
        ExpectResultsAsData("3200", {"1022=T", "1090=0", "1091=0", "1092=5", "1093=5", "-1157"},
                            {"title=T", "a=0", "b=0", "c=5", "d=5", "exact=no"});
    ASSERT_NE(FindResult(empty.results, "p_chi2_yates"), nullptr);
    EXPECT_TRUE(FindResult(empty.results, "p_chi2_yates")->Undefined());
    EXPECT_EQ(FindResult(empty.results, "fisher_p_two_sided"), nullptr);
    EXPECT_EQ(FindResult(empty.results, "odds_ratio")->level, "95%");
}

TEST_F(CCompUnstratTest, FieldArgumentsThatDoNotFit)
{
    const CFieldTable& table = *CCompUnstrat().Fields();
    std::vector<CScriptAction> actions;
    std::string error;
    EXPECT_FALSE(FieldActions(table, {"e=1"}, actions, error));
    EXPECT_EQ(error, "no field 'e'");
    EXPECT_FALSE(FieldActions(table, {"level=90"}, actions, error));
    EXPECT_EQ(error, "level: '90' is not one of 95, 99");
    EXPECT_FALSE(FieldActions(table, {"exact=maybe"}, actions, error));
    EXPECT_EQ(error, "exact: 'maybe' is not yes or no");
    EXPECT_FALSE(FieldActions(table, {"a"}, actions, error));
    // A value out of range is the dialog's to refuse, with its own message and focus.
    const CCalcRunResult run = RunByNames("3200", {"a=1000001"});
    EXPECT_EQ(run.outcome, CCalcRunResult::NotAdded);
    EXPECT_TRUE(run.refusedOpen);
    EXPECT_EQ(FieldNameOfId(table, run.finalFocusId), "a");
}

TEST_F(CCompUnstratTest, ARunForDataAloneGivesTheSameResultsWithoutAReport)
{
    CCalcRunRequest request;
    request.code = "3200";
    request.actions = ParseActions({"1022=T", "1090=12", "1091=5", "1092=3", "1093=20"});
    request.wantReport = false;
    const CCalcRunResult data = RunNewCalculation(request);
    ASSERT_EQ(data.outcome, CCalcRunResult::Written);
    EXPECT_TRUE(data.report.empty());
    // The next run prints again, and its results are the same numbers to the bit.
    request.wantReport = true;
    const CCalcRunResult full = RunNewCalculation(request);
    EXPECT_NE(full.report.find("Risk ratio"), std::string::npos);
    ASSERT_EQ(data.results.size(), full.results.size());
    for (size_t i = 0; i < full.results.size(); ++i) {
        EXPECT_EQ(data.results[i].key, full.results[i].key);
        EXPECT_EQ(std::bit_cast<uint64_t>(data.results[i].estimate), std::bit_cast<uint64_t>(full.results[i].estimate))
            << full.results[i].key;
    }
}
