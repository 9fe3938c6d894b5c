// CProbPoisson (type "5500"): the Poisson probabilities of x, its report, and the dialog.
#include "CProbPoisson.h"

#include "CArchive.h"
#include "ExactLimits.h"
#include "ExactTwoSided.h"
#include "Terms.h"
#include "ValueForm.h"

IMPLEMENT_SERIAL(CProbPoisson, CMethodCalc, 0)

namespace
{
const CValueForm& PoissonForm()
{
    static const CValueForm form = MakeValueForm(345, "Probability - Poisson distribution",
                                                 {
                                                     {NumberField("mean", 1211, kTermMean, 0, 1e9, "1")},
                                                     {CountField("x", 1212, kTermNumberOfEvents, 0, 1e9, "0")},
                                                 });
    return form;
}
} // namespace

/// Input dialog: the mean, x, the level and the title; the mean must be above 0.
class CProbPoissonDlg : public CValueFormDlg
{
public:
    CProbPoissonDlg() : CValueFormDlg(PoissonForm()) {}

    void Load(const CProbPoisson& calc)
    {
        m_values = {calc.m_mean, calc.m_events};
        m_level = calc.m_level;
    }
    void Store(CProbPoisson& calc) const
    {
        calc.m_mean = m_values[0];
        calc.m_events = m_values[1];
        calc.m_level = m_level;
    }

protected:
    CRefusal Refusal() const override
    {
        if (!(m_values[0] > 0))
            return {"51", "mean"};
        return {};
    }
};

void CProbPoisson::Serialize(CArchive& ar)
{
    CMethodCalc::Serialize(ar);
    if (ar.IsStoring()) {
        ar << m_mean << m_events << m_level;
    } else {
        m_mean = ReadFiniteNumber(ar, "mean");
        m_events = ReadFiniteNumber(ar, "number of events");
        m_level = ReadLevelPercent(ar);
    }
}

const CFieldTable* CProbPoisson::Fields() const
{
    return &PoissonForm().fields;
}

CInputs CProbPoisson::Inputs() const
{
    return CInputList()
        .Number("mean", m_mean)
        .Number("x", m_events)
        .Number("level", m_level)
        .Text("title", GetTitle())
        .Take();
}

CResults CProbPoisson::Results() const
{
    const double x = m_events;
    // A mean of 0 is refused by the dialog; a document holding one gets no probabilities.
    const double mean = m_mean > 0 ? m_mean : kNoValue;
    const CLimits limits = ExactPoissonLimits(x, m_level);
    CResults results;
    results.push_back(ProbabilityResult("p_point", kTermPEqual, 0, PoissonPoint(x, mean), kNoValue, 6));
    results.push_back(ProbabilityResult("p_at_most", kTermPAtMost, 0, PoissonLowerTail(x, mean), kNoValue, 6));
    results.push_back(ProbabilityResult("p_at_least", kTermPAtLeast, 0, PoissonUpperTail(x, mean), kNoValue, 6));
    results.push_back(ProbabilityResult("p_two_sided", TermKeys({kTermTwoTailed, kTermPValue}), 0,
                                        PoissonTwoSidedP(x, mean), kNoValue, 6));
    results.push_back(IntervalResult("mean_exact", kTermMeanGivenXExact, x >= 0 ? x : kNoValue, limits.lower,
                                     limits.upper, LevelText(m_level), 4));
    return results;
}

bool CProbPoisson::Do()
{
    if (!RunInputDialog<CProbPoissonDlg>(*this))
        return false;
    CWaitCursor wait;
    const CResults results = Results();

    InsertHeading();
    InsertResult(Term(kTermMean), Floating(m_mean, 4), "");
    InsertResult(Term(kTermNumberOfEvents), Floating(m_events, 0), "");
    InsertPhrase("\n", kPhrasePlain);
    for (const char* key : {"p_point", "p_at_most", "p_at_least", "p_two_sided"})
        InsertMethodResult(results, key);
    InsertMethodResult(results, "mean_exact", LabelCI(LevelText(m_level)));
    return true;
}
