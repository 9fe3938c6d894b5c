// CCompUnstrat: analysis of one 2x2 table of exposure by outcome (type "3200").
// The four cells, the confidence level and whether to run Fisher's exact test.
#pragma once

#include "CCalcBase.h"

#include <cstdint>

class CCompUnstrat : public CCalcBase
{
    DECLARE_SERIAL(CCompUnstrat)
public:
    CCompUnstrat() = default;

    void Serialize(CArchive& ar) override;
    /// Asks for the table, then reports the tests, the measures of association, the screening
    /// measures and the matched-pairs analysis of it.
    bool Do() override;
    const CFieldTable* Fields() const override;
    CInputs Inputs() const override;
    CResults Results() const override;

    bool m_fisher = true; // perform Fisher's exact test
    uint32_t m_a = 0;     // exposed with the outcome
    uint32_t m_b = 0;     // exposed without the outcome
    uint32_t m_c = 0;     // unexposed with the outcome
    uint32_t m_d = 0;     // unexposed without the outcome
    int32_t m_level = 0;  // confidence level: 0 = 95 %, 1 = 99 %

private:
    void ReportTable();
    void ReportTests(const CResults& results);
    void ReportEstimates(const CResults& results);
    void ReportMatchedPairs(const CResults& results);
};
