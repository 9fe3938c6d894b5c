// CDescMean: a mean with its t interval (type "1300"): its stored inputs, the interval and
// report, and the input dialog (template 134).
#include "CDescMean.h"

#include "CArchive.h"
#include "CCalcDlg.h"
#include "Distributions.h"
#include "FieldTable.h"
#include "StoredInputs.h"
#include "Terms.h"

#include <cmath>

IMPLEMENT_SERIAL(CDescMean, CCalcBase, 0)

namespace
{
enum : int
{
    kIdMean = 1027,
    kIdSd = 1028,
    kIdSampleSize = 1024,
    kIdMeanLabel = 1109,
    kIdSdLabel = 1110,
    kIdSampleSizeLabel = 1111,
};

/// The sample's mean, standard deviation and size, the level and the title. The mean may be
/// any number.
const CFieldTable& DescMeanFields()
{
    static const CFieldTable table{{
                                       NumberField("mean", kIdMean, kTermMean, std::nullopt, std::nullopt),
                                       NumberField("sd", kIdSd, kTermStandardDeviation, 0, 1000000),
                                       CountField("n", kIdSampleSize, kTermSampleSize, 1, 1000000),
                                       LevelField(),
                                       TitleField(),
                                   },
                                   {}};
    return table;
}
} // namespace

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

const CFieldTable* CDescMean::Fields() const
{
    return &DescMeanFields();
}

CInputs CDescMean::Inputs() const
{
    return CInputList()
        .Number("mean", m_mean)
        .Number("sd", m_sd)
        .Number("n", m_sampleSize)
        .Text("level", m_level == 0 ? "95" : "99")
        .Text("title", GetTitle())
        .Take();
}

CResults CDescMean::Results() const
{
    // Student's t interval with n - 1 degrees of freedom; a sample of 1 has none, and its
    // limits are then undefined.
    const double se = m_sd / std::sqrt(static_cast<double>(m_sampleSize));
    const int df = static_cast<int>(m_sampleSize) - 1;
    const double t = TPercPt(m_level == 0 ? 0.975 : 0.995, df);
    const double lower = m_mean - t * se;
    const double upper = m_mean + t * se;
    CResults results;
    results.push_back(EstimateResult("sample_size", kTermSampleSize, m_sampleSize, 0));
    results.push_back(EstimateResult("sd", kTermStandardDeviation, m_sd, 2));
    results.push_back(IntervalResult("mean", kTermMean, m_mean, lower, upper, kLevels[m_level == 0 ? 0 : 1], 2));
    return results;
}

bool CDescMean::Do()
{
    if (!RunInputDialog<CDescMeanDlg>(*this))
        return false;
    CWaitCursor wait;
    const CResults results = Results();
    const CResult& size = *FindResult(results, "sample_size");

    InsertHeading();
    InsertResult(ResultLabel(size), Integer(static_cast<int>(static_cast<uint32_t>(size.estimate))), "");
    InsertResult(results, "sd");
    InsertResult(results, "mean", LabelCI(kLevels[m_level]));
    return true;
}

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
    SetTerm(kIdMeanLabel, kTermMean);
    SetTerm(kIdSdLabel, kTermStandardDeviation);
    SetTerm(kIdSampleSizeLabel, kTermSampleSize);
    return true;
}

void CDescMeanDlg::DoDataExchange(CDataExchange& dx)
{
    const CFieldTable& fields = DescMeanFields();
    ExchangeField(dx, FieldOf(fields, "mean"), m_mean);
    ExchangeField(dx, FieldOf(fields, "sd"), m_sd);
    ExchangeField(dx, FieldOf(fields, "n"), m_sampleSize);
    DDX_Radio(dx, kIdLevel95, m_level);
    ExchangeTitle(dx);
}
