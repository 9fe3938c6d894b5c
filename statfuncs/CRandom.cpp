// CRandom: one step of the linear congruential generator.
// Unsigned 32-bit arithmetic gives the modulo 2^32 wrap without undefined behaviour.
#include "CRandom.h"

int CRandom::Rand()
{
    m_state = m_state * 214013u + 2531011u;
    return static_cast<int>((m_state >> 16) & 0x7FFFu);
}
