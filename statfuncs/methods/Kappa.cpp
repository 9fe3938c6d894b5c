// Cohen's kappa and weighted kappa with their large-sample variances: Fleiss, Cohen & Everitt
// (1969), "Large sample standard errors of kappa and weighted kappa", Psychological Bulletin 72;
// also Fleiss, Levin & Paik, Statistical Methods for Rates and Proportions, chapter 18.
#include "Kappa.h"

#include "ConfidenceLevel.h"
#include "ElementaryFunctions.h"

#include <algorithm>
#include <cmath>
#include <limits>
#include <vector>

namespace
{
constexpr double kNaN = std::numeric_limits<double>::quiet_NaN();
} // namespace

double KappaWeight(int row, int col, int k, CKappaWeights weights)
{
    if (weights == CKappaWeights::None || k < 2)
        return row == col ? 1 : 0;
    const double distance = std::abs(row - col) / static_cast<double>(k - 1);
    return weights == CKappaWeights::Linear ? 1 - distance : 1 - distance * distance;
}

CKappa CohenKappa(std::span<const double> cells, int k, CKappaWeights weights, double levelPercent)
{
    CKappa result{kNaN, kNaN, kNaN, kNaN, kNaN, kNaN, kNaN, kNaN, kNaN};
    const size_t side = static_cast<size_t>(std::max(k, 0));
    if (k < 2 || cells.size() < side * side)
        return result;
    double total = 0;
    for (size_t cell = 0; cell < side * side; ++cell)
        total += cells[cell];
    if (!(total > 0))
        return result;

    std::vector<double> rows(side, 0.0), cols(side, 0.0), w(side * side);
    for (size_t i = 0; i < side; ++i) {
        for (size_t j = 0; j < side; ++j) {
            rows[i] += cells[i * side + j] / total;
            cols[j] += cells[i * side + j] / total;
            w[i * side + j] = KappaWeight(static_cast<int>(i), static_cast<int>(j), k, weights);
        }
    }
    // Mean weights of row i over the column margin and of column j over the row margin.
    std::vector<double> rowMeans(side, 0.0), colMeans(side, 0.0);
    double observed = 0, expected = 0;
    for (size_t i = 0; i < side; ++i) {
        for (size_t j = 0; j < side; ++j) {
            observed += w[i * side + j] * cells[i * side + j] / total;
            expected += w[i * side + j] * rows[i] * cols[j];
            rowMeans[i] += w[i * side + j] * cols[j];
            colMeans[j] += w[i * side + j] * rows[i];
        }
    }
    result.observed = observed;
    result.expected = expected;
    // Expected agreement 1 (every rating in one category of both raters) leaves kappa undefined.
    if (!(expected < 1))
        return result;
    const double kappa = (observed - expected) / (1 - expected);
    double sum = 0, sumNull = 0;
    for (size_t i = 0; i < side; ++i) {
        for (size_t j = 0; j < side; ++j) {
            const double margins = rowMeans[i] + colMeans[j];
            sum += cells[i * side + j] / total * zmath::Square(w[i * side + j] - margins * (1 - kappa));
            sumNull += rows[i] * cols[j] * zmath::Square(w[i * side + j] - margins);
        }
    }
    const double scale = total * (1 - expected) * (1 - expected);
    // Rounding may take a variance of 0 (perfect agreement) a hair below it.
    const double variance = std::max(0.0, (sum - zmath::Square(kappa - expected * (1 - kappa))) / scale);
    const double varianceNull = std::max(0.0, (sumNull - expected * expected) / scale);
    result.kappa = kappa;
    result.se = std::sqrt(variance);
    result.seNull = std::sqrt(varianceNull);
    if (result.seNull > 0) {
        result.z = kappa / result.seNull;
        result.p = std::min(1.0, 2 * NormalUpperTail(std::fabs(result.z)));
    }
    // Kappa lies in [-1, 1]; the normal interval is cut there.
    const double half = NormalQuantileOfLevel(levelPercent) * result.se;
    result.lower = std::max(-1.0, kappa - half);
    result.upper = std::min(1.0, kappa + half);
    return result;
}
