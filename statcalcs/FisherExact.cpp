// Fisher's exact test of a 2x2 table, from the hypergeometric probabilities of the tables with
// the observed margins, walked outwards from the most probable table.
//
// At a million per cell the walk covers some 37,000 tables, so it is written for speed: both
// directions are walked together, two quotients to a vector division, into storage kept from
// one test to the next, and the direction of each table comes from the two places where it
// changes instead of two divisions per table. The terms and the order in which they are added
// are those of the plain walk, so every p-value is the same to the last bit.
#include "FisherExact.h"

#include "CPleaseWaitDlg.h"

#include <algorithm>
#include <array>
#include <cfloat>
#include <climits>
#include <cmath>
#include <optional>
#include <utility>
#include <vector>

namespace
{
/// How many times at most the progress bar moves during one test.
constexpr int64_t kProgressSteps = 32;

/// sign(x / r1 - (c1 - x) / r2): the direction in which the first row's share of the outcome
/// differs from the second row's. An undefined difference (a zero row total) counts as -1.
/// Two different shares with denominators below 2^26 never round to the same double, so the
/// sign is exact for every table the dialogs accept.
int Direction(double x, double r1, double c1, double r2)
{
    const double difference = x / r1 - (c1 - x) / r2;
    if (difference > 0)
        return 1;
    if (difference == 0)
        return 0;
    return -1;
}

/// The smallest x in [lo, hi] whose direction is at least `level`, or hi + 1 when there is
/// none. The direction never falls as x grows: x / r1 rounds to a value that never falls,
/// (c1 - x) / r2 to one that never rises, and so their rounded difference never falls (and is
/// NaN throughout when a row is empty, which counts as -1 everywhere).
double FirstDirectionAtLeast(int level, double lo, double hi, double r1, double c1, double r2)
{
    double below = lo;
    double above = hi + 1;
    while (below < above) {
        const double middle = std::floor(below + (above - below) / 2);
        if (Direction(middle, r1, c1, r2) >= level)
            above = middle;
        else
            below = middle + 1;
    }
    return below;
}

/// One direction of the walk from the most probable table: the weights of the tables relative
/// to it (weight 1), nearest first, and where the walk stands.
struct CWalk
{
    std::vector<double> weights; // storage; the first `count` entries are the weights
    size_t count = 0;
    double x = 0; // first cell of the table whose weight is `weight`
    double weight = 1;
    double end = 0; // the last first cell there is in this direction
    bool done = false;

    void Start(double mode, double last)
    {
        count = 0;
        x = mode;
        weight = 1;
        end = last;
        done = mode == last;
    }
    /// Room for at least `extra` more weights.
    void Reserve(size_t extra)
    {
        if (weights.size() < count + extra)
            weights.resize(std::max(2 * weights.size(), count + extra));
    }
};

/// The margins, and the two ratios of neighbouring tables' probabilities. Every factor is an
/// integer held exactly, so it is the same however it is reached; only the products, the
/// quotient and the weight are rounded.
struct CMargins
{
    double r1, r2, c1;

    /// P(x - 1) / P(x) = x (r2 - c1 + x) / ((r1 - x + 1)(c1 - x + 1)).
    double Down(double x) const { return (x * (r2 - c1 + x)) / ((r1 - x + 1) * (c1 - x + 1)); }
    /// P(x + 1) / P(x) = (r1 - x)(c1 - x) / ((x + 1)(r2 - c1 + x + 1)).
    double Up(double x) const { return ((r1 - x) * (c1 - x)) / ((x + 1) * (r2 - c1 + x + 1)); }
};

/// The storage of the last test on this thread, lent to the next one. A test taken while
/// another is running on the thread (from the progress display) finds it empty and uses its own.
thread_local CWalk t_spareDown;
thread_local CWalk t_spareUp;

/// Walks one direction on to its end. The walk stops where the weight falls below the smallest
/// normal double: the probabilities beyond are zero or subnormal in double precision, so that
/// all of them together add less than 1e-300 to any p-value, and the walk never does subnormal
/// arithmetic.
template <bool Downwards> void Finish(CWalk& walk, const CMargins& m)
{
    while (!walk.done) {
        walk.Reserve(1024);
        double* out = walk.weights.data();
        const size_t room = walk.weights.size();
        const double end = walk.end;
        double w = walk.weight;
        double x = walk.x;
        size_t i = walk.count;
        bool done = false;
        for (; i < room; ++i) {
            if (x == end) {
                done = true;
                break;
            }
            const double next = w * (Downwards ? m.Down(x) : m.Up(x));
            if (next < DBL_MIN) {
                done = true;
                break;
            }
            w = next;
            out[i] = w;
            x += Downwards ? -1 : 1;
        }
        walk.count = i;
        walk.weight = w;
        walk.x = x;
        walk.done = done;
    }
}

#if (defined(__GNUC__) || defined(__clang__)) && !defined(ZENTAVO_PORTABLE_PAIR)
using CPair = double __attribute__((vector_size(16)));
#else
/// The two lanes for a compiler without GCC's vector extension (MSVC): the same operations, one
/// lane after the other, so the same weights to the last bit.
struct CPair
{
    double lane[2];

    double operator[](size_t i) const { return lane[i]; }
    friend CPair operator*(const CPair& a, const CPair& b) { return {a.lane[0] * b.lane[0], a.lane[1] * b.lane[1]}; }
    friend CPair operator/(const CPair& a, const CPair& b) { return {a.lane[0] / b.lane[0], a.lane[1] / b.lane[1]}; }
    friend std::array<bool, 2> operator<(const CPair& a, const CPair& b)
    {
        return {a.lane[0] < b.lane[0], a.lane[1] < b.lane[1]};
    }
    CPair& operator+=(const CPair& b)
    {
        lane[0] += b.lane[0];
        lane[1] += b.lane[1];
        return *this;
    }
    CPair& operator-=(const CPair& b)
    {
        lane[0] -= b.lane[0];
        lane[1] -= b.lane[1];
        return *this;
    }
};
#endif

/// Walks both directions together while neither has ended, the downward one in the first lane
/// and the upward one in the second, so that one vector division gives both quotients. The four
/// factors of each ratio move by one a step; then each direction is finished alone.
void WalkBoth(CWalk& down, CWalk& up, const CMargins& m)
{
    const CPair one = {1, 1};
    const CPair smallest = {DBL_MIN, DBL_MIN};
    while (!down.done && !up.done) {
        down.Reserve(1024);
        up.Reserve(1024);
        const size_t start = down.count; // equal to up.count while both walk
        const double stepsLeft = std::min(down.x - down.end, up.end - up.x);
        const size_t room = std::min(down.weights.size(), up.weights.size());
        const size_t stop = static_cast<size_t>(std::min<double>(static_cast<double>(room), start + stepsLeft));
        double* outDown = down.weights.data();
        double* outUp = up.weights.data();

        const double xd = down.x, xu = up.x;
        // Down: x (r2 - c1 + x) / ((r1 - x + 1)(c1 - x + 1)); up: (r1 - x)(c1 - x) / ((x + 1)(r2 - c1 + x + 1)).
        CPair p = {xd, m.r1 - xu};
        CPair q = {m.r2 - m.c1 + xd, m.c1 - xu};
        CPair s = {m.r1 - xd + 1, xu + 1};
        CPair t = {m.c1 - xd + 1, m.r2 - m.c1 + xu + 1};
        CPair w = {down.weight, up.weight};
        size_t i = start;
        bool underflow = false;
        for (; i < stop; ++i) {
            const CPair next = w * ((p * q) / (s * t));
            const auto small = next < smallest;
            if (small[0] | small[1]) {
                underflow = true; // the step is taken again below, alone, and ends there
                break;
            }
            w = next;
            outDown[i] = w[0];
            outUp[i] = w[1];
            p -= one;
            q -= one;
            s += one;
            t += one;
        }
        const double steps = static_cast<double>(i - start);
        down.count = up.count = i;
        down.weight = w[0];
        up.weight = w[1];
        down.x = xd - steps;
        up.x = xu + steps;
        down.done = down.x == down.end;
        up.done = up.x == up.end;
        if (underflow)
            break;
    }
    Finish<true>(down, m);
    Finish<false>(up, m);
}
/// The running sums of the tables' weights, each added in ascending order of the first cell.
struct CSums
{
    double total = 0;
    double oneSided = 0;
    double twoSided = 0;
    double lowerTail = 0; // every table with a first cell of at most a
    double upperTail = 0; // and of at least a
};

/// Which tables add to which sum: the observed first cell, the probability threshold, and the
/// tables in the observed direction, from `sameFrom` up to before `sameTo`.
struct CSelection
{
    double a, threshold, sameFrom, sameTo;
};

/// Adds `n` weights to the sums, the first that of the table with first cell `x`, each next one
/// `Step` places on in storage and one more in the first cell.
template <int Step> void AddTables(CSums& sums, const CSelection& s, const double* weights, double x, int64_t n)
{
    double total = sums.total, oneSided = sums.oneSided, twoSided = sums.twoSided;
    double lowerTail = sums.lowerTail, upperTail = sums.upperTail;
    for (int64_t k = 0; k < n; ++k, ++x) {
        const double w = weights[Step * k];
        total += w;
        if (x <= s.a)
            lowerTail += w;
        if (x >= s.a)
            upperTail += w;
        if (w <= s.threshold) {
            twoSided += w;
            if (x >= s.sameFrom && x < s.sameTo)
                oneSided += w;
        }
    }
    sums = {total, oneSided, twoSided, lowerTail, upperTail};
}
} // namespace

CFisherResult FisherExact(uint32_t a, uint32_t b, uint32_t c, uint32_t d, bool showProgress)
{
    // Every count and margin as a double: exact integers far beyond any sum of four cells.
    const double r1 = static_cast<double>(a) + b;
    const double r2 = static_cast<double>(c) + d;
    const double c1 = static_cast<double>(a) + c;
    const double c2 = static_cast<double>(b) + d;
    const double hi = std::min(r1, c1);
    const double lo = r1 > c2 ? r1 - c2 : 0;
    const double n = r1 + r2;
    const double mode = std::clamp(std::floor((r1 + 1) * (c1 + 1) / (n + 2)), lo, hi);

    std::optional<CPleaseWaitDlg> progress;
    if (showProgress)
        progress.emplace(static_cast<int>(std::min<double>(hi, INT_MAX)));

    // The tables below the most probable one, nearest first, and those above it.
    CWalk down = std::exchange(t_spareDown, {});
    CWalk up = std::exchange(t_spareUp, {});
    down.Start(mode, lo);
    up.Start(mode, hi);
    const CMargins margins{r1, r2, c1};
    WalkBoth(down, up, margins);
    const auto below = static_cast<int64_t>(down.count);
    const auto above = static_cast<int64_t>(up.count);
    const int64_t first = static_cast<int64_t>(mode) - below;
    const int64_t count = below + 1 + above;

    // An observed table outside the walk is less probable than the smallest normal double.
    const int64_t fromMode = static_cast<int64_t>(a) - static_cast<int64_t>(mode);
    double observed = 0;
    if (fromMode == 0)
        observed = 1;
    else if (fromMode < 0 && -fromMode <= below)
        observed = down.weights[-fromMode - 1];
    else if (fromMode > 0 && fromMode <= above)
        observed = up.weights[fromMode - 1];
    const double threshold = observed * (1 + kFisherTolerance);
    const int observedDirection = Direction(a, r1, c1, r2);
    const int64_t progressStep = std::max<int64_t>(1, count / kProgressSteps);

    // The tables in the observed direction: those from `sameFrom` up to before `sameTo`.
    const double firstLevel = FirstDirectionAtLeast(0, lo, hi, r1, c1, r2);
    const double firstUp = FirstDirectionAtLeast(1, lo, hi, r1, c1, r2);
    const double sameFrom = observedDirection < 0 ? lo : observedDirection == 0 ? firstLevel : firstUp;
    const double sameTo = observedDirection < 0 ? firstLevel : observedDirection == 0 ? firstUp : hi + 1;

    const CSelection selection{static_cast<double>(a), threshold, sameFrom, sameTo};
    CSums sums;
    int64_t index = 0;
    double x = static_cast<double>(first);
    // Adds `n` weights, `step` apart in storage, in runs that end where the progress bar moves.
    const auto addPart = [&](const double* weights, int64_t step, int64_t n) {
        while (n > 0) {
            const int64_t run = progress ? std::min(n, progressStep - index % progressStep) : n;
            if (step < 0)
                AddTables<-1>(sums, selection, weights, x, run);
            else
                AddTables<1>(sums, selection, weights, x, run);
            weights += step * run;
            x += static_cast<double>(run);
            index += run;
            n -= run;
            if (progress && index % progressStep == 0)
                progress->SetPos(static_cast<int>(std::min<double>(x - 1, INT_MAX)));
        }
    };
    // Every table in ascending order of its first cell.
    const double modeWeight = 1;
    if (below > 0)
        addPart(&down.weights[below - 1], -1, below);
    addPart(&modeWeight, 1, 1);
    if (above > 0)
        addPart(up.weights.data(), 1, above);

    t_spareDown = std::move(down);
    t_spareUp = std::move(up);

    CFisherResult result;
    result.observed = observed / sums.total;
    // With no difference observed neither direction is the observed one: the one-sided p is
    // then the smaller whole tail, each including the observed table.
    result.oneSided =
        observedDirection == 0 ? std::min(sums.lowerTail, sums.upperTail) / sums.total : sums.oneSided / sums.total;
    result.twoSided = sums.twoSided / sums.total;
    return result;
}
