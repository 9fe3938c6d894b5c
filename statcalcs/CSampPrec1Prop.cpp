// CSampPrec1Prop: the sample size that estimates a proportion to a given precision (type "4230").
// Its stored inputs, the size and its report, and the input dialog (template 151).
#include "CSampPrec1Prop.h"

#include "CArchive.h"
#include "CCalcDlg.h"
#include "Profile.h"
#include "SampleTables.h"
#include "StoredInputs.h"

#include <cmath>

IMPLEMENT_SERIAL(CSampPrec1Prop, CCalcBase, 0)

void CSampPrec1Prop::Serialize(CArchive& ar)
{
    CCalcBase::Serialize(ar);
    if (ar.IsStoring()) {
        ar << m_level << m_percent << m_precision;
    } else {
        m_level = ReadLevel(ar);
        ar >> m_percent >> m_precision;
    }
}

/// Input dialog: proportion (%), precision (percentage points), confidence level and title.
class CSampPrec1PropDlg : public CCalcDlg
{
public:
    CSampPrec1PropDlg();
    void Load(const CSampPrec1Prop& calc);
    void Store(CSampPrec1Prop& calc) const;

protected:
    bool OnInitDialog() override;
    void DoDataExchange(CDataExchange& dx) override;
    void OnOK() override;

private:
    double m_percent = 0.0;
    double m_precision = 0.0;
    int32_t m_level = 0;
};

bool CSampPrec1Prop::Do()
{
    if (!RunInputDialog<CSampPrec1PropDlg>(*this))
        return false;
    CWaitCursor wait;
    // n = p(1 - p) / se^2 with se = (precision / 100) / z (normal approximation).
    const double p = m_percent / 100;
    const double se = m_precision / 100 / kPrecisionZ[m_level];
    const double n = p * (1 - p) / (se * se);

    InsertHeading();
    InsertResult(Term("43"), Floating(m_percent, 2) + "%", "");
    InsertResult(Term("30"), Floating(m_precision, 2) + "%", "");
    InsertResult(Term("06"), LevelText(m_level), "");
    InsertPhrase("\n", kPhrasePlain);
    InsertResult(Term("55"), SizeText(TruncSize(n)), "");
    return true;
}

enum : int
{
    kIdPercent = 1023,
    kIdPercentLabel = 1118,
    kIdPrecision = 1069,
    kIdPrecisionLabel = 1147,
};

static const CDialogTemplate& SampPrec1PropTemplate()
{
    static const CDialogTemplate dialogTemplate = [] {
        CDialogTemplate result{151, "Sample - Precision - Single proportion", {}};
        result.controls = {
            StaticCtl(kIdPercentLabel, "Proportion (%):", 0, 0),
            EditCtl(kIdPercent, 0, 1).RightAlign(),
            StaticCtl(kIdPrecisionLabel, "Precision (+/-):", 1, 0),
            EditCtl(kIdPrecision, 1, 1).RightAlign(),
            GroupBoxCtl(kIdLevelBox, "Confidence level", 2, 0).Span(1, 2),
            RadioCtl(kIdLevel95, "95%", 0, 0).InGroup(kIdLevelBox).GroupStart(),
            RadioCtl(kIdLevel99, "99%", 0, 1).InGroup(kIdLevelBox),
            StaticCtl(kIdTitleLabel, "Title:", 3, 0),
            EditCtl(kIdTitle, 3, 1).MaxChars(kMaxTitleChars),
            DefButtonCtl(IDOK, "OK", 4, 0),
            ButtonCtl(IDCANCEL, "Cancel", 4, 1),
        };
        return result;
    }();
    return dialogTemplate;
}

CSampPrec1PropDlg::CSampPrec1PropDlg() : CCalcDlg(SampPrec1PropTemplate())
{}

void CSampPrec1PropDlg::Load(const CSampPrec1Prop& calc)
{
    m_percent = calc.m_percent;
    m_precision = calc.m_precision;
    m_level = calc.m_level;
}

void CSampPrec1PropDlg::Store(CSampPrec1Prop& calc) const
{
    calc.m_percent = m_percent;
    calc.m_precision = m_precision;
    calc.m_level = m_level;
}

bool CSampPrec1PropDlg::OnInitDialog()
{
    CCalcDlg::OnInitDialog();
    SetTerm(kIdPercentLabel, "43", " (%):");
    SetTerm(kIdPrecisionLabel, "30", " (+/-):");
    return true;
}

void CSampPrec1PropDlg::DoDataExchange(CDataExchange& dx)
{
    DDX_Text(dx, kIdPercent, m_percent);
    DDV_MinMaxDouble(dx, m_percent, 0, 100);
    DDX_Text(dx, kIdPrecision, m_precision);
    DDV_MinMaxDouble(dx, m_precision, 0, 1000000);
    DDX_Radio(dx, kIdLevel95, m_level);
    ExchangeTitle(dx);
}

void CSampPrec1PropDlg::OnOK()
{
    if (!UpdateData(true))
        return;
    // A zero precision would need an infinite sample.
    if (m_precision == 0) {
        AfxMessageBox(GetProfileString("Messages", "04", "04"));
        GotoDlgCtrl(kIdPrecision);
        return;
    }
    EndDialog(IDOK);
}
