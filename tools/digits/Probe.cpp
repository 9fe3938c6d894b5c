// Writes the results of exp, log, atan, sin, cos, tan and pow on the seeded arguments (their
// bits) and the %.Nf texts of the seeded values, from the C runtime or, built with
// PROBE_ZNTVMATH, from ZNTVMath and Format. Usage: probe COUNT RESULTS.bin TEXTS.txt
#include "ProbeArguments.h"

#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <string>
#ifdef PROBE_ZNTVMATH
#include "ElementaryFunctions.h"
#include "Format.h"
#endif

namespace
{
double Evaluate(int function, double x, double y)
{
#ifdef PROBE_ZNTVMATH
    double (*const fs[])(double) = {zmath::Exp, zmath::Log, zmath::Atan, zmath::Sin, zmath::Cos, zmath::Tan};
    if (function == kPow) // only squares: ZNTVMath has no pow
        return y == 2.0 ? zmath::Square(x) : std::nan("");
    return fs[function](x);
#else
    volatile double vx = x; // no folding of pow(x, 2) into x * x
    volatile double vy = y;
    switch (function) {
    case kExp:
        return std::exp(vx);
    case kLog:
        return std::log(vx);
    case kAtan:
        return std::atan(vx);
    case kSin:
        return std::sin(vx);
    case kCos:
        return std::cos(vx);
    case kTan:
        return std::tan(vx);
    default:
        return std::pow(vx, vy);
    }
#endif
}

std::string Printed(double value, int decimals)
{
#ifdef PROBE_ZNTVMATH
    return Format("%.*f", decimals, value);
#else
    char text[512];
#ifdef PROBE_MSVCRT
    _snprintf(text, sizeof text, "%.*f", decimals, value); // the runtime's own, not MinGW's
#else
    std::snprintf(text, sizeof text, "%.*f", decimals, value);
#endif
    return text;
#endif
}
} // namespace

int main(int argc, char** argv)
{
    if (argc != 4)
        return 1;
    const uint64_t count = std::strtoull(argv[1], nullptr, 10);
    FILE* results = std::fopen(argv[2], "wb");
    FILE* texts = std::fopen(argv[3], "wb");
    if (!results || !texts)
        return 1;
    for (int function = 0; function < kProbeFunctions; ++function)
        for (uint64_t i = 0; i < count; ++i) {
            double x = 0;
            double y = 0;
            ProbeArgument(function, i, x, y);
            const double v = Evaluate(function, x, y);
            std::fwrite(&v, sizeof v, 1, results);
        }
    for (uint64_t i = 0; i < count / 4; ++i) {
        int decimals = 0;
        const double value = ProbePrinted(i, decimals);
        std::fprintf(texts, "%s\n", Printed(value, decimals).c_str());
    }
    return std::fclose(results) == 0 && std::fclose(texts) == 0 ? 0 : 1;
}
