// Exact binomial and Poisson tails, and the exact (Clopper-Pearson, Garwood) and mid-P limits of
// a proportion and of a Poisson count, on Boost.Math's incomplete beta and gamma functions.
#pragma once

/// A confidence interval; NaN bounds where it is undefined.
struct CLimits
{
    double lower;
    double upper;
};

/// Binomial(n, p): P(X = x), P(X <= x), P(X >= x), for whole x from 0 to n.
double BinomialPoint(double x, double n, double p);
double BinomialLowerTail(double x, double n, double p);
double BinomialUpperTail(double x, double n, double p);

/// Poisson(mean): P(X = x), P(X <= x), P(X >= x), for whole x >= 0.
double PoissonPoint(double x, double mean);
double PoissonLowerTail(double x, double mean);
double PoissonUpperTail(double x, double mean);

/// Clopper-Pearson limits of x successes in n trials (0 <= x <= n, n >= 1): each tail holds
/// half of 1 - level; the lower limit is 0 when x = 0 and the upper 1 when x = n.
CLimits ClopperPearsonLimits(double x, double n, double levelPercent);

/// Mid-P exact limits of x in n: P(X > x) + P(X = x) / 2 = (1 - level) / 2 at the lower limit,
/// P(X < x) + P(X = x) / 2 the same at the upper; 0 and 1 at x = 0 and x = n.
CLimits MidPBinomialLimits(double x, double n, double levelPercent);

/// Exact (Garwood) limits of the mean of a Poisson count x >= 0; the lower is 0 when x = 0.
CLimits ExactPoissonLimits(double x, double levelPercent);

/// Mid-P exact limits of the mean of a Poisson count x >= 0; the lower is 0 when x = 0.
CLimits MidPPoissonLimits(double x, double levelPercent);
