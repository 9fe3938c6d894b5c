// CSampPrec2Rates: the group size that estimates a difference of rates to a given precision (type "4250").
// Reads and writes the inputs in their stored order.
#include "CSampPrec2Rates.h"

#include "CArchive.h"
#include "StoredInputs.h"

IMPLEMENT_SERIAL(CSampPrec2Rates, CCalcBase, 0)

void CSampPrec2Rates::Serialize(CArchive& ar)
{
    CCalcBase::Serialize(ar);
    if (ar.IsStoring()) {
        ar << m_level << m_precision << m_rate1 << m_rate2;
    } else {
        m_level = ReadLevel(ar);
        ar >> m_precision >> m_rate1 >> m_rate2;
    }
}

bool CSampPrec2Rates::Do()
{
    // The input dialog and the computation come with the calculation's dialog.
    return false;
}
