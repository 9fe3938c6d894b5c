// Exact and mid-P limits of a proportion on the incomplete beta function evaluated in extended
// precision; the mid-P limits by a root search bracketed by the exact limits and the estimate.
#include "ProportionExactLimits.h"

#include "ConfidenceLevel.h"
#include "RootSearch.h"

#include <boost/math/policies/policy.hpp>
#include <boost/math/special_functions/beta.hpp>
#include <cmath>
#include <limits>

namespace
{
namespace bp = boost::math::policies;

/// QuietPolicy's errors (NaN or infinity, no throwing) with double arguments promoted.
using PromotingQuietPolicy = bp::policy<bp::domain_error<bp::ignore_error>, bp::pole_error<bp::ignore_error>,
                                        bp::overflow_error<bp::ignore_error>, bp::underflow_error<bp::ignore_error>,
                                        bp::evaluation_error<bp::ignore_error>, bp::promote_double<true>>;

constexpr double kNaN = std::numeric_limits<double>::quiet_NaN();

bool Valid(double x, double n, double levelPercent)
{
    return n >= 1 && std::isfinite(n) && x >= 0 && x <= n && x == std::floor(x) && levelPercent >= kMinLevelPercent &&
           levelPercent <= kMaxLevelPercent;
}

/// P(X = x) for Binomial(n, p), 0 < p < 1.
double Point(double x, double n, double p)
{
    return boost::math::ibeta_derivative(x + 1, n - x + 1, p, PromotingQuietPolicy()) / (n + 1);
}
} // namespace

CLimits ExactProportionLimits(double x, double n, double levelPercent)
{
    if (!Valid(x, n, levelPercent))
        return {kNaN, kNaN};
    const double half = AlphaOfLevel(levelPercent) / 2;
    // P(X >= x) = I_p(x, n - x + 1) reaches `half` at the lower limit; P(X <= x) = 1 - I_p(x + 1,
    // n - x) at the upper.
    const double lower = x == 0 ? 0 : boost::math::ibeta_inv(x, n - x + 1, half, PromotingQuietPolicy());
    const double upper = x == n ? 1 : boost::math::ibeta_inv(x + 1, n - x, 1 - half, PromotingQuietPolicy());
    return {lower, upper};
}

CLimits MidPProportionLimits(double x, double n, double levelPercent)
{
    if (!Valid(x, n, levelPercent))
        return {kNaN, kNaN};
    const double half = AlphaOfLevel(levelPercent) / 2;
    const CLimits exact = ExactProportionLimits(x, n, levelPercent);
    const double estimate = x / n;
    double lower = 0;
    double upper = 1;
    if (x > 0) {
        // P(X > x) + P(X = x) / 2 = P(X >= x) - P(X = x) / 2 rises with p.
        const auto tail = [&](double p) {
            return boost::math::ibeta(x, n - x + 1, p, PromotingQuietPolicy()) - 0.5 * Point(x, n, p);
        };
        lower = SolveMonotone(tail, half, exact.lower, estimate);
    }
    if (x < n) {
        // P(X < x) + P(X = x) / 2 = P(X <= x) - P(X = x) / 2 falls with p.
        const auto tail = [&](double p) {
            return boost::math::ibetac(x + 1, n - x, p, PromotingQuietPolicy()) - 0.5 * Point(x, n, p);
        };
        upper = SolveMonotone(tail, half, estimate, exact.upper);
    }
    return {lower, upper};
}
