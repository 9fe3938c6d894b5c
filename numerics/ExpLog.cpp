// Exp and Log in double-double arithmetic, rounded once at the end.
#include "DoubleDouble.h"
#include "ElementaryFunctions.h"
#include "FloatBits.h"

#include <cmath>
#include <limits>

namespace zmath
{
namespace
{
// ln 2 in three parts; the first two have 42 significant bits, so k times them is exact for
// |k| < 2^11, which covers every binary exponent.
constexpr double kLn2Hi = 0x1.62e42fefa38p-1;
constexpr double kLn2Mid = 0x1.ef35793c768p-45;
constexpr double kLn2Lo = -0x1.9ff0342542fc3p-90;
// 1 / ln 2, only to choose k: any nearby value would do.
constexpr double kInvLn2 = 0x1.71547652b82fep+0;
constexpr double kSqrtHalf = 0x1.6a09e667f3bcdp-1;

constexpr DD Reciprocal(double n)
{
    return DD{1.0, 0.0} / DD{n, 0.0};
}

constexpr DD kInvFact3 = Reciprocal(6);
constexpr DD kInvFact4 = Reciprocal(24);
constexpr DD kInvFact5 = Reciprocal(120);

/// e^u - 1 for |u| <= 0.36, to about 2^-100 relative: the Taylor series at u / 256, then eight
/// doublings through e^2v - 1 = (e^v - 1)(e^v - 1 + 2), which keep the relative error.
DD ExpMinusOne(DD u)
{
    const DD v{u.hi / 256, u.lo / 256};
    // From v^6/6! on the terms are below 2^-56 relative, so doubles carry them.
    const double t = v.hi;
    double tail = 1.0 / 39916800;
    tail = 1.0 / 3628800 + t * tail;
    tail = 1.0 / 362880 + t * tail;
    tail = 1.0 / 40320 + t * tail;
    tail = 1.0 / 5040 + t * tail;
    tail = 1.0 / 720 + t * tail;
    DD sum = kInvFact5 + v * tail;
    sum = kInvFact4 + v * sum;
    sum = kInvFact3 + v * sum;
    sum = DD{0.5, 0.0} + v * sum;
    sum = DD{1.0, 0.0} + v * sum;
    DD e = v * sum;
    for (int i = 0; i < 8; ++i)
        e = e * (e + 2.0);
    return e;
}

/// y * 2^k rounded once, for y in [0.5, 2) and -1075 <= k <= 1024, subnormal results included.
double ScaleByPowerOfTwo(DD y, int k)
{
    if (k >= -1021) {
        const double h = Round(y);
        if (k > 1023)
            return h * PowerOfTwo(k - 1) * 2.0; // 2^1024 itself is not a double
        return h * PowerOfTwo(k);
    }
    // The result may be subnormal, where the step is 2^-1074: round y * 2^(k + 1074), an exact
    // scaling below 2^53, to an integer, then scale back exactly.
    const double f = PowerOfTwo(k + 1074);
    const double sh = y.hi * f;
    const double sl = y.lo * f;
    const double n = NearestInteger(sh);
    const DD frac = TwoSum(sh - n, sl); // sh - n is exact
    double m = n;
    if (frac.hi > 0.5 || (frac.hi == 0.5 && frac.lo > 0))
        m += 1;
    else if (frac.hi < -0.5 || (frac.hi == -0.5 && frac.lo < 0))
        m -= 1;
    return m * 0x1p-52 * PowerOfTwo(-1022);
}
} // namespace

double Exp(double x)
{
    if (std::isnan(x))
        return x;
    if (x > 709.8)
        return std::numeric_limits<double>::infinity();
    if (x < -745.2)
        return 0.0;
    if (std::fabs(x) < 0x1p-60)
        return 1.0;
    // x = k ln 2 + r with |r| <= ln 2 / 2 (a little more where k was rounded the other way).
    const double k = NearestInteger(x * kInvLn2);
    const double t = x - k * kLn2Hi; // exact: x and k ln 2 are within a factor of two
    const DD r = TwoSum(t, -k * kLn2Mid) + -k * kLn2Lo;
    return ScaleByPowerOfTwo(DD{1.0, 0.0} + ExpMinusOne(r), static_cast<int>(k));
}

namespace
{
/// 2 / (2j + 1) for j = 0, 1, ...: the series of 2 atanh(s) / s in s^2.
constexpr DD kAtanhCoef[] = {
    DD{2.0, 0.0},
    DD{2.0, 0.0} / DD{3.0, 0.0},
    DD{2.0, 0.0} / DD{5.0, 0.0},
    DD{2.0, 0.0} / DD{7.0, 0.0},
    DD{2.0, 0.0} / DD{9.0, 0.0},
    DD{2.0, 0.0} / DD{11.0, 0.0},
    DD{2.0, 0.0} / DD{13.0, 0.0},
    DD{2.0, 0.0} / DD{15.0, 0.0},
    DD{2.0, 0.0} / DD{17.0, 0.0},
    DD{2.0, 0.0} / DD{19.0, 0.0},
    DD{2.0, 0.0} / DD{21.0, 0.0},
};
} // namespace

double Log(double x)
{
    if (std::isnan(x) || x == std::numeric_limits<double>::infinity())
        return x;
    if (x == 0)
        return -std::numeric_limits<double>::infinity();
    if (x < 0)
        return std::numeric_limits<double>::quiet_NaN();
    // x = 2^k f with f in [sqrt(1/2), sqrt(2)).
    int k = 0;
    double f = SplitExponent(x, k);
    if (f < kSqrtHalf) {
        f *= 2;
        --k;
    }
    // log f = 2 atanh(s) with s = (f - 1) / (f + 1), |s| <= 0.1716; f - 1 is exact.
    const DD s = DD{f - 1.0, 0.0} / TwoSum(f, 1.0);
    const DD u = s * s;
    // Terms from u^11 on are below 2^-56 relative, so doubles carry them (to u^21).
    double tail = 2.0 / 43;
    for (int j = 20; j >= 11; --j)
        tail = 2.0 / (2 * j + 1) + u.hi * tail;
    DD sum = kAtanhCoef[10] + u * tail;
    for (int j = 9; j >= 0; --j)
        sum = kAtanhCoef[j] + u * sum;
    const DD logF = s * sum;
    const double kd = k;
    const DD r = TwoSum(kd * kLn2Hi, kd * kLn2Mid) + kd * kLn2Lo;
    return Round(r + logF);
}
} // namespace zmath
