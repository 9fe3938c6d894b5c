// CPropZ: the one- and two-tailed probabilities of a normal deviate (type "5300").
// Reads and writes the inputs in their stored order.
#include "CPropZ.h"

#include "CArchive.h"

IMPLEMENT_SERIAL(CPropZ, CCalcBase, 0)

void CPropZ::Serialize(CArchive& ar)
{
    CCalcBase::Serialize(ar);
    if (ar.IsStoring()) {
        ar << m_z;
    } else {
        ar >> m_z;
    }
}

bool CPropZ::Do()
{
    // The input dialog and the computation come with the calculation's dialog.
    return false;
}
