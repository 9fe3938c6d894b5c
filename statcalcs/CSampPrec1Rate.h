// CSampPrec1Rate: the sample size that estimates a rate to a given precision (type "4220").
// The calculation's inputs as plain fields, stored in the order its document format fixes.
#pragma once

#include "CCalcBase.h"

#include <cstdint>

class CSampPrec1Rate : public CCalcBase
{
    DECLARE_SERIAL(CSampPrec1Rate)
public:
    CSampPrec1Rate() = default;

    void Serialize(CArchive& ar) override;
    bool Do() override;
    const CFieldTable* Fields() const override;
    CInputs Inputs() const override;
    CResults Results() const override;

    int32_t m_level = 0;      // confidence level: 0 = 95 %, 1 = 99 %
    double m_precision = 0.0; // half-width of the interval
    double m_rate = 0.0;      // rate
};
