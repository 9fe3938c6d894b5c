// CDescRateExact: a rate with exact intervals (type "1500"): its stored inputs, the four
// intervals and their report, and the input dialog (template 301).
#include "CDescRateExact.h"

#include "CArchive.h"
#include "ConfidenceLevel.h"
#include "DescribeMethodDlg.h"
#include "ExactLimits.h"
#include "Format.h"
#include "PoissonIntervals.h"
#include "ShownDecimals.h"
#include "StoredInputs.h"
#include "Terms.h"

IMPLEMENT_SERIAL(CDescRateExact, CMethodCalc, 0)

namespace
{
enum : int
{
    kIdCount = 1025,
    kIdPersonTime = 1026,
    kIdCountLabel = 1119,
    kIdPersonTimeLabel = 1120,
    kIdMultiplierBox = 1042,
    kIdPer1 = 1043, // then per 1000 and per 100000
};

/// Messages/21: a person-time of 0.
constexpr char kMessagePersonTimeNotPositive[] = "21";

/// The choices of the multiplier, as the command line and the radio buttons show them.
const char* const kMultiplierTexts[3] = {"1", "1000", "100000"};

/// The most events and person-time taken.
constexpr double kMaxEvents = 1e9;
constexpr double kMaxPersonTime = 1e12;

CField MultiplierField()
{
    CField field;
    field.name = "multiplier";
    field.kind = CFieldKind::Choice;
    field.labelKey = kTermRatePer;
    field.defaultValue = "1000";
    for (int i = 0; i < 3; ++i)
        field.options.push_back({kMultiplierTexts[i], kIdPer1 + i});
    return field;
}

/// The count, the person-time, the multiplier, the level and the title.
const CFieldTable& RateExactFields()
{
    static const CFieldTable table{{
                                       CountField("count", kIdCount, kTermCount, 0, kMaxEvents),
                                       NumberField("person_time", kIdPersonTime, kTermPersonTime, 0, kMaxPersonTime),
                                       MultiplierField(),
                                       AnyLevelField(),
                                       TitleField(),
                                   },
                                   {}};
    return table;
}

/// The interval results in report order.
const char* const kIntervalKeys[] = {"exact", "mid_p", "byar", "normal"};
} // namespace

double CDescRateExact::Multiplier(int32_t index)
{
    return index == 0 ? 1 : index == 1 ? 1000 : 100000;
}

void CDescRateExact::Serialize(CArchive& ar)
{
    CMethodCalc::Serialize(ar);
    if (ar.IsStoring()) {
        ar << m_level << m_count << m_personTime << m_multiplier;
    } else {
        m_level = ReadLevelPercent(ar);
        ar >> m_count >> m_personTime;
        m_multiplier = ReadChoice(ar, 2);
    }
}

const CFieldTable* CDescRateExact::Fields() const
{
    return &RateExactFields();
}

CInputs CDescRateExact::Inputs() const
{
    return CInputList()
        .Number("count", m_count)
        .Number("person_time", m_personTime)
        .Text("multiplier", kMultiplierTexts[m_multiplier >= 0 && m_multiplier <= 2 ? m_multiplier : 1])
        .Number("level", m_level)
        .Text("title", GetTitle())
        .Take();
}

CResults CDescRateExact::Results() const
{
    // Inputs the dialog never takes (a damaged document) give undefined results.
    const bool valid = m_personTime > 0 && m_personTime <= kMaxPersonTime && m_level >= kMinLevelPercent &&
                       m_level <= kMaxLevelPercent;
    const double x = m_count;
    // Limits of the Poisson mean of the count, scaled to the rate: per person-time, times the unit.
    const double scale = valid ? Multiplier(m_multiplier) / m_personTime : kNoValue;
    const double z = valid ? NormalQuantileOfLevel(m_level) : kNoValue;
    const CLimits counts[] = {
        ExactPoissonLimits(x, m_level),
        MidPCountLimits(x, m_level),
        ByarLimits(x, z),
        NormalPoissonLimits(x, z),
    };
    const double rate = x * scale;
    const int decimals = DecimalsForWidth((counts[0].upper - counts[0].lower) * scale, 2);
    const std::string level = LevelText(m_level);
    const std::string labels[] = {kTermExactPoisson, kTermMidPExact, kTermByar, kTermNormalApproximation};

    CResults results;
    results.push_back(EstimateResult("count", kTermCount, m_count, 0));
    results.push_back(EstimateResult("person_time", kTermPersonTime, m_personTime, DecimalsForInput(m_personTime)));
    results.push_back(EstimateResult("rate", kTermRate, rate, decimals));
    for (int i = 0; i < 4; ++i)
        results.push_back(IntervalResult(kIntervalKeys[i], labels[i], rate, counts[i].lower * scale,
                                         counts[i].upper * scale, level, decimals));
    return results;
}

/// Input dialog: count, person-time, multiplier, confidence level and title; refuses a
/// person-time of 0.
class CDescRateExactDlg : public CMethodDlg
{
public:
    CDescRateExactDlg();
    void Load(const CDescRateExact& calc);
    void Store(CDescRateExact& calc) const;

protected:
    bool OnInitDialog() override;
    void DoDataExchange(CDataExchange& dx) override;
    void OnOK() override;

private:
    uint32_t m_count = 0;
    double m_personTime = 0;
    int m_multiplier = 1;
    double m_level = 95;
};

bool CDescRateExact::Do()
{
    if (!RunInputDialog<CDescRateExactDlg>(*this))
        return false;
    CWaitCursor wait;
    const CResults results = Results();
    const std::string levelLabel = LabelCI(LevelText(m_level));
    InsertHeading();
    InsertMethodResult(results, "count");
    InsertMethodResult(results, "person_time");
    InsertMethodResult(results, "rate");
    for (const char* key : kIntervalKeys)
        InsertMethodResult(results, key, levelLabel);
    InsertPhrase(Format("/ %.0f ", Multiplier(m_multiplier)) + Term(kTermPersonTimeUnits) + "\n", kPhraseItalic);
    return true;
}

static const CDialogTemplate& RateExactTemplate()
{
    static const CDialogTemplate dialogTemplate = [] {
        CDialogTemplate made{301, "Describe - Rate with exact intervals", {}};
        made.controls = {
            StaticCtl(kIdCountLabel, "Count:", 0, 0),
            NumberEditCtl(kIdCount, 0, 1).RightAlign(),
            StaticCtl(kIdPersonTimeLabel, "Person-time:", 1, 0),
            EditCtl(kIdPersonTime, 1, 1).RightAlign(),
            GroupBoxCtl(kIdMultiplierBox, "Rate per", 2, 0).Span(1, 2),
        };
        for (int i = 0; i < 3; ++i) {
            const CControlTemplate radio = RadioCtl(kIdPer1 + i, kMultiplierTexts[i], 0, i).InGroup(kIdMultiplierBox);
            made.controls.push_back(i == 0 ? radio.GroupStart() : radio);
        }
        AppendLevelTitleButtons(made.controls, 3);
        return made;
    }();
    return dialogTemplate;
}

CDescRateExactDlg::CDescRateExactDlg() : CMethodDlg(RateExactTemplate())
{}

void CDescRateExactDlg::Load(const CDescRateExact& calc)
{
    m_count = calc.m_count;
    m_personTime = calc.m_personTime;
    m_multiplier = calc.m_multiplier;
    m_level = calc.m_level;
}

void CDescRateExactDlg::Store(CDescRateExact& calc) const
{
    calc.m_count = m_count;
    calc.m_personTime = m_personTime;
    calc.m_multiplier = m_multiplier;
    calc.m_level = m_level;
}

bool CDescRateExactDlg::OnInitDialog()
{
    CMethodDlg::OnInitDialog();
    SetTerm(kIdCountLabel, kTermCount);
    SetTerm(kIdPersonTimeLabel, kTermPersonTime);
    SetTerm(kIdMultiplierBox, kTermRatePer, "");
    return true;
}

void CDescRateExactDlg::DoDataExchange(CDataExchange& dx)
{
    const CFieldTable& fields = RateExactFields();
    ExchangeField(dx, FieldOf(fields, "count"), m_count);
    ExchangeField(dx, FieldOf(fields, "person_time"), m_personTime);
    DDX_Radio(dx, kIdPer1, m_multiplier);
    ExchangeLevel(dx, m_level);
    ExchangeTitle(dx);
}

void CDescRateExactDlg::OnOK()
{
    if (!UpdateData(true))
        return;
    if (!(m_personTime > 0)) {
        RefuseInput(*this, kMessagePersonTimeNotPositive, kIdPersonTime);
        return;
    }
    EndDialog(IDOK);
}
