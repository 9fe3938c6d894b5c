// The type code of a calculation or of a group of calculations: four digits, one per level of
// the type tree that the vocabulary file's Levels section describes, and the level they reach.
#pragma once

#include "CObject.h"

#include <string>

/// A code such as "1110": digit k is the 1-based position among its siblings at level k (0 for
/// an unused level); the level is the index of the last non-zero digit, -1 for the root "0000".
class CCalcType : public CObject
{
    DECLARE_SERIAL(CCalcType)
public:
    static constexpr int kDigits = 4;

    CCalcType() = default;
    CCalcType(int digit0, int digit1, int digit2, int digit3);
    CCalcType(const CCalcType& other) = default;
    CCalcType& operator=(const CCalcType& other) = default;
    ~CCalcType() override = default;

    void SetType(int digit0, int digit1, int digit2, int digit3);
    /// Sets digit `index` (0..3) to `value`; an index outside 0..3 is ignored.
    void SetType(int value, int index);
    /// The digit array itself; writing through it does not recompute the level.
    int* GetType() { return m_digits; }
    const int* GetType() const { return m_digits; }
    /// Digit `index`, or 0 for an index outside 0..3.
    int GetType(int index) const;
    int GetLevel() const { return m_level; }
    /// The ancestor at `level`: digits 0..level kept, the others 0. GetPromoted(-1) is "0000".
    CCalcType GetPromoted(int level) const;

    bool operator==(CCalcType other) const;

    /// The four digits written one after another ("%d%d%d%d").
    std::string GetTypeString() const;
    /// The 0-based number of this leaf in depth-first order of the type tree; for a group, the
    /// number of leaves before its subtree; for the root or a code not in the tree, all leaves.
    int GetTypeInt() const;
    /// Becomes the leaf with number n, or "0000" when there is no such leaf.
    void SetTypeInt(int n);
    /// Step of GetTypeInt below `current`: true when this code was found, else counts leaves.
    bool CalculateInt(CCalcType current, int& count) const;
    /// Step of SetTypeInt below `current`: true when leaf n was found (then stored in current).
    static bool CalculateType(int n, CCalcType& current, int& count);

    /// Five int32: level, then digits 0 to 3. Loading takes the level as read.
    void Serialize(CArchive& ar) override;
    /// True when a code is sound: digits 0..9, the level in -1..3 matching the digits, and no 0
    /// digit before the level's own ("1010", "0100" are not).
    bool IsValid() const;

private:
    void RecomputeLevel();

    int m_digits[kDigits] = {0, 0, 0, 0};
    int m_level = -1;
};
