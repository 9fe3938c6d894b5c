// Non-default inputs for every calculation class, for the document round-trip tests.
#include "DocumentInputs.h"

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

namespace
{
template <class T> T* As(CCalcBase* data)
{
    return dynamic_cast<T*>(data);
}

bool SetDescribeAndCompare(CCalcBase* d)
{
    if (auto* p = As<CDescPerc>(d))
        p->m_level = 1, p->m_percent = 12.5, p->m_sampleSize = 300;
    else if (auto* p = As<CDescNum>(d))
        p->m_level = 1, p->m_count = 7, p->m_sampleSize = 70;
    else if (auto* p = As<CDescRate>(d))
        p->m_level = 1, p->m_count = 9, p->m_personTime = 1200;
    else if (auto* p = As<CDescMean>(d))
        p->m_level = 1, p->m_mean = 4.25, p->m_sd = 1.5, p->m_sampleSize = 40;
    else if (auto* p = As<CDescMedian>(d))
        p->m_level = 1, p->m_sampleSize = 625;
    else if (auto* p = As<CComp2PropPerc>(d))
        p->m_level = 1, p->m_percent1 = 20, p->m_percent2 = 35.5, p->m_size1 = 100, p->m_size2 = 120;
    else if (auto* p = As<CComp2PropNum>(d))
        p->m_level = 1, p->m_count1 = 3, p->m_size1 = 30, p->m_count2 = 8, p->m_size2 = 33;
    else if (auto* p = As<CCompPropPerc>(d))
        p->m_rows = {{10.5, 100}, {20.25, 80}, {30, 60}};
    else if (auto* p = As<CCompPropTrend>(d))
        p->m_rows = {{0, 5, 50}, {1, 9, 41}, {2.5, 14, 36}};
    else if (auto* p = As<CCompGoodness>(d))
        p->m_rows = {{12, 10}, {8, 10}, {30.5, 29}};
    else if (auto* p = As<CCompRates>(d))
        p->m_level = 1, p->m_c1 = 4, p->m_c2 = 11, p->m_t1 = 1000, p->m_t2 = 1500;
    else if (auto* p = As<CCompMeans2>(d))
        p->m_level = 1, p->m_mean1 = 5, p->m_mean2 = 6.5, p->m_sd1 = 1, p->m_sd2 = 2, p->m_size1 = 20, p->m_size2 = 25;
    else if (auto* p = As<CCompMeanMDZ>(d))
        p->m_level = 1, p->m_mean = 0.75, p->m_sd = 2, p->m_size = 15;
    else if (auto* p = As<CCompMeanMDG>(d))
        p->m_level = 1, p->m_mean = 101, p->m_refMean = 100, p->m_sd = 15, p->m_size = 50;
    else
        return false;
    return true;
}

bool SetTables(CCalcBase* d)
{
    if (auto* p = As<CCompPropRxC>(d)) {
        p->m_r = 2, p->m_c = 3;
        for (int r = 0; r < 2; ++r)
            for (int c = 0; c < 3; ++c)
                p->m_cells[r][c] = 10 * r + c + 1;
    } else if (auto* p = As<CCompUnstrat>(d)) {
        p->m_fisher = false, p->m_a = 10, p->m_b = 20, p->m_c = 5, p->m_d = 40, p->m_level = 1;
    } else if (auto* p = As<CCompStrat>(d)) {
        p->m_strata = {{"Young", 1, 2, 3, 4}, {"Old", 5, 6, 7, 8}};
        p->m_level = 1;
    } else {
        return false;
    }
    return true;
}

bool SetSampleSizes(CCalcBase* d)
{
    if (auto* p = As<CSampSize1Mean>(d))
        p->m_significance = 2, p->m_power = 3, p->m_mean = 10, p->m_nullMean = 12, p->m_sd = 4;
    else if (auto* p = As<CSampSize1Rate>(d))
        p->m_significance = 0, p->m_power = 1, p->m_rate = 0.02, p->m_nullRate = 0.03;
    else if (auto* p = As<CSampSize1Prop>(d))
        p->m_significance = 3, p->m_power = 2, p->m_percent = 30, p->m_nullPercent = 40;
    else if (auto* p = As<CSampSize2Means>(d))
        p->m_significance = 2, p->m_power = 1, p->m_mean1 = 5, p->m_mean2 = 7, p->m_sd = 3;
    else if (auto* p = As<CSampSize2Rates>(d))
        p->m_significance = 0, p->m_power = 2, p->m_rate1 = 0.1, p->m_rate2 = 0.2;
    else if (auto* p = As<CSampSize2Props>(d))
        p->m_significance = 3, p->m_power = 3, p->m_percent1 = 15, p->m_percent2 = 25;
    else if (auto* p = As<CSampSizeCC>(d))
        p->m_significance = 2, p->m_power = 1, p->m_ratio = 2, p->m_oddsRatio = 2.5, p->m_percentExposed = 20;
    else
        return false;
    return true;
}

bool SetPrecisionsAndOthers(CCalcBase* d)
{
    if (auto* p = As<CSampPrec1Mean>(d))
        p->m_level = 1, p->m_precision = 0.5, p->m_sd = 3;
    else if (auto* p = As<CSampPrec1Rate>(d))
        p->m_level = 1, p->m_precision = 0.01, p->m_rate = 0.05;
    else if (auto* p = As<CSampPrec1Prop>(d))
        p->m_level = 1, p->m_percent = 40, p->m_precision = 5;
    else if (auto* p = As<CSampPrec2Means>(d))
        p->m_level = 1, p->m_precision = 1, p->m_sd1 = 2, p->m_sd2 = 3;
    else if (auto* p = As<CSampPrec2Rates>(d))
        p->m_level = 1, p->m_precision = 0.02, p->m_rate1 = 0.1, p->m_rate2 = 0.15;
    else if (auto* p = As<CSampPrec2Props>(d))
        p->m_level = 1, p->m_percent1 = 30, p->m_percent2 = 45, p->m_precision = 6;
    else if (auto* p = As<CSampRanList>(d))
        p->m_seed = 30091, p->m_max = 50, p->m_min = 5, p->m_number = 10, p->m_unique = 1;
    else if (auto* p = As<CSampRanGroup>(d))
        p->m_seed = 7, p->m_groups = 3, p->m_number = 12;
    else if (auto* p = As<CSampRanGrpList>(d))
        p->m_seed = 8, p->m_max = 90, p->m_min = 10, p->m_groups = 2, p->m_number = 5, p->m_unique = 1;
    else if (auto* p = As<CSampRanTable>(d))
        p->m_seed = 9, p->m_digits = 4, p->m_number = 25;
    else if (auto* p = As<CProbChi>(d))
        p->m_chi2 = 3.84, p->m_df = 2;
    else if (auto* p = As<CPropT>(d))
        p->m_t = 2.1, p->m_df = 12;
    else if (auto* p = As<CPropZ>(d))
        p->m_z = 1.96;
    else
        return As<CNote>(d) != nullptr; // a note stores only the base
    return true;
}
} // namespace

bool SetNonDefaultInputs(CCalcBase* data)
{
    return SetDescribeAndCompare(data) || SetTables(data) || SetSampleSizes(data) || SetPrecisionsAndOthers(data);
}
