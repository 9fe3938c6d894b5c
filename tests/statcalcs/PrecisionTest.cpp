// Tests of the six precision calculations end to end: worked sizes, the checks on OK in their
// order with their focus, and a size too large to print.
#include "CalcTestSupport.h"
#include "Format.h"
#include "Profile.h"

namespace
{
class PrecisionTest : public CCalcTest
{
protected:
    /// Expects OK refused with the vocabulary message `key` and the focus on `id`.
    void ExpectRefused(const std::string& code, const std::vector<std::string>& actions, const char* key, int id)
    {
        CCalcTest::ExpectRefused(code, actions, VocabularyMessage(key), id);
    }
};
} // namespace

TEST_F(PrecisionTest, SingleProportionAtBothLevels)
{
    // 0.25 / (0.05 / 1.96)^2 = 384.16; at 2.58: 665.64.
    EXPECT_EQ(Report("4230", {"1023=50", "1069=5"}),
              "Sampling - Precision - Single proportion\nT\n\n" + ResultLine("Proportion", "     50.00%", "") + "\n" +
                  ResultLine("Precision", "      5.00%", "") + "\n" + ResultLine("Confidence level", "     95%", "") +
                  "\n\n" + ResultLine("Sample size", "    384", "") + "\n");
    const std::string report = Report("4230", {"1023=50", "1069=5", "+1021"});
    EXPECT_EQ(ReportLine(report, "Sample size"), ResultLine("Sample size", "    665", ""));
    EXPECT_EQ(ReportLine(report, "Confidence level"), ResultLine("Confidence level", "     99%", ""));
    // A proportion of 0 needs nobody, and is accepted.
    EXPECT_EQ(ReportLine(Report("4230", {"1023=0", "1069=5"}), "Sample size"),
              ResultLine("Sample size", "      0", ""));
}

TEST_F(PrecisionTest, MeansRatesAndTwoProportions)
{
    // 100 / (2 / 1.96)^2 = 96.04.
    EXPECT_EQ(ReportLine(Report("4210", {"1028=10", "1069=2"}), "Sample size"),
              ResultLine("Sample size", "     96", ""));
    // 10 / (1 / 1.96)^2 = 38.416; a rate of 0 is accepted.
    EXPECT_EQ(ReportLine(Report("4220", {"1057=10", "1069=1"}), "Sample size"),
              ResultLine("Sample size", "     38", ""));
    EXPECT_EQ(ReportLine(Report("4220", {"1057=0", "1069=1"}), "Sample size"),
              ResultLine("Sample size", "      0", ""));
    // (9 + 16) / (2 / 1.96)^2 = 24.01 per group.
    std::string report = Report("4240", {"1070=3", "1071=4", "1069=2"});
    EXPECT_NE(
        report.find(ResultLine("Sample size", "     24", "per group") + "\n" + ResultLine("", "     48", "in total")),
        std::string::npos)
        << report;
    EXPECT_EQ(ReportLine(report, "Standard deviation 2"), ResultLine("Standard deviation 2", "      4.00", ""));
    // (10 + 20) / (2 / 1.96)^2 = 28.812 per group.
    report = Report("4250", {"1062=10", "1063=20", "1069=2"});
    EXPECT_NE(
        report.find(ResultLine("Sample size", "     28", "per group") + "\n" + ResultLine("", "     56", "in total")),
        std::string::npos)
        << report;
    // (0.09 + 0.16) / (0.05 / 1.96)^2 = 384.16 per group.
    report = Report("4260", {"1071=10", "1072=20", "1069=5"});
    EXPECT_NE(
        report.find(ResultLine("Sample size", "    384", "per group") + "\n" + ResultLine("", "    768", "in total")),
        std::string::npos)
        << report;
    EXPECT_EQ(ReportLine(report, "Proportion 1"), ResultLine("Proportion 1", "     10.00%", ""));
}

TEST_F(PrecisionTest, SizesPastTheIntegerRangePrintStars)
{
    // 1e12 / (1e-6 / 1.96)^2 is far beyond 32 bits; so is the total of 1.5e9 per group (the
    // group size computes as 1536639999.99..., truncated).
    EXPECT_EQ(ReportLine(Report("4210", {"1028=1000000", "1069=0.000001"}), "Sample size"),
              ResultLine("Sample size", "   ****", ""));
    const std::string report = Report("4250", {"1062=1000000", "1063=0", "1069=0.05"});
    EXPECT_NE(report.find(ResultLine("Sample size", "1536639999", "per group") + "\n" +
                          ResultLine("", "   ****", "in total")),
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
