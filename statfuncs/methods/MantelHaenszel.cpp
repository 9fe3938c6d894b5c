// The crude and Mantel-Haenszel summaries of stratified 2x2 tables. Every count and product is
// taken in doubles, so counts up to 10^9 in each cell and 20 strata neither overflow nor lose
// more than rounding.
#include "MantelHaenszel.h"

#include "ElementaryFunctions.h"
#include "QuietPolicy.h"

#include <boost/math/special_functions/gamma.hpp>
#include <cmath>
#include <limits>

namespace
{
constexpr double kNaN = std::numeric_limits<double>::quiet_NaN();
}

CRatioEstimate LogNormalRatio(double ratio, double se, double z)
{
    if (!(ratio > 0) || !std::isfinite(ratio) || !std::isfinite(se) || !std::isfinite(z))
        return {ratio, kNaN, kNaN};
    return {ratio, ratio * zmath::Exp(-z * se), ratio * zmath::Exp(z * se)};
}

CRatioEstimate WoolfOddsRatio(const CStratumCounts& t, double z)
{
    const double ratio = (t.a * t.d) / (t.b * t.c);
    return LogNormalRatio(ratio, std::sqrt(1 / t.a + 1 / t.b + 1 / t.c + 1 / t.d), z);
}

CRatioEstimate KatzRiskRatio(const CStratumCounts& t, double z)
{
    const double r1 = t.a + t.b, r2 = t.c + t.d;
    const double ratio = (t.a / r1) / (t.c / r2);
    return LogNormalRatio(ratio, std::sqrt(t.b / (t.a * r1) + t.d / (t.c * r2)), z);
}

CMantelHaenszel MantelHaenszelSummary(const std::vector<CStratumCounts>& strata, double z)
{
    double sumA = 0, sumE = 0, sumV = 0;          // observed and expected a, hypergeometric variance
    double sumR = 0, sumS = 0;                    // a d / n and b c / n
    double sumPR = 0, sumPSQR = 0, sumQS = 0;     // the three sums of the RBG variance
    double sumRrNum = 0, sumRrDen = 0, sumGR = 0; // a r2 / n, c r1 / n, and the GR variance terms
    for (const CStratumCounts& t : strata) {
        if (t.HasEmptyMargin())
            continue;
        const double r1 = t.a + t.b, r2 = t.c + t.d, c1 = t.a + t.c, c2 = t.b + t.d, n = t.Total();
        sumA += t.a;
        sumE += r1 * c1 / n;
        // Here n >= 2: every margin holds at least one count.
        sumV += (r1 / n) * (r2 / n) * c1 * c2 / (n - 1);
        const double p = (t.a + t.d) / n, q = (t.b + t.c) / n, r = t.a * t.d / n, s = t.b * t.c / n;
        sumR += r;
        sumS += s;
        sumPR += p * r;
        sumPSQR += p * s + q * r;
        sumQS += q * s;
        sumRrNum += t.a * r2 / n;
        sumRrDen += t.c * r1 / n;
        sumGR += (r1 / n) * (r2 / n) * c1 - t.a * t.c / n;
    }

    CMantelHaenszel mh;
    const double orVar = sumPR / (2 * sumR * sumR) + sumPSQR / (2 * sumR * sumS) + sumQS / (2 * sumS * sumS);
    mh.oddsRatio = LogNormalRatio(sumR / sumS, std::sqrt(orVar), z);
    const double rrVar = sumGR / (sumRrNum * sumRrDen);
    mh.riskRatio = LogNormalRatio(sumRrNum / sumRrDen, std::sqrt(rrVar), z);

    // With no informative stratum V is 0 and both statistics are 0 / 0: undefined.
    const double deviation = std::fabs(sumA - sumE);
    mh.chi2 = sumV > 0 ? deviation * deviation / sumV : kNaN;
    // The correction never turns a deviation below 0.5 into a positive statistic.
    const double corrected = deviation > 0.5 ? deviation - 0.5 : 0;
    mh.chi2Corrected = sumV > 0 ? corrected * corrected / sumV : kNaN;
    return mh;
}

double ChiSquareUpperTail(double x, double df)
{
    if (!std::isfinite(x) || !(df >= 1))
        return kNaN;
    if (x <= 0)
        return 1;
    return boost::math::gamma_q(df / 2, x / 2, QuietPolicy());
}
