// CProbChi: the upper-tail probability of a chi-square value (type "5100").
// Reads and writes the inputs in their stored order.
#include "CProbChi.h"

#include "CArchive.h"

IMPLEMENT_SERIAL(CProbChi, CCalcBase, 0)

void CProbChi::Serialize(CArchive& ar)
{
    CCalcBase::Serialize(ar);
    if (ar.IsStoring()) {
        ar << m_chi2 << m_df;
    } else {
        ar >> m_chi2 >> m_df;
    }
}

bool CProbChi::Do()
{
    // The input dialog and the computation come with the calculation's dialog.
    return false;
}
