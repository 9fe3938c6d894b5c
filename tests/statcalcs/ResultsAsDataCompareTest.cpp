// The comparisons of two proportions, two rates and means, and the random numbers, as data: each
// made by field names gives the report it gives by control ids, its results stand on the report,
// undefined statistics are undefined results, and a new dialog shows the table's defaults.
#include "CSampRanGroup.h"
#include "CSampRanGrpList.h"
#include "CSampRanList.h"
#include "CSampRanTable.h"
#include "CalcTestSupport.h"
#include "DialogHost.h"
#include "FieldArgs.h"
#include "GetCalcBase.h"

#include <algorithm>
#include <cctype>
#include <memory>
#include <sstream>

namespace
{
class ResultsAsDataCompareTest : public CCalcTest
{
protected:
    /// A new random-number calculation from a fixed seed, entered by control ids or by names.
    CCalcRunResult RunSeeded(const std::string& code, uint32_t seed, const std::vector<std::string>& args, bool byNames)
    {
        CCalcRunRequest request;
        request.code = code;
        request.seed = seed;
        if (byNames) {
            std::unique_ptr<CCalcBase> calc(GetCalcBase(code));
            std::string error;
            EXPECT_TRUE(FieldActions(*calc->Fields(), args, request.actions, error)) << code << ": " << error;
        } else {
            request.actions = ParseActions(args);
        }
        return RunNewCalculation(request);
    }
};

/// The numbers of a random-number report after its heading, in order; lines with words (group
/// headings) are left out.
std::vector<std::string> ReportNumbers(const std::string& report)
{
    std::vector<std::string> numbers;
    std::istringstream lines(report.substr(report.find("\n\n") + 2));
    std::string line;
    while (std::getline(lines, line)) {
        bool words = false;
        for (const char c : line)
            words = words || std::isalpha(static_cast<unsigned char>(c));
        std::istringstream tokens(line);
        std::string token;
        while (!words && tokens >> token)
            numbers.push_back(token);
    }
    return numbers;
}

/// The estimate of result `key`, failing the test when it is missing.
double Estimate(const CResults& results, const std::string& key)
{
    const CResult* result = FindResult(results, key);
    EXPECT_NE(result, nullptr) << key;
    return result ? result->estimate : kNoValue;
}

const char* const kCodes[] = {"2110", "2120", "2500", "2610", "2620", "2630", "4310", "4320", "4330", "4340"};
} // namespace

TEST_F(ResultsAsDataCompareTest, TwoProportionsByNamesAndIds)
{
    const CCalcRunResult percent =
        ExpectResultsAsData("2110", {"1022=T", "1071=10", "1080=100", "1072=20", "1025=100", "+1021"},
                            {"title=T", "percentage1=10", "n1=100", "percentage2=20", "n2=100", "level=99"});
    // The difference is in percent, with its interval at the level chosen.
    EXPECT_NEAR(Estimate(percent.results, "difference"), 10.0, 1e-12);
    EXPECT_EQ(FindResult(percent.results, "difference")->level, "99%");
    EXPECT_NEAR(Estimate(percent.results, "p_z_two_tailed"), 2 * Estimate(percent.results, "p_z_one_tailed"), 1e-15);

    const CCalcRunResult counts = ExpectResultsAsData("2120", {"1022=T", "1081=15", "1082=60", "1083=30", "1084=80"},
                                                      {"title=T", "count1=15", "n1=60", "count2=30", "n2=80"});
    EXPECT_DOUBLE_EQ(Estimate(counts.results, "sample[1].percentage"), 25.0);
    EXPECT_DOUBLE_EQ(Estimate(counts.results, "sample[2].percentage"), 37.5);
    EXPECT_EQ(FindResult(counts.results, "difference")->level, "95%");

    // No events in either sample: no test, so neither the statistic nor its probabilities.
    const CCalcRunResult none = ExpectResultsAsData("2120", {"1022=T", "1081=0", "1082=10", "1083=0", "1084=10"},
                                                    {"title=T", "count1=0", "n1=10", "count2=0", "n2=10"});
    for (const char* key : {"z", "p_z_one_tailed", "p_z_two_tailed"})
        EXPECT_TRUE(FindResult(none.results, key)->Undefined()) << key;
}

TEST_F(ResultsAsDataCompareTest, RatesByNamesAndIds)
{
    const CCalcRunResult run = ExpectResultsAsData(
        "2500", {"1022=T", "+1021", "1085=12", "1087=4000", "1086=30", "1088=5000"},
        {"title=T", "level=99", "cases1=12", "person_time1=4000", "cases2=30", "person_time2=5000"});
    // Rates per 1000 units of person-time.
    EXPECT_DOUBLE_EQ(Estimate(run.results, "sample[1].rate"), 3.0);
    EXPECT_DOUBLE_EQ(Estimate(run.results, "sample[2].rate"), 6.0);
    EXPECT_NEAR(Estimate(run.results, "pooled_rate"), 1000 * 42.0 / 9000, 1e-12);
    EXPECT_NEAR(Estimate(run.results, "rate_difference"), 3.0, 1e-12);
    EXPECT_EQ(FindResult(run.results, "rate_difference")->level, "99%");

    const CCalcRunResult none =
        ExpectResultsAsData("2500", {"1022=T", "1085=0", "1087=100", "1086=0", "1088=100"},
                            {"title=T", "cases1=0", "person_time1=100", "cases2=0", "person_time2=100"});
    EXPECT_TRUE(FindResult(none.results, "z")->Undefined());
    EXPECT_TRUE(FindResult(none.results, "p_z_one_tailed")->Undefined());
}

TEST_F(ResultsAsDataCompareTest, MeansByNamesAndIds)
{
    const CCalcRunResult two = ExpectResultsAsData(
        "2610", {"1022=T", "1061=5.2", "1070=1.1", "1080=20", "1060=4.1", "1071=1.3", "1025=25", "+1021"},
        {"title=T", "mean1=5.2", "sd1=1.1", "n1=20", "mean2=4.1", "sd2=1.3", "n2=25", "level=99"});
    EXPECT_EQ(FindResult(two.results, "t")->df, 43);
    EXPECT_EQ(FindResult(two.results, "p_t_two_sided")->df, 43);
    EXPECT_NEAR(Estimate(two.results, "difference"), 1.1, 1e-12);

    const CCalcRunResult zero = ExpectResultsAsData("2620", {"1022=T", "1027=-2.5", "1028=4", "1024=16"},
                                                    {"title=T", "mean=-2.5", "sd=4", "n=16"});
    EXPECT_DOUBLE_EQ(Estimate(zero.results, "mean"), -2.5);
    EXPECT_DOUBLE_EQ(Estimate(zero.results, "t"), 2.5);
    EXPECT_EQ(FindResult(zero.results, "t")->df, 15);

    const CCalcRunResult given =
        ExpectResultsAsData("2630", {"1022=T", "1027=12", "1029=10", "1028=3", "1024=9", "+1021"},
                            {"title=T", "mean=12", "reference_mean=10", "sd=3", "n=9", "level=99"});
    EXPECT_DOUBLE_EQ(Estimate(given.results, "t"), 2.0);
    EXPECT_EQ(FindResult(given.results, "mean")->level, "99%");

    // One observation leaves no degrees of freedom: t has no probability.
    const CCalcRunResult single = ExpectResultsAsData("2630", {"1022=T", "1027=12", "1029=10", "1028=3", "1024=1"},
                                                      {"title=T", "mean=12", "reference_mean=10", "sd=3", "n=1"});
    EXPECT_TRUE(FindResult(single.results, "p_t_one_sided")->Undefined());
    EXPECT_TRUE(FindResult(single.results, "p_t_two_sided")->Undefined());
}

TEST_F(ResultsAsDataCompareTest, RandomNumbersAreTheResults)
{
    struct Case
    {
        const char* code;
        std::vector<std::string> byIds;
        std::vector<std::string> byNames;
        std::vector<std::string> keys; // the first and the last result
    };
    const Case cases[] = {
        {"4310",
         {"1022=T", "1076=8", "1075=1", "1074=50", "+1141", "+1145"},
         {"title=T", "count=8", "minimum=1", "maximum=50", "sorted=yes", "unique=yes"},
         {"number[1]", "number[8]"}},
        {"4320", {"1022=T", "1076=7", "1077=3"}, {"title=T", "count=7", "groups=3"}, {"number[1]", "number[7]"}},
        {"4330",
         {"1022=T", "1076=3", "1077=2", "1075=10", "1074=99", "+1141"},
         {"title=T", "count=3", "groups=2", "minimum=10", "maximum=99", "sorted=yes"},
         {"group[1].number[1]", "group[2].number[3]"}},
        {"4340", {"1022=T", "1076=6", "1078=3"}, {"title=T", "count=6", "digits=3"}, {"number[1]", "number[6]"}},
    };
    for (const Case& c : cases) {
        const CCalcRunResult ids = RunSeeded(c.code, 4242, c.byIds, false);
        const CCalcRunResult names = RunSeeded(c.code, 4242, c.byNames, true);
        ASSERT_EQ(names.outcome, CCalcRunResult::Written) << c.code << ": " << names.error;
        EXPECT_EQ(names.report, ids.report) << c.code;
        // Every number printed is a result with no decimals, in the order printed.
        const std::vector<std::string> printed = ReportNumbers(names.report);
        ASSERT_EQ(printed.size(), names.results.size()) << c.code;
        for (size_t i = 0; i < printed.size(); ++i) {
            EXPECT_EQ(names.results[i].estimate, std::stod(printed[i])) << c.code << " " << names.results[i].key;
            EXPECT_EQ(names.results[i].decimals, 0);
        }
        EXPECT_EQ(names.results.front().key, c.keys.front()) << c.code;
        EXPECT_EQ(names.results.back().key, c.keys.back()) << c.code;
        const auto seed = std::find_if(names.inputs.begin(), names.inputs.end(),
                                       [](const CInput& input) { return input.name == "seed"; });
        ASSERT_NE(seed, names.inputs.end()) << c.code;
        EXPECT_EQ(seed->number, 4242) << c.code;
    }
}

TEST_F(ResultsAsDataCompareTest, RandomNumbersFromStoredInputsAlone)
{
    // As opened from a document: the stored seed repeats the numbers of the run.
    const CCalcRunResult run = RunSeeded("4330", 77, {"count=4", "groups=3", "minimum=1", "maximum=500"}, true);
    CSampRanGrpList stored;
    stored.m_seed = 77;
    stored.m_number = 4;
    stored.m_groups = 3;
    stored.m_min = 1;
    stored.m_max = 500;
    const CResults results = stored.Results();
    ASSERT_EQ(results.size(), 12u);
    for (size_t i = 0; i < results.size(); ++i) {
        EXPECT_EQ(results[i].key, run.results[i].key);
        EXPECT_EQ(results[i].estimate, run.results[i].estimate);
    }

    // Nothing is drawn before a seed is fixed, nor from inputs the dialog would refuse.
    CSampRanList unseeded;
    unseeded.m_number = 5;
    EXPECT_TRUE(unseeded.Results().empty());
    EXPECT_EQ(unseeded.m_seed, 0u);
    CSampRanGroup noGroups;
    noGroups.m_seed = 1;
    noGroups.m_number = 5;
    EXPECT_TRUE(noGroups.Results().empty());
    CSampRanTable tooManyDigits;
    tooManyDigits.m_seed = 1;
    tooManyDigits.m_number = 1;
    tooManyDigits.m_digits = 17;
    EXPECT_TRUE(tooManyDigits.Results().empty());
}

TEST_F(ResultsAsDataCompareTest, NewDialogShowsTheDefaultsOfTheTable)
{
    for (const char* code : kCodes) {
        std::unique_ptr<CCalcBase> calc(GetCalcBase(code));
        ASSERT_NE(calc, nullptr) << code;
        const CFieldTable* table = calc->Fields();
        ASSERT_NE(table, nullptr) << code;
        CSnapshotHost host;
        SetDialogHost(&host);
        calc->SetTypeString(code);
        EXPECT_FALSE(calc->Do());
        SetDialogHost(nullptr);
        for (const CField& field : table->fields) {
            switch (field.kind) {
            case CFieldKind::Count:
            case CFieldKind::Number:
                EXPECT_EQ(host.m_texts[field.id], field.defaultValue) << code << " " << field.name;
                break;
            case CFieldKind::Flag:
                EXPECT_EQ(host.m_checked[field.id], field.defaultValue == "yes") << code << " " << field.name;
                break;
            case CFieldKind::Choice:
                for (const CFieldOption& option : field.options)
                    EXPECT_EQ(host.m_checked[option.id], option.value == field.defaultValue)
                        << code << " " << field.name << " " << option.value;
                break;
            case CFieldKind::Text:
                EXPECT_EQ(field.maxChars, 50) << code;
                break;
            }
        }
    }
}
