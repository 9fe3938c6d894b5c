// CSampRanGroup: a random group number for each subject (type "4320").
// The calculation's inputs as plain fields, stored in the order its document format fixes.
#pragma once

#include "CCalcBase.h"

#include <cstdint>

class CSampRanGroup : public CCalcBase
{
    DECLARE_SERIAL(CSampRanGroup)
public:
    CSampRanGroup() = default;

    void Serialize(CArchive& ar) override;
    bool Do() override;
    const CFieldTable* Fields() const override;
    CInputs Inputs() const override;
    /// The numbers drawn from the stored seed: none before a first run has fixed the seed, nor
    /// for inputs past the limits (CanDraw).
    CResults Results() const override;
    /// Whether the inputs are ones the dialog's OK accepts. Do checks it again before it draws
    /// anything, so inputs that reach it by another way (a document written elsewhere) are
    /// never drawn past the limits.
    bool CanDraw() const;

    uint32_t m_seed = 0;   // generator seed; 0 until the first run draws one
    uint32_t m_groups = 0; // number of groups
    uint32_t m_number = 0; // number of subjects
};
