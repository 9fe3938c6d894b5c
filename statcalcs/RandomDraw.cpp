// The draw rule, the unique rule and the checks on OK shared by the random-number calculations.
// The generator is our own classic 15-bit one, so a stored seed gives the same numbers anywhere.
#include "RandomDraw.h"

#include "CDialog.h"
#include "CPleaseWaitDlg.h"
#include "Format.h"
#include "Profile.h"
#include "UIServices.h"

#include <algorithm>
#include <ctime>
#include <unordered_set>

void FixSeed(uint32_t& seed)
{
    if (seed == 0) {
        seed = static_cast<uint32_t>(std::time(nullptr));
        if (seed == 0) // 0 means "none drawn yet": never keep it
            seed = 1;
    }
}

CRandom StartGenerator(uint32_t& seed)
{
    FixSeed(seed);
    return CRandom(seed);
}

uint32_t DrawInRange(int rand, uint32_t low, uint32_t high)
{
    const uint32_t width = high - low;
    const double value = low + (rand / 32767.0) * (width + 0.99999999);
    const uint64_t whole = static_cast<uint64_t>(value); // value >= 0: truncation toward zero
    return static_cast<uint32_t>(std::min<uint64_t>(whole, high));
}

int DrawDigit(int rand)
{
    return static_cast<int>((rand / 32767.0) * 9.99999999);
}

std::vector<uint32_t> DrawValues(CRandom& generator, uint32_t count, uint32_t low, uint32_t high, bool unique)
{
    CPleaseWaitDlg progress(static_cast<int>(std::min<uint64_t>(count, INT32_MAX)));
    std::vector<uint32_t> values;
    values.reserve(count);
    std::unordered_set<uint32_t> drawn;
    if (unique)
        drawn.reserve(count);
    for (uint32_t i = 0; i < count; ++i) {
        uint32_t value = DrawInRange(generator.Rand(), low, high);
        if (unique) {
            while (!drawn.insert(value).second)
                value = DrawInRange(generator.Rand(), low, high);
        }
        values.push_back(value);
        progress.SetPos(static_cast<int>(i));
    }
    return values;
}

std::string NumberPhrase(uint32_t value)
{
    return Format("%u\t", value);
}

void AppendNumberResults(CResults& results, const std::vector<uint32_t>& values, const std::string& prefix)
{
    results.reserve(results.size() + values.size());
    for (size_t i = 0; i < values.size(); ++i)
        results.push_back(EstimateResult(prefix + "number[" + std::to_string(i + 1) + "]", "", values[i], 0));
}

std::string DrawLimitMessage(const char* what)
{
    return Format("Please ask for no more than %llu %s in one calculation.", static_cast<unsigned long long>(kMaxDraws),
                  what);
}

bool CheckDrawLimit(CDialog& dialog, uint64_t count, const char* what, int focusId)
{
    if (count <= kMaxDraws)
        return true;
    AfxMessageBox(DrawLimitMessage(what));
    dialog.GotoDlgCtrl(focusId);
    return false;
}

ListRequestFault FindListRequestFault(uint32_t minimum, uint32_t maximum, uint64_t count, bool unique)
{
    if (minimum >= maximum)
        return ListRequestFault::EmptyRange;
    // Every value of the range, or more values than the generator has, can never all come out.
    if (unique && (count > maximum - minimum || count > kMaxUnique))
        return ListRequestFault::UniqueCannotFinish;
    return count > kMaxDraws ? ListRequestFault::TooMany : ListRequestFault::None;
}

bool CheckListRequest(CDialog& dialog, uint32_t minimum, uint32_t maximum, uint64_t count, bool unique)
{
    switch (FindListRequestFault(minimum, maximum, count, unique)) {
    case ListRequestFault::None:
        return true;
    case ListRequestFault::EmptyRange:
        AfxMessageBox(GetProfileString("Messages", "08", "08"));
        dialog.GotoDlgCtrl(kIdRanMaximum);
        return false;
    case ListRequestFault::UniqueCannotFinish:
        AfxMessageBox(GetProfileString("Messages", "09", "09"));
        dialog.GotoDlgCtrl(kIdRanNumber);
        return false;
    case ListRequestFault::TooMany:
        break;
    }
    return CheckDrawLimit(dialog, count, "numbers", kIdRanNumber);
}
