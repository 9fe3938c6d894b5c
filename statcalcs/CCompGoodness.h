// CCompGoodness: tests observed values against expected ones, goodness of fit (type "2400").
// The rows entered in the list dialog, stored in the order its document format fixes.
#pragma once

#include "CCalcBase.h"

#include <cstdint>
#include <vector>

/// One row of the list: an observed and an expected value (each 0 to 1,000,000).
struct CGoodnessRow
{
    double observed = 0.0;
    double expected = 0.0;

    bool operator==(const CGoodnessRow&) const = default;
};

class CCompGoodness : public CCalcBase
{
    DECLARE_SERIAL(CCompGoodness)
public:
    CCompGoodness() = default;

    void Serialize(CArchive& ar) override;
    bool Do() override;
    const CFieldTable* Fields() const override;
    CInputs Inputs() const override;
    CResults Results() const override;

    std::vector<CGoodnessRow> m_rows; // N rows; N is the vector's size
};
