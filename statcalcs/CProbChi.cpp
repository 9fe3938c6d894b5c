// CProbChi: the upper-tail probability of a chi-square value (type "5100"): its report and its
// input dialog (template 136).
#include "CProbChi.h"

#include "CArchive.h"
#include "CCalcDlg.h"
#include "Distributions.h"
#include "FieldTable.h"
#include "Terms.h"

IMPLEMENT_SERIAL(CProbChi, CCalcBase, 0)

void CProbChi::Serialize(CArchive& ar)
{
    CCalcBase::Serialize(ar);
    if (ar.IsStoring()) {
        ar << m_chi2 << m_df;
    } else {
        ar >> m_chi2 >> m_df;
    }
}

namespace
{
enum : int
{
    kIdDf = 1025,
    kIdChi2 = 1029,
    kIdChi2Label = 1138,
    kIdDfLabel = 1139,
};

/// The title, the chi-square value and its degrees of freedom.
const CFieldTable& ProbChiFields()
{
    static const CFieldTable table{{
                                       TitleField(),
                                       NumberField("chi2", kIdChi2, kTermChiSquare, 0, 1000000),
                                       CountField("df", kIdDf, kTermDegreesOfFreedom, 1, 250),
                                   },
                                   {}};
    return table;
}

class CProbChiDlg : public CCalcDlg
{
public:
    CProbChiDlg();
    void Load(const CProbChi& calc);
    void Store(CProbChi& calc) const;

protected:
    bool OnInitDialog() override;
    void DoDataExchange(CDataExchange& dx) override;

private:
    double m_chi2 = 0.0;
    uint32_t m_df = 0;
};

const CDialogTemplate& ProbChiTemplate()
{
    static const CDialogTemplate dialogTemplate{
        136,
        "Probability - Chi-square",
        {
            StaticCtl(kIdTitleLabel, "Title:", 0, 0),
            EditCtl(kIdTitle, 0, 1).MaxChars(kMaxTitleChars),
            StaticCtl(kIdChi2Label, "Chi-square:", 1, 0),
            EditCtl(kIdChi2, 1, 1).RightAlign(),
            StaticCtl(kIdDfLabel, "Degrees of freedom:", 2, 0),
            NumberEditCtl(kIdDf, 2, 1).RightAlign(),
            DefButtonCtl(IDOK, "OK", 3, 0),
            ButtonCtl(IDCANCEL, "Cancel", 3, 1),
        },
    };
    return dialogTemplate;
}

CProbChiDlg::CProbChiDlg() : CCalcDlg(ProbChiTemplate())
{}

void CProbChiDlg::Load(const CProbChi& calc)
{
    m_chi2 = calc.m_chi2;
    m_df = calc.m_df;
}

void CProbChiDlg::Store(CProbChi& calc) const
{
    calc.m_chi2 = m_chi2;
    calc.m_df = m_df;
}

bool CProbChiDlg::OnInitDialog()
{
    CCalcDlg::OnInitDialog();
    SetTerm(kIdChi2Label, kTermChiSquare);
    SetTerm(kIdDfLabel, kTermDegreesOfFreedom);
    return true;
}

void CProbChiDlg::DoDataExchange(CDataExchange& dx)
{
    ExchangeTitle(dx);
    const CFieldTable& fields = ProbChiFields();
    ExchangeField(dx, FieldOf(fields, "chi2"), m_chi2);
    ExchangeField(dx, FieldOf(fields, "df"), m_df);
}
} // namespace

const CFieldTable* CProbChi::Fields() const
{
    return &ProbChiFields();
}

CInputs CProbChi::Inputs() const
{
    return CInputList().Text("title", GetTitle()).Number("chi2", m_chi2).Number("df", m_df).Take();
}

CResults CProbChi::Results() const
{
    const int df = static_cast<int>(m_df);
    CResults results;
    results.push_back(StatisticResult("chi2", kTermChiSquare, m_chi2, df, 2));
    results.push_back(EstimateResult("df", kTermDegreesOfFreedom, df, 0));
    results.push_back(ProbabilityResult("p_chi2", kTermPValue, m_chi2, Chi2Prob(m_chi2, df), df, 6));
    return results;
}

bool CProbChi::Do()
{
    if (!RunInputDialog<CProbChiDlg>(*this))
        return false;
    CWaitCursor wait;
    const CResults results = Results();

    InsertHeading();
    InsertResult(results, "chi2");
    // The degrees of freedom keep their seven-wide column.
    const CResult& df = *FindResult(results, "df");
    InsertResult(ResultLabel(df), Integer(static_cast<int>(df.estimate)), "");
    InsertResult(results, "p_chi2");
    return true;
}
