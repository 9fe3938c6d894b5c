// CCompGoodness: tests observed values against expected ones, goodness of fit (type "2400").
// Reads and writes the row count, then each row's observed and expected value.
#include "CCompGoodness.h"

#include "CArchive.h"
#include "StoredInputs.h"

IMPLEMENT_SERIAL(CCompGoodness, CCalcBase, 0)

void CCompGoodness::Serialize(CArchive& ar)
{
    CCalcBase::Serialize(ar);
    if (ar.IsStoring()) {
        ar << static_cast<int32_t>(m_rows.size());
        for (const CGoodnessRow& row : m_rows)
            ar << row.observed << row.expected;
    } else {
        const int32_t count = ReadRowCount(ar, 8 + 8);
        std::vector<CGoodnessRow> rows(static_cast<size_t>(count));
        for (CGoodnessRow& row : rows)
            ar >> row.observed >> row.expected;
        m_rows = std::move(rows);
    }
}

bool CCompGoodness::Do()
{
    // The input dialog and the computation come with the calculation's dialog.
    return false;
}
