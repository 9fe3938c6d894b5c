// CCompKappa: agreement of two raters (type "3600"): Cohen's kappa of a k x k table of counts
// (k = 2 to 6), weighted kappa for ordered categories, and PABAK for two categories.
#pragma once

#include "CMethodCalc.h"

#include <array>
#include <cstdint>

class CCompKappa : public CMethodCalc
{
    DECLARE_SERIAL(CCompKappa)
public:
    static constexpr int32_t kMaxCategories = 6;

    CCompKappa();

    void Serialize(CArchive& ar) override;
    bool Do() override;
    const CFieldTable* Fields() const override;
    /// The title, the number of categories, every cell of the grid ("r1c1" to "r6c6"; a cell
    /// outside the k x k block has no value) and the level.
    CInputs Inputs() const override;
    CResults Results() const override;

    double m_levelPercent = 95;
    int32_t m_categories = 2; // k: the table in use is the top-left k x k block of the grid
    /// Row-major counts: rows the first rater's categories, columns the second's. Cells beyond
    /// the block in use keep what they held and are stored all the same.
    std::array<std::array<uint32_t, kMaxCategories>, kMaxCategories> m_cells;

private:
    /// Writes the k x k table with its row, column and grand totals.
    void ReportTable();
};
