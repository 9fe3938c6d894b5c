// Distribution functions of the statistical library: log-gamma, the upper tails of the
// chi-square, t and normal distributions, and the normal and t percentage points.
#pragma once

/// Natural logarithm of the gamma function for x > 0 (Lanczos series, six coefficients,
/// as in Press et al., Numerical Recipes).
double LogGamma(double x);

/// Probability that a chi-square variable with df degrees of freedom exceeds chi2. Where the
/// series of the regularised lower incomplete gamma function, stopped at a relative term of 1e-6,
/// gives 1e-5 or more, that is the result; below, where the series is too coarse, it is the
/// regularised upper incomplete gamma function Q(df / 2, chi2 / 2) to about 1e-15 relative, so
/// the result never rises with the statistic. Chi2Prob(0, df) is 1; a statistic too large for
/// any double tail gives 0; a negative statistic gives a non-finite value.
double Chi2Prob(double chi2, int df);

/// One-sided upper-tail probability of Student's t with integer df >= 1 degrees of freedom, from
/// the closed-form series in theta = atan(t / sqrt(df)) (Abramowitz and Stegun 26.7.3, 26.7.4).
double TProb(double t, int df);

/// Standard normal deviate with lower-tail probability p, 0 < p < 1 (Abramowitz and Stegun
/// 26.2.23, good to about 4.5e-4). NormalPercPt(0.5) is exactly 0.
double NormalPercPt(double p);

/// The t value with lower-tail probability p for df degrees of freedom: closed forms for df 1
/// and 2, otherwise Newton's method from a normal-based start, stopping at a step of 1e-4.
double TPercPt(double p, int df);

/// Absolute value; zero of either sign gives +0.
double absd(double x);

/// Probability that a standard normal variable exceeds |z| (Abramowitz and Stegun 26.2.17).
double NormalProb(double z);
