// CSampPrec1Rate: the sample size that estimates a rate to a given precision (type "4220").
// Its stored inputs, the size and its report, and the input dialog (template 149).
#include "CSampPrec1Rate.h"

#include "CArchive.h"
#include "CSampPrecDlg.h"
#include "SampleTables.h"
#include "StoredInputs.h"
#include "Terms.h"

#include <cmath>

IMPLEMENT_SERIAL(CSampPrec1Rate, CCalcBase, 0)

void CSampPrec1Rate::Serialize(CArchive& ar)
{
    CCalcBase::Serialize(ar);
    if (ar.IsStoring()) {
        ar << m_level << m_precision << m_rate;
    } else {
        m_level = ReadLevel(ar);
        ar >> m_precision >> m_rate;
    }
}

namespace
{
/// The form of the input dialog, which also gives the calculation its field table.
const CPrecisionForm& Prec1RateForm()
{
    static const CPrecisionForm form = MakePrecisionForm(149, "Sample - Precision - Single rate",
                                                         {
                                                             {1057, 1132, "Rate:", "48", ":", 1000000, "rate"},
                                                         },
                                                         /*valuesPositive=*/false, /*valuesDiffer=*/false);
    return form;
}
} // namespace

/// Input dialog: rate, precision, confidence level and title (template 149).
class CSampPrec1RateDlg : public CSampPrecDlg
{
public:
    CSampPrec1RateDlg() : CSampPrecDlg(Prec1RateForm()) {}

    void Load(const CSampPrec1Rate& calc)
    {
        m_values[0] = calc.m_rate;
        m_precision = calc.m_precision;
        m_level = calc.m_level;
    }

    void Store(CSampPrec1Rate& calc) const
    {
        calc.m_rate = m_values[0];
        calc.m_precision = m_precision;
        calc.m_level = m_level;
    }
};

const CFieldTable* CSampPrec1Rate::Fields() const
{
    return &Prec1RateForm().fields;
}

CInputs CSampPrec1Rate::Inputs() const
{
    return PrecisionFormInputs(Prec1RateForm(), {m_rate}, m_precision, m_level, GetTitle());
}

CResults CSampPrec1Rate::Results() const
{
    // n = rate / se^2 with se = precision / z (normal approximation to the Poisson count).
    const double se = m_precision / kPrecisionZ[m_level];
    const double n = m_rate / (se * se);
    return {SizeResult("sample_size", "55", TruncSize(n))};
}

bool CSampPrec1Rate::Do()
{
    if (!RunInputDialog<CSampPrec1RateDlg>(*this))
        return false;
    CWaitCursor wait;
    const CResults results = Results();

    InsertHeading();
    InsertResult(Term(kTermRate), Floating(m_rate, 2), "");
    InsertResult(Term(kTermPrecision), Floating(m_precision, 2), "");
    InsertResult(Term(kTermConfidenceLevel), LevelText(m_level), "");
    InsertPhrase("\n", kPhrasePlain);
    InsertResult(SizeLabel(results, "sample_size"), SizeText(results, "sample_size"), "");
    return true;
}
