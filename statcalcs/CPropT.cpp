// CPropT: the one- and two-tailed probabilities of a Student's t value (type "5200").
// Reads and writes the inputs in their stored order.
#include "CPropT.h"

#include "CArchive.h"

IMPLEMENT_SERIAL(CPropT, CCalcBase, 0)

void CPropT::Serialize(CArchive& ar)
{
    CCalcBase::Serialize(ar);
    // The stored order is the document format's, not the order of the fields.
    if (ar.IsStoring()) {
        ar << m_df << m_t;
    } else {
        ar >> m_df >> m_t;
    }
}

bool CPropT::Do()
{
    // The input dialog and the computation come with the calculation's dialog.
    return false;
}
