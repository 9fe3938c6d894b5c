// CSampSize1Rate: the sample size to show that a rate differs from a given one (type "4120").
// Its stored inputs, the size and its report, and the input dialog (template 142).
#include "CSampSize1Rate.h"

#include "CArchive.h"
#include "CCalcDlg.h"
#include "Profile.h"
#include "SampleTables.h"
#include "StoredInputs.h"

#include <cmath>

IMPLEMENT_SERIAL(CSampSize1Rate, CCalcBase, 0)

void CSampSize1Rate::Serialize(CArchive& ar)
{
    CCalcBase::Serialize(ar);
    // The stored order is the document format's, not the order of the fields.
    if (ar.IsStoring()) {
        ar << m_significance << m_nullRate << m_power << m_rate;
    } else {
        m_significance = ReadChoice(ar, 3);
        ar >> m_nullRate;
        m_power = ReadChoice(ar, 3);
        ar >> m_rate;
    }
}

/// Input dialog: rate, null-hypothesis rate, significance, power and title.
class CSampSize1RateDlg : public CCalcDlg
{
public:
    CSampSize1RateDlg();
    void Load(const CSampSize1Rate& calc);
    void Store(CSampSize1Rate& calc) const;

protected:
    bool OnInitDialog() override;
    void DoDataExchange(CDataExchange& dx) override;
    void OnOK() override;

private:
    double m_rate = 0.0;
    double m_nullRate = 0.0;
    int32_t m_significance = 1;
    int32_t m_power = 0;
};

bool CSampSize1Rate::Do()
{
    if (!RunInputDialog<CSampSize1RateDlg>(*this))
        return false;
    CWaitCursor wait;
    // n = (z_beta + z_alpha)^2 r / (r - r0)^2 (normal approximation to the Poisson count).
    const double z = kZBeta[m_power] + kZAlpha[m_significance];
    const double n = std::pow(z, 2) * m_rate / std::pow(m_rate - m_nullRate, 2);

    InsertHeading();
    InsertResult(Term("48"), Floating(m_rate, 2), "");
    InsertResult(Term("20"), Floating(m_nullRate, 2), "");
    InsertResult(Term("60"), SignificanceText(m_significance), "");
    InsertResult(Term("29"), PowerText(m_power), "");
    InsertPhrase("\n", kPhrasePlain);
    InsertResult(Term("55"), SizeText(TruncSize(n)), "");
    return true;
}

enum : int
{
    kIdRate = 1057,
    kIdRateLabel = 1132,
    kIdNullRate = 1058,
    kIdNullRateLabel = 1129,
};

static const CDialogTemplate& SampSize1RateTemplate()
{
    static const CDialogTemplate dialogTemplate = [] {
        CDialogTemplate result{142, "Sample - Size - Single rate", {}};
        result.controls = {
            StaticCtl(kIdRateLabel, "Rate:", 0, 0),
            EditCtl(kIdRate, 0, 1).RightAlign(),
            StaticCtl(kIdNullRateLabel, "Null hypothesis value:", 1, 0),
            EditCtl(kIdNullRate, 1, 1).RightAlign(),
        };
        AppendSizeChoices(result.controls, 2);
        result.controls.push_back(StaticCtl(kIdTitleLabel, "Title:", 4, 0));
        result.controls.push_back(EditCtl(kIdTitle, 4, 1).MaxChars(kMaxTitleChars));
        result.controls.push_back(DefButtonCtl(IDOK, "OK", 5, 0));
        result.controls.push_back(ButtonCtl(IDCANCEL, "Cancel", 5, 1));
        return result;
    }();
    return dialogTemplate;
}

CSampSize1RateDlg::CSampSize1RateDlg() : CCalcDlg(SampSize1RateTemplate())
{}

void CSampSize1RateDlg::Load(const CSampSize1Rate& calc)
{
    m_rate = calc.m_rate;
    m_nullRate = calc.m_nullRate;
    m_significance = calc.m_significance;
    m_power = calc.m_power;
}

void CSampSize1RateDlg::Store(CSampSize1Rate& calc) const
{
    calc.m_rate = m_rate;
    calc.m_nullRate = m_nullRate;
    calc.m_significance = m_significance;
    calc.m_power = m_power;
}

bool CSampSize1RateDlg::OnInitDialog()
{
    CCalcDlg::OnInitDialog();
    SetTerm(kIdRateLabel, "48", ":");
    SetTerm(kIdNullRateLabel, "20", ":");
    SetSizeChoiceTexts(*this, ":");
    return true;
}

void CSampSize1RateDlg::DoDataExchange(CDataExchange& dx)
{
    DDX_Text(dx, kIdRate, m_rate);
    DDV_MinMaxDouble(dx, m_rate, 0, 1000000);
    DDX_Text(dx, kIdNullRate, m_nullRate);
    DDV_MinMaxDouble(dx, m_nullRate, 0, 1000000);
    ExchangeSizeChoices(dx, m_significance, m_power);
    ExchangeTitle(dx);
}

void CSampSize1RateDlg::OnOK()
{
    if (!UpdateData(true))
        return;
    // The formula divides by the difference of the two rates.
    if (m_rate == m_nullRate) {
        AfxMessageBox(GetProfileString("Messages", "02", "02"));
        GotoDlgCtrl(kIdRate);
        return;
    }
    EndDialog(IDOK);
}
