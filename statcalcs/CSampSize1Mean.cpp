// CSampSize1Mean: the sample size to show that a mean differs from a given one (type "4110"):
// its stored inputs, the normal-approximation size and report, and the input dialog (141).
#include "CSampSize1Mean.h"

#include "CArchive.h"
#include "CCalcDlg.h"
#include "Profile.h"
#include "SampleTables.h"
#include "StoredInputs.h"

#include <cmath>

IMPLEMENT_SERIAL(CSampSize1Mean, CCalcBase, 0)

void CSampSize1Mean::Serialize(CArchive& ar)
{
    CCalcBase::Serialize(ar);
    // The stored order is the document format's, not the order of the fields.
    if (ar.IsStoring()) {
        ar << m_significance << m_mean << m_nullMean << m_power << m_sd;
    } else {
        m_significance = ReadChoice(ar, 3);
        ar >> m_mean >> m_nullMean;
        m_power = ReadChoice(ar, 3);
        ar >> m_sd;
    }
}

/// Input dialog: mean, null-hypothesis mean, SD, significance, power and title.
class CSampSize1MeanDlg : public CCalcDlg
{
public:
    CSampSize1MeanDlg();
    void Load(const CSampSize1Mean& calc);
    void Store(CSampSize1Mean& calc) const;

protected:
    bool OnInitDialog() override;
    void DoDataExchange(CDataExchange& dx) override;
    void OnOK() override;

private:
    double m_mean = 0.0;
    double m_nullMean = 0.0;
    double m_sd = 0.0;
    int32_t m_significance = 1;
    int32_t m_power = 0;
};

bool CSampSize1Mean::Do()
{
    if (!RunInputDialog<CSampSize1MeanDlg>(*this))
        return false;
    CWaitCursor wait;
    // n = (z_beta + z_alpha)^2 SD^2 / (mean - null mean)^2 (normal approximation, one sample).
    const double z = kZBeta[m_power] + kZAlpha[m_significance];
    const double n = std::pow(z, 2) * std::pow(m_sd, 2) / std::pow(m_mean - m_nullMean, 2);

    InsertHeading();
    InsertResult(Term("17"), Floating(m_mean, 2), "");
    InsertResult(Term("20"), Floating(m_nullMean, 2), "");
    InsertResult(Term("58"), Floating(m_sd, 2), "");
    InsertResult(Term("60"), SignificanceText(m_significance), "");
    InsertResult(Term("29"), PowerText(m_power), "");
    InsertPhrase("\n", kPhrasePlain);
    InsertResult(Term("55"), SizeText(TruncSize(n)), "");
    return true;
}

enum : int
{
    kIdMean = 1027,
    kIdNullMean = 1056,
    kIdSd = 1028,
    kIdMeanLabel = 1109,
    kIdNullMeanLabel = 1129,
    kIdSdLabel = 1110,
};

static const CDialogTemplate& SampSize1MeanTemplate()
{
    static const CDialogTemplate dialogTemplate = [] {
        CDialogTemplate result{141, "Sample - Size - Single mean", {}};
        result.controls = {
            StaticCtl(kIdMeanLabel, "Mean:", 0, 0),
            EditCtl(kIdMean, 0, 1).RightAlign(),
            StaticCtl(kIdNullMeanLabel, "Null hypothesis mean:", 1, 0),
            EditCtl(kIdNullMean, 1, 1).RightAlign(),
            StaticCtl(kIdSdLabel, "SD:", 2, 0),
            EditCtl(kIdSd, 2, 1).RightAlign(),
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

CSampSize1MeanDlg::CSampSize1MeanDlg() : CCalcDlg(SampSize1MeanTemplate())
{}

void CSampSize1MeanDlg::Load(const CSampSize1Mean& calc)
{
    m_mean = calc.m_mean;
    m_nullMean = calc.m_nullMean;
    m_sd = calc.m_sd;
    m_significance = calc.m_significance;
    m_power = calc.m_power;
}

void CSampSize1MeanDlg::Store(CSampSize1Mean& calc) const
{
    calc.m_mean = m_mean;
    calc.m_nullMean = m_nullMean;
    calc.m_sd = m_sd;
    calc.m_significance = m_significance;
    calc.m_power = m_power;
}

bool CSampSize1MeanDlg::OnInitDialog()
{
    CCalcDlg::OnInitDialog();
    SetTerm(kIdMeanLabel, "17");
    SetTerm(kIdNullMeanLabel, "20");
    SetTerm(kIdSdLabel, "58");
    SetSizeChoiceTexts(*this, "");
    return true;
}

void CSampSize1MeanDlg::DoDataExchange(CDataExchange& dx)
{
    DDX_Text(dx, kIdMean, m_mean);
    DDX_Text(dx, kIdNullMean, m_nullMean);
    DDX_Text(dx, kIdSd, m_sd);
    DDV_MinMaxDouble(dx, m_sd, 0, 1000000);
    ExchangeSizeChoices(dx, m_significance, m_power);
    ExchangeTitle(dx);
}

void CSampSize1MeanDlg::OnOK()
{
    if (!UpdateData(true))
        return;
    // The formula divides by the difference of the two means.
    if (m_mean == m_nullMean) {
        AfxMessageBox(GetProfileString("Messages", "02", "02"));
        GotoDlgCtrl(kIdMean);
        return;
    }
    EndDialog(IDOK);
}
