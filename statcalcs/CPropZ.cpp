// CPropZ: the one- and two-tailed probabilities of a normal deviate (type "5300"): its report
// and its input dialog (template 159).
#include "CPropZ.h"

#include "CArchive.h"
#include "CCalcDlg.h"
#include "Distributions.h"

IMPLEMENT_SERIAL(CPropZ, CCalcBase, 0)

void CPropZ::Serialize(CArchive& ar)
{
    CCalcBase::Serialize(ar);
    if (ar.IsStoring()) {
        ar << m_z;
    } else {
        ar >> m_z;
    }
}

namespace
{
enum : int
{
    kIdZ = 1079,
    kIdZLabel = 1148,
};

class CPropZDlg : public CCalcDlg
{
public:
    CPropZDlg();
    void Load(const CPropZ& calc);
    void Store(CPropZ& calc) const;

protected:
    bool OnInitDialog() override;
    void DoDataExchange(CDataExchange& dx) override;

private:
    double m_z = 0.0;
};

const CDialogTemplate& PropZTemplate()
{
    static const CDialogTemplate dialogTemplate{
        159,
        "Other - Probability - Z",
        {
            StaticCtl(kIdTitleLabel, "Title:", 0, 0),
            EditCtl(kIdTitle, 0, 1).MaxChars(kMaxTitleChars),
            StaticCtl(kIdZLabel, "Z:", 1, 0),
            EditCtl(kIdZ, 1, 1).RightAlign(),
            DefButtonCtl(IDOK, "OK", 2, 0),
            ButtonCtl(IDCANCEL, "Cancel", 2, 1),
        },
    };
    return dialogTemplate;
}

CPropZDlg::CPropZDlg() : CCalcDlg(PropZTemplate())
{}

void CPropZDlg::Load(const CPropZ& calc)
{
    m_z = calc.m_z;
}

void CPropZDlg::Store(CPropZ& calc) const
{
    calc.m_z = m_z;
}

bool CPropZDlg::OnInitDialog()
{
    CCalcDlg::OnInitDialog();
    SetTerm(kIdZLabel, "74");
    return true;
}

void CPropZDlg::DoDataExchange(CDataExchange& dx)
{
    ExchangeTitle(dx);
    DDX_Text(dx, kIdZ, m_z);
    DDV_MinMaxDouble(dx, m_z, 0, 1000000);
}
} // namespace

bool CPropZ::Do()
{
    if (!RunInputDialog<CPropZDlg>(*this))
        return false;
    CWaitCursor wait;
    const double p = NormalProb(m_z);

    InsertHeading();
    InsertResult(Term("74"), Floating(m_z, 2), "");
    InsertResult(Term("22") + " " + Term("26"), Probability(m_z, p, 6), "");
    InsertResult(Term("66") + " " + Term("26"), Probability(m_z, 2 * p, 6), "");
    return true;
}
