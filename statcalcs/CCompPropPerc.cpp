// CCompPropPerc: compares several proportions, each a percentage of its sample (type "2200"):
// its stored rows, the chi-square of the N x 2 table and its report, and the list dialog (138).
#include "CCompPropPerc.h"

#include "CArchive.h"
#include "CListEntryDlg.h"
#include "Distributions.h"
#include "FieldTable.h"
#include "Format.h"
#include "Matrix.h"
#include "NumberParse.h"
#include "StoredInputs.h"
#include "TableTests.h"
#include "Terms.h"

IMPLEMENT_SERIAL(CCompPropPerc, CCalcBase, 0)

enum : int
{
    kIdPercent = 1023,
    kIdSampleSize = 1024,
    kIdPercentLabel = 1118,
    kIdSampleSizeLabel = 1111,
};

/// The title, then the rows: each a percentage and the size of its sample, typed and added.
static const CFieldTable& PropPercFields()
{
    static const CFieldTable table = [] {
        CFieldGroup rows;
        rows.name = "rows";
        rows.kind = CFieldGroup::Rows;
        rows.addId = kIdAdd;
        rows.fields = {NumberField("percent", kIdPercent, kTermProportion, 0, 100, ""),
                       CountField("size", kIdSampleSize, kTermSampleSize, 1, 1000000, "")};
        return CFieldTable{{TitleField()}, {rows}};
    }();
    return table;
}

void CCompPropPerc::Serialize(CArchive& ar)
{
    CCalcBase::Serialize(ar);
    if (ar.IsStoring()) {
        ar << static_cast<int32_t>(m_rows.size());
        for (const CPropPercRow& row : m_rows)
            ar << row.percent << row.sampleSize;
    } else {
        const int32_t count = ReadRowCount(ar, 8 + 4);
        std::vector<CPropPercRow> rows(static_cast<size_t>(count));
        for (CPropPercRow& row : rows)
            ar >> row.percent >> row.sampleSize;
        m_rows = std::move(rows);
    }
}

/// Input dialog: the title, a proportion (%) and a sample size to add, and the list of rows.
class CCompPropPercDlg : public CListEntryDlg
{
public:
    CCompPropPercDlg();
    void Load(const CCompPropPerc& calc) { m_rows = calc.m_rows; }
    void Store(CCompPropPerc& calc) const { calc.m_rows = m_rows; }

protected:
    void DoDataExchange(CDataExchange& dx) override;
    void SetEntryLabels() override;
    std::vector<CRowTexts> StoredRowTexts() const override;
    CRowTexts AddedRowTexts() const override;
    void ReadRows(const std::vector<CRowTexts>& rows) override;

private:
    std::vector<CPropPercRow> m_rows;
    double m_percent = 0.0;
    uint32_t m_sampleSize = 0;
};

const CFieldTable* CCompPropPerc::Fields() const
{
    return &PropPercFields();
}

CInputs CCompPropPerc::Inputs() const
{
    std::vector<std::vector<double>> rows;
    for (const CPropPercRow& row : m_rows)
        rows.push_back({row.percent, static_cast<double>(row.sampleSize)});
    return CInputList().Text("title", GetTitle()).Rows("rows", std::move(rows)).Take();
}

CResults CCompPropPerc::Results() const
{
    // The N x 2 table of counts with and without the attribute (not rounded).
    const int count = static_cast<int>(m_rows.size());
    Matrix table(count, 2);
    for (int i = 0; i < count; ++i) {
        const CPropPercRow& row = m_rows[static_cast<size_t>(i)];
        table[i][0] = row.sampleSize * row.percent / 100;
        table[i][1] = row.sampleSize - table[i][0];
    }
    double fractionSmall = 0.0;
    const double x2 = Chi2FromTable(static_cast<unsigned>(count), 2, table, fractionSmall);
    const int df = count - 1;
    const double p = Chi2Prob(x2, df);
    return {StatisticResult("chi2", kTermChiSquareUncorrected, x2, df, 2),
            ProbabilityResult("p_chi2", kTermPValue, x2, p, df, 6),
            EstimateResult("percent_expected_below_5", kTermCellsExpectedBelow5, 100 * fractionSmall, 2)};
}

bool CCompPropPerc::Do()
{
    if (!RunInputDialog<CCompPropPercDlg>(*this))
        return false;
    CWaitCursor wait;
    const CResults results = Results();
    InsertHeading();
    const std::string header =
        PadToWidth(Term(kTermProportion), 20, false) + PadToWidth(Term(kTermSampleSize), 20, false) + "\n";
    InsertPhrase(header, kPhrasePlain);
    InsertPhrase(TUnderline(header), kPhrasePlain);
    for (const CPropPercRow& row : m_rows)
        InsertPhrase(Format("%19.2f%%%20u\n", row.percent, row.sampleSize), kPhrasePlain);
    InsertPhrase("\n", kPhrasePlain);
    InsertResult(results, "chi2");
    InsertResult(Term(kTermDegreesOfFreedom), Integer(static_cast<int>(FindResult(results, "chi2")->df)), "");
    InsertResult(results, "p_chi2");
    InsertPhrase("\n", kPhrasePlain);
    // The share of small expected counts is printed with its percent sign after the number.
    const CResult& small = *FindResult(results, "percent_expected_below_5");
    InsertResult(ResultLabel(small), Floating(small.estimate, small.decimals) + "%", "");
    return true;
}

static const CDialogTemplate& CompPropPercTemplate()
{
    static const CDialogTemplate dialogTemplate{
        138,
        "Compare - Proportion as percentages",
        {
            StaticCtl(kIdTitleLabel, "Title:", 0, 0),
            EditCtl(kIdTitle, 0, 1).MaxChars(kMaxTitleChars).Span(1, 2),
            StaticCtl(kIdPercentLabel, "Proportion (%):", 1, 0),
            EditCtl(kIdPercent, 1, 1).RightAlign(),
            StaticCtl(kIdSampleSizeLabel, "Sample size:", 2, 0),
            NumberEditCtl(kIdSampleSize, 2, 1).RightAlign(),
            ButtonCtl(kIdAdd, "Add", 1, 2),
            ButtonCtl(kIdRemove, "Remove", 2, 2),
            ListCtl(kIdList, 3, 0).Span(1, 3),
            DefButtonCtl(IDOK, "OK", 4, 1),
            ButtonCtl(IDCANCEL, "Cancel", 4, 2),
        },
    };
    return dialogTemplate;
}

CCompPropPercDlg::CCompPropPercDlg()
    : CListEntryDlg(CompPropPercTemplate(), {{kIdPercent, kIdSampleSize}, {"43", "55"}, 2, "06"})
{}

void CCompPropPercDlg::SetEntryLabels()
{
    SetTerm(kIdPercentLabel, kTermProportion, " (%):");
    SetTerm(kIdSampleSizeLabel, kTermSampleSize);
}

std::vector<CRowTexts> CCompPropPercDlg::StoredRowTexts() const
{
    std::vector<CRowTexts> texts;
    for (const CPropPercRow& row : m_rows)
        texts.push_back({Format("%.2f", row.percent), Format("%u", row.sampleSize)});
    return texts;
}

CRowTexts CCompPropPercDlg::AddedRowTexts() const
{
    // Rows added here carry a percent sign; rows shown on opening do not.
    return {Format("%.2f%%", m_percent), Format("%u", m_sampleSize)};
}

void CCompPropPercDlg::ReadRows(const std::vector<CRowTexts>& rows)
{
    m_rows.clear();
    for (const CRowTexts& cells : rows)
        m_rows.push_back({ListCellDouble(cells.at(0)), StrToUL32(cells.at(1))});
}

void CCompPropPercDlg::DoDataExchange(CDataExchange& dx)
{
    ExchangeTitle(dx);
    const CFieldTable& fields = PropPercFields();
    ExchangeField(dx, FieldOf(fields, "percent"), m_percent);
    ExchangeField(dx, FieldOf(fields, "size"), m_sampleSize);
}
