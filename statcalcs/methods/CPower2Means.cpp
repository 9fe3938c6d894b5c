// CPower2Means (type "4420"): the power of two means, the report, and the dialog.
#include "CPower2Means.h"

#include "CArchive.h"
#include "Power.h"
#include "Terms.h"
#include "ValueForm.h"

IMPLEMENT_SERIAL(CPower2Means, CMethodCalc, 0)

namespace
{
const CValueForm& Power2MeansForm()
{
    static const CValueForm form =
        MakeValueForm(342, "Sampling - Power - Two means",
                      {
                          {NumberField("difference", 1241, kTermDifference, -1e9, 1e9)},
                          {NumberField("sd", 1242, kTermStandardDeviation, 0, 1e9, "1")},
                          {CountField("n1", 1243, kTermSampleSize, 2, 10000000, "20"), " 1:"},
                          {CountField("n2", 1244, kTermSampleSize, 2, 10000000, "20"), " 2:"},
                          {NumberField("target_power", 1245, kTermTargetPower, 50, 99.99, "80"), " (%):"},
                      });
    return form;
}
} // namespace

/// Input dialog: the difference, the SD, the two sizes, the target power, the level and the
/// title; an SD of 0 has no power.
class CPower2MeansDlg : public CValueFormDlg
{
public:
    CPower2MeansDlg() : CValueFormDlg(Power2MeansForm()) {}

    void Load(const CPower2Means& calc)
    {
        m_values = {calc.m_difference, calc.m_sd, calc.m_size1, calc.m_size2, calc.m_targetPower};
        m_level = calc.m_level;
    }
    void Store(CPower2Means& calc) const
    {
        calc.m_difference = m_values[0];
        calc.m_sd = m_values[1];
        calc.m_size1 = m_values[2];
        calc.m_size2 = m_values[3];
        calc.m_targetPower = m_values[4];
        calc.m_level = m_level;
    }

protected:
    CRefusal Refusal() const override
    {
        if (!(m_values[1] > 0))
            return {"03", "sd"};
        return {};
    }
};

void CPower2Means::Serialize(CArchive& ar)
{
    CMethodCalc::Serialize(ar);
    if (ar.IsStoring()) {
        ar << m_difference << m_sd << m_size1 << m_size2 << m_targetPower << m_level;
    } else {
        m_difference = ReadFiniteNumber(ar, "difference");
        m_sd = ReadFiniteNumber(ar, "standard deviation");
        m_size1 = ReadFiniteNumber(ar, "sample size 1");
        m_size2 = ReadFiniteNumber(ar, "sample size 2");
        m_targetPower = ReadFiniteNumber(ar, "target power");
        m_level = ReadLevelPercent(ar);
    }
}

const CFieldTable* CPower2Means::Fields() const
{
    return &Power2MeansForm().fields;
}

CInputs CPower2Means::Inputs() const
{
    return CInputList()
        .Number("difference", m_difference)
        .Number("sd", m_sd)
        .Number("n1", m_size1)
        .Number("n2", m_size2)
        .Number("target_power", m_targetPower)
        .Number("level", m_level)
        .Text("title", GetTitle())
        .Take();
}

CResults CPower2Means::Results() const
{
    return {
        EstimateResult("power_t", kTermPowerNoncentralT, TwoMeansPowerT(m_difference, m_sd, m_size1, m_size2, m_level),
                       2),
        EstimateResult("power_normal", kTermPowerNormal,
                       TwoMeansPowerNormal(m_difference, m_sd, m_size1, m_size2, m_level), 2),
        EstimateResult("detectable_difference_t", kTermDetectableDifferenceT,
                       DetectableDifferenceT(m_sd, m_size1, m_size2, m_level, m_targetPower), 4),
        EstimateResult("detectable_difference_normal", kTermDetectableDifferenceNormal,
                       DetectableDifferenceNormal(m_sd, m_size1, m_size2, m_level, m_targetPower), 4),
    };
}

bool CPower2Means::Do()
{
    if (!RunInputDialog<CPower2MeansDlg>(*this))
        return false;
    CWaitCursor wait;
    const CResults results = Results();
    const auto insertPercent = [&](const char* key) {
        const CResult& result = *FindResult(results, key);
        InsertResult(ResultLabel(result), PercentText(result.estimate), "");
    };

    InsertHeading();
    InsertResult(Term(kTermDifference), Floating(m_difference, 4), "");
    InsertResult(Term(kTermStandardDeviation), Floating(m_sd, 4), "");
    InsertResult(Term(kTermSampleSize) + " 1", Floating(m_size1, 0), "");
    InsertResult(Term(kTermSampleSize) + " 2", Floating(m_size2, 0), "");
    InsertResult(Term(kTermConfidenceLevel), LevelValueText(m_level), "");
    InsertPhrase("\n", kPhrasePlain);
    insertPercent("power_t");
    insertPercent("power_normal");
    InsertPhrase("\n", kPhrasePlain);
    InsertResult(Term(kTermTargetPower), PercentText(m_targetPower), "");
    InsertMethodResult(results, "detectable_difference_t");
    InsertMethodResult(results, "detectable_difference_normal");
    return true;
}
