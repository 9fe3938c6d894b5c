// CSampSize2Rates: the sample size to show that two rates differ (type "4150").
// The calculation's inputs as plain fields, stored in the order its document format fixes.
#pragma once

#include "CCalcBase.h"

#include <cstdint>

class CSampSize2Rates : public CCalcBase
{
    DECLARE_SERIAL(CSampSize2Rates)
public:
    CSampSize2Rates() = default;

    void Serialize(CArchive& ar) override;
    bool Do() override;
    const CFieldTable* Fields() const override;
    CInputs Inputs() const override;
    CResults Results() const override;

    int32_t m_significance = 1; // significance: 0.10, 0.05, 0.02, 0.01 (index 0 to 3)
    int32_t m_power = 0;        // power: 80 %, 90 %, 95 %, 99 % (index 0 to 3)
    double m_rate1 = 0.0;       // rate 1
    double m_rate2 = 0.0;       // rate 2
};
