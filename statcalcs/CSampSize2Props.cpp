// CSampSize2Props: the sample size to show that two proportions differ (type "4160").
// Its stored inputs, the size and its report, and the input dialog (template 146).
#include "CSampSize2Props.h"

#include "CArchive.h"
#include "CSampSizeDlg.h"
#include "ElementaryFunctions.h"
#include "SampleTables.h"
#include "StoredInputs.h"
#include "Terms.h"

#include <cmath>

IMPLEMENT_SERIAL(CSampSize2Props, CCalcBase, 0)

void CSampSize2Props::Serialize(CArchive& ar)
{
    CCalcBase::Serialize(ar);
    // The stored order is the document format's, not the order of the fields.
    if (ar.IsStoring()) {
        ar << m_significance << m_percent1 << m_percent2 << m_power;
    } else {
        m_significance = ReadChoice(ar, 3);
        ar >> m_percent1 >> m_percent2;
        m_power = ReadChoice(ar, 3);
    }
}

namespace
{
/// The form of the input dialog, which also gives the calculation its field table.
const CSizeForm& Size2PropsForm()
{
    static const CSizeForm form =
        MakeSizeForm(146, "Sample - Size - Two proportions",
                     {
                         {1064, 1107, "Proportion 1 (%):", "43", "1 (%):", 100, "percentage1"},
                         {1065, 1108, "Proportion 2 (%):", "43", "2 (%):", 100, "percentage2"},
                     },
                     kFocusStaysOnEqual);
    return form;
}
} // namespace

/// Input dialog: proportion 1, proportion 2 (in percent), significance, power and title (template 146); it keeps its
/// resource OK and Cancel texts and, on equal values, the focus.
class CSampSize2PropsDlg : public CSampSizeDlg
{
public:
    CSampSize2PropsDlg() : CSampSizeDlg(Size2PropsForm()) {}

    void Load(const CSampSize2Props& calc)
    {
        m_values[0] = calc.m_percent1;
        m_values[1] = calc.m_percent2;
        m_significance = calc.m_significance;
        m_power = calc.m_power;
    }

    void Store(CSampSize2Props& calc) const
    {
        calc.m_percent1 = m_values[0];
        calc.m_percent2 = m_values[1];
        calc.m_significance = m_significance;
        calc.m_power = m_power;
    }
};

const CFieldTable* CSampSize2Props::Fields() const
{
    return &Size2PropsForm().fields;
}

CInputs CSampSize2Props::Inputs() const
{
    return SizeFormInputs(Size2PropsForm(), {m_percent1, m_percent2}, m_significance, m_power, GetTitle());
}

CResults CSampSize2Props::Results() const
{
    // n = (z_beta sqrt(p1(1 - p1) + p2(1 - p2)) + z_alpha sqrt(2 pm(1 - pm)))^2 / (p2 - p1)^2 per
    // group, pm the mean of the two proportions (Fleiss).
    const double p1 = m_percent1 / 100;
    const double p2 = m_percent2 / 100;
    const double pm = (p1 + p2) / 2;
    const double n = zmath::Square(kZBeta[m_power] * std::sqrt(p1 * (1 - p1) + p2 * (1 - p2)) +
                                   kZAlpha[m_significance] * std::sqrt(2 * pm * (1 - pm))) /
                     zmath::Square(p2 - p1);
    const std::optional<int32_t> group = TruncSize(n);
    return {SizeResult("sample_size_per_group", "55", group),
            SizeResult("sample_size_total", "55", TotalSize(group, group))};
}

bool CSampSize2Props::Do()
{
    if (!RunInputDialog<CSampSize2PropsDlg>(*this))
        return false;
    CWaitCursor wait;
    const CResults results = Results();

    InsertHeading();
    InsertResult(Term(kTermProportion) + " 1", Floating(m_percent1, 2) + "%", "");
    InsertResult(Term(kTermProportion) + " 2", Floating(m_percent2, 2) + "%", "");
    InsertResult(Term(kTermSignificanceLevel), SignificanceText(m_significance), "");
    InsertResult(Term(kTermPower), PowerText(m_power), "");
    InsertPhrase("\n", kPhrasePlain);
    InsertResult(SizeLabel(results, "sample_size_per_group"), SizeText(results, "sample_size_per_group"),
                 Term(kTermPerGroup));
    InsertResult(SizeLabel(results, "sample_size_total"), SizeText(results, "sample_size_total"), Term(kTermInTotal));
    return true;
}
