// Tests of the sample-size and precision calculations' inputs as named fields and sizes as
// results: the same report by control ids and by names, sizes as the report prints them,
// undefined sizes, the field tables against their dialogs, and results of stored inputs.
#include "CDialog.h"
#include "CSampPrec2Rates.h"
#include "CSampSize2Means.h"
#include "CSampSizeCC.h"
#include "CalcTestSupport.h"
#include "FieldArgs.h"
#include "Format.h"
#include "GetCalcBase.h"
#include "SampleTables.h"

#include <cmath>
#include <map>
#include <memory>

namespace
{
class ResultsAsDataSampleTest : public CCalcTest
{
protected:
    /// The size `key` of a run's results (NaN when the run lacks it, which fails the test).
    static double Size(const CCalcRunResult& run, const std::string& key)
    {
        const CResult* result = FindResult(run.results, key);
        EXPECT_NE(result, nullptr) << key;
        return result ? result->estimate : kNoValue;
    }
};

const char* const kCodes[] = {"4110", "4120", "4130", "4140", "4150", "4160", "4170",
                              "4210", "4220", "4230", "4240", "4250", "4260"};

/// A worked example of each calculation by field names, with the default choices.
const std::map<std::string, std::vector<std::string>>& Examples()
{
    static const std::map<std::string, std::vector<std::string>> examples = {
        {"4110", {"mean=105", "null_mean=100", "sd=10"}},
        {"4120", {"rate=5", "null_rate=3"}},
        {"4130", {"percentage=20", "null_percentage=50"}},
        {"4140", {"mean1=10", "mean2=15", "sd=10"}},
        {"4150", {"rate1=10", "rate2=20"}},
        {"4160", {"percentage1=10", "percentage2=20"}},
        {"4170", {"controls_per_case=2", "odds_ratio=2", "percentage_exposed=20"}},
        {"4210", {"sd=10", "precision=2"}},
        {"4220", {"rate=10", "precision=1"}},
        {"4230", {"percentage=50", "precision=5"}},
        {"4240", {"sd1=3", "sd2=4", "precision=2"}},
        {"4250", {"rate1=10", "rate2=20", "precision=2"}},
        {"4260", {"percentage1=10", "percentage2=20", "precision=5"}},
    };
    return examples;
}

std::vector<std::string> With(std::vector<std::string> args, const std::vector<std::string>& more)
{
    args.insert(args.end(), more.begin(), more.end());
    return args;
}
} // namespace

TEST_F(ResultsAsDataSampleTest, SingleSampleSizesByIdsAndByNames)
{
    // (1.28 + 2.58)^2 10^2 / 5^2 = 59.60 at significance 0.01 and power 90 %.
    CCalcRunResult run =
        ExpectResultsAsData("4110", {"1022=T", "1027=105", "1056=100", "1028=10", "+1055", "+1049"},
                            {"title=T", "mean=105", "null_mean=100", "sd=10", "significance=0.01", "power=90"});
    EXPECT_EQ(Size(run, "sample_size"), 59);
    // (1.64 + 1.64)^2 5 / 2^2 = 13.45 at 0.10 and 95 %.
    run = ExpectResultsAsData("4120", {"1022=T", "1057=5", "1058=3", "+1052", "+1050"},
                              {"title=T", "rate=5", "null_rate=3", "significance=0.10", "power=95"});
    EXPECT_EQ(Size(run, "sample_size"), 13);
    run = ExpectResultsAsData("4130", {"1022=T", "1059=20", "1058=50", "+1049"},
                              {"title=T", "percentage=20", "null_percentage=50", "power=90"});
    EXPECT_EQ(Size(run, "sample_size"), 24);
    ASSERT_EQ(run.results.size(), 1u);
    EXPECT_EQ(run.results[0].decimals, 0);
    EXPECT_FALSE(run.results[0].HasInterval());
}

TEST_F(ResultsAsDataSampleTest, TwoGroupSizesByIdsAndByNames)
{
    // 100 x 2 x (0.84 + 2.33)^2 / 25 = 80.39 per group at significance 0.02.
    CCalcRunResult run = ExpectResultsAsData("4140", {"1022=T", "1061=10", "1060=15", "1028=10", "+1054"},
                                             {"title=T", "mean1=10", "mean2=15", "sd=10", "significance=0.02"});
    EXPECT_EQ(Size(run, "sample_size_per_group"), 80);
    EXPECT_EQ(Size(run, "sample_size_total"), 160);
    // (2.33 + 1.96)^2 30 / 100 = 5.52 per group at power 99 %.
    run = ExpectResultsAsData("4150", {"1022=T", "1062=10", "1063=20", "+1051"},
                              {"title=T", "rate1=10", "rate2=20", "power=99"});
    EXPECT_EQ(Size(run, "sample_size_per_group"), 5);
    EXPECT_EQ(Size(run, "sample_size_total"), 10);
    // Fleiss at significance 0.10: 155.79 per group.
    run = ExpectResultsAsData("4160", {"1022=T", "1064=10", "1065=20", "+1052"},
                              {"title=T", "percentage1=10", "percentage2=20", "significance=0.10"});
    EXPECT_EQ(Size(run, "sample_size_per_group"), 155);
    EXPECT_EQ(Size(run, "sample_size_total"), 310);
}

TEST_F(ResultsAsDataSampleTest, CaseControlSizesByIdsAndByNames)
{
    // n = 203.44 at power 90 %; three controls per case spread it as 152.58 cases, 457.73 controls.
    const CCalcRunResult run =
        ExpectResultsAsData("4170", {"1022=T", "1066=3", "1067=2", "1059=20", "+1049"},
                            {"title=T", "controls_per_case=3", "odds_ratio=2", "percentage_exposed=20", "power=90"});
    EXPECT_EQ(Size(run, "sample_size_cases"), 152);
    EXPECT_EQ(Size(run, "sample_size_controls"), 457);
    EXPECT_EQ(Size(run, "sample_size_total"), 609);
    ASSERT_FALSE(run.inputs.empty());
    EXPECT_EQ(run.inputs[0].name, "controls_per_case");
    EXPECT_EQ(run.inputs[0].number, 3);
}

TEST_F(ResultsAsDataSampleTest, PrecisionSizesByIdsAndByNames)
{
    // At the 99 % level (deviate 2.58): 100 / (2 / 2.58)^2 = 166.41.
    CCalcRunResult run = ExpectResultsAsData("4210", {"1022=T", "1028=10", "1069=2", "+1021"},
                                             {"title=T", "sd=10", "precision=2", "level=99"});
    EXPECT_EQ(Size(run, "sample_size"), 166);
    run = ExpectResultsAsData("4220", {"1022=T", "1057=10", "1069=1", "+1021"},
                              {"title=T", "rate=10", "precision=1", "level=99"});
    EXPECT_EQ(Size(run, "sample_size"), 66);
    run = ExpectResultsAsData("4230", {"1022=T", "1023=50", "1069=5", "+1021"},
                              {"title=T", "percentage=50", "precision=5", "level=99"});
    EXPECT_EQ(Size(run, "sample_size"), 665);
    run = ExpectResultsAsData("4240", {"1022=T", "1070=3", "1071=4", "1069=2", "+1021"},
                              {"title=T", "sd1=3", "sd2=4", "precision=2", "level=99"});
    EXPECT_EQ(Size(run, "sample_size_per_group"), 41);
    EXPECT_EQ(Size(run, "sample_size_total"), 82);
    run = ExpectResultsAsData("4250", {"1022=T", "1062=10", "1063=20", "1069=2", "+1021"},
                              {"title=T", "rate1=10", "rate2=20", "precision=2", "level=99"});
    EXPECT_EQ(Size(run, "sample_size_per_group"), 49);
    EXPECT_EQ(Size(run, "sample_size_total"), 98);
    run = ExpectResultsAsData("4260", {"1022=T", "1071=10", "1072=20", "1069=5", "+1021"},
                              {"title=T", "percentage1=10", "percentage2=20", "precision=5", "level=99"});
    EXPECT_EQ(Size(run, "sample_size_per_group"), 665);
    EXPECT_EQ(Size(run, "sample_size_total"), 1330);
}

TEST_F(ResultsAsDataSampleTest, SizesThatCannotBeFormedAreUndefined)
{
    // The report prints "****" in the sizes' own width; the results say undefined, and a total
    // past 32 bits is undefined while its group size is not.
    const std::string stars = Format("%7s", "****");
    CCalcRunResult run = RunByNames("4110", {"title=T", "mean=0", "null_mean=0.000000001", "sd=10"});
    ASSERT_EQ(run.outcome, CCalcRunResult::Written);
    EXPECT_TRUE(std::isnan(Size(run, "sample_size")));
    EXPECT_EQ(ReportLine(run.report, "Sample size"), ResultLine("Sample size", stars, ""));

    run = RunByNames("4250", {"title=T", "rate1=1000000", "rate2=0", "precision=0.05"});
    ASSERT_EQ(run.outcome, CCalcRunResult::Written);
    EXPECT_EQ(Size(run, "sample_size_per_group"), 1536639999);
    EXPECT_TRUE(std::isnan(Size(run, "sample_size_total")));
    EXPECT_NE(run.report.find(ResultLine("", stars, "in total")), std::string::npos) << run.report;

    run = RunByNames("4170", {"title=T", "odds_ratio=1", "percentage_exposed=20"});
    ASSERT_EQ(run.outcome, CCalcRunResult::Written);
    for (const char* key : {"sample_size_cases", "sample_size_controls", "sample_size_total"})
        EXPECT_TRUE(std::isnan(Size(run, key))) << key;
}

TEST_F(ResultsAsDataSampleTest, FieldTablesDescribeTheirDialogs)
{
    for (const char* code : kCodes) {
        std::unique_ptr<CCalcBase> calc(GetCalcBase(code));
        ASSERT_TRUE(calc) << code;
        calc->SetTypeString(code);
        const CFieldTable* table = calc->Fields();
        ASSERT_NE(table, nullptr) << code;
        ASSERT_FALSE(table->fields.empty()) << code;
        EXPECT_EQ(table->fields.back().name, "title") << code;
        // A new calculation's dialog shows each field's default, and has every control the table names.
        Probe(*calc, [&](CDialog& dialog) {
            for (const CField& field : table->fields) {
                EXPECT_FALSE(field.labelKey.empty()) << code << " " << field.name;
                EXPECT_EQ(table->Find(field.name), &field) << code << ": " << field.name << " twice";
                if (field.kind == CFieldKind::Choice) {
                    bool hasDefault = false;
                    for (const CFieldOption& option : field.options) {
                        EXPECT_NE(dialog.GetTemplate().Find(option.id), nullptr) << code << " " << field.name;
                        EXPECT_EQ(dialog.IsDlgButtonChecked(option.id) != 0, option.value == field.defaultValue)
                            << code << " " << field.name << "=" << option.value;
                        hasDefault = hasDefault || option.value == field.defaultValue;
                    }
                    EXPECT_TRUE(hasDefault) << code << " " << field.name;
                } else {
                    EXPECT_NE(dialog.GetTemplate().Find(field.id), nullptr) << code << " " << field.name;
                    if (field.kind != CFieldKind::Text) {
                        EXPECT_EQ(dialog.GetDlgItemText(field.id), field.defaultValue) << code << " " << field.name;
                    }
                }
            }
        });
        // Every field is among the stored inputs, in the table's order.
        const CInputs inputs = calc->Inputs();
        ASSERT_EQ(inputs.size(), table->fields.size()) << code;
        for (size_t i = 0; i < inputs.size(); ++i)
            EXPECT_EQ(inputs[i].name, table->fields[i].name) << code;
        for (const CField& field : table->fields)
            CCalcBase::Term(field.labelKey);
    }
    EXPECT_TRUE(m_fallbacks.empty()) << m_fallbacks.front();
}

TEST_F(ResultsAsDataSampleTest, DialogsRefuseWhatTheirFieldsDoNotTake)
{
    // Every limit of a table is the one its dialog enforces: just past it is refused with the
    // focus on that field, the limit itself is taken.
    for (const char* code : kCodes) {
        const std::vector<std::string>& example = Examples().at(code);
        const CCalcRunResult plain = RunByNames(code, With(example, {"title=T"}));
        EXPECT_EQ(plain.outcome, CCalcRunResult::Written) << code;
        const CFieldTable& table = *std::unique_ptr<CCalcBase>(GetCalcBase(code))->Fields();
        for (const CField& field : table.fields) {
            if (field.kind != CFieldKind::Number && field.kind != CFieldKind::Count)
                continue;
            const bool count = field.kind == CFieldKind::Count;
            std::vector<std::pair<double, bool>> probes; // value, taken
            if (field.maximum)
                probes.insert(probes.end(), {{*field.maximum, true}, {*field.maximum + (count ? 1 : 0.5), false}});
            if (field.minimum)
                probes.push_back({*field.minimum - 1, false});
            for (const auto& [value, taken] : probes) {
                const std::string arg = field.name + "=" + Format("%.15g", value);
                const CCalcRunResult run = RunByNames(code, With(example, {"title=T", arg}));
                if (taken) {
                    EXPECT_EQ(run.outcome, CCalcRunResult::Written) << code << " " << arg;
                    continue;
                }
                EXPECT_TRUE(run.refusedOpen) << code << " " << arg;
                EXPECT_EQ(FieldNameOfId(table, run.finalFocusId), field.name) << code << " " << arg;
            }
        }
    }
}

TEST_F(ResultsAsDataSampleTest, StoredInputsGiveResultsWithoutTheDialog)
{
    // As a calculation read from a document: its members alone make the results.
    CSampSize2Means means;
    means.m_mean1 = 10;
    means.m_mean2 = 15;
    means.m_sd = 10;
    means.m_power = 3;
    CResults results = means.Results();
    // 100 x 2 x (2.33 + 1.96)^2 / 25 = 147.23.
    ASSERT_EQ(results.size(), 2u);
    EXPECT_EQ(results[0].key, "sample_size_per_group");
    EXPECT_EQ(results[0].estimate, 147);
    EXPECT_EQ(results[1].estimate, 294);
    const CInputs inputs = means.Inputs();
    ASSERT_EQ(inputs.size(), 6u);
    EXPECT_EQ(inputs[3].name, "significance");
    EXPECT_EQ(inputs[3].text, "0.05");
    EXPECT_EQ(inputs[4].text, "99");

    CSampPrec2Rates rates;
    rates.m_rate1 = 10;
    rates.m_rate2 = 20;
    rates.m_precision = 2;
    rates.m_level = 1;
    EXPECT_EQ(rates.Results().at(0).estimate, 49);
    EXPECT_EQ(rates.Inputs().at(3).text, "99");

    // An empty calculation has nothing to divide by: undefined, not a crash or a number.
    for (const CResult& result : CSampSizeCC().Results())
        EXPECT_TRUE(result.Undefined()) << result.key;
}

TEST(SampleTablesTest, SizesAsResults)
{
    EXPECT_EQ(SizeResult("n", "55", 42).estimate, 42);
    EXPECT_TRUE(SizeResult("n", "55", std::nullopt).Undefined());
    EXPECT_EQ(SizeOf(SizeResult("n", "55", 2147483647)), 2147483647);
    EXPECT_EQ(SizeOf(SizeResult("n", "55", std::nullopt)), std::nullopt);
    // The total is formed in 64 bits, so two halves that fit do not wrap into a wrong size.
    EXPECT_EQ(TotalSize(2000000000, 2000000000), std::nullopt);
    EXPECT_EQ(TotalSize(2147483646, 1), 2147483647);
    EXPECT_EQ(TotalSize(std::nullopt, 1), std::nullopt);
    EXPECT_EQ(ChoiceValue(SignificanceField(), 3), "0.01");
    EXPECT_EQ(ChoiceValue(PowerField(), 4), "");
}
