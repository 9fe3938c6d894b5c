// CSampRanTable: a table of random digits (type "4340").
// The calculation's inputs as plain fields, stored in the order its document format fixes.
#pragma once

#include "CCalcBase.h"

#include <cstdint>

class CSampRanTable : public CCalcBase
{
    DECLARE_SERIAL(CSampRanTable)
public:
    CSampRanTable() = default;

    void Serialize(CArchive& ar) override;
    bool Do() override;

    uint32_t m_seed = 0;   // generator seed; 0 until the first run draws one
    uint32_t m_digits = 0; // digits per number, 1 to 16
    uint32_t m_number = 0; // how many numbers
};
