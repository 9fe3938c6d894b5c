// CCompStrat: analysis of stratified 2x2 tables with Mantel-Haenszel summaries (type "3300").
// The strata (title and four cells each) and the confidence level.
#pragma once

#include "CCalcBase.h"

#include <cstdint>
#include <string>
#include <vector>

/// One stratum: its title (at most 20 characters in the dialog) and its 2x2 table.
struct CStratum
{
    std::string title;
    uint32_t a = 0; // exposed with the outcome
    uint32_t b = 0; // exposed without the outcome
    uint32_t c = 0; // unexposed with the outcome
    uint32_t d = 0; // unexposed without the outcome

    bool operator==(const CStratum&) const = default;
};

class CCompStrat : public CCalcBase
{
    DECLARE_SERIAL(CCompStrat)
public:
    /// One stratum of zeros, titled as every new stratum is (see NewStratumTitle).
    CCompStrat();

    void Serialize(CArchive& ar) override;
    bool Do() override;
    const CFieldTable* Fields() const override;
    CInputs Inputs() const override;
    /// Each stratum's risk ratio, odds ratio and Yates' chi-square ("stratum[N]." before the
    /// key, N from 1), the same for the crude table ("crude."), then the Mantel-Haenszel summary.
    CResults Results() const override;

    /// The title of a new stratum: the vocabulary's word for a stratum and its 1-based number.
    static std::string NewStratumTitle(int number);

    std::vector<CStratum> m_strata; // K strata, never fewer than one
    int32_t m_level = 0;            // confidence level: 0 = 95 %, 1 = 99 %

private:
    /// Writes the block of one table: the table with its margins, then the results whose keys
    /// begin with `prefix`: the risk ratio and odds ratio with their limits, and Yates' chi-square.
    void ReportTable(uint64_t a, uint64_t b, uint64_t c, uint64_t d, const CResults& results,
                     const std::string& prefix);
};
