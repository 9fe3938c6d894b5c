// CPropT: the one- and two-tailed probabilities of a Student's t value (type "5200"): its report
// and its input dialog (template 137).
#include "CPropT.h"

#include "CArchive.h"
#include "CCalcDlg.h"
#include "Distributions.h"

IMPLEMENT_SERIAL(CPropT, CCalcBase, 0)

void CPropT::Serialize(CArchive& ar)
{
    CCalcBase::Serialize(ar);
    // The stored order is the document format's, not the order of the fields.
    if (ar.IsStoring()) {
        ar << m_df << m_t;
    } else {
        ar >> m_df >> m_t;
    }
}

namespace
{
enum : int
{
    kIdDf = 1025,
    kIdT = 1030,
    kIdDfLabel = 1139,
    kIdTLabel = 1140,
};

class CPropTDlg : public CCalcDlg
{
public:
    CPropTDlg();
    void Load(const CPropT& calc);
    void Store(CPropT& calc) const;

protected:
    bool OnInitDialog() override;
    void DoDataExchange(CDataExchange& dx) override;

private:
    double m_t = 0.0;
    uint32_t m_df = 0;
};

const CDialogTemplate& PropTTemplate()
{
    static const CDialogTemplate dialogTemplate{
        137,
        "Other - Probability - Student's t",
        {
            StaticCtl(kIdTitleLabel, "Title:", 0, 0),
            EditCtl(kIdTitle, 0, 1).MaxChars(kMaxTitleChars),
            StaticCtl(kIdTLabel, "Student's t:", 1, 0),
            EditCtl(kIdT, 1, 1).RightAlign(),
            StaticCtl(kIdDfLabel, "Degrees of freedom:", 2, 0),
            NumberEditCtl(kIdDf, 2, 1).RightAlign(),
            DefButtonCtl(IDOK, "OK", 3, 0),
            ButtonCtl(IDCANCEL, "Cancel", 3, 1),
        },
    };
    return dialogTemplate;
}

CPropTDlg::CPropTDlg() : CCalcDlg(PropTTemplate())
{}

void CPropTDlg::Load(const CPropT& calc)
{
    m_t = calc.m_t;
    m_df = calc.m_df;
}

void CPropTDlg::Store(CPropT& calc) const
{
    calc.m_t = m_t;
    calc.m_df = m_df;
}

bool CPropTDlg::OnInitDialog()
{
    CCalcDlg::OnInitDialog();
    SetTerm(kIdTLabel, "73");
    SetTerm(kIdDfLabel, "10");
    return true;
}

void CPropTDlg::DoDataExchange(CDataExchange& dx)
{
    ExchangeTitle(dx);
    DDX_Text(dx, kIdT, m_t);
    DDV_MinMaxDouble(dx, m_t, 0, 1000000);
    DDX_Text(dx, kIdDf, m_df);
    DDV_MinMaxUInt(dx, m_df, 1, 250);
}
} // namespace

bool CPropT::Do()
{
    if (!RunInputDialog<CPropTDlg>(*this))
        return false;
    CWaitCursor wait;
    const int df = static_cast<int>(m_df);
    const double p = TProb(m_t, df);

    InsertHeading();
    InsertResult(Term("73"), Floating(m_t, 2), "");
    InsertResult(Term("10"), Integer(df), "");
    InsertResult(Term("22") + " " + Term("26"), Probability(m_t, p, 6), "");
    InsertResult(Term("66") + " " + Term("26"), Probability(m_t, 2 * p, 6), "");
    return true;
}
