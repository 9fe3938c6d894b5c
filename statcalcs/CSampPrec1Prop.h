// CSampPrec1Prop: the sample size that estimates a proportion to a given precision (type "4230").
// The calculation's inputs as plain fields, stored in the order its document format fixes.
#pragma once

#include "CCalcBase.h"

#include <cstdint>

class CSampPrec1Prop : public CCalcBase
{
    DECLARE_SERIAL(CSampPrec1Prop)
public:
    CSampPrec1Prop() = default;

    void Serialize(CArchive& ar) override;
    bool Do() override;
    const CFieldTable* Fields() const override;
    CInputs Inputs() const override;
    CResults Results() const override;

    int32_t m_level = 0;      // confidence level: 0 = 95 %, 1 = 99 %
    double m_percent = 0.0;   // proportion in percent
    double m_precision = 0.0; // half-width of the interval, in percentage points
};
