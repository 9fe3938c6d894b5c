// The factory of the statistical library and its table of calculation classes.
// Codes compare exactly; a code beginning with 'X' is how the framework asks for a note.
#include "GetCalcBase.h"

#include "CComp2PropNum.h"
#include "CComp2PropPerc.h"
#include "CCompGoodness.h"
#include "CCompMeanMDG.h"
#include "CCompMeanMDZ.h"
#include "CCompMeans2.h"
#include "CCompPropPerc.h"
#include "CCompPropRxC.h"
#include "CCompPropTrend.h"
#include "CCompRates.h"
#include "CCompStrat.h"
#include "CCompUnstrat.h"
#include "CDescMean.h"
#include "CDescMedian.h"
#include "CDescNum.h"
#include "CDescPerc.h"
#include "CDescRate.h"
#include "CNote.h"
#include "CProbChi.h"
#include "CPropT.h"
#include "CPropZ.h"
#include "CSampPrec1Mean.h"
#include "CSampPrec1Prop.h"
#include "CSampPrec1Rate.h"
#include "CSampPrec2Means.h"
#include "CSampPrec2Props.h"
#include "CSampPrec2Rates.h"
#include "CSampRanGroup.h"
#include "CSampRanGrpList.h"
#include "CSampRanList.h"
#include "CSampRanTable.h"
#include "CSampSize1Mean.h"
#include "CSampSize1Prop.h"
#include "CSampSize1Rate.h"
#include "CSampSize2Means.h"
#include "CSampSize2Props.h"
#include "CSampSize2Rates.h"
#include "CSampSizeCC.h"

#include <new>

const std::vector<CCalcClassInfo>& CalcClassTable()
{
    static const std::vector<CCalcClassInfo> table = {
        CALC_CLASS("1110", CDescPerc, 131, "Describe - Proportion - Percentage"),
        CALC_CLASS("1120", CDescNum, 132, "Describe - Proportion - Numerator/Denominator"),
        CALC_CLASS("1200", CDescRate, 133, "Describe - Rate"),
        CALC_CLASS("1300", CDescMean, 134, "Describe - Mean"),
        CALC_CLASS("1400", CDescMedian, 135, "Describe - Median"),
        CALC_CLASS("2110", CComp2PropPerc, 160, "Compare - Two proportions - Percentages"),
        CALC_CLASS("2120", CComp2PropNum, 161, "Compare - Two proportions - Numerators/Denominators"),
        CALC_CLASS("2200", CCompPropPerc, 138, "Compare - Proportion as percentages"),
        CALC_CLASS("2300", CCompPropTrend, 140, "Compare - Proportion as trend"),
        CALC_CLASS("2400", CCompGoodness, 169, "Compare - Goodness of fit"),
        CALC_CLASS("2500", CCompRates, 162, "Compare - Rates"),
        CALC_CLASS("2610", CCompMeans2, 163, "Compare - Means - Two means"),
        CALC_CLASS("2620", CCompMeanMDZ, 164, "Compare - Means - One-sample (mean different from zero)"),
        CALC_CLASS("2630", CCompMeanMDG, 165, "Compare - Means - One-sample (mean different from given)"),
        CALC_CLASS("3100", CCompPropRxC, 139, "Compare - Proportions as RxC data"),
        CALC_CLASS("3200", CCompUnstrat, 166, "Compare - 2x2 tables - Unstratified"),
        CALC_CLASS("3300", CCompStrat, 167, "Compare - 2x2 tables - Stratified"),
        CALC_CLASS("4110", CSampSize1Mean, 141, "Sample - Size - Single mean"),
        CALC_CLASS("4120", CSampSize1Rate, 142, "Sample - Size - Single rate"),
        CALC_CLASS("4130", CSampSize1Prop, 143, "Sample - Size - Single proportion"),
        CALC_CLASS("4140", CSampSize2Means, 144, "Sample - Size - Two means"),
        CALC_CLASS("4150", CSampSize2Rates, 145, "Sample - Size - Two rates"),
        CALC_CLASS("4160", CSampSize2Props, 146, "Sample - Size - Two proportions"),
        CALC_CLASS("4170", CSampSizeCC, 147, "Sample - Size - Case-control study"),
        CALC_CLASS("4210", CSampPrec1Mean, 150, "Sample - Precision - Single mean"),
        CALC_CLASS("4220", CSampPrec1Rate, 149, "Sample - Precision - Single rate"),
        CALC_CLASS("4230", CSampPrec1Prop, 151, "Sample - Precision - Single proportion"),
        CALC_CLASS("4240", CSampPrec2Means, 152, "Sample - Precision - Two means"),
        CALC_CLASS("4250", CSampPrec2Rates, 153, "Sample - Precision - Two rates"),
        CALC_CLASS("4260", CSampPrec2Props, 154, "Sample - Precision - Two proportions"),
        CALC_CLASS("4310", CSampRanList, 155, "Sample - Random Numbers - List"),
        CALC_CLASS("4320", CSampRanGroup, 156, "Sample - Random Numbers - Groups"),
        CALC_CLASS("4330", CSampRanGrpList, 157, "Sample - Random Numbers - Grouped list"),
        CALC_CLASS("4340", CSampRanTable, 158, "Sample - Random Numbers - Groups"),
        CALC_CLASS("5100", CProbChi, 136, "Probability - Chi-square"),
        CALC_CLASS("5200", CPropT, 137, "Other - Probability - Student's t"),
        CALC_CLASS("5300", CPropZ, 159, "Other - Probability - Z"),
    };
    return table;
}

const std::vector<CCalcClassInfo>& AllCalcClasses()
{
    static const std::vector<CCalcClassInfo> all = [] {
        std::vector<CCalcClassInfo> joined = CalcClassTable();
        const std::vector<CCalcClassInfo>& methods = MethodClassTable();
        joined.insert(joined.end(), methods.begin(), methods.end());
        return joined;
    }();
    return all;
}

const CCalcClassInfo* FindCalcClass(const std::string& code)
{
    for (const std::vector<CCalcClassInfo>* table : {&CalcClassTable(), &MethodClassTable()})
        for (const CCalcClassInfo& info : *table)
            if (code == info.code)
                return &info;
    return nullptr;
}

CCalcBase* GetCalcBase(const std::string& code)
{
    try {
        if (!code.empty() && code[0] == 'X')
            return new CNote;
        const CCalcClassInfo* info = FindCalcClass(code);
        return info ? static_cast<CCalcBase*>(info->runtimeClass->CreateObject()) : nullptr;
    } catch (const std::bad_alloc&) {
        return nullptr;
    }
}
