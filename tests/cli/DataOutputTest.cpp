// Results as data from zentavo-cli: JSON, CSV and TSV of `run` and `export` parse back, and every
// estimate is the number the report prints.
#include "CliDataSupport.h"

#include <cmath>
#include <filesystem>
#include <gtest/gtest.h>
#include <nlohmann/json.hpp>
#include <string>

namespace
{
const std::string kTable = "run 3200 a=12 b=5 c=3 d=20 exact=yes level=99 --title 'Cohort, \"A\"'";

/// The row of `rows` whose key column (2) is `key`, or null.
const std::vector<std::string>* RowOf(const std::vector<std::vector<std::string>>& rows, const std::string& key)
{
    for (const auto& row : rows)
        if (row.size() > 2 && row[2] == key)
            return &row;
    return nullptr;
}
} // namespace

TEST(CliDataOutput, JsonOfARunParsesBackWithEveryPrintedNumber)
{
    const CCliRun report = RunCli(kTable + Vocab());
    const CCliRun json = RunCli(kTable + " --format json" + Vocab());
    ASSERT_EQ(json.status, 0);
    ASSERT_EQ(json.out.back(), '\n');
    const nlohmann::json calculation = nlohmann::json::parse(json.out);
    EXPECT_EQ(calculation["type"], "3200");
    EXPECT_EQ(calculation["class"], "CCompUnstrat");
    EXPECT_EQ(calculation["caption"], "Contingency tables - Unstratified 2x2 table");
    EXPECT_EQ(calculation["title"], "Cohort, \"A\"");
    EXPECT_EQ(calculation["inputs"]["a"], 12); // a count, written as a whole number
    EXPECT_EQ(calculation["inputs"]["exact"], true);
    EXPECT_EQ(calculation["inputs"]["level"], "99");
    ExpectResultsPrinted(calculation, report.out);

    const nlohmann::json& first = calculation["results"][0];
    EXPECT_EQ(first["key"], "fisher_p_one_sided");
    EXPECT_EQ(first["probability"], true);
    EXPECT_TRUE(first["lower"].is_null());
    // Full precision, not the printed digits: the odds ratio is (12/5)/(3/20) = 16 exactly.
    for (const nlohmann::json& result : calculation["results"])
        if (result["key"] == "odds_ratio") {
            EXPECT_EQ(result["estimate"].get<double>(), 16.0);
            EXPECT_EQ(result["level"], "99%");
            EXPECT_LT(result["lower"].get<double>(), 16.0);
        }
}

TEST(CliDataOutput, UndefinedResultsAreNullNotNumbers)
{
    // A zero cell: the odds ratio divides by zero and prints "****".
    const CCliRun report = RunCli("run 3200 a=12 b=0 c=3 d=20" + Vocab());
    const CCliRun json = RunCli("run 3200 a=12 b=0 c=3 d=20 --format json" + Vocab());
    ASSERT_EQ(json.status, 0);
    const nlohmann::json calculation = nlohmann::json::parse(json.out);
    bool sawNull = false;
    for (const nlohmann::json& result : calculation["results"])
        sawNull = sawNull || result["estimate"].is_null();
    EXPECT_TRUE(sawNull) << json.out;
    ExpectResultsPrinted(calculation, report.out);
}

TEST(CliDataOutput, ANoteIsCaptionedWithItsOwnLabel)
{
    // A note's code names no groups: its caption is not joined from group codes' labels.
    const CCliRun json = RunCli("run 9999 --format json" + Vocab());
    ASSERT_EQ(json.status, 0) << json.out;
    const nlohmann::json note = nlohmann::json::parse(json.out);
    EXPECT_EQ(note["caption"], "Note");
    EXPECT_EQ(note["class"], "CNote");
}

TEST(CliDataOutput, CsvAndTsvHaveOneRowPerResultUnderOneHeader)
{
    const nlohmann::json calculation = nlohmann::json::parse(RunCli(kTable + " --format json" + Vocab()).out);
    for (const char* format : {"csv", "tsv"}) {
        const CCliRun run = RunCli(kTable + " --format " + format + Vocab());
        ASSERT_EQ(run.status, 0) << format;
        const auto rows = ReadRows(run.out, format[0] == 'c' ? ',' : '\t');
        ASSERT_EQ(rows.size(), calculation["results"].size() + 1) << run.out;
        EXPECT_EQ(rows[0], (std::vector<std::string>{"type", "title", "key", "label", "estimate", "lower", "upper",
                                                     "level", "df", "p"}));
        for (const nlohmann::json& result : calculation["results"]) {
            const auto* row = RowOf(rows, result["key"].get<std::string>());
            ASSERT_NE(row, nullptr) << result["key"];
            ASSERT_EQ(row->size(), 10u);
            EXPECT_EQ((*row)[0], "3200");
            EXPECT_EQ((*row)[1], "Cohort, \"A\""); // quoted in CSV, as is in TSV
            EXPECT_EQ((*row)[3], result["label"]);
            // A probability goes in p; the value reads back as the very double of the JSON.
            const std::string& value = result["probability"].get<bool>() ? (*row)[9] : (*row)[4];
            EXPECT_TRUE((result["probability"].get<bool>() ? (*row)[4] : (*row)[9]).empty());
            if (result["estimate"].is_null())
                EXPECT_TRUE(value.empty());
            else
                EXPECT_EQ(std::stod(value), result["estimate"].get<double>()) << result["key"];
        }
    }
}

TEST(CliDataOutput, ExportWritesEveryCalculationOfADocumentAsData)
{
    const std::string doc = ScratchPath("data.zna");
    std::filesystem::remove(doc);
    ASSERT_EQ(RunCli(kTable + " --doc '" + doc + "'" + Vocab() + " >/dev/null").status, 0);
    ASSERT_EQ(RunCli("run 9999 --doc '" + doc + "'" + Vocab() + " >/dev/null").status, 0);
    ASSERT_EQ(RunCli("run 3200 a=1 b=2 c=3 d=4 exact=no --doc '" + doc + "'" + Vocab() + " >/dev/null").status, 0);

    const CCliRun text = RunCli("export '" + doc + "'" + Vocab());
    const CCliRun json = RunCli("export '" + doc + "' --format json" + Vocab());
    ASSERT_EQ(json.status, 0);
    std::vector<nlohmann::json> records;
    for (size_t start = 0, end; (end = json.out.find('\n', start)) != std::string::npos; start = end + 1)
        records.push_back(nlohmann::json::parse(json.out.substr(start, end - start)));
    ASSERT_EQ(records.size(), 3u) << json.out;
    size_t resultCount = 0, notes = 0;
    for (const nlohmann::json& record : records) {
        ExpectResultsPrinted(record, text.out);
        resultCount += record["results"].size();
        if (record["class"] == "CNote") {
            ++notes;
            EXPECT_TRUE(record["results"].empty());
        } else if (record["title"] == "Cohort, \"A\"") {
            // The same as run wrote for the calculation.
            EXPECT_EQ(record, nlohmann::json::parse(RunCli(kTable + " --format json" + Vocab()).out));
        } else {
            EXPECT_EQ(record["inputs"]["d"], 4);
        }
    }
    EXPECT_EQ(notes, 1u);

    // Into a file named by its extension; CSV skips the note.
    const std::string csv = ScratchPath("data.csv");
    ASSERT_EQ(RunCli("export '" + doc + "' '" + csv + "'" + Vocab()).status, 0);
    const auto parsed = ReadRows(ReadWholeFile(csv), ',');
    EXPECT_EQ(parsed.size(), 1 + resultCount);
    EXPECT_EQ(RunCli("export '" + doc + "' --format xml" + Vocab() + " 2>/dev/null").status, 1);
    std::filesystem::remove(doc);
    std::filesystem::remove(csv);
}
