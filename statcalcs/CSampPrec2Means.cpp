// CSampPrec2Means: the group size that estimates a difference of means to a given precision (type "4240").
// Reads and writes the inputs in their stored order.
#include "CSampPrec2Means.h"

#include "CArchive.h"
#include "StoredInputs.h"

IMPLEMENT_SERIAL(CSampPrec2Means, CCalcBase, 0)

void CSampPrec2Means::Serialize(CArchive& ar)
{
    CCalcBase::Serialize(ar);
    if (ar.IsStoring()) {
        ar << m_level << m_precision << m_sd1 << m_sd2;
    } else {
        m_level = ReadLevel(ar);
        ar >> m_precision >> m_sd1 >> m_sd2;
    }
}

bool CSampPrec2Means::Do()
{
    // The input dialog and the computation come with the calculation's dialog.
    return false;
}
