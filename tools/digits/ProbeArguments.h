// The seeded arguments of the digit measurement, the same bits on every platform (only exact
// operations make them), for the probe that runs anywhere and the MPFR check on Linux.
#pragma once

#include <cmath>
#include <cstdint>

enum EProbeFunction
{
    kExp,
    kLog,
    kAtan,
    kSin,
    kCos,
    kTan,
    kPow,
    kProbeFunctions
};

inline const char* const kProbeNames[] = {"exp", "log", "atan", "sin", "cos", "tan", "pow"};

/// splitmix64.
struct CProbeRandom
{
    uint64_t state;

    uint64_t Next()
    {
        uint64_t z = (state += 0x9E3779B97F4A7C15ull);
        z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9ull;
        z = (z ^ (z >> 27)) * 0x94D049BB133111EBull;
        return z ^ (z >> 31);
    }
    double Unit() { return static_cast<double>(Next() >> 11) * 0x1p-53; }
    double Uniform(double lo, double hi) { return lo + (hi - lo) * Unit(); }
    /// A magnitude spread evenly over the binary exponents of [lo, hi], of either sign if asked.
    double SpreadOut(double lo, double hi, bool eitherSign)
    {
        int low = 0;
        int high = 0;
        std::frexp(lo, &low);
        std::frexp(hi, &high);
        double v = 0;
        do
            v = std::ldexp(0.5 + 0.5 * Unit(), low + static_cast<int>(Next() % static_cast<uint64_t>(high - low + 1)));
        while (v < lo || v > hi);
        return eitherSign && (Next() & 1) ? -v : v;
    }
};

/// Argument i of a function: the ranges the calculations reach, and wider ones.
inline void ProbeArgument(int function, uint64_t i, double& x, double& y)
{
    CProbeRandom r{0x1234567ull * static_cast<uint64_t>(function + 1) + i * 0x9E3779B97F4A7C15ull};
    r.Next();
    y = 0;
    switch (function) {
    case kExp:
        x = i % 2 ? r.Uniform(-745, 709.7) : r.Uniform(-40, 5);
        break;
    case kLog:
        x = i % 2 ? r.SpreadOut(1e-300, 1e300, false) : r.Uniform(0.5, 2);
        break;
    case kAtan:
        x = r.SpreadOut(1e-8, 1e8, true);
        break;
    case kSin:
    case kCos:
        x = r.Uniform(-1.5707963267948966, 1.5707963267948966);
        break;
    case kTan:
        x = r.Uniform(-1.57079633, 1.57079633);
        break;
    default:
        x = r.SpreadOut(1e-3, 1e3, false);
        y = i % 2 ? 2.0 : r.Uniform(-20, 20);
        break;
    }
}

/// Value i of the printf measurement and its number of decimals: half of them exact binary
/// fractions, many of which are printing ties.
inline double ProbePrinted(uint64_t i, int& decimals)
{
    CProbeRandom r{i * 7 + 3};
    r.Next();
    decimals = static_cast<int>(r.Next() % 7);
    if (i % 2)
        return r.SpreadOut(1e-4, 1e7, true);
    const double v = static_cast<double>(r.Next() % 200000) / static_cast<double>(1 << (1 + r.Next() % 6));
    return r.Next() & 1 ? -v : v;
}
