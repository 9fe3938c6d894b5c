// CSampSize2Rates: the sample size to show that two rates differ (type "4150").
// Its stored inputs, the size and its report, and the input dialog (template 145).
#include "CSampSize2Rates.h"

#include "CArchive.h"
#include "CSampSizeDlg.h"
#include "ElementaryFunctions.h"
#include "SampleTables.h"
#include "StoredInputs.h"
#include "Terms.h"

#include <cmath>

IMPLEMENT_SERIAL(CSampSize2Rates, CCalcBase, 0)

void CSampSize2Rates::Serialize(CArchive& ar)
{
    CCalcBase::Serialize(ar);
    if (ar.IsStoring()) {
        ar << m_significance << m_power << m_rate1 << m_rate2;
    } else {
        m_significance = ReadChoice(ar, 3);
        m_power = ReadChoice(ar, 3);
        ar >> m_rate1 >> m_rate2;
    }
}

namespace
{
/// The form of the input dialog, which also gives the calculation its field table.
const CSizeForm& Size2RatesForm()
{
    static const CSizeForm form = MakeSizeForm(145, "Sample - Size - Two rates",
                                               {
                                                   {1062, 1133, "Rate 1:", "48", " 1:", 1000000, "rate1"},
                                                   {1063, 1137, "Rate 2:", "48", " 2:", 1000000, "rate2"},
                                               },
                                               kKeepCaption);
    return form;
}
} // namespace

/// Input dialog: rate 1, rate 2, significance, power and title (template 145); it keeps its template caption.
class CSampSize2RatesDlg : public CSampSizeDlg
{
public:
    CSampSize2RatesDlg() : CSampSizeDlg(Size2RatesForm()) {}

    void Load(const CSampSize2Rates& calc)
    {
        m_values[0] = calc.m_rate1;
        m_values[1] = calc.m_rate2;
        m_significance = calc.m_significance;
        m_power = calc.m_power;
    }

    void Store(CSampSize2Rates& calc) const
    {
        calc.m_rate1 = m_values[0];
        calc.m_rate2 = m_values[1];
        calc.m_significance = m_significance;
        calc.m_power = m_power;
    }
};

const CFieldTable* CSampSize2Rates::Fields() const
{
    return &Size2RatesForm().fields;
}

CInputs CSampSize2Rates::Inputs() const
{
    return SizeFormInputs(Size2RatesForm(), {m_rate1, m_rate2}, m_significance, m_power, GetTitle());
}

CResults CSampSize2Rates::Results() const
{
    // n = (z_beta + z_alpha)^2 (r1 + r2) / (r1 - r2)^2 per group (normal approximation).
    const double z = kZBeta[m_power] + kZAlpha[m_significance];
    const double n = zmath::Square(z) * (m_rate1 + m_rate2) / zmath::Square(m_rate1 - m_rate2);
    const std::optional<int32_t> group = TruncSize(n);
    return {SizeResult("sample_size_per_group", "55", group),
            SizeResult("sample_size_total", "", TotalSize(group, group))};
}

bool CSampSize2Rates::Do()
{
    if (!RunInputDialog<CSampSize2RatesDlg>(*this))
        return false;
    CWaitCursor wait;
    const CResults results = Results();

    InsertHeading();
    InsertResult(Term(kTermRate) + " 1", Floating(m_rate1, 2), "");
    InsertResult(Term(kTermRate) + " 2", Floating(m_rate2, 2), "");
    InsertResult(Term(kTermSignificanceLevel), SignificanceText(m_significance), "");
    InsertResult(Term(kTermPower), PowerText(m_power), "");
    InsertPhrase("\n", kPhrasePlain);
    InsertResult(SizeLabel(results, "sample_size_per_group"), SizeText(results, "sample_size_per_group"),
                 Term(kTermPerGroup));
    InsertResult(SizeLabel(results, "sample_size_total"), SizeText(results, "sample_size_total"), Term(kTermInTotal));
    return true;
}
