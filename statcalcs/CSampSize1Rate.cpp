// CSampSize1Rate: the sample size to show that a rate differs from a given one (type "4120").
// Its stored inputs, the size and its report, and the input dialog (template 142).
#include "CSampSize1Rate.h"

#include "CArchive.h"
#include "CSampSizeDlg.h"
#include "ElementaryFunctions.h"
#include "SampleTables.h"
#include "StoredInputs.h"
#include "Terms.h"

#include <cmath>

IMPLEMENT_SERIAL(CSampSize1Rate, CCalcBase, 0)

void CSampSize1Rate::Serialize(CArchive& ar)
{
    CCalcBase::Serialize(ar);
    // The stored order is the document format's, not the order of the fields.
    if (ar.IsStoring()) {
        ar << m_significance << m_nullRate << m_power << m_rate;
    } else {
        m_significance = ReadChoice(ar, 3);
        ar >> m_nullRate;
        m_power = ReadChoice(ar, 3);
        ar >> m_rate;
    }
}

namespace
{
/// The form of the input dialog, which also gives the calculation its field table.
const CSizeForm& Size1RateForm()
{
    static const CSizeForm form =
        MakeSizeForm(142, "Sample - Size - Single rate",
                     {
                         {1057, 1132, "Rate:", "48", ":", 1000000, "rate"},
                         {1058, 1129, "Null hypothesis value:", "20", ":", 1000000, "null_rate"},
                     },
                     kColonAfterChoices);
    return form;
}
} // namespace

/// Input dialog: rate, null-hypothesis rate, significance, power and title (template 142).
class CSampSize1RateDlg : public CSampSizeDlg
{
public:
    CSampSize1RateDlg() : CSampSizeDlg(Size1RateForm()) {}

    void Load(const CSampSize1Rate& calc)
    {
        m_values[0] = calc.m_rate;
        m_values[1] = calc.m_nullRate;
        m_significance = calc.m_significance;
        m_power = calc.m_power;
    }

    void Store(CSampSize1Rate& calc) const
    {
        calc.m_rate = m_values[0];
        calc.m_nullRate = m_values[1];
        calc.m_significance = m_significance;
        calc.m_power = m_power;
    }
};

const CFieldTable* CSampSize1Rate::Fields() const
{
    return &Size1RateForm().fields;
}

CInputs CSampSize1Rate::Inputs() const
{
    return SizeFormInputs(Size1RateForm(), {m_rate, m_nullRate}, m_significance, m_power, GetTitle());
}

CResults CSampSize1Rate::Results() const
{
    // n = (z_beta + z_alpha)^2 r / (r - r0)^2 (normal approximation to the Poisson count).
    const double z = kZBeta[m_power] + kZAlpha[m_significance];
    const double n = zmath::Square(z) * m_rate / zmath::Square(m_rate - m_nullRate);
    return {SizeResult("sample_size", "55", TruncSize(n))};
}

bool CSampSize1Rate::Do()
{
    if (!RunInputDialog<CSampSize1RateDlg>(*this))
        return false;
    CWaitCursor wait;
    const CResults results = Results();

    InsertHeading();
    InsertResult(Term(kTermRate), Floating(m_rate, 2), "");
    InsertResult(Term(kTermNullHypothesisValue), Floating(m_nullRate, 2), "");
    InsertResult(Term(kTermSignificanceLevel), SignificanceText(m_significance), "");
    InsertResult(Term(kTermPower), PowerText(m_power), "");
    InsertPhrase("\n", kPhrasePlain);
    InsertResult(SizeLabel(results, "sample_size"), SizeText(results, "sample_size"), "");
    return true;
}
