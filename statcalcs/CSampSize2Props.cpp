// CSampSize2Props: the sample size to show that two proportions differ (type "4160").
// Its stored inputs, the size and its report, and the input dialog (template 146).
#include "CSampSize2Props.h"

#include "CArchive.h"
#include "CCalcDlg.h"
#include "Profile.h"
#include "SampleTables.h"
#include "StoredInputs.h"

#include <cmath>

IMPLEMENT_SERIAL(CSampSize2Props, CCalcBase, 0)

void CSampSize2Props::Serialize(CArchive& ar)
{
    CCalcBase::Serialize(ar);
    // The stored order is the document format's, not the order of the fields.
    if (ar.IsStoring()) {
        ar << m_significance << m_percent1 << m_percent2 << m_power;
    } else {
        m_significance = ReadChoice(ar, 3);
        ar >> m_percent1 >> m_percent2;
        m_power = ReadChoice(ar, 3);
    }
}

/// Input dialog: proportion 1, proportion 2 (in percent), significance, power and title; it keeps its
/// resource OK and Cancel texts.
class CSampSize2PropsDlg : public CCalcDlg
{
public:
    CSampSize2PropsDlg();
    void Load(const CSampSize2Props& calc);
    void Store(CSampSize2Props& calc) const;

protected:
    bool OnInitDialog() override;
    void DoDataExchange(CDataExchange& dx) override;
    void OnOK() override;

private:
    double m_percent1 = 0.0;
    double m_percent2 = 0.0;
    int32_t m_significance = 1;
    int32_t m_power = 0;
};

bool CSampSize2Props::Do()
{
    if (!RunInputDialog<CSampSize2PropsDlg>(*this))
        return false;
    CWaitCursor wait;
    // n = (z_beta sqrt(p1(1 - p1) + p2(1 - p2)) + z_alpha sqrt(2 pm(1 - pm)))^2 / (p2 - p1)^2 per
    // group, pm the mean of the two proportions (Fleiss).
    const double p1 = m_percent1 / 100;
    const double p2 = m_percent2 / 100;
    const double pm = (p1 + p2) / 2;
    const double n = std::pow(kZBeta[m_power] * std::sqrt(p1 * (1 - p1) + p2 * (1 - p2)) +
                                  kZAlpha[m_significance] * std::sqrt(2 * pm * (1 - pm)),
                              2) /
                     std::pow(p2 - p1, 2);
    const std::optional<int32_t> group = TruncSize(n);

    InsertHeading();
    InsertResult(Term("43") + " 1", Floating(m_percent1, 2) + "%", "");
    InsertResult(Term("43") + " 2", Floating(m_percent2, 2) + "%", "");
    InsertResult(Term("60"), SignificanceText(m_significance), "");
    InsertResult(Term("29"), PowerText(m_power), "");
    InsertPhrase("\n", kPhrasePlain);
    InsertResult(Term("55"), SizeText(group), Term("02"));
    InsertResult(Term("55"), TotalText(group, group), Term("03"));
    return true;
}

enum : int
{
    kIdPercent1 = 1064,
    kIdPercent1Label = 1107,
    kIdPercent2 = 1065,
    kIdPercent2Label = 1108,
};

static const CDialogTemplate& SampSize2PropsTemplate()
{
    static const CDialogTemplate dialogTemplate = [] {
        CDialogTemplate result{146, "Sample - Size - Two proportions", {}};
        result.controls = {
            StaticCtl(kIdPercent1Label, "Proportion 1 (%):", 0, 0),
            EditCtl(kIdPercent1, 0, 1).RightAlign(),
            StaticCtl(kIdPercent2Label, "Proportion 2 (%):", 1, 0),
            EditCtl(kIdPercent2, 1, 1).RightAlign(),
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

CSampSize2PropsDlg::CSampSize2PropsDlg() : CCalcDlg(SampSize2PropsTemplate())
{
    m_keepButtonTexts = true;
}

void CSampSize2PropsDlg::Load(const CSampSize2Props& calc)
{
    m_percent1 = calc.m_percent1;
    m_percent2 = calc.m_percent2;
    m_significance = calc.m_significance;
    m_power = calc.m_power;
}

void CSampSize2PropsDlg::Store(CSampSize2Props& calc) const
{
    calc.m_percent1 = m_percent1;
    calc.m_percent2 = m_percent2;
    calc.m_significance = m_significance;
    calc.m_power = m_power;
}

bool CSampSize2PropsDlg::OnInitDialog()
{
    CCalcDlg::OnInitDialog();
    SetTerm(kIdPercent1Label, "43", "1 (%):");
    SetTerm(kIdPercent2Label, "43", "2 (%):");
    SetSizeChoiceTexts(*this, "");
    return true;
}

void CSampSize2PropsDlg::DoDataExchange(CDataExchange& dx)
{
    DDX_Text(dx, kIdPercent1, m_percent1);
    DDV_MinMaxDouble(dx, m_percent1, 0, 100);
    DDX_Text(dx, kIdPercent2, m_percent2);
    DDV_MinMaxDouble(dx, m_percent2, 0, 100);
    ExchangeSizeChoices(dx, m_significance, m_power);
    ExchangeTitle(dx);
}

void CSampSize2PropsDlg::OnOK()
{
    if (!UpdateData(true))
        return;
    // The formula divides by the difference; the focus stays where it is.
    if (m_percent1 == m_percent2) {
        AfxMessageBox(GetProfileString("Messages", "02", "02"));
        return;
    }
    EndDialog(IDOK);
}
