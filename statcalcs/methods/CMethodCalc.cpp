// The shared report and dialog pieces of the newer calculation types.
#include "CMethodCalc.h"

#include "CArchive.h"
#include "ConfidenceLevel.h"
#include "DialogTemplate.h"
#include "Format.h"
#include "StoredInputs.h"
#include "Terms.h"

#include <cmath>
#include <stdexcept>

IMPLEMENT_DYNAMIC(CMethodCalc, CCalcBase)

std::string CMethodCalc::LevelText(double levelPercent)
{
    // At most two decimals are taken, so %.10g shows the level as typed without binary noise.
    return Format("%.10g%%", levelPercent);
}

std::string CMethodCalc::PValueText(double p)
{
    if (std::isfinite(p) && p < 0.000001)
        return Format("%14s", "< 0.000001");
    return Floating(p, 6);
}

void CMethodCalc::InsertMethodResult(const CResult& result, const std::string& labelSuffix)
{
    if (!result.probability) {
        InsertResult(result, labelSuffix);
        return;
    }
    InsertResult(ResultLabel(result) + labelSuffix, PValueText(result.estimate), "");
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
