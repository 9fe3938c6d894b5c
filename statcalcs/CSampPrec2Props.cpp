// CSampPrec2Props: the group size that estimates a difference of proportions to a given precision (type "4260").
// Its stored inputs, the size and its report, and the input dialog (template 154).
#include "CSampPrec2Props.h"

#include "CArchive.h"
#include "CSampPrecDlg.h"
#include "SampleTables.h"
#include "StoredInputs.h"
#include "Terms.h"

#include <cmath>

IMPLEMENT_SERIAL(CSampPrec2Props, CCalcBase, 0)

void CSampPrec2Props::Serialize(CArchive& ar)
{
    CCalcBase::Serialize(ar);
    if (ar.IsStoring()) {
        ar << m_level << m_percent1 << m_percent2 << m_precision;
    } else {
        m_level = ReadLevel(ar);
        ar >> m_percent1 >> m_percent2 >> m_precision;
    }
}

namespace
{
/// The form of the input dialog, which also gives the calculation its field table.
const CPrecisionForm& Prec2PropsForm()
{
    static const CPrecisionForm form =
        MakePrecisionForm(154, "Sample - Precision - Two proportions",
                          {
                              {1071, 1107, "Proportion 1 (%):", "43", " 1 (%):", 100, "percentage1"},
                              {1072, 1108, "Proportion 2 (%):", "43", " 2 (%):", 100, "percentage2"},
                          },
                          /*valuesPositive=*/false, /*valuesDiffer=*/true);
    return form;
}
} // namespace

/// Input dialog: proportion 1, proportion 2 (%), precision, confidence level and title (template 154).
class CSampPrec2PropsDlg : public CSampPrecDlg
{
public:
    CSampPrec2PropsDlg() : CSampPrecDlg(Prec2PropsForm()) {}

    void Load(const CSampPrec2Props& calc)
    {
        m_values[0] = calc.m_percent1;
        m_values[1] = calc.m_percent2;
        m_precision = calc.m_precision;
        m_level = calc.m_level;
    }

    void Store(CSampPrec2Props& calc) const
    {
        calc.m_percent1 = m_values[0];
        calc.m_percent2 = m_values[1];
        calc.m_precision = m_precision;
        calc.m_level = m_level;
    }
};

const CFieldTable* CSampPrec2Props::Fields() const
{
    return &Prec2PropsForm().fields;
}

CInputs CSampPrec2Props::Inputs() const
{
    return PrecisionFormInputs(Prec2PropsForm(), {m_percent1, m_percent2}, m_precision, m_level, GetTitle());
}

CResults CSampPrec2Props::Results() const
{
    // n = (p1(1 - p1) + p2(1 - p2)) / se^2 per group, se = (precision / 100) / z.
    const double p1 = m_percent1 / 100;
    const double p2 = m_percent2 / 100;
    const double se = m_precision / 100 / kPrecisionZ[m_level];
    const double n = (p1 * (1 - p1) + p2 * (1 - p2)) / (se * se);
    const std::optional<int32_t> group = TruncSize(n);
    return {SizeResult("sample_size_per_group", "55", group),
            SizeResult("sample_size_total", "", TotalSize(group, group))};
}

bool CSampPrec2Props::Do()
{
    if (!RunInputDialog<CSampPrec2PropsDlg>(*this))
        return false;
    CWaitCursor wait;
    const CResults results = Results();

    InsertHeading();
    InsertResult(Term(kTermProportion) + " 1", Floating(m_percent1, 2) + "%", "");
    InsertResult(Term(kTermProportion) + " 2", Floating(m_percent2, 2) + "%", "");
    InsertResult(Term(kTermPrecision), Floating(m_precision, 2) + "%", "");
    InsertResult(Term(kTermConfidenceLevel), LevelText(m_level), "");
    InsertPhrase("\n", kPhrasePlain);
    InsertResult(SizeLabel(results, "sample_size_per_group"), SizeText(results, "sample_size_per_group"),
                 Term(kTermPerGroup));
    InsertResult(SizeLabel(results, "sample_size_total"), SizeText(results, "sample_size_total"), Term(kTermInTotal));
    return true;
}
