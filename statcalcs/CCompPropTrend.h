// CCompPropTrend: chi-square test for a linear trend in proportions over scored groups
// (type "2300"). The groups entered in the list dialog, in ascending order of score.
#pragma once

#include "CCalcBase.h"

#include <cstdint>
#include <vector>

/// One group: its score (exposure level), the number ill and the number not ill.
struct CTrendRow
{
    double score = 0.0;
    uint32_t ill = 0;
    uint32_t notIll = 0;

    bool operator==(const CTrendRow&) const = default;
};

class CCompPropTrend : public CCalcBase
{
    DECLARE_SERIAL(CCompPropTrend)
public:
    CCompPropTrend() = default;

    void Serialize(CArchive& ar) override;
    bool Do() override;
    const CFieldTable* Fields() const override;
    CInputs Inputs() const override;
    CResults Results() const override;

    /// The dialog's sort key of a score: score x 1000 truncated toward zero, clamped to the
    /// 32-bit range (0 for not a number).
    static int32_t SortKey(double score);

    std::vector<CTrendRow> m_rows; // N groups; N is the vector's size
};
