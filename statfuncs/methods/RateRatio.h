// The ratio of two Poisson rates, x1 events in person-time t1 against x2 in t2, conditional on
// the x1 + x2 events: x1 is binomial with probability IRR t1 / (IRR t1 + t2).
#pragma once

#include "ExactLimits.h"

/// Exact conditional limits of the rate ratio: the Clopper-Pearson limits of x1 of x1 + x2
/// turned into ratios. The lower is 0 when x1 = 0; the upper infinite when x2 = 0; both NaN
/// when there are no events.
CLimits ExactRateRatioLimits(double x1, double t1, double x2, double t2, double levelPercent);

/// Mid-P exact limits of the rate ratio, made the same way from the binomial mid-P limits.
CLimits MidPRateRatioLimits(double x1, double t1, double x2, double t2, double levelPercent);

/// Wald limits on the log scale: exp(log IRR -/+ z sqrt(1 / x1 + 1 / x2)); NaN when a count is 0.
CLimits WaldRateRatioLimits(double x1, double t1, double x2, double t2, double levelPercent);

/// Two-sided exact conditional test of IRR = 1: the binomial probabilities of x1 of x1 + x2 at
/// t1 / (t1 + t2) that are no greater than that of x1, summed (the rule of R's binom.test).
double ExactRateRatioTestP(double x1, double t1, double x2, double t2);

/// Two-sided mid-P test of IRR = 1: twice the smaller one-sided mid-P tail, at most 1.
double MidPRateRatioTestP(double x1, double t1, double x2, double t2);
