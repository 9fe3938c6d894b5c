// Tests of the three probability calculations end to end: the worked figures of each report,
// the ranges of the statistic and its degrees of freedom, and the dialogs' texts.
#include "CCalcBase.h"
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
class ProbabilityTest : public CCalcTest
{};
} // namespace

TEST_F(ProbabilityTest, ChiSquareUpperTail)
{
    EXPECT_EQ(Report("5100", {"1029=3.84", "1025=1"}),
              "Probability - Chi-square distribution\nT\n\n" + ResultLine("Chi-square", "      3.84") + "\n" +
                  ResultLine("Degrees of freedom", "      1") + "\n" + ResultLine("p-value", "      0.050044") + "\n");
    EXPECT_EQ(ReportLine(Report("5100", {"1029=0", "1025=1"}), "p-value"), ResultLine("p-value", "      1.000000"));
    // 18.307 is the 5 % point with 10 degrees of freedom (published tables); the closed form
    // exp(-x/2) * sum of (x/2)^k / k! for k < 5 gives 0.0500006.
    EXPECT_EQ(ReportLine(Report("5100", {"1029=18.307", "1025=10"}), "p-value"),
              ResultLine("p-value", "      0.050001"));
    // The largest statistic the dialog takes lies beyond the series' range.
    EXPECT_EQ(ReportLine(Report("5100", {"1029=1000000", "1025=250"}), "p-value"),
              ResultLine("p-value", "      0.000000"));
}

TEST_F(ProbabilityTest, ChiSquareSmallTailsNeverRise)
{
    // Above 1e-5 (19) the digits are as before; below, the tail is erfc(sqrt(chi2 / 2)) with
    // 1 df: 7.7e-6, 2.7e-6, 4.3e-8, 9.5e-15 and 1.8e-219, where 60 and 1000 used to print
    // 0.000001 and 0.000004.
    const std::vector<std::pair<const char*, const char*>> cases = {{"19", "0.000013"}, {"20", "0.000008"},
                                                                    {"22", "0.000003"}, {"30", "0.000000"},
                                                                    {"60", "0.000000"}, {"1000", "0.000000"}};
    for (const auto& [chi2, p] : cases)
        EXPECT_EQ(ReportLine(Report("5100", {std::string("1029=") + chi2, "1025=1"}), "p-value"),
                  ResultLine("p-value", std::string("      ") + p))
            << chi2;
    // A small statistic with many degrees of freedom lies far below the mean: the tail is 1, not
    // the 0 that the series' underflowing factor gave.
    EXPECT_EQ(ReportLine(Report("5100", {"1029=0.1", "1025=250"}), "p-value"), ResultLine("p-value", "      1.000000"));
}

TEST_F(ProbabilityTest, StudentsTOneAndTwoTailed)
{
    EXPECT_EQ(Report("5200", {"1030=2.228", "1025=10"}), "Probability - t distribution\nT\n\n" +
                                                             ResultLine("Student's t", "      2.23") + "\n" +
                                                             ResultLine("Degrees of freedom", "     10") + "\n" +
                                                             ResultLine("One-tailed p-value", "      0.025006") + "\n" +
                                                             ResultLine("Two-tailed p-value", "      0.050012") + "\n");
    const std::string two = Report("5200", {"1030=4.303", "1025=2"});
    EXPECT_EQ(ReportLine(two, "One-tailed p-value"), ResultLine("One-tailed p-value", "      0.024996"));
    EXPECT_EQ(ReportLine(two, "Two-tailed p-value"), ResultLine("Two-tailed p-value", "      0.049993"));
    const std::string zero = Report("5200", {"1030=0", "1025=250"});
    EXPECT_EQ(ReportLine(zero, "One-tailed p-value"), ResultLine("One-tailed p-value", "      0.500000"));
    EXPECT_EQ(ReportLine(zero, "Two-tailed p-value"), ResultLine("Two-tailed p-value", "      1.000000"));
}

TEST_F(ProbabilityTest, NormalDeviateOneAndTwoTailed)
{
    EXPECT_EQ(Report("5300", {"1079=1.96"}), "Probability - Normal distribution (z)\nT\n\n" +
                                                 ResultLine("z statistic", "      1.96") + "\n" +
                                                 ResultLine("One-tailed p-value", "      0.024998") + "\n" +
                                                 ResultLine("Two-tailed p-value", "      0.049996") + "\n");
    const std::string zero = Report("5300", {"1079=0"});
    EXPECT_EQ(ReportLine(zero, "z statistic"), ResultLine("z statistic", "      0.00"));
    EXPECT_EQ(ReportLine(zero, "One-tailed p-value"), ResultLine("One-tailed p-value", "      0.500000"));
    EXPECT_EQ(ReportLine(zero, "Two-tailed p-value"), ResultLine("Two-tailed p-value", "      1.000000"));
}

TEST_F(ProbabilityTest, DegreesOfFreedomRunFromOneTo250)
{
    const std::string range = "Please enter an integer between 1 and 250.";
    for (const auto& [code, statistic] : {std::pair<std::string, std::string>{"5100", "1029=1"}, {"5200", "1030=1"}}) {
        ExpectRefusedWithoutReport(code, {statistic, "1025=0"}, range, 1025);
        ExpectRefusedWithoutReport(code, {statistic, "1025=251"}, range, 1025);
        ExpectRefusedWithoutReport(code, {statistic, "1025=-1"}, "Please enter a positive integer.", 1025);
        ExpectRefusedWithoutReport(code, {statistic, "1025=2.5"}, "Please enter a positive integer.", 1025);
        EXPECT_EQ(ReportLine(Report(code, {statistic, "1025=250"}), "Degrees of freedom"),
                  ResultLine("Degrees of freedom", "    250"));
        EXPECT_EQ(ReportLine(Report(code, {statistic, "1025=1"}), "Degrees of freedom"),
                  ResultLine("Degrees of freedom", "      1"));
    }
}

TEST_F(ProbabilityTest, StatisticsRunFromZeroToAMillionAsFiniteDecimals)
{
    const std::string range = "Please enter a number between 0 and 1000000.";
    const std::vector<std::pair<std::string, std::vector<std::string>>> fields = {
        {"5100", {"1029", "1025=1"}}, {"5200", {"1030", "1025=1"}}, {"5300", {"1079"}}};
    for (const auto& [code, actions] : fields) {
        const std::string id = actions[0];
        std::vector<std::string> others(actions.begin() + 1, actions.end());
        const auto with = [&](const std::string& text) {
            std::vector<std::string> all = others;
            all.push_back(id + "=" + text);
            return all;
        };
        ExpectRefusedWithoutReport(code, with("-0.01"), range, std::stoi(id));
        ExpectRefusedWithoutReport(code, with("1000000.01"), range, std::stoi(id));
        for (const char* text : {"nan", "inf", "0x1p3", "1e999", "abc", ""})
            ExpectRefusedWithoutReport(code, with(text), "Please enter a number.", std::stoi(id));
        for (const char* text : {" 2.5 ", "1e5", "1000000", "0"})
            EXPECT_FALSE(Report(code, with(text)).empty()) << code << " " << text;
        std::vector<std::string> longTitle = with("1");
        longTitle.push_back("1022=" + std::string(51, 'x'));
        ExpectRefusedWithoutReport(code, longTitle, "Please enter no more than 50 characters.", 1022);
    }
    EXPECT_EQ(ReportLine(Report("5300", {"1079= 2.5 "}), "z statistic"), ResultLine("z statistic", "      2.50"));
    EXPECT_EQ(ReportLine(Report("5200", {"1030=1e5", "1025=3"}), "Student's t"),
              ResultLine("Student's t", " 100000.00"));
}

TEST_F(ProbabilityTest, DialogsShowTheVocabularyTexts)
{
    CSnapshotHost host;
    host.m_checkTemplate = true;
    const CDialogHostGuard hostGuard(host);
    OpenAndCancel("5100");
    EXPECT_EQ(host.m_caption, "Probability - Chi-square distribution");
    EXPECT_EQ(host.m_texts[1138], "Chi-square:");
    EXPECT_EQ(host.m_texts[1139], "Degrees of freedom:");
    EXPECT_EQ(host.m_texts[1105], "Title:");
    EXPECT_EQ(host.m_texts[IDOK], "OK");
    EXPECT_EQ(host.m_texts[IDCANCEL], "Cancel");
    EXPECT_EQ(host.m_texts.count(1106), 0u); // no confidence level
    OpenAndCancel("5200");
    EXPECT_EQ(host.m_caption, "Probability - t distribution");
    EXPECT_EQ(host.m_texts[1140], "Student's t:");
    EXPECT_EQ(host.m_texts[1139], "Degrees of freedom:");
    OpenAndCancel("5300");
    EXPECT_EQ(host.m_caption, "Probability - Normal distribution (z)");
    EXPECT_EQ(host.m_texts[1148], "z statistic:");
    EXPECT_EQ(host.m_texts[1079], "0");
    EXPECT_TRUE(m_fallbacks.empty()) << m_fallbacks.front();
}
