// Exact manipulations of a double's bits: powers of two, the exponent split, rounding to an
// integer. None of them rounds except NearestInteger, which rounds to nearest, ties to even.
#pragma once

#include <bit>
#include <cstdint>

namespace zmath
{
/// 2^e for -1022 <= e <= 1023.
inline double PowerOfTwo(int e)
{
    return std::bit_cast<double>(static_cast<uint64_t>(e + 1023) << 52);
}

/// The integer nearest to x (ties to even) for |x| < 2^52; x itself beyond.
inline double NearestInteger(double x)
{
    constexpr double kShift = 0x1p52;
    if (!(x > -kShift && x < kShift))
        return x;
    return x >= 0 ? (x + kShift) - kShift : (x - kShift) + kShift;
}

/// f in [0.5, 1) with x = f * 2^exponent, for a finite positive x (subnormals included).
inline double SplitExponent(double x, int& exponent)
{
    exponent = 0;
    if (x < 0x1p-1022) {
        x *= 0x1p54;
        exponent = -54;
    }
    const uint64_t bits = std::bit_cast<uint64_t>(x);
    exponent += static_cast<int>(bits >> 52) - 1022;
    return std::bit_cast<double>((bits & 0x000FFFFFFFFFFFFFull) | (uint64_t{1022} << 52));
}
} // namespace zmath
