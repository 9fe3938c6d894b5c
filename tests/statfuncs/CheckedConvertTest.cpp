// Tests of the checked double-to-int32 conversions at the edges of their ranges.
#include "CheckedConvert.h"

#include <gtest/gtest.h>
#include <limits>

TEST(CheckedConvertTest, TruncatesTowardZeroWithinRange)
{
    EXPECT_EQ(TruncToInt32(2.9), 2);
    EXPECT_EQ(TruncToInt32(-2.9), -2);
    EXPECT_EQ(TruncToInt32(2147483647.0), 2147483647);
    EXPECT_EQ(TruncToInt32(2147483647.9), 2147483647);
    EXPECT_EQ(TruncToInt32(-2147483648.0), std::numeric_limits<int32_t>::min());
    EXPECT_EQ(TruncToInt32(-2147483648.5), std::numeric_limits<int32_t>::min());
}

TEST(CheckedConvertTest, RefusesNonFiniteAndOutOfRange)
{
    EXPECT_FALSE(TruncToInt32(2147483648.0));
    EXPECT_FALSE(TruncToInt32(-2147483649.0));
    EXPECT_FALSE(TruncToInt32(1e300));
    EXPECT_FALSE(TruncToInt32(std::numeric_limits<double>::quiet_NaN()));
    EXPECT_FALSE(TruncToInt32(std::numeric_limits<double>::infinity()));
    EXPECT_FALSE(TruncToInt32(-std::numeric_limits<double>::infinity()));
}

TEST(CheckedConvertTest, NonNegativeVariantRefusesNegativeSizes)
{
    EXPECT_EQ(TruncToNonNegInt32(171.3), 171);
    EXPECT_EQ(TruncToNonNegInt32(-0.5), 0); // truncates to zero, which is in range
    EXPECT_EQ(TruncToNonNegInt32(2147483647.0), 2147483647);
    EXPECT_FALSE(TruncToNonNegInt32(-1.0));
    EXPECT_FALSE(TruncToNonNegInt32(2147483648.0));
    EXPECT_FALSE(TruncToNonNegInt32(std::numeric_limits<double>::quiet_NaN()));
}
