// CSampPrec2Means: the group size that estimates a difference of means to a given precision (type "4240").
// The calculation's inputs as plain fields, stored in the order its document format fixes.
#pragma once

#include "CCalcBase.h"

#include <cstdint>

class CSampPrec2Means : public CCalcBase
{
    DECLARE_SERIAL(CSampPrec2Means)
public:
    CSampPrec2Means() = default;

    void Serialize(CArchive& ar) override;
    bool Do() override;
    const CFieldTable* Fields() const override;
    CInputs Inputs() const override;
    CResults Results() const override;

    int32_t m_level = 0;      // confidence level: 0 = 95 %, 1 = 99 %
    double m_precision = 0.0; // half-width of the interval
    double m_sd1 = 0.0;       // standard deviation 1
    double m_sd2 = 0.0;       // standard deviation 2
};
