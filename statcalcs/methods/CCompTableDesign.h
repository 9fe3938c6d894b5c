// CCompTableDesign: a 2x2 table of exposure by outcome analysed as its study design allows
// (type "3400"): the odds ratio always, the ratio and difference of the risks (cohort) or
// prevalences (cross-sectional) where the design gives them, and the tests of association.
#pragma once

#include "CMethodCalc.h"

#include <cstdint>

class CCompTableDesign : public CMethodCalc
{
    DECLARE_SERIAL(CCompTableDesign)
public:
    /// The study designs, in the order of the dialog's choices and of the stored index.
    enum Design : int32_t
    {
        kCohort = 0,
        kCaseControl = 1,
        kCrossSectional = 2,
    };

    CCompTableDesign() = default;

    void Serialize(CArchive& ar) override;
    bool Do() override;
    const CFieldTable* Fields() const override;
    CInputs Inputs() const override;
    CResults Results() const override;

    uint32_t m_a = 0; // exposed with the outcome
    uint32_t m_b = 0; // exposed without the outcome
    uint32_t m_c = 0; // unexposed with the outcome
    uint32_t m_d = 0; // unexposed without the outcome
    int32_t m_design = kCohort;
    double m_level = 95; // confidence level in percent

private:
    void ReportTable();
};
