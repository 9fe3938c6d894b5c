// CSampPrec2Means: the group size that estimates a difference of means to a given precision (type "4240").
// Its stored inputs, the size and its report, and the input dialog (template 152).
#include "CSampPrec2Means.h"

#include "CArchive.h"
#include "CCalcDlg.h"
#include "Profile.h"
#include "SampleTables.h"
#include "StoredInputs.h"

#include <cmath>

IMPLEMENT_SERIAL(CSampPrec2Means, CCalcBase, 0)

void CSampPrec2Means::Serialize(CArchive& ar)
{
    CCalcBase::Serialize(ar);
    if (ar.IsStoring()) {
        ar << m_level << m_precision << m_sd1 << m_sd2;
    } else {
        m_level = ReadLevel(ar);
        ar >> m_precision >> m_sd1 >> m_sd2;
    }
}

/// Input dialog: SD 1, SD 2, precision, confidence level and title.
class CSampPrec2MeansDlg : public CCalcDlg
{
public:
    CSampPrec2MeansDlg();
    void Load(const CSampPrec2Means& calc);
    void Store(CSampPrec2Means& calc) const;

protected:
    bool OnInitDialog() override;
    void DoDataExchange(CDataExchange& dx) override;
    void OnOK() override;

private:
    double m_sd1 = 0.0;
    double m_sd2 = 0.0;
    double m_precision = 0.0;
    int32_t m_level = 0;
};

bool CSampPrec2Means::Do()
{
    if (!RunInputDialog<CSampPrec2MeansDlg>(*this))
        return false;
    CWaitCursor wait;
    // n = (SD1^2 + SD2^2) / se^2 per group, se = precision / z (normal approximation).
    const double se = m_precision / kPrecisionZ[m_level];
    const double n = (m_sd1 * m_sd1 + m_sd2 * m_sd2) / (se * se);
    const std::optional<int32_t> group = TruncSize(n);

    InsertHeading();
    InsertResult(Term("58") + " 1", Floating(m_sd1, 2), "");
    InsertResult(Term("58") + " 2", Floating(m_sd2, 2), "");
    InsertResult(Term("30"), Floating(m_precision, 2), "");
    InsertResult(Term("06"), LevelText(m_level), "");
    InsertPhrase("\n", kPhrasePlain);
    InsertResult(Term("55"), SizeText(group), Term("02"));
    InsertResult("", TotalText(group, group), Term("03"));
    return true;
}

enum : int
{
    kIdSd1 = 1070,
    kIdSd1Label = 1116,
    kIdSd2 = 1071,
    kIdSd2Label = 1117,
    kIdPrecision = 1069,
    kIdPrecisionLabel = 1147,
};

static const CDialogTemplate& SampPrec2MeansTemplate()
{
    static const CDialogTemplate dialogTemplate = [] {
        CDialogTemplate result{152, "Sample - Precision - Two means", {}};
        result.controls = {
            StaticCtl(kIdSd1Label, "SD 1:", 0, 0),
            EditCtl(kIdSd1, 0, 1).RightAlign(),
            StaticCtl(kIdSd2Label, "SD 2:", 1, 0),
            EditCtl(kIdSd2, 1, 1).RightAlign(),
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

CSampPrec2MeansDlg::CSampPrec2MeansDlg() : CCalcDlg(SampPrec2MeansTemplate())
{}

void CSampPrec2MeansDlg::Load(const CSampPrec2Means& calc)
{
    m_sd1 = calc.m_sd1;
    m_sd2 = calc.m_sd2;
    m_precision = calc.m_precision;
    m_level = calc.m_level;
}

void CSampPrec2MeansDlg::Store(CSampPrec2Means& calc) const
{
    calc.m_sd1 = m_sd1;
    calc.m_sd2 = m_sd2;
    calc.m_precision = m_precision;
    calc.m_level = m_level;
}

bool CSampPrec2MeansDlg::OnInitDialog()
{
    CCalcDlg::OnInitDialog();
    SetTerm(kIdSd1Label, "58", " 1:");
    SetTerm(kIdSd2Label, "58", " 2:");
    SetTerm(kIdPrecisionLabel, "30", " (+/-):");
    return true;
}

void CSampPrec2MeansDlg::DoDataExchange(CDataExchange& dx)
{
    DDX_Text(dx, kIdSd1, m_sd1);
    DDV_MinMaxDouble(dx, m_sd1, 0, 1000000);
    DDX_Text(dx, kIdSd2, m_sd2);
    DDV_MinMaxDouble(dx, m_sd2, 0, 1000000);
    DDX_Text(dx, kIdPrecision, m_precision);
    DDV_MinMaxDouble(dx, m_precision, 0, 1000000);
    DDX_Radio(dx, kIdLevel95, m_level);
    ExchangeTitle(dx);
}

void CSampPrec2MeansDlg::OnOK()
{
    if (!UpdateData(true))
        return;
    // Every one of them must be positive; the first that is 0 gets the focus.
    if (m_sd1 == 0 || m_sd2 == 0 || m_precision == 0) {
        AfxMessageBox(GetProfileString("Messages", "05", "05"));
        GotoDlgCtrl(m_sd1 == 0 ? kIdSd1 : m_sd2 == 0 ? kIdSd2 : kIdPrecision);
        return;
    }
    EndDialog(IDOK);
}
