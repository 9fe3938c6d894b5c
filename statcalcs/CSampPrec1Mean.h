// CSampPrec1Mean: the sample size that estimates a mean to a given precision (type "4210").
// The calculation's inputs as plain fields, stored in the order its document format fixes.
#pragma once

#include "CCalcBase.h"

#include <cstdint>

class CSampPrec1Mean : public CCalcBase
{
    DECLARE_SERIAL(CSampPrec1Mean)
public:
    CSampPrec1Mean() = default;

    void Serialize(CArchive& ar) override;
    bool Do() override;
    const CFieldTable* Fields() const override;
    CInputs Inputs() const override;
    CResults Results() const override;

    int32_t m_level = 0;      // confidence level: 0 = 95 %, 1 = 99 %
    double m_precision = 0.0; // half-width of the interval
    double m_sd = 0.0;        // standard deviation
};
