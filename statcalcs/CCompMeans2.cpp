// CCompMeans2: the means of two independent samples (pooled-variance t test) (type "2610").
// Reads and writes the inputs in their stored order.
#include "CCompMeans2.h"

#include "CArchive.h"
#include "StoredInputs.h"

IMPLEMENT_SERIAL(CCompMeans2, CCalcBase, 0)

void CCompMeans2::Serialize(CArchive& ar)
{
    CCalcBase::Serialize(ar);
    if (ar.IsStoring()) {
        ar << m_level << m_mean1 << m_mean2 << m_sd1 << m_sd2 << m_size1 << m_size2;
    } else {
        m_level = ReadLevel(ar);
        ar >> m_mean1 >> m_mean2 >> m_sd1 >> m_sd2 >> m_size1 >> m_size2;
    }
}

bool CCompMeans2::Do()
{
    // The input dialog and the computation come with the calculation's dialog.
    return false;
}
