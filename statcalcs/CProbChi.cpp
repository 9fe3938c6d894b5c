// CProbChi: the upper-tail probability of a chi-square value (type "5100"): its report and its
// input dialog (template 136).
#include "CProbChi.h"

#include "CArchive.h"
#include "CCalcDlg.h"
#include "Distributions.h"

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
    SetTerm(kIdChi2Label, "72");
    SetTerm(kIdDfLabel, "10");
    return true;
}

void CProbChiDlg::DoDataExchange(CDataExchange& dx)
{
    ExchangeTitle(dx);
    DDX_Text(dx, kIdChi2, m_chi2);
    DDV_MinMaxDouble(dx, m_chi2, 0, 1000000);
    DDX_Text(dx, kIdDf, m_df);
    DDV_MinMaxUInt(dx, m_df, 1, 250);
}
} // namespace

bool CProbChi::Do()
{
    if (!RunInputDialog<CProbChiDlg>(*this))
        return false;
    CWaitCursor wait;
    const int df = static_cast<int>(m_df);
    const double p = Chi2Prob(m_chi2, df);

    InsertHeading();
    InsertResult(Term("72"), Floating(m_chi2, 2), "");
    InsertResult(Term("10"), Integer(df), "");
    InsertResult(Term("26"), Probability(m_chi2, p, 6), "");
    return true;
}
