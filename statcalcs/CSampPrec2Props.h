// CSampPrec2Props: the group size that estimates a difference of proportions to a given precision (type "4260").
// The calculation's inputs as plain fields, stored in the order its document format fixes.
#pragma once

#include "CCalcBase.h"

#include <cstdint>

class CSampPrec2Props : public CCalcBase
{
    DECLARE_SERIAL(CSampPrec2Props)
public:
    CSampPrec2Props() = default;

    void Serialize(CArchive& ar) override;
    bool Do() override;
    const CFieldTable* Fields() const override;
    CInputs Inputs() const override;
    CResults Results() const override;

    int32_t m_level = 0;      // confidence level: 0 = 95 %, 1 = 99 %
    double m_percent1 = 0.0;  // proportion 1 in percent
    double m_percent2 = 0.0;  // proportion 2 in percent
    double m_precision = 0.0; // half-width of the interval, in percentage points
};
