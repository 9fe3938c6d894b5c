// Tests of Fisher's exact test: the printed p-values against a plain reference enumeration on
// random tables full of equally probable ones, the one-sided p at equal shares, and the largest
// counts with their progress.
#include "FisherExact.h"

#include "CCalcBase.h"
#include "Format.h"
#include "HookGuards.h"
#include "TestSupport.h"
#include "UIServices.h"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <random>
#include <vector>

namespace
{
std::string Printed(double p)
{
    return CCalcBase::Floating(p, 6);
}

/// Reference: every table from lo to hi, its probability from log-factorials summed in long
/// double (exact to far below the printed digits), compared with the same relative tolerance,
/// and its direction from exact integer cross-products.
class CReferenceFisher
{
public:
    explicit CReferenceFisher(int64_t maxN) : m_logFactorial(maxN + 1, 0.0L)
    {
        for (int64_t k = 1; k <= maxN; ++k)
            m_logFactorial[k] = m_logFactorial[k - 1] + std::log(static_cast<long double>(k));
    }

    CFisherResult operator()(int64_t a, int64_t b, int64_t c, int64_t d) const
    {
        const int64_t r1 = a + b, r2 = c + d, c1 = a + c, c2 = b + d, n = r1 + r2;
        const auto& lf = m_logFactorial;
        const auto probability = [&](int64_t x) {
            return std::exp(lf[c1] + lf[c2] + lf[r1] + lf[r2] - lf[n] - lf[x] - lf[r1 - x] - lf[c1 - x] -
                            lf[c2 - r1 + x]);
        };
        // sign(x / r1 - (c1 - x) / r2) without division; -1 when a row is empty (undefined share).
        const auto direction = [&](int64_t x) {
            if (r1 == 0 || r2 == 0)
                return -1;
            const int64_t difference = x * r2 - (c1 - x) * r1;
            return difference > 0 ? 1 : difference == 0 ? 0 : -1;
        };
        const long double observed = probability(a);
        long double oneSided = 0, twoSided = 0, lowerTail = 0, upperTail = 0;
        for (int64_t x = std::max<int64_t>(0, r1 - c2); x <= std::min(r1, c1); ++x) {
            const long double p = probability(x);
            lowerTail += x <= a ? p : 0;
            upperTail += x >= a ? p : 0;
            if (p <= observed * (1 + static_cast<long double>(kFisherTolerance))) {
                twoSided += p;
                if (direction(x) == direction(a))
                    oneSided += p;
            }
        }
        // Equal shares observed: the smaller whole tail, each with the observed table.
        if (direction(a) == 0)
            oneSided = std::min(lowerTail, upperTail);
        return {static_cast<double>(observed), static_cast<double>(oneSided), static_cast<double>(twoSided)};
    }

private:
    std::vector<long double> m_logFactorial;
};

/// True when p lies so close to a rounding boundary of the sixth decimal that two correct
/// computations may print it differently.
bool NearRoundingBoundary(double p)
{
    const double scaled = p * 1e6;
    return std::fabs(scaled - std::floor(scaled) - 0.5) < 1e-5;
}

struct CTable
{
    int64_t a, b, c, d;
};

/// Random tables with n up to 2,000: plain ones, symmetric ones (a = d, b = c, or all equal),
/// ones with equal row shares (ad = bc, so the observed direction is 0), and ones with equal row
/// or column totals, whose distributions are symmetric and full of equally probable tables.
std::vector<CTable> RandomTables(int count)
{
    std::mt19937 engine(20240611);
    const auto upTo = [&engine](int64_t k) { return static_cast<int64_t>(engine() % static_cast<uint32_t>(k + 1)); };
    std::vector<CTable> tables;
    for (int i = 0; i < count; ++i) {
        const int64_t n = upTo(i % 5 == 0 ? 40 : 2000);
        switch (i % 4) {
        case 0: {
            int64_t cuts[3] = {upTo(n), upTo(n), upTo(n)};
            std::sort(cuts, cuts + 3);
            tables.push_back({cuts[0], cuts[1] - cuts[0], cuts[2] - cuts[1], n - cuts[2]});
            break;
        }
        case 1: {
            const int64_t a = upTo(n / 2), b = n / 2 - a;
            tables.push_back(i % 8 == 1 ? CTable{a, b, b, a} : CTable{n / 4, n / 4, n / 4, n / 4});
            break;
        }
        case 2: {
            const int64_t s = 1 + upTo(40), t = upTo(40), m = n / (2 * (s + t)), u = upTo(m), v = upTo(m);
            tables.push_back({s * u, s * v, t * u, t * v});
            break;
        }
        default: {
            const int64_t half = n / 2, a = upTo(half), c = upTo(half);
            tables.push_back(i % 8 == 3 ? CTable{a, half - a, c, half - c} : CTable{a, c, half - a, half - c});
            break;
        }
        }
    }
    return tables;
}
} // namespace

TEST(FisherExact, PrintedPValuesEqualTheReferenceEnumeration)
{
    const CReferenceFisher reference(2000);
    int nearBoundary = 0;
    for (const CTable& t : RandomTables(4000)) {
        const CFisherResult fast = FisherExact(t.a, t.b, t.c, t.d);
        const CFisherResult exact = reference(t.a, t.b, t.c, t.d);
        ASSERT_GE(exact.oneSided, exact.observed * (1 - 1e-12));
        for (const auto& [mine, theirs] :
             {std::pair{fast.oneSided, exact.oneSided}, std::pair{fast.twoSided, exact.twoSided}}) {
            if (NearRoundingBoundary(theirs)) {
                ++nearBoundary;
                EXPECT_TRUE(Near(mine, theirs, 1e-10)) << t.a << " " << t.b << " " << t.c << " " << t.d;
            } else {
                EXPECT_EQ(Printed(mine), Printed(theirs)) << t.a << " " << t.b << " " << t.c << " " << t.d;
            }
        }
    }
    // The exact comparisons are the rule, not the exception.
    EXPECT_LT(nearBoundary, 20);
}

TEST(FisherExact, LargestCountsAnswerWithAFewDozenProgressSteps)
{
    CHeadlessUIServices services;
    const CUIServicesGuard servicesGuard(services);
    const CFisherResult r = FisherExact(1000000, 1000000, 1000000, 1000000, true);
    // The observed table's probability underflows (about 1e-602,000): nothing is as improbable.
    const CFisherResult extreme = FisherExact(1000000, 0, 0, 1000000);
    EXPECT_EQ(Printed(r.twoSided), "      1.000000");
    EXPECT_GT(services.m_progressUpdates, 0);
    EXPECT_LE(services.m_progressUpdates, 40);
    EXPECT_FALSE(services.m_progressShown);
    EXPECT_EQ(extreme.twoSided, 0.0);
    EXPECT_EQ(extreme.oneSided, 0.0);
}

TEST(FisherExact, EqualSharesTakeTheSmallerWholeTail)
{
    // 5/5/5/5: P(X = 5) = C(10,5)^2 / C(20,10) = 0.343718, and by symmetry each tail with it is
    // (1 + 0.343718) / 2; only the observed table used to count, which looked significant at
    // large counts (2500 per cell: 0.015956).
    EXPECT_EQ(Printed(FisherExact(5, 5, 5, 5).oneSided), "      0.671859");
    EXPECT_EQ(Printed(FisherExact(2500, 2500, 2500, 2500).oneSided), "      0.507978");
    // Unequal margins, 2/4/3/6 (shares 1/3 and 1/3): the tails differ, P(X <= 2) = 0.713287 and
    // P(X >= 2) = 0.706294, from C(6,x) C(9,5-x) / C(15,5) enumerated in exact fractions.
    EXPECT_EQ(Printed(FisherExact(2, 4, 3, 6).oneSided), "      0.706294");
    EXPECT_EQ(Printed(FisherExact(2, 4, 3, 6).twoSided), "      1.000000");
}
