// CPropT: the one- and two-tailed probabilities of a Student's t value (type "5200").
// The calculation's inputs as plain fields, stored in the order its document format fixes.
#pragma once

#include "CCalcBase.h"

#include <cstdint>

class CPropT : public CCalcBase
{
    DECLARE_SERIAL(CPropT)
public:
    CPropT() = default;

    void Serialize(CArchive& ar) override;
    bool Do() override;
    const CFieldTable* Fields() const override;
    CInputs Inputs() const override;
    CResults Results() const override;

    double m_t = 0.0;  // t value
    uint32_t m_df = 0; // degrees of freedom
};
