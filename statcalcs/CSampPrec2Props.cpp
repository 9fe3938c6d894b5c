// CSampPrec2Props: the group size that estimates a difference of proportions to a given precision (type "4260").
// Its stored inputs, the size and its report, and the input dialog (template 154).
#include "CSampPrec2Props.h"

#include "CArchive.h"
#include "CCalcDlg.h"
#include "Profile.h"
#include "SampleTables.h"
#include "StoredInputs.h"

#include <cmath>

IMPLEMENT_SERIAL(CSampPrec2Props, CCalcBase, 0)

void CSampPrec2Props::Serialize(CArchive& ar)
{
    CCalcBase::Serialize(ar);
    if (ar.IsStoring()) {
        ar << m_level << m_percent1 << m_percent2 << m_precision;
    } else {
        m_level = ReadLevel(ar);
        ar >> m_percent1 >> m_percent2 >> m_precision;
    }
}

/// Input dialog: proportion 1, proportion 2 (%), precision (percentage points), confidence level and
/// title.
class CSampPrec2PropsDlg : public CCalcDlg
{
public:
    CSampPrec2PropsDlg();
    void Load(const CSampPrec2Props& calc);
    void Store(CSampPrec2Props& calc) const;

protected:
    bool OnInitDialog() override;
    void DoDataExchange(CDataExchange& dx) override;
    void OnOK() override;

private:
    double m_percent1 = 0.0;
    double m_percent2 = 0.0;
    double m_precision = 0.0;
    int32_t m_level = 0;
};

bool CSampPrec2Props::Do()
{
    if (!RunInputDialog<CSampPrec2PropsDlg>(*this))
        return false;
    CWaitCursor wait;
    // n = (p1(1 - p1) + p2(1 - p2)) / se^2 per group, se = (precision / 100) / z.
    const double p1 = m_percent1 / 100;
    const double p2 = m_percent2 / 100;
    const double se = m_precision / 100 / kPrecisionZ[m_level];
    const double n = (p1 * (1 - p1) + p2 * (1 - p2)) / (se * se);
    const std::optional<int32_t> group = TruncSize(n);

    InsertHeading();
    InsertResult(Term("43") + " 1", Floating(m_percent1, 2) + "%", "");
    InsertResult(Term("43") + " 2", Floating(m_percent2, 2) + "%", "");
    InsertResult(Term("30"), Floating(m_precision, 2) + "%", "");
    InsertResult(Term("06"), LevelText(m_level), "");
    InsertPhrase("\n", kPhrasePlain);
    InsertResult(Term("55"), SizeText(group), Term("02"));
    InsertResult("", TotalText(group, group), Term("03"));
    return true;
}

enum : int
{
    kIdPercent1 = 1071,
    kIdPercent1Label = 1107,
    kIdPercent2 = 1072,
    kIdPercent2Label = 1108,
    kIdPrecision = 1069,
    kIdPrecisionLabel = 1147,
};

static const CDialogTemplate& SampPrec2PropsTemplate()
{
    static const CDialogTemplate dialogTemplate = [] {
        CDialogTemplate result{154, "Sample - Precision - Two proportions", {}};
        result.controls = {
            StaticCtl(kIdPercent1Label, "Proportion 1 (%):", 0, 0),
            EditCtl(kIdPercent1, 0, 1).RightAlign(),
            StaticCtl(kIdPercent2Label, "Proportion 2 (%):", 1, 0),
            EditCtl(kIdPercent2, 1, 1).RightAlign(),
            StaticCtl(kIdPrecisionLabel, "Precision (+/-):", 2, 0),
            EditCtl(kIdPrecision, 2, 1).RightAlign(),
            GroupBoxCtl(kIdLevelBox, "Confidence level", 3, 0).Span(1, 2),
            RadioCtl(kIdLevel95, "95%", 0, 0).InGroup(kIdLevelBox).GroupStart(),
            RadioCtl(kIdLevel99, "99%", 0, 1).InGroup(kIdLevelBox),
            StaticCtl(kIdTitleLabel, "Title:", 4, 0),
            EditCtl(kIdTitle, 4, 1).MaxChars(kMaxTitleChars),
            DefButtonCtl(IDOK, "OK", 5, 0),
            ButtonCtl(IDCANCEL, "Cancel", 5, 1),
        };
        return result;
    }();
    return dialogTemplate;
}

CSampPrec2PropsDlg::CSampPrec2PropsDlg() : CCalcDlg(SampPrec2PropsTemplate())
{}

void CSampPrec2PropsDlg::Load(const CSampPrec2Props& calc)
{
    m_percent1 = calc.m_percent1;
    m_percent2 = calc.m_percent2;
    m_precision = calc.m_precision;
    m_level = calc.m_level;
}

void CSampPrec2PropsDlg::Store(CSampPrec2Props& calc) const
{
    calc.m_percent1 = m_percent1;
    calc.m_percent2 = m_percent2;
    calc.m_precision = m_precision;
    calc.m_level = m_level;
}

bool CSampPrec2PropsDlg::OnInitDialog()
{
    CCalcDlg::OnInitDialog();
    SetTerm(kIdPercent1Label, "43", " 1 (%):");
    SetTerm(kIdPercent2Label, "43", " 2 (%):");
    SetTerm(kIdPrecisionLabel, "30", " (+/-):");
    return true;
}

void CSampPrec2PropsDlg::DoDataExchange(CDataExchange& dx)
{
    DDX_Text(dx, kIdPercent1, m_percent1);
    DDV_MinMaxDouble(dx, m_percent1, 0, 100);
    DDX_Text(dx, kIdPercent2, m_percent2);
    DDV_MinMaxDouble(dx, m_percent2, 0, 100);
    DDX_Text(dx, kIdPrecision, m_precision);
    DDV_MinMaxDouble(dx, m_precision, 0, 1000000);
    DDX_Radio(dx, kIdLevel95, m_level);
    ExchangeTitle(dx);
}

void CSampPrec2PropsDlg::OnOK()
{
    if (!UpdateData(true))
        return;
    // A zero precision would need an infinite sample; equal proportions have no difference.
    if (m_precision == 0) {
        AfxMessageBox(GetProfileString("Messages", "04", "04"));
        GotoDlgCtrl(kIdPrecision);
        return;
    }
    if (m_percent1 == m_percent2) {
        AfxMessageBox(GetProfileString("Messages", "02", "02"));
        GotoDlgCtrl(kIdPercent1);
        return;
    }
    EndDialog(IDOK);
}
