// CPower2Props (type "4410"): the power of two proportions, the report, and the dialog.
#include "CPower2Props.h"

#include "CArchive.h"
#include "Power.h"
#include "Terms.h"
#include "ValueForm.h"

IMPLEMENT_SERIAL(CPower2Props, CMethodCalc, 0)

namespace
{
const CValueForm& Power2PropsForm()
{
    static const CValueForm form =
        MakeValueForm(341, "Sampling - Power - Two proportions",
                      {
                          {NumberField("percentage1", 1231, kTermProportion, 0, 100), " 1 (%):"},
                          {NumberField("percentage2", 1232, kTermProportion, 0, 100), " 2 (%):"},
                          {CountField("n1", 1233, kTermSampleSize, 1, 1e9, "100"), " 1:"},
                          {CountField("n2", 1234, kTermSampleSize, 1, 1e9, "100"), " 2:"},
                          {NumberField("target_power", 1235, kTermTargetPower, 50, 99.99, "80"), " (%):"},
                      });
    return form;
}
} // namespace

/// Input dialog: the two proportions, the two sizes, the target power, the level and the title.
class CPower2PropsDlg : public CValueFormDlg
{
public:
    CPower2PropsDlg() : CValueFormDlg(Power2PropsForm()) {}

    void Load(const CPower2Props& calc)
    {
        m_values = {calc.m_percent1, calc.m_percent2, calc.m_size1, calc.m_size2, calc.m_targetPower};
        m_level = calc.m_level;
    }
    void Store(CPower2Props& calc) const
    {
        calc.m_percent1 = m_values[0];
        calc.m_percent2 = m_values[1];
        calc.m_size1 = m_values[2];
        calc.m_size2 = m_values[3];
        calc.m_targetPower = m_values[4];
        calc.m_level = m_level;
    }
};

void CPower2Props::Serialize(CArchive& ar)
{
    CMethodCalc::Serialize(ar);
    if (ar.IsStoring()) {
        ar << m_percent1 << m_percent2 << m_size1 << m_size2 << m_targetPower << m_level;
    } else {
        m_percent1 = ReadFiniteNumber(ar, "proportion 1");
        m_percent2 = ReadFiniteNumber(ar, "proportion 2");
        m_size1 = ReadFiniteNumber(ar, "sample size 1");
        m_size2 = ReadFiniteNumber(ar, "sample size 2");
        m_targetPower = ReadFiniteNumber(ar, "target power");
        m_level = ReadLevelPercent(ar);
    }
}

const CFieldTable* CPower2Props::Fields() const
{
    return &Power2PropsForm().fields;
}

CInputs CPower2Props::Inputs() const
{
    return CInputList()
        .Number("percentage1", m_percent1)
        .Number("percentage2", m_percent2)
        .Number("n1", m_size1)
        .Number("n2", m_size2)
        .Number("target_power", m_targetPower)
        .Number("level", m_level)
        .Text("title", GetTitle())
        .Take();
}

CResults CPower2Props::Results() const
{
    const double p1 = m_percent1 / 100;
    const double p2 = m_percent2 / 100;
    const auto detectable = [&](bool above) {
        return 100 * DetectableProportion(p1, m_size1, m_size2, m_level, m_targetPower, above);
    };
    return {
        EstimateResult("power", kTermPowerNormal, TwoProportionsPower(p1, p2, m_size1, m_size2, m_level, false), 2),
        EstimateResult("power_cc", kTermPowerCorrected, TwoProportionsPower(p1, p2, m_size1, m_size2, m_level, true),
                       2),
        EstimateResult("detectable_percentage2_higher", kTermDetectableProportionHigher, detectable(true), 2),
        EstimateResult("detectable_percentage2_lower", kTermDetectableProportionLower, detectable(false), 2),
    };
}

bool CPower2Props::Do()
{
    if (!RunInputDialog<CPower2PropsDlg>(*this))
        return false;
    CWaitCursor wait;
    const CResults results = Results();
    const auto insertPercent = [&](const char* key) {
        const CResult& result = *FindResult(results, key);
        InsertResult(ResultLabel(result), PercentText(result.estimate), "");
    };

    InsertHeading();
    InsertResult(Term(kTermProportion) + " 1", PercentText(m_percent1), "");
    InsertResult(Term(kTermProportion) + " 2", PercentText(m_percent2), "");
    InsertResult(Term(kTermSampleSize) + " 1", Floating(m_size1, 0), "");
    InsertResult(Term(kTermSampleSize) + " 2", Floating(m_size2, 0), "");
    InsertResult(Term(kTermConfidenceLevel), LevelValueText(m_level), "");
    InsertPhrase("\n", kPhrasePlain);
    for (const char* key : {"power", "power_cc"})
        insertPercent(key);
    InsertPhrase("\n", kPhrasePlain);
    InsertResult(Term(kTermTargetPower), PercentText(m_targetPower), "");
    for (const char* key : {"detectable_percentage2_higher", "detectable_percentage2_lower"})
        insertPercent(key);
    return true;
}
