// Type codes: the level invariant, the type string, the leaf numbering over the vocabulary's
// type tree and the stored form.
#include "CCalcType.h"

#include "CArchive.h"
#include "Format.h"
#include "Vocabulary.h"

IMPLEMENT_SERIAL(CCalcType, CObject, 0)

CCalcType::CCalcType(int digit0, int digit1, int digit2, int digit3)
{
    SetType(digit0, digit1, digit2, digit3);
}

void CCalcType::SetType(int digit0, int digit1, int digit2, int digit3)
{
    m_digits[0] = digit0;
    m_digits[1] = digit1;
    m_digits[2] = digit2;
    m_digits[3] = digit3;
    RecomputeLevel();
}

void CCalcType::SetType(int value, int index)
{
    if (index < 0 || index >= kDigits)
        return;
    m_digits[index] = value;
    RecomputeLevel();
}

int CCalcType::GetType(int index) const
{
    return index >= 0 && index < kDigits ? m_digits[index] : 0;
}

CCalcType CCalcType::GetPromoted(int level) const
{
    CCalcType promoted;
    for (int i = 0; i <= level && i < kDigits; ++i)
        promoted.m_digits[i] = m_digits[i];
    promoted.RecomputeLevel();
    return promoted;
}

bool CCalcType::operator==(CCalcType other) const
{
    if (m_level != other.m_level)
        return false;
    for (int i = 0; i < kDigits; ++i)
        if (m_digits[i] != other.m_digits[i])
            return false;
    return true;
}

std::string CCalcType::GetTypeString() const
{
    // Asked for every node when a large tree is listed: single digits need no formatting.
    std::string text(4, '0');
    for (int i = 0; i < 4; ++i) {
        if (m_digits[i] < 0 || m_digits[i] > 9)
            return Format("%d%d%d%d", m_digits[0], m_digits[1], m_digits[2], m_digits[3]);
        text[static_cast<size_t>(i)] = static_cast<char>('0' + m_digits[i]);
    }
    return text;
}

int CCalcType::GetTypeInt() const
{
    int count = 0;
    CalculateInt(CCalcType(), count);
    return count;
}

void CCalcType::SetTypeInt(int n)
{
    CCalcType current;
    int count = 0;
    CalculateType(n, current, count);
    *this = current;
    RecomputeLevel();
}

bool CCalcType::CalculateInt(CCalcType current, int& count) const
{
    // ChildCount is 0 at level 3, so the recursion never reaches a fifth digit.
    const int children = ChildCount(current);
    if (children == 0) {
        ++count;
        return false;
    }
    const int childLevel = current.GetLevel() + 1;
    for (int i = 1; i <= children; ++i) {
        current.SetType(i, childLevel);
        if (current == *this)
            return true;
        if (CalculateInt(current, count))
            return true;
    }
    return false;
}

bool CCalcType::CalculateType(int n, CCalcType& current, int& count)
{
    const int children = ChildCount(current);
    if (children == 0) {
        if (count == n)
            return true;
        ++count;
        return false;
    }
    CCalcType child = current;
    const int childLevel = current.GetLevel() + 1;
    for (int i = 1; i <= children; ++i) {
        child.SetType(i, childLevel);
        if (CalculateType(n, child, count)) {
            current = child;
            return true;
        }
    }
    return false;
}

void CCalcType::Serialize(CArchive& ar)
{
    if (ar.IsStoring()) {
        ar << static_cast<int32_t>(m_level);
        for (const int digit : m_digits)
            ar << static_cast<int32_t>(digit);
    } else {
        int32_t value = 0;
        ar >> value;
        m_level = value;
        for (int& digit : m_digits) {
            ar >> value;
            digit = value;
        }
    }
}

bool CCalcType::IsValid() const
{
    for (const int digit : m_digits)
        if (digit < 0 || digit > 9)
            return false;
    CCalcType recomputed(m_digits[0], m_digits[1], m_digits[2], m_digits[3]);
    if (m_level != recomputed.m_level)
        return false;
    // Every level above the last reached one: "1010" or "0100" names no node of the type tree,
    // and filing it would look for a folder that can never be made.
    for (int i = 0; i < m_level; ++i)
        if (m_digits[i] == 0)
            return false;
    return true;
}

void CCalcType::RecomputeLevel()
{
    m_level = kDigits - 1;
    while (m_level >= 0 && m_digits[m_level] == 0)
        --m_level;
}
