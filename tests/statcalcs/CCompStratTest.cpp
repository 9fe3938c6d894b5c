// Tests of the stratified 2x2 tables: the worked example end to end, the Mantel-Haenszel summary,
// the largest counts, the tabs with Add and Remove, the dialog's refusals, redo and cancel.
#include "CCompStrat.h"

#include "CDialog.h"
#include "CalcTestSupport.h"
#include "DialogHost.h"
#include "Format.h"
#include "GetCalcBase.h"
#include "UIServices.h"

#include <functional>
#include <memory>

namespace
{
/// The cells and title of the stratum on show, as script actions.
std::vector<std::string> Stratum(unsigned a, unsigned b, unsigned c, unsigned d, const std::string& title = "")
{
    std::vector<std::string> actions = {"1090=" + std::to_string(a), "1091=" + std::to_string(b),
                                        "1092=" + std::to_string(c), "1093=" + std::to_string(d)};
    if (!title.empty())
        actions.push_back("1023=" + title);
    return actions;
}

std::vector<std::string> operator+(std::vector<std::string> first, const std::vector<std::string>& second)
{
    first.insert(first.end(), second.begin(), second.end());
    return first;
}

/// A result line as InsertResult writes it (the plain report shows the list separator as a comma).
std::string Line(const std::string& label, const std::string& value, const std::string& extra = "")
{
    return ResultLine(label, value, extra) + "\n";
}

std::string Interval(const char* lower, const char* upper)
{
    return std::string("[") + lower + ", " + upper + "]";
}

/// The six table lines of one 2x2 table with the shipped "Total".
std::string Table(const char* row1, const char* row2, const char* totals, int width = 6)
{
    const std::string dashes(static_cast<size_t>(width), '-');
    const std::string rule = "\t-------+" + dashes + dashes + "-+-------\n";
    return Format("\t       |%*s%*s |  Total\n", width, "+", width, "-") + rule + row1 + row2 + rule + totals + "\n";
}

class CCompStratTest : public CCalcTest
{
protected:
    static std::unique_ptr<CCompStrat> NewCalc()
    {
        std::unique_ptr<CCalcBase> base(GetCalcBase("3300"));
        auto* calc = dynamic_cast<CCompStrat*>(base.get());
        if (!calc)
            return nullptr;
        base.release();
        calc->SetTypeString("3300");
        return std::unique_ptr<CCompStrat>(calc);
    }
};

const int kTabs = 1094;
} // namespace

TEST_F(CCompStratTest, TwoIdenticalStrataGiveTheWholeReport)
{
    // Per stratum as the unstratified table (RR 0.78, OR 0.67, Yates 0.45); the crude table is
    // 20, 40, 60, 80; Mantel-Haenszel: RR 14/18, OR 8/12, X2 = 3.5^2 / (2 x 5.0909) = 1.20.
    const CCalcRunResult run = Run("3300", std::vector<std::string>{"1022=T"} + Stratum(10, 20, 30, 40) +
                                               std::vector<std::string>{"@1032"} + Stratum(10, 20, 30, 40));
    ASSERT_EQ(run.outcome, CCalcRunResult::Written) << run.error;
    const std::string stratum = Table("\t     + |    10    20 |     30\n", "\t     - |    30    40 |     70\n",
                                      "\t Total |    40    60 |    100\n") +
                                Line("Risk ratio [95% CI]", "      0.78", Interval("0.44", "1.38")) +
                                Line("Odds ratio [95% CI]", "      0.67", Interval("0.27", "1.63")) +
                                Line("Chi-square with Yates' correction", "      0.45") +
                                Line("p-value", "      0.504036") + "\n";
    const std::string expected = "Contingency tables - Stratified 2x2 tables\nT\n\nStratum 1\n" + stratum +
                                 "Stratum 2\n" + stratum + "Crude (strata combined)\n" +
                                 Table("\t     + |    20    40 |     60\n", "\t     - |    60    80 |    140\n",
                                       "\t Total |    80   120 |    200\n") +
                                 Line("Risk ratio [95% CI]", "      0.78", Interval("0.52", "1.17")) +
                                 Line("Odds ratio [95% CI]", "      0.67", Interval("0.35", "1.25")) +
                                 Line("Chi-square with Yates' correction", "      1.22") +
                                 Line("p-value", "      0.270289") + "\n" + "Mantel-Haenszel summary [95% CI]\n" +
                                 Line("Mantel-Haenszel risk ratio", "      0.78", Interval("0.52", "1.17")) +
                                 Line("Mantel-Haenszel odds ratio", "      0.67", Interval("0.35", "1.25")) +
                                 Line("Mantel-Haenszel chi-square", "      1.20") + Line("p-value", "      0.272698");
    const size_t heading = run.report.find("Contingency tables - Stratified 2x2 tables\n");
    ASSERT_NE(heading, std::string::npos) << run.report;
    EXPECT_EQ(run.report.substr(heading), expected);
    EXPECT_TRUE(m_fallbacks.empty()) << m_fallbacks.front();
}

TEST_F(CCompStratTest, OneStratumSummaryEqualsItsRatios)
{
    // a = 12, b = 5, c = 7, d = 30 at 99%: ORmh = ad / bc = 360 / 35 = 10.29, RRmh = a r2 / (c r1)
    // = 444 / 119 = 3.73; the limits of the summary are those of the single table.
    const CCalcRunResult run = Run("3300", Stratum(12, 5, 7, 30, "Only") + std::vector<std::string>{"+1021"});
    ASSERT_EQ(run.outcome, CCalcRunResult::Written) << run.error;
    const std::string rr = ReportLine(run.report, "Mantel-Haenszel risk ratio");
    const std::string odds = ReportLine(run.report, "Mantel-Haenszel odds ratio");
    EXPECT_NE(rr.find(" :       3.73      ["), std::string::npos) << rr;
    EXPECT_NE(odds.find(" :      10.29      ["), std::string::npos) << odds;
    EXPECT_EQ(rr.substr(rr.find('[')), ReportLine(run.report, "Risk ratio [99% CI]").substr(rr.find('[')));
    EXPECT_EQ(odds.substr(odds.find('[')), ReportLine(run.report, "Odds ratio [99% CI]").substr(odds.find('[')));
    EXPECT_NE(run.report.find("\nOnly\n"), std::string::npos);
    EXPECT_NE(run.report.find("Mantel-Haenszel summary [99% CI]\n"), std::string::npos);
}

TEST_F(CCompStratTest, EmptyAndSingleCountStrataPrintStars)
{
    // The default stratum of zeros: every ratio, test and summary is 0 / 0.
    CCalcRunResult run = Run("3300", {});
    ASSERT_EQ(run.outcome, CCalcRunResult::Written) << run.error;
    EXPECT_EQ(ReportLine(run.report, "Mantel-Haenszel chi-square") + "\n",
              Line("Mantel-Haenszel chi-square", "      ****"));
    EXPECT_EQ(ReportLine(run.report, "Mantel-Haenszel odds ratio") + "\n",
              Line("Mantel-Haenszel odds ratio", "      ****", Interval("****", "****")));

    // n = 1: V = 0 / 0, so the chi-square is undefined, and so are both ratios (0 / 0).
    run = Run("3300", Stratum(1, 0, 0, 0));
    EXPECT_EQ(ReportLine(run.report, "Mantel-Haenszel chi-square") + "\n",
              Line("Mantel-Haenszel chi-square", "      ****"));
    EXPECT_EQ(ReportLine(run.report, "Mantel-Haenszel odds ratio") + "\n",
              Line("Mantel-Haenszel odds ratio", "      ****", Interval("****", "****")));
}

TEST_F(CCompStratTest, ZeroMantelHaenszelVarianceLeavesTheTestUndefined)
{
    // Every stratum with an empty column: each a equals its expectation and V = 0, so both the
    // Mantel-Haenszel chi-square (0.25 / 0) and each stratum's Yates chi-square (n 25 / 0) are
    // infinite. Their p-values printed 0.000000, the tail at infinity; they have none.
    const CCalcRunResult run =
        Run("3300", Stratum(5, 0, 5, 0) + std::vector<std::string>{"@1032"} + Stratum(3, 0, 4, 0));
    ASSERT_EQ(run.outcome, CCalcRunResult::Written) << run.error;
    EXPECT_NE(run.report.find(Line("Mantel-Haenszel chi-square", "      ****") + Line("p-value", "      ****")),
              std::string::npos)
        << run.report;
    EXPECT_EQ(run.report.find("0.000000"), std::string::npos) << run.report;
    const std::string yates = Line("Chi-square with Yates' correction", "      ****") + Line("p-value", "      ****");
    int blocks = 0;
    for (size_t at = run.report.find(yates); at != std::string::npos; at = run.report.find(yates, at + 1))
        ++blocks;
    EXPECT_EQ(blocks, 3) << run.report; // two strata and the crude table
}

TEST_F(CCompStratTest, LargestCountsNeitherOverflowNorRunTogether)
{
    // 16 strata of a = c = d = 1,000,000 and b = 100,000: every product is a double; the crude
    // table sums to 16,000,000 per cell, and its columns widen so counts stay apart.
    std::vector<std::string> actions = Stratum(1000000, 100000, 1000000, 1000000);
    for (int i = 1; i < 16; ++i)
        actions = actions + std::vector<std::string>{"@1032"} + Stratum(1000000, 100000, 1000000, 1000000);
    const CCalcRunResult run = Run("3300", actions);
    ASSERT_EQ(run.outcome, CCalcRunResult::Written) << run.error;
    EXPECT_NE(run.report.find(Table("\t     + | 1000000  100000 |1100000\n", "\t     - | 1000000 1000000 |2000000\n",
                                    "\t Total | 2000000 1100000 |3100000\n", 8)),
              std::string::npos);
    EXPECT_NE(
        run.report.find(Table("\t     + | 16000000  1600000 |17600000\n", "\t     - | 16000000 16000000 |32000000\n",
                              "\t Total | 32000000 17600000 |49600000\n", 9)),
        std::string::npos)
        << run.report;
    // Each stratum: RR = (1/1.1) / (1/2) = 1.82, OR = 10.00; identical strata, so the summary too.
    EXPECT_NE(ReportLine(run.report, "Mantel-Haenszel risk ratio").find(" :       1.82      ["), std::string::npos);
    EXPECT_NE(ReportLine(run.report, "Mantel-Haenszel odds ratio").find(" :      10.00      ["), std::string::npos);
    EXPECT_EQ(run.report.find("****"), std::string::npos);
}

TEST_F(CCompStratTest, DialogRefusesOutOfRangeCountsAndLongStratumTitles)
{
    struct Case
    {
        std::vector<std::string> actions;
        int focus;
        const char* prompt;
    };
    for (const Case& t :
         {Case{Stratum(1, 100001, 1, 1), 1091, "Please enter an integer between 0 and 100000."},
          Case{Stratum(1000001, 1, 1, 1), 1090, "Please enter an integer between 0 and 1000000."},
          Case{Stratum(1, 1, 1, 1000001), 1093, "Please enter an integer between 0 and 1000000."},
          Case{Stratum(1, 1, 1, 1, std::string(21, 'x')), 1023, "Please enter no more than 20 characters."}}) {
        const CCalcRunResult run = Run("3300", t.actions);
        EXPECT_TRUE(run.refusedOpen) << t.prompt;
        EXPECT_EQ(run.finalFocusId, t.focus);
        ASSERT_EQ(run.messages.size(), 1u);
        EXPECT_EQ(run.messages[0], t.prompt);
    }
    // The limits themselves pass.
    const CCalcRunResult run = Run("3300", Stratum(1000000, 100000, 1000000, 1000000, std::string(20, 'x')));
    EXPECT_EQ(run.outcome, CCalcRunResult::Written);
    EXPECT_TRUE(run.messages.empty());

    // Add and a tab switch validate too, and stop there.
    const CCalcRunResult add = Run("3300", Stratum(1, 100001, 1, 1) + std::vector<std::string>{"@1032", "1091=5"});
    EXPECT_EQ(add.outcome, CCalcRunResult::Written);
    ASSERT_EQ(add.messages.size(), 1u);
    EXPECT_EQ(add.report.find("Stratum 2"), std::string::npos);
}

TEST_F(CCompStratTest, TabSwitchesSaveTheEditsOfTheStratumLeft)
{
    // Stratum 1 edited after stratum 2 was entered; each tab switch stores the cells it leaves.
    const CCalcRunResult run =
        Run("3300", Stratum(1, 2, 3, 4, "Men") + std::vector<std::string>{"@1032"} + Stratum(5, 6, 7, 8, "Women") +
                        std::vector<std::string>{"tab=0"} + std::vector<std::string>{"1090=9"});
    ASSERT_EQ(run.outcome, CCalcRunResult::Written) << run.error;
    const size_t men = run.report.find("\nMen\n");
    const size_t women = run.report.find("\nWomen\n");
    ASSERT_NE(men, std::string::npos);
    ASSERT_NE(women, std::string::npos);
    EXPECT_LT(men, women);
    EXPECT_NE(run.report.find("\t     + |     9     2 |     11\n", men), std::string::npos);
    EXPECT_NE(run.report.find("\t     + |     5     6 |     11\n", women), std::string::npos);
    EXPECT_NE(run.report.find("\t     + |    14     8 |     22\n"), std::string::npos); // crude
    EXPECT_TRUE(m_fallbacks.empty()) << m_fallbacks.front();
}

TEST_F(CCompStratTest, ScriptedAddAndRemove)
{
    // Remove starts disabled; a disabled button cannot be pressed, which cancels the run.
    CCalcRunResult run = Run("3300", {"@1033"});
    EXPECT_NE(run.outcome, CCalcRunResult::Written);
    ASSERT_EQ(run.actionErrors.size(), 1u);
    EXPECT_EQ(run.actionErrors[0], "control 1033 is disabled");

    std::vector<std::string> sixteen(15, "@1032");
    run = Run("3300", sixteen + std::vector<std::string>{"@1032"});
    ASSERT_EQ(run.actionErrors.size(), 1u);
    EXPECT_EQ(run.actionErrors[0], "control 1032 is disabled");
    run = Run("3300", sixteen);
    ASSERT_EQ(run.outcome, CCalcRunResult::Written);
    EXPECT_NE(run.report.find("\nStratum 16\n"), std::string::npos);

    // Removing the stratum just added (the last) returns to the one before, unsaved edits dropped.
    run = Run("3300", Stratum(1, 2, 3, 4) + std::vector<std::string>{"@1032"} + Stratum(9, 9, 9, 9) +
                          std::vector<std::string>{"@1033"});
    ASSERT_EQ(run.outcome, CCalcRunResult::Written) << run.error;
    EXPECT_EQ(run.report.find("Stratum 2"), std::string::npos);
    EXPECT_NE(run.report.find("\t     + |     1     2 |      3\n"), std::string::npos);
    EXPECT_EQ(run.report.find("     9     9 |"), std::string::npos);
}

TEST_F(CCompStratTest, AddAndRemoveKeepTabsAndButtonsInStep)
{
    std::unique_ptr<CCompStrat> calc = NewCalc();
    ASSERT_TRUE(calc);
    const bool done = Probe(*calc, [](CDialog& dialog) {
        CTabCtrl& tabs = *dialog.GetTabCtrl(kTabs);
        ASSERT_EQ(tabs.GetItemCount(), 1);
        EXPECT_EQ(tabs.GetItemText(0), "Stratum 1");
        EXPECT_TRUE(dialog.IsWindowEnabled(1032));
        EXPECT_FALSE(dialog.IsWindowEnabled(1033));

        // Add labels the tab left with its stratum's title and shows a new stratum of zeros.
        dialog.UserSetText(1090, "5");
        dialog.UserSetText(1023, "Young");
        ASSERT_TRUE(dialog.UserClick(1032));
        EXPECT_EQ(tabs.GetItemText(0), "Young");
        EXPECT_EQ(tabs.GetItemText(1), "Stratum 2");
        EXPECT_EQ(tabs.GetCurSel(), 1);
        EXPECT_EQ(dialog.GetDlgItemText(1090), "0");
        EXPECT_EQ(dialog.GetDlgItemText(1023), "Stratum 2");
        EXPECT_EQ(dialog.GetFocusId(), 1090);
        EXPECT_TRUE(dialog.IsWindowEnabled(1033));

        // The stratum at index i (1 to 14) gets a = i; the 16th disables Add.
        for (int k = 3; k <= 16; ++k) {
            dialog.UserSetText(1090, std::to_string(k - 2));
            ASSERT_TRUE(dialog.UserClick(1032));
        }
        EXPECT_EQ(tabs.GetItemCount(), 16);
        EXPECT_FALSE(dialog.IsWindowEnabled(1032));
        EXPECT_FALSE(dialog.UserClick(1032));

        // Removing a middle stratum shows the one after it; removing the last the one before.
        ASSERT_TRUE(dialog.UserSelectTab(kTabs, 3));
        EXPECT_EQ(dialog.GetDlgItemText(1090), "3");
        ASSERT_TRUE(dialog.UserClick(1033));
        EXPECT_EQ(tabs.GetItemCount(), 15);
        EXPECT_EQ(tabs.GetCurSel(), 3);
        EXPECT_EQ(dialog.GetDlgItemText(1090), "4");
        EXPECT_TRUE(dialog.IsWindowEnabled(1032));
        ASSERT_TRUE(dialog.UserSelectTab(kTabs, 14));
        ASSERT_TRUE(dialog.UserClick(1033));
        EXPECT_EQ(tabs.GetCurSel(), 13);
        EXPECT_EQ(dialog.GetDlgItemText(1090), "14");

        // Down to one stratum: Remove is disabled.
        while (tabs.GetItemCount() > 1)
            ASSERT_TRUE(dialog.UserClick(1033));
        EXPECT_FALSE(dialog.IsWindowEnabled(1033));
        EXPECT_EQ(dialog.GetDlgItemText(1090), "5");
        EXPECT_EQ(dialog.GetDlgItemText(1023), "Young");
        dialog.UserClick(IDOK);
    });
    ASSERT_TRUE(done);
    ASSERT_EQ(calc->m_strata.size(), 1u);
    EXPECT_EQ(calc->m_strata[0].a, 5u);
    EXPECT_EQ(calc->m_strata[0].title, "Young");
}

TEST_F(CCompStratTest, RefusedTabSwitchKeepsTheStratumBeingEdited)
{
    std::unique_ptr<CCompStrat> calc = NewCalc();
    ASSERT_TRUE(calc);
    Probe(*calc, [](CDialog& dialog) {
        CTabCtrl& tabs = *dialog.GetTabCtrl(kTabs);
        dialog.UserClick(1032);
        dialog.UserSetText(1091, "100001");
        ASSERT_TRUE(dialog.UserSelectTab(kTabs, 0));
        EXPECT_EQ(tabs.GetCurSel(), 1);
        EXPECT_EQ(dialog.GetFocusId(), 1091);
        EXPECT_EQ(dialog.GetDlgItemText(1091), "100001");
    });
}

TEST_F(CCompStratTest, RedoShowsStoredStrataAndCancelDiscardsEveryChange)
{
    std::unique_ptr<CCompStrat> calc = NewCalc();
    ASSERT_TRUE(calc);
    calc->SetTitle("Stored");
    calc->m_level = 1;
    calc->m_strata = {CStratum{"North", 1, 2, 3, 4}, CStratum{"South", 5, 6, 7, 8}};
    const std::vector<CStratum> stored = calc->m_strata;
    const bool done = Probe(*calc, [](CDialog& dialog) {
        CTabCtrl& tabs = *dialog.GetTabCtrl(kTabs);
        // Every stored stratum under its own title; stratum 0 on show; Add and Remove on (two
        // strata, fewer than the limit).
        ASSERT_EQ(tabs.GetItemCount(), 2);
        EXPECT_EQ(tabs.GetItemText(0), "North");
        EXPECT_EQ(tabs.GetItemText(1), "South");
        EXPECT_EQ(dialog.GetDlgItemText(1022), "Stored");
        EXPECT_EQ(dialog.GetDlgItemText(1023), "North");
        EXPECT_EQ(dialog.GetDlgItemText(1093), "4");
        EXPECT_TRUE(dialog.IsDlgButtonChecked(1021));
        EXPECT_TRUE(dialog.IsWindowEnabled(1033));
        EXPECT_TRUE(dialog.IsWindowEnabled(1032));
        // Edit, add, remove, retitle: then Cancel.
        dialog.UserSetText(1090, "99");
        dialog.UserSetText(1022, "Changed");
        dialog.UserClick(1032);
        dialog.UserSelectTab(kTabs, 1);
        EXPECT_EQ(dialog.GetDlgItemText(1023), "South");
        dialog.UserClick(1033);
        dialog.UserClick(IDCANCEL);
    });
    EXPECT_FALSE(done);
    EXPECT_EQ(calc->GetTitle(), "Stored");
    EXPECT_EQ(calc->m_level, 1);
    EXPECT_EQ(calc->m_strata, stored);
    EXPECT_TRUE(calc->GetPhrases().empty());
}

TEST_F(CCompStratTest, DialogTextsComeFromTheVocabulary)
{
    std::unique_ptr<CCompStrat> calc = NewCalc();
    ASSERT_TRUE(calc);
    Probe(*calc, [](CDialog& dialog) {
        std::string error;
        EXPECT_TRUE(ValidateTemplate(dialog.GetTemplate(), error)) << error;
        EXPECT_EQ(dialog.GetTemplateId(), 167);
        EXPECT_EQ(dialog.GetWindowText(), "Contingency tables - Stratified 2x2 tables");
        EXPECT_EQ(dialog.GetDlgItemText(1105), "Title:");
        EXPECT_EQ(dialog.GetDlgItemText(1106), "Confidence level");
        EXPECT_EQ(dialog.GetDlgItemText(1107), "Stratum title:");
        EXPECT_EQ(dialog.GetDlgItemText(1127), "Exposure");
        EXPECT_EQ(dialog.GetDlgItemText(1128), "Outcome");
        EXPECT_EQ(dialog.GetDlgItemText(1032), "Add");
        EXPECT_EQ(dialog.GetDlgItemText(1033), "Remove");
        EXPECT_EQ(dialog.GetControlState(1023)->limit, 20);
        EXPECT_TRUE(dialog.GetUnknownIds().empty());
    });
    EXPECT_TRUE(m_fallbacks.empty()) << m_fallbacks.front();
}
