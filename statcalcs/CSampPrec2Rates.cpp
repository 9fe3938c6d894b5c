// CSampPrec2Rates: the group size that estimates a difference of rates to a given precision (type "4250").
// Its stored inputs, the size and its report, and the input dialog (template 153).
#include "CSampPrec2Rates.h"

#include "CArchive.h"
#include "CCalcDlg.h"
#include "Profile.h"
#include "SampleTables.h"
#include "StoredInputs.h"

#include <cmath>

IMPLEMENT_SERIAL(CSampPrec2Rates, CCalcBase, 0)

void CSampPrec2Rates::Serialize(CArchive& ar)
{
    CCalcBase::Serialize(ar);
    if (ar.IsStoring()) {
        ar << m_level << m_precision << m_rate1 << m_rate2;
    } else {
        m_level = ReadLevel(ar);
        ar >> m_precision >> m_rate1 >> m_rate2;
    }
}

/// Input dialog: rate 1, rate 2, precision, confidence level and title.
class CSampPrec2RatesDlg : public CCalcDlg
{
public:
    CSampPrec2RatesDlg();
    void Load(const CSampPrec2Rates& calc);
    void Store(CSampPrec2Rates& calc) const;

protected:
    bool OnInitDialog() override;
    void DoDataExchange(CDataExchange& dx) override;
    void OnOK() override;

private:
    double m_rate1 = 0.0;
    double m_rate2 = 0.0;
    double m_precision = 0.0;
    int32_t m_level = 0;
};

bool CSampPrec2Rates::Do()
{
    if (!RunInputDialog<CSampPrec2RatesDlg>(*this))
        return false;
    CWaitCursor wait;
    // n = (rate 1 + rate 2) / se^2 per group, se = precision / z (normal approximation).
    const double se = m_precision / kPrecisionZ[m_level];
    const double n = (m_rate1 + m_rate2) / (se * se);
    const std::optional<int32_t> group = TruncSize(n);

    InsertHeading();
    InsertResult(Term("48") + " 1", Floating(m_rate1, 2), "");
    InsertResult(Term("48") + " 2", Floating(m_rate2, 2), "");
    InsertResult(Term("30"), Floating(m_precision, 2), "");
    InsertResult(Term("06"), LevelText(m_level), "");
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
    kIdPrecision = 1069,
    kIdPrecisionLabel = 1147,
};

static const CDialogTemplate& SampPrec2RatesTemplate()
{
    static const CDialogTemplate dialogTemplate = [] {
        CDialogTemplate result{153, "Sample - Precision - Two rates", {}};
        result.controls = {
            StaticCtl(kIdRate1Label, "Rate 1:", 0, 0),
            EditCtl(kIdRate1, 0, 1).RightAlign(),
            StaticCtl(kIdRate2Label, "Rate 2:", 1, 0),
            EditCtl(kIdRate2, 1, 1).RightAlign(),
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

CSampPrec2RatesDlg::CSampPrec2RatesDlg() : CCalcDlg(SampPrec2RatesTemplate())
{}

void CSampPrec2RatesDlg::Load(const CSampPrec2Rates& calc)
{
    m_rate1 = calc.m_rate1;
    m_rate2 = calc.m_rate2;
    m_precision = calc.m_precision;
    m_level = calc.m_level;
}

void CSampPrec2RatesDlg::Store(CSampPrec2Rates& calc) const
{
    calc.m_rate1 = m_rate1;
    calc.m_rate2 = m_rate2;
    calc.m_precision = m_precision;
    calc.m_level = m_level;
}

bool CSampPrec2RatesDlg::OnInitDialog()
{
    CCalcDlg::OnInitDialog();
    SetTerm(kIdRate1Label, "48", " 1:");
    SetTerm(kIdRate2Label, "48", " 2:");
    SetTerm(kIdPrecisionLabel, "30", " (+/-):");
    return true;
}

void CSampPrec2RatesDlg::DoDataExchange(CDataExchange& dx)
{
    DDX_Text(dx, kIdRate1, m_rate1);
    DDV_MinMaxDouble(dx, m_rate1, 0, 1000000);
    DDX_Text(dx, kIdRate2, m_rate2);
    DDV_MinMaxDouble(dx, m_rate2, 0, 1000000);
    DDX_Text(dx, kIdPrecision, m_precision);
    DDV_MinMaxDouble(dx, m_precision, 0, 1000000);
    DDX_Radio(dx, kIdLevel95, m_level);
    ExchangeTitle(dx);
}

void CSampPrec2RatesDlg::OnOK()
{
    if (!UpdateData(true))
        return;
    // A zero precision would need an infinite sample; equal rates have no difference.
    if (m_precision == 0) {
        AfxMessageBox(GetProfileString("Messages", "04", "04"));
        GotoDlgCtrl(kIdPrecision);
        return;
    }
    if (m_rate1 == m_rate2) {
        AfxMessageBox(GetProfileString("Messages", "02", "02"));
        GotoDlgCtrl(kIdRate1);
        return;
    }
    EndDialog(IDOK);
}
