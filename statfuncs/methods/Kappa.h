// Cohen's kappa of two raters' k x k table of counts, unweighted or with linear or quadratic
// agreement weights, with the large-sample standard errors of Fleiss, Cohen & Everitt (1969).
#pragma once

#include <span>

/// The agreement weights of cell (i, j) of a k x k table: none (1 on the diagonal, 0 elsewhere),
/// linear 1 - |i - j| / (k - 1), or quadratic 1 - (i - j)^2 / (k - 1)^2 (Cicchetti-Allison and
/// Fleiss-Cohen weights).
enum class CKappaWeights
{
    None,
    Linear,
    Quadratic,
};

/// Kappa and what it is made of; NaN where undefined (an empty table, expected agreement 1).
struct CKappa
{
    double observed; // weighted proportion of agreement
    double expected; // the same expected by chance from the margins
    double kappa;    // (observed - expected) / (1 - expected)
    double se;       // large-sample standard error, for the interval
    double seNull;   // standard error when kappa is 0, for the test
    double z;        // kappa / seNull
    double p;        // two-sided normal p of z
    double lower;    // kappa -/+ z(level) se, kept within [-1, 1]
    double upper;
};

/// The weight of cell (row, col) of a k x k table.
double KappaWeight(int row, int col, int k, CKappaWeights weights);

/// Kappa of the k x k table `cells` (row-major; rows the first rater's categories, columns the
/// second's), with the interval at `levelPercent`.
CKappa CohenKappa(std::span<const double> cells, int k, CKappaWeights weights, double levelPercent);
