// CCompPropPerc: compares several proportions, each a percentage of its sample (type "2200").
// The rows entered in the list dialog, stored in the order its document format fixes.
#pragma once

#include "CCalcBase.h"

#include <cstdint>
#include <vector>

/// One row of the list: a proportion in percent (0 to 100) and its sample size.
struct CPropPercRow
{
    double percent = 0.0;
    uint32_t sampleSize = 0;

    bool operator==(const CPropPercRow&) const = default;
};

class CCompPropPerc : public CCalcBase
{
    DECLARE_SERIAL(CCompPropPerc)
public:
    CCompPropPerc() = default;

    void Serialize(CArchive& ar) override;
    bool Do() override;
    const CFieldTable* Fields() const override;
    CInputs Inputs() const override;
    CResults Results() const override;

    std::vector<CPropPercRow> m_rows; // N rows; N is the vector's size
};
