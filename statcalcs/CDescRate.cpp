// CDescRate: a rate per 1000 units of person-time (type "1200"): its stored inputs, the
// normal-approximation interval and report, and the input dialog (template 133).
#include "CDescRate.h"

#include "CArchive.h"
#include "CCalcDlg.h"
#include "StoredInputs.h"

#include <cmath>

IMPLEMENT_SERIAL(CDescRate, CCalcBase, 0)

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

bool CDescRate::Do()
{
    if (!RunInputDialog<CDescRateDlg>(*this))
        return false;
    CWaitCursor wait;
    // Poisson count: the standard error of the rate is sqrt(count) / person-time; a negative
    // lower limit is raised to 0.
    const double z = m_level == 0 ? 1.96 : 2.58;
    const double rate = static_cast<double>(m_count) / static_cast<double>(m_personTime) * 1000;
    const double se = std::sqrt(static_cast<double>(m_count)) / m_personTime * 1000;
    double lower = rate - z * se;
    if (lower < 0)
        lower = 0;
    const double upper = rate + z * se;

    InsertHeading();
    InsertResult(Term("08"), Integer(static_cast<int>(m_count)), "");
    InsertResult(Term("27"), Integer(static_cast<int>(m_personTime)), "");
    InsertResult(Term("48") + LabelCI(kLevels[m_level]), Floating(rate, 2), CI(lower, upper, 2));
    InsertPhrase("/ 1000 " + Term("69") + "\n", kPhraseItalic);
    return true;
}

enum : int
{
    kIdCount = 1025,
    kIdPersonTime = 1026,
    kIdCountLabel = 1119,
    kIdPersonTimeLabel = 1120,
};

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
    SetTerm(kIdCountLabel, "08");
    SetTerm(kIdPersonTimeLabel, "27");
    return true;
}

void CDescRateDlg::DoDataExchange(CDataExchange& dx)
{
    DDX_Text(dx, kIdCount, m_count);
    DDV_MinMaxUInt(dx, m_count, 0, 1000000);
    DDX_Text(dx, kIdPersonTime, m_personTime);
    DDV_MinMaxUInt(dx, m_personTime, 1, 1000000);
    DDX_Radio(dx, kIdLevel95, m_level);
    ExchangeTitle(dx);
}
