// Distribution functions: each is a fixed approximation or series whose constants, stopping
// rules and order of operations determine the printed results, so they are kept exactly. Small
// chi-square tails come from Boost.Math's incomplete gamma function.
#include "Distributions.h"

#include "ElementaryFunctions.h"

#include <algorithm>
#include <boost/math/special_functions/gamma.hpp>
#include <cmath>
#include <limits>

namespace
{
const double kLanczosCoef[6] = {76.18009172947146, -86.50532032941678,   24.01409824083091,
                                -1.23173957250155, 0.001208650973866179, -5.395239384953e-6};
const double kChi2Tolerance = 1e-6;
// 1 - 2/pi to eight digits; the odd-df factor of TProb is formed from it.
const double kOneMinusTwoOverPi = 0.36338023;
const double kTPercPtTolerance = 0.0001;
const double kTPercPtStep = 0.005;
// Newton's method settles in a handful of steps; one that has not settled after this many
// rounds is reported as a non-finite result instead of looping on.
const int kTPercPtMaxRounds = 1000;
// Series results from here up print as they always have; below it the tail comes from the
// incomplete gamma function, where the series levels off near kChi2Tolerance and even rises.
const double kSeriesFloor = 1e-5;
// A series result of kSeriesFloor or more beside an accurate tail below this bound can only be
// the series' truncation error (near the floor it is within about 10 % of the tail), so it is
// not kept. A guard: with 1 to 25 df the series does not climb back to the floor up to 1e8.
const double kSeriesTrust = 1e-6;

/// The tail as 1 minus the series of the regularised lower incomplete gamma function, stopped at
/// a relative term of kChi2Tolerance; its results of kSeriesFloor and more are the printed ones.
double Chi2SeriesProb(double chi2, int df)
{
    const double h = 0.5 * chi2;
    const double a = 0.5 * df;
    const double e = zmath::Exp(a * zmath::Log(h) - LogGamma(a + 1) - h);
    if (e == 0) {
        // chi2 = 0 gives log(0) = -inf and so e = 0: the whole distribution lies above.
        // A positive statistic whose factor underflows lies far in the upper tail.
        return chi2 > 0 ? 0.0 : 1.0;
    }
    double term = 1;
    double sum = 1;
    double k = a;
    // The test is written so that a NaN ratio (an overflowed sum) ends the series.
    do {
        k = k + 1;
        term = term * h / k;
        sum = sum + term;
    } while (term / sum > kChi2Tolerance);
    const double result = 1 - sum * e;
    // Past the series' finite range the result overflows or drops below zero; the true tail
    // there is below 1e-300.
    if (chi2 > 0 && !(std::isfinite(result) && result >= 0))
        return 0.0;
    return result;
}

/// Q(df / 2, chi2 / 2), the regularised upper incomplete gamma function, to about 1e-15
/// relative; a result below the smallest double is 0. Errors give NaN rather than throwing.
double Chi2UpperTail(double chi2, int df)
{
    using namespace boost::math::policies;
    using Quiet = policy<domain_error<ignore_error>, pole_error<ignore_error>, overflow_error<ignore_error>,
                         underflow_error<ignore_error>, evaluation_error<ignore_error>>;
    return boost::math::gamma_q(0.5 * df, 0.5 * chi2, Quiet());
}
} // namespace

double LogGamma(double x)
{
    double tmp = x + 5.5;
    tmp = tmp - (x + 0.5) * zmath::Log(tmp);
    double ser = 1.000000000190015;
    double y = x;
    for (double coef : kLanczosCoef) {
        y = y + 1;
        ser = ser + coef / y;
    }
    return zmath::Log(2.5066282746310007 * ser / x) - tmp;
}

double Chi2Prob(double chi2, int df)
{
    const double series = Chi2SeriesProb(chi2, df);
    // The accurate tail is defined for a positive finite statistic and at least one degree of
    // freedom; elsewhere the series' own result (1 at 0, non-finite when negative) stands.
    if (!(chi2 > 0) || std::isinf(chi2) || df < 1)
        return series;
    const double accurate = Chi2UpperTail(chi2, df);
    if (std::isnan(accurate))
        return series;
    if (series >= kSeriesFloor && accurate >= kSeriesTrust)
        return series;
    // Below the mean the series fails only where its factor underflows (a tiny statistic with
    // many degrees of freedom, whose tail is 1 in double precision): the accurate tail joins
    // the series there. Above the mean it fails by falling below the floor; the series
    // overestimates the tail there, so the accurate value lies below its last result, and the
    // bound keeps it there should the series ever err the other way.
    if (chi2 <= df)
        return accurate;
    return std::min(accurate, kSeriesFloor);
}

double TProb(double t, int df)
{
    const double theta = zmath::Atan(t / std::sqrt(static_cast<double>(df)));
    const double s = zmath::Sin(theta);
    const double c = zmath::Cos(theta);
    const int parity = df % 2; // carries the sign of df: a negative odd df counts as odd
    double sum = 0;
    double term = 0;
    double a = 0;
    double b = 0;
    int rounds = 0; // signed: df = 0 gives -1 rounds, that is none
    if (parity == 0) {
        sum = s;
        term = s;
        a = -1;
        b = 0;
        rounds = (df - 2) / 2;
    } else if (df == 1) {
        sum = theta;
    } else {
        term = s * c;
        sum = theta + term;
        a = 0;
        b = 1;
        rounds = (df - 3) / 2;
    }
    for (int i = 0; i < rounds; ++i) {
        a = a + 2;
        b = b + 2;
        term = term * c * c * a / b;
        sum = sum + term;
    }
    const double k = 1 - kOneMinusTwoOverPi * parity;
    return 1 - 0.5 * (1 + k * sum);
}

double NormalPercPt(double p)
{
    const double q = 0.5 - absd(p - 0.5);
    const double w = std::sqrt(-2 * zmath::Log(q));
    const double x =
        w - (2.515517 + w * (0.802853 + w * 0.010328)) / (1 + w * (1.432788 + w * (0.189269 + w * 0.001308)));
    if (p - 0.5 > 0)
        return x;
    if (p - 0.5 < 0)
        return -x;
    if (p - 0.5 == 0)
        return 0;
    return x; // p is NaN: so is x
}

double TPercPt(double p, int df)
{
    const double d = 2 * p - 1;
    if (df == 1)
        return zmath::Tan(1.57079633 * d);
    if (df == 2)
        return d * std::sqrt(2 / (1 - d * d));

    // Start from the normal point, widened for the t distribution's heavier tails.
    const double z = NormalPercPt(p);
    const double f = z * (1 + 2 / (8.0 * df + 1));
    double t = std::sqrt((zmath::Exp(f * f / df) - 1) * df);
    if (z < 0)
        t = -t;

    // Newton's method with a central-difference slope; the loop continues only while the step
    // is known to exceed the tolerance, so a NaN step ends it.
    for (int round = 0; round < kTPercPtMaxRounds; ++round) {
        const double g = (1 - TProb(t, df)) - p;
        const double slope = ((1 - TProb(t + kTPercPtStep, df)) - (1 - TProb(t - kTPercPtStep, df))) / 0.01;
        const double tNew = t - g / slope;
        if (!(absd(tNew - t) > kTPercPtTolerance))
            return tNew;
        t = tNew;
    }
    return std::numeric_limits<double>::quiet_NaN();
}

double absd(double x)
{
    // Same as "x if x > 0 else -x" for every non-zero x, but never returns -0.
    return std::fabs(x);
}

double NormalProb(double z)
{
    const double x = absd(z);
    const double t = 1 / (1 + 0.2316419 * x);
    const double d = 0.39894228 * zmath::Exp(-0.5 * x * x);
    const double q =
        d * t * (0.31938153 + t * (-0.356563782 + t * (1.781477937 + t * (-1.821255978 + t * 1.330274429))));
    return absd(q);
}
