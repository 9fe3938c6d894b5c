// CSampRanList: a list of random whole numbers in a range (type "4310").
// Reads and writes the inputs in their stored order.
#include "CSampRanList.h"

#include "CArchive.h"

IMPLEMENT_SERIAL(CSampRanList, CCalcBase, 0)

// m_sorted is not part of the stored form: a loaded calculation has it at its default.
void CSampRanList::Serialize(CArchive& ar)
{
    CCalcBase::Serialize(ar);
    // The stored order is the document format's, not the order of the fields.
    if (ar.IsStoring()) {
        ar << m_max << m_min << m_number << m_unique << m_seed;
    } else {
        ar >> m_max >> m_min >> m_number >> m_unique >> m_seed;
    }
}

bool CSampRanList::Do()
{
    // The input dialog and the computation come with the calculation's dialog.
    return false;
}
