// CSampSize2Means: the sample size to show that two means differ (type "4140").
// Its stored inputs, the size and its report, and the input dialog (template 144).
#include "CSampSize2Means.h"

#include "CArchive.h"
#include "CCalcDlg.h"
#include "Profile.h"
#include "SampleTables.h"
#include "StoredInputs.h"

#include <cmath>

IMPLEMENT_SERIAL(CSampSize2Means, CCalcBase, 0)

void CSampSize2Means::Serialize(CArchive& ar)
{
    CCalcBase::Serialize(ar);
    // The stored order is the document format's, not the order of the fields.
    if (ar.IsStoring()) {
        ar << m_significance << m_mean1 << m_mean2 << m_power << m_sd;
    } else {
        m_significance = ReadChoice(ar, 3);
        ar >> m_mean1 >> m_mean2;
        m_power = ReadChoice(ar, 3);
        ar >> m_sd;
    }
}

/// Input dialog: mean 1, mean 2, SD, significance, power and title.
class CSampSize2MeansDlg : public CCalcDlg
{
public:
    CSampSize2MeansDlg();
    void Load(const CSampSize2Means& calc);
    void Store(CSampSize2Means& calc) const;

protected:
    bool OnInitDialog() override;
    void DoDataExchange(CDataExchange& dx) override;
    void OnOK() override;

private:
    double m_mean1 = 0.0;
    double m_mean2 = 0.0;
    double m_sd = 0.0;
    int32_t m_significance = 1;
    int32_t m_power = 0;
};

bool CSampSize2Means::Do()
{
    if (!RunInputDialog<CSampSize2MeansDlg>(*this))
        return false;
    CWaitCursor wait;
    // n = SD^2 2 (z_beta + z_alpha)^2 / (mean 1 - mean 2)^2 per group (normal approximation).
    const double z = kZBeta[m_power] + kZAlpha[m_significance];
    const double n = std::pow(m_sd, 2) * 2 * std::pow(z, 2) / std::pow(m_mean1 - m_mean2, 2);
    const std::optional<int32_t> group = TruncSize(n);

    InsertHeading();
    InsertResult(Term("17") + " 1", Floating(m_mean1, 2), "");
    InsertResult(Term("17") + " 2", Floating(m_mean2, 2), "");
    InsertResult(Term("58"), Floating(m_sd, 2), "");
    InsertResult(Term("60"), SignificanceText(m_significance), "");
    InsertResult(Term("29"), PowerText(m_power), "");
    InsertPhrase("\n", kPhrasePlain);
    InsertResult(Term("55"), SizeText(group), Term("02"));
    InsertResult("", TotalText(group, group), Term("03"));
    return true;
}

enum : int
{
    kIdMean1 = 1061,
    kIdMean1Label = 1114,
    kIdMean2 = 1060,
    kIdMean2Label = 1115,
    kIdSd = 1028,
    kIdSdLabel = 1110,
};

static const CDialogTemplate& SampSize2MeansTemplate()
{
    static const CDialogTemplate dialogTemplate = [] {
        CDialogTemplate result{144, "Sample - Size - Two means", {}};
        result.controls = {
            StaticCtl(kIdMean1Label, "Mean 1:", 0, 0), EditCtl(kIdMean1, 0, 1).RightAlign(),
            StaticCtl(kIdMean2Label, "Mean 2:", 1, 0), EditCtl(kIdMean2, 1, 1).RightAlign(),
            StaticCtl(kIdSdLabel, "SD:", 2, 0),        EditCtl(kIdSd, 2, 1).RightAlign(),
        };
        AppendSizeChoices(result.controls, 3);
        result.controls.push_back(StaticCtl(kIdTitleLabel, "Title:", 5, 0));
        result.controls.push_back(EditCtl(kIdTitle, 5, 1).MaxChars(kMaxTitleChars));
        result.controls.push_back(DefButtonCtl(IDOK, "OK", 6, 0));
        result.controls.push_back(ButtonCtl(IDCANCEL, "Cancel", 6, 1));
        return result;
    }();
    return dialogTemplate;
}

CSampSize2MeansDlg::CSampSize2MeansDlg() : CCalcDlg(SampSize2MeansTemplate())
{}

void CSampSize2MeansDlg::Load(const CSampSize2Means& calc)
{
    m_mean1 = calc.m_mean1;
    m_mean2 = calc.m_mean2;
    m_sd = calc.m_sd;
    m_significance = calc.m_significance;
    m_power = calc.m_power;
}

void CSampSize2MeansDlg::Store(CSampSize2Means& calc) const
{
    calc.m_mean1 = m_mean1;
    calc.m_mean2 = m_mean2;
    calc.m_sd = m_sd;
    calc.m_significance = m_significance;
    calc.m_power = m_power;
}

bool CSampSize2MeansDlg::OnInitDialog()
{
    CCalcDlg::OnInitDialog();
    SetTerm(kIdMean1Label, "17", " 1:");
    SetTerm(kIdMean2Label, "17", " 2:");
    SetTerm(kIdSdLabel, "58", ":");
    SetSizeChoiceTexts(*this, "");
    return true;
}

void CSampSize2MeansDlg::DoDataExchange(CDataExchange& dx)
{
    DDX_Text(dx, kIdMean1, m_mean1);
    DDV_MinMaxDouble(dx, m_mean1, 0, 1000000);
    DDX_Text(dx, kIdMean2, m_mean2);
    DDV_MinMaxDouble(dx, m_mean2, 0, 1000000);
    DDX_Text(dx, kIdSd, m_sd);
    DDV_MinMaxDouble(dx, m_sd, 0, 1000000);
    ExchangeSizeChoices(dx, m_significance, m_power);
    ExchangeTitle(dx);
}

void CSampSize2MeansDlg::OnOK()
{
    if (!UpdateData(true))
        return;
    // The formula divides by the difference of the means; a zero SD gives no study.
    if (m_mean1 == m_mean2) {
        AfxMessageBox(GetProfileString("Messages", "02", "02"));
        GotoDlgCtrl(kIdMean1);
        return;
    }
    if (m_sd == 0) {
        AfxMessageBox(GetProfileString("Messages", "03", "03"));
        GotoDlgCtrl(kIdSd);
        return;
    }
    EndDialog(IDOK);
}
