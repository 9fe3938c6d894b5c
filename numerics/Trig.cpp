// Sin, Cos, Tan and Atan in double-double arithmetic, rounded once at the end.
#include "DoubleDouble.h"
#include "ElementaryFunctions.h"
#include "FloatBits.h"

#include <cmath>
#include <limits>

namespace zmath
{
namespace
{
constexpr DD kPiOver2{0x1.921fb54442d18p+0, 0x1.1a62633145c07p-54};
constexpr double kPiOver4 = 0x1.921fb54442d18p-1;
// 2 / pi, only to choose the quadrant.
constexpr double kTwoOverPi = 0x1.45f306dc9c883p-1;
// pi / 2 in four parts; the first three have at most 33 significant bits, so k times them is
// exact for |k| < 2^20.
constexpr double kPio2Part1 = 0x1.921fb544p+0;
constexpr double kPio2Part2 = 0x1.0b4611a6p-34;
constexpr double kPio2Part3 = 0x1.3198a2ep-69;
constexpr double kPio2Part4 = 0x1.b839a252049c1p-104;

/// n! in double (exact up to 22!).
constexpr double Factorial(int n)
{
    double f = 1;
    for (int i = 2; i <= n; ++i)
        f *= i;
    return f;
}

constexpr DD InvFactorial(int n)
{
    return DD{1.0, 0.0} / DD{Factorial(n), 0.0};
}

/// (-1)^j / (2j+1)! and (-1)^j / (2j)! for j = 0..9: the double-double part of the series.
constexpr DD kSinCoef[] = {InvFactorial(1),   -InvFactorial(3), InvFactorial(5),   -InvFactorial(7), InvFactorial(9),
                           -InvFactorial(11), InvFactorial(13), -InvFactorial(15), InvFactorial(17), -InvFactorial(19)};
constexpr DD kCosCoef[] = {InvFactorial(0),   -InvFactorial(2), InvFactorial(4),   -InvFactorial(6), InvFactorial(8),
                           -InvFactorial(10), InvFactorial(12), -InvFactorial(14), InvFactorial(16), -InvFactorial(18)};
// j = 10..15 in doubles: below 2^-56 relative for |r| <= pi/4.
constexpr double kSinTail[] = {1 / Factorial(21),  -1 / Factorial(23), 1 / Factorial(25),
                               -1 / Factorial(27), 1 / Factorial(29),  -1 / Factorial(31)};
constexpr double kCosTail[] = {1 / Factorial(20),  -1 / Factorial(22), 1 / Factorial(24),
                               -1 / Factorial(26), 1 / Factorial(28),  -1 / Factorial(30)};

/// sum of coef[j] z^j: the doubles' tail by Horner in double, then the head in double-double.
template <size_t NHead, size_t NTail> DD Series(const DD (&head)[NHead], const double (&tail)[NTail], DD z)
{
    double t = tail[NTail - 1];
    for (size_t j = NTail - 1; j-- > 0;)
        t = tail[j] + z.hi * t;
    DD sum = head[NHead - 1] + z * t;
    for (size_t j = NHead - 1; j-- > 0;)
        sum = head[j] + z * sum;
    return sum;
}

DD SinSeries(DD r)
{
    return r * Series(kSinCoef, kSinTail, r * r);
}

DD CosSeries(DD r)
{
    return Series(kCosCoef, kCosTail, r * r);
}

/// x = quadrant * pi/2 + r with |r| <= pi/4 (a hair more where the quadrant was rounded).
struct CReduced
{
    DD r;
    int quadrant = 0; // 0..3
};

/// Larger arguments would need more bits of pi than the parts below hold.
constexpr double kLargestArgument = 0x1p20;

CReduced Reduce(double x)
{
    if (std::fabs(x) <= kPiOver4)
        return {DD{x, 0.0}, 0};
    const double k = NearestInteger(x * kTwoOverPi);
    const double t = x - k * kPio2Part1; // exact: x and k pi/2 are within a factor of two
    DD r = TwoSum(t, -k * kPio2Part2);
    r = r + -k * kPio2Part3;
    r = r + -k * kPio2Part4;
    double quadrant = std::fmod(k, 4.0); // exact
    if (quadrant < 0)
        quadrant += 4;
    return {r, static_cast<int>(quadrant)};
}
} // namespace

double Sin(double x)
{
    if (!(std::fabs(x) < kLargestArgument))
        return std::numeric_limits<double>::quiet_NaN();
    if (std::fabs(x) < 0x1p-27)
        return x; // sin x = x (1 - x^2/6 ...) rounds to x
    const CReduced red = Reduce(x);
    switch (red.quadrant) {
    case 0:
        return Round(SinSeries(red.r));
    case 1:
        return Round(CosSeries(red.r));
    case 2:
        return -Round(SinSeries(red.r));
    default:
        return -Round(CosSeries(red.r));
    }
}

double Cos(double x)
{
    if (!(std::fabs(x) < kLargestArgument))
        return std::numeric_limits<double>::quiet_NaN();
    if (std::fabs(x) < 0x1p-27)
        return 1.0; // 1 - x^2/2 lies within a quarter ulp of 1
    const CReduced red = Reduce(x);
    switch (red.quadrant) {
    case 0:
        return Round(CosSeries(red.r));
    case 1:
        return -Round(SinSeries(red.r));
    case 2:
        return -Round(CosSeries(red.r));
    default:
        return Round(SinSeries(red.r));
    }
}

double Tan(double x)
{
    if (!(std::fabs(x) < kLargestArgument))
        return std::numeric_limits<double>::quiet_NaN();
    if (std::fabs(x) < 0x1p-27)
        return x; // tan x = x (1 + x^2/3 ...) rounds to x
    const CReduced red = Reduce(x);
    const DD s = SinSeries(red.r);
    const DD c = CosSeries(red.r);
    return red.quadrant % 2 == 0 ? Round(s / c) : -Round(c / s);
}

namespace
{
/// (-1)^j / (2j+1) for j = 0..8 in double-double, then j = 9..16 in doubles (below 2^-57
/// relative for |y| <= tan(pi/32)).
constexpr DD kAtanCoef[] = {DD{1.0, 0.0},
                            -(DD{1.0, 0.0} / DD{3.0, 0.0}),
                            DD{1.0, 0.0} / DD{5.0, 0.0},
                            -(DD{1.0, 0.0} / DD{7.0, 0.0}),
                            DD{1.0, 0.0} / DD{9.0, 0.0},
                            -(DD{1.0, 0.0} / DD{11.0, 0.0}),
                            DD{1.0, 0.0} / DD{13.0, 0.0},
                            -(DD{1.0, 0.0} / DD{15.0, 0.0}),
                            DD{1.0, 0.0} / DD{17.0, 0.0}};
constexpr double kAtanTail[] = {-1.0 / 19, 1.0 / 21, -1.0 / 23, 1.0 / 25, -1.0 / 27, 1.0 / 29, -1.0 / 31, 1.0 / 33};
} // namespace

double Atan(double x)
{
    if (std::isnan(x))
        return x;
    const double a = std::fabs(x);
    if (a < 0x1p-28)
        return x; // atan x = x (1 - x^2/3 ...) rounds to x
    double result = 0;
    if (a > 0x1p60) {
        // atan a = pi/2 - 1/a + ..., where 1/a is far below an ulp of pi/2.
        result = Round(kPiOver2 + -1.0 / a);
    } else {
        // atan a = pi/2 - atan(1/a) above 1; three halvings of the angle through
        // atan y = 2 atan(y / (1 + sqrt(1 + y^2))) bring y below tan(pi/32).
        const bool inverted = a > 1;
        DD y = inverted ? DD{1.0, 0.0} / DD{a, 0.0} : DD{a, 0.0};
        for (int i = 0; i < 3; ++i)
            y = y / (Sqrt(y * y + 1.0) + 1.0);
        DD angle = y * Series(kAtanCoef, kAtanTail, y * y);
        angle = DD{angle.hi * 8, angle.lo * 8};
        if (inverted)
            angle = kPiOver2 - angle;
        result = Round(angle);
    }
    return x < 0 ? -result : result;
}
} // namespace zmath
