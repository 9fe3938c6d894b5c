// Fisher's noncentral hypergeometric distribution of the first cell of a 2x2 table given its
// margins, summed in the neighbourhood of the mode only, and the conditional odds ratio, its
// limits and the exact tests that rest on it.
#include "ConditionalOddsRatio.h"

#include "ConfidenceLevel.h"
#include "ElementaryFunctions.h"
#include "QuietPolicy.h"
#include "RootSearch.h"

#include <algorithm>
#include <boost/math/special_functions/gamma.hpp>
#include <boost/math/tools/toms748_solve.hpp>
#include <cmath>
#include <cstdint>
#include <limits>

namespace
{
constexpr double kNaN = std::numeric_limits<double>::quiet_NaN();
constexpr double kInfinity = std::numeric_limits<double>::infinity();
/// Terms below this share of the sum so far are left out: the rest of a tail is smaller still.
constexpr double kNegligible = 1e-18;
/// Tables within this relative distance of the observed one's probability count as equally
/// probable in Fisher's two-sided test (R's fisher.test uses the same).
constexpr double kTieTolerance = 1e-7;

/// The odds ratio at which `f`, rising with it (or falling), reaches `target`: the bracket grows
/// from `guess` in steps on the log scale that start at `step` and double, then TOMS 748 closes
/// in to kRootTolerance, relative. NaN when f never crosses the target in (1e-300, 1e300).
template <class F> double SolveFrom(F f, double target, double guess, double step, bool rising)
{
    const double atGuess = f(guess) - target;
    if (!std::isfinite(atGuess) || !(guess > 0))
        return kNaN;
    if (atGuess == 0)
        return guess;
    const bool up = (atGuess < 0) == rising;
    double near = guess, atNear = atGuess;
    for (int i = 0; i < 64; ++i, step *= 2) {
        const double far = up ? near * zmath::Exp(step) : near / zmath::Exp(step);
        if (!(far > 1e-300 && far < 1e300))
            return kNaN;
        const double atFar = f(far) - target;
        if (!std::isfinite(atFar))
            return kNaN;
        if ((atFar < 0) != (atNear < 0) || atFar == 0) {
            if (atFar == 0)
                return far;
            const auto g = [&](double psi) { return f(psi) - target; };
            const auto close = [](double x, double y) { return std::fabs(x - y) <= kRootTolerance * std::fmin(x, y); };
            std::uintmax_t calls = 200;
            const auto bracket =
                up ? boost::math::tools::toms748_solve(g, near, far, atNear, atFar, close, calls, QuietPolicy())
                   : boost::math::tools::toms748_solve(g, far, near, atFar, atNear, close, calls, QuietPolicy());
            return 0.5 * (bracket.first + bracket.second);
        }
        near = far, atNear = atFar;
    }
    return kNaN;
}

double LogChoose(double n, double k)
{
    return boost::math::lgamma(n + 1, QuietPolicy()) - boost::math::lgamma(k + 1, QuietPolicy()) -
           boost::math::lgamma(n - k + 1, QuietPolicy());
}
} // namespace

CConditionalCell::CConditionalCell(const CTable2x2& table)
    : m_row1(table.a + table.b), m_row2(table.c + table.d), m_column1(table.a + table.c),
      m_lowest(std::max(0.0, m_column1 - m_row2)), m_highest(std::min(m_row1, m_column1))
{}

double CConditionalCell::Ratio(double x, double oddsRatio) const
{
    // C(n1, x+1) C(n2, m1-x-1) / (C(n1, x) C(n2, m1-x)), times the odds ratio.
    return oddsRatio * (m_row1 - x) * (m_column1 - x) / ((x + 1) * (m_row2 - m_column1 + x + 1));
}

double CConditionalCell::LogCentral(double x) const
{
    return LogChoose(m_row1, x) + LogChoose(m_row2, m_column1 - x);
}

double CConditionalCell::LogRelative(double x, double mode, double oddsRatio) const
{
    return LogCentral(x) - LogCentral(mode) + (x - mode) * zmath::Log(oddsRatio);
}

double CConditionalCell::Mode(double oddsRatio) const
{
    // The ratio of neighbouring terms falls as x rises: the mode is the first x where it drops
    // below 1.
    double lower = m_lowest;
    double upper = m_highest;
    while (lower < upper) {
        const double middle = std::floor((lower + upper) / 2);
        if (Ratio(middle, oddsRatio) < 1)
            upper = middle;
        else
            lower = middle + 1;
    }
    return lower;
}

double CConditionalCell::FarSum(double x, double oddsRatio, bool down) const
{
    double sum = 1;
    double term = 1;
    for (double y = x; down ? y > m_lowest : y < m_highest; y += down ? -1 : 1) {
        term *= down ? 1 / Ratio(y - 1, oddsRatio) : Ratio(y, oddsRatio);
        if (!(term > kNegligible * sum))
            break;
        sum += term;
    }
    return sum;
}

CCellTails CConditionalCell::Tails(double x, double oddsRatio) const
{
    if (Fixed())
        return {0, 1, 0, m_lowest};
    const double mode = Mode(oddsRatio);
    // Every term relative to the one at the mode, so nothing overflows or underflows that matters.
    double total = 0, moment = 0, below = 0, at = 0, above = 0;
    const auto add = [&](double y, double term) {
        total += term;
        moment += (y - mode) * term;
        (y < x ? below : y > x ? above : at) += term;
    };
    add(mode, 1);
    double lowestWalked = mode, highestWalked = mode;
    for (int direction : {1, -1}) {
        double term = 1;
        for (double y = mode; direction > 0 ? y < m_highest : y > m_lowest; y += direction) {
            term *= direction > 0 ? Ratio(y, oddsRatio) : 1 / Ratio(y - 1, oddsRatio);
            if (!(term > kNegligible * total))
                break;
            add(y + direction, term);
            (direction > 0 ? highestWalked : lowestWalked) = y + direction;
        }
    }
    CCellTails tails{below / total, at / total, above / total, mode + moment / total};
    if (x >= lowestWalked && x <= highestWalked)
        return tails;
    // x lies beyond the terms that matter: its own term and its far tail come from the
    // log-gamma function, and the near side takes the rest.
    const bool down = x < lowestWalked;
    const double relative = zmath::Exp(LogRelative(x, mode, oddsRatio));
    const double far = relative > 0 ? relative * (FarSum(x, oddsRatio, down) - 1) / total : 0;
    tails.at = relative / total;
    (down ? tails.below : tails.above) = far;
    (down ? tails.above : tails.below) = std::max(0.0, 1 - tails.at - far);
    return tails;
}

CConditionalOddsRatio ConditionalOddsRatio(const CTable2x2& table, double levelPercent)
{
    const CConditionalCell cell(table);
    if (cell.Fixed())
        return {kNaN, {kNaN, kNaN}, {kNaN, kNaN}};
    const double a = table.a;
    const double half = AlphaOfLevel(levelPercent) / 2;
    const bool least = a == cell.Lowest(), greatest = a == cell.Highest();
    // Woolf's estimate and limits with a half added to each cell start every search close to its
    // root, in steps of an eighth of their spread.
    const double logGuess = zmath::Log((a + 0.5) * (table.d + 0.5) / ((table.b + 0.5) * (table.c + 0.5)));
    const double spread = NormalQuantileOfLevel(levelPercent) *
                          std::sqrt(1 / (a + 0.5) + 1 / (table.b + 0.5) + 1 / (table.c + 0.5) + 1 / (table.d + 0.5));
    const double step = spread / 8;
    const double guessLower = zmath::Exp(logGuess - spread), guessUpper = zmath::Exp(logGuess + spread);
    const auto solve = [&](auto tail, double guess, bool rising) {
        return SolveFrom([&](double psi) { return tail(cell.Tails(a, psi)); }, half, guess, step, rising);
    };

    CConditionalOddsRatio result{};
    result.estimate = least      ? 0
                      : greatest ? kInfinity
                                 : SolveFrom([&](double psi) { return cell.Tails(a, psi).mean; }, a,
                                             zmath::Exp(logGuess), step, true);
    // P(X >= a) rises with the odds ratio, P(X <= a) falls.
    result.exact.lower = least ? 0 : solve([](const CCellTails& t) { return t.at + t.above; }, guessLower, true);
    result.exact.upper =
        greatest ? kInfinity : solve([](const CCellTails& t) { return t.below + t.at; }, guessUpper, false);
    // The mid-P limits lie between the exact ones and the estimate, close to the exact ones.
    result.midP.lower =
        least ? 0 : solve([](const CCellTails& t) { return 0.5 * t.at + t.above; }, result.exact.lower, true);
    result.midP.upper =
        greatest ? kInfinity
                 : solve([](const CCellTails& t) { return t.below + 0.5 * t.at; }, result.exact.upper, false);
    return result;
}

CExactTests ExactTests(const CTable2x2& table)
{
    const CConditionalCell cell(table);
    if (cell.Fixed())
        return {1, 1};
    const double a = table.a;
    const CCellTails observed = cell.Tails(a, 1);
    const double midP = std::min(1.0, 2 * std::min(observed.below, observed.above) + observed.at);

    // The tables no more probable than the observed are the two tails beyond the points where
    // the (unimodal) probability drops to the observed one's.
    const double mode = cell.Mode(1);
    const double threshold = cell.LogRelative(a, mode, 1) + std::log1p(kTieTolerance);
    if (threshold >= 0)
        return {1, midP};
    const auto within = [&](double x) { return cell.LogRelative(x, mode, 1) <= threshold; };
    double fisher = 0;
    if (within(cell.Lowest())) {
        double lower = cell.Lowest(), upper = mode; // the last x within lies in [lower, upper)
        while (upper - lower > 1) {
            const double middle = std::floor((lower + upper) / 2);
            (within(middle) ? lower : upper) = middle;
        }
        const CCellTails tails = cell.Tails(lower, 1);
        fisher += tails.below + tails.at;
    }
    if (within(cell.Highest())) {
        double lower = mode, upper = cell.Highest(); // the first x within lies in (lower, upper]
        while (upper - lower > 1) {
            const double middle = std::floor((lower + upper) / 2);
            (within(middle) ? upper : lower) = middle;
        }
        const CCellTails tails = cell.Tails(upper, 1);
        fisher += tails.at + tails.above;
    }
    return {std::min(1.0, fisher), midP};
}
