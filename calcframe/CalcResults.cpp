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

CInput& CInputList::Push(const std::string& name, CInput::Kind kind)
{
    CInput& input = m_inputs.emplace_back();
    input.name = name;
    input.kind = kind;
    return input;
}

CInputList& CInputList::Number(const std::string& name, double value)
{
    Push(name, CInput::Number).number = value;
    return *this;
}

CInputList& CInputList::Flag(const std::string& name, bool value)
{
    Push(name, CInput::Flag).flag = value;
    return *this;
}

CInputList& CInputList::Text(const std::string& name, const std::string& value)
{
    Push(name, CInput::Text).text = value;
    return *this;
}

CInputList& CInputList::Rows(const std::string& name, std::vector<std::vector<double>> rows)
{
    Push(name, CInput::Rows).rows = std::move(rows);
    return *this;
}
