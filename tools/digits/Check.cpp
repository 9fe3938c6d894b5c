// Counts the probe's results that are not correctly rounded (MPFR), its %.Nf texts that are not
// the exact decimal rounding with ties to even (std::to_chars), and with a second probe's
// files the results and texts where the two differ.
// Usage: check COUNT RESULTS.bin TEXTS.txt [OTHER.bin OTHER.txt]
#include "ProbeArguments.h"

#include <charconv>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <mpfr.h>
#include <string>

namespace
{
double CorrectlyRounded(int function, double x, double y)
{
    mpfr_t mx;
    mpfr_t my;
    mpfr_t mv;
    mpfr_inits2(53, mx, my, mv, static_cast<mpfr_ptr>(nullptr));
    mpfr_set_d(mx, x, MPFR_RNDN);
    mpfr_set_d(my, y, MPFR_RNDN);
    int inexact = 0;
    switch (function) {
    case kExp:
        inexact = mpfr_exp(mv, mx, MPFR_RNDN);
        break;
    case kLog:
        inexact = mpfr_log(mv, mx, MPFR_RNDN);
        break;
    case kAtan:
        inexact = mpfr_atan(mv, mx, MPFR_RNDN);
        break;
    case kSin:
        inexact = mpfr_sin(mv, mx, MPFR_RNDN);
        break;
    case kCos:
        inexact = mpfr_cos(mv, mx, MPFR_RNDN);
        break;
    case kTan:
        inexact = mpfr_tan(mv, mx, MPFR_RNDN);
        break;
    default:
        inexact = mpfr_pow(mv, mx, my, MPFR_RNDN);
        break;
    }
    mpfr_subnormalize(mv, inexact, MPFR_RNDN);
    const double v = mpfr_get_d(mv, MPFR_RNDN);
    mpfr_clears(mx, my, mv, static_cast<mpfr_ptr>(nullptr));
    return v;
}

bool Same(double a, double b)
{
    return std::memcmp(&a, &b, sizeof a) == 0 || (std::isnan(a) && std::isnan(b));
}
} // namespace

int main(int argc, char** argv)
{
    if (argc != 4 && argc != 6)
        return 1;
    mpfr_set_emin(-1073);
    mpfr_set_emax(1024);
    const uint64_t count = std::strtoull(argv[1], nullptr, 10);
    std::ifstream results(argv[2], std::ios::binary);
    std::ifstream texts(argv[3], std::ios::binary);
    std::ifstream otherResults(argc == 6 ? argv[4] : "", std::ios::binary);
    std::ifstream otherTexts(argc == 6 ? argv[5] : "", std::ios::binary);
    for (int function = 0; function < kProbeFunctions; ++function) {
        uint64_t wrong = 0;
        uint64_t wrongSquare = 0;
        uint64_t differ = 0;
        uint64_t evaluated = 0;
        for (uint64_t i = 0; i < count; ++i) {
            double x = 0;
            double y = 0;
            ProbeArgument(function, i, x, y);
            double v = 0;
            double other = 0;
            results.read(reinterpret_cast<char*>(&v), sizeof v);
            if (argc == 6) {
                otherResults.read(reinterpret_cast<char*>(&other), sizeof other);
                differ += !Same(v, other);
            }
            if (function == kPow && std::isnan(v) && y != 2.0)
                continue; // a probe that only squares
            ++evaluated;
            const bool correct = Same(v, CorrectlyRounded(function, x, y));
            wrong += !correct;
            wrongSquare += !correct && y == 2.0;
        }
        std::printf("%-5s %7llu of %llu not correctly rounded", kProbeNames[function],
                    static_cast<unsigned long long>(wrong), static_cast<unsigned long long>(evaluated));
        if (function == kPow)
            std::printf(" (%llu with y = 2)", static_cast<unsigned long long>(wrongSquare));
        if (argc == 6)
            std::printf(", %llu differ from the other probe", static_cast<unsigned long long>(differ));
        std::printf("\n");
    }
    uint64_t wrong = 0;
    uint64_t ties = 0;
    uint64_t differ = 0;
    for (uint64_t i = 0; i < count / 4; ++i) {
        int decimals = 0;
        const double value = ProbePrinted(i, decimals);
        char exact[512];
        *std::to_chars(exact, exact + sizeof exact - 1, value, std::chars_format::fixed, decimals).ptr = '\0';
        char longer[600];
        *std::to_chars(longer, longer + sizeof longer - 1, value, std::chars_format::fixed, decimals + 40).ptr = '\0';
        const std::string tail = std::string(longer).substr(std::strlen(longer) - 40);
        ties += tail[0] == '5' && tail.find_first_not_of('0', 1) == std::string::npos;
        std::string line;
        std::getline(texts, line);
        wrong += line != exact;
        if (argc == 6) {
            std::string otherLine;
            std::getline(otherTexts, otherLine);
            differ += line != otherLine;
        }
    }
    std::printf("%%.Nf  %7llu of %llu texts not the exact rounding (%llu ties among the values)",
                static_cast<unsigned long long>(wrong), static_cast<unsigned long long>(count / 4),
                static_cast<unsigned long long>(ties));
    if (argc == 6)
        std::printf(", %llu differ from the other probe", static_cast<unsigned long long>(differ));
    std::printf("\n");
    return 0;
}
