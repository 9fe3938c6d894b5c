// Sample sizes of two proportions by Kelsey's and Fleiss' formulas (with and without the
// continuity correction): the formulas against R, rounding up, and the calculation end to end.
#include "SampleSizeFormulas.h"

#include "ReopenedReport.h"
#include "TestSupport.h"

#include <cmath>

namespace
{
class SampleSizeFormulasTest : public CCalcTest
{};

void ExpectSizes(const CGroupSizes& sizes, double group1, double ratio)
{
    EXPECT_TRUE(Near(sizes.group1, group1, group1 * 1e-12)) << sizes.group1;
    EXPECT_TRUE(Near(sizes.group2, group1 * ratio, group1 * ratio * 1e-12)) << sizes.group2;
}
} // namespace

TEST(SampleSizeFormulas, FleissWithEqualGroupsIsTheSizeOfRsPowerPropTest)
{
    // R 4.2.2: power.prop.test(p1 = 0.2, p2 = 0.1, power = 0.8, tol = 1e-14)$n, and
    // power.prop.test(p1 = 0.5, p2 = 0.75, power = 0.9, sig.level = 0.01, tol = 1e-14)$n.
    ExpectSizes(FleissSizes(0.2, 0.1, 1, 95, 80), 198.963413284331, 1);
    ExpectSizes(FleissSizes(0.5, 0.75, 1, 99, 90), 109.095221661882, 1);
    // The proportions may come in either order.
    ExpectSizes(FleissSizes(0.1, 0.2, 1, 95, 80), 198.963413284331, 1);
}

TEST(SampleSizeFormulas, KelseyAndCorrectedFleissWithAnyRatioAgreeWithTheirFormulasInR)
{
    // R 4.2.2 with qnorm: Kelsey's (z_a + z_b)^2 pq (r + 1) / (r d^2), Fleiss' formula, and the
    // correction of Fleiss, Tytun and Ury (1980) n / 4 (1 + sqrt(1 + 2 (r + 1) / (n r d)))^2.
    ExpectSizes(KelseySizes(0.2, 0.1, 1, 95, 80), 200.146433225902, 1);
    ExpectSizes(FleissCorrectedSizes(0.2, 0.1, 1, 95, 80), 218.505759443743, 1);
    ExpectSizes(KelseySizes(0.2, 0.1, 2, 99, 90), 257.909377600308, 2);
    ExpectSizes(FleissSizes(0.2, 0.1, 2, 99, 90), 273.125336559137, 2);
    ExpectSizes(FleissCorrectedSizes(0.2, 0.1, 2, 99, 90), 287.929976559904, 2);
    ExpectSizes(KelseySizes(0.05, 0.15, 0.5, 90, 95), 248.008149958746, 0.5);
    ExpectSizes(FleissSizes(0.05, 0.15, 0.5, 90, 95), 286.314562405074, 0.5);
    ExpectSizes(FleissCorrectedSizes(0.05, 0.15, 0.5, 90, 95), 315.601638349366, 0.5);
}

TEST(SampleSizeFormulas, EqualProportionsHaveNoSizeAndSizesRoundUp)
{
    EXPECT_TRUE(std::isnan(KelseySizes(0.2, 0.2, 1, 95, 80).group1));
    EXPECT_TRUE(std::isnan(FleissCorrectedSizes(0.2, 0.2, 1, 95, 80).group2));
    EXPECT_TRUE(std::isnan(FleissSizes(0.2, 0.1, 0, 95, 80).group1));
    EXPECT_EQ(RoundUpSize(136.64), 137);
    EXPECT_EQ(RoundUpSize(137), 137);
    EXPECT_EQ(RoundUpSize(137 + 1e-12), 137); // rounding error of a formula, not a subject
    EXPECT_EQ(RoundUpSize(137.000001), 138);
    EXPECT_TRUE(std::isnan(RoundUpSize(INFINITY)));
}

TEST_F(SampleSizeFormulasTest, ReportShowsTheThreeFormulasRoundedUp)
{
    const auto line = [](const char* label, const char* value) { return ResultLine(label, value) + "\n"; };
    const std::string sizes = "\n" + line("Group 1", "     201") + line("Group 2", "     201") +
                              line("Total", "     402") + "\nSample size by Fleiss' formula\n" +
                              line("Group 1", "     199") + line("Group 2", "     199") + line("Total", "     398") +
                              "\nSample size by Fleiss' formula with continuity correction\n" +
                              line("Group 1", "     219") + line("Group 2", "     219") + line("Total", "     438");
    EXPECT_EQ(Report("4180", {"1221=20", "1222=10"}),
              "Sampling - Sample size - Two proportions, three formulas\nT\n\n" + line("Proportion 1", "     20.00%") +
                  line("Proportion 2", "     10.00%") + line("Confidence level", "        95%") +
                  line("Power", "     80.00%") + line("Ratio of group 2 to group 1", "      1.00") +
                  "\nSample size by Kelsey's formula" + sizes);
    // Group 2 twice the size of group 1, each rounded up on its own: 257.91 and 515.82 by
    // Kelsey's formula, 273.13 and 546.25 by Fleiss', 287.93 and 575.86 with the correction.
    const std::string twice = Report("4180", {"1221=20", "1222=10", "1223=90", "1224=2", "1040=99"});
    EXPECT_NE(twice.find("Kelsey's formula\n" + line("Group 1", "     258") + line("Group 2", "     516") +
                         line("Total", "     774")),
              std::string::npos)
        << twice;
    EXPECT_NE(twice.find("Fleiss' formula\n" + line("Group 1", "     274") + line("Group 2", "     547") +
                         line("Total", "     821")),
              std::string::npos)
        << twice;
    EXPECT_NE(twice.find("correction\n" + line("Group 1", "     288") + line("Group 2", "     576") +
                         line("Total", "     864")),
              std::string::npos)
        << twice;
}

TEST_F(SampleSizeFormulasTest, ExtremeInputsGiveFiniteSizes)
{
    for (const auto& args : std::vector<std::vector<std::string>>{
             {"percentage1=0", "percentage2=100", "ratio=100", "power=50", "level=50"},
             {"percentage1=50", "percentage2=50.0001", "ratio=0.01", "power=99.99", "level=99.99"},
         }) {
        const CCalcRunResult run = RunByNames("4180", args);
        ASSERT_EQ(run.outcome, CCalcRunResult::Written) << args[0];
        for (const CResult& result : run.results)
            EXPECT_TRUE(result.estimate >= 1 && std::isfinite(result.estimate)) << result.key;
    }
}

TEST_F(SampleSizeFormulasTest, BadInputIsRefusedWithTheFocusOnIt)
{
    ExpectRefusedWithoutReport("4180", {"1221=15", "1222=15"},
                               "The two values to compare are equal. Please enter different values.", 1221);
    ExpectRefusedWithoutReport("4180", {"1221=15", "1222=100.5"}, "Please enter a number between 0 and 100.", 1222);
    ExpectRefusedWithoutReport("4180", {"1221=15", "1222=10", "1223=40"}, "Please enter a number between 50 and 99.99.",
                               1223);
    ExpectRefusedWithoutReport("4180", {"1221=15", "1222=10", "1224=0"}, "Please enter a number between 0.01 and 100.",
                               1224);
    ExpectRefusedWithoutReport("4180", {"1221=15", "1222=10", "1040=99.999"},
                               "Please enter a number between 50 and 99.99.", 1040);
}

TEST_F(SampleSizeFormulasTest, ResultsAsDataAndReopenedDocumentAgree)
{
    const CCalcRunResult run =
        ExpectResultsAsData("4180", {"1221=5", "1222=15", "1223=95", "1224=0.5", "1040=90", "1022=S"},
                            {"percentage1=5", "percentage2=15", "power=95", "ratio=0.5", "level=90", "title=S"});
    // Rounded up from 315.60 and 157.80.
    EXPECT_EQ(FindResult(run.results, "fleiss_cc_group1")->estimate, 316);
    EXPECT_EQ(FindResult(run.results, "fleiss_cc_group2")->estimate, 158);
    EXPECT_EQ(FindResult(run.results, "fleiss_cc_total")->estimate, 474);
    ExpectSameReportWhenReopened("4180", {"1221=12.5", "1222=7.25", "1223=85.5", "1224=3", "1040=97.5"});
}
