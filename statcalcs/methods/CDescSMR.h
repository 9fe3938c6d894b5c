// CDescSMR: a standardised mortality (or incidence) ratio, observed over expected count, with
// its exact, mid-P and Byar limits and the exact tests of the observed count (type "1600").
#pragma once

#include "CMethodCalc.h"

#include <cstdint>

class CDescSMR : public CMethodCalc
{
    DECLARE_SERIAL(CDescSMR)
public:
    CDescSMR() = default;

    void Serialize(CArchive& ar) override;
    bool Do() override;
    const CFieldTable* Fields() const override;
    CInputs Inputs() const override;
    CResults Results() const override;

    double m_level = 95;     // confidence level in percent
    uint32_t m_observed = 0; // observed count
    double m_expected = 0;   // expected count, > 0
};
