// The elementary functions the statistics depend on, computed the same way on every IEEE-754
// binary64 target: double-double evaluation from +, -, *, / and sqrt only, rounded once at the
// end. The results are the correctly rounded values except where the exact value lies within
// about 2^-100 relative of a rounding boundary (an argument in some 2^40 or fewer).
//
// Special values follow C: NaN gives NaN; Exp(-inf) = 0, Exp(inf) = inf; Log(0) = -inf,
// Log of a negative number NaN; Atan(+-inf) = +-pi/2 rounded. Sin, Cos and Tan reduce their
// argument by multiples of pi/2 held to about 157 bits, enough below |x| = 2^20; from there on
// (and at infinity) they give NaN rather than digits that would depend on the reduction.
#pragma once

namespace zmath
{
double Exp(double x);
double Log(double x);
double Atan(double x);
double Sin(double x);
double Cos(double x);
double Tan(double x);
} // namespace zmath

namespace zmath
{
/// x^2 rounded once, as pow(x, 2) is meant to be (some runtimes' pow is a last bit off).
inline double Square(double x)
{
    return x * x;
}
} // namespace zmath
