// CSampSizeFormulas (type "4180"): sizes by three formulas, the report, and the dialog.
#include "CSampSizeFormulas.h"

#include "CArchive.h"
#include "SampleSizeFormulas.h"
#include "Terms.h"
#include "ValueForm.h"

IMPLEMENT_SERIAL(CSampSizeFormulas, CMethodCalc, 0)

namespace
{
const CValueForm& FormulasForm()
{
    static const CValueForm form =
        MakeValueForm(340, "Sampling - Sample size - Two proportions, three formulas",
                      {
                          {NumberField("percentage1", 1221, kTermProportion, 0, 100), " 1 (%):"},
                          {NumberField("percentage2", 1222, kTermProportion, 0, 100), " 2 (%):"},
                          {NumberField("power", 1223, kTermPower, 50, 99.99, "80"), " (%):"},
                          {NumberField("ratio", 1224, kTermRatioGroup2ToGroup1, 0.01, 100, "1")},
                      });
    return form;
}

/// The three formulas in report order: result key prefix, heading and sizes.
struct CFormula
{
    const char* key;
    const char* heading;
    CGroupSizes (*sizes)(double, double, double, double, double);
};
constexpr CFormula kFormulas[] = {
    {"kelsey", kTermSizeByKelsey, KelseySizes},
    {"fleiss", kTermSizeByFleiss, FleissSizes},
    {"fleiss_cc", kTermSizeByFleissCorrected, FleissCorrectedSizes},
};
} // namespace

/// Input dialog: the two proportions, the power, the ratio, the level and the title; equal
/// proportions have no size.
class CSampSizeFormulasDlg : public CValueFormDlg
{
public:
    CSampSizeFormulasDlg() : CValueFormDlg(FormulasForm()) {}

    void Load(const CSampSizeFormulas& calc)
    {
        m_values = {calc.m_percent1, calc.m_percent2, calc.m_power, calc.m_ratio};
        m_level = calc.m_level;
    }
    void Store(CSampSizeFormulas& calc) const
    {
        calc.m_percent1 = m_values[0];
        calc.m_percent2 = m_values[1];
        calc.m_power = m_values[2];
        calc.m_ratio = m_values[3];
        calc.m_level = m_level;
    }

protected:
    CRefusal Refusal() const override
    {
        if (m_values[0] == m_values[1])
            return {"02", "percentage1"};
        return {};
    }
};

void CSampSizeFormulas::Serialize(CArchive& ar)
{
    CMethodCalc::Serialize(ar);
    if (ar.IsStoring()) {
        ar << m_percent1 << m_percent2 << m_power << m_ratio << m_level;
    } else {
        m_percent1 = ReadFiniteNumber(ar, "proportion 1");
        m_percent2 = ReadFiniteNumber(ar, "proportion 2");
        m_power = ReadFiniteNumber(ar, "power");
        m_ratio = ReadFiniteNumber(ar, "ratio of the group sizes");
        m_level = ReadLevelPercent(ar);
    }
}

const CFieldTable* CSampSizeFormulas::Fields() const
{
    return &FormulasForm().fields;
}

CInputs CSampSizeFormulas::Inputs() const
{
    return CInputList()
        .Number("percentage1", m_percent1)
        .Number("percentage2", m_percent2)
        .Number("power", m_power)
        .Number("ratio", m_ratio)
        .Number("level", m_level)
        .Text("title", GetTitle())
        .Take();
}

CResults CSampSizeFormulas::Results() const
{
    CResults results;
    for (const CFormula& formula : kFormulas) {
        const CGroupSizes sizes = formula.sizes(m_percent1 / 100, m_percent2 / 100, m_ratio, m_level, m_power);
        const double group1 = RoundUpSize(sizes.group1);
        const double group2 = RoundUpSize(sizes.group2);
        const std::string key = formula.key;
        results.push_back(EstimateResult(key + "_group1", kTermGroup1, group1, 0));
        results.push_back(EstimateResult(key + "_group2", kTermGroup2, group2, 0));
        results.push_back(EstimateResult(key + "_total", kTermTotal, group1 + group2, 0));
    }
    return results;
}

bool CSampSizeFormulas::Do()
{
    if (!RunInputDialog<CSampSizeFormulasDlg>(*this))
        return false;
    CWaitCursor wait;
    const CResults results = Results();

    InsertHeading();
    InsertResult(Term(kTermProportion) + " 1", PercentText(m_percent1), "");
    InsertResult(Term(kTermProportion) + " 2", PercentText(m_percent2), "");
    InsertResult(Term(kTermConfidenceLevel), LevelValueText(m_level), "");
    InsertResult(Term(kTermPower), PercentText(m_power), "");
    InsertResult(Term(kTermRatioGroup2ToGroup1), Floating(m_ratio, 2), "");
    for (const CFormula& formula : kFormulas) {
        InsertSection(Term(formula.heading));
        const std::string key = formula.key;
        for (const char* group : {"_group1", "_group2", "_total"})
            InsertMethodResult(results, key + group);
    }
    return true;
}
