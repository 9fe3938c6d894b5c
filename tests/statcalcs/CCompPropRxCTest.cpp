// Tests of the R x C table: the block in use found from the grid, the report with its totals and
// test, the cell texts that leave a cell empty, the largest counts, the dialog, redo and cancel.
#include "CCompPropRxC.h"

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
const char kTooSmall[] = "R x C table must have at least 2 rows and 2 columns";

std::string Line(const std::string& label, const std::string& value)
{
    return ResultLine(label, value) + "\n";
}

/// The report from its bold heading on.
std::string FromHeading(const std::string& report)
{
    const size_t heading = report.find("Contingency tables - General R x C table\n");
    return heading == std::string::npos ? report : report.substr(heading);
}

class CCompPropRxCTest : public CCalcTest
{};
} // namespace

TEST_F(CCompPropRxCTest, TopLeftBlockWithABlankCellGivesTheWholeReport)
{
    // Rows 10 20 _ / 30 40 50: the blank counts as 0. Expected counts 8 12 10 / 32 48 40, so
    // X2 = 0.5 + 5.3333 + 10 + 0.125 + 1.3333 + 2.5 = 19.79 with 2 df, p = exp(-X2 / 2).
    const CCalcRunResult run = Run("3100", {"1024=T", "1016=10", "1017=20", "1036=30", "1037=40", "1038=50"});
    ASSERT_EQ(run.outcome, CCalcRunResult::Written) << run.error;
    const std::string expected = "Contingency tables - General R x C table\nT\n\n"
                                 "       |                   |  Total\n"
                                 "-------+-------------------+-------\n"
                                 "       |    10    20     0 |     30\n"
                                 "       |    30    40    50 |    120\n"
                                 "-------+-------------------+-------\n"
                                 " Total |    40    60    50 |    150\n\n" +
                                 Line("Chi-square", "     19.79") + Line("Degrees of freedom", "      2") +
                                 Line("p-value", "      0.000051") + "\n" +
                                 Line("Cells with expected count < 5", "      0.00%");
    EXPECT_EQ(FromHeading(run.report), expected);
    EXPECT_TRUE(m_fallbacks.empty()) << m_fallbacks.front();
}

TEST_F(CCompPropRxCTest, ScatteredCellsSpanTheirBlockAndAZeroRowPrintsStars)
{
    // (1,1), (1,2) and (3,3) give a 3 x 3 block; its middle row of zeros has expected counts of
    // 0, so the test is undefined; every expected count is below 5.
    const CCalcRunResult run = Run("3100", {"1016=1", "1017=2", "1042=3"});
    ASSERT_EQ(run.outcome, CCalcRunResult::Written) << run.error;
    const std::string report = FromHeading(run.report);
    EXPECT_NE(report.find("       |     1     2     0 |      3\n"
                          "       |     0     0     0 |      0\n"
                          "       |     0     0     3 |      3\n"),
              std::string::npos)
        << report;
    EXPECT_EQ(ReportLine(report, "Chi-square") + "\n", Line("Chi-square", "      ****"));
    EXPECT_EQ(ReportLine(report, "Degrees of freedom") + "\n", Line("Degrees of freedom", "      4"));
    EXPECT_EQ(ReportLine(report, "p-value") + "\n", Line("p-value", "      ****"));
    EXPECT_EQ(ReportLine(report, "Cells with expected count < 5") + "\n",
              Line("Cells with expected count < 5", "    100.00%"));
}

TEST_F(CCompPropRxCTest, FewerThanTwoRowsOrColumnsAreRefused)
{
    for (const std::vector<std::string>& actions :
         {std::vector<std::string>{"1016=5", "1017=6", "1063="}, std::vector<std::string>{"1016=5", "1036=6"},
          std::vector<std::string>{}}) {
        const CCalcRunResult run = Run("3100", actions);
        EXPECT_TRUE(run.refusedOpen);
        EXPECT_EQ(run.outcome, CCalcRunResult::NotAdded);
        ASSERT_EQ(run.messages.size(), 1u);
        EXPECT_EQ(run.messages[0], kTooSmall);
    }
    // A title over 50 characters is refused by the exchange once the grid passes.
    const CCalcRunResult run = Run("3100", {"1016=1", "1017=2", "1036=3", "1037=4", "1024=" + std::string(51, 'x')});
    EXPECT_TRUE(run.refusedOpen);
    EXPECT_EQ(run.finalFocusId, 1024);
}

TEST_F(CCompPropRxCTest, CellTextsThatDoNotFitLeaveTheCellEmpty)
{
    // "12abc" reads 12 and "abc" 0; a minus sign or a value past 2,147,483,647 (also one that
    // fits 32 unsigned bits) empties the cell, so column 3 and row 3 are not in use.
    const CCalcRunResult run =
        Run("3100", {"1016=12abc", "1017=abc", "1018=-5", "1036=3", "1037=4", "1038=2147483648", "1040=99999999999"});
    ASSERT_EQ(run.outcome, CCalcRunResult::Written) << run.error;
    EXPECT_NE(FromHeading(run.report)
                  .find("-------+-------------+-------\n"
                        "       |    12     0 |     12\n"
                        "       |     3     4 |      7\n"
                        "-------+-------------+-------\n"
                        " Total |    15     4 |     19\n\n"),
              std::string::npos)
        << run.report;
    EXPECT_EQ(ReportLine(run.report, "Degrees of freedom") + "\n", Line("Degrees of freedom", "      1"));
}

TEST_F(CCompPropRxCTest, LargestCellsGiveTotalsInFullAndSeparateColumns)
{
    const std::string big = "2147483647";
    const CCalcRunResult run = Run("3100", {"1016=" + big, "1017=" + big, "1036=" + big, "1037=" + big});
    ASSERT_EQ(run.outcome, CCalcRunResult::Written) << run.error;
    const std::string rule = "-------+" + std::string(23, '-') + "+-------\n";
    EXPECT_NE(FromHeading(run.report)
                  .find("       |" + std::string(22, ' ') + " |  Total\n" + rule +
                        "       | 2147483647 2147483647 |4294967294\n"
                        "       | 2147483647 2147483647 |4294967294\n" +
                        rule + " Total | 4294967294 4294967294 |8589934588\n\n"),
              std::string::npos)
        << run.report;
    EXPECT_EQ(ReportLine(run.report, "Chi-square") + "\n", Line("Chi-square", "      0.00"));
    EXPECT_EQ(ReportLine(run.report, "p-value") + "\n", Line("p-value", "      1.000000"));
}

TEST_F(CCompPropRxCTest, DialogShowsTheGridWithItsVocabulary)
{
    CSnapshotHost host;
    std::unique_ptr<CCalcBase> calc(GetCalcBase("3100"));
    calc->SetTypeString("3100");
    {
        const CDialogHostGuard hostGuard(host);
        EXPECT_FALSE(calc->Do());
    }

    std::string error;
    EXPECT_TRUE(ValidateTemplate(host.m_template, error)) << error;
    EXPECT_EQ(host.m_template.id, 139);
    EXPECT_TRUE(host.m_unknownIds.empty());
    EXPECT_EQ(host.m_caption, "Contingency tables - General R x C table");
    EXPECT_EQ(host.m_texts[1105], "Title:");
    EXPECT_EQ(host.m_texts[1121], "Table of counts:");
    EXPECT_EQ(host.m_texts[1], "OK");
    EXPECT_EQ(host.m_texts[2], "Cancel");
    EXPECT_TRUE(m_fallbacks.empty()) << m_fallbacks.front();
    // The grid's corners and one inner cell sit where the user reads them.
    const struct
    {
        int id, row, col;
    } places[] = {{1016, 0, 0}, {1026, 0, 5}, {1049, 5, 0}, {1063, 5, 5}, {1048, 4, 3}, {1022, 4, 4}};
    for (const auto& place : places) {
        const CControlTemplate* cell = host.m_template.Find(place.id);
        ASSERT_NE(cell, nullptr) << place.id;
        EXPECT_EQ(cell->kind, CControlTemplate::NumberEdit);
        EXPECT_EQ(cell->group, 1121);
        EXPECT_EQ(cell->row, place.row) << place.id;
        EXPECT_EQ(cell->col, place.col) << place.id;
        EXPECT_EQ(host.m_texts[place.id], "");
    }
}

TEST_F(CCompPropRxCTest, RedoShowsTheStoredBlockAndCancelKeepsIt)
{
    CSnapshotHost host;
    const CDialogHostGuard hostGuard(host);
    std::unique_ptr<CCalcBase> base(GetCalcBase("3100"));
    auto* calc = dynamic_cast<CCompPropRxC*>(base.get());
    ASSERT_NE(calc, nullptr);
    calc->SetTypeString("3100");
    calc->SetTitle("Stored");
    calc->m_r = 2;
    calc->m_c = 3;
    calc->m_cells[0] = {1, 0, 3, 77, 77, 77};
    calc->m_cells[1] = {4, 5, 6, 77, 77, 77};
    calc->m_cells[2].fill(77);
    const auto stored = calc->m_cells;
    EXPECT_FALSE(calc->Do());

    // Only the block in use is shown; the cells outside it stay empty.
    EXPECT_EQ(host.m_texts[1024], "Stored");
    EXPECT_EQ(host.m_texts[1016], "1");
    EXPECT_EQ(host.m_texts[1017], "0");
    EXPECT_EQ(host.m_texts[1038], "6");
    EXPECT_EQ(host.m_texts[1035], "");
    EXPECT_EQ(host.m_texts[1040], "");
    EXPECT_EQ(calc->GetTitle(), "Stored");
    EXPECT_EQ(calc->m_r, 2);
    EXPECT_EQ(calc->m_c, 3);
    EXPECT_EQ(calc->m_cells, stored);
    EXPECT_TRUE(calc->GetPhrases().empty());
}
