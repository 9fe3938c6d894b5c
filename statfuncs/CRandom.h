// CRandom: the pseudo-random generator of the classic C runtime as an object of its own, so a
// stored seed gives the same numbers on every platform (the C library's rand differs).
#pragma once

#include <cstdint>

/// Linear congruential generator: state = state * 214013 + 2531011 (mod 2^32), each number
/// being bits 16..30 of the new state (0..kRandMax). A new generator starts from seed 1.
class CRandom
{
public:
    static constexpr int kRandMax = 32767;

    CRandom() = default;
    explicit CRandom(uint32_t seed) : m_state(seed) {}

    /// Restarts the sequence from seed.
    void Srand(uint32_t seed) { m_state = seed; }
    /// Next number in 0..kRandMax.
    int Rand();

private:
    uint32_t m_state = 1;
};
