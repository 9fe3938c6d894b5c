// CDescRate: a rate per 1000 units of person-time (type "1200").
// The calculation's inputs as plain fields, stored in the order its document format fixes.
#pragma once

#include "CCalcBase.h"

#include <cstdint>

class CDescRate : public CCalcBase
{
    DECLARE_SERIAL(CDescRate)
public:
    CDescRate() = default;

    void Serialize(CArchive& ar) override;
    bool Do() override;
    const CFieldTable* Fields() const override;
    CInputs Inputs() const override;
    CResults Results() const override;

    int32_t m_level = 0;       // confidence level: 0 = 95 %, 1 = 99 %
    uint32_t m_count = 0;      // count
    uint32_t m_personTime = 0; // person-time
};
