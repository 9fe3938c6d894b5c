// The pieces the random-number calculations share: the seed, the rule that maps a generator
// value into a range, the draw of a list (with or without repeats) and the checks on OK.
#pragma once

#include "CRandom.h"
#include "CalcResults.h"

#include <cstdint>
#include <string>
#include <vector>

class CDialog;

/// Most numbers (or digits of a table, or groups) one calculation draws: the report holds one
/// phrase per number, and a bigger request is refused on OK rather than left to run.
constexpr uint64_t kMaxDraws = 100000;
/// Most different values the generator can give (15 bits), so most numbers a unique draw finds.
constexpr uint64_t kMaxUnique = static_cast<uint64_t>(CRandom::kRandMax) + 1;

/// Gives a seed of 0 ("none drawn yet") one from the clock (seconds since 1970, never 0).
void FixSeed(uint32_t& seed);

/// A generator started from `seed`; a seed of 0 is first set from the clock (seconds since 1970)
/// and kept, so that a redo, or the calculation saved and opened again, repeats the numbers.
CRandom StartGenerator(uint32_t& seed);

/// The value in [low, high] for the generator value `rand` (0..32767):
/// trunc(low + rand / 32767.0 * ((high - low) + 0.99999999)), with high - low in 32 bits and the
/// rest in doubles. Clamped to `high`: from a range of 2^27 on, the sum rounds up to high + 1.
uint32_t DrawInRange(int rand, uint32_t low, uint32_t high);

/// One digit (0..9) for the generator value `rand`: trunc(rand / 32767.0 * 9.99999999).
int DrawDigit(int rand);

/// Draws `count` values in [low, high] in order, showing the progress. With `unique`, a value
/// drawn before in this call is thrown away and drawn again (membership kept in a set; the
/// values that come out are those of a search of the list). The caller makes sure a unique draw
/// can finish (count <= high - low and <= kMaxUnique).
std::vector<uint32_t> DrawValues(CRandom& generator, uint32_t count, uint32_t low, uint32_t high, bool unique);

/// Each value as the phrase "%u\t" (the original "%d\t"; values above 2,147,483,647 print as
/// the unsigned numbers they are).
std::string NumberPhrase(uint32_t value);

/// The drawn values as results, in order: `prefix` + "number[N]", N from 1, with no label and
/// no decimals.
void AppendNumberResults(CResults& results, const std::vector<uint32_t>& values, const std::string& prefix = "");

/// What makes a list request one that cannot be drawn, in the order the dialogs check it.
enum class ListRequestFault
{
    None,
    EmptyRange,         // minimum not below maximum
    UniqueCannotFinish, // more unique numbers than the range or the generator has
    TooMany,            // more than kMaxDraws numbers
};

/// The first fault of a list request of `count` numbers in [minimum, maximum].
ListRequestFault FindListRequestFault(uint32_t minimum, uint32_t maximum, uint64_t count, bool unique);

/// The checks on OK of the list dialogs, in order: minimum below maximum (Messages "08", focus
/// on the maximum); with `unique`, at most maximum - minimum and at most kMaxUnique numbers
/// (Messages "09", focus on the number required); at most kMaxDraws numbers in all (a fixed
/// message, focus on the number required). False when refused.
bool CheckListRequest(CDialog& dialog, uint32_t minimum, uint32_t maximum, uint64_t count, bool unique);

/// Refuses (fixed message naming the limit, focus on `focusId`) a request of more than kMaxDraws
/// `what` ("numbers", "digits", "groups"). False when refused.
bool CheckDrawLimit(CDialog& dialog, uint64_t count, const char* what, int focusId);

/// The fixed message of CheckDrawLimit.
std::string DrawLimitMessage(const char* what);

// Control ids the random-number dialogs share.
enum : int
{
    kIdRanMaximum = 1074,
    kIdRanMinimum = 1075,
    kIdRanNumber = 1076,
    kIdRanGroups = 1077,
    kIdRanDigits = 1078,
    kIdRanSorted = 1141,
    kIdRanMinimumLabel = 1143,
    kIdRanMaximumLabel = 1144,
    kIdRanUnique = 1145,
    kIdRanDigitsLabel = 1146,
    kIdRanGroupsLabel = 1149,
    kIdRanNumberLabel = 1151,
};
