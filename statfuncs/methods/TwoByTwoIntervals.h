// Large-sample measures of a 2x2 table: the sample odds ratio with Woolf's and Cornfield's
// limits, the ratio of two proportions with Wald and Koopman's score limits, the difference of
// two proportions with Newcombe's hybrid score limits, and the Pearson chi-squares.
#pragma once

#include "ConditionalOddsRatio.h"

/// The cross-product ratio ad / bc: 0 or infinite when one product is 0, NaN when both are.
double SampleOddsRatio(const CTable2x2& table);

/// Woolf's logit limits: exp(log OR -/+ z sqrt(1/a + 1/b + 1/c + 1/d)); NaN with a zero cell.
CLimits WoolfLimits(const CTable2x2& table, double levelPercent);

/// Cornfield's (1956) limits without continuity correction: the odds ratios of the tables with
/// the observed margins whose first cell A satisfies (a - A)^2 (1/A + 1/B + 1/C + 1/D) = z^2
/// (Fleiss, Levin and Paik, Statistical Methods for Rates and Proportions, 3rd ed., 6.3). The
/// lower limit is 0 when a or d is 0, the upper infinite when b or c is 0; NaN with a zero margin.
CLimits CornfieldLimits(const CTable2x2& table, double levelPercent);

/// The ratio (x1 / n1) / (x2 / n2): 0 or infinite when one count is 0, NaN when both are or a
/// group is empty.
double ProportionRatio(double x1, double n1, double x2, double n2);

/// Wald limits on the log scale: exp(log R -/+ z sqrt(1/x1 - 1/n1 + 1/x2 - 1/n2)); NaN when
/// either count is 0.
CLimits RatioWaldLimits(double x1, double n1, double x2, double n2, double levelPercent);

/// Koopman's (1984) score limits: the ratios at which the Pearson chi-square of the two
/// binomials, with the proportions fitted under that ratio, equals z^2. The lower limit is 0 when
/// x1 = 0, the upper infinite when x2 = 0.
CLimits RatioScoreLimits(double x1, double n1, double x2, double n2, double levelPercent);

/// Wilson's score limits of the proportion x / n (n >= 1): 0 at x = 0 and 1 at x = n.
CLimits WilsonLimits(double x, double n, double levelPercent);

/// Newcombe's (1998, method 10) hybrid score limits of x1 / n1 - x2 / n2 from the Wilson limits
/// of each proportion; NaN when a group is empty.
CLimits DifferenceNewcombeLimits(double x1, double n1, double x2, double n2, double levelPercent);

/// The Pearson chi-square of a 2x2 table, uncorrected and with Yates' correction (|ad - bc| less
/// n / 2, never below 0, as R's chisq.test corrects); NaN with a zero margin.
struct CChiSquares
{
    double uncorrected;
    double yates;
};
CChiSquares TableChiSquares(const CTable2x2& table);

/// The upper tail of the chi-square distribution with one degree of freedom.
double ChiSquare1UpperTail(double chiSquare);
