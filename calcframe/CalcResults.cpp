// A calculation's results and inputs as data.
#include "CalcResults.h"

#include <utility>

CResult EstimateResult(const std::string& key, const std::string& label, double estimate, int decimals)
{
    CResult result;
    result.key = key;
    result.label = label;
    result.estimate = estimate;
    result.decimals = decimals;
    return result;
}

CResult IntervalResult(const std::string& key, const std::string& label, double estimate, double lower, double upper,
                       const std::string& level, int decimals)
{
    CResult result = EstimateResult(key, label, estimate, decimals);
    result.lower = lower;
    result.upper = upper;
    result.level = level;
    return result;
}

CResult StatisticResult(const std::string& key, const std::string& label, double statistic, double df, int decimals)
{
    CResult result = EstimateResult(key, label, statistic, decimals);
    result.df = df;
    return result;
}

CResult ProbabilityResult(const std::string& key, const std::string& label, double statistic, double p, double df,
                          int decimals)
{
    CResult result = StatisticResult(key, label, std::isfinite(statistic) ? p : kNoValue, df, decimals);
    result.probability = true;
    return result;
}

const CResult* FindResult(const CResults& results, const std::string& key)
{
    for (const CResult& result : results)
        if (result.key == key)
            return &result;
    return nullptr;
}

CInputList& CInputList::Number(const std::string& name, double value)
{
    CInput input;
    input.name = name;
    input.kind = CInput::Number;
    input.number = value;
    m_inputs.push_back(std::move(input));
    return *this;
}

CInputList& CInputList::Flag(const std::string& name, bool value)
{
    CInput input;
    input.name = name;
    input.kind = CInput::Flag;
    input.flag = value;
    m_inputs.push_back(std::move(input));
    return *this;
}

CInputList& CInputList::Text(const std::string& name, const std::string& value)
{
    CInput input;
    input.name = name;
    input.kind = CInput::Text;
    input.text = value;
    m_inputs.push_back(std::move(input));
    return *this;
}

CInputList& CInputList::Rows(const std::string& name, std::vector<std::vector<double>> rows)
{
    CInput input;
    input.name = name;
    input.kind = CInput::Rows;
    input.rows = std::move(rows);
    m_inputs.push_back(std::move(input));
    return *this;
}
