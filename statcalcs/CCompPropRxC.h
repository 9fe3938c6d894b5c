// CCompPropRxC: chi-square test of an R x C contingency table of up to 6 x 6 counts
// (type "3100"). The grid's cells and the size of the block in use.
#pragma once

#include "CCalcBase.h"

#include <array>
#include <cstdint>

class CCompPropRxC : public CCalcBase
{
    DECLARE_SERIAL(CCompPropRxC)
public:
    static constexpr int32_t kMaxSide = 6; // the dialog's grid is 6 x 6
    static constexpr int32_t kEmptyCell = -1;

    CCompPropRxC();

    void Serialize(CArchive& ar) override;
    bool Do() override;
    const CFieldTable* Fields() const override;
    /// The title and every cell of the grid ("r1c1" to "r6c6"); a cell outside the block in
    /// use has no value (not a number).
    CInputs Inputs() const override;
    CResults Results() const override;

    /// Row-major counts; kEmptyCell marks an empty cell. Only the m_r x m_c block is meaningful,
    /// the other cells keep whatever they held (and are stored all the same).
    std::array<std::array<int32_t, kMaxSide>, kMaxSide> m_cells;
    int32_t m_r = 0; // rows in use, 0 to 6
    int32_t m_c = 0; // columns in use, 0 to 6

private:
    /// Writes the table of the R x C block with its row, column and grand totals.
    void ReportTable();
};
