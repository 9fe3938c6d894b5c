// CSampRanTable: a table of random digits (type "4340").
// Reads and writes the inputs in their stored order.
#include "CSampRanTable.h"

#include "CArchive.h"

IMPLEMENT_SERIAL(CSampRanTable, CCalcBase, 0)

void CSampRanTable::Serialize(CArchive& ar)
{
    CCalcBase::Serialize(ar);
    // The stored order is the document format's, not the order of the fields.
    if (ar.IsStoring()) {
        ar << m_digits << m_number << m_seed;
    } else {
        ar >> m_digits >> m_number >> m_seed;
    }
}

bool CSampRanTable::Do()
{
    // The input dialog and the computation come with the calculation's dialog.
    return false;
}
