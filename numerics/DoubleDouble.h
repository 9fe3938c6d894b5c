// Double-double arithmetic: a value is the unevaluated sum hi + lo of two doubles with
// |lo| <= half an ulp of hi, about 106 significant bits. Only +, -, * and / of doubles are used
// (no fused multiply-add), each rounded to nearest, so every IEEE-754 binary64 target computes
// the same bits. The operations are constexpr so that constants are formed at compile time.
#pragma once

#include <cfloat>
#include <cmath>

// Extended-precision intermediates (x87) would break the error-free transformations below.
static_assert(FLT_EVAL_METHOD == 0, "double arithmetic must round every operation to double");

namespace zmath
{
struct DD
{
    double hi = 0.0;
    double lo = 0.0;
};

/// a + b exactly as hi + lo, for any a and b.
constexpr DD TwoSum(double a, double b)
{
    const double s = a + b;
    const double bb = s - a;
    const double err = (a - (s - bb)) + (b - bb);
    return {s, err};
}

/// a + b exactly as hi + lo, when |a| >= |b| or a is zero.
constexpr DD FastTwoSum(double a, double b)
{
    const double s = a + b;
    return {s, b - (s - a)};
}

/// a * b exactly as hi + lo (Dekker's product, with Veltkamp's split into 26-bit halves);
/// valid while |a| and |b| stay below about 2^996.
constexpr DD TwoProduct(double a, double b)
{
    constexpr double kSplitter = 134217729.0; // 2^27 + 1
    const double p = a * b;
    const double ta = kSplitter * a;
    const double ah = ta - (ta - a);
    const double al = a - ah;
    const double tb = kSplitter * b;
    const double bh = tb - (tb - b);
    const double bl = b - bh;
    const double err = ((ah * bh - p) + ah * bl + al * bh) + al * bl;
    return {p, err};
}

constexpr DD operator-(DD a)
{
    return {-a.hi, -a.lo};
}

constexpr DD operator+(DD a, DD b)
{
    const DD s = TwoSum(a.hi, b.hi);
    const DD t = TwoSum(a.lo, b.lo);
    DD r = FastTwoSum(s.hi, s.lo + t.hi);
    r = FastTwoSum(r.hi, r.lo + t.lo);
    return r;
}

constexpr DD operator+(DD a, double b)
{
    const DD s = TwoSum(a.hi, b);
    return FastTwoSum(s.hi, s.lo + a.lo);
}

constexpr DD operator-(DD a, DD b)
{
    return a + -b;
}

constexpr DD operator*(DD a, DD b)
{
    const DD p = TwoProduct(a.hi, b.hi);
    return FastTwoSum(p.hi, p.lo + (a.hi * b.lo + a.lo * b.hi));
}

constexpr DD operator*(DD a, double b)
{
    const DD p = TwoProduct(a.hi, b);
    return FastTwoSum(p.hi, p.lo + a.lo * b);
}

constexpr DD operator/(DD a, DD b)
{
    // Long division: three quotient digits, each from the remainder of the one before.
    const double q1 = a.hi / b.hi;
    DD r = a - b * q1;
    const double q2 = r.hi / b.hi;
    r = r - b * q2;
    const double q3 = r.hi / b.hi;
    return FastTwoSum(q1, q2) + q3;
}

/// The square root of a positive a: the double root refined by one Newton step.
inline DD Sqrt(DD a)
{
    const double s = std::sqrt(a.hi); // correctly rounded on every IEEE-754 target
    const DD square = TwoProduct(s, s);
    const double residual = ((a.hi - square.hi) - square.lo) + a.lo;
    return FastTwoSum(s, residual / (2 * s));
}

/// hi + lo rounded once to the nearest double.
constexpr double Round(DD a)
{
    return a.hi + a.lo;
}
} // namespace zmath
