// CCompRates: two incidence rates (type "2500").
// The calculation's inputs as plain fields, stored in the order its document format fixes.
#pragma once

#include "CCalcBase.h"

#include <cstdint>

class CCompRates : public CCalcBase
{
    DECLARE_SERIAL(CCompRates)
public:
    CCompRates() = default;

    void Serialize(CArchive& ar) override;
    bool Do() override;
    const CFieldTable* Fields() const override;
    CInputs Inputs() const override;
    CResults Results() const override;

    int32_t m_level = 0; // confidence level: 0 = 95 %, 1 = 99 %
    uint32_t m_c1 = 0;   // cases in sample 1
    uint32_t m_c2 = 0;   // cases in sample 2
    uint32_t m_t1 = 0;   // person-time at risk in sample 1
    uint32_t m_t2 = 0;   // person-time at risk in sample 2
};
