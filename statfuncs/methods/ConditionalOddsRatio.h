// The odds ratio of a 2x2 table conditional on its margins: the distribution of the first cell
// (Fisher's noncentral hypergeometric), the conditional maximum-likelihood estimate with its
// exact and mid-P limits, and Fisher's exact and the mid-P tests of independence.
#pragma once

#include "ExactLimits.h"

/// The cells of a 2x2 table: a, b in the first row (exposed), c, d in the second. Counts are
/// whole numbers held as doubles, so margins of any size add up exactly.
struct CTable2x2
{
    double a = 0;
    double b = 0;
    double c = 0;
    double d = 0;
};

/// P(X < x), P(X = x), P(X > x) and E[X] of the first cell given the margins.
struct CCellTails
{
    double below = 0;
    double at = 0;
    double above = 0;
    double mean = 0;
};

/// The distribution of the first cell given the margins of a table, at any odds ratio. The
/// support may hold millions of values; each evaluation sums only the terms within 1e-18 of the
/// largest, walking outwards from the mode by the ratio of neighbouring terms, and reaches a
/// point beyond them through the log-gamma function.
class CConditionalCell
{
public:
    explicit CConditionalCell(const CTable2x2& table);

    /// The least and the greatest value the first cell can take.
    double Lowest() const { return m_lowest; }
    double Highest() const { return m_highest; }
    /// True when the margins leave the first cell a single value (a margin of zero).
    bool Fixed() const { return m_lowest == m_highest; }

    /// The tails at `x` (a whole number in the support) when the odds ratio is `oddsRatio` > 0.
    CCellTails Tails(double x, double oddsRatio) const;
    /// log P(X = x) - log P(X = mode) at the odds ratio, from the log-gamma function.
    double LogRelative(double x, double mode, double oddsRatio) const;
    /// The most probable value at the odds ratio (the greatest, where two tie).
    double Mode(double oddsRatio) const;

private:
    double Ratio(double x, double oddsRatio) const; // P(X = x + 1) / P(X = x)
    double LogCentral(double x) const;              // log C(n1, x) C(n2, m1 - x)
    /// The sum of the terms from `x` outwards (downwards when `down`), relative to the term at x.
    double FarSum(double x, double oddsRatio, bool down) const;

    double m_row1, m_row2, m_column1;
    double m_lowest, m_highest;
};

/// The conditional maximum-likelihood odds ratio with its exact (Fisher) and mid-P limits.
struct CConditionalOddsRatio
{
    double estimate;
    CLimits exact;
    CLimits midP;
};

/// The estimate solves E[X] = a; the exact limits P(X >= a) = (1 - level) / 2 (lower) and
/// P(X <= a) = (1 - level) / 2 (upper); the mid-P limits count half of P(X = a) in each tail
/// (Rothman, Greenland and Lash, Modern Epidemiology, ch. 14). The estimate and the lower limits
/// are 0 when a is the least value possible, the estimate and the upper limits infinite when it
/// is the greatest; everything is NaN when a margin is zero.
CConditionalOddsRatio ConditionalOddsRatio(const CTable2x2& table, double levelPercent);

/// Two-sided p-values of the test of an odds ratio of 1 given the margins.
struct CExactTests
{
    double fisher; // sum of the probabilities of the tables no more probable than the observed
    double midP;   // twice the smaller one-sided mid-P tail, at most 1
};

/// Fisher's exact test counts as "no more probable" a table within a relative 1e-7 of the
/// observed one, so that rounding never splits tables of equal probability.
CExactTests ExactTests(const CTable2x2& table);
