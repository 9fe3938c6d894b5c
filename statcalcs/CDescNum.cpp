// CDescNum: a proportion given as a count and a sample size (type "1120").
// Reads and writes the inputs in their stored order.
#include "CDescNum.h"

#include "CArchive.h"
#include "StoredInputs.h"

IMPLEMENT_SERIAL(CDescNum, CCalcBase, 0)

void CDescNum::Serialize(CArchive& ar)
{
    CCalcBase::Serialize(ar);
    if (ar.IsStoring()) {
        ar << m_level << m_count << m_sampleSize;
    } else {
        m_level = ReadLevel(ar);
        ar >> m_count >> m_sampleSize;
    }
}

bool CDescNum::Do()
{
    // The input dialog and the computation come with the calculation's dialog.
    return false;
}
