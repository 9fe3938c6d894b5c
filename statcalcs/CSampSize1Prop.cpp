// CSampSize1Prop: the sample size to show that a proportion differs from a given one (type "4130").
// Its stored inputs, the size and its report, and the input dialog (template 143).
#include "CSampSize1Prop.h"

#include "CArchive.h"
#include "CSampSizeDlg.h"
#include "ElementaryFunctions.h"
#include "SampleTables.h"
#include "StoredInputs.h"
#include "Terms.h"

#include <cmath>

IMPLEMENT_SERIAL(CSampSize1Prop, CCalcBase, 0)

void CSampSize1Prop::Serialize(CArchive& ar)
{
    CCalcBase::Serialize(ar);
    // The stored order is the document format's, not the order of the fields.
    if (ar.IsStoring()) {
        ar << m_significance << m_nullPercent << m_percent << m_power;
    } else {
        m_significance = ReadChoice(ar, 3);
        ar >> m_nullPercent >> m_percent;
        m_power = ReadChoice(ar, 3);
    }
}

namespace
{
/// The form of the input dialog, which also gives the calculation its field table.
const CSizeForm& Size1PropForm()
{
    static const CSizeForm form =
        MakeSizeForm(143, "Sample - Size - Single proportion",
                     {
                         {1059, 1118, "Proportion (%):", "43", " (%):", 100, "percentage"},
                         {1058, 1129, "Null hypothesis value:", "20", ":", 100, "null_percentage"},
                     });
    return form;
}
} // namespace

/// Input dialog: proportion, null-hypothesis proportion (both in percent), significance, power and title (template
/// 143).
class CSampSize1PropDlg : public CSampSizeDlg
{
public:
    CSampSize1PropDlg() : CSampSizeDlg(Size1PropForm()) {}

    void Load(const CSampSize1Prop& calc)
    {
        m_values[0] = calc.m_percent;
        m_values[1] = calc.m_nullPercent;
        m_significance = calc.m_significance;
        m_power = calc.m_power;
    }

    void Store(CSampSize1Prop& calc) const
    {
        calc.m_percent = m_values[0];
        calc.m_nullPercent = m_values[1];
        calc.m_significance = m_significance;
        calc.m_power = m_power;
    }
};

const CFieldTable* CSampSize1Prop::Fields() const
{
    return &Size1PropForm().fields;
}

CInputs CSampSize1Prop::Inputs() const
{
    return SizeFormInputs(Size1PropForm(), {m_percent, m_nullPercent}, m_significance, m_power, GetTitle());
}

CResults CSampSize1Prop::Results() const
{
    // n = (z_beta sqrt(p(1 - p)) + z_alpha sqrt(p0(1 - p0)))^2 / (p - p0)^2 (Fleiss, one sample).
    const double p = m_percent / 100;
    const double p0 = m_nullPercent / 100;
    const double n =
        zmath::Square(kZBeta[m_power] * std::sqrt(p * (1 - p)) + kZAlpha[m_significance] * std::sqrt(p0 * (1 - p0))) /
        zmath::Square(p - p0);
    return {SizeResult("sample_size", "55", TruncSize(n))};
}

bool CSampSize1Prop::Do()
{
    if (!RunInputDialog<CSampSize1PropDlg>(*this))
        return false;
    CWaitCursor wait;
    const CResults results = Results();

    InsertHeading();
    InsertResult(Term(kTermProportion), Floating(m_percent, 2) + "%", "");
    InsertResult(Term(kTermNullHypothesisValue), Floating(m_nullPercent, 2) + "%", "");
    InsertResult(Term(kTermSignificanceLevel), SignificanceText(m_significance), "");
    InsertResult(Term(kTermPower), PowerText(m_power), "");
    InsertPhrase("\n", kPhrasePlain);
    InsertResult(SizeLabel(results, "sample_size"), SizeText(results, "sample_size"), "");
    return true;
}
