// CCompPropPerc: compares several proportions, each a percentage of its sample (type "2200").
// Reads and writes the row count, then each row's percentage and sample size.
#include "CCompPropPerc.h"

#include "CArchive.h"
#include "StoredInputs.h"

IMPLEMENT_SERIAL(CCompPropPerc, CCalcBase, 0)

void CCompPropPerc::Serialize(CArchive& ar)
{
    CCalcBase::Serialize(ar);
    if (ar.IsStoring()) {
        ar << static_cast<int32_t>(m_rows.size());
        for (const CPropPercRow& row : m_rows)
            ar << row.percent << row.sampleSize;
    } else {
        const int32_t count = ReadRowCount(ar, 8 + 4);
        std::vector<CPropPercRow> rows(static_cast<size_t>(count));
        for (CPropPercRow& row : rows)
            ar >> row.percent >> row.sampleSize;
        m_rows = std::move(rows);
    }
}

bool CCompPropPerc::Do()
{
    // The input dialog and the computation come with the calculation's dialog.
    return false;
}
