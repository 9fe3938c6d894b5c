// The log-scale confidence limits of a ratio.
#include "Estimate.h"

#include <cmath>

CEstimate RatioLimits(double ratio, double se, double z)
{
    return {ratio, std::exp(std::log(ratio) - z * se), std::exp(std::log(ratio) + z * se)};
}
