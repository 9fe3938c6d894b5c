// CSampPrec1Mean: the sample size that estimates a mean to a given precision (type "4210").
// Its stored inputs, the size and its report, and the input dialog (template 150).
#include "CSampPrec1Mean.h"

#include "CArchive.h"
#include "CCalcDlg.h"
#include "Profile.h"
#include "SampleTables.h"
#include "StoredInputs.h"

#include <cmath>

IMPLEMENT_SERIAL(CSampPrec1Mean, CCalcBase, 0)

void CSampPrec1Mean::Serialize(CArchive& ar)
{
    CCalcBase::Serialize(ar);
    if (ar.IsStoring()) {
        ar << m_level << m_precision << m_sd;
    } else {
        m_level = ReadLevel(ar);
        ar >> m_precision >> m_sd;
    }
}

/// Input dialog: SD, precision, confidence level and title.
class CSampPrec1MeanDlg : public CCalcDlg
{
public:
    CSampPrec1MeanDlg();
    void Load(const CSampPrec1Mean& calc);
    void Store(CSampPrec1Mean& calc) const;

protected:
    bool OnInitDialog() override;
    void DoDataExchange(CDataExchange& dx) override;
    void OnOK() override;

private:
    double m_sd = 0.0;
    double m_precision = 0.0;
    int32_t m_level = 0;
};

bool CSampPrec1Mean::Do()
{
    if (!RunInputDialog<CSampPrec1MeanDlg>(*this))
        return false;
    CWaitCursor wait;
    // n = SD^2 / se^2 with se = precision / z (normal approximation).
    const double se = m_precision / kPrecisionZ[m_level];
    const double n = m_sd * m_sd / (se * se);

    InsertHeading();
    InsertResult(Term("58"), Floating(m_sd, 2), "");
    InsertResult(Term("30"), Floating(m_precision, 2), "");
    InsertResult(Term("06"), LevelText(m_level), "");
    InsertPhrase("\n", kPhrasePlain);
    InsertResult(Term("55"), SizeText(TruncSize(n)), "");
    return true;
}

enum : int
{
    kIdSd = 1028,
    kIdSdLabel = 1110,
    kIdPrecision = 1069,
    kIdPrecisionLabel = 1147,
};

static const CDialogTemplate& SampPrec1MeanTemplate()
{
    static const CDialogTemplate dialogTemplate = [] {
        CDialogTemplate result{150, "Sample - Precision - Single mean", {}};
        result.controls = {
            StaticCtl(kIdSdLabel, "SD:", 0, 0),
            EditCtl(kIdSd, 0, 1).RightAlign(),
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

CSampPrec1MeanDlg::CSampPrec1MeanDlg() : CCalcDlg(SampPrec1MeanTemplate())
{}

void CSampPrec1MeanDlg::Load(const CSampPrec1Mean& calc)
{
    m_sd = calc.m_sd;
    m_precision = calc.m_precision;
    m_level = calc.m_level;
}

void CSampPrec1MeanDlg::Store(CSampPrec1Mean& calc) const
{
    calc.m_sd = m_sd;
    calc.m_precision = m_precision;
    calc.m_level = m_level;
}

bool CSampPrec1MeanDlg::OnInitDialog()
{
    CCalcDlg::OnInitDialog();
    SetTerm(kIdSdLabel, "58", ":");
    SetTerm(kIdPrecisionLabel, "30", " (+/-):");
    return true;
}

void CSampPrec1MeanDlg::DoDataExchange(CDataExchange& dx)
{
    DDX_Text(dx, kIdSd, m_sd);
    DDV_MinMaxDouble(dx, m_sd, 0, 1000000);
    DDX_Text(dx, kIdPrecision, m_precision);
    DDV_MinMaxDouble(dx, m_precision, 0, 1000000);
    DDX_Radio(dx, kIdLevel95, m_level);
    ExchangeTitle(dx);
}

void CSampPrec1MeanDlg::OnOK()
{
    if (!UpdateData(true))
        return;
    // Both enter the size: a zero SD needs no study, a zero precision an infinite one.
    if (m_sd == 0 || m_precision == 0) {
        AfxMessageBox(GetProfileString("Messages", "05", "05"));
        GotoDlgCtrl(m_sd == 0 ? kIdSd : kIdPrecision);
        return;
    }
    EndDialog(IDOK);
}
