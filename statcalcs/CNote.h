// CNote: a note in the calculation tree; it computes nothing and has no inputs of its own.
// Its stored form is the base record alone (type string and title).
#pragma once

#include "CCalcBase.h"

class CNote : public CCalcBase
{
    DECLARE_SERIAL(CNote)
public:
    CNote() = default;

    void Serialize(CArchive& ar) override;
    /// Titles the note with the vocabulary's name for a note and succeeds; no dialog, no report.
    bool Do() override;
};
