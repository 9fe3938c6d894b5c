// Tests of Fisher's exact test: the printed p-values against a plain reference enumeration on
// random tables full of equally probable ones, the one-sided p at equal shares, the largest
// counts with their progress, and every bit of the results and of the progress against the
// straightforward walk the fast one must reproduce.
#include "FisherExact.h"

#include "CCalcBase.h"
#include "CPleaseWaitDlg.h"
#include "Format.h"
#include "HookGuards.h"
#include "TestSupport.h"
#include "UIServices.h"

#include <algorithm>
#include <array>
#include <bit>
#include <cfloat>
#include <climits>
#include <cmath>
#include <cstdint>
#include <optional>
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

namespace
{
/// The straightforward walk: every weight stored in one list in ascending order of the first
/// cell, then one pass adding them up with two divisions per table for its direction. The fast
/// test must give the same bits, and move the progress bar to the same places.
CFisherResult StraightWalk(uint32_t a, uint32_t b, uint32_t c, uint32_t d, bool showProgress)
{
    const auto direction = [](double x, double r1, double c1, double r2) {
        const double difference = x / r1 - (c1 - x) / r2;
        return difference > 0 ? 1 : difference == 0 ? 0 : -1;
    };
    const double r1 = static_cast<double>(a) + b;
    const double r2 = static_cast<double>(c) + d;
    const double c1 = static_cast<double>(a) + c;
    const double c2 = static_cast<double>(b) + d;
    const double hi = std::min(r1, c1);
    const double lo = r1 > c2 ? r1 - c2 : 0;
    std::optional<CPleaseWaitDlg> progress;
    if (showProgress)
        progress.emplace(static_cast<int>(std::min<double>(hi, INT_MAX)));

    const double mode = std::clamp(std::floor((r1 + 1) * (c1 + 1) / (r1 + r2 + 2)), lo, hi);
    std::vector<double> below;
    double w = 1;
    for (double x = mode; x > lo; --x) {
        w *= (x * (r2 - c1 + x)) / ((r1 - x + 1) * (c1 - x + 1));
        if (w < DBL_MIN)
            break;
        below.push_back(w);
    }
    const int64_t first = static_cast<int64_t>(mode) - static_cast<int64_t>(below.size());
    std::vector<double> values(below.rbegin(), below.rend());
    values.push_back(1);
    w = 1;
    for (double x = mode; x < hi; ++x) {
        w *= ((r1 - x) * (c1 - x)) / ((x + 1) * (r2 - c1 + x + 1));
        if (w < DBL_MIN)
            break;
        values.push_back(w);
    }

    const auto count = static_cast<int64_t>(values.size());
    const int64_t observedIndex = static_cast<int64_t>(a) - first;
    const double observed = observedIndex >= 0 && observedIndex < count ? values[observedIndex] : 0;
    const double threshold = observed * (1 + kFisherTolerance);
    const int observedDirection = direction(a, r1, c1, r2);
    const int64_t progressStep = std::max<int64_t>(1, count / 32);
    double total = 0, oneSided = 0, twoSided = 0, lowerTail = 0, upperTail = 0;
    for (int64_t i = 0; i < count; ++i) {
        const double x = static_cast<double>(first + i);
        total += values[i];
        if (x <= a)
            lowerTail += values[i];
        if (x >= a)
            upperTail += values[i];
        if (values[i] <= threshold) {
            twoSided += values[i];
            if (direction(x, r1, c1, r2) == observedDirection)
                oneSided += values[i];
        }
        if (progress && (i + 1) % progressStep == 0)
            progress->SetPos(static_cast<int>(std::min<double>(x, INT_MAX)));
    }
    return {observed / total, observedDirection == 0 ? std::min(lowerTail, upperTail) / total : oneSided / total,
            twoSided / total};
}

/// Headless services that also keep every position the progress bar moved to.
class CProgressRecorder : public CHeadlessUIServices
{
public:
    void ProgressSetPos(int position) override
    {
        m_positions.push_back(position);
        CHeadlessUIServices::ProgressSetPos(position);
    }
    std::vector<int> m_positions;
};

::testing::AssertionResult SameBits(const CFisherResult& mine, const CFisherResult& straight)
{
    const auto bits = [](double v) { return std::bit_cast<uint64_t>(v); };
    if (bits(mine.observed) == bits(straight.observed) && bits(mine.oneSided) == bits(straight.oneSided) &&
        bits(mine.twoSided) == bits(straight.twoSided))
        return ::testing::AssertionSuccess();
    return ::testing::AssertionFailure() << std::hexfloat << "observed " << mine.observed << " vs " << straight.observed
                                         << ", one-sided " << mine.oneSided << " vs " << straight.oneSided
                                         << ", two-sided " << mine.twoSided << " vs " << straight.twoSided;
}

#define EXPECT_SAME_AS_STRAIGHT_WALK(a, b, c, d)                                                                       \
    EXPECT_TRUE(SameBits(FisherExact(a, b, c, d), StraightWalk(a, b, c, d, false)))                                    \
        << (a) << " " << (b) << " " << (c) << " " << (d)
} // namespace

TEST(FisherExactWalk, EverySmallTableGivesTheStraightWalksBits)
{
    // Every table of up to 14 with its zeros, empty rows and columns, ties and extremes.
    for (uint32_t n = 0; n <= 14; ++n)
        for (uint32_t a = 0; a <= n; ++a)
            for (uint32_t b = 0; a + b <= n; ++b)
                for (uint32_t c = 0; a + b + c <= n; ++c)
                    EXPECT_SAME_AS_STRAIGHT_WALK(a, b, c, n - a - b - c);
}

TEST(FisherExactWalk, RandomTablesWithTiesGiveTheStraightWalksBits)
{
    // Plain, symmetric, equal-share and equal-margin tables: equally probable tables sit on the
    // tolerance boundary, and equal shares take the whole-tail one-sided p.
    for (const CTable& t : RandomTables(3000))
        EXPECT_SAME_AS_STRAIGHT_WALK(static_cast<uint32_t>(t.a), static_cast<uint32_t>(t.b), static_cast<uint32_t>(t.c),
                                     static_cast<uint32_t>(t.d));
    // Tables whose most probable one is at an end of the range, so that only one direction is
    // walked, and tables whose walk ends at the range's end in one direction and by underflow
    // in the other.
    for (uint32_t k : {1u, 3u, 50u, 1000u, 20000u}) {
        EXPECT_SAME_AS_STRAIGHT_WALK(k, 0, 0, k);
        EXPECT_SAME_AS_STRAIGHT_WALK(0, k, k, 0);
        EXPECT_SAME_AS_STRAIGHT_WALK(k, 1, 1, k);
        EXPECT_SAME_AS_STRAIGHT_WALK(k, 0, 5, 3 * k);
        EXPECT_SAME_AS_STRAIGHT_WALK(2, k, 3 * k, 7);
        EXPECT_SAME_AS_STRAIGHT_WALK(k, k + 1, k + 1, k);
    }
}

TEST(FisherExactWalk, HugeCountsGiveTheStraightWalksBits)
{
    // The dialogs' largest counts, with the observed table at the mode, near it, in a tail, and
    // beyond the walk; then counts far beyond the dialogs, where the ratios' products are no
    // longer exact integers.
    const uint32_t m = 1000000;
    EXPECT_SAME_AS_STRAIGHT_WALK(m, m, m, m);
    EXPECT_SAME_AS_STRAIGHT_WALK(m - 1, m, m, m);
    EXPECT_SAME_AS_STRAIGHT_WALK(m, m - 1000, m - 1000, m);
    EXPECT_SAME_AS_STRAIGHT_WALK(m, m - 2600, m, m);
    EXPECT_SAME_AS_STRAIGHT_WALK(m, 0, 0, m);
    EXPECT_SAME_AS_STRAIGHT_WALK(m, m, 0, m);
    EXPECT_SAME_AS_STRAIGHT_WALK(1, m, m, 1);
    EXPECT_SAME_AS_STRAIGHT_WALK(500000, m, 250000, 500000);
    std::mt19937 engine(7);
    for (int i = 0; i < 40; ++i) {
        const auto cell = [&engine] { return static_cast<uint32_t>(engine() % 1000001); };
        const uint32_t a = cell(), b = cell(), c = cell(), d = cell();
        EXPECT_SAME_AS_STRAIGHT_WALK(a, b, c, d);
    }
    EXPECT_SAME_AS_STRAIGHT_WALK(4000000000u, 3999999999u, 4000000000u, 4000000000u);
    EXPECT_SAME_AS_STRAIGHT_WALK(UINT32_MAX, 7, 11, UINT32_MAX);
}

TEST(FisherExactWalk, ProgressMovesAsTheStraightWalks)
{
    for (const auto& [a, b, c, d] : {std::array<uint32_t, 4>{1000000, 1000000, 1000000, 1000000},
                                     {40, 7, 3, 55},
                                     {0, 0, 0, 0},
                                     {300000, 1000000, 20, 999999}}) {
        CProgressRecorder straight, fast;
        SetUIServices(&straight);
        const CFisherResult expected = StraightWalk(a, b, c, d, true);
        SetUIServices(&fast);
        const CFisherResult actual = FisherExact(a, b, c, d, true);
        SetUIServices(nullptr);
        EXPECT_TRUE(SameBits(actual, expected)) << a << " " << b << " " << c << " " << d;
        EXPECT_EQ(fast.m_positions, straight.m_positions) << a << " " << b << " " << c << " " << d;
        EXPECT_FALSE(fast.m_progressShown);
    }
}

TEST(FisherExactWalk, ATestStartedDuringAnotherKeepsBothResults)
{
    // The progress display may run another test on the same thread (from its event loop) while
    // one is adding up its tables: each must keep its own weights.
    class CNestedTest : public CHeadlessUIServices
    {
    public:
        void ProgressSetPos(int position) override
        {
            CHeadlessUIServices::ProgressSetPos(position);
            if (m_inner.empty())
                m_inner.push_back(FisherExact(30000, 31000, 29000, 30500));
        }
        std::vector<CFisherResult> m_inner;
    } services;
    SetUIServices(&services);
    const CFisherResult outer = FisherExact(1000000, 990000, 1000000, 1000000, true);
    SetUIServices(nullptr);
    ASSERT_EQ(services.m_inner.size(), 1u);
    EXPECT_TRUE(SameBits(outer, StraightWalk(1000000, 990000, 1000000, 1000000, false)));
    EXPECT_TRUE(SameBits(services.m_inner[0], StraightWalk(30000, 31000, 29000, 30500, false)));
}
