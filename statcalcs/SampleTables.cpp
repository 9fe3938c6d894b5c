// Shared pieces of the sample-size and precision calculations: choice boxes, their constant
// tables and the printing of sizes.
#include "SampleTables.h"

#include "CCalcBase.h"
#include "CDialog.h"
#include "CheckedConvert.h"
#include "DataExchange.h"
#include "Format.h"
#include "Vocabulary.h"

void AppendSizeChoices(std::vector<CControlTemplate>& controls, int row, int columns)
{
    static const char* const kSignificanceTexts[4] = {"0.10", "0.05", "0.02", "0.01"};
    static const char* const kPowerTexts[4] = {"80%", "90%", "95%", "99%"};
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

std::string TotalText(std::optional<int32_t> first, std::optional<int32_t> second)
{
    if (!first || !second)
        return SizeText(std::nullopt);
    const int64_t total = static_cast<int64_t>(*first) + *second;
    if (total > INT32_MAX)
        return SizeText(std::nullopt);
    return SizeText(static_cast<int32_t>(total));
}
