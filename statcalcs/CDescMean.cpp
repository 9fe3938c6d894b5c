// CDescMean: a mean with its t interval (type "1300"): its stored inputs, the interval and
// report, and the input dialog (template 134).
#include "CDescMean.h"

#include "CArchive.h"
#include "CCalcDlg.h"
#include "Distributions.h"
#include "StoredInputs.h"

#include <cmath>

IMPLEMENT_SERIAL(CDescMean, CCalcBase, 0)

void CDescMean::Serialize(CArchive& ar)
{
    CCalcBase::Serialize(ar);
    if (ar.IsStoring()) {
        ar << m_level << m_mean << m_sd << m_sampleSize;
    } else {
        m_level = ReadLevel(ar);
        ar >> m_mean >> m_sd >> m_sampleSize;
    }
}

/// Input dialog: sample mean, standard deviation and size, confidence level and title.
class CDescMeanDlg : public CCalcDlg
{
public:
    CDescMeanDlg();
    void Load(const CDescMean& calc);
    void Store(CDescMean& calc) const;

protected:
    bool OnInitDialog() override;
    void DoDataExchange(CDataExchange& dx) override;

private:
    double m_mean = 0.0;
    double m_sd = 0.0;
    uint32_t m_sampleSize = 0;
    int m_level = 0;
};

bool CDescMean::Do()
{
    if (!RunInputDialog<CDescMeanDlg>(*this))
        return false;
    CWaitCursor wait;
    // Student's t interval with n - 1 degrees of freedom; a sample of 1 has none, and the
    // non-finite t then prints as "****".
    const double se = m_sd / std::sqrt(static_cast<double>(m_sampleSize));
    const int df = static_cast<int>(m_sampleSize) - 1;
    const double t = TPercPt(m_level == 0 ? 0.975 : 0.995, df);
    const double lower = m_mean - t * se;
    const double upper = m_mean + t * se;

    InsertHeading();
    InsertResult(Term("55"), Integer(static_cast<int>(m_sampleSize)), "");
    InsertResult(Term("58"), Floating(m_sd, 2), "");
    InsertResult(Term("17") + LabelCI(kLevels[m_level]), Floating(m_mean, 2), CI(lower, upper, 2));
    return true;
}

enum : int
{
    kIdMean = 1027,
    kIdSd = 1028,
    kIdSampleSize = 1024,
    kIdMeanLabel = 1109,
    kIdSdLabel = 1110,
    kIdSampleSizeLabel = 1111,
};

static const CDialogTemplate& DescMeanTemplate()
{
    static const CDialogTemplate dialogTemplate{
        134,
        "Describe - Mean",
        {
            StaticCtl(kIdMeanLabel, "Sample mean:", 0, 0),
            EditCtl(kIdMean, 0, 1).RightAlign(),
            StaticCtl(kIdSdLabel, "Sample SD:", 1, 0),
            EditCtl(kIdSd, 1, 1).RightAlign(),
            StaticCtl(kIdSampleSizeLabel, "Sample size:", 2, 0),
            NumberEditCtl(kIdSampleSize, 2, 1).RightAlign(),
            GroupBoxCtl(kIdLevelBox, "Confidence Interval", 3, 0).Span(1, 2),
            RadioCtl(kIdLevel95, "95%", 0, 0).InGroup(kIdLevelBox).GroupStart(),
            RadioCtl(kIdLevel99, "99%", 0, 1).InGroup(kIdLevelBox),
            StaticCtl(kIdTitleLabel, "Title:", 4, 0),
            EditCtl(kIdTitle, 4, 1).MaxChars(kMaxTitleChars),
            DefButtonCtl(IDOK, "OK", 5, 0),
            ButtonCtl(IDCANCEL, "Cancel", 5, 1),
        },
    };
    return dialogTemplate;
}

CDescMeanDlg::CDescMeanDlg() : CCalcDlg(DescMeanTemplate())
{}

void CDescMeanDlg::Load(const CDescMean& calc)
{
    m_mean = calc.m_mean;
    m_sd = calc.m_sd;
    m_sampleSize = calc.m_sampleSize;
    m_level = calc.m_level;
}

void CDescMeanDlg::Store(CDescMean& calc) const
{
    calc.m_mean = m_mean;
    calc.m_sd = m_sd;
    calc.m_sampleSize = m_sampleSize;
    calc.m_level = m_level;
}

bool CDescMeanDlg::OnInitDialog()
{
    CCalcDlg::OnInitDialog();
    SetTerm(kIdMeanLabel, "17");
    SetTerm(kIdSdLabel, "58");
    SetTerm(kIdSampleSizeLabel, "55");
    return true;
}

void CDescMeanDlg::DoDataExchange(CDataExchange& dx)
{
    DDX_Text(dx, kIdMean, m_mean);
    DDX_Text(dx, kIdSd, m_sd);
    DDV_MinMaxDouble(dx, m_sd, 0, 1000000);
    DDX_Text(dx, kIdSampleSize, m_sampleSize);
    DDV_MinMaxUInt(dx, m_sampleSize, 1, 1000000);
    DDX_Radio(dx, kIdLevel95, m_level);
    ExchangeTitle(dx);
}
