// CDescPropIntervals: a proportion x of n (type "1130"): its stored inputs, the six intervals
// and their report, and the input dialog (template 300).
#include "CDescPropIntervals.h"

#include "CArchive.h"
#include "ConfidenceLevel.h"
#include "DescribeMethodDlg.h"
#include "ExactLimits.h"
#include "ProportionIntervals.h"
#include "ShownDecimals.h"
#include "StoredInputs.h"
#include "Terms.h"

IMPLEMENT_SERIAL(CDescPropIntervals, CMethodCalc, 0)

namespace
{
enum : int
{
    kIdCount = 1025,
    kIdSampleSize = 1024,
    kIdCountLabel = 1119,
    kIdSampleSizeLabel = 1111,
};

/// Messages/20: a count above the sample size.
constexpr char kMessageCountAboveSampleSize[] = "20";

/// The largest count and sample size taken.
constexpr double kMaxTrials = 1e9;

/// The count, the sample size, the level and the title.
const CFieldTable& PropIntervalsFields()
{
    static const CFieldTable table{{
                                       CountField("count", kIdCount, kTermCount, 0, kMaxTrials),
                                       CountField("n", kIdSampleSize, kTermSampleSize, 1, kMaxTrials),
                                       AnyLevelField(),
                                       TitleField(),
                                   },
                                   {}};
    return table;
}

/// The interval results in report order: key, label and limits.
struct CNamedLimits
{
    const char* key;
    const char* label;
    CLimits limits;
};
} // namespace

void CDescPropIntervals::Serialize(CArchive& ar)
{
    CMethodCalc::Serialize(ar);
    if (ar.IsStoring()) {
        ar << m_level << m_count << m_sampleSize;
    } else {
        m_level = ReadLevelPercent(ar);
        ar >> m_count >> m_sampleSize;
    }
}

const CFieldTable* CDescPropIntervals::Fields() const
{
    return &PropIntervalsFields();
}

CInputs CDescPropIntervals::Inputs() const
{
    return CInputList()
        .Number("count", m_count)
        .Number("n", m_sampleSize)
        .Number("level", m_level)
        .Text("title", GetTitle())
        .Take();
}

CResults CDescPropIntervals::Results() const
{
    // Inputs the dialog never takes (a damaged document) give undefined results.
    const bool valid =
        m_sampleSize >= 1 && m_count <= m_sampleSize && m_level >= kMinLevelPercent && m_level <= kMaxLevelPercent;
    const double x = m_count;
    const double n = m_sampleSize;
    const double p = valid ? x / n : kNoValue;
    const double z = valid ? NormalQuantileOfLevel(m_level) : kNoValue;
    const CLimits none{kNoValue, kNoValue};
    const CNamedLimits intervals[] = {
        {"clopper_pearson", kTermExactClopperPearson, valid ? ClopperPearsonLimits(x, n, m_level) : none},
        {"mid_p", kTermMidPExact, valid ? MidPBinomialLimits(x, n, m_level) : none},
        {"wilson", kTermWilsonScore, valid ? WilsonScoreLimits(x, n, z) : none},
        {"corrected_score", kTermCorrectedScore, valid ? CorrectedScoreLimits(x, n, z) : none},
        {"agresti_coull", kTermAgrestiCoull, valid ? AgrestiCoullLimits(x, n, z) : none},
    };
    // Decimals enough to tell the exact limits apart: 4 at the least, 11 for 0 of 10^9.
    const int decimals = DecimalsForWidth(intervals[0].limits.upper - intervals[0].limits.lower, 4);
    const std::string level = LevelText(m_level);

    CResults results;
    results.push_back(EstimateResult("count", kTermCount, m_count, 0));
    results.push_back(EstimateResult("sample_size", kTermSampleSize, m_sampleSize, 0));
    results.push_back(EstimateResult("proportion", kTermProportion, p, decimals));
    for (const CNamedLimits& interval : intervals)
        results.push_back(IntervalResult(interval.key, interval.label, p, interval.limits.lower, interval.limits.upper,
                                         level, decimals));
    return results;
}

/// Input dialog: count, sample size, confidence level and title; refuses a count above the
/// sample size.
class CDescPropIntervalsDlg : public CMethodDlg
{
public:
    CDescPropIntervalsDlg();
    void Load(const CDescPropIntervals& calc);
    void Store(CDescPropIntervals& calc) const;

protected:
    bool OnInitDialog() override;
    void DoDataExchange(CDataExchange& dx) override;
    void OnOK() override;

private:
    uint32_t m_count = 0;
    uint32_t m_sampleSize = 0;
    double m_level = 95;
};

bool CDescPropIntervals::Do()
{
    if (!RunInputDialog<CDescPropIntervalsDlg>(*this))
        return false;
    CWaitCursor wait;
    const CResults results = Results();
    const std::string levelLabel = LabelCI(LevelText(m_level));
    InsertHeading();
    InsertMethodResult(results, "count");
    InsertMethodResult(results, "sample_size");
    InsertMethodResult(results, "proportion");
    for (const char* key : {"clopper_pearson", "mid_p", "wilson", "corrected_score", "agresti_coull"})
        InsertMethodResult(results, key, levelLabel);
    return true;
}

static const CDialogTemplate& PropIntervalsTemplate()
{
    static const CDialogTemplate dialogTemplate = [] {
        CDialogTemplate made{300, "Describe - Proportion - Exact and score intervals", {}};
        made.controls = {
            StaticCtl(kIdCountLabel, "Count:", 0, 0),
            NumberEditCtl(kIdCount, 0, 1).RightAlign(),
            StaticCtl(kIdSampleSizeLabel, "Sample size:", 1, 0),
            NumberEditCtl(kIdSampleSize, 1, 1).RightAlign(),
        };
        AppendLevelTitleButtons(made.controls, 2);
        return made;
    }();
    return dialogTemplate;
}

CDescPropIntervalsDlg::CDescPropIntervalsDlg() : CMethodDlg(PropIntervalsTemplate())
{}

void CDescPropIntervalsDlg::Load(const CDescPropIntervals& calc)
{
    m_count = calc.m_count;
    m_sampleSize = calc.m_sampleSize;
    m_level = calc.m_level;
}

void CDescPropIntervalsDlg::Store(CDescPropIntervals& calc) const
{
    calc.m_count = m_count;
    calc.m_sampleSize = m_sampleSize;
    calc.m_level = m_level;
}

bool CDescPropIntervalsDlg::OnInitDialog()
{
    CMethodDlg::OnInitDialog();
    SetTerm(kIdCountLabel, kTermCount);
    SetTerm(kIdSampleSizeLabel, kTermSampleSize);
    return true;
}

void CDescPropIntervalsDlg::DoDataExchange(CDataExchange& dx)
{
    const CFieldTable& fields = PropIntervalsFields();
    ExchangeField(dx, FieldOf(fields, "count"), m_count);
    ExchangeField(dx, FieldOf(fields, "n"), m_sampleSize);
    ExchangeLevel(dx, m_level);
    ExchangeTitle(dx);
}

void CDescPropIntervalsDlg::OnOK()
{
    if (!UpdateData(true))
        return;
    if (m_count > m_sampleSize) {
        RefuseInput(*this, kMessageCountAboveSampleSize, kIdCount);
        return;
    }
    EndDialog(IDOK);
}
