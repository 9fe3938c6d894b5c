// The table of the newer calculation types, in type-code order: code, class, dialog template and
// caption.
#include "CCompKappa.h"
#include "CCompMeansWelch.h"
#include "CCompRateRatio.h"
#include "CCompStratHomog.h"
#include "CCompTableDesign.h"
#include "CDescPropIntervals.h"
#include "CDescRateExact.h"
#include "CDescSMR.h"
#include "CPower2Means.h"
#include "CPower2Props.h"
#include "CProbBinomial.h"
#include "CProbPoisson.h"
#include "CSampSizeFormulas.h"
#include "GetCalcBase.h"

const std::vector<CCalcClassInfo>& MethodClassTable()
{
    static const std::vector<CCalcClassInfo> table = {
        CALC_CLASS("1130", CDescPropIntervals, 300, "Describe - Proportion - Exact and score intervals"),
        CALC_CLASS("1500", CDescRateExact, 301, "Describe - Rate with exact intervals"),
        CALC_CLASS("1600", CDescSMR, 302, "Describe - Standardised mortality ratio"),
        CALC_CLASS("2640", CCompMeansWelch, 330, "Compare - Means - Two means, unequal variances"),
        CALC_CLASS("2700", CCompRateRatio, 331, "Compare - Rate ratio"),
        CALC_CLASS("3400", CCompTableDesign, 310, "Contingency tables - 2x2 table by study design"),
        CALC_CLASS("3500", CCompStratHomog, 320, "Contingency tables - Stratified 2x2 with homogeneity"),
        CALC_CLASS("3600", CCompKappa, 332, "Contingency tables - Agreement (kappa)"),
        CALC_CLASS("4180", CSampSizeFormulas, 340, "Sampling - Sample size - Two proportions, three formulas"),
        CALC_CLASS("4410", CPower2Props, 341, "Sampling - Power - Two proportions"),
        CALC_CLASS("4420", CPower2Means, 342, "Sampling - Power - Two means"),
        CALC_CLASS("5400", CProbBinomial, 344, "Probability - Binomial distribution"),
        CALC_CLASS("5500", CProbPoisson, 345, "Probability - Poisson distribution"),
    };
    return table;
}
