// CCompPropRxC: chi-square test of an R x C contingency table of up to 6 x 6 counts
// (type "3100"). Reads and writes C, R and the 36 cells.
#include "CCompPropRxC.h"

#include "CArchive.h"
#include "StoredInputs.h"

IMPLEMENT_SERIAL(CCompPropRxC, CCalcBase, 0)

CCompPropRxC::CCompPropRxC()
{
    for (auto& row : m_cells)
        row.fill(kEmptyCell);
}

void CCompPropRxC::Serialize(CArchive& ar)
{
    CCalcBase::Serialize(ar);
    // C is stored before R: the document format's order, not the fields'.
    if (ar.IsStoring()) {
        ar << m_c << m_r;
        for (const auto& row : m_cells)
            for (int32_t cell : row)
                ar << cell;
    } else {
        // The dialog and the computation index the grid with R and C.
        m_c = ReadChoice(ar, kMaxSide);
        m_r = ReadChoice(ar, kMaxSide);
        for (auto& row : m_cells)
            for (int32_t& cell : row)
                ar >> cell;
    }
}

bool CCompPropRxC::Do()
{
    // The input dialog and the computation come with the calculation's dialog.
    return false;
}
