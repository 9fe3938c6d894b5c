// A set of addresses in one flat table (open addressing): what an archive records of the
// objects it has stored, one insert per object of a document of 100,000 calculations, without an
// allocation or a scattered node per insert.
#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

class CPointerSet
{
public:
    /// Adds `p` (not null); false when it was there already.
    bool Insert(const void* p)
    {
        if (2 * (m_count + 1) > m_table.size())
            Grow();
        if (!Place(m_table, p))
            return false;
        ++m_count;
        return true;
    }
    /// Room for `count` addresses without growing.
    void Reserve(size_t count)
    {
        while (2 * count > m_table.size())
            Grow();
    }
    size_t Size() const { return m_count; }

private:
    static size_t Slot(const void* p, size_t mask)
    {
        // Fibonacci hashing of the address; its low bits are alignment, the same for all.
        const auto bits = static_cast<uint64_t>(reinterpret_cast<uintptr_t>(p));
        return static_cast<size_t>((bits * 0x9E3779B97F4A7C15u) >> 32) & mask;
    }
    /// Puts `p` into `table` (a power of two long, never full); false when it is there.
    static bool Place(std::vector<const void*>& table, const void* p)
    {
        const size_t mask = table.size() - 1;
        for (size_t i = Slot(p, mask);; i = (i + 1) & mask) {
            if (table[i] == p)
                return false;
            if (!table[i]) {
                table[i] = p;
                return true;
            }
        }
    }
    void Grow()
    {
        std::vector<const void*> larger(m_table.empty() ? 64 : 2 * m_table.size(), nullptr);
        for (const void* p : m_table)
            if (p)
                Place(larger, p);
        m_table.swap(larger);
    }

    std::vector<const void*> m_table;
    size_t m_count = 0;
};
