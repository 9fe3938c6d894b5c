// Control characters spelled out: every kind that a terminal or a report line would act on.
#include "ControlText.h"

#include <gtest/gtest.h>
#include <string>

TEST(ControlText, SpellsOutEveryControlCharacterButTheKeptOnes)
{
    using namespace std::string_literals;
    EXPECT_EQ(EscapeControlCharacters("a\x1B[2Jb\nc\rd\x07"), "a\\x1B[2Jb\\x0Ac\\x0Dd\\x07");
    EXPECT_EQ(EscapeControlCharacters("nul\0here\x7F"s), "nul\\x00here\\x7F");
    EXPECT_EQ(EscapeControlCharacters("tab\tkept"), "tab\tkept");
    EXPECT_EQ(EscapeControlCharacters("line\r\nend\x1B", "\t\r\n"), "line\r\nend\\x1B");
    // C1 controls in UTF-8 (CSI is U+009B); other letters beyond ASCII stay.
    EXPECT_EQ(EscapeControlCharacters("\xC2\x9B"
                                      "31m caf\xC3\xA9 \xC2\xA0"),
              "\\u009B31m caf\xC3\xA9 \xC2\xA0");
    EXPECT_EQ(EscapeControlCharacters("cut\xC2"), "cut\xC2");
    EXPECT_EQ(EscapeControlCharacters("back\\slash"), "back\\slash");

    EXPECT_TRUE(HasControlCharacters("a\x07"));
    EXPECT_TRUE(HasControlCharacters("\xC2\x85"));
    EXPECT_FALSE(HasControlCharacters("plain\ttext caf\xC3\xA9"));
    EXPECT_TRUE(HasControlCharacters("plain\ttext", ""));
}
