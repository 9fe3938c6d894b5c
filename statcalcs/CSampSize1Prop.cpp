// CSampSize1Prop: the sample size to show that a proportion differs from a given one (type "4130").
// Its stored inputs, the size and its report, and the input dialog (template 143).
#include "CSampSize1Prop.h"

#include "CArchive.h"
#include "CCalcDlg.h"
#include "Profile.h"
#include "SampleTables.h"
#include "StoredInputs.h"

#include <cmath>

IMPLEMENT_SERIAL(CSampSize1Prop, CCalcBase, 0)

void CSampSize1Prop::Serialize(CArchive& ar)
{
    CCalcBase::Serialize(ar);
    // The stored order is the document format's, not the order of the fields.
    if (ar.IsStoring()) {
        ar << m_significance << m_nullPercent << m_percent << m_power;
    } else {
        m_significance = ReadChoice(ar, 3);
        ar >> m_nullPercent >> m_percent;
        m_power = ReadChoice(ar, 3);
    }
}

/// Input dialog: proportion, null-hypothesis proportion (both in percent), significance, power and title.
class CSampSize1PropDlg : public CCalcDlg
{
public:
    CSampSize1PropDlg();
    void Load(const CSampSize1Prop& calc);
    void Store(CSampSize1Prop& calc) const;

protected:
    bool OnInitDialog() override;
    void DoDataExchange(CDataExchange& dx) override;
    void OnOK() override;

private:
    double m_percent = 0.0;
    double m_nullPercent = 0.0;
    int32_t m_significance = 1;
    int32_t m_power = 0;
};

bool CSampSize1Prop::Do()
{
    if (!RunInputDialog<CSampSize1PropDlg>(*this))
        return false;
    CWaitCursor wait;
    // n = (z_beta sqrt(p(1 - p)) + z_alpha sqrt(p0(1 - p0)))^2 / (p - p0)^2 (Fleiss, one sample).
    const double p = m_percent / 100;
    const double p0 = m_nullPercent / 100;
    const double n =
        std::pow(kZBeta[m_power] * std::sqrt(p * (1 - p)) + kZAlpha[m_significance] * std::sqrt(p0 * (1 - p0)), 2) /
        std::pow(p - p0, 2);

    InsertHeading();
    InsertResult(Term("43"), Floating(m_percent, 2) + "%", "");
    InsertResult(Term("20"), Floating(m_nullPercent, 2) + "%", "");
    InsertResult(Term("60"), SignificanceText(m_significance), "");
    InsertResult(Term("29"), PowerText(m_power), "");
    InsertPhrase("\n", kPhrasePlain);
    InsertResult(Term("55"), SizeText(TruncSize(n)), "");
    return true;
}

enum : int
{
    kIdPercent = 1059,
    kIdPercentLabel = 1118,
    kIdNullPercent = 1058,
    kIdNullPercentLabel = 1129,
};

static const CDialogTemplate& SampSize1PropTemplate()
{
    static const CDialogTemplate dialogTemplate = [] {
        CDialogTemplate result{143, "Sample - Size - Single proportion", {}};
        result.controls = {
            StaticCtl(kIdPercentLabel, "Proportion (%):", 0, 0),
            EditCtl(kIdPercent, 0, 1).RightAlign(),
            StaticCtl(kIdNullPercentLabel, "Null hypothesis value:", 1, 0),
            EditCtl(kIdNullPercent, 1, 1).RightAlign(),
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

CSampSize1PropDlg::CSampSize1PropDlg() : CCalcDlg(SampSize1PropTemplate())
{}

void CSampSize1PropDlg::Load(const CSampSize1Prop& calc)
{
    m_percent = calc.m_percent;
    m_nullPercent = calc.m_nullPercent;
    m_significance = calc.m_significance;
    m_power = calc.m_power;
}

void CSampSize1PropDlg::Store(CSampSize1Prop& calc) const
{
    calc.m_percent = m_percent;
    calc.m_nullPercent = m_nullPercent;
    calc.m_significance = m_significance;
    calc.m_power = m_power;
}

bool CSampSize1PropDlg::OnInitDialog()
{
    CCalcDlg::OnInitDialog();
    SetTerm(kIdPercentLabel, "43", " (%):");
    SetTerm(kIdNullPercentLabel, "20", ":");
    SetSizeChoiceTexts(*this, "");
    return true;
}

void CSampSize1PropDlg::DoDataExchange(CDataExchange& dx)
{
    DDX_Text(dx, kIdPercent, m_percent);
    DDV_MinMaxDouble(dx, m_percent, 0, 100);
    DDX_Text(dx, kIdNullPercent, m_nullPercent);
    DDV_MinMaxDouble(dx, m_nullPercent, 0, 100);
    ExchangeSizeChoices(dx, m_significance, m_power);
    ExchangeTitle(dx);
}

void CSampSize1PropDlg::OnOK()
{
    if (!UpdateData(true))
        return;
    // The formula divides by the difference of the two proportions.
    if (m_percent == m_nullPercent) {
        AfxMessageBox(GetProfileString("Messages", "02", "02"));
        GotoDlgCtrl(kIdPercent);
        return;
    }
    EndDialog(IDOK);
}
