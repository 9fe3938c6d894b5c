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
// |k| < 2^11, which covers every binary exponent (Log).
constexpr double kLn2Hi = 0x1.62e42fefa38p-1;
constexpr double kLn2Mid = 0x1.ef35793c768p-45;
constexpr double kLn2Lo = -0x1.9ff0342542fc3p-90;
constexpr double kSqrtHalf = 0x1.6a09e667f3bcdp-1;

// ln 2 / 64 in three parts; the first two have 36 significant bits, so k times them is exact
// for |k| < 2^17, which covers every argument that does not overflow or underflow.
constexpr double kLn2By64Hi = 0x1.62e42fefap-7;
constexpr double kLn2By64Mid = 0x1.cf79abc9ep-46;
constexpr double kLn2By64Lo = 0x1.d9cc01f97b57ap-85;
// 64 / ln 2, only to choose k: any nearby value would do.
constexpr double k64ByLn2 = 0x1.71547652b82fep+6;

constexpr DD Reciprocal(double n)
{
    return DD{1.0, 0.0} / DD{n, 0.0};
}

/// e^u - 1 for |u| <= 0.36 by the Taylor series at u / 256 and eight doublings through
/// e^2v - 1 = (e^v - 1)(e^v - 1 + 2), which keep the relative error: the slow form, for the
/// table below (at compile time) only.
constexpr DD SlowExpMinusOne(DD u)
{
    const DD v{u.hi / 256, u.lo / 256};
    DD sum{0.0, 0.0};
    for (int n = 14; n >= 1; --n)
        sum = DD{1.0, 0.0} + v * sum / DD{n + 1.0, 0.0};
    DD e = v * sum;
    for (int i = 0; i < 8; ++i)
        e = e * (e + 2.0);
    return e;
}

/// 2^(j/64) for j = 0..63.
struct CExpTable
{
    DD value[64];
};

constexpr CExpTable MakeExpTable()
{
    CExpTable table{};
    for (int j = 0; j < 64; ++j) {
        // 2^(j/64) = e^(j ln2 / 64) below j = 32, 2 e^((j - 64) ln2 / 64) from there, so that
        // the exponent stays within ln 2 / 2.
        const double m = j < 32 ? j : j - 64;
        const DD u = (TwoSum(m * kLn2By64Hi, m * kLn2By64Mid) + m * kLn2By64Lo);
        const DD e = DD{1.0, 0.0} + SlowExpMinusOne(u);
        table.value[j] = j < 32 ? e : DD{2 * e.hi, 2 * e.lo};
    }
    return table;
}

constexpr CExpTable kExpTable = MakeExpTable();

/// 1/n! for n = 2..6 in double-double; from 1/7! on doubles carry the terms (below 2^-60
/// relative for |r| <= ln 2 / 128).
constexpr DD kExpHead[] = {Reciprocal(2), Reciprocal(6), Reciprocal(24), Reciprocal(120), Reciprocal(720)};
constexpr double kExpTail[] = {1.0 / 5040, 1.0 / 40320, 1.0 / 362880, 1.0 / 3628800, 1.0 / 39916800};

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
    // x = (64 k + j) ln2 / 64 + r with 0 <= j < 64 and |r| <= ln 2 / 128 (a little more where
    // the multiple was rounded the other way); e^x = 2^k 2^(j/64) e^r.
    const double kj = NearestInteger(x * k64ByLn2);
    const double t = x - kj * kLn2By64Hi; // exact: x and kj ln2 / 64 are within a factor of two
    const DD r = TwoSum(t, -kj * kLn2By64Mid) + -kj * kLn2By64Lo;
    double tail = kExpTail[4];
    for (int n = 3; n >= 0; --n)
        tail = kExpTail[n] + r.hi * tail;
    DD sum = kExpHead[4] + r * tail;
    for (int n = 3; n >= 0; --n)
        sum = kExpHead[n] + r * sum;
    const DD expMinusOne = r + r * r * sum;
    const int multiple = static_cast<int>(kj);
    const int j = multiple & 63;
    const DD power = kExpTable.value[j];
    return ScaleByPowerOfTwo(power + power * expMinusOne, (multiple - j) / 64);
}

namespace
{
/// 2 atanh(s) = log((1 + s) / (1 - s)) by its series in s^2 with every term in double-double:
/// the slow form, for the table below (at compile time) only.
constexpr DD SlowLogRatio(DD s)
{
    const DD u = s * s;
    DD sum{0.0, 0.0};
    for (int j = 24; j >= 0; --j)
        sum = DD{2.0, 0.0} / DD{2.0 * j + 1, 0.0} + u * sum;
    return s * sum;
}

/// log(i / 64) for i = 45..91, the centres the reduction below picks from.
constexpr int kFirstCentre = 45;
constexpr int kLastCentre = 91;
struct CLogTable
{
    DD value[kLastCentre - kFirstCentre + 1];
};

constexpr CLogTable MakeLogTable()
{
    CLogTable table{};
    for (int i = kFirstCentre; i <= kLastCentre; ++i) {
        const double c = i / 64.0;
        table.value[i - kFirstCentre] = SlowLogRatio(DD{c - 1.0, 0.0} / TwoSum(c, 1.0));
    }
    return table;
}

constexpr CLogTable kLogTable = MakeLogTable();

/// 2 / (2j + 1) for j = 0..3 in double-double, then j = 4..7 in doubles (below 2^-60
/// relative for |s| <= 1/128).
constexpr DD kAtanhHead[] = {DD{2.0, 0.0}, DD{2.0, 0.0} / DD{3.0, 0.0}, DD{2.0, 0.0} / DD{5.0, 0.0},
                             DD{2.0, 0.0} / DD{7.0, 0.0}};
constexpr double kAtanhTail[] = {2.0 / 9, 2.0 / 11, 2.0 / 13, 2.0 / 15};
} // namespace

double Log(double x)
{
    if (std::isnan(x) || x == std::numeric_limits<double>::infinity())
        return x;
    if (x == 0)
        return -std::numeric_limits<double>::infinity();
    if (x < 0)
        return std::numeric_limits<double>::quiet_NaN();
    // x = 2^k f with f in [sqrt(1/2), sqrt(2)), then f = c (1 + s) / (1 - s) with c = i / 64
    // the nearest centre, so |s| = |f - c| / (f + c) <= 1/128 (f - c is exact).
    int k = 0;
    double f = SplitExponent(x, k);
    if (f < kSqrtHalf) {
        f *= 2;
        --k;
    }
    const int i = static_cast<int>(NearestInteger(f * 64));
    const double c = i / 64.0;
    const DD s = DD{f - c, 0.0} / TwoSum(f, c);
    const DD u = s * s;
    double tail = kAtanhTail[3];
    for (int j = 2; j >= 0; --j)
        tail = kAtanhTail[j] + u.hi * tail;
    DD sum = kAtanhHead[3] + u * tail;
    for (int j = 2; j >= 0; --j)
        sum = kAtanhHead[j] + u * sum;
    const double kd = k;
    const DD r = TwoSum(kd * kLn2Hi, kd * kLn2Mid) + kd * kLn2Lo;
    return Round(r + (kLogTable.value[i - kFirstCentre] + s * sum));
}
} // namespace zmath
