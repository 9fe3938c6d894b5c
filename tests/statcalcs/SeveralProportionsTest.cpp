// Tests of the several-proportions and goodness-of-fit calculations end to end: the worked
// reports, undefined statistics, and rows read back from the list.
#include "CalcTestSupport.h"
#include "Format.h"

namespace
{
/// A result line with its line feed.
std::string Line(const std::string& label, const std::string& value)
{
    return ResultLine(label, value) + "\n";
}

class SeveralProportionsTest : public CCalcTest
{};

/// Actions that add each (first, second) pair through the entry fields `ids`.
std::vector<std::string> AddRows(int first, int second, const std::vector<std::pair<std::string, std::string>>& rows)
{
    std::vector<std::string> actions;
    for (const auto& [a, b] : rows) {
        actions.push_back(Format("%d=%s", first, a.c_str()));
        actions.push_back(Format("%d=%s", second, b.c_str()));
        actions.push_back("@1032");
    }
    return actions;
}
} // namespace

TEST_F(SeveralProportionsTest, ProportionsGiveTheChiSquareOfTheTableOfCounts)
{
    // 10 % and 20 % of 100: the table 10/90, 20/80.
    EXPECT_EQ(Report("2200", AddRows(1023, 1024, {{"10", "100"}, {"20", "100"}})),
              "Compare - Several proportions\nT\n\n"
              "          Proportion         Sample size\n"
              "          ----------         -----------\n"
              "              10.00%                 100\n"
              "              20.00%                 100\n"
              "\n" +
                  Line("Chi-square (uncorrected)", "      3.92") + Line("Degrees of freedom", "      1") +
                  Line("p-value", "      0.047670") + "\n" + Line("Cells with expected count < 5", "      0.00%"));

    // Three small samples: every expected count of the "with" column is below 5.
    const std::string small = Report("2200", AddRows(1023, 1024, {{"10", "20"}, {"20", "20"}, {"12.5", "16"}}));
    EXPECT_EQ(ReportLine(small, "Degrees of freedom"), ResultLine("Degrees of freedom", "      2"));
    EXPECT_EQ(ReportLine(small, "Cells with expected count < 5"),
              ResultLine("Cells with expected count < 5", "     50.00%"));
    EXPECT_NE(small.find("              12.50%                  16\n"), std::string::npos) << small;
}

TEST_F(SeveralProportionsTest, ProportionsAllZeroLeaveTheStatisticUndefined)
{
    const std::string report = Report("2200", AddRows(1023, 1024, {{"0", "50"}, {"0", "80"}}));
    EXPECT_EQ(ReportLine(report, "Chi-square (uncorrected)"), ResultLine("Chi-square (uncorrected)", "      ****"));
    EXPECT_EQ(ReportLine(report, "p-value"), ResultLine("p-value", "      ****"));
}

TEST_F(SeveralProportionsTest, GoodnessOfFitSumsOverTheRows)
{
    EXPECT_EQ(Report("2400", AddRows(1155, 1156, {{"10", "15"}, {"20", "15"}})),
              "Compare - Goodness of fit\nT\n\n"
              "            Observed            Expected\n"
              "            --------            --------\n"
              "               10.00               15.00\n"
              "               20.00               15.00\n"
              "\n" +
                  Line("Chi-square", "      3.33") + Line("Degrees of freedom", "      1") +
                  Line("p-value", "      0.067889") + "\n");
    // An expected value of 0 makes the sum infinite, and the test has no p (it printed 0.000000).
    const std::string zero = Report("2400", AddRows(1155, 1156, {{"10", "0"}, {"20", "15"}}));
    EXPECT_EQ(ReportLine(zero, "Chi-square"), ResultLine("Chi-square", "      ****"));
    EXPECT_EQ(ReportLine(zero, "p-value"), ResultLine("p-value", "      ****"));
}

TEST_F(SeveralProportionsTest, ValuesAreReadBackFromTheListAsShown)
{
    // The list shows two decimals and the rows are read back from it: 0.004 becomes 0.
    const std::string report = Report("2400", AddRows(1155, 1156, {{"10", "0.004"}, {"20", "15"}}));
    EXPECT_NE(report.find("               10.00                0.00\n"), std::string::npos) << report;
    EXPECT_EQ(ReportLine(report, "Chi-square"), ResultLine("Chi-square", "      ****"));
}
