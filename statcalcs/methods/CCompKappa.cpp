// CCompKappa: agreement of two raters (type "3600"): the stored table, kappa, weighted kappa and
// PABAK and their report, and the input dialog (template 332) with its grid of counts.
#include "CCompKappa.h"

#include "CArchive.h"
#include "DialogTemplate.h"
#include "ExactLimits.h"
#include "Format.h"
#include "Kappa.h"
#include "StoredInputs.h"
#include "Terms.h"

#include <algorithm>
#include <vector>

IMPLEMENT_SERIAL(CCompKappa, CMethodCalc, 0)

namespace
{
constexpr int kSide = CCompKappa::kMaxCategories;
constexpr double kMaxCount = 1e9;

enum : int
{
    kIdCategories = 1230,
    kIdCategoriesLabel = 1231,
    kIdGridBox = 1232,
    kIdRatersNote = 1233,
    kIdFirstCell = 1240, // row r, column c: kIdFirstCell + kSide * r + c
};

int CellId(int row, int col)
{
    return kIdFirstCell + kSide * row + col;
}

std::string CellName(int row, int col)
{
    return Format("r%dc%d", row + 1, col + 1);
}

/// The title, the number of categories, the grid's cells row by row, and the level.
const CFieldTable& KappaFields()
{
    static const CFieldTable table = [] {
        CFieldTable made;
        made.fields.push_back(TitleField());
        made.fields.push_back(CountField("categories", kIdCategories, kTermCategories, 2, kSide, "2"));
        for (int row = 0; row < kSide; ++row) {
            for (int col = 0; col < kSide; ++col) {
                CField cell = CountField(CellName(row, col), CellId(row, col), "", 0, kMaxCount);
                cell.label = Format("row %d, column %d", row + 1, col + 1);
                made.fields.push_back(cell);
            }
        }
        made.fields.push_back(AnyLevelField());
        return made;
    }();
    return table;
}

const CDialogTemplate& KappaTemplate()
{
    static const CDialogTemplate dialogTemplate = [] {
        CDialogTemplate made{332, "Contingency tables - Agreement (kappa)", {}};
        auto& c = made.controls;
        c.push_back(StaticCtl(kIdTitleLabel, "Title:", 0, 0));
        c.push_back(EditCtl(kIdTitle, 0, 1).MaxChars(kMaxTitleChars));
        c.push_back(StaticCtl(kIdCategoriesLabel, "Categories:", 1, 0));
        c.push_back(NumberEditCtl(kIdCategories, 1, 1).RightAlign());
        c.push_back(GroupBoxCtl(kIdGridBox, "Table of counts", 2, 0).Span(1, 2));
        for (int row = 0; row < kSide; ++row)
            for (int col = 0; col < kSide; ++col)
                c.push_back(NumberEditCtl(CellId(row, col), row, col).RightAlign().InGroup(kIdGridBox));
        c.push_back(StaticCtl(kIdRatersNote, "Rows: first rater; columns: second rater", 3, 0).Span(1, 2));
        AppendLevelRow(c, 4);
        c.push_back(DefButtonCtl(IDOK, "OK", 5, 0));
        c.push_back(ButtonCtl(IDCANCEL, "Cancel", 5, 1));
        return made;
    }();
    return dialogTemplate;
}

using CGrid = std::array<std::array<uint32_t, kSide>, kSide>;

/// Input dialog: title, number of categories, the grid and the level. Only the top-left block
/// of the categories' size is read on OK; the other cells are ignored.
class CCompKappaDlg : public CMethodDlg
{
public:
    CCompKappaDlg() : CMethodDlg(KappaTemplate()) {}
    void Load(const CCompKappa& calc)
    {
        m_levelPercent = calc.m_levelPercent;
        m_categories = static_cast<uint32_t>(calc.m_categories);
        m_cells = calc.m_cells;
    }
    void Store(CCompKappa& calc) const
    {
        calc.m_levelPercent = m_levelPercent;
        calc.m_categories = static_cast<int32_t>(m_categories);
        calc.m_cells = m_cells;
    }

protected:
    bool OnInitDialog() override
    {
        CMethodDlg::OnInitDialog();
        SetTerm(kIdCategoriesLabel, kTermCategories);
        SetTerm(kIdGridBox, kTermTableOfCounts, "");
        SetTerm(kIdRatersNote, kTermRatersNote, "");
        return true;
    }

    void DoDataExchange(CDataExchange& dx) override
    {
        const CFieldTable& fields = KappaFields();
        ExchangeTitle(dx);
        ExchangeField(dx, FieldOf(fields, "categories"), m_categories);
        // Showing fills the whole grid; reading takes the block in use once its size is known.
        const int used = dx.m_bSaveAndValidate ? static_cast<int>(m_categories) : kSide;
        for (int row = 0; row < used && !dx.Failed(); ++row)
            for (int col = 0; col < used; ++col)
                ExchangeField(dx, FieldOf(fields, CellName(row, col)), m_cells[row][col]);
        ExchangeLevel(dx, m_levelPercent);
    }

private:
    double m_levelPercent = 95;
    uint32_t m_categories = 2;
    CGrid m_cells{};
};

/// The seven results of one kind of kappa, their keys starting with `prefix`.
void AppendKappa(CResults& results, const std::string& prefix, const char* kappaLabel, const CKappa& kappa,
                 const std::string& level)
{
    results.push_back(EstimateResult(prefix + "observed_agreement", kTermObservedAgreement, kappa.observed, 4));
    results.push_back(EstimateResult(prefix + "expected_agreement", kTermExpectedAgreement, kappa.expected, 4));
    results.push_back(IntervalResult(prefix + "kappa", kappaLabel, kappa.kappa, kappa.lower, kappa.upper, level, 4));
    results.push_back(EstimateResult(prefix + "se", kTermStandardError, kappa.se, 4));
    results.push_back(EstimateResult(prefix + "se_null", kTermStandardErrorNull, kappa.seNull, 4));
    results.push_back(StatisticResult(prefix + "z", kTermZStatistic, kappa.z, kNoValue, 2));
    results.push_back(ProbabilityResult(prefix + "p_two_sided", TermKeys({kTermTwoTailed, kTermPValue}), kappa.z,
                                        kappa.p, kNoValue, 6));
}
} // namespace

CCompKappa::CCompKappa()
{
    for (auto& row : m_cells)
        row.fill(0);
}

void CCompKappa::Serialize(CArchive& ar)
{
    CMethodCalc::Serialize(ar);
    if (ar.IsStoring()) {
        ar << m_levelPercent << m_categories;
        for (const auto& row : m_cells)
            for (uint32_t cell : row)
                ar << cell;
    } else {
        m_levelPercent = ReadLevelPercent(ar);
        // The number of categories sizes every loop over the table.
        m_categories = ReadChoice(ar, kMaxCategories);
        if (m_categories < 2)
            ThrowFormatError("number of categories");
        for (auto& row : m_cells)
            for (uint32_t& cell : row)
                ar >> cell;
    }
}

const CFieldTable* CCompKappa::Fields() const
{
    return &KappaFields();
}

CInputs CCompKappa::Inputs() const
{
    CInputList inputs;
    inputs.Text("title", GetTitle()).Number("categories", m_categories);
    for (int row = 0; row < kSide; ++row)
        for (int col = 0; col < kSide; ++col)
            inputs.Number(CellName(row, col), row < m_categories && col < m_categories ? m_cells[row][col] : kNoValue);
    return inputs.Number("level", m_levelPercent).Take();
}

CResults CCompKappa::Results() const
{
    const int k = m_categories;
    std::vector<double> cells;
    for (int row = 0; row < k; ++row)
        for (int col = 0; col < k; ++col)
            cells.push_back(m_cells[row][col]);
    const std::string level = LevelText(m_levelPercent);
    CResults results;
    AppendKappa(results, "", kTermKappa, CohenKappa(cells, k, CKappaWeights::None, m_levelPercent), level);
    if (k == 2) {
        // PABAK = 2 po - 1 (Byrt, Bishop & Carlin 1993): its limits are the exact limits of the
        // agreeing count in the whole table, transformed.
        const double agree = cells[0] + cells[3], total = agree + cells[1] + cells[2];
        const CLimits limits = ClopperPearsonLimits(agree, total, m_levelPercent);
        const double pabak = total > 0 ? 2 * agree / total - 1 : kNoValue;
        results.push_back(
            IntervalResult("pabak", kTermPabak, pabak, 2 * limits.lower - 1, 2 * limits.upper - 1, level, 4));
    } else {
        // With two categories either weighting is the unweighted kappa.
        AppendKappa(results, "linear_", kTermWeightedKappa, CohenKappa(cells, k, CKappaWeights::Linear, m_levelPercent),
                    level);
        AppendKappa(results, "quadratic_", kTermWeightedKappa,
                    CohenKappa(cells, k, CKappaWeights::Quadratic, m_levelPercent), level);
    }
    return results;
}

bool CCompKappa::Do()
{
    if (!RunInputDialog<CCompKappaDlg>(*this))
        return false;
    CWaitCursor wait;
    const CResults results = Results();
    const std::string levelSuffix = LabelCI(LevelText(m_levelPercent));
    const auto insertKappa = [&](const char* heading, const std::string& prefix) {
        InsertSection(Term(heading));
        for (const char* key : {"observed_agreement", "expected_agreement"})
            InsertMethodResult(results, prefix + key);
        InsertMethodResult(results, prefix + "kappa", levelSuffix);
        for (const char* key : {"se", "se_null", "z", "p_two_sided"})
            InsertMethodResult(results, prefix + key);
    };
    InsertHeading();
    ReportTable();
    insertKappa(kTermUnweightedHeading, "");
    if (m_categories == 2) {
        InsertPhrase("\n", kPhrasePlain);
        InsertMethodResult(results, "pabak", levelSuffix);
    } else {
        insertKappa(kTermLinearWeights, "linear_");
        insertKappa(kTermQuadraticWeights, "quadratic_");
    }
    return true;
}

void CCompKappa::ReportTable()
{
    const int k = m_categories;
    std::array<uint64_t, kSide> rowTotals{}, colTotals{};
    uint64_t total = 0;
    for (int row = 0; row < k; ++row) {
        for (int col = 0; col < k; ++col) {
            rowTotals[row] += m_cells[row][col];
            colTotals[col] += m_cells[row][col];
            total += m_cells[row][col];
        }
    }
    // Columns as wide as the grand total and a blank, at least 7.
    const int width = std::max(7, static_cast<int>(Format("%llu", static_cast<unsigned long long>(total)).size()) + 1);
    std::string line = "      |";
    for (int col = 0; col < k; ++col)
        line += Format("%*d", width, col + 1);
    InsertPhrase(line + " |" + PadToWidth(Term(kTermTotal), static_cast<size_t>(width), false) + "\n", kPhrasePlain);
    const std::string rule = "------+" + std::string(static_cast<size_t>(width * k + 1), '-') + "+" +
                             std::string(static_cast<size_t>(width), '-') + "\n";
    InsertPhrase(rule, kPhrasePlain);
    for (int row = 0; row < k; ++row) {
        line = Format("%5d |", row + 1);
        for (int col = 0; col < k; ++col)
            line += Format("%*u", width, m_cells[row][col]);
        InsertPhrase(line + Format(" |%*llu\n", width, static_cast<unsigned long long>(rowTotals[row])), kPhrasePlain);
    }
    InsertPhrase(rule, kPhrasePlain);
    line = PadToWidth(Term(kTermTotal), 5, false) + " |";
    for (int col = 0; col < k; ++col)
        line += Format("%*llu", width, static_cast<unsigned long long>(colTotals[col]));
    InsertPhrase(line + Format(" |%*llu\n", width, static_cast<unsigned long long>(total)), kPhrasePlain);
}
