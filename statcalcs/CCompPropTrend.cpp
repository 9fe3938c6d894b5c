// CCompPropTrend: chi-square test for a linear trend in proportions over scored groups
// (type "2300"): its stored groups, the statistic and its report, and the list dialog (140).
#include "CCompPropTrend.h"

#include "CArchive.h"
#include "CListEntryDlg.h"
#include "Distributions.h"
#include "FieldTable.h"
#include "Format.h"
#include "NumberParse.h"
#include "StoredInputs.h"
#include "Terms.h"

#include <algorithm>
#include <cmath>
#include <numeric>

IMPLEMENT_SERIAL(CCompPropTrend, CCalcBase, 0)

void CCompPropTrend::Serialize(CArchive& ar)
{
    CCalcBase::Serialize(ar);
    // Each group is stored as not ill, ill, score: the document format's order, not the fields'.
    if (ar.IsStoring()) {
        ar << static_cast<int32_t>(m_rows.size());
        for (const CTrendRow& row : m_rows)
            ar << row.notIll << row.ill << row.score;
    } else {
        const int32_t count = ReadRowCount(ar, 4 + 4 + 8);
        std::vector<CTrendRow> rows(static_cast<size_t>(count));
        for (CTrendRow& row : rows)
            ar >> row.notIll >> row.ill >> row.score;
        m_rows = std::move(rows);
    }
}

int32_t CCompPropTrend::SortKey(double score)
{
    // Score x 1000 truncated, kept inside the 32-bit range (a stored score may lie outside the
    // dialog's range); not a number sorts as 0.
    const double key = std::trunc(score * 1000);
    if (std::isnan(key))
        return 0;
    return static_cast<int32_t>(std::clamp(key, -2147483648.0, 2147483647.0));
}

/// Input dialog: the title, a score with its ill and not-ill counts to add, and the list of
/// groups, kept sorted by score after every Add. Scores must differ in their shown text.
class CCompPropTrendDlg : public CListEntryDlg
{
public:
    CCompPropTrendDlg();
    void Load(const CCompPropTrend& calc) { m_rows = calc.m_rows; }
    void Store(CCompPropTrend& calc) const { calc.m_rows = m_rows; }

protected:
    bool OnInitDialog() override;
    void DoDataExchange(CDataExchange& dx) override;
    void SetEntryLabels() override;
    std::vector<CRowTexts> StoredRowTexts() const override;
    CRowTexts AddedRowTexts() const override;
    int AddEntryRow() override;
    void RowRemoved(int row) override { m_keys.erase(m_keys.begin() + row); }
    void ReadRows(const std::vector<CRowTexts>& rows) override;

private:
    void SortRows();

    std::vector<CTrendRow> m_rows;
    std::vector<int32_t> m_keys; // the sort key of each list row, in list order
    double m_score = 0.0;
    uint32_t m_ill = 0;
    uint32_t m_notIll = 0;
};

namespace
{
/// An odds or risk ratio of a row in its 10-character column; one that is infinite or
/// undefined prints as "****".
std::string RatioColumn(double ratio)
{
    return std::isfinite(ratio) ? Format("%10.2f", ratio) : Format("%10s", "****");
}

/// Marks a figure that cannot be formed.
constexpr double kNoFigure = -9.99;

enum : int
{
    kIdScore = 1045,
    kIdIll = 1046,
    kIdNotIll = 1047,
    kIdScoreLabel = 1122,
    kIdIllLabel = 1123,
    kIdNotIllLabel = 1124,
};

/// The title, then the groups: each a score with its ill and not-ill counts, typed and added.
const CFieldTable& PropTrendFields()
{
    static const CFieldTable table = [] {
        CFieldGroup rows;
        rows.name = "rows";
        rows.kind = CFieldGroup::Rows;
        rows.addId = kIdAdd;
        rows.fields = {NumberField("score", kIdScore, kTermScore, 0, 1000000, ""),
                       CountField("ill", kIdIll, kTermIll, 0, 1000000, ""),
                       CountField("not_ill", kIdNotIll, kTermNotIll, 0, 1000000, "")};
        return CFieldTable{{TitleField()}, {rows}};
    }();
    return table;
}
} // namespace

const CFieldTable* CCompPropTrend::Fields() const
{
    return &PropTrendFields();
}

CInputs CCompPropTrend::Inputs() const
{
    std::vector<std::vector<double>> rows;
    for (const CTrendRow& row : m_rows)
        rows.push_back({row.score, static_cast<double>(row.ill), static_cast<double>(row.notIll)});
    return CInputList().Text("title", GetTitle()).Rows("rows", std::move(rows)).Take();
}

CResults CCompPropTrend::Results() const
{
    // Every sum and product in double: with 32-bit counts Nt^2 and A (Nt - A) would wrap.
    double t1 = 0, t2 = 0, t3 = 0, a = 0, nt = 0;
    for (const CTrendRow& row : m_rows) {
        const double n = static_cast<double>(row.ill) + row.notIll;
        t1 += row.ill * row.score;
        t2 += n * row.score;
        t3 += n * row.score * row.score;
        a += row.ill;
        nt += n;
    }
    const double u = t1 - (a / nt) * t2;
    const double v = (nt * t3 - t2 * t2) * a * (nt - a) / (nt * nt * (nt - 1));
    const double x2 = u * u / v;
    const double p = Chi2Prob(x2, 1);
    return {StatisticResult("chi2_trend", kTermChiSquareForLinearTrend, x2, 1, 2),
            ProbabilityResult("p_chi2_trend", kTermPValue, x2, p, 1, 6)};
}

bool CCompPropTrend::Do()
{
    if (!RunInputDialog<CCompPropTrendDlg>(*this))
        return false;
    CWaitCursor wait;
    const CResults results = Results();
    InsertHeading();
    std::string header;
    for (const std::string& text :
         {Term(kTermScore), Term(kTermIll), Term(kTermNotIll), "% " + Term(kTermIll), Term(kTermOR), Term(kTermRR)})
        header += PadToWidth(text, 10, false);
    header += "\n";
    InsertPhrase(header, kPhrasePlain);
    InsertPhrase(TUnderline(header), kPhrasePlain);

    // The first (lowest-scored) group is the reference of the odds and risk ratios.
    const CTrendRow& first = m_rows.front();
    const double n0 = static_cast<double>(first.ill) + first.notIll;
    const double odds0 = first.notIll != 0 ? first.ill / static_cast<double>(first.notIll) : 0;
    const double risk0 = n0 != 0 ? first.ill / n0 : 0;
    for (const CTrendRow& row : m_rows) {
        const double ill = row.ill;
        const double n = ill + row.notIll;
        const double percent = n == 0 ? kNoFigure : 100 * ill / n;
        const double oddsRatio = odds0 == 0 ? kNoFigure : (ill / row.notIll) / odds0;
        const double riskRatio = risk0 == 0 ? kNoFigure : (ill / n) / risk0;
        InsertPhrase(Format("%10.2f%10u%10u%10.2f%%", row.score, row.ill, row.notIll, percent) +
                         RatioColumn(oddsRatio) + RatioColumn(riskRatio) + "\n",
                     kPhrasePlain);
    }
    InsertPhrase("\n", kPhrasePlain);
    InsertResult(results, "chi2_trend");
    InsertResult(results, "p_chi2_trend");
    return true;
}

static const CDialogTemplate& CompPropTrendTemplate()
{
    static const CDialogTemplate dialogTemplate{
        140,
        "Compare - Proportion as trend",
        {
            StaticCtl(kIdTitleLabel, "Title:", 0, 0),
            EditCtl(kIdTitle, 0, 1).MaxChars(kMaxTitleChars).Span(1, 2),
            StaticCtl(kIdScoreLabel, "Score:", 1, 0),
            EditCtl(kIdScore, 1, 1).RightAlign(),
            StaticCtl(kIdIllLabel, "Ill:", 2, 0),
            NumberEditCtl(kIdIll, 2, 1).RightAlign(),
            StaticCtl(kIdNotIllLabel, "Not ill:", 3, 0),
            NumberEditCtl(kIdNotIll, 3, 1).RightAlign(),
            ButtonCtl(kIdAdd, "Add", 1, 2),
            ButtonCtl(kIdRemove, "Remove", 2, 2),
            ListCtl(kIdList, 4, 0).Span(1, 3),
            DefButtonCtl(IDOK, "OK", 5, 1),
            ButtonCtl(IDCANCEL, "Cancel", 5, 2),
        },
    };
    return dialogTemplate;
}

CCompPropTrendDlg::CCompPropTrendDlg()
    : CListEntryDlg(CompPropTrendTemplate(), {{kIdScore, kIdIll, kIdNotIll}, {"56", "14", "15"}, 3, "07"})
{}

bool CCompPropTrendDlg::OnInitDialog()
{
    CListEntryDlg::OnInitDialog();
    // Rows listed on opening take their sort keys from the score as shown.
    m_keys.clear();
    for (int row = 0; row < List().GetItemCount(); ++row)
        m_keys.push_back(CCompPropTrend::SortKey(ListCellDouble(List().GetItemText(row, 0))));
    return true;
}

void CCompPropTrendDlg::SetEntryLabels()
{
    SetTerm(kIdScoreLabel, kTermScore);
    SetTerm(kIdIllLabel, kTermIll);
    SetTerm(kIdNotIllLabel, kTermNotIll);
}

std::vector<CRowTexts> CCompPropTrendDlg::StoredRowTexts() const
{
    std::vector<CRowTexts> texts;
    for (const CTrendRow& row : m_rows)
        texts.push_back({Format("%.2f", row.score), Format("%u", row.ill), Format("%u", row.notIll)});
    return texts;
}

CRowTexts CCompPropTrendDlg::AddedRowTexts() const
{
    // The score as shown to two decimals; the counts as typed.
    return {Format("%.2f", m_score), GetDlgItemText(kIdIll), GetDlgItemText(kIdNotIll)};
}

int CCompPropTrendDlg::AddEntryRow()
{
    const CRowTexts texts = AddedRowTexts();
    CListCtrl& list = List();
    bool used = false;
    for (int row = 0; row < list.GetItemCount() && !used; ++row)
        used = list.GetItemText(row, 0) == texts[0];
    if (used) {
        AfxMessageBox("Score " + texts[0] + " has already been used");
    } else {
        AppendRow(texts);
        m_keys.push_back(CCompPropTrend::SortKey(m_score));
    }
    SortRows();
    return list.GetItemCount() - 1;
}

void CCompPropTrendDlg::SortRows()
{
    CListCtrl& list = List();
    const int count = list.GetItemCount();
    std::vector<int> order(static_cast<size_t>(count));
    std::iota(order.begin(), order.end(), 0);
    std::stable_sort(order.begin(), order.end(), [this](int left, int right) {
        return m_keys[static_cast<size_t>(left)] < m_keys[static_cast<size_t>(right)];
    });
    if (std::is_sorted(order.begin(), order.end()))
        return;
    // Rebuild the list in key order; the selected row stays selected.
    std::vector<CRowTexts> rows(static_cast<size_t>(count));
    for (int row = 0; row < count; ++row) {
        for (int col = 0; col < list.GetColumnCount(); ++col)
            rows[static_cast<size_t>(row)].push_back(list.GetItemText(row, col));
    }
    const int selected = list.GetSelectedRow();
    const std::vector<int32_t> keys = m_keys;
    list.DeleteAllItems();
    int newSelected = -1;
    for (int i = 0; i < count; ++i) {
        const int from = order[static_cast<size_t>(i)];
        AppendRow(rows[static_cast<size_t>(from)]);
        m_keys[static_cast<size_t>(i)] = keys[static_cast<size_t>(from)];
        if (from == selected)
            newSelected = i;
    }
    list.SelectRow(newSelected);
}

void CCompPropTrendDlg::ReadRows(const std::vector<CRowTexts>& rows)
{
    m_rows.clear();
    for (const CRowTexts& cells : rows)
        m_rows.push_back({ListCellDouble(cells.at(0)), StrToUL32(cells.at(1)), StrToUL32(cells.at(2))});
}

void CCompPropTrendDlg::DoDataExchange(CDataExchange& dx)
{
    ExchangeTitle(dx);
    const CFieldTable& fields = PropTrendFields();
    ExchangeField(dx, FieldOf(fields, "score"), m_score);
    ExchangeField(dx, FieldOf(fields, "ill"), m_ill);
    ExchangeField(dx, FieldOf(fields, "not_ill"), m_notIll);
}
