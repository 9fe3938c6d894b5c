// Shared pieces of the sample-size and precision calculations: choice boxes, their constant
// tables and the printing of sizes.
#include "SampleTables.h"

#include "CCalcBase.h"
#include "CCalcDlg.h"
#include "CDialog.h"
#include "CheckedConvert.h"
#include "DataExchange.h"
#include "Format.h"
#include "Vocabulary.h"

#include <stdexcept>

namespace
{
const char* const kSignificanceTexts[4] = {"0.10", "0.05", "0.02", "0.01"};
const char* const kPowerTexts[4] = {"80%", "90%", "95%", "99%"};

/// A choice of four radio buttons from `firstId`, with `values` on the command line.
CField FourChoices(const char* name, const char* labelKey, int firstId, const char* const* values,
                   const char* defaultValue)
{
    CField field;
    field.name = name;
    field.kind = CFieldKind::Choice;
    field.labelKey = labelKey;
    field.defaultValue = defaultValue;
    for (int i = 0; i < 4; ++i)
        field.options.push_back({values[i], firstId + i});
    return field;
}

const CResult& SizeResultOf(const CResults& results, const std::string& key)
{
    const CResult* result = FindResult(results, key);
    if (!result)
        throw std::logic_error("no result '" + key + "'");
    return *result;
}
} // namespace

void AppendSizeChoices(std::vector<CControlTemplate>& controls, int row, int columns)
{
    controls.push_back(GroupBoxCtl(kIdSignificanceBox, "Significance", row, 0).Span(1, columns));
    for (int i = 0; i < 4; ++i) {
        CControlTemplate radio =
            RadioCtl(kIdSignificance010 + i, kSignificanceTexts[i], i / 2, i % 2).InGroup(kIdSignificanceBox);
        controls.push_back(i == 0 ? radio.GroupStart() : radio);
    }
    controls.push_back(GroupBoxCtl(kIdPowerBox, "Power", row + 1, 0).Span(1, columns));
    for (int i = 0; i < 4; ++i) {
        CControlTemplate radio = RadioCtl(kIdPower80 + i, kPowerTexts[i], i / 2, i % 2).InGroup(kIdPowerBox);
        controls.push_back(i == 0 ? radio.GroupStart() : radio);
    }
}

void SetSizeChoiceTexts(CDialog& dialog, const std::string& suffix)
{
    dialog.SetDlgItemText(kIdSignificanceBox, TermText("60") + suffix);
    dialog.SetDlgItemText(kIdPowerBox, TermText("29") + suffix);
}

void ExchangeSizeChoices(CDataExchange& dx, int32_t& significance, int32_t& power)
{
    DDX_Radio(dx, kIdSignificance010, significance);
    DDX_Radio(dx, kIdPower80, power);
}

CField SignificanceField()
{
    return FourChoices("significance", "60", kIdSignificance010, kSignificanceTexts, "0.05");
}

CField PowerField()
{
    static const char* const kPowerValues[4] = {"80", "90", "95", "99"};
    return FourChoices("power", "29", kIdPower80, kPowerValues, "80");
}

CField ValueRowField(const CValueField& value)
{
    // The dialog checks a value only against a maximum; without one it takes negative values too.
    const std::optional<double> minimum = value.maximum ? std::optional<double>(0) : std::nullopt;
    return NumberField(value.name, value.id, value.key, minimum, value.maximum);
}

std::string ChoiceValue(const CField& choice, int32_t index)
{
    if (index < 0 || static_cast<size_t>(index) >= choice.options.size())
        return {};
    return choice.options[static_cast<size_t>(index)].value;
}

std::string SignificanceText(int32_t index)
{
    return CCalcBase::Floating(kSignificance[index], 2);
}

std::string PowerText(int32_t index)
{
    return CCalcBase::Integer(kPowerPercent[index]) + "%";
}

std::string LevelText(int32_t index)
{
    return CCalcBase::Integer(kPrecisionLevel[index]) + "%";
}

std::optional<int32_t> TruncSize(double n)
{
    return TruncToNonNegInt32(n);
}

std::string SizeText(std::optional<int32_t> size)
{
    // Integer's width ("%7d"), so the marker lines up with the sizes of other reports.
    return size ? CCalcBase::Integer(*size) : Format("%7s", "****");
}

std::optional<int32_t> TotalSize(std::optional<int32_t> first, std::optional<int32_t> second)
{
    if (!first || !second)
        return std::nullopt;
    const int64_t total = static_cast<int64_t>(*first) + *second;
    if (total > INT32_MAX)
        return std::nullopt;
    return static_cast<int32_t>(total);
}

std::string TotalText(std::optional<int32_t> first, std::optional<int32_t> second)
{
    return SizeText(TotalSize(first, second));
}

CResult SizeResult(const std::string& key, const std::string& label, std::optional<int32_t> size)
{
    return EstimateResult(key, label, size ? static_cast<double>(*size) : kNoValue, 0);
}

std::optional<int32_t> SizeOf(const CResult& result)
{
    // Sizes are whole numbers within int32_t; anything else is no size.
    return result.Undefined() ? std::nullopt : TruncSize(result.estimate);
}

std::string SizeLabel(const CResults& results, const std::string& key)
{
    return CCalcBase::ResultLabel(SizeResultOf(results, key));
}

std::string SizeText(const CResults& results, const std::string& key)
{
    return SizeText(SizeOf(SizeResultOf(results, key)));
}
