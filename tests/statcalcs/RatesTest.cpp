// Tests of the comparison of two rates end to end: the worked figures, the undefined test with
// no cases, the real divisions, refusals of the dialog, its texts, and redo.
#include "CCompRates.h"
#include "CDialog.h"
#include "CalcTestSupport.h"
#include "DialogHost.h"
#include "Format.h"
#include "UIServices.h"

#include <map>

namespace
{
/// The lines of one rate: cases, person-time, the rate with its limits and the unit.
std::string RateLines(const std::string& cases, const std::string& time, const std::string& rate,
                      const std::string& limits)
{
    return ResultLine("Count", cases) + "\n" + ResultLine("Person-time", time) + "\n" +
           ResultLine("Rate [95% CI]", rate, limits) + "\n/ 1000 person-time units\n";
}

/// Cases and person-time of both samples, in the order of the dialog's fields, then more.
std::vector<std::string> Inputs(unsigned c1, unsigned t1, unsigned c2, unsigned t2, const std::string& more = "1022=T")
{
    return {Format("1085=%u", c1), Format("1087=%u", t1), Format("1086=%u", c2), Format("1088=%u", t2), more};
}

class RatesTest : public CCalcTest
{
protected:
    /// Runs "2500" with `actions` and expects a report, no message, no fallback.
    std::string Report(const std::vector<std::string>& actions)
    {
        const CCalcRunResult result = Run("2500", actions);
        EXPECT_EQ(result.outcome, CCalcRunResult::Written) << result.error;
        EXPECT_TRUE(result.messages.empty()) << result.messages.front();
        EXPECT_TRUE(m_fallbacks.empty()) << m_fallbacks.front();
        return result.report;
    }

    /// Expects OK refused with `message`, the focus on `id` and the dialog left open.
    void ExpectRefused(const std::vector<std::string>& actions, const std::string& message, int id)
    {
        CCalcTest::ExpectRefused("2500", actions, message, id);
    }
};
} // namespace

TEST_F(RatesTest, WorkedExampleGivesRatesPooledRateAndDifference)
{
    // 10 -/+ 1.96 * sqrt(10), 20 -/+ 1.96 * sqrt(20), 15 -/+ 1.96 * sqrt(30) / 2 per 1000;
    // D = 10 -/+ 1.96 * 5.477; z = (0.01 - 0.001) / sqrt(0.015 * 0.002).
    EXPECT_EQ(Report(Inputs(10, 1000, 20, 1000)),
              "Compare - Two rates\nT\n\nSample 1\n" + RateLines("     10", "   1000", "     10.00", "[3.80, 16.20]") +
                  "\nSample 2\n" + RateLines("     20", "   1000", "     20.00", "[11.23, 28.77]") + "\nPooled rate\n" +
                  RateLines("     30", "   2000", "     15.00", "[9.63, 20.37]") + "\nDifference\n" +
                  ResultLine("z statistic", "      1.64") + "\n" + ResultLine("p-value", "      0.050174") + "\n" +
                  ResultLine("Rate [95% CI]", "     10.00", "[-0.74, 20.74]") + "\n/ 1000 person-time units\n");
    // The samples swapped give the same non-negative difference; 99 % takes 2.58 * 5.477.
    const std::string swapped = Report(Inputs(20, 1000, 10, 1000, "+1021"));
    EXPECT_NE(swapped.find("Difference\n" + ResultLine("z statistic", "      1.64") + "\n" +
                           ResultLine("p-value", "      0.050174") + "\n" +
                           ResultLine("Rate [99% CI]", "     10.00", "[-4.13, 24.13]") + "\n"),
              std::string::npos);
}

TEST_F(RatesTest, QuotientsAreRealAndNoCasesLeaveTheTestUndefined)
{
    // 1 case in 3 units is 333.33 per 1000, not 0.
    EXPECT_NE(Report(Inputs(1, 3, 0, 7)).find(ResultLine("Rate [95% CI]", "    333.33", "[-320.00, 986.67]")),
              std::string::npos);
    // c1 / t1^2 with t1 = 1,000,000: t1 * t1 lies beyond 32 bits. 1000 -/+ 1.96 * 1.
    const std::string large = Report(Inputs(1000000, 1000000, 0, 100000));
    EXPECT_EQ(large.substr(large.rfind("Rate")),
              ResultLine("Rate [95% CI]", "   1000.00", "[998.04, 1001.96]") + "\n/ 1000 person-time units\n");
    const std::string none = Report(Inputs(0, 1000, 0, 1000));
    EXPECT_EQ(none.substr(none.find("Difference\n")),
              "Difference\n" + ResultLine("z statistic", "      ****") + "\n" + ResultLine("p-value", "      ****") +
                  "\n" + ResultLine("Rate [95% CI]", "      0.00", "[0.00, 0.00]") + "\n/ 1000 person-time units\n");
    // Cases in one sample are enough for a test.
    EXPECT_EQ(ReportLine(Report(Inputs(0, 1000, 5, 1000)), "z statistic"), ResultLine("z statistic", "      1.79"));
}

TEST_F(RatesTest, InvalidFieldsAreRefusedWithTheFocusOnThem)
{
    const std::string cases = "Please enter an integer between 0 and 1000000.";
    ExpectRefused(Inputs(1000001, 1000, 20, 1000), cases, 1085);
    ExpectRefused(Inputs(10, 0, 20, 1000), "Please enter an integer between 1 and 1000000.", 1087);
    ExpectRefused(Inputs(10, 1000, 1000001, 1000), cases, 1086);
    ExpectRefused(Inputs(10, 1000, 20, 0), "Please enter an integer between 1 and 100000.", 1088);
    // 100,001 is too much person-time for sample 2 only.
    ExpectRefused(Inputs(10, 1000, 20, 100001), "Please enter an integer between 1 and 100000.", 1088);
    EXPECT_EQ(ReportLine(Report(Inputs(10, 100001, 20, 100000)), "Person-time"), ResultLine("Person-time", " 100001"));
    ExpectRefused(Inputs(10, 1000, 20, 1000, "1087=-1000"), "Please enter a positive integer.", 1087);
    // The title comes first in the dialog and is checked first; 50 characters pass.
    ExpectRefused(Inputs(10, 0, 20, 1000, "1022=" + std::string(51, 't')), "Please enter no more than 50 characters.",
                  1022);
    EXPECT_EQ(Run("2500", Inputs(10, 1000, 20, 1000, "1022=" + std::string(50, 't'))).outcome, CCalcRunResult::Written);
}

TEST_F(RatesTest, DialogShowsTheVocabularyTextsAndTheStoredInputs)
{
    CSnapshotHost host;
    host.m_press = IDOK;
    CCompRates rates;
    rates.SetTypeString("2500");
    rates.SetTitle("Falls");
    rates.m_level = 1;
    rates.m_c1 = 10;
    rates.m_c2 = 20;
    rates.m_t1 = 1000;
    rates.m_t2 = 4000;
    {
        const CDialogHostGuard hostGuard(host);
        EXPECT_TRUE(rates.Do());
    }
    EXPECT_EQ(host.m_caption, "Compare - Two rates");
    const std::map<int, std::string> texts = {
        {1099, "Sample 1"},     {1100, "Sample 2"},     {1101, "Count:"}, {1102, "Count:"},
        {1125, "Person-time:"}, {1126, "Person-time:"}, {1105, "Title:"}, {1106, "Confidence level"},
        {IDOK, "OK"},           {IDCANCEL, "Cancel"},   {1022, "Falls"},  {1085, "10"},
        {1087, "1000"},         {1086, "20"},           {1088, "4000"},
    };
    for (const auto& [id, text] : texts)
        EXPECT_EQ(host.m_texts[id], text) << id;
    const std::string report = PhrasesText(rates.GetPhrases());
    EXPECT_NE(report.find("Sample 2\n" + ResultLine("Count", "     20") + "\n" + ResultLine("Person-time", "   4000") +
                          "\n" + ResultLine("Rate [99% CI]", "      5.00", "[2.12\a 7.88]")),
              std::string::npos);
    EXPECT_TRUE(m_fallbacks.empty()) << m_fallbacks.front();
}
