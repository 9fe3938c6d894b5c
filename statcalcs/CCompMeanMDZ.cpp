// CCompMeanMDZ: whether one sample's mean differs from zero (type "2620"): the one-sample t test
// it shares with CCompMeanMDG, its report, and its input dialog (template 164).
#include "CCompMeanMDZ.h"

#include "CArchive.h"
#include "CCalcDlg.h"
#include "Distributions.h"
#include "FieldTable.h"
#include "StoredInputs.h"
#include "Terms.h"

#include <cmath>
#include <limits>

IMPLEMENT_SERIAL(CCompMeanMDZ, CCalcBase, 0)

namespace
{
/// Lower-tail areas of the critical t values, indexed by the confidence level.
constexpr double kTailAreas[2] = {0.025, 0.005};

enum : int
{
    kIdSize = 1024,
    kIdMean = 1027,
    kIdSd = 1028,
    kIdMeanLabel = 1109,
    kIdSdLabel = 1110,
    kIdSizeLabel = 1111,
};

/// The title, the sample's mean, SD and size, and the level, as the dialog lays them out.
const CFieldTable& CompMeanMDZFields()
{
    static const CFieldTable table{{
                                       TitleField(),
                                       NumberField("mean", kIdMean, kTermMean, std::nullopt, std::nullopt),
                                       NumberField("sd", kIdSd, kTermStandardDeviation, 0, 1000000),
                                       CountField("n", kIdSize, kTermSampleSize, 1, 1000000),
                                       LevelField(),
                                   },
                                   {}};
    return table;
}
} // namespace

COneSampleT OneSampleT(double mean, double reference, double sd, uint32_t size, int level)
{
    COneSampleT result;
    result.se = sd / std::sqrt(static_cast<double>(size));
    result.df = static_cast<int>(size) - 1;
    result.t = absd(mean - reference) / result.se;
    // A single observation leaves no degrees of freedom: the tail formula would give 0 there,
    // a "significant" result from nothing, so the probability is reported as undefined.
    result.oneTailed = result.df >= 1 ? TProb(result.t, result.df) : std::numeric_limits<double>::quiet_NaN();
    const double tc = absd(TPercPt(kTailAreas[level], result.df));
    result.lower = mean - result.se * tc;
    result.upper = result.se * tc + mean;
    return result;
}

CResults OneSampleResults(double mean, const COneSampleT& test, const std::string& level)
{
    CResults results;
    results.push_back(IntervalResult("mean", kTermMean, mean, test.lower, test.upper, level, 2));
    results.push_back(StatisticResult("t", kTermStudentsT, test.t, test.df, 2));
    results.push_back(ProbabilityResult("p_t_one_sided", TermKeys({kTermOneTailed, kTermPValue}), test.t,
                                        test.oneTailed, test.df, 6));
    results.push_back(ProbabilityResult("p_t_two_sided", TermKeys({kTermTwoTailed, kTermPValue}), test.t,
                                        2 * test.oneTailed, test.df, 6));
    return results;
}

void CCompMeanMDZ::Serialize(CArchive& ar)
{
    CCalcBase::Serialize(ar);
    if (ar.IsStoring()) {
        ar << m_level << m_mean << m_sd << m_size;
    } else {
        m_level = ReadLevel(ar);
        ar >> m_mean >> m_sd >> m_size;
    }
}

namespace
{
class CCompMeanMDZDlg : public CCalcDlg
{
public:
    CCompMeanMDZDlg();
    void Load(const CCompMeanMDZ& calc);
    void Store(CCompMeanMDZ& calc) const;

protected:
    bool OnInitDialog() override;
    void DoDataExchange(CDataExchange& dx) override;

private:
    int m_level = 0;
    double m_mean = 0.0;
    double m_sd = 0.0;
    uint32_t m_size = 0;
};

const CDialogTemplate& CompMeanMDZTemplate()
{
    static const CDialogTemplate dialogTemplate{
        164,
        "Compare - Means - One-sample (mean different from zero)",
        {
            StaticCtl(kIdTitleLabel, "Title:", 0, 0),
            EditCtl(kIdTitle, 0, 1).MaxChars(kMaxTitleChars),
            StaticCtl(kIdMeanLabel, "Sample mean:", 1, 0),
            EditCtl(kIdMean, 1, 1).RightAlign(),
            StaticCtl(kIdSdLabel, "Sample SD:", 2, 0),
            EditCtl(kIdSd, 2, 1).RightAlign(),
            StaticCtl(kIdSizeLabel, "Sample size:", 3, 0),
            NumberEditCtl(kIdSize, 3, 1).RightAlign(),
            GroupBoxCtl(kIdLevelBox, "Confidence Interval", 4, 0).Span(1, 2),
            RadioCtl(kIdLevel95, "95%", 0, 0).GroupStart().InGroup(kIdLevelBox),
            RadioCtl(kIdLevel99, "99%", 0, 1).InGroup(kIdLevelBox),
            DefButtonCtl(IDOK, "OK", 5, 0),
            ButtonCtl(IDCANCEL, "Cancel", 5, 1),
        },
    };
    return dialogTemplate;
}

CCompMeanMDZDlg::CCompMeanMDZDlg() : CCalcDlg(CompMeanMDZTemplate())
{}

void CCompMeanMDZDlg::Load(const CCompMeanMDZ& calc)
{
    m_level = calc.m_level;
    m_mean = calc.m_mean;
    m_sd = calc.m_sd;
    m_size = calc.m_size;
}

void CCompMeanMDZDlg::Store(CCompMeanMDZ& calc) const
{
    calc.m_level = m_level;
    calc.m_mean = m_mean;
    calc.m_sd = m_sd;
    calc.m_size = m_size;
}

bool CCompMeanMDZDlg::OnInitDialog()
{
    CCalcDlg::OnInitDialog();
    SetTerm(kIdMeanLabel, kTermMean);
    SetTerm(kIdSdLabel, kTermStandardDeviation);
    SetTerm(kIdSizeLabel, kTermSampleSize);
    return true;
}

void CCompMeanMDZDlg::DoDataExchange(CDataExchange& dx)
{
    ExchangeTitle(dx);
    const CFieldTable& fields = CompMeanMDZFields();
    ExchangeField(dx, FieldOf(fields, "mean"), m_mean);
    ExchangeField(dx, FieldOf(fields, "sd"), m_sd);
    ExchangeField(dx, FieldOf(fields, "n"), m_size);
    DDX_Radio(dx, kIdLevel95, m_level);
}
} // namespace

const CFieldTable* CCompMeanMDZ::Fields() const
{
    return &CompMeanMDZFields();
}

CInputs CCompMeanMDZ::Inputs() const
{
    return CInputList()
        .Text("title", GetTitle())
        .Number("mean", m_mean)
        .Number("sd", m_sd)
        .Number("n", m_size)
        .Text("level", m_level == 1 ? "99" : "95")
        .Take();
}

CResults CCompMeanMDZ::Results() const
{
    const int levelIndex = m_level == 1 ? 1 : 0;
    return OneSampleResults(m_mean, OneSampleT(m_mean, 0.0, m_sd, m_size, levelIndex), kLevels[levelIndex]);
}

bool CCompMeanMDZ::Do()
{
    if (!RunInputDialog<CCompMeanMDZDlg>(*this))
        return false;
    CWaitCursor wait;
    const CResults results = Results();

    InsertHeading();
    InsertResult(results, "mean", LabelCI(kLevels[m_level]));
    InsertResult(Term(kTermStandardDeviation), Floating(m_sd, 2), "");
    InsertResult(Term(kTermSampleSize), Integer(static_cast<int>(m_size)), "");
    const CResult& t = *FindResult(results, "t");
    InsertResult(t);
    InsertResult(Term(kTermDegreesOfFreedom), Integer(static_cast<int>(t.df)), "");
    InsertResult(results, "p_t_one_sided");
    InsertResult(results, "p_t_two_sided");
    return true;
}
