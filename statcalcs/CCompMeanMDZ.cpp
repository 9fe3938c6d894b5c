// CCompMeanMDZ: whether one sample's mean differs from zero (type "2620").
// Reads and writes the inputs in their stored order.
#include "CCompMeanMDZ.h"

#include "CArchive.h"
#include "StoredInputs.h"

IMPLEMENT_SERIAL(CCompMeanMDZ, CCalcBase, 0)

void CCompMeanMDZ::Serialize(CArchive& ar)
{
    CCalcBase::Serialize(ar);
    if (ar.IsStoring()) {
        ar << m_level << m_mean << m_sd << m_size;
    } else {
        m_level = ReadLevel(ar);
        ar >> m_mean >> m_sd >> m_size;
    }
}

bool CCompMeanMDZ::Do()
{
    // The input dialog and the computation come with the calculation's dialog.
    return false;
}
