// CSampPrec2Rates: the group size that estimates a difference of rates to a given precision (type "4250").
// The calculation's inputs as plain fields, stored in the order its document format fixes.
#pragma once

#include "CCalcBase.h"

#include <cstdint>

class CSampPrec2Rates : public CCalcBase
{
    DECLARE_SERIAL(CSampPrec2Rates)
public:
    CSampPrec2Rates() = default;

    void Serialize(CArchive& ar) override;
    bool Do() override;
    const CFieldTable* Fields() const override;
    CInputs Inputs() const override;
    CResults Results() const override;

    int32_t m_level = 0;      // confidence level: 0 = 95 %, 1 = 99 %
    double m_precision = 0.0; // half-width of the interval
    double m_rate1 = 0.0;     // rate 1
    double m_rate2 = 0.0;     // rate 2
};
