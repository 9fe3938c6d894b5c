// Windows-1252, UTF-8 and UTF-16 conversions, including the five unassigned bytes and
// malformed input.
#include "CodePage.h"

#include <gtest/gtest.h>

TEST(CodePage, EveryByteRoundTripsThroughUtf8)
{
    std::string all;
    for (int byte = 0; byte < 256; ++byte)
        all += static_cast<char>(byte);
    const std::string utf8 = Cp1252ToUtf8(all);
    EXPECT_TRUE(FitsCp1252(utf8));
    EXPECT_EQ(Utf8ToCp1252(utf8), all);
}

TEST(CodePage, MapsTheSpecialRangeAndTheUnassignedBytes)
{
    EXPECT_EQ(Cp1252ToUtf8("\x80\x92\x9F"), "\xE2\x82\xAC\xE2\x80\x99\xC5\xB8"); // euro, quote, Y-diaeresis
    EXPECT_EQ(Cp1252ToUtf8("\x81\x8D\x8F\x90\x9D"), "\xC2\x81\xC2\x8D\xC2\x8F\xC2\x90\xC2\x9D");
    EXPECT_EQ(Cp1252ToUtf8("\xE9"), "\xC3\xA9");
    EXPECT_EQ(UnicodeToCp1252(0x20AC), 0x80);
    EXPECT_EQ(UnicodeToCp1252(0x0080), -1); // a C1 control the code page does not hold
    EXPECT_EQ(UnicodeToCp1252(0x03A9), -1);
}

TEST(CodePage, CharactersOutsideTheCodePageDoNotFit)
{
    EXPECT_TRUE(FitsCp1252(""));
    EXPECT_TRUE(FitsCp1252("caf\xC3\xA9 \xE2\x82\xAC"));
    EXPECT_FALSE(FitsCp1252("\xCE\xA9"));          // Omega
    EXPECT_FALSE(FitsCp1252("a\xF0\x9F\x98\x80")); // an emoji
    EXPECT_FALSE(FitsCp1252("\xC3"));              // truncated sequence
    EXPECT_EQ(Utf8ToCp1252("a\xCE\xA9z"), "a?z");
}

TEST(CodePage, MalformedUtf8DecodesToReplacementCharacters)
{
    const std::string bad[] = {"\x80", "\xC0\xAF", "\xED\xA0\x80", "\xF4\x90\x80\x80", "\xE2\x82"};
    for (const std::string& text : bad) {
        size_t pos = 0;
        EXPECT_EQ(DecodeUtf8(text, pos), U'\xFFFD') << text.size();
        EXPECT_EQ(pos, 1u);
    }
}

TEST(CodePage, Utf16RoundTripsAndPairsSurrogates)
{
    const std::string text = "A\xC3\xA9\xCE\xA9\xF0\x9F\x98\x80";
    const std::u16string units = Utf8ToUtf16(text);
    EXPECT_EQ(units, (std::u16string{u'A', 0x00E9, 0x03A9, 0xD83D, 0xDE00}));
    EXPECT_EQ(Utf16ToUtf8(units), text);
    EXPECT_EQ(Utf16ToUtf8(std::u16string{0xD83D, u'x'}), "\xEF\xBF\xBDx");
    EXPECT_EQ(Utf16ToUtf8(std::u16string{0xDE00}), "\xEF\xBF\xBD");
}
