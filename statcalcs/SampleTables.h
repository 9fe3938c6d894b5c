// Shared pieces of the sample-size and precision calculations: the constant tables behind their
// radio choices, the significance and power group boxes of their dialogs and their fields, the
// sizes as results, and how sizes print.
#pragma once

#include "CalcResults.h"
#include "DialogTemplate.h"
#include "FieldTable.h"

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

class CDataExchange;
class CDialog;
struct CValueField;

/// Significance levels and their two-sided normal deviates, by significance index; powers (%)
/// and their one-sided deviates, by power index. Deviates are the rounded table values, not
/// computed from a distribution, so that sizes match the published tables.
constexpr double kSignificance[4] = {0.1, 0.05, 0.02, 0.01};
constexpr double kZAlpha[4] = {1.64, 1.96, 2.33, 2.58};
constexpr int kPowerPercent[4] = {80, 90, 95, 99};
constexpr double kZBeta[4] = {0.84, 1.28, 1.64, 2.33};

/// Normal deviates and percentages of the precision calculations' confidence levels.
constexpr double kPrecisionZ[2] = {1.96, 2.58};
constexpr int kPrecisionLevel[2] = {95, 99};

enum : int
{
    kIdPowerBox = 1130,
    kIdSignificanceBox = 1131,
    kIdPower80 = 1048,         // first of 1048..1051: 80 %, 90 %, 95 %, 99 %
    kIdSignificance010 = 1052, // first of 1052..1055: 0.10, 0.05, 0.02, 0.01
};

/// Appends the significance box (dialog row `row`) and the power box (row `row` + 1), each
/// spanning `columns` columns, with their four radio buttons.
void AppendSizeChoices(std::vector<CControlTemplate>& controls, int row, int columns = 2);
/// Sets the two boxes' vocabulary texts: "60" and "29", each followed by `suffix`.
void SetSizeChoiceTexts(CDialog& dialog, const std::string& suffix);
/// Exchanges the two radio groups, significance first.
void ExchangeSizeChoices(CDataExchange& dx, int32_t& significance, int32_t& power);

/// The significance choice ("0.10", "0.05", "0.02", "0.01"; 0.05 for a new calculation) and the
/// power choice in percent ("80", "90", "95", "99"; 80 for a new calculation).
CField SignificanceField();
CField PowerField();
/// The field of a value row: a number from 0 to its maximum, or any number without one; 0 for
/// a new calculation.
CField ValueRowField(const CValueField& value);
/// The command-line value of a stored choice index ("" for an index the choice lacks).
std::string ChoiceValue(const CField& choice, int32_t index);

/// Report values: the significance ("0.05"), the power ("80%") and the confidence level ("95%"),
/// right-aligned as Floating and Integer align them.
std::string SignificanceText(int32_t index);
std::string PowerText(int32_t index);
std::string LevelText(int32_t index);

/// A size truncated toward zero; empty when it is not finite or outside 0..2147483647.
std::optional<int32_t> TruncSize(double n);
/// A size as Integer prints it, or "****" in the same width when it has no value.
std::string SizeText(std::optional<int32_t> size);
/// The sum of truncated sizes, formed in 64 bits; empty when a part or the sum is out of range.
std::optional<int32_t> TotalSize(std::optional<int32_t> first, std::optional<int32_t> second);
/// The total size as SizeText prints it.
std::string TotalText(std::optional<int32_t> first, std::optional<int32_t> second);

/// A size as a result: the truncated size, undefined when it has none; no decimals.
CResult SizeResult(const std::string& key, const std::string& label, std::optional<int32_t> size);
/// The size that a size result holds, empty when it is undefined.
std::optional<int32_t> SizeOf(const CResult& result);
/// The label and the printed size of the size result `key`; a key the list lacks is a
/// programming error (logic_error).
std::string SizeLabel(const CResults& results, const std::string& key);
std::string SizeText(const CResults& results, const std::string& key);
