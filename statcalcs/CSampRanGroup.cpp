// CSampRanGroup: a random group number for each subject (type "4320").
// Reads and writes the inputs in their stored order.
#include "CSampRanGroup.h"

#include "CArchive.h"

IMPLEMENT_SERIAL(CSampRanGroup, CCalcBase, 0)

void CSampRanGroup::Serialize(CArchive& ar)
{
    CCalcBase::Serialize(ar);
    // The stored order is the document format's, not the order of the fields.
    if (ar.IsStoring()) {
        ar << m_groups << m_number << m_seed;
    } else {
        ar >> m_groups >> m_number >> m_seed;
    }
}

bool CSampRanGroup::Do()
{
    // The input dialog and the computation come with the calculation's dialog.
    return false;
}
