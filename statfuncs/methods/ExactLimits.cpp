// Exact binomial and Poisson tails and limits. Tails come from the regularized incomplete beta
// and gamma functions; the exact limits from their inverses, the mid-P limits from a root search
// bracketed by the exact limits and the estimate.
#include "ExactLimits.h"

#include "ConfidenceLevel.h"
#include "QuietPolicy.h"
#include "RootSearch.h"

#include <boost/math/special_functions/beta.hpp>
#include <boost/math/special_functions/gamma.hpp>
#include <limits>

namespace
{
constexpr double kNaN = std::numeric_limits<double>::quiet_NaN();

bool ValidBinomial(double x, double n)
{
    return n >= 1 && x >= 0 && x <= n;
}
} // namespace

double BinomialPoint(double x, double n, double p)
{
    if (!ValidBinomial(x, n) || !(p >= 0 && p <= 1))
        return kNaN;
    if (p == 0)
        return x == 0 ? 1 : 0;
    if (p == 1)
        return x == n ? 1 : 0;
    return boost::math::ibeta_derivative(x + 1, n - x + 1, p, QuietPolicy()) / (n + 1);
}

double BinomialLowerTail(double x, double n, double p)
{
    if (!ValidBinomial(x, n) || !(p >= 0 && p <= 1))
        return kNaN;
    if (x == n)
        return 1;
    // P(X <= x) = I_{1-p}(n - x, x + 1).
    return boost::math::ibetac(x + 1, n - x, p, QuietPolicy());
}

double BinomialUpperTail(double x, double n, double p)
{
    if (!ValidBinomial(x, n) || !(p >= 0 && p <= 1))
        return kNaN;
    if (x == 0)
        return 1;
    // P(X >= x) = I_p(x, n - x + 1).
    return boost::math::ibeta(x, n - x + 1, p, QuietPolicy());
}

double PoissonPoint(double x, double mean)
{
    if (!(x >= 0) || !(mean >= 0))
        return kNaN;
    if (mean == 0)
        return x == 0 ? 1 : 0;
    return boost::math::gamma_p_derivative(x + 1, mean, QuietPolicy());
}

double PoissonLowerTail(double x, double mean)
{
    if (!(x >= 0) || !(mean >= 0))
        return kNaN;
    return mean == 0 ? 1 : boost::math::gamma_q(x + 1, mean, QuietPolicy());
}

double PoissonUpperTail(double x, double mean)
{
    if (!(x >= 0) || !(mean >= 0))
        return kNaN;
    if (x == 0)
        return 1;
    return mean == 0 ? 0 : boost::math::gamma_p(x, mean, QuietPolicy());
}

CLimits ClopperPearsonLimits(double x, double n, double levelPercent)
{
    if (!ValidBinomial(x, n))
        return {kNaN, kNaN};
    const double half = AlphaOfLevel(levelPercent) / 2;
    const double lower = x == 0 ? 0 : boost::math::ibeta_inv(x, n - x + 1, half, QuietPolicy());
    const double upper = x == n ? 1 : boost::math::ibeta_inv(x + 1, n - x, 1 - half, QuietPolicy());
    return {lower, upper};
}

CLimits MidPBinomialLimits(double x, double n, double levelPercent)
{
    if (!ValidBinomial(x, n))
        return {kNaN, kNaN};
    const double half = AlphaOfLevel(levelPercent) / 2;
    const CLimits exact = ClopperPearsonLimits(x, n, levelPercent);
    const double estimate = x / n;
    double lower = 0;
    double upper = 1;
    if (x > 0) {
        // P(X > x) + P(X = x) / 2 rises with p.
        const auto tail = [&](double p) { return BinomialUpperTail(x, n, p) - 0.5 * BinomialPoint(x, n, p); };
        lower = SolveMonotone(tail, half, exact.lower, estimate);
    }
    if (x < n) {
        // P(X < x) + P(X = x) / 2 falls with p.
        const auto tail = [&](double p) { return BinomialLowerTail(x, n, p) - 0.5 * BinomialPoint(x, n, p); };
        upper = SolveMonotone(tail, half, estimate, exact.upper);
    }
    return {lower, upper};
}

CLimits ExactPoissonLimits(double x, double levelPercent)
{
    if (!(x >= 0))
        return {kNaN, kNaN};
    const double half = AlphaOfLevel(levelPercent) / 2;
    const double lower = x == 0 ? 0 : boost::math::gamma_p_inv(x, half, QuietPolicy());
    const double upper = boost::math::gamma_q_inv(x + 1, half, QuietPolicy());
    return {lower, upper};
}

CLimits MidPPoissonLimits(double x, double levelPercent)
{
    if (!(x >= 0))
        return {kNaN, kNaN};
    const double half = AlphaOfLevel(levelPercent) / 2;
    const CLimits exact = ExactPoissonLimits(x, levelPercent);
    double lower = 0;
    if (x > 0) {
        const auto tail = [&](double mean) { return PoissonUpperTail(x, mean) - 0.5 * PoissonPoint(x, mean); };
        lower = SolveMonotone(tail, half, exact.lower, x);
    }
    // At x = 0 the upper limit solves P(X = 0) / 2 = half: exp(-mean) = 2 * half.
    const auto tail = [&](double mean) { return PoissonLowerTail(x, mean) - 0.5 * PoissonPoint(x, mean); };
    const double upper = SolveMonotone(tail, half, x, exact.upper);
    return {lower, upper};
}
