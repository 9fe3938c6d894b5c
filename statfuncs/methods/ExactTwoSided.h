// Exact two-sided p-values of a binomial and of a Poisson count: the probability of every outcome
// no more probable than the one observed, as the exact binomial and Poisson tests define it.
#pragma once

/// Outcomes whose point probability is within this factor of the observed one count as no more
/// probable, so that ties computed with rounding error are not split.
inline constexpr double kExactTieFactor = 1 + 1e-7;

/// Binomial(n, p), x successes (whole, 0 <= x <= n, n >= 1, 0 <= p <= 1): the sum of P(X = k)
/// over every k with P(X = k) <= P(X = x) * kExactTieFactor; 1 when x = np; NaN for bad input
/// (including counts above 10^15).
double BinomialTwoSidedP(double x, double n, double p);

/// Poisson(mean), x events (whole, 0 <= x <= 10^15, 0 < mean <= 10^15): the same sum over
/// k = 0, 1, 2, ...
double PoissonTwoSidedP(double x, double mean);
