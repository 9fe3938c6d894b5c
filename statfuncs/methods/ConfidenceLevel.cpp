// Normal quantiles and tails for the newer methods, from Boost.Math.
#include "ConfidenceLevel.h"

#include "QuietPolicy.h"

#include <boost/math/distributions/normal.hpp>

namespace
{
const boost::math::normal_distribution<double, QuietPolicy> kStandardNormal;
}

double NormalQuantileOfLevel(double levelPercent)
{
    return NormalQuantile(1 - AlphaOfLevel(levelPercent) / 2);
}

double NormalQuantile(double p)
{
    return boost::math::quantile(kStandardNormal, p);
}

double NormalUpperTail(double z)
{
    return boost::math::cdf(boost::math::complement(kStandardNormal, z));
}
