// Formatting into strings and character-based padding.
#include "Format.h"

#include <gtest/gtest.h>

TEST(Format, SizesTheResultByThePrintedLength)
{
    EXPECT_EQ(Format("%7d", 5), "      5");
    EXPECT_EQ(Format("%.2f", 1e308).size(), 312u);
    EXPECT_EQ(Format("%s", ""), "");
}

TEST(Format, PadsByCharactersNotBytes)
{
    EXPECT_EQ(Utf8Length("\xC3\xA9t\xC3\xA9"), 3u);
    EXPECT_EQ(PadToWidth("\xC3\xA9", 3, true), "\xC3\xA9  ");
    EXPECT_EQ(PadToWidth("ab", 4, false), "  ab");
    EXPECT_EQ(PadToWidth("abcdef", 4, true), "abcdef");
}
