// Tests of the two-proportion calculations end to end: the worked figures of both reports, the
// undefined test, refusals of the dialogs, their texts, and the stored inputs they open on.
#include "CComp2PropNum.h"
#include "CDialog.h"
#include "CalcTestSupport.h"
#include "DialogHost.h"
#include "Format.h"
#include "GetCalcBase.h"
#include "UIServices.h"

#include <map>
#include <memory>

namespace
{
/// The test lines both reports end with.
std::string TestLines(const std::string& z, const std::string& p, const std::string& twoP)
{
    return ResultLine("z statistic", z) + "\n" + ResultLine("One-tailed p-value", p) + "\n" +
           ResultLine("Two-tailed p-value", twoP) + "\n";
}

/// The report from its difference line on.
std::string Tail(const std::string& report)
{
    return report.substr(report.rfind("\nDifference") + 1);
}

/// Runs Do of `calc` with a host that notes the dialog's caption (id 0) and control texts as
/// it opens, then presses `button`.
std::map<int, std::string> Snapshot(CCalcBase& calc, int button)
{
    CSnapshotHost host;
    host.m_press = button;
    {
        const CDialogHostGuard hostGuard(host);
        EXPECT_EQ(calc.Do(), button == IDOK);
    }
    host.m_texts[0] = host.m_caption;
    return host.m_texts;
}

class TwoProportionsTest : public CCalcTest
{};

const std::vector<std::string> kPerc30And50 = {"1071=30", "1080=100", "1072=50", "1025=100"};
const std::vector<std::string> kNum30And50 = {"1081=30", "1082=100", "1083=50", "1084=100"};
const std::string kWorkedTest = TestLines("      2.74", "      0.003050", "      0.006099");
} // namespace

TEST_F(TwoProportionsTest, BothFormsGiveTheWorkedDifferenceAndTest)
{
    // d = 0.2, se = sqrt(0.0021 + 0.0025), cc = 0.01; pooled 0.4, Z = 0.19 / sqrt(0.02 * 0.24).
    const std::string sample = ResultLine("Sample size", "    100") + "\n";
    EXPECT_EQ(Report("2110", kPerc30And50),
              "Compare - Two proportions - Percentages\nT\n\nSample 1\n" + ResultLine("Proportion", "     30.00%") +
                  "\n" + sample + "\nSample 2\n" + ResultLine("Proportion", "     50.00%") + "\n" + sample +
                  "\nDifference\n" + ResultLine("Difference [95% CI]", "     20.00%", "[5.71, 34.29]") + "\n" +
                  kWorkedTest);
    // The count form: a count line more per sample, no level and no percent sign on the difference.
    const std::string num = Report("2120", kNum30And50);
    EXPECT_NE(num.find("Sample 2\n" + ResultLine("Count", "     50") + "\n" + ResultLine("Proportion", "     50.00%") +
                       "\n" + sample + "\nDifference\n"),
              std::string::npos);
    EXPECT_EQ(Tail(num), ResultLine("Difference", "     20.00", "[5.71, 34.29]") + "\n" + kWorkedTest);
    // 99 %, samples swapped: 0.2 -/+ (2.58 * 0.067823 + 0.01).
    EXPECT_EQ(
        ReportLine(Report("2110", {"1071=50", "1080=100", "1072=30", "1025=100", "+1021"}), "Difference [99% CI]"),
        ResultLine("Difference [99% CI]", "     20.00%", "[1.50, 38.50]"));
    // Counts are divided as reals: 1 of 3 is 33.33 %, not 0.
    EXPECT_EQ(ReportLine(Report("2120", {"1081=1", "1082=3", "1083=2", "1084=3"}), "Proportion"),
              ResultLine("Proportion", "     33.33%"));
}

TEST_F(TwoProportionsTest, EqualProportionsLeaveOnlyTheContinuityCorrection)
{
    // Z = -0.01 / sqrt(0.02 * 0.16); the probabilities are the tail formula's for |Z|.
    const std::string test = TestLines("     -0.18", "      0.429842", "      0.859684");
    EXPECT_EQ(Tail(Report("2110", {"1071=20", "1080=100", "1072=20", "1025=100"})),
              ResultLine("Difference [95% CI]", "      0.00%", "[-12.09, 12.09]") + "\n" + test);
    EXPECT_EQ(Tail(Report("2120", {"1081=20", "1082=100", "1083=20", "1084=100"})),
              ResultLine("Difference", "      0.00", "[-12.09, 12.09]") + "\n" + test);
}

TEST_F(TwoProportionsTest, UndefinedTestPrintsStarsAndKeepsTheDifference)
{
    // Both 0 % or both 100 %: no pooled variance, the test and its probabilities are undefined.
    const std::string stars = TestLines("      ****", "      ****", "      ****");
    for (const char* percent : {"0", "100"})
        EXPECT_EQ(
            Tail(Report("2110", {Format("1071=%s", percent), "1080=100", Format("1072=%s", percent), "1025=100"})),
            ResultLine("Difference [95% CI]", "      0.00%", "[-1.00, 1.00]") + "\n" + stars)
            << percent;
    // A count above its sample size is accepted and gives a negative variance.
    EXPECT_EQ(Tail(Report("2120", {"1081=150", "1082=100", "1083=50", "1084=100"})),
              ResultLine("Difference", "    100.00", "[****, ****]") + "\n" + stars);
}

TEST_F(TwoProportionsTest, InvalidFieldsAreRefusedWithTheFocusOnThem)
{
    const std::string numbers = "Please enter a number between 0 and 100.";
    const std::string sizes = "Please enter an integer between 1 and 1000000.";
    ExpectRefused("2110", {"1071=100.5", "1080=100", "1072=50", "1025=100"}, numbers, 1071);
    ExpectRefused("2110", {"1071=30", "1080=0", "1072=50", "1025=100"}, sizes, 1080);
    ExpectRefused("2110", {"1071=30", "1080=100", "1072=-0.1", "1025=100"}, numbers, 1072);
    ExpectRefused("2110", {"1071=30", "1080=100", "1072=50", "1025=1000001"}, sizes, 1025);
    ExpectRefused("2120", {"1081=1000001", "1082=100"}, "Please enter an integer between 0 and 1000000.", 1081);
    ExpectRefused("2120", {"1081=30", "1082=0"}, sizes, 1082);
    ExpectRefused("2120", {"1081=30", "1082=100", "1083=-5"}, "Please enter a positive integer.", 1083);
    ExpectRefused("2120", {"1081=30", "1082=100", "1083=50", "1084=1000001"}, sizes, 1084);
    for (int id : {1071, 1072}) {
        for (const char* text : {"nan", "inf", "0x1p3", "1e999"}) {
            std::vector<std::string> actions = kPerc30And50;
            actions.push_back(Format("%d=%s", id, text));
            ExpectRefused("2110", actions, "Please enter a number.", id);
        }
    }
    EXPECT_NE(Report("2110", {"1071= 2.5 ", "1080=100", "1072=1e1", "1025=100"})
                  .find(ResultLine("Proportion", "      2.50%") + "\n" + ResultLine("Sample size", "    100") +
                        "\n\nSample 2\n" + ResultLine("Proportion", "     10.00%")),
              std::string::npos);
    for (const auto& [code, actions] : {std::pair{"2110", kPerc30And50}, std::pair{"2120", kNum30And50}}) {
        std::vector<std::string> titled = actions;
        titled.push_back("1022=" + std::string(51, 't'));
        ExpectRefused(code, titled, "Please enter no more than 50 characters.", 1022);
        titled.back().pop_back();
        EXPECT_EQ(Run(code, titled).outcome, CCalcRunResult::Written) << code;
    }
}

TEST_F(TwoProportionsTest, DialogsShowTheVocabularyTextsAndTheStoredInputs)
{
    // Inputs stored in an order unlike the dialog's: a swap would show in the fields.
    CComp2PropNum num;
    num.SetTypeString("2120");
    num.SetTitle("Smokers");
    num.m_level = 1;
    num.m_count1 = 30;
    num.m_size1 = 100;
    num.m_count2 = 50;
    num.m_size2 = 200;
    const std::map<int, std::string> shared = {{1099, "Sample 1"},     {1100, "Sample 2"},  {1103, "Sample size:"},
                                               {1104, "Sample size:"}, {1105, "Title:"},    {1106, "Confidence level"},
                                               {IDOK, "OK"},           {IDCANCEL, "Cancel"}};
    std::map<int, std::string> texts = Snapshot(num, IDOK);
    for (const auto& [id, text] : shared)
        EXPECT_EQ(texts[id], text) << id;
    const std::map<int, std::string> fields = {
        {0, "Compare - Two proportions - Counts and sample sizes"},
        {1101, "Count:"},
        {1102, "Count:"},
        {1081, "30"},
        {1082, "100"},
        {1083, "50"},
        {1084, "200"},
        {1022, "Smokers"},
    };
    for (const auto& [id, text] : fields)
        EXPECT_EQ(texts[id], text) << id;
    const std::string report = PhrasesText(num.GetPhrases());
    EXPECT_NE(report.find("\nSmokers\n\n"), std::string::npos);
    EXPECT_NE(report.find("Sample 2\n" + ResultLine("Count", "     50") + "\n" +
                          ResultLine("Proportion", "     25.00%") + "\n" + ResultLine("Sample size", "    200")),
              std::string::npos);
    EXPECT_NE(report.find(ResultLine("Difference", "      5.00")), std::string::npos);

    std::unique_ptr<CCalcBase> perc(GetCalcBase("2110"));
    perc->SetTypeString("2110");
    texts = Snapshot(*perc, IDCANCEL);
    for (const auto& [id, text] : shared)
        EXPECT_EQ(texts[id], text) << id;
    EXPECT_EQ(texts[0], "Compare - Two proportions - Percentages");
    EXPECT_EQ(texts[1107], "Proportion (%):");
    EXPECT_EQ(texts[1108], "Proportion (%):");
    EXPECT_TRUE(perc->GetPhrases().empty());
    // Cancel after typing: nothing added, nothing shown.
    const CCalcRunResult cancelled = Run("2110", {"1071=30", "1080=5", "@2"});
    EXPECT_EQ(cancelled.outcome, CCalcRunResult::NotAdded);
    EXPECT_FALSE(cancelled.refusedOpen);
    EXPECT_TRUE(cancelled.messages.empty() && cancelled.report.empty());
    EXPECT_TRUE(m_fallbacks.empty()) << m_fallbacks.front();
}
