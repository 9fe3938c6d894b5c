// CDescMean: a mean with its t interval (type "1300").
// Reads and writes the inputs in their stored order.
#include "CDescMean.h"

#include "CArchive.h"
#include "StoredInputs.h"

IMPLEMENT_SERIAL(CDescMean, CCalcBase, 0)

void CDescMean::Serialize(CArchive& ar)
{
    CCalcBase::Serialize(ar);
    if (ar.IsStoring()) {
        ar << m_level << m_mean << m_sd << m_sampleSize;
    } else {
        m_level = ReadLevel(ar);
        ar >> m_mean >> m_sd >> m_sampleSize;
    }
}

bool CDescMean::Do()
{
    // The input dialog and the computation come with the calculation's dialog.
    return false;
}
