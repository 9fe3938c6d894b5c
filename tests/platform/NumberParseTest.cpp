// The number readers: the 32-bit strtoul, the grid-cell rule and the field grammars.
#include "NumberParse.h"

#include <gtest/gtest.h>

TEST(NumberParse, StrToUL32KeepsTheClassic32BitResults)
{
    struct Case
    {
        const char* text;
        uint32_t value;
        bool rangeError;
    };
    const Case cases[] = {
        {"12abc", 12, false},
        {"abc", 0, false},
        {"  \t+42", 42, false},
        {"-5", 4294967291u, false},
        {"-0", 0, false},
        {"4294967295", 4294967295u, false},
        {"4294967296", 4294967295u, true},
        {"99999999999999999999999", 4294967295u, true},
        {"-4294967296", 4294967295u, true},
        {"", 0, false},
        {"- 5", 0, false},
        {"007", 7, false},
    };
    for (const Case& c : cases) {
        bool rangeError = !c.rangeError;
        EXPECT_EQ(StrToUL32(c.text, &rangeError), c.value) << c.text;
        EXPECT_EQ(rangeError, c.rangeError) << c.text;
    }
    EXPECT_EQ(StrToUL32(static_cast<const char*>(nullptr)), 0u);
}

TEST(NumberParse, GridCellsAreEmptyWhenBlankNegativeOrTooLarge)
{
    EXPECT_EQ(ParseGridCell(""), std::nullopt);
    EXPECT_EQ(ParseGridCell("-3"), std::nullopt);
    EXPECT_EQ(ParseGridCell(" -0"), std::nullopt);
    EXPECT_EQ(ParseGridCell("2147483648"), std::nullopt);
    EXPECT_EQ(ParseGridCell("4294967296"), std::nullopt);
    EXPECT_EQ(ParseGridCell("2147483647"), 2147483647);
    EXPECT_EQ(ParseGridCell("12abc"), 12);
    EXPECT_EQ(ParseGridCell("abc"), 0);
    EXPECT_EQ(ParseGridCell("0"), 0);
}

TEST(NumberParse, UnsignedAndSignedFieldGrammars)
{
    uint32_t u = 99;
    EXPECT_TRUE(ParseUnsignedField(" \t+17\t ", u));
    EXPECT_EQ(u, 17u);
    EXPECT_TRUE(ParseUnsignedField("4294967296", u));
    EXPECT_EQ(u, 4294967295u);
    u = 99;
    for (const char* bad : {"", " ", "-1", "+", "1 2", "1.0", "0x10", "1e3", "12abc", "\n1"})
        EXPECT_FALSE(ParseUnsignedField(bad, u)) << bad;
    EXPECT_EQ(u, 99u); // untouched by refused text

    int32_t i = 0;
    EXPECT_TRUE(ParseIntField(" -12 ", i));
    EXPECT_EQ(i, -12);
    EXPECT_TRUE(ParseIntField("-99999999999", i));
    EXPECT_EQ(i, INT32_MIN);
    EXPECT_TRUE(ParseIntField("+2147483648", i));
    EXPECT_EQ(i, INT32_MAX);
    EXPECT_FALSE(ParseIntField("--1", i));
    EXPECT_FALSE(ParseIntField("-", i));
}

TEST(NumberParse, StrictDoubleTakesPlainDecimalNotationOnly)
{
    double x = 0;
    const std::pair<const char*, double> accepted[] = {
        {" 2.5 ", 2.5}, {"1e5", 1e5}, {"-.5", -0.5}, {"3.", 3.0}, {"+1E-2", 0.01}, {"\t7\t", 7.0}, {"1e-400", 0.0},
    };
    for (const auto& [text, value] : accepted) {
        EXPECT_TRUE(ParseStrictDouble(text, x)) << text;
        EXPECT_EQ(x, value) << text;
    }
    x = 42;
    for (const char* refused : {"nan", "NAN", "inf", "-infinity", "0x1p3", "1e999", "-1e999", "", ".", "e5", "1e",
                                "1e+", "1..2", "1,5", "2 5", "1d", "\n1"})
        EXPECT_FALSE(ParseStrictDouble(refused, x)) << refused;
    EXPECT_EQ(x, 42.0);
}
