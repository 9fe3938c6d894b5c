// CPropZ: the one- and two-tailed probabilities of a normal deviate (type "5300").
// The calculation's inputs as plain fields, stored in the order its document format fixes.
#pragma once

#include "CCalcBase.h"

#include <cstdint>

class CPropZ : public CCalcBase
{
    DECLARE_SERIAL(CPropZ)
public:
    CPropZ() = default;

    void Serialize(CArchive& ar) override;
    bool Do() override;
    const CFieldTable* Fields() const override;
    CInputs Inputs() const override;
    CResults Results() const override;

    double m_z = 0.0; // z value
};
