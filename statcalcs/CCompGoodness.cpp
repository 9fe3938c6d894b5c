// CCompGoodness: tests observed values against expected ones, goodness of fit (type "2400"):
// its stored rows, the chi-square sum and its report, and the list dialog (169).
#include "CCompGoodness.h"

#include "CArchive.h"
#include "CListEntryDlg.h"
#include "Distributions.h"
#include "ElementaryFunctions.h"
#include "FieldTable.h"
#include "Format.h"
#include "StoredInputs.h"
#include "Terms.h"

#include <cmath>

IMPLEMENT_SERIAL(CCompGoodness, CCalcBase, 0)

enum : int
{
    kIdObserved = 1155,
    kIdExpected = 1156,
    kIdObservedLabel = 1154,
    kIdExpectedLabel = 1153,
};

/// The title, then the rows: each an observed and an expected value, typed and added.
static const CFieldTable& GoodnessFields()
{
    static const CFieldTable table = [] {
        CFieldGroup rows;
        rows.name = "rows";
        rows.kind = CFieldGroup::Rows;
        rows.addId = kIdAdd;
        rows.fields = {NumberField("observed", kIdObserved, kTermObserved, 0, 1000000, ""),
                       NumberField("expected", kIdExpected, kTermExpected, 0, 1000000, "")};
        return CFieldTable{{TitleField()}, {rows}};
    }();
    return table;
}

void CCompGoodness::Serialize(CArchive& ar)
{
    CCalcBase::Serialize(ar);
    if (ar.IsStoring()) {
        ar << static_cast<int32_t>(m_rows.size());
        for (const CGoodnessRow& row : m_rows)
            ar << row.observed << row.expected;
    } else {
        const int32_t count = ReadRowCount(ar, 8 + 8);
        std::vector<CGoodnessRow> rows(static_cast<size_t>(count));
        for (CGoodnessRow& row : rows)
            ar >> row.observed >> row.expected;
        m_rows = std::move(rows);
    }
}

/// Input dialog: the title, an observed and an expected value to add, and the list of rows.
class CCompGoodnessDlg : public CListEntryDlg
{
public:
    CCompGoodnessDlg();
    void Load(const CCompGoodness& calc) { m_rows = calc.m_rows; }
    void Store(CCompGoodness& calc) const { calc.m_rows = m_rows; }

protected:
    void DoDataExchange(CDataExchange& dx) override;
    void SetEntryLabels() override;
    std::vector<CRowTexts> StoredRowTexts() const override;
    CRowTexts AddedRowTexts() const override;
    void ReadRows(const std::vector<CRowTexts>& rows) override;

private:
    std::vector<CGoodnessRow> m_rows;
    double m_observed = 0.0;
    double m_expected = 0.0;
};

const CFieldTable* CCompGoodness::Fields() const
{
    return &GoodnessFields();
}

CInputs CCompGoodness::Inputs() const
{
    std::vector<std::vector<double>> rows;
    for (const CGoodnessRow& row : m_rows)
        rows.push_back({row.observed, row.expected});
    return CInputList().Text("title", GetTitle()).Rows("rows", std::move(rows)).Take();
}

CResults CCompGoodness::Results() const
{
    // An expected value of 0 makes the sum non-finite: the statistic and its p are undefined.
    double x2 = 0.0;
    for (const CGoodnessRow& row : m_rows)
        x2 += zmath::Square(row.observed - row.expected) / row.expected;
    const int df = static_cast<int>(m_rows.size()) - 1;
    const double p = Chi2Prob(x2, df);
    return {StatisticResult("chi2", kTermChiSquare, x2, df, 2), ProbabilityResult("p_chi2", kTermPValue, x2, p, df, 6)};
}

bool CCompGoodness::Do()
{
    if (!RunInputDialog<CCompGoodnessDlg>(*this))
        return false;
    CWaitCursor wait;
    const CResults results = Results();
    InsertHeading();
    const std::string header =
        PadToWidth(Term(kTermObserved), 20, false) + PadToWidth(Term(kTermExpected), 20, false) + "\n";
    InsertPhrase(header, kPhrasePlain);
    InsertPhrase(TUnderline(header), kPhrasePlain);
    for (const CGoodnessRow& row : m_rows)
        InsertPhrase(Format("%20.2f%20.2f\n", row.observed, row.expected), kPhrasePlain);
    InsertPhrase("\n", kPhrasePlain);
    InsertResult(results, "chi2");
    InsertResult(Term(kTermDegreesOfFreedom), Integer(static_cast<int>(FindResult(results, "chi2")->df)), "");
    InsertResult(results, "p_chi2");
    InsertPhrase("\n", kPhrasePlain);
    return true;
}

static const CDialogTemplate& CompGoodnessTemplate()
{
    static const CDialogTemplate dialogTemplate{
        169,
        "Compare - Goodness of fit",
        {
            StaticCtl(kIdTitleLabel, "Title:", 0, 0),
            EditCtl(kIdTitle, 0, 1).MaxChars(kMaxTitleChars).Span(1, 2),
            StaticCtl(kIdObservedLabel, "Observed:", 1, 0),
            EditCtl(kIdObserved, 1, 1).RightAlign(),
            StaticCtl(kIdExpectedLabel, "Expected:", 2, 0),
            EditCtl(kIdExpected, 2, 1).RightAlign(),
            ButtonCtl(kIdAdd, "Add", 1, 2),
            ButtonCtl(kIdRemove, "Remove", 2, 2),
            ListCtl(kIdList, 3, 0).Span(1, 3),
            DefButtonCtl(IDOK, "OK", 4, 1),
            ButtonCtl(IDCANCEL, "Cancel", 4, 2),
        },
    };
    return dialogTemplate;
}

CCompGoodnessDlg::CCompGoodnessDlg()
    : CListEntryDlg(CompGoodnessTemplate(), {{kIdObserved, kIdExpected}, {"99", "100"}, 2, "13"})
{}

void CCompGoodnessDlg::SetEntryLabels()
{
    SetTerm(kIdObservedLabel, kTermObserved);
    SetTerm(kIdExpectedLabel, kTermExpected);
}

std::vector<CRowTexts> CCompGoodnessDlg::StoredRowTexts() const
{
    std::vector<CRowTexts> texts;
    for (const CGoodnessRow& row : m_rows)
        texts.push_back({Format("%.2f", row.observed), Format("%.2f", row.expected)});
    return texts;
}

CRowTexts CCompGoodnessDlg::AddedRowTexts() const
{
    return {Format("%.2f", m_observed), Format("%.2f", m_expected)};
}

void CCompGoodnessDlg::ReadRows(const std::vector<CRowTexts>& rows)
{
    m_rows.clear();
    for (const CRowTexts& cells : rows)
        m_rows.push_back({ListCellDouble(cells.at(0)), ListCellDouble(cells.at(1))});
}

void CCompGoodnessDlg::DoDataExchange(CDataExchange& dx)
{
    ExchangeTitle(dx);
    const CFieldTable& fields = GoodnessFields();
    ExchangeField(dx, FieldOf(fields, "observed"), m_observed);
    ExchangeField(dx, FieldOf(fields, "expected"), m_expected);
}
