// CSampSize1Rate: the sample size to show that a rate differs from a given one (type "4120").
// The calculation's inputs as plain fields, stored in the order its document format fixes.
#pragma once

#include "CCalcBase.h"

#include <cstdint>

class CSampSize1Rate : public CCalcBase
{
    DECLARE_SERIAL(CSampSize1Rate)
public:
    CSampSize1Rate() = default;

    void Serialize(CArchive& ar) override;
    bool Do() override;
    const CFieldTable* Fields() const override;
    CInputs Inputs() const override;
    CResults Results() const override;

    int32_t m_significance = 1; // significance: 0.10, 0.05, 0.02, 0.01 (index 0 to 3)
    int32_t m_power = 0;        // power: 80 %, 90 %, 95 %, 99 % (index 0 to 3)
    double m_rate = 0.0;        // rate
    double m_nullRate = 0.0;    // null-hypothesis rate
};
