// The elementary functions against correctly rounded values from MPFR: millions of seeded
// random arguments over the ranges the calculations use and beyond, and the arguments where a
// reduction, a threshold or the rounding is delicate. Every mismatch counts; none is allowed.
#include "ElementaryFunctions.h"

#include "DoubleDouble.h"

#include <cmath>
#include <cstdint>
#include <gtest/gtest.h>
#include <limits>
#include <mpfr.h>
#include <random>
#include <string>
#include <vector>

namespace
{
using Function = double (*)(double);
using Reference = int (*)(mpfr_ptr, mpfr_srcptr, mpfr_rnd_t);

struct CCase
{
    const char* name;
    Function ours;
    Reference exact;
};

const CCase kCases[] = {{"Exp", zmath::Exp, mpfr_exp}, {"Log", zmath::Log, mpfr_log}, {"Atan", zmath::Atan, mpfr_atan},
                        {"Sin", zmath::Sin, mpfr_sin}, {"Cos", zmath::Cos, mpfr_cos}, {"Tan", zmath::Tan, mpfr_tan}};

/// The value rounded once to a double, subnormals at their own precision.
class CCorrectlyRounded
{
public:
    CCorrectlyRounded()
    {
        mpfr_set_emin(-1073);
        mpfr_set_emax(1024);
        mpfr_inits2(53, m_x, m_y, static_cast<mpfr_ptr>(nullptr));
    }
    ~CCorrectlyRounded() { mpfr_clears(m_x, m_y, static_cast<mpfr_ptr>(nullptr)); }

    double operator()(Reference f, double x)
    {
        mpfr_set_d(m_x, x, MPFR_RNDN);
        const int inexact = f(m_y, m_x, MPFR_RNDN);
        mpfr_subnormalize(m_y, inexact, MPFR_RNDN);
        return mpfr_get_d(m_y, MPFR_RNDN);
    }

private:
    mpfr_t m_x;
    mpfr_t m_y;
};

bool SameDouble(double a, double b)
{
    return (std::isnan(a) && std::isnan(b)) || (a == b && std::signbit(a) == std::signbit(b));
}

/// Counts the arguments whose result is not the correctly rounded one; prints the first few.
size_t Mismatches(const CCase& c, const std::vector<double>& arguments)
{
    CCorrectlyRounded exact;
    size_t wrong = 0;
    const bool trigonometric = c.exact == mpfr_sin || c.exact == mpfr_cos || c.exact == mpfr_tan;
    for (double x : arguments) {
        const double ours = c.ours(x);
        // Sin, Cos and Tan take |x| < 2^20 only.
        const double want = trigonometric && !(std::fabs(x) < 0x1p20) ? std::nan("") : exact(c.exact, x);
        if (!SameDouble(ours, want) && ++wrong <= 5)
            ADD_FAILURE() << c.name << "(" << std::hexfloat << x << ") = " << ours << ", correctly rounded " << want;
    }
    return wrong;
}

/// n arguments uniform in [lo, hi] and n with magnitudes spread evenly over [lo, hi] in the
/// logarithm (lo > 0), of either sign when signed.
std::vector<double> Random(uint64_t seed, size_t n, double lo, double hi, bool logarithmic, bool sign)
{
    std::mt19937_64 engine(seed);
    std::uniform_real_distribution<double> unit(0.0, 1.0);
    std::vector<double> values;
    values.reserve(n);
    for (size_t i = 0; i < n; ++i) {
        double v = logarithmic ? lo * std::pow(hi / lo, unit(engine)) : lo + (hi - lo) * unit(engine);
        if (sign && (engine() & 1))
            v = -v;
        values.push_back(v);
    }
    return values;
}

/// x and its neighbours up to `steps` ulps either way.
void AddNeighbours(std::vector<double>& values, double x, int steps)
{
    double up = x;
    double down = x;
    values.push_back(x);
    for (int i = 0; i < steps; ++i) {
        up = std::nextafter(up, std::numeric_limits<double>::infinity());
        down = std::nextafter(down, -std::numeric_limits<double>::infinity());
        values.push_back(up);
        values.push_back(down);
    }
}

#ifdef ZENTAVO_SAMPLE_DIGITS
constexpr size_t kRandomPerRange = 5000; // the sanitizer build checks behaviour, not digits
#else
constexpr size_t kRandomPerRange = 250000;
#endif
} // namespace

TEST(ElementaryFunctions, ExpIsCorrectlyRoundedOnRandomArguments)
{
    // The statistics take e^x of log ratios and of -x^2/2 and chi-square exponents: the whole
    // finite range, the usual [-40, 5], and tiny arguments.
    size_t wrong = Mismatches(kCases[0], Random(1, kRandomPerRange, -745.5, 710, false, false));
    wrong += Mismatches(kCases[0], Random(2, kRandomPerRange, -40, 5, false, false));
    wrong += Mismatches(kCases[0], Random(3, kRandomPerRange, 1e-300, 1, true, true));
    EXPECT_EQ(wrong, 0u);
}

TEST(ElementaryFunctions, LogIsCorrectlyRoundedOnRandomArguments)
{
    size_t wrong = Mismatches(kCases[1], Random(4, kRandomPerRange, 4.9e-324, 1.7e308, true, false));
    wrong += Mismatches(kCases[1], Random(5, kRandomPerRange, 0.5, 2, false, false));
    wrong += Mismatches(kCases[1], Random(6, kRandomPerRange, 1e-6, 1e6, true, false));
    EXPECT_EQ(wrong, 0u);
}

TEST(ElementaryFunctions, AtanIsCorrectlyRoundedOnRandomArguments)
{
    // t / sqrt(df) of the t distribution: every magnitude, both signs.
    size_t wrong = Mismatches(kCases[2], Random(7, kRandomPerRange, 1e-10, 1e10, true, true));
    wrong += Mismatches(kCases[2], Random(8, kRandomPerRange, -4, 4, false, false));
    wrong += Mismatches(kCases[2], Random(9, kRandomPerRange / 4, 1e-300, 1e300, true, true));
    EXPECT_EQ(wrong, 0u);
}

TEST(ElementaryFunctions, SinCosTanAreCorrectlyRoundedOnRandomArguments)
{
    // Angles from atan in (-pi/2, pi/2); the t quantile's tan up to 1.57079633; and further out.
    const std::vector<double> angles = Random(10, kRandomPerRange, -1.57079633, 1.57079633, false, false);
    const std::vector<double> wide = Random(11, kRandomPerRange / 4, 1e-8, 1e6, true, true);
    size_t wrong = 0;
    for (const CCase& c : {kCases[3], kCases[4], kCases[5]})
        wrong += Mismatches(c, angles) + Mismatches(c, wide);
    EXPECT_EQ(wrong, 0u);
}

TEST(ElementaryFunctions, DelicateArgumentsAreCorrectlyRounded)
{
    const double inf = std::numeric_limits<double>::infinity();
    const double nan = std::numeric_limits<double>::quiet_NaN();
    std::vector<double> common = {0.0,
                                  -0.0,
                                  inf,
                                  -inf,
                                  nan,
                                  4.9e-324,
                                  -4.9e-324,
                                  2.2250738585072014e-308,
                                  1.7976931348623157e308,
                                  -1.7976931348623157e308};
    for (int e = -1074; e <= 1023; e += 7)
        AddNeighbours(common, std::ldexp(1.0, e), 1);

    std::vector<double> exp = common;
    // The overflow and underflow thresholds, subnormal results, the rounding of k, tiny x.
    for (double x : {709.782712893384, 709.7827128933841, -708.3964185322641, -708.39641853226419, -744.44007192138122,
                     -745.13321910194111, -745.1332191019412, 0.34657359027997264, -0.34657359027997264,
                     1.0397207708399179, 0x1p-60, -0x1p-60, 0x1p-54, -0x1p-54})
        AddNeighbours(exp, x, 3);
    for (int k = -1075; k <= 1024; ++k)
        AddNeighbours(exp, k * 0.6931471805599453 + 0.34657359027997264, 1);
    for (double x = -745.0; x < -708.0; x += 0.37)
        exp.push_back(x);

    std::vector<double> log = common;
    // 1 and its neighbours, sqrt(1/2) where the reduction switches, powers of ten.
    AddNeighbours(log, 1.0, 200);
    AddNeighbours(log, 0.7071067811865476, 3);
    AddNeighbours(log, 1.4142135623730951, 3);
    for (int e = -300; e <= 300; ++e)
        AddNeighbours(log, std::pow(10.0, e), 1);

    std::vector<double> atan = common;
    // 1 where the argument is inverted, the thresholds 2^-28 and 2^60, tan(k pi / 64).
    for (double x : {1.0, 0x1p-28, 0x1p60, 0.41421356237309503, 0.19891236737965800, 0.09849140335716425})
        AddNeighbours(atan, x, 3);
    for (int k = 1; k < 32; ++k)
        AddNeighbours(atan, std::tan(k * 3.141592653589793 / 64), 1);

    std::vector<double> trig = common;
    // pi/4 where the reduction starts, the doubles nearest to multiples of pi/2 (where sin or
    // cos is nearly zero), and the t quantile's largest tan argument.
    AddNeighbours(trig, 0.7853981633974483, 3);
    AddNeighbours(trig, 1.57079633, 3);
    AddNeighbours(trig, 0x1p-27, 3);
    for (int k = 1; k <= 100000; k = k < 100 ? k + 1 : k * 3 / 2)
        AddNeighbours(trig, k * 1.5707963267948966, 2);

    size_t wrong = Mismatches(kCases[0], exp) + Mismatches(kCases[1], log) + Mismatches(kCases[2], atan);
    for (const CCase& c : {kCases[3], kCases[4], kCases[5]})
        wrong += Mismatches(c, trig);
    EXPECT_EQ(wrong, 0u);
}

TEST(ElementaryFunctions, ProductsAreExactWithoutFusedMultiplyAdd)
{
    // A compiler that fused a*b+c would break the exact products everything rests on.
    mpfr_t exact;
    mpfr_t sum;
    mpfr_inits2(200, exact, sum, static_cast<mpfr_ptr>(nullptr));
    std::mt19937_64 engine(12);
    std::uniform_real_distribution<double> unit(-1.0, 1.0);
    size_t wrong = 0;
    for (int i = 0; i < 100000; ++i) {
        const double a = std::ldexp(unit(engine), static_cast<int>(engine() % 200) - 100);
        const double b = std::ldexp(unit(engine), static_cast<int>(engine() % 200) - 100);
        const zmath::DD p = zmath::TwoProduct(a, b);
        mpfr_set_d(exact, a, MPFR_RNDN);
        mpfr_mul_d(exact, exact, b, MPFR_RNDN);
        mpfr_set_d(sum, p.hi, MPFR_RNDN);
        mpfr_add_d(sum, sum, p.lo, MPFR_RNDN);
        wrong += mpfr_cmp(exact, sum) != 0;
    }
    mpfr_clears(exact, sum, static_cast<mpfr_ptr>(nullptr));
    EXPECT_EQ(wrong, 0u);
}
