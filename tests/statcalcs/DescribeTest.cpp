// Tests of the five describe calculations end to end: dialog texts and refusals, the worked
// figures of each report, and redoing or cancelling an existing calculation.
#include "CDescMean.h"
#include "CDescPerc.h"
#include "CDialog.h"
#include "CalcTestSupport.h"
#include "DialogHost.h"
#include "Format.h"
#include "GetCalcBase.h"
#include "Profile.h"
#include "ScriptedDialogHost.h"
#include "TestSupport.h"
#include "UIServices.h"

#include <map>
#include <memory>

namespace
{
class DescribeTest : public CCalcTest
{};
} // namespace

TEST_F(DescribeTest, PercentageGivesFleissLimitsOfTheProportion)
{
    EXPECT_EQ(Report("1110", {"1023=50", "1024=100"}),
              "Describe - Proportion - Percentage\nT\n\n" + ResultLine("Sample size", "    100", "") + "\n" +
                  ResultLine("Proportion [95% CI]", "     50.00%", "[39.90, 60.10]") + "\n");
    // A proportion of 0 has Fleiss's lower limit 0 (the corrected formula gave 0.92, an interval
    // that excluded its own estimate); one of 100 % has the upper limit 100.
    const std::string zero = ReportLine(Report("1110", {"1023=0", "1024=10"}), "Proportion [95% CI]");
    EXPECT_EQ(zero.substr(0, 53), ResultLine("Proportion [95% CI]", "      0.00%", "").substr(0, 53));
    EXPECT_NE(zero.find("[0.00, 34.45]"), std::string::npos) << zero;
    EXPECT_EQ(ReportLine(Report("1110", {"1023=100", "1024=10"}), "Proportion [95% CI]"),
              ResultLine("Proportion [95% CI]", "    100.00%", "[65.55, 100.00]"));
}

TEST_F(DescribeTest, CountGivesTheSameLimitsWithoutPercentSign)
{
    const std::string report = Report("1120", {"1025=50", "1024=100"});
    EXPECT_EQ(report, "Describe - Proportion - Count and sample size\nT\n\n" + ResultLine("Count", "     50", "") +
                          "\n" + ResultLine("Sample size", "    100", "") + "\n" +
                          ResultLine("Proportion [95% CI]", "     50.00", "[39.90, 60.10]") + "\n");
    // A count equal to the sample size is accepted; with a count of 0 or of all, the interval
    // reaches 0 or 100 (it used to be [0.09, 4.61] beside 0.00 and [95.39, 99.91] beside 100.00).
    EXPECT_EQ(ReportLine(Report("1120", {"1025=100", "1024=100"}), "Proportion [95% CI]"),
              ResultLine("Proportion [95% CI]", "    100.00", "[95.39, 100.00]"));
    EXPECT_EQ(ReportLine(Report("1120", {"1025=0", "1024=100"}), "Proportion [95% CI]"),
              ResultLine("Proportion [95% CI]", "      0.00", "[0.00, 4.61]"));
}

TEST_F(DescribeTest, CountAboveSampleSizeIsRefusedBeforeAnyOtherCheck)
{
    const std::string message = "Please ensure that sample size is greater than or equal to count";
    ExpectRefusedWithoutReport("1120", {"1025=101", "1024=100"}, message, 1025);
    // Also ahead of the range check of the count and of the title's length.
    ExpectRefusedWithoutReport("1120", {"1025=2000000", "1024=100", "1022=" + std::string(51, 'x')}, message, 1025);
    // Text that is no count is left to the exchange's own prompt.
    ExpectRefusedWithoutReport("1120", {"1025=-5", "1024=100"}, "Please enter a positive integer.", 1025);
}

TEST_F(DescribeTest, RatePerThousandClampsItsLowerLimitAtZero)
{
    EXPECT_EQ(Report("1200", {"1025=4", "1026=1000"}), "Describe - Rate\nT\n\n" + ResultLine("Count", "      4", "") +
                                                           "\n" + ResultLine("Person-time", "   1000", "") + "\n" +
                                                           ResultLine("Rate [95% CI]", "      4.00", "[0.08, 7.92]") +
                                                           "\n/ 1000 person-time units\n");
    // 1 - 1.96 * 1 is negative.
    EXPECT_EQ(ReportLine(Report("1200", {"1025=1", "1026=1000"}), "Rate [95% CI]"),
              ResultLine("Rate [95% CI]", "      1.00", "[0.00, 2.96]"));
    // 4 -/+ 2.58 * 2 at 99 %.
    EXPECT_EQ(ReportLine(Report("1200", {"1025=4", "1026=1000", "+1021"}), "Rate [99% CI]"),
              ResultLine("Rate [99% CI]", "      4.00", "[0.00, 9.16]"));
}

TEST_F(DescribeTest, MeanUsesStudentsT)
{
    // t(0.975, 24) = 2.0639 and t(0.995, 24) = 2.7969 (published tables); se = 2 / 5.
    EXPECT_EQ(Report("1300", {"1027=10", "1028=2", "1024=25"}),
              "Describe - Mean\nT\n\n" + ResultLine("Sample size", "     25", "") + "\n" +
                  ResultLine("Standard deviation", "      2.00", "") + "\n" +
                  ResultLine("Mean [95% CI]", "     10.00", "[9.17, 10.83]") + "\n");
    EXPECT_EQ(ReportLine(Report("1300", {"1027=10", "1028=2", "1024=25", "+1021"}), "Mean [99% CI]"),
              ResultLine("Mean [99% CI]", "     10.00", "[8.88, 11.12]"));
    // A sample of one has no degrees of freedom; an SD of 0 gives an interval of no width.
    EXPECT_EQ(ReportLine(Report("1300", {"1027=10", "1028=2", "1024=1"}), "Mean [95% CI]"),
              ResultLine("Mean [95% CI]", "     10.00", "[****, ****]"));
    EXPECT_EQ(ReportLine(Report("1300", {"1027=-3.5", "1028=0", "1024=5"}), "Mean [95% CI]"),
              ResultLine("Mean [95% CI]", "     -3.50", "[-3.50, -3.50]"));
}

TEST_F(DescribeTest, MedianRanksHaveNoDecimals)
{
    // 5 -/+ 1.96 * sqrt(10) / 2 = 1.90 and 8.10.
    EXPECT_EQ(Report("1400", {"1024=10"}), "Describe - Median\nT\n\n" + ResultLine("Sample size", "     10", "") +
                                               "\n" + ResultLine("Rank of the median [95% CI]", "      5", "[2, 8]") +
                                               "\n");
    // 6 -/+ 2.58 * sqrt(11) / 2 = 1.72 and 10.28.
    EXPECT_EQ(ReportLine(Report("1400", {"1024=11", "+1021"}), "Rank of the median [99% CI]"),
              ResultLine("Rank of the median [99% CI]", "      6", "[2, 10]"));
}

TEST_F(DescribeTest, OutOfRangeFieldsAreRefusedWithTheFocusOnThem)
{
    const auto integers = [](unsigned minimum) {
        return Format("Please enter an integer between %u and 1000000.", minimum);
    };
    ExpectRefusedWithoutReport("1110", {"1023=100.5", "1024=10"}, "Please enter a number between 0 and 100.", 1023);
    ExpectRefusedWithoutReport("1110", {"1023=50"}, integers(1), 1024);
    ExpectRefusedWithoutReport("1120", {"1025=0", "1024=1000001"}, integers(1), 1024);
    ExpectRefusedWithoutReport("1200", {"1025=1000001", "1026=1000001"}, integers(0), 1025);
    ExpectRefusedWithoutReport("1200", {"1025=1"}, integers(1), 1026);
    ExpectRefusedWithoutReport("1300", {"1028=-0.01", "1024=5"}, "Please enter a number between 0 and 1000000.", 1028);
    ExpectRefusedWithoutReport("1300", {"1028=1", "1024=abc"}, "Please enter a positive integer.", 1024);
    ExpectRefusedWithoutReport("1400", {"1024=0"}, integers(1), 1024);
}

TEST_F(DescribeTest, RealFieldsTakeOnlyFiniteDecimalNumbers)
{
    struct Field
    {
        std::string code;
        int id;
        std::vector<std::string> others; // valid values for the other fields
    };
    const std::vector<Field> fields = {
        {"1110", 1023, {"1024=10"}},
        {"1300", 1027, {"1028=1", "1024=5"}},
        {"1300", 1028, {"1027=1", "1024=5"}},
    };
    for (const Field& field : fields) {
        for (const char* text : {"nan", "inf", "0x1p3", "1e999", "2.5x", ""}) {
            std::vector<std::string> actions = field.others;
            actions.push_back(Format("%d=%s", field.id, text));
            ExpectRefusedWithoutReport(field.code, actions, "Please enter a number.", field.id);
        }
        for (const char* text : {" 2.5 ", "1e1"}) {
            std::vector<std::string> actions = field.others;
            actions.push_back(Format("%d=%s", field.id, text));
            EXPECT_FALSE(Report(field.code, actions).empty()) << field.code << " " << text;
        }
    }
    EXPECT_EQ(ReportLine(Report("1300", {"1027=1e5", "1028=1e5", "1024=5"}), "Standard deviation"),
              ResultLine("Standard deviation", " 100000.00", ""));
}

TEST_F(DescribeTest, TitleTakesAtMostFiftyCharacters)
{
    const std::vector<std::pair<std::string, std::vector<std::string>>> valid = {
        {"1110", {"1023=50", "1024=100"}},
        {"1120", {"1025=5", "1024=10"}},
        {"1200", {"1025=5", "1026=10"}},
        {"1300", {"1027=1", "1028=1", "1024=5"}},
        {"1400", {"1024=5"}},
    };
    const std::string fifty = "\xC3\xA9" + std::string(49, 't'); // characters, not bytes
    for (const auto& [code, actions] : valid) {
        std::vector<std::string> longer = actions;
        longer.push_back("1022=" + fifty + "t");
        ExpectRefusedWithoutReport(code, longer, "Please enter no more than 50 characters.", 1022);
        std::vector<std::string> exact = actions;
        exact.push_back("1022=" + fifty);
        const CCalcRunResult result = Run(code, exact);
        EXPECT_EQ(result.outcome, CCalcRunResult::Written) << code;
        EXPECT_NE(result.report.find("\n" + fifty + "\n\n"), std::string::npos) << code;
    }
}

TEST_F(DescribeTest, DialogsShowTheVocabularyTexts)
{
    CSnapshotHost host;
    const CDialogHostGuard hostGuard(host);
    OpenAndCancel("1110");
    EXPECT_EQ(host.m_caption, "Describe - Proportion - Percentage");
    EXPECT_EQ(host.m_texts[1118], "Proportion (%):");
    EXPECT_EQ(host.m_texts[1111], "Sample size:");
    EXPECT_EQ(host.m_texts[1105], "Title:");
    EXPECT_EQ(host.m_texts[1106], "Confidence level");
    EXPECT_EQ(host.m_texts[1023], "0");
    OpenAndCancel("1120");
    EXPECT_EQ(host.m_caption, "Describe - Proportion - Count and sample size");
    EXPECT_EQ(host.m_texts[1119], "Count:");
    OpenAndCancel("1200");
    EXPECT_EQ(host.m_texts[1120], "Person-time:");
    OpenAndCancel("1300");
    EXPECT_EQ(host.m_texts[1109], "Mean:");
    EXPECT_EQ(host.m_texts[1110], "Standard deviation:");
    OpenAndCancel("1400");
    EXPECT_EQ(host.m_caption, "Describe - Median");
    EXPECT_EQ(host.m_texts[1111], "Sample size:");
    EXPECT_EQ(host.m_texts[IDOK], "OK");
    EXPECT_EQ(host.m_texts[IDCANCEL], "Cancel");
    EXPECT_TRUE(m_fallbacks.empty()) << m_fallbacks.front();

    // The rate's dialog keeps its template caption even when the type's label differs.
    CProfile renamed;
    renamed.Parse("[Labels]\n1200=Incidence\n");
    CProfile shipped;
    shipped.Load(ShippedVocabularyPath());
    SetVocabularyProfiles({renamed, shipped});
    OpenAndCancel("1200");
    EXPECT_EQ(host.m_caption, "Describe - Rate");
}

TEST_F(DescribeTest, CancelKeepsAndRedoShowsTheStoredInputs)
{
    CDescMean mean;
    mean.SetTypeString("1300");
    mean.SetTitle("Weights");
    mean.m_level = 1;
    mean.m_mean = 10;
    mean.m_sd = 2;
    mean.m_sampleSize = 25;
    {
        CRedoScope scope({"1027=99", "1022=Other", "+1020", "@2"});
        EXPECT_FALSE(mean.Do());
    }
    EXPECT_EQ(mean.GetTitle(), "Weights");
    EXPECT_EQ(mean.m_level, 1);
    EXPECT_EQ(mean.m_mean, 10);
    EXPECT_TRUE(mean.GetPhrases().empty());
    {
        // OK on the dialog as it opens: the stored inputs go round through the fields.
        CRedoScope scope({});
        EXPECT_TRUE(mean.Do());
    }
    const std::string report = PhrasesText(mean.GetPhrases());
    EXPECT_NE(report.find("\nWeights\n\n"), std::string::npos);
    EXPECT_EQ(ReportLine(report, "Mean [99% CI]"), ResultLine("Mean [99% CI]", "     10.00", "[8.88\a 11.12]"));

    CDescPerc perc;
    perc.SetTypeString("1110");
    perc.SetTitle("Smokers");
    perc.m_percent = 12.345678901234567;
    perc.m_sampleSize = 200;
    {
        CRedoScope scope({});
        EXPECT_TRUE(perc.Do());
    }
    EXPECT_EQ(perc.m_percent, 12.3456789012346); // the field shows 15 significant digits
    EXPECT_EQ(perc.m_sampleSize, 200u);
    EXPECT_TRUE(m_fallbacks.empty()) << m_fallbacks.front();
}
