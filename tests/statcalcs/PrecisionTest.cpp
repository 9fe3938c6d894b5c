// Tests of the six precision calculations end to end: worked sizes, the checks on OK in their
// order with their focus, and a size too large to print.
#include "CalcTestSupport.h"
#include "Format.h"
#include "Profile.h"

namespace
{
std::string Line(const std::string& label, const std::string& value, const std::string& extra)
{
    return PadToWidth(label, 35, true) + " : " + PadToWidth(value, 15, true) + " " + extra;
}

class PrecisionTest : public CCalcTest
{
protected:
    std::string Report(const std::string& code, std::vector<std::string> actions)
    {
        actions.push_back("1022=T");
        const CCalcRunResult result = Run(code, actions);
        EXPECT_EQ(result.outcome, CCalcRunResult::Written) << code << ": " << result.error;
        EXPECT_TRUE(result.messages.empty()) << code << ": " << result.messages.front();
        EXPECT_TRUE(m_fallbacks.empty()) << code << ": " << m_fallbacks.front();
        return result.report;
    }

    void ExpectRefused(const std::string& code, std::vector<std::string> actions, const char* key, int id)
    {
        const CCalcRunResult result = Run(code, actions);
        EXPECT_EQ(result.outcome, CCalcRunResult::NotAdded) << code;
        EXPECT_TRUE(result.refusedOpen) << code;
        EXPECT_EQ(result.messages, std::vector<std::string>{GetProfileString("Messages", key, key)}) << code;
        EXPECT_EQ(result.finalFocusId, id) << code;
    }
};
} // namespace

TEST_F(PrecisionTest, SingleProportionAtBothLevels)
{
    // 0.25 / (0.05 / 1.96)^2 = 384.16; at 2.58: 665.64.
    EXPECT_EQ(Report("4230", {"1023=50", "1069=5"}),
              "Sampling - Precision - Single proportion\nT\n\n" + Line("Proportion", "     50.00%", "") + "\n" +
                  Line("Precision", "      5.00%", "") + "\n" + Line("Confidence level", "     95%", "") + "\n\n" +
                  Line("Sample size", "    384", "") + "\n");
    const std::string report = Report("4230", {"1023=50", "1069=5", "+1021"});
    EXPECT_EQ(ReportLine(report, "Sample size"), Line("Sample size", "    665", ""));
    EXPECT_EQ(ReportLine(report, "Confidence level"), Line("Confidence level", "     99%", ""));
    // A proportion of 0 needs nobody, and is accepted.
    EXPECT_EQ(ReportLine(Report("4230", {"1023=0", "1069=5"}), "Sample size"), Line("Sample size", "      0", ""));
}

TEST_F(PrecisionTest, MeansRatesAndTwoProportions)
{
    // 100 / (2 / 1.96)^2 = 96.04.
    EXPECT_EQ(ReportLine(Report("4210", {"1028=10", "1069=2"}), "Sample size"), Line("Sample size", "     96", ""));
    // 10 / (1 / 1.96)^2 = 38.416; a rate of 0 is accepted.
    EXPECT_EQ(ReportLine(Report("4220", {"1057=10", "1069=1"}), "Sample size"), Line("Sample size", "     38", ""));
    EXPECT_EQ(ReportLine(Report("4220", {"1057=0", "1069=1"}), "Sample size"), Line("Sample size", "      0", ""));
    // (9 + 16) / (2 / 1.96)^2 = 24.01 per group.
    std::string report = Report("4240", {"1070=3", "1071=4", "1069=2"});
    EXPECT_NE(report.find(Line("Sample size", "     24", "per group") + "\n" + Line("", "     48", "in total")),
              std::string::npos)
        << report;
    EXPECT_EQ(ReportLine(report, "Standard deviation 2"), Line("Standard deviation 2", "      4.00", ""));
    // (10 + 20) / (2 / 1.96)^2 = 28.812 per group.
    report = Report("4250", {"1062=10", "1063=20", "1069=2"});
    EXPECT_NE(report.find(Line("Sample size", "     28", "per group") + "\n" + Line("", "     56", "in total")),
              std::string::npos)
        << report;
    // (0.09 + 0.16) / (0.05 / 1.96)^2 = 384.16 per group.
    report = Report("4260", {"1071=10", "1072=20", "1069=5"});
    EXPECT_NE(report.find(Line("Sample size", "    384", "per group") + "\n" + Line("", "    768", "in total")),
              std::string::npos)
        << report;
    EXPECT_EQ(ReportLine(report, "Proportion 1"), Line("Proportion 1", "     10.00%", ""));
}

TEST_F(PrecisionTest, SizesPastTheIntegerRangePrintStars)
{
    // 1e12 / (1e-6 / 1.96)^2 is far beyond 32 bits; so is the total of 1.5e9 per group (the
    // group size computes as 1536639999.99..., truncated).
    EXPECT_EQ(ReportLine(Report("4210", {"1028=1000000", "1069=0.000001"}), "Sample size"),
              Line("Sample size", "   ****", ""));
    const std::string report = Report("4250", {"1062=1000000", "1063=0", "1069=0.05"});
    EXPECT_NE(report.find(Line("Sample size", "1536639999", "per group") + "\n" + Line("", "   ****", "in total")),
              std::string::npos)
        << report;
}

TEST_F(PrecisionTest, ChecksComeInOrderWithTheirFocus)
{
    ExpectRefused("4210", {}, "05", 1028);
    ExpectRefused("4210", {"1028=5"}, "05", 1069);
    ExpectRefused("4220", {"1057=5"}, "04", 1069);
    ExpectRefused("4230", {"1023=5"}, "04", 1069);
    ExpectRefused("4240", {"1069=1"}, "05", 1070);
    ExpectRefused("4240", {"1070=1", "1069=1"}, "05", 1071);
    ExpectRefused("4240", {"1070=1", "1071=1"}, "05", 1069);
    // The precision is checked before the equality of the two values.
    ExpectRefused("4250", {}, "04", 1069);
    ExpectRefused("4250", {"1062=3", "1063=3", "1069=1"}, "02", 1062);
    ExpectRefused("4260", {}, "04", 1069);
    ExpectRefused("4260", {"1071=3", "1072=3", "1069=1"}, "02", 1071);
}
