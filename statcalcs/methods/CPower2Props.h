// CPower2Props: the power of comparing two proportions with given group sizes (type "4410"),
// without and with the continuity correction, and the proportions of group 2 that a target
// power detects.
#pragma once

#include "CMethodCalc.h"

class CPower2Props : public CMethodCalc
{
    DECLARE_SERIAL(CPower2Props)
public:
    CPower2Props() = default;

    void Serialize(CArchive& ar) override;
    bool Do() override;
    const CFieldTable* Fields() const override;
    CInputs Inputs() const override;
    CResults Results() const override;

    double m_percent1 = 0;     // proportion of group 1, in percent
    double m_percent2 = 0;     // proportion of group 2, in percent
    double m_size1 = 100;      // size of group 1, whole
    double m_size2 = 100;      // size of group 2, whole
    double m_targetPower = 80; // the power the detectable proportions reach, in percent
    double m_level = 95;       // confidence level of the two-sided test, in percent
};
