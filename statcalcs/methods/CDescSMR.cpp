// CDescSMR: the standardised mortality ratio (type "1600"): its stored inputs, the limits and
// tests of the observed count against the expected one and their report, and the input dialog
// (template 302).
#include "CDescSMR.h"

#include "CArchive.h"
#include "ConfidenceLevel.h"
#include "DescribeMethodDlg.h"
#include "ExactLimits.h"
#include "PoissonIntervals.h"
#include "ShownDecimals.h"
#include "StoredInputs.h"
#include "Terms.h"

IMPLEMENT_SERIAL(CDescSMR, CMethodCalc, 0)

namespace
{
enum : int
{
    kIdObserved = 1025,
    kIdExpected = 1026,
    kIdObservedLabel = 1119,
    kIdExpectedLabel = 1120,
};

/// Messages/22: an expected count of 0.
constexpr char kMessageExpectedNotPositive[] = "22";

/// The most observed and expected taken.
constexpr double kMaxObserved = 1e9;
constexpr double kMaxExpected = 1e12;

/// The observed and expected counts, the level and the title.
const CFieldTable& SmrFields()
{
    static const CFieldTable table{{
                                       CountField("observed", kIdObserved, kTermObserved, 0, kMaxObserved),
                                       NumberField("expected", kIdExpected, kTermExpected, 0, kMaxExpected),
                                       AnyLevelField(),
                                       TitleField(),
                                   },
                                   {}};
    return table;
}

/// The interval results in report order.
const char* const kIntervalKeys[] = {"exact", "mid_p", "byar"};
} // namespace

void CDescSMR::Serialize(CArchive& ar)
{
    CMethodCalc::Serialize(ar);
    if (ar.IsStoring()) {
        ar << m_level << m_observed << m_expected;
    } else {
        m_level = ReadLevelPercent(ar);
        ar >> m_observed >> m_expected;
    }
}

const CFieldTable* CDescSMR::Fields() const
{
    return &SmrFields();
}

CInputs CDescSMR::Inputs() const
{
    return CInputList()
        .Number("observed", m_observed)
        .Number("expected", m_expected)
        .Number("level", m_level)
        .Text("title", GetTitle())
        .Take();
}

CResults CDescSMR::Results() const
{
    // Inputs the dialog never takes (a damaged document) give undefined results.
    const bool valid =
        m_expected > 0 && m_expected <= kMaxExpected && m_level >= kMinLevelPercent && m_level <= kMaxLevelPercent;
    const double observed = m_observed;
    const double expected = valid ? m_expected : kNoValue;
    const double z = valid ? NormalQuantileOfLevel(m_level) : kNoValue;
    // Limits of the Poisson mean of the observed count, over the expected count (Breslow and
    // Day 1987, vol. II, section 2.2).
    const CLimits counts[] = {
        ExactPoissonLimits(observed, m_level),
        MidPCountLimits(observed, m_level),
        ByarLimits(observed, z),
    };
    const double ratio = observed / expected;
    const int decimals = DecimalsForWidth((counts[0].upper - counts[0].lower) / expected, 2);
    const std::string level = LevelText(m_level);
    const std::string labels[] = {kTermExactPoisson, kTermMidPExact, kTermByar};

    CResults results;
    results.push_back(EstimateResult("observed", kTermObserved, m_observed, 0));
    results.push_back(EstimateResult("expected", kTermExpected, m_expected, DecimalsForInput(m_expected)));
    results.push_back(EstimateResult("smr", kTermSmr, ratio, decimals));
    for (int i = 0; i < 3; ++i)
        results.push_back(IntervalResult(kIntervalKeys[i], labels[i], ratio, counts[i].lower / expected,
                                         counts[i].upper / expected, level, decimals));
    // Two-sided: twice the smaller tail, at most 1 (see PoissonDoubledTailP).
    results.push_back(ProbabilityResult("p_exact", TermKeys({kTermExactPoissonTest, kTermTwoSidedP}), ratio,
                                        PoissonDoubledTailP(observed, expected), kNoValue, 6));
    results.push_back(ProbabilityResult("p_mid_p", TermKeys({kTermMidPExactTest, kTermTwoSidedP}), ratio,
                                        PoissonMidPTwoSidedP(observed, expected), kNoValue, 6));
    return results;
}

/// Input dialog: observed and expected counts, confidence level and title; refuses an expected
/// count of 0.
class CDescSMRDlg : public CMethodDlg
{
public:
    CDescSMRDlg();
    void Load(const CDescSMR& calc);
    void Store(CDescSMR& calc) const;

protected:
    bool OnInitDialog() override;
    void DoDataExchange(CDataExchange& dx) override;
    void OnOK() override;

private:
    uint32_t m_observed = 0;
    double m_expected = 0;
    double m_level = 95;
};

bool CDescSMR::Do()
{
    if (!RunInputDialog<CDescSMRDlg>(*this))
        return false;
    CWaitCursor wait;
    const CResults results = Results();
    const std::string levelLabel = LabelCI(LevelText(m_level));
    InsertHeading();
    InsertMethodResult(results, "observed");
    InsertMethodResult(results, "expected");
    InsertMethodResult(results, "smr");
    for (const char* key : kIntervalKeys)
        InsertMethodResult(results, key, levelLabel);
    InsertMethodResult(results, "p_exact");
    InsertMethodResult(results, "p_mid_p");
    return true;
}

static const CDialogTemplate& SmrTemplate()
{
    static const CDialogTemplate dialogTemplate = [] {
        CDialogTemplate made{302, "Describe - Standardised mortality ratio", {}};
        made.controls = {
            StaticCtl(kIdObservedLabel, "Observed:", 0, 0),
            NumberEditCtl(kIdObserved, 0, 1).RightAlign(),
            StaticCtl(kIdExpectedLabel, "Expected:", 1, 0),
            EditCtl(kIdExpected, 1, 1).RightAlign(),
        };
        AppendLevelTitleButtons(made.controls, 2);
        return made;
    }();
    return dialogTemplate;
}

CDescSMRDlg::CDescSMRDlg() : CMethodDlg(SmrTemplate())
{}

void CDescSMRDlg::Load(const CDescSMR& calc)
{
    m_observed = calc.m_observed;
    m_expected = calc.m_expected;
    m_level = calc.m_level;
}

void CDescSMRDlg::Store(CDescSMR& calc) const
{
    calc.m_observed = m_observed;
    calc.m_expected = m_expected;
    calc.m_level = m_level;
}

bool CDescSMRDlg::OnInitDialog()
{
    CMethodDlg::OnInitDialog();
    SetTerm(kIdObservedLabel, kTermObserved);
    SetTerm(kIdExpectedLabel, kTermExpected);
    return true;
}

void CDescSMRDlg::DoDataExchange(CDataExchange& dx)
{
    const CFieldTable& fields = SmrFields();
    ExchangeField(dx, FieldOf(fields, "observed"), m_observed);
    ExchangeField(dx, FieldOf(fields, "expected"), m_expected);
    ExchangeLevel(dx, m_level);
    ExchangeTitle(dx);
}

void CDescSMRDlg::OnOK()
{
    if (!UpdateData(true))
        return;
    if (!(m_expected > 0)) {
        RefuseInput(*this, kMessageExpectedNotPositive, kIdExpected);
        return;
    }
    EndDialog(IDOK);
}
