// CCompRates: two incidence rates (type "2500"): each rate, the pooled rate and the difference
// per 1000 units of person-time with their limits, a normal test, and the input dialog (162).
#include "CCompRates.h"

#include "CArchive.h"
#include "CCalcDlg.h"
#include "Distributions.h"
#include "FieldTable.h"
#include "StoredInputs.h"
#include "Terms.h"

#include <cmath>

IMPLEMENT_SERIAL(CCompRates, CCalcBase, 0)

void CCompRates::Serialize(CArchive& ar)
{
    CCalcBase::Serialize(ar);
    if (ar.IsStoring()) {
        ar << m_level << m_c1 << m_c2 << m_t1 << m_t2;
    } else {
        m_level = ReadLevel(ar);
        ar >> m_c1 >> m_c2 >> m_t1 >> m_t2;
    }
}

/// Input dialog: title, confidence level, and cases and person-time of each sample.
class CCompRatesDlg : public CCalcDlg
{
public:
    CCompRatesDlg();
    void Load(const CCompRates& calc);
    void Store(CCompRates& calc) const;

protected:
    bool OnInitDialog() override;
    void DoDataExchange(CDataExchange& dx) override;

private:
    int m_level = 0;
    uint32_t m_c1 = 0;
    uint32_t m_t1 = 0;
    uint32_t m_c2 = 0;
    uint32_t m_t2 = 0;
};

namespace
{
/// A rate (per unit of person-time) with its confidence limits.
struct CRateEstimate
{
    double rate = 0.0;
    double lower = 0.0;
    double upper = 0.0;
};

/// cases / time with the limits rate -/+ deviate * sqrt(cases) / time (Poisson counts).
CRateEstimate EstimateRate(double cases, double time, double deviate)
{
    CRateEstimate estimate;
    estimate.rate = cases / time;
    const double se = std::sqrt(cases) / time;
    estimate.lower = estimate.rate - deviate * se;
    estimate.upper = estimate.rate + deviate * se;
    return estimate;
}

enum : int
{
    kIdCases1 = 1085,
    kIdCases2 = 1086,
    kIdTime1 = 1087,
    kIdTime2 = 1088,
    kIdSample1Box = 1099,
    kIdSample2Box = 1100,
    kIdCases1Label = 1101,
    kIdCases2Label = 1102,
    kIdTime1Label = 1125,
    kIdTime2Label = 1126,
};

/// The title, the level, and cases and person-time of each sample, as the dialog lays them out.
/// The second person-time takes at most 100,000, the first up to 1,000,000.
const CFieldTable& CompRatesFields()
{
    static const CFieldTable table{{
                                       TitleField(),
                                       LevelField(),
                                       CountField("cases1", kIdCases1, kTermCount, 0, 1000000),
                                       CountField("person_time1", kIdTime1, kTermPersonTime, 1, 1000000),
                                       CountField("cases2", kIdCases2, kTermCount, 0, 1000000),
                                       CountField("person_time2", kIdTime2, kTermPersonTime, 1, 100000),
                                   },
                                   {}};
    return table;
}

/// A rate per 1000 units of person-time as a result with its interval.
CResult RateResult(const std::string& key, const CRateEstimate& estimate, const std::string& level)
{
    return IntervalResult(key, kTermRate, 1000 * estimate.rate, 1000 * estimate.lower, 1000 * estimate.upper, level, 2);
}
} // namespace

const CFieldTable* CCompRates::Fields() const
{
    return &CompRatesFields();
}

CInputs CCompRates::Inputs() const
{
    return CInputList()
        .Text("title", GetTitle())
        .Text("level", m_level == 1 ? "99" : "95")
        .Number("cases1", m_c1)
        .Number("person_time1", m_t1)
        .Number("cases2", m_c2)
        .Number("person_time2", m_t2)
        .Take();
}

CResults CCompRates::Results() const
{
    // Every count and person-time as a real: the quotients and t1 * t1 must not be integer.
    const double c1 = m_c1;
    const double c2 = m_c2;
    const double t1 = m_t1;
    const double t2 = m_t2;
    const int levelIndex = m_level == 1 ? 1 : 0;
    const double z = levelIndex == 0 ? 1.96 : 2.58;
    const std::string level = kLevels[levelIndex];
    const CRateEstimate rate1 = EstimateRate(c1, t1, z);
    const CRateEstimate rate2 = EstimateRate(c2, t2, z);
    const CRateEstimate pooled = EstimateRate(c1 + c2, t1 + t2, z);
    const double difference = absd(rate1.rate - rate2.rate);
    const double seDifference = std::sqrt(c1 / (t1 * t1) + c2 / (t2 * t2));
    // Normal test of equal rates with a continuity correction of half a case per person-time.
    const double zd = (difference - (1 / (2 * t1) + 1 / (2 * t2))) / std::sqrt(pooled.rate * (1 / t1 + 1 / t2));

    CResults results;
    results.push_back(RateResult("sample[1].rate", rate1, level));
    results.push_back(RateResult("sample[2].rate", rate2, level));
    results.push_back(RateResult("pooled_rate", pooled, level));
    results.push_back(StatisticResult("z", kTermZStatistic, zd, kNoValue, 2));
    results.push_back(ProbabilityResult("p_z_one_tailed", kTermPValue, zd, NormalProb(zd), kNoValue, 6));
    results.push_back(IntervalResult("rate_difference", kTermRate, 1000 * difference,
                                     1000 * (difference - z * seDifference), 1000 * (difference + z * seDifference),
                                     level, 2));
    return results;
}

bool CCompRates::Do()
{
    if (!RunInputDialog<CCompRatesDlg>(*this))
        return false;
    CWaitCursor wait;
    const CResults results = Results();

    const std::string levelSuffix = LabelCI(kLevels[m_level]);
    const std::string perUnit = "/ 1000 " + Term(kTermPersonTimeUnits) + "\n";
    const auto insertRate = [&](uint32_t cases, uint32_t time, const char* key) {
        InsertResult(Term(kTermCount), Integer(static_cast<int>(cases)), "");
        InsertResult(Term(kTermPersonTime), Integer(static_cast<int>(time)), "");
        InsertResult(results, key, levelSuffix);
        InsertPhrase(perUnit, kPhraseItalic);
        InsertPhrase("\n", kPhrasePlain);
    };

    InsertHeading();
    InsertPhrase(Term(kTermSample) + " 1\n", kPhraseBold);
    insertRate(m_c1, m_t1, "sample[1].rate");
    InsertPhrase(Term(kTermSample) + " 2\n", kPhraseBold);
    insertRate(m_c2, m_t2, "sample[2].rate");
    InsertPhrase(Term(kTermPooledRate) + "\n", kPhraseBold);
    insertRate(m_c1 + m_c2, m_t1 + m_t2, "pooled_rate");
    InsertPhrase(Term(kTermDifference) + "\n", kPhraseBold);
    InsertResult(results, "z");
    InsertResult(results, "p_z_one_tailed");
    InsertResult(results, "rate_difference", levelSuffix);
    InsertPhrase(perUnit, kPhraseItalic);
    return true;
}

static const CDialogTemplate& CompRatesTemplate()
{
    static const CDialogTemplate dialogTemplate{
        162,
        "Compare - Rates",
        {
            StaticCtl(kIdTitleLabel, "Title:", 0, 0),
            EditCtl(kIdTitle, 0, 1).MaxChars(kMaxTitleChars),
            GroupBoxCtl(kIdLevelBox, "Confidence Interval", 1, 0).Span(1, 2),
            RadioCtl(kIdLevel95, "95%", 0, 0).InGroup(kIdLevelBox).GroupStart(),
            RadioCtl(kIdLevel99, "99%", 0, 1).InGroup(kIdLevelBox),
            GroupBoxCtl(kIdSample1Box, "Sample 1", 2, 0),
            StaticCtl(kIdCases1Label, "Count:", 0, 0).InGroup(kIdSample1Box),
            NumberEditCtl(kIdCases1, 0, 1).InGroup(kIdSample1Box),
            StaticCtl(kIdTime1Label, "Person-time:", 1, 0).InGroup(kIdSample1Box),
            NumberEditCtl(kIdTime1, 1, 1).InGroup(kIdSample1Box),
            GroupBoxCtl(kIdSample2Box, "Sample 2", 2, 1),
            StaticCtl(kIdCases2Label, "Count:", 0, 0).InGroup(kIdSample2Box),
            NumberEditCtl(kIdCases2, 0, 1).InGroup(kIdSample2Box),
            StaticCtl(kIdTime2Label, "Person-time:", 1, 0).InGroup(kIdSample2Box),
            NumberEditCtl(kIdTime2, 1, 1).InGroup(kIdSample2Box),
            DefButtonCtl(IDOK, "OK", 3, 0),
            ButtonCtl(IDCANCEL, "Cancel", 3, 1),
        },
    };
    return dialogTemplate;
}

CCompRatesDlg::CCompRatesDlg() : CCalcDlg(CompRatesTemplate())
{}

void CCompRatesDlg::Load(const CCompRates& calc)
{
    m_level = calc.m_level;
    m_c1 = calc.m_c1;
    m_t1 = calc.m_t1;
    m_c2 = calc.m_c2;
    m_t2 = calc.m_t2;
}

void CCompRatesDlg::Store(CCompRates& calc) const
{
    calc.m_level = m_level;
    calc.m_c1 = m_c1;
    calc.m_t1 = m_t1;
    calc.m_c2 = m_c2;
    calc.m_t2 = m_t2;
}

bool CCompRatesDlg::OnInitDialog()
{
    CCalcDlg::OnInitDialog();
    SetTerm(kIdSample1Box, kTermSample, " 1");
    SetTerm(kIdCases1Label, kTermCount);
    SetTerm(kIdTime1Label, kTermPersonTime);
    SetTerm(kIdSample2Box, kTermSample, " 2");
    SetTerm(kIdCases2Label, kTermCount);
    SetTerm(kIdTime2Label, kTermPersonTime);
    return true;
}

void CCompRatesDlg::DoDataExchange(CDataExchange& dx)
{
    ExchangeTitle(dx);
    DDX_Radio(dx, kIdLevel95, m_level);
    const CFieldTable& fields = CompRatesFields();
    ExchangeField(dx, FieldOf(fields, "cases1"), m_c1);
    ExchangeField(dx, FieldOf(fields, "person_time1"), m_t1);
    ExchangeField(dx, FieldOf(fields, "cases2"), m_c2);
    ExchangeField(dx, FieldOf(fields, "person_time2"), m_t2);
}
