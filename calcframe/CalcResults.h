// A calculation's results as data: what its report prints, as numbers with stable names, and
// the inputs it was computed from, by field name. The report is one rendering of the results;
// the command-line tool's JSON and CSV are others.
#pragma once

#include <cmath>
#include <limits>
#include <string>
#include <vector>

constexpr double kNoValue = std::numeric_limits<double>::quiet_NaN();

/// One printed result: an estimate, with its interval where it has one, or a test statistic, or
/// the probability of a test.
struct CResult
{
    std::string key;            // stable English name: "risk_ratio", "p_chi2_yates"
    std::string label;          // vocabulary keys of the label, separated by spaces ("89 90")
    double estimate = kNoValue; // not finite when undefined
    double lower = kNoValue;    // the interval, when there is one
    double upper = kNoValue;
    std::string level;        // the interval's confidence level ("95%"), empty without one
    double df = kNoValue;     // degrees of freedom of a test statistic or probability
    int decimals = 2;         // as printed
    bool probability = false; // the estimate is the probability of a test

    bool Undefined() const { return !std::isfinite(estimate); }
    bool HasInterval() const { return !level.empty(); }
};

using CResults = std::vector<CResult>;

/// Builders of the four shapes of result.
CResult EstimateResult(const std::string& key, const std::string& label, double estimate, int decimals);
CResult IntervalResult(const std::string& key, const std::string& label, double estimate, double lower, double upper,
                       const std::string& level, int decimals);
CResult StatisticResult(const std::string& key, const std::string& label, double statistic, double df, int decimals);
/// The probability p of a test whose statistic is `statistic`: undefined when the statistic is
/// not finite, whatever a tail formula gives for it.
CResult ProbabilityResult(const std::string& key, const std::string& label, double statistic, double p, double df,
                          int decimals);

/// The result named `key`, or null.
const CResult* FindResult(const CResults& results, const std::string& key);

/// One input of a calculation by its field name: a number (counts and numbers), a flag, a text
/// (texts and choices) or rows of numbers (list entries).
struct CInput
{
    enum Kind
    {
        Number,
        Flag,
        Text,
        Rows,
    };
    std::string name;
    Kind kind = Number;
    double number = 0;
    bool flag = false;
    std::string text;
    std::vector<std::vector<double>> rows;
};

using CInputs = std::vector<CInput>;

/// Builders of the inputs list, in the field table's order.
class CInputList
{
public:
    CInputList& Number(const std::string& name, double value);
    CInputList& Flag(const std::string& name, bool value);
    CInputList& Text(const std::string& name, const std::string& value);
    CInputList& Rows(const std::string& name, std::vector<std::vector<double>> rows);
    CInputs Take() { return std::move(m_inputs); }

private:
    CInput& Push(const std::string& name, CInput::Kind kind);

    CInputs m_inputs;
};
