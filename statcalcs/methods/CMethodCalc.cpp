// The shared report and dialog pieces of the newer calculation types.
#include "CMethodCalc.h"

#include "CArchive.h"
#include "ConfidenceLevel.h"
#include "DialogTemplate.h"
#include "Format.h"
#include "StoredInputs.h"
#include "Terms.h"

#include <algorithm>
#include <cmath>
#include <stdexcept>

IMPLEMENT_DYNAMIC(CMethodCalc, CCalcBase)

namespace
{
/// The most digits a computed value shows. Exact limits come from inverse incomplete beta and
/// gamma functions and root searches good to about 1e-10 relative at a billion events; digits
/// beyond that would be noise, and would differ between the libraries of different systems.
constexpr int kMaxSignificant = 8;

/// `x` with `decimals` decimals, fewer when its whole part is long so that at most
/// kMaxSignificant digits show, and in exponent form when the whole part alone is longer. A
/// value below 10 keeps every decimal asked for: some reports print many to tell tiny limits
/// apart.
std::string SignificantText(double x, int decimals)
{
    if (!std::isfinite(x))
        return "****";
    const int most = std::max(kMaxSignificant, decimals + 1);
    for (int shown = decimals; shown >= 0; --shown) {
        std::string text = Format("%.*f", shown, x);
        const size_t point = text.find('.');
        const size_t whole = (point == std::string::npos ? text.size() : point) - (text[0] == '-' ? 1 : 0);
        if (static_cast<int>(whole) + shown <= most)
            return text;
    }
    return Format("%.*e", most - 1, x);
}
} // namespace

std::string CMethodCalc::LevelText(double levelPercent)
{
    // At most two decimals are taken, so %.10g shows the level as typed without binary noise.
    return Format("%.10g%%", levelPercent);
}

std::string CMethodCalc::ValueText(double x, int decimals)
{
    if (!std::isfinite(x))
        return Floating(x, decimals);
    return Format("%*s", decimals + 8, SignificantText(x, decimals).c_str());
}

std::string CMethodCalc::PValueText(double p)
{
    if (std::isfinite(p) && p < 0.000001)
        return Format("%14s", "< 0.000001");
    return Floating(p, 6);
}

void CMethodCalc::InsertMethodResult(const CResult& result, const std::string& labelSuffix)
{
    if (result.probability) {
        InsertResult(ResultLabel(result) + labelSuffix, PValueText(result.estimate), "");
        return;
    }
    std::string interval;
    if (result.HasInterval())
        interval = "[" + SignificantText(result.lower, result.decimals) + "\x07" + " " +
                   SignificantText(result.upper, result.decimals) + "]";
    InsertResult(ResultLabel(result) + labelSuffix, ValueText(result.estimate, result.decimals), interval);
}

void CMethodCalc::InsertMethodResult(const CResults& results, const std::string& key, const std::string& labelSuffix)
{
    const CResult* result = FindResult(results, key);
    if (!result)
        throw std::logic_error("no result '" + key + "'");
    InsertMethodResult(*result, labelSuffix);
}

void CMethodCalc::InsertSection(const std::string& heading)
{
    InsertPhrase("\n", kPhrasePlain);
    InsertPhrase(heading + "\n", kPhraseBold);
}

double CMethodCalc::ReadLevelPercent(CArchive& ar)
{
    double level = 0;
    ar >> level;
    if (!std::isfinite(level))
        ThrowFormatError("confidence level");
    return level;
}

CField AnyLevelField(int id)
{
    return NumberField("level", id, kTermConfidenceLevel, kMinLevelPercent, kMaxLevelPercent, "95");
}

bool CMethodDlg::OnInitDialog()
{
    CCalcDlg::OnInitDialog();
    if (GetTemplate().Find(kIdAnyLevelLabel))
        SetTerm(kIdAnyLevelLabel, kTermConfidenceLevel, " (%):");
    return true;
}

void CMethodDlg::ExchangeLevel(CDataExchange& dx, double& levelPercent)
{
    static const CField level = AnyLevelField();
    ExchangeField(dx, level, levelPercent);
}

void AppendLevelRow(std::vector<CControlTemplate>& controls, int row)
{
    controls.push_back(StaticCtl(kIdAnyLevelLabel, "Confidence level (%):", row, 0));
    controls.push_back(EditCtl(kIdAnyLevel, row, 1).RightAlign());
}
