// Formatting into strings (floating point the same on every C runtime) and character-based
// padding.
#include "Format.h"

#include <clocale>
#include <cmath>
#include <cstdio>
#include <gtest/gtest.h>
#include <limits>
#include <random>
#include <string>

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

TEST(Format, RoundsFloatingPointExactlyWithTiesToEven)
{
    // Exact binary ties (values users type, such as 0.125) go to the even digit whatever the
    // C runtime does; values that only look like ties are rounded by their binary value.
    EXPECT_EQ(Format("%.2f", 0.125), "0.12");
    EXPECT_EQ(Format("%.2f", 0.375), "0.38");
    EXPECT_EQ(Format("%.2f", 1.125), "1.12");
    EXPECT_EQ(Format("%.0f %.0f %.0f", 0.5, 1.5, 2.5), "0 2 2");
    EXPECT_EQ(Format("%.5f", -1493.203125), "-1493.20312");
    EXPECT_EQ(Format("%.2f %.3f", 1.005, 1.0005), "1.00 1.000");
    EXPECT_EQ(Format("%.2e", 1.125), "1.12e+00");
    EXPECT_EQ(Format("%.3g", 1.125), "1.12");
    // Exact far beyond 17 digits, as every correct runtime prints them.
    EXPECT_EQ(Format("%.20f", 0.1), "0.10000000000000000555");
    EXPECT_EQ(Format("%.0f", 1e23), "99999999999999991611392");
    EXPECT_EQ(Format("%.3f", 5e-324), "0.000");
}

TEST(Format, FloatingPointFlagsWidthsAndStyles)
{
    EXPECT_EQ(Format("%+.1f|% .1f|%08.2f|%-8.2f|", 2.0, 2.0, -3.14159, 3.14159), "+2.0| 2.0|-0003.14|3.14    |");
    EXPECT_EQ(Format("%*.*f|%-*.0f|%#.0f", 7, 2, 3.14159, 4, 2.0, 3.0), "   3.14|2   |3.");
    EXPECT_EQ(Format("%.2f %.1f", -0.001, -0.0), "-0.00 -0.0");
    EXPECT_EQ(Format("%e|%.3E|%12.4e", 12345.678, 12345.678, -0.000123456), "1.234568e+04|1.235E+04| -1.2346e-04");
    EXPECT_EQ(Format("%g %g %g %g %g", 0.0001, 0.00001, 100000.0, 1e6, 0.0), "0.0001 1e-05 100000 1e+06 0");
    EXPECT_EQ(Format("%.15g|%12.10g|%#g|%G", 12.5, 2.0 / 3, 1.0, 1e-10), "12.5|0.6666666667|1.00000|1E-10");
    EXPECT_EQ(Format("%.3g %.1g %.0g", 9.9996, 0.95, 25.0), "10 0.9 2e+01");
    const double inf = std::numeric_limits<double>::infinity();
    EXPECT_EQ(Format("%f|%5.1f|%05.1f|%F|%-5f|", inf, -inf, inf, -inf, inf), "inf| -inf|  inf|-INF|inf  |");
    EXPECT_EQ(Format("%.2f", std::numeric_limits<double>::quiet_NaN()), "nan");
}

TEST(Format, OtherConversionsKeepTheirArgumentsInStep)
{
    // A long holds 32 bits on Windows, 64 elsewhere; a long long 64 everywhere.
    EXPECT_EQ(Format("%s=%d %5.2f%% %c %u %ld %zu %x %lld %-3s|", "a", -3, 1.005, 'z', 7u, -2147483647L, size_t{9}, 255,
                     1LL << 40, "b"),
              "a=-3  1.00% z 7 -2147483647 9 ff 1099511627776 b  |");
    EXPECT_EQ(Format("%%|%5s|%.1s|%03d", "ab", "xyz", 7), "%|   ab|x|007");
}

#ifdef __GLIBC__
TEST(Format, FloatingPointMatchesGlibc)
{
    // glibc's printf rounds the exact value with ties to even too: on random values, widths,
    // precisions, flags and styles both must agree character for character.
    std::mt19937_64 engine(2024);
    std::uniform_real_distribution<double> unit(0.0, 1.0);
    const char* flags[] = {"", "-", "+", " ", "0", "#", "+0", "-#"};
    const char styles[] = "feEgG";
    size_t wrong = 0;
    for (int i = 0; i < 200000; ++i) {
        double value = std::pow(10.0, 24 * unit(engine) - 12) * (engine() & 1 ? -1 : 1);
        if (i % 3 == 0)
            value = std::ldexp(std::round(std::ldexp(value, 6)), -6); // a binary fraction: ties
        const std::string directive = std::string("%") + flags[engine() % 8] + std::to_string(engine() % 14) + "." +
                                      std::to_string(engine() % 18) + styles[engine() % 5];
        char expected[512];
        std::snprintf(expected, sizeof expected, directive.c_str(), value);
        if (Format(directive.c_str(), value) != expected && ++wrong <= 5)
            ADD_FAILURE() << directive << " of " << value << ": " << Format(directive.c_str(), value) << " vs "
                          << expected;
    }
    EXPECT_EQ(wrong, 0u);
}
#endif

TEST(Format, FloatingPointUsesTheLocalesDecimalMark)
{
    const char* found = nullptr;
    for (const char* name : {"de_DE.UTF-8", "fr_FR.UTF-8", "es_ES.UTF-8", "it_IT.UTF-8", "pt_PT.UTF-8"})
        if ((found = std::setlocale(LC_NUMERIC, name)) != nullptr)
            break;
    if (!found)
        GTEST_SKIP() << "no locale with a decimal comma is installed";
    const std::string text = Format("%.2f [%.3g; %e] %d", 0.125, 1.5, 2.0, 1000);
    std::setlocale(LC_NUMERIC, "C");
    EXPECT_EQ(text, "0,12 [1,5; 2,000000e+00] 1000");
}
