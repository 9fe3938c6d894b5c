// CCompMeanMDG: whether one sample's mean differs from a given mean (type "2630").
// Reads and writes the inputs in their stored order.
#include "CCompMeanMDG.h"

#include "CArchive.h"
#include "StoredInputs.h"

IMPLEMENT_SERIAL(CCompMeanMDG, CCalcBase, 0)

void CCompMeanMDG::Serialize(CArchive& ar)
{
    CCalcBase::Serialize(ar);
    if (ar.IsStoring()) {
        ar << m_level << m_mean << m_refMean << m_sd << m_size;
    } else {
        m_level = ReadLevel(ar);
        ar >> m_mean >> m_refMean >> m_sd >> m_size;
    }
}

bool CCompMeanMDG::Do()
{
    // The input dialog and the computation come with the calculation's dialog.
    return false;
}
