// Tests of Chi2FromTable and FleissCISingProp against hand-computed tables and
// Fleiss's score interval worked through independently, including its limits at 0 and 1.
#include "TableTests.h"

#include "TestSupport.h"

#include <cmath>
#include <gtest/gtest.h>
#include <initializer_list>

namespace
{
Matrix MakeTable(int rows, int cols, std::initializer_list<double> cells)
{
    Matrix table(rows, cols);
    auto cell = cells.begin();
    for (int i = 0; i < rows; ++i)
        for (int j = 0; j < cols; ++j)
            table[i][j] = *cell++;
    return table;
}
} // namespace

TEST(TableTestsTest, Chi2FromTableOfTwoByTwo)
{
    // Expected counts 12, 18, 28, 42: 4/12 + 4/18 + 4/28 + 4/42.
    const Matrix table = MakeTable(2, 2, {10, 20, 30, 40});
    double fractionSmall = -1;
    EXPECT_TRUE(Near(Chi2FromTable(2, 2, table, fractionSmall), 0.793650794, 1e-8));
    EXPECT_EQ(fractionSmall, 0.0);
    EXPECT_EQ(table[0][0], 10.0);
    EXPECT_EQ(table[1][1], 40.0);

    // Only the first cell expects fewer than 5 (12 * 12 / 42).
    EXPECT_TRUE(std::isfinite(Chi2FromTable(2, 2, MakeTable(2, 2, {2, 10, 10, 20}), fractionSmall)));
    EXPECT_EQ(fractionSmall, 0.25);
}

TEST(TableTestsTest, Chi2FromTableOfLargerShapes)
{
    // 2 x 3: totals 60, 60 and 30, 40, 50; statistic worked by hand as 16/3.
    double fractionSmall = -1;
    EXPECT_TRUE(Near(Chi2FromTable(2, 3, MakeTable(2, 3, {10, 20, 30, 20, 20, 20}), fractionSmall), 16.0 / 3, 1e-12));
    EXPECT_EQ(fractionSmall, 0.0);
    // The transposed table gives the same statistic.
    EXPECT_TRUE(Near(Chi2FromTable(3, 2, MakeTable(3, 2, {10, 20, 20, 20, 30, 20}), fractionSmall), 16.0 / 3, 1e-12));

    // A zero column total divides by zero.
    EXPECT_FALSE(std::isfinite(Chi2FromTable(2, 2, MakeTable(2, 2, {0, 5, 0, 7}), fractionSmall)));
}

TEST(TableTestsTest, FleissIntervalOfAProportion)
{
    double lower = 0;
    double upper = 0;
    FleissCISingProp(0.5, 100, 1.96, lower, upper);
    EXPECT_TRUE(Near(lower, 0.399019, 1e-6));
    EXPECT_TRUE(Near(upper, 0.600981, 1e-6));

    // No events in 10: the corrected formula would put the lower limit at 0.009211, above the
    // estimate; Fleiss's limit there is 0. All events: the mirror image, with upper limit 1.
    FleissCISingProp(0, 10, 1.96, lower, upper);
    EXPECT_EQ(lower, 0.0);
    EXPECT_TRUE(Near(upper, 0.344544, 1e-6));
    FleissCISingProp(1, 10, 1.96, lower, upper);
    EXPECT_TRUE(Near(lower, 1 - 0.344544, 1e-6));
    EXPECT_EQ(upper, 1.0);
    // Just inside 0 and 1 the formula stands.
    FleissCISingProp(0.01, 100, 1.96, lower, upper);
    EXPECT_TRUE(Near(lower, 0.000522, 1e-6));
    EXPECT_TRUE(Near(upper, 0.062413, 1e-6));

    // The 99 % interval is wider than the 95 % one.
    double lower99 = 0;
    double upper99 = 0;
    FleissCISingProp(0.3, 50, 2.58, lower99, upper99);
    FleissCISingProp(0.3, 50, 1.96, lower, upper);
    EXPECT_LT(lower99, lower);
    EXPECT_GT(upper99, upper);
}
