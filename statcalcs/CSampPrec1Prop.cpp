// CSampPrec1Prop: the sample size that estimates a proportion to a given precision (type "4230").
// Its stored inputs, the size and its report, and the input dialog (template 151).
#include "CSampPrec1Prop.h"

#include "CArchive.h"
#include "CSampPrecDlg.h"
#include "SampleTables.h"
#include "StoredInputs.h"
#include "Terms.h"

#include <cmath>

IMPLEMENT_SERIAL(CSampPrec1Prop, CCalcBase, 0)

void CSampPrec1Prop::Serialize(CArchive& ar)
{
    CCalcBase::Serialize(ar);
    if (ar.IsStoring()) {
        ar << m_level << m_percent << m_precision;
    } else {
        m_level = ReadLevel(ar);
        ar >> m_percent >> m_precision;
    }
}

namespace
{
/// The form of the input dialog, which also gives the calculation its field table.
const CPrecisionForm& Prec1PropForm()
{
    static const CPrecisionForm form =
        MakePrecisionForm(151, "Sample - Precision - Single proportion",
                          {
                              {1023, 1118, "Proportion (%):", "43", " (%):", 100, "percentage"},
                          },
                          /*valuesPositive=*/false, /*valuesDiffer=*/false);
    return form;
}
} // namespace

/// Input dialog: proportion (%), precision, confidence level and title (template 151).
class CSampPrec1PropDlg : public CSampPrecDlg
{
public:
    CSampPrec1PropDlg() : CSampPrecDlg(Prec1PropForm()) {}

    void Load(const CSampPrec1Prop& calc)
    {
        m_values[0] = calc.m_percent;
        m_precision = calc.m_precision;
        m_level = calc.m_level;
    }

    void Store(CSampPrec1Prop& calc) const
    {
        calc.m_percent = m_values[0];
        calc.m_precision = m_precision;
        calc.m_level = m_level;
    }
};

const CFieldTable* CSampPrec1Prop::Fields() const
{
    return &Prec1PropForm().fields;
}

CInputs CSampPrec1Prop::Inputs() const
{
    return PrecisionFormInputs(Prec1PropForm(), {m_percent}, m_precision, m_level, GetTitle());
}

CResults CSampPrec1Prop::Results() const
{
    // n = p(1 - p) / se^2 with se = (precision / 100) / z (normal approximation).
    const double p = m_percent / 100;
    const double se = m_precision / 100 / kPrecisionZ[m_level];
    const double n = p * (1 - p) / (se * se);
    return {SizeResult("sample_size", "55", TruncSize(n))};
}

bool CSampPrec1Prop::Do()
{
    if (!RunInputDialog<CSampPrec1PropDlg>(*this))
        return false;
    CWaitCursor wait;
    const CResults results = Results();

    InsertHeading();
    InsertResult(Term(kTermProportion), Floating(m_percent, 2) + "%", "");
    InsertResult(Term(kTermPrecision), Floating(m_precision, 2) + "%", "");
    InsertResult(Term(kTermConfidenceLevel), LevelText(m_level), "");
    InsertPhrase("\n", kPhrasePlain);
    InsertResult(SizeLabel(results, "sample_size"), SizeText(results, "sample_size"), "");
    return true;
}
