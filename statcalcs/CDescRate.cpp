// CDescRate: a rate per 1000 units of person-time (type "1200"): its stored inputs, the
// normal-approximation interval and report, and the input dialog (template 133).
#include "CDescRate.h"

#include "CArchive.h"
#include "CCalcDlg.h"
#include "FieldTable.h"
#include "StoredInputs.h"
#include "Terms.h"

#include <cmath>

IMPLEMENT_SERIAL(CDescRate, CCalcBase, 0)

namespace
{
enum : int
{
    kIdCount = 1025,
    kIdPersonTime = 1026,
    kIdCountLabel = 1119,
    kIdPersonTimeLabel = 1120,
};

/// The count, the person-time, the level and the title.
const CFieldTable& DescRateFields()
{
    static const CFieldTable table{{
                                       CountField("count", kIdCount, kTermCount, 0, 1000000),
                                       CountField("person_time", kIdPersonTime, kTermPersonTime, 1, 1000000),
                                       LevelField(),
                                       TitleField(),
                                   },
                                   {}};
    return table;
}
} // namespace

void CDescRate::Serialize(CArchive& ar)
{
    CCalcBase::Serialize(ar);
    if (ar.IsStoring()) {
        ar << m_level << m_count << m_personTime;
    } else {
        m_level = ReadLevel(ar);
        ar >> m_count >> m_personTime;
    }
}

/// Input dialog: count, person-time, confidence level and title. It keeps the caption of its
/// template instead of building one from the type code.
class CDescRateDlg : public CCalcDlg
{
public:
    CDescRateDlg();
    void Load(const CDescRate& calc);
    void Store(CDescRate& calc) const;

protected:
    bool OnInitDialog() override;
    void DoDataExchange(CDataExchange& dx) override;

private:
    uint32_t m_count = 0;
    uint32_t m_personTime = 0;
    int m_level = 0;
};

const CFieldTable* CDescRate::Fields() const
{
    return &DescRateFields();
}

CInputs CDescRate::Inputs() const
{
    return CInputList()
        .Number("count", m_count)
        .Number("person_time", m_personTime)
        .Text("level", m_level == 0 ? "95" : "99")
        .Text("title", GetTitle())
        .Take();
}

CResults CDescRate::Results() const
{
    // Poisson count: the standard error of the rate is sqrt(count) / person-time; a negative
    // lower limit is raised to 0.
    const double z = m_level == 0 ? 1.96 : 2.58;
    const double rate = static_cast<double>(m_count) / static_cast<double>(m_personTime) * 1000;
    const double se = std::sqrt(static_cast<double>(m_count)) / m_personTime * 1000;
    double lower = rate - z * se;
    if (lower < 0)
        lower = 0;
    const double upper = rate + z * se;
    CResults results;
    results.push_back(EstimateResult("count", kTermCount, m_count, 0));
    results.push_back(EstimateResult("person_time", kTermPersonTime, m_personTime, 0));
    results.push_back(IntervalResult("rate_per_1000", kTermRate, rate, lower, upper, kLevels[m_level == 0 ? 0 : 1], 2));
    return results;
}

bool CDescRate::Do()
{
    if (!RunInputDialog<CDescRateDlg>(*this))
        return false;
    CWaitCursor wait;
    const CResults results = Results();
    // The count and the person-time keep their seven-wide column.
    const auto insertWhole = [&](const char* key) {
        const CResult& result = *FindResult(results, key);
        InsertResult(ResultLabel(result), Integer(static_cast<int>(static_cast<uint32_t>(result.estimate))), "");
    };

    InsertHeading();
    insertWhole("count");
    insertWhole("person_time");
    InsertResult(results, "rate_per_1000", LabelCI(kLevels[m_level]));
    InsertPhrase("/ 1000 " + Term(kTermPersonTimeUnits) + "\n", kPhraseItalic);
    return true;
}

static const CDialogTemplate& DescRateTemplate()
{
    static const CDialogTemplate dialogTemplate{
        133,
        "Describe - Rate",
        {
            StaticCtl(kIdCountLabel, "Count:", 0, 0),
            NumberEditCtl(kIdCount, 0, 1).RightAlign(),
            StaticCtl(kIdPersonTimeLabel, "Person-time:", 1, 0),
            NumberEditCtl(kIdPersonTime, 1, 1).RightAlign(),
            GroupBoxCtl(kIdLevelBox, "Confidence Interval", 2, 0).Span(1, 2),
            RadioCtl(kIdLevel95, "95%", 0, 0).InGroup(kIdLevelBox).GroupStart(),
            RadioCtl(kIdLevel99, "99%", 0, 1).InGroup(kIdLevelBox),
            StaticCtl(kIdTitleLabel, "Title:", 3, 0),
            EditCtl(kIdTitle, 3, 1).MaxChars(kMaxTitleChars),
            DefButtonCtl(IDOK, "OK", 4, 0),
            ButtonCtl(IDCANCEL, "Cancel", 4, 1),
        },
    };
    return dialogTemplate;
}

CDescRateDlg::CDescRateDlg() : CCalcDlg(DescRateTemplate())
{
    m_keepCaption = true;
}

void CDescRateDlg::Load(const CDescRate& calc)
{
    m_count = calc.m_count;
    m_personTime = calc.m_personTime;
    m_level = calc.m_level;
}

void CDescRateDlg::Store(CDescRate& calc) const
{
    calc.m_count = m_count;
    calc.m_personTime = m_personTime;
    calc.m_level = m_level;
}

bool CDescRateDlg::OnInitDialog()
{
    CCalcDlg::OnInitDialog();
    SetTerm(kIdCountLabel, kTermCount);
    SetTerm(kIdPersonTimeLabel, kTermPersonTime);
    return true;
}

void CDescRateDlg::DoDataExchange(CDataExchange& dx)
{
    const CFieldTable& fields = DescRateFields();
    ExchangeField(dx, FieldOf(fields, "count"), m_count);
    ExchangeField(dx, FieldOf(fields, "person_time"), m_personTime);
    DDX_Radio(dx, kIdLevel95, m_level);
    ExchangeTitle(dx);
}
