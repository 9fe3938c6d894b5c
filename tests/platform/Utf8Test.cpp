// The strict UTF-8 decoder: the limits of each sequence length, every kind of invalid sequence,
// and the readers that count or convert characters through it agreeing on each invalid byte.
#include "Utf8.h"

#include "CodePage.h"
#include "Format.h"

#include <cstdint>
#include <gtest/gtest.h>
#include <string>
#include <vector>

namespace
{
/// The characters of a text as NextUtf8 gives them (0xFFFFFFFF for an invalid byte).
std::vector<char32_t> Decoded(std::string_view text)
{
    std::vector<char32_t> characters;
    for (size_t pos = 0; pos < text.size();)
        characters.push_back(NextUtf8(text, pos).value_or(0xFFFFFFFF));
    return characters;
}
} // namespace

TEST(Utf8, DecodesTheFirstAndLastCharacterOfEachLength)
{
    const struct
    {
        std::string text;
        char32_t character;
    } cases[] = {
        {std::string(1, '\0'), 0x00},
        {"\x7F", 0x7F},
        {"\xC2\x80", 0x80},
        {"\xDF\xBF", 0x7FF},
        {"\xE0\xA0\x80", 0x800},
        {"\xED\x9F\xBF", 0xD7FF},
        {"\xEE\x80\x80", 0xE000},
        {"\xEF\xBF\xBD", 0xFFFD},
        {"\xEF\xBF\xBF", 0xFFFF},
        {"\xF0\x90\x80\x80", 0x10000},
        {"\xF4\x8F\xBF\xBF", 0x10FFFF},
    };
    for (const auto& c : cases) {
        size_t pos = 0;
        EXPECT_EQ(NextUtf8(c.text, pos), std::optional<char32_t>(c.character))
            << std::hex << static_cast<uint32_t>(c.character);
        EXPECT_EQ(pos, c.text.size()) << std::hex << static_cast<uint32_t>(c.character);
        EXPECT_TRUE(IsValidUtf8(c.text)) << std::hex << static_cast<uint32_t>(c.character);
    }
    EXPECT_TRUE(IsValidUtf8(""));
}

TEST(Utf8, RefusesEveryInvalidFormOneByteAtATime)
{
    const std::string invalid[] = {
        // Stray continuation bytes.
        "\x80",
        "\xBF",
        // Overlong forms.
        "\xC0\x80",
        "\xC1\xBF",
        "\xE0\x9F\xBF",
        "\xF0\x8F\xBF\xBF",
        // Surrogates.
        "\xED\xA0\x80",
        "\xED\xBF\xBF",
        // Above U+10FFFF, and bytes never used.
        "\xF4\x90\x80\x80",
        "\xF5\x80\x80\x80",
        "\xFF",
        // Cut short at the end, or by another character.
        "\xC3",
        "\xE2\x82",
        "\xF0\x9F\x98",
        "\xC3"
        "A",
        "\xE2\x82!",
    };
    for (const std::string& text : invalid) {
        size_t pos = 0;
        EXPECT_EQ(NextUtf8(text, pos), std::nullopt) << testing::PrintToString(text);
        EXPECT_EQ(pos, 1u) << testing::PrintToString(text);
        pos = 0;
        EXPECT_EQ(DecodeUtf8(text, pos), kUtf8Replacement);
        EXPECT_FALSE(IsValidUtf8("ok " + text)) << testing::PrintToString(text);
    }
    // After an invalid byte the next character is read as it is.
    EXPECT_EQ(Decoded("\xE2\x82"
                      "A\xC3\xA9"),
              (std::vector<char32_t>{0xFFFFFFFF, 0xFFFFFFFF, U'A', 0xE9}));
}

TEST(Utf8, CountingAndConvertingAgreeOnInvalidBytes)
{
    // An overlong form, a surrogate, a byte never used and a cut sequence: ten bytes, each a
    // character of its own wherever the text is counted, converted or written.
    const std::string text = "\xE0\x80\x80\xED\xA0\x80\xF5\x80"
                             "a\xE2";
    EXPECT_EQ(Utf8Length(text), 10u);
    EXPECT_EQ(Utf8ToUtf16(text).size(), 10u);
    EXPECT_EQ(Utf8ToUtf16(text), std::u16string(8, 0xFFFD) + u"a" + std::u16string(1, 0xFFFD));
    EXPECT_EQ(Utf8ToCp1252(text), "????????a?");
    EXPECT_EQ(PadToWidth("\xE0\x80\x80", 4, true), "\xE0\x80\x80 ");
    EXPECT_EQ(Utf8Length("\xC3\xA9t\xC3\xA9\xF0\x9F\x98\x80"), 4u);
}
