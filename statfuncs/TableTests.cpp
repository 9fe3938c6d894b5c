// Table tests: chi-square of a two-way table and the Fleiss interval of a proportion.
// Sums are formed in row order, each row left to right, as the printed results were.
#include "TableTests.h"

#include "ElementaryFunctions.h"

#include <cmath>
#include <vector>

double Chi2FromTable(unsigned int rows, unsigned int cols, Matrix table, double& fractionSmall)
{
    std::vector<double> rowTotal(rows, 0.0);
    std::vector<double> colTotal(cols, 0.0);
    double total = 0;
    for (unsigned int i = 0; i < rows; ++i) {
        for (unsigned int j = 0; j < cols; ++j) {
            const double cell = table[static_cast<int>(i)][static_cast<int>(j)];
            rowTotal[i] += cell;
            colTotal[j] += cell;
            total += cell;
        }
    }

    double chi2 = 0;
    unsigned int smallCells = 0;
    for (unsigned int i = 0; i < rows; ++i) {
        for (unsigned int j = 0; j < cols; ++j) {
            const double expected = rowTotal[i] * colTotal[j] / total;
            if (expected < 5)
                ++smallCells;
            const double observed = table[static_cast<int>(i)][static_cast<int>(j)];
            chi2 += zmath::Square(observed - expected) / expected;
        }
    }
    fractionSmall = static_cast<double>(smallCells) / (static_cast<double>(rows) * static_cast<double>(cols));
    return chi2;
}

void FleissCISingProp(double p, double n, double z, double& lower, double& upper)
{
    const double q = 1 - p;
    const double zz = z * z;
    const double denominator = 2 * (n + zz);
    lower = (2 * n * p + zz - 1 - z * std::sqrt(zz - 2 - 1 / n + 4 * p * (n * q + 1))) / denominator;
    upper = (2 * n * p + zz + 1 + z * std::sqrt(zz + 2 - 1 / n + 4 * p * (n * q - 1))) / denominator;
    // Fleiss sets the limit beyond an observed 0 or 1 to that bound: the corrected formula would
    // give an interval that excludes its own estimate.
    if (p == 0)
        lower = 0;
    if (p == 1)
        upper = 1;
}
