// CCompRateRatio: two incidence rates as a ratio (type "2700"): the stored inputs, the estimates
// and tests and their report, and the input dialog (template 331).
#include "CCompRateRatio.h"

#include "CArchive.h"
#include "ConfidenceLevel.h"
#include "DialogTemplate.h"
#include "Format.h"
#include "Profile.h"
#include "RateRatio.h"
#include "StoredInputs.h"
#include "Terms.h"

#include <cmath>

IMPLEMENT_SERIAL(CCompRateRatio, CMethodCalc, 0)

namespace
{
enum : int
{
    kIdEvents1 = 1085,
    kIdEvents2 = 1086,
    kIdTime1 = 1087,
    kIdTime2 = 1088,
    kIdSample1Box = 1099,
    kIdSample2Box = 1100,
    kIdEvents1Label = 1101,
    kIdEvents2Label = 1102,
    kIdTime1Label = 1125,
    kIdTime2Label = 1126,
    kIdPerBox = 1150,
    kIdPer1 = 1151, // then 1152 and 1153
};

constexpr double kMaxEvents = 1e9;
constexpr double kMaxTime = 1e15;
const char* const kPerTexts[3] = {"1", "1,000", "100,000"};

CField PerField()
{
    CField field;
    field.name = "per";
    field.kind = CFieldKind::Choice;
    field.labelKey = kTermRatesPer;
    field.defaultValue = "1000";
    field.options = {{"1", kIdPer1}, {"1000", kIdPer1 + 1}, {"100000", kIdPer1 + 2}};
    return field;
}

/// The title, each group's events and person-time, the multiplier and the level. A person-time
/// of 0 passes the range and is refused on OK with its own message.
const CFieldTable& RateRatioFields()
{
    static const CFieldTable table{{
                                       TitleField(),
                                       CountField("events1", kIdEvents1, kTermCount, 0, kMaxEvents),
                                       NumberField("person_time1", kIdTime1, kTermPersonTime, 0, kMaxTime, "1"),
                                       CountField("events2", kIdEvents2, kTermCount, 0, kMaxEvents),
                                       NumberField("person_time2", kIdTime2, kTermPersonTime, 0, kMaxTime, "1"),
                                       PerField(),
                                       AnyLevelField(),
                                   },
                                   {}};
    return table;
}

const CDialogTemplate& RateRatioTemplate()
{
    static const CDialogTemplate dialogTemplate = [] {
        CDialogTemplate made{331, "Compare - Rate ratio", {}};
        auto& c = made.controls;
        c.push_back(StaticCtl(kIdTitleLabel, "Title:", 0, 0));
        c.push_back(EditCtl(kIdTitle, 0, 1).MaxChars(kMaxTitleChars));
        const auto group = [&c](int box, const char* caption, int col, const int(&ids)[4]) {
            c.push_back(GroupBoxCtl(box, caption, 1, col));
            c.push_back(StaticCtl(ids[0], "Count:", 0, 0).InGroup(box));
            c.push_back(NumberEditCtl(ids[1], 0, 1).RightAlign().InGroup(box));
            c.push_back(StaticCtl(ids[2], "Person-time:", 1, 0).InGroup(box));
            c.push_back(EditCtl(ids[3], 1, 1).RightAlign().InGroup(box));
        };
        group(kIdSample1Box, "Sample 1", 0, {kIdEvents1Label, kIdEvents1, kIdTime1Label, kIdTime1});
        group(kIdSample2Box, "Sample 2", 1, {kIdEvents2Label, kIdEvents2, kIdTime2Label, kIdTime2});
        c.push_back(GroupBoxCtl(kIdPerBox, "Rates per", 2, 0).Span(1, 2));
        for (int i = 0; i < 3; ++i) {
            const CControlTemplate radio = RadioCtl(kIdPer1 + i, kPerTexts[i], 0, i).InGroup(kIdPerBox);
            c.push_back(i == 0 ? radio.GroupStart() : radio);
        }
        AppendLevelRow(c, 3);
        c.push_back(DefButtonCtl(IDOK, "OK", 4, 0));
        c.push_back(ButtonCtl(IDCANCEL, "Cancel", 4, 1));
        return made;
    }();
    return dialogTemplate;
}

/// Input dialog: title, each group's events and person-time, the multiplier and the level.
class CCompRateRatioDlg : public CMethodDlg
{
public:
    CCompRateRatioDlg() : CMethodDlg(RateRatioTemplate()) {}
    void Load(const CCompRateRatio& calc)
    {
        m_levelPercent = calc.m_levelPercent;
        m_events1 = calc.m_events1;
        m_time1 = calc.m_time1;
        m_events2 = calc.m_events2;
        m_time2 = calc.m_time2;
        m_per = calc.m_per;
    }
    void Store(CCompRateRatio& calc) const
    {
        calc.m_levelPercent = m_levelPercent;
        calc.m_events1 = m_events1;
        calc.m_time1 = m_time1;
        calc.m_events2 = m_events2;
        calc.m_time2 = m_time2;
        calc.m_per = m_per;
    }

protected:
    bool OnInitDialog() override
    {
        CMethodDlg::OnInitDialog();
        SetTerm(kIdSample1Box, kTermSample, " 1");
        SetTerm(kIdSample2Box, kTermSample, " 2");
        for (int id : {kIdEvents1Label, kIdEvents2Label})
            SetTerm(id, kTermCount);
        for (int id : {kIdTime1Label, kIdTime2Label})
            SetTerm(id, kTermPersonTime);
        SetTerm(kIdPerBox, kTermRatesPer, "");
        return true;
    }

    void DoDataExchange(CDataExchange& dx) override
    {
        const CFieldTable& fields = RateRatioFields();
        ExchangeTitle(dx);
        ExchangeField(dx, FieldOf(fields, "events1"), m_events1);
        ExchangeField(dx, FieldOf(fields, "person_time1"), m_time1);
        ExchangeField(dx, FieldOf(fields, "events2"), m_events2);
        ExchangeField(dx, FieldOf(fields, "person_time2"), m_time2);
        int per = m_per;
        DDX_Radio(dx, kIdPer1, per);
        m_per = per;
        ExchangeLevel(dx, m_levelPercent);
    }

    void OnOK() override
    {
        if (!UpdateData(true))
            return;
        // A rate needs some person-time to be a rate.
        for (const auto& [time, id] : {std::pair{m_time1, kIdTime1}, std::pair{m_time2, kIdTime2}}) {
            if (!(time > 0)) {
                AfxMessageBox(GetProfileString("Messages", "40", "40"));
                GotoDlgCtrl(id);
                return;
            }
        }
        EndDialog(IDOK);
    }

private:
    double m_levelPercent = 95;
    uint32_t m_events1 = 0;
    double m_time1 = 1.0;
    uint32_t m_events2 = 0;
    double m_time2 = 1.0;
    int32_t m_per = 1;
};

/// A person-time as typed, right-aligned under the report's numbers.
std::string TimeText(double time)
{
    return Format("%12.10g", time);
}
} // namespace

void CCompRateRatio::Serialize(CArchive& ar)
{
    CMethodCalc::Serialize(ar);
    if (ar.IsStoring()) {
        ar << m_levelPercent << m_events1 << m_time1 << m_events2 << m_time2 << m_per;
    } else {
        m_levelPercent = ReadLevelPercent(ar);
        ar >> m_events1 >> m_time1 >> m_events2 >> m_time2;
        m_per = ReadChoice(ar, 2);
    }
}

const CFieldTable* CCompRateRatio::Fields() const
{
    return &RateRatioFields();
}

CInputs CCompRateRatio::Inputs() const
{
    return CInputList()
        .Text("title", GetTitle())
        .Number("events1", m_events1)
        .Number("person_time1", m_time1)
        .Number("events2", m_events2)
        .Number("person_time2", m_time2)
        .Text("per", PerField().options[static_cast<size_t>(m_per)].value)
        .Number("level", m_levelPercent)
        .Take();
}

CResults CCompRateRatio::Results() const
{
    const double x1 = m_events1, x2 = m_events2, t1 = m_time1, t2 = m_time2;
    const double per = kMultipliers[m_per];
    const std::string level = LevelText(m_levelPercent);
    const auto rate = [&](const char* key, double x, double t) {
        const CLimits limits = ExactPoissonLimits(x, m_levelPercent);
        return IntervalResult(key, kTermRate, x / t * per, limits.lower / t * per, limits.upper / t * per, level, 4);
    };
    // With no events at all the ratio is 0 / 0; with none in group 2 it is infinite (printed as
    // undefined) and so are its upper limits.
    const double ratio = x1 + x2 > 0 ? (x1 / t1) / (x2 / t2) : kNoValue;
    const auto ratioResult = [&](const char* key, const char* label, const CLimits& limits) {
        return IntervalResult(key, label, ratio, limits.lower, limits.upper, level, 4);
    };
    // Wald limits of the difference: the variance of a Poisson rate x / t is x / t^2.
    const double difference = (x1 / t1 - x2 / t2) * per;
    const double half = NormalQuantileOfLevel(m_levelPercent) * std::sqrt(x1 / (t1 * t1) + x2 / (t2 * t2)) * per;
    const double counted = x1 + x2 > 0 ? x1 : kNoValue; // the conditional tests' statistic
    return {
        rate("rate1", x1, t1),
        rate("rate2", x2, t2),
        ratioResult("rate_ratio_exact", kTermRateRatioExact, ExactRateRatioLimits(x1, t1, x2, t2, m_levelPercent)),
        ratioResult("rate_ratio_mid_p", kTermRateRatioMidP, MidPRateRatioLimits(x1, t1, x2, t2, m_levelPercent)),
        ratioResult("rate_ratio_wald", kTermRateRatioWald, WaldRateRatioLimits(x1, t1, x2, t2, m_levelPercent)),
        ProbabilityResult("p_exact", kTermExactTestP, counted, ExactRateRatioTestP(x1, t1, x2, t2), kNoValue, 6),
        ProbabilityResult("p_mid_p", kTermMidPTestP, counted, MidPRateRatioTestP(x1, t1, x2, t2), kNoValue, 6),
        IntervalResult("rate_difference", kTermRateDifferenceOneTwo, difference, difference - half, difference + half,
                       level, 4),
    };
}

bool CCompRateRatio::Do()
{
    if (!RunInputDialog<CCompRateRatioDlg>(*this))
        return false;
    CWaitCursor wait;
    const CResults results = Results();
    const std::string levelSuffix = LabelCI(LevelText(m_levelPercent));
    const std::string perUnit = Format("/ %.0f ", kMultipliers[m_per]) + Term(kTermPersonTimeUnits) + "\n";
    const auto insertGroup = [&](int number, uint32_t events, double time, const char* key) {
        InsertPhrase(Term(kTermSample) + " " + std::to_string(number) + "\n", kPhraseBold);
        InsertResult(Term(kTermCount), Format("%12u", events), "");
        InsertResult(Term(kTermPersonTime), TimeText(time), "");
        InsertMethodResult(results, key, levelSuffix);
        InsertPhrase(perUnit, kPhraseItalic);
        InsertPhrase("\n", kPhrasePlain);
    };
    InsertHeading();
    insertGroup(1, m_events1, m_time1, "rate1");
    insertGroup(2, m_events2, m_time2, "rate2");
    InsertPhrase(Term(kTermRateRatioHeading) + "\n", kPhraseBold);
    for (const char* key : {"rate_ratio_exact", "rate_ratio_mid_p", "rate_ratio_wald"})
        InsertMethodResult(results, key, levelSuffix);
    for (const char* key : {"p_exact", "p_mid_p"})
        InsertMethodResult(results, key);
    InsertPhrase("\n", kPhrasePlain);
    InsertMethodResult(results, "rate_difference", levelSuffix);
    InsertPhrase(perUnit, kPhraseItalic);
    return true;
}
