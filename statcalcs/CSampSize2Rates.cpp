// CSampSize2Rates: the sample size to show that two rates differ (type "4150").
// Its stored inputs, the size and its report, and the input dialog (template 145).
#include "CSampSize2Rates.h"

#include "CArchive.h"
#include "CCalcDlg.h"
#include "Profile.h"
#include "SampleTables.h"
#include "StoredInputs.h"

#include <cmath>

IMPLEMENT_SERIAL(CSampSize2Rates, CCalcBase, 0)

void CSampSize2Rates::Serialize(CArchive& ar)
{
    CCalcBase::Serialize(ar);
    if (ar.IsStoring()) {
        ar << m_significance << m_power << m_rate1 << m_rate2;
    } else {
        m_significance = ReadChoice(ar, 3);
        m_power = ReadChoice(ar, 3);
        ar >> m_rate1 >> m_rate2;
    }
}

/// Input dialog: rate 1, rate 2, significance, power and title; it keeps its template caption.
class CSampSize2RatesDlg : public CCalcDlg
{
public:
    CSampSize2RatesDlg();
    void Load(const CSampSize2Rates& calc);
    void Store(CSampSize2Rates& calc) const;

protected:
    bool OnInitDialog() override;
    void DoDataExchange(CDataExchange& dx) override;
    void OnOK() override;

private:
    double m_rate1 = 0.0;
    double m_rate2 = 0.0;
    int32_t m_significance = 1;
    int32_t m_power = 0;
};

bool CSampSize2Rates::Do()
{
    if (!RunInputDialog<CSampSize2RatesDlg>(*this))
        return false;
    CWaitCursor wait;
    // n = (z_beta + z_alpha)^2 (r1 + r2) / (r1 - r2)^2 per group (normal approximation).
    const double z = kZBeta[m_power] + kZAlpha[m_significance];
    const double n = std::pow(z, 2) * (m_rate1 + m_rate2) / std::pow(m_rate1 - m_rate2, 2);
    const std::optional<int32_t> group = TruncSize(n);

    InsertHeading();
    InsertResult(Term("48") + " 1", Floating(m_rate1, 2), "");
    InsertResult(Term("48") + " 2", Floating(m_rate2, 2), "");
    InsertResult(Term("60"), SignificanceText(m_significance), "");
    InsertResult(Term("29"), PowerText(m_power), "");
    InsertPhrase("\n", kPhrasePlain);
    InsertResult(Term("55"), SizeText(group), Term("02"));
    InsertResult("", TotalText(group, group), Term("03"));
    return true;
}

enum : int
{
    kIdRate1 = 1062,
    kIdRate1Label = 1133,
    kIdRate2 = 1063,
    kIdRate2Label = 1137,
};

static const CDialogTemplate& SampSize2RatesTemplate()
{
    static const CDialogTemplate dialogTemplate = [] {
        CDialogTemplate result{145, "Sample - Size - Two rates", {}};
        result.controls = {
            StaticCtl(kIdRate1Label, "Rate 1:", 0, 0),
            EditCtl(kIdRate1, 0, 1).RightAlign(),
            StaticCtl(kIdRate2Label, "Rate 2:", 1, 0),
            EditCtl(kIdRate2, 1, 1).RightAlign(),
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

CSampSize2RatesDlg::CSampSize2RatesDlg() : CCalcDlg(SampSize2RatesTemplate())
{
    m_keepCaption = true;
}

void CSampSize2RatesDlg::Load(const CSampSize2Rates& calc)
{
    m_rate1 = calc.m_rate1;
    m_rate2 = calc.m_rate2;
    m_significance = calc.m_significance;
    m_power = calc.m_power;
}

void CSampSize2RatesDlg::Store(CSampSize2Rates& calc) const
{
    calc.m_rate1 = m_rate1;
    calc.m_rate2 = m_rate2;
    calc.m_significance = m_significance;
    calc.m_power = m_power;
}

bool CSampSize2RatesDlg::OnInitDialog()
{
    CCalcDlg::OnInitDialog();
    SetTerm(kIdRate1Label, "48", " 1:");
    SetTerm(kIdRate2Label, "48", " 2:");
    SetSizeChoiceTexts(*this, "");
    return true;
}

void CSampSize2RatesDlg::DoDataExchange(CDataExchange& dx)
{
    DDX_Text(dx, kIdRate1, m_rate1);
    DDV_MinMaxDouble(dx, m_rate1, 0, 1000000);
    DDX_Text(dx, kIdRate2, m_rate2);
    DDV_MinMaxDouble(dx, m_rate2, 0, 1000000);
    ExchangeSizeChoices(dx, m_significance, m_power);
    ExchangeTitle(dx);
}

void CSampSize2RatesDlg::OnOK()
{
    if (!UpdateData(true))
        return;
    // The formula divides by the difference of the two rates.
    if (m_rate1 == m_rate2) {
        AfxMessageBox(GetProfileString("Messages", "02", "02"));
        GotoDlgCtrl(kIdRate1);
        return;
    }
    EndDialog(IDOK);
}
