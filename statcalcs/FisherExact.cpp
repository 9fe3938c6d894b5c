// Fisher's exact test of a 2x2 table, from the hypergeometric probabilities of the tables with
// the observed margins, walked outwards from the most probable table.
#include "FisherExact.h"

#include "CPleaseWaitDlg.h"

#include <algorithm>
#include <cfloat>
#include <climits>
#include <cmath>
#include <optional>
#include <vector>

namespace
{
/// How many times at most the progress bar moves during one test.
constexpr int64_t kProgressSteps = 32;

/// sign(x / r1 - (c1 - x) / r2): the direction in which the first row's share of the outcome
/// differs from the second row's. An undefined difference (a zero row total) counts as -1.
/// Two different shares with denominators below 2^26 never round to the same double, so the
/// sign is exact for every table the dialogs accept.
int Direction(double x, double r1, double c1, double r2)
{
    const double difference = x / r1 - (c1 - x) / r2;
    if (difference > 0)
        return 1;
    if (difference == 0)
        return 0;
    return -1;
}

/// The tables with the given margins as weights relative to the most probable table (weight 1),
/// in ascending order of the first cell from `first`. The walk outwards stops where the weight
/// falls below the smallest normal double: the probabilities beyond are zero or subnormal in
/// double precision, so that all of them together add less than 1e-300 to any p-value, and
/// the walk never does subnormal arithmetic.
struct CWeights
{
    int64_t first = 0;
    std::vector<double> values;
};

CWeights TableWeights(double r1, double r2, double c1, double lo, double hi)
{
    const double n = r1 + r2;
    const double mode = std::clamp(std::floor((r1 + 1) * (c1 + 1) / (n + 2)), lo, hi);

    // Downwards: P(x - 1) / P(x) = x (r2 - c1 + x) / ((r1 - x + 1)(c1 - x + 1)).
    std::vector<double> below;
    double w = 1;
    for (double x = mode; x > lo; --x) {
        w *= (x * (r2 - c1 + x)) / ((r1 - x + 1) * (c1 - x + 1));
        if (w < DBL_MIN)
            break;
        below.push_back(w);
    }
    CWeights weights;
    weights.first = static_cast<int64_t>(mode) - static_cast<int64_t>(below.size());
    weights.values.assign(below.rbegin(), below.rend());
    weights.values.push_back(1);

    // Upwards: P(x + 1) / P(x) = (r1 - x)(c1 - x) / ((x + 1)(r2 - c1 + x + 1)).
    w = 1;
    for (double x = mode; x < hi; ++x) {
        w *= ((r1 - x) * (c1 - x)) / ((x + 1) * (r2 - c1 + x + 1));
        if (w < DBL_MIN)
            break;
        weights.values.push_back(w);
    }
    return weights;
}
} // namespace

CFisherResult FisherExact(uint32_t a, uint32_t b, uint32_t c, uint32_t d, bool showProgress)
{
    // Every count and margin as a double: exact integers far beyond any sum of four cells.
    const double r1 = static_cast<double>(a) + b;
    const double r2 = static_cast<double>(c) + d;
    const double c1 = static_cast<double>(a) + c;
    const double c2 = static_cast<double>(b) + d;
    const double hi = std::min(r1, c1);
    const double lo = r1 > c2 ? r1 - c2 : 0;

    std::optional<CPleaseWaitDlg> progress;
    if (showProgress)
        progress.emplace(static_cast<int>(std::min<double>(hi, INT_MAX)));

    const CWeights weights = TableWeights(r1, r2, c1, lo, hi);
    const auto count = static_cast<int64_t>(weights.values.size());
    const int64_t observedIndex = static_cast<int64_t>(a) - weights.first;
    // An observed table outside the list is less probable than the smallest normal double.
    const double observed = observedIndex >= 0 && observedIndex < count ? weights.values[observedIndex] : 0;
    const double threshold = observed * (1 + kFisherTolerance);
    const int observedDirection = Direction(a, r1, c1, r2);
    const int64_t progressStep = std::max<int64_t>(1, count / kProgressSteps);

    double total = 0;
    double oneSided = 0;
    double twoSided = 0;
    double lowerTail = 0; // every table with a first cell of at most a
    double upperTail = 0; // and of at least a
    for (int64_t i = 0; i < count; ++i) {
        const double w = weights.values[i];
        const double x = static_cast<double>(weights.first + i);
        total += w;
        if (x <= a)
            lowerTail += w;
        if (x >= a)
            upperTail += w;
        if (w <= threshold) {
            twoSided += w;
            if (Direction(x, r1, c1, r2) == observedDirection)
                oneSided += w;
        }
        if (progress && (i + 1) % progressStep == 0)
            progress->SetPos(static_cast<int>(std::min<double>(x, INT_MAX)));
    }

    CFisherResult result;
    result.observed = observed / total;
    // With no difference observed neither direction is the observed one: the one-sided p is
    // then the smaller whole tail, each including the observed table.
    result.oneSided = observedDirection == 0 ? std::min(lowerTail, upperTail) / total : oneSided / total;
    result.twoSided = twoSided / total;
    return result;
}
