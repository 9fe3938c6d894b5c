// Summaries of stratified 2x2 tables: the crude odds and risk ratios of the pooled table, and the
// Mantel-Haenszel odds ratio (Robins-Breslow-Greenland limits), risk ratio (Greenland-Robins
// limits) and chi-square, with and without the continuity correction.
#pragma once

#include <vector>

/// One stratum's 2x2 table: a, b exposed with and without the outcome, c, d unexposed.
struct CStratumCounts
{
    double a = 0;
    double b = 0;
    double c = 0;
    double d = 0;

    double Total() const { return a + b + c + d; }
    /// A row or column total is 0 (an empty stratum included): the stratum holds no information
    /// on the association, so every summary and homogeneity test leaves it out.
    bool HasEmptyMargin() const { return a + b == 0 || c + d == 0 || a + c == 0 || b + d == 0; }
    bool HasZeroCell() const { return a == 0 || b == 0 || c == 0 || d == 0; }
};

/// A ratio with its limits; NaN where a value is undefined.
struct CRatioEstimate
{
    double estimate;
    double lower;
    double upper;
};

/// The ratio exp(logRatio) with limits exp(logRatio -/+ z se); limits are NaN unless the ratio
/// is positive and finite and the standard error finite.
CRatioEstimate LogNormalRatio(double ratio, double se, double z);

/// The crude odds ratio of one table with Woolf's (logit) limits at normal deviate z.
CRatioEstimate WoolfOddsRatio(const CStratumCounts& table, double z);

/// The crude risk ratio (a / (a + b)) / (c / (c + d)) of one table with Katz's log limits.
CRatioEstimate KatzRiskRatio(const CStratumCounts& table, double z);

struct CMantelHaenszel
{
    CRatioEstimate oddsRatio; // Robins, Breslow and Greenland (1986) variance of log ORmh
    CRatioEstimate riskRatio; // Greenland and Robins (1985) variance of log RRmh
    double chi2 = 0;          // (sum a - sum E)^2 / sum V
    double chi2Corrected = 0; // (|sum a - sum E| - 0.5)^2 / sum V, the 0.5 only up to |sum a - sum E|
};

/// The Mantel-Haenszel summary of `strata` at normal deviate z. Strata with an empty row or
/// column add nothing to any sum, so they are skipped outright (an empty one would make 0 / 0).
CMantelHaenszel MantelHaenszelSummary(const std::vector<CStratumCounts>& strata, double z);

/// The upper tail of the chi-square distribution with df degrees of freedom; NaN when x is not
/// finite or df < 1.
double ChiSquareUpperTail(double x, double df);
