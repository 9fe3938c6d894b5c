// CCompPropRxC: chi-square test of an R x C contingency table of up to 6 x 6 counts (type "3100"):
// the stored grid, the test and its report, and the input dialog (template 139) with its grid.
#include "CCompPropRxC.h"

#include "CArchive.h"
#include "CCalcDlg.h"
#include "Distributions.h"
#include "FieldTable.h"
#include "Format.h"
#include "NumberParse.h"
#include "StoredInputs.h"
#include "TableTests.h"
#include "Terms.h"

#include <algorithm>
#include <limits>

IMPLEMENT_SERIAL(CCompPropRxC, CCalcBase, 0)

CCompPropRxC::CCompPropRxC()
{
    for (auto& row : m_cells)
        row.fill(kEmptyCell);
}

void CCompPropRxC::Serialize(CArchive& ar)
{
    CCalcBase::Serialize(ar);
    // C is stored before R: the document format's order, not the fields'.
    if (ar.IsStoring()) {
        ar << m_c << m_r;
        for (const auto& row : m_cells)
            for (int32_t cell : row)
                ar << cell;
    } else {
        // The dialog and the computation index the grid with R and C.
        m_c = ReadChoice(ar, kMaxSide);
        m_r = ReadChoice(ar, kMaxSide);
        for (auto& row : m_cells)
            for (int32_t& cell : row)
                ar >> cell;
    }
}

namespace
{
using CGrid = std::array<std::array<int32_t, CCompPropRxC::kMaxSide>, CCompPropRxC::kMaxSide>;

constexpr int kIdGridBox = 1121;
constexpr int kIdRxCTitle = 1024;

/// Control ids of the grid's edits, row by row from the top, columns from the left.
constexpr int kGridIds[CCompPropRxC::kMaxSide][CCompPropRxC::kMaxSide] = {
    {1016, 1017, 1018, 1035, 1025, 1026}, {1036, 1037, 1038, 1039, 1075, 1076}, {1040, 1041, 1042, 1043, 1079, 1080},
    {1044, 1045, 1046, 1047, 1083, 1084}, {1019, 1020, 1021, 1048, 1022, 1023}, {1049, 1050, 1051, 1052, 1062, 1063},
};

/// The name of a grid cell: "r2c3" is row 2, column 3, both from 1.
std::string CellName(int row, int col)
{
    return Format("r%dc%d", row + 1, col + 1);
}

/// The title, then the grid's cells row by row. A cell takes a count up to the largest signed
/// 32-bit value; the dialog leaves a cell empty when its text is not such a count, so the range
/// is the one the grid's own reading applies, not a check that refuses.
const CFieldTable& RxCFields()
{
    static const CFieldTable table = [] {
        CFieldTable made;
        made.fields.push_back(TitleField(kIdRxCTitle));
        for (int row = 0; row < CCompPropRxC::kMaxSide; ++row) {
            for (int col = 0; col < CCompPropRxC::kMaxSide; ++col) {
                CField cell =
                    CountField(CellName(row, col), kGridIds[row][col], "", 0, std::numeric_limits<int32_t>::max(), "");
                cell.label = Format("row %d, column %d", row + 1, col + 1);
                made.fields.push_back(cell);
            }
        }
        return made;
    }();
    return table;
}

const char kTooSmall[] = "R x C table must have at least 2 rows and 2 columns";

/// The title above a group box holding the 6 x 6 grid of digits-only cells.
const CDialogTemplate& CompPropRxCTemplate()
{
    static const CDialogTemplate dialogTemplate = [] {
        CDialogTemplate made{139, "Compare - Proportions as RxC data", {}};
        made.controls.push_back(StaticCtl(kIdTitleLabel, "Title:", 0, 0));
        made.controls.push_back(EditCtl(kIdRxCTitle, 0, 1).MaxChars(kMaxTitleChars));
        made.controls.push_back(GroupBoxCtl(kIdGridBox, "R x C table", 1, 0).Span(1, 2));
        for (int row = 0; row < CCompPropRxC::kMaxSide; ++row)
            for (int col = 0; col < CCompPropRxC::kMaxSide; ++col)
                made.controls.push_back(NumberEditCtl(kGridIds[row][col], row, col).RightAlign().InGroup(kIdGridBox));
        made.controls.push_back(DefButtonCtl(IDOK, "OK", 2, 0));
        made.controls.push_back(ButtonCtl(IDCANCEL, "Cancel", 2, 1));
        return made;
    }();
    return dialogTemplate;
}

/// Input dialog: the title and the grid. Its OK reads the grid and finds the block in use.
class CCompPropRxCDlg : public CCalcDlg
{
public:
    CCompPropRxCDlg();
    void Load(const CCompPropRxC& calc);
    void Store(CCompPropRxC& calc) const;

protected:
    bool OnInitDialog() override;
    void DoDataExchange(CDataExchange& dx) override;
    void OnOK() override;

private:
    CGrid m_cells;
    int32_t m_r = 0;
    int32_t m_c = 0;
};

CCompPropRxCDlg::CCompPropRxCDlg() : CCalcDlg(CompPropRxCTemplate())
{
    for (auto& row : m_cells)
        row.fill(CCompPropRxC::kEmptyCell);
}

void CCompPropRxCDlg::Load(const CCompPropRxC& calc)
{
    m_r = calc.m_r;
    m_c = calc.m_c;
    for (int row = 0; row < m_r; ++row)
        for (int col = 0; col < m_c; ++col)
            m_cells[row][col] = calc.m_cells[row][col];
}

void CCompPropRxCDlg::Store(CCompPropRxC& calc) const
{
    calc.m_r = m_r;
    calc.m_c = m_c;
    for (int row = 0; row < m_r; ++row)
        for (int col = 0; col < m_c; ++col)
            calc.m_cells[row][col] = m_cells[row][col];
}

bool CCompPropRxCDlg::OnInitDialog()
{
    CCalcDlg::OnInitDialog();
    SetTerm(kIdGridBox, kTermTableOfCounts);
    for (int row = 0; row < CCompPropRxC::kMaxSide; ++row) {
        for (int col = 0; col < CCompPropRxC::kMaxSide; ++col) {
            const int32_t cell = m_cells[row][col];
            SetDlgItemText(kGridIds[row][col], cell == CCompPropRxC::kEmptyCell ? "" : Format("%d", cell));
        }
    }
    return true;
}

void CCompPropRxCDlg::DoDataExchange(CDataExchange& dx)
{
    ExchangeTitle(dx, kIdRxCTitle);
}

void CCompPropRxCDlg::OnOK()
{
    // A cell is empty when its text is empty, carries a minus sign or does not fit the signed
    // 32-bit cell; the block in use ends at the last row and the last column holding a number.
    m_r = 0;
    m_c = 0;
    for (int row = 0; row < CCompPropRxC::kMaxSide; ++row) {
        for (int col = 0; col < CCompPropRxC::kMaxSide; ++col) {
            const std::optional<int32_t> cell = ParseGridCell(GetDlgItemText(kGridIds[row][col]));
            m_cells[row][col] = cell.value_or(CCompPropRxC::kEmptyCell);
            if (cell) {
                m_r = std::max(m_r, row + 1);
                m_c = std::max(m_c, col + 1);
            }
        }
    }
    for (int row = 0; row < m_r; ++row)
        for (int col = 0; col < m_c; ++col)
            if (m_cells[row][col] == CCompPropRxC::kEmptyCell)
                m_cells[row][col] = 0;
    if (m_r < 2 || m_c < 2) {
        AfxMessageBox(kTooSmall);
        return;
    }
    CCalcDlg::OnOK();
}
} // namespace

const CFieldTable* CCompPropRxC::Fields() const
{
    return &RxCFields();
}

CInputs CCompPropRxC::Inputs() const
{
    CInputList inputs;
    inputs.Text("title", GetTitle());
    for (int row = 0; row < kMaxSide; ++row)
        for (int col = 0; col < kMaxSide; ++col)
            inputs.Number(CellName(row, col), row < m_r && col < m_c ? m_cells[row][col] : kNoValue);
    return inputs.Take();
}

CResults CCompPropRxC::Results() const
{
    Matrix table(kMaxSide, kMaxSide);
    for (int row = 0; row < m_r; ++row)
        for (int col = 0; col < m_c; ++col)
            table[row][col] = m_cells[row][col];
    double fractionSmall = 0;
    const double x2 = Chi2FromTable(static_cast<unsigned>(m_r), static_cast<unsigned>(m_c), table, fractionSmall);
    const int df = (m_r - 1) * (m_c - 1);
    const double p = Chi2Prob(x2, df);
    return {StatisticResult("chi2", kTermChiSquare, x2, df, 2), ProbabilityResult("p_chi2", kTermPValue, x2, p, df, 6),
            EstimateResult("percent_expected_below_5", kTermCellsExpectedBelow5, 100 * fractionSmall, 2)};
}

bool CCompPropRxC::Do()
{
    if (!RunInputDialog<CCompPropRxCDlg>(*this))
        return false;
    CWaitCursor wait;
    const CResults results = Results();
    InsertHeading();
    ReportTable();
    InsertResult(results, "chi2");
    InsertResult(Term(kTermDegreesOfFreedom), Integer(static_cast<int>(FindResult(results, "chi2")->df)), "");
    InsertResult(results, "p_chi2");
    InsertPhrase("\n", kPhrasePlain);
    // The share of small expected counts is printed with its percent sign after the number.
    const CResult& small = *FindResult(results, "percent_expected_below_5");
    InsertResult(ResultLabel(small), Floating(small.estimate, small.decimals) + "%", "");
    return true;
}

void CCompPropRxC::ReportTable()
{
    // Totals in 64 bits, printed in full.
    std::array<int64_t, kMaxSide> rowTotals{};
    std::array<int64_t, kMaxSide> colTotals{};
    int64_t total = 0;
    int64_t widest = 0;
    for (int row = 0; row < m_r; ++row) {
        for (int col = 0; col < m_c; ++col) {
            const int64_t cell = m_cells[row][col];
            rowTotals[row] += cell;
            colTotals[col] += cell;
            total += cell;
            widest = std::max(widest, cell);
        }
    }
    for (int col = 0; col < m_c; ++col)
        widest = std::max(widest, colTotals[col]);
    // The count columns are 6 characters wide; a count of 6 digits or more widens them all, so
    // that neighbouring counts never run together.
    const int width = std::max(6, static_cast<int>(Format("%lld", static_cast<long long>(widest)).size()) + 1);
    std::string dashes;
    for (int col = 0; col < m_c; ++col)
        dashes += std::string(static_cast<size_t>(width), '-');
    const std::string totalTerm = Term(kTermTotal);
    const std::string rule = Format("%7s+%s-+%7s\n", "-------", dashes.c_str(), "-------");

    InsertPhrase(Format("%7s|%*s |", "", width * m_c, "") + PadToWidth(totalTerm, 7, false) + "\n", kPhrasePlain);
    InsertPhrase(rule, kPhrasePlain);
    for (int row = 0; row < m_r; ++row) {
        std::string line = "       |";
        for (int col = 0; col < m_c; ++col)
            line += Format("%*d", width, m_cells[row][col]);
        InsertPhrase(line + Format(" |%7lld\n", static_cast<long long>(rowTotals[row])), kPhrasePlain);
    }
    InsertPhrase(rule, kPhrasePlain);
    std::string line = PadToWidth(totalTerm, 6, false) + " |";
    for (int col = 0; col < m_c; ++col)
        line += Format("%*lld", width, static_cast<long long>(colTotals[col]));
    InsertPhrase(line + Format(" |%7lld\n\n", static_cast<long long>(total)), kPhrasePlain);
}
