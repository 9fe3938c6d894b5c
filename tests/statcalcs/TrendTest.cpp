// Tests of the trend in proportions end to end: the worked report, sorting by score, duplicate
// scores, counts read back whole, the -9.99 and "****" markers, and large counts.
#include "CCompPropTrend.h"
#include "CalcTestSupport.h"
#include "Format.h"

#include <cmath>
#include <limits>

namespace
{
const char kHeader[] = "     Score       Ill   Not ill     % Ill        OR        RR\n"
                       "     -----       ---   -------     -----        --        --\n";

/// Actions that add each group (score, ill, not ill).
std::vector<std::string> Groups(const std::vector<std::vector<std::string>>& groups)
{
    std::vector<std::string> actions;
    for (const auto& group : groups) {
        actions.push_back("1045=" + group.at(0));
        actions.push_back("1046=" + group.at(1));
        actions.push_back("1047=" + group.at(2));
        actions.push_back("@1032");
    }
    return actions;
}

class TrendTest : public CCalcTest
{
protected:
    /// Runs the trend with `actions` and the title "T"; expects a report, the given messages
    /// and no vocabulary fallback.
    std::string Report(std::vector<std::string> actions, const std::vector<std::string>& messages = {})
    {
        actions.push_back("1022=T");
        const CCalcRunResult result = Run("2300", actions);
        EXPECT_EQ(result.outcome, CCalcRunResult::Written) << result.error;
        EXPECT_EQ(result.messages, messages);
        EXPECT_TRUE(m_fallbacks.empty()) << m_fallbacks.front();
        return result.report;
    }
};
} // namespace

TEST_F(TrendTest, GroupsAreSortedByScoreAndComparedWithTheLowest)
{
    // Entered as scores 2, 0, 1: listed and reported as 0, 1, 2 with score 0 the reference.
    EXPECT_EQ(Report(Groups({{"2", "30", "70"}, {"0", "10", "90"}, {"1", "20", "80"}})),
              std::string("Compare - Trend in proportions\nT\n\n") + kHeader +
                  "      0.00        10        90     10.00%      1.00      1.00\n"
                  "      1.00        20        80     20.00%      2.25      2.00\n"
                  "      2.00        30        70     30.00%      3.86      3.00\n"
                  "\n" +
                  ResultLine("Chi-square for linear trend", "     12.46") + "\n" +
                  ResultLine("p-value", "      0.000417") + "\n");
}

TEST_F(TrendTest, RemovedGroupKeepsTheSortOfTheRest)
{
    std::vector<std::string> actions = Groups({{"2", "30", "70"}, {"0", "10", "90"}, {"1", "20", "80"}});
    actions.insert(actions.end(), {"row=0", "@1033"}); // score 0
    const std::vector<std::string> more = Groups({{"1.5", "1", "1"}, {"0.5", "2", "2"}});
    actions.insert(actions.end(), more.begin(), more.end());
    const std::string report = Report(actions);
    EXPECT_NE(report.find(std::string(kHeader) + "      0.50         2         2"), std::string::npos) << report;
    EXPECT_NE(report.find("      1.00        20        80     20.00%      0.25      0.40\n"
                          "      1.50         1         1"),
              std::string::npos)
        << report;
    EXPECT_NE(report.find("      1.50         1         1     50.00%      1.00      1.00\n"
                          "      2.00        30        70"),
              std::string::npos)
        << report;
}

TEST_F(TrendTest, ScoreShownAlikeIsRefusedAsDuplicate)
{
    const std::string report =
        Report(Groups({{"1.5", "1", "2"}, {"1.501", "3", "4"}, {"1.51", "5", "6"}, {"0", "7", "8"}}),
               {"Score 1.50 has already been used"});
    EXPECT_NE(report.find(std::string(kHeader) + "      0.00         7         8"), std::string::npos) << report;
    EXPECT_NE(report.find("\n      1.50         1         2"), std::string::npos) << report;
    EXPECT_NE(report.find("\n      1.51         5         6"), std::string::npos) << report;
    EXPECT_EQ(report.find("         3         4"), std::string::npos) << report;
}

TEST_F(TrendTest, CountsAreReadBackWhole)
{
    const std::string report = Report(Groups({{"0", "0000001234", "10"}, {"1", "5", "+0000000020"}, {"2", "6", "7"}}));
    EXPECT_NE(report.find("      0.00      1234        10"), std::string::npos) << report;
    EXPECT_NE(report.find("      1.00         5        20"), std::string::npos) << report;
}

TEST_F(TrendTest, FiguresThatCannotBeFormedAreMarked)
{
    // A first group with nobody not ill: no reference odds, every odds ratio is -9.99.
    EXPECT_NE(Report(Groups({{"0", "5", "0"}, {"1", "5", "5"}, {"2", "5", "10"}}))
                  .find("      0.00         5         0    100.00%     -9.99      1.00\n"
                        "      1.00         5         5     50.00%     -9.99      0.50\n"
                        "      2.00         5        10     33.33%     -9.99      0.33\n"),
              std::string::npos);
    // A later group with nobody not ill, and an empty one: their ratios print as "****".
    const std::string report = Report(Groups({{"0", "10", "90"}, {"1", "10", "0"}, {"2", "0", "0"}}));
    EXPECT_NE(report.find("      1.00        10         0    100.00%      ****     10.00\n"
                          "      2.00         0         0     -9.99%      ****      ****\n"),
              std::string::npos)
        << report;
}

TEST_F(TrendTest, StatisticIsUndefinedWhenEveryoneIsIll)
{
    const std::string report = Report(Groups({{"0", "10", "0"}, {"1", "20", "0"}, {"2", "30", "0"}}));
    EXPECT_EQ(ReportLine(report, "Chi-square for linear trend"),
              ResultLine("Chi-square for linear trend", "      ****"));
    EXPECT_EQ(ReportLine(report, "p-value"), ResultLine("p-value", "      ****"));
}

TEST_F(TrendTest, LargeCountsDoNotWrap)
{
    // The worked groups times 10,000: Nt = 3,000,000, whose square exceeds 32 bits.
    const std::string report =
        Report(Groups({{"0", "100000", "900000"}, {"1", "200000", "800000"}, {"2", "300000", "700000"}}));
    EXPECT_EQ(ReportLine(report, "Chi-square for linear trend"),
              ResultLine("Chi-square for linear trend", " 124999.96"));
    EXPECT_EQ(ReportLine(report, "p-value"), ResultLine("p-value", "      0.000000"));
}

TEST(TrendSortKeyTest, ScoreTimesThousandTruncatedAndClamped)
{
    EXPECT_EQ(CCompPropTrend::SortKey(1.501), 1501);
    EXPECT_EQ(CCompPropTrend::SortKey(1000000), 1000000000);
    EXPECT_EQ(CCompPropTrend::SortKey(1e12), std::numeric_limits<int32_t>::max());
    EXPECT_EQ(CCompPropTrend::SortKey(-1e12), std::numeric_limits<int32_t>::min());
    EXPECT_EQ(CCompPropTrend::SortKey(std::nan("")), 0);
}
