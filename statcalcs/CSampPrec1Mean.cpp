// CSampPrec1Mean: the sample size that estimates a mean to a given precision (type "4210").
// Reads and writes the inputs in their stored order.
#include "CSampPrec1Mean.h"

#include "CArchive.h"
#include "StoredInputs.h"

IMPLEMENT_SERIAL(CSampPrec1Mean, CCalcBase, 0)

void CSampPrec1Mean::Serialize(CArchive& ar)
{
    CCalcBase::Serialize(ar);
    if (ar.IsStoring()) {
        ar << m_level << m_precision << m_sd;
    } else {
        m_level = ReadLevel(ar);
        ar >> m_precision >> m_sd;
    }
}

bool CSampPrec1Mean::Do()
{
    // The input dialog and the computation come with the calculation's dialog.
    return false;
}
