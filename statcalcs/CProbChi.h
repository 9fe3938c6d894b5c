// CProbChi: the upper-tail probability of a chi-square value (type "5100").
// The calculation's inputs as plain fields, stored in the order its document format fixes.
#pragma once

#include "CCalcBase.h"

#include <cstdint>

class CProbChi : public CCalcBase
{
    DECLARE_SERIAL(CProbChi)
public:
    CProbChi() = default;

    void Serialize(CArchive& ar) override;
    bool Do() override;
    const CFieldTable* Fields() const override;
    CInputs Inputs() const override;
    CResults Results() const override;

    double m_chi2 = 0.0; // chi-square value
    uint32_t m_df = 0;   // degrees of freedom
};
