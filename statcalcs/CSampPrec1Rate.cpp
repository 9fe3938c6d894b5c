// CSampPrec1Rate: the sample size that estimates a rate to a given precision (type "4220").
// Its stored inputs, the size and its report, and the input dialog (template 149).
#include "CSampPrec1Rate.h"

#include "CArchive.h"
#include "CCalcDlg.h"
#include "Profile.h"
#include "SampleTables.h"
#include "StoredInputs.h"

#include <cmath>

IMPLEMENT_SERIAL(CSampPrec1Rate, CCalcBase, 0)

void CSampPrec1Rate::Serialize(CArchive& ar)
{
    CCalcBase::Serialize(ar);
    if (ar.IsStoring()) {
        ar << m_level << m_precision << m_rate;
    } else {
        m_level = ReadLevel(ar);
        ar >> m_precision >> m_rate;
    }
}

/// Input dialog: rate, precision, confidence level and title.
class CSampPrec1RateDlg : public CCalcDlg
{
public:
    CSampPrec1RateDlg();
    void Load(const CSampPrec1Rate& calc);
    void Store(CSampPrec1Rate& calc) const;

protected:
    bool OnInitDialog() override;
    void DoDataExchange(CDataExchange& dx) override;
    void OnOK() override;

private:
    double m_rate = 0.0;
    double m_precision = 0.0;
    int32_t m_level = 0;
};

bool CSampPrec1Rate::Do()
{
    if (!RunInputDialog<CSampPrec1RateDlg>(*this))
        return false;
    CWaitCursor wait;
    // n = rate / se^2 with se = precision / z (normal approximation to the Poisson count).
    const double se = m_precision / kPrecisionZ[m_level];
    const double n = m_rate / (se * se);

    InsertHeading();
    InsertResult(Term("48"), Floating(m_rate, 2), "");
    InsertResult(Term("30"), Floating(m_precision, 2), "");
    InsertResult(Term("06"), LevelText(m_level), "");
    InsertPhrase("\n", kPhrasePlain);
    InsertResult(Term("55"), SizeText(TruncSize(n)), "");
    return true;
}

enum : int
{
    kIdRate = 1057,
    kIdRateLabel = 1132,
    kIdPrecision = 1069,
    kIdPrecisionLabel = 1147,
};

static const CDialogTemplate& SampPrec1RateTemplate()
{
    static const CDialogTemplate dialogTemplate = [] {
        CDialogTemplate result{149, "Sample - Precision - Single rate", {}};
        result.controls = {
            StaticCtl(kIdRateLabel, "Rate:", 0, 0),
            EditCtl(kIdRate, 0, 1).RightAlign(),
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

CSampPrec1RateDlg::CSampPrec1RateDlg() : CCalcDlg(SampPrec1RateTemplate())
{}

void CSampPrec1RateDlg::Load(const CSampPrec1Rate& calc)
{
    m_rate = calc.m_rate;
    m_precision = calc.m_precision;
    m_level = calc.m_level;
}

void CSampPrec1RateDlg::Store(CSampPrec1Rate& calc) const
{
    calc.m_rate = m_rate;
    calc.m_precision = m_precision;
    calc.m_level = m_level;
}

bool CSampPrec1RateDlg::OnInitDialog()
{
    CCalcDlg::OnInitDialog();
    SetTerm(kIdRateLabel, "48", ":");
    SetTerm(kIdPrecisionLabel, "30", " (+/-):");
    return true;
}

void CSampPrec1RateDlg::DoDataExchange(CDataExchange& dx)
{
    DDX_Text(dx, kIdRate, m_rate);
    DDV_MinMaxDouble(dx, m_rate, 0, 1000000);
    DDX_Text(dx, kIdPrecision, m_precision);
    DDV_MinMaxDouble(dx, m_precision, 0, 1000000);
    DDX_Radio(dx, kIdLevel95, m_level);
    ExchangeTitle(dx);
}

void CSampPrec1RateDlg::OnOK()
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
