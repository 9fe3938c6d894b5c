// CSampPrec1Rate: the sample size that estimates a rate to a given precision (type "4220").
// Reads and writes the inputs in their stored order.
#include "CSampPrec1Rate.h"

#include "CArchive.h"
#include "StoredInputs.h"

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

bool CSampPrec1Rate::Do()
{
    // The input dialog and the computation come with the calculation's dialog.
    return false;
}
