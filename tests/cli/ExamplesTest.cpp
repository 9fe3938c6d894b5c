// The worked examples of tests/data/cli-examples.batch: each line run by field names, as text
// and as JSON, gives results as data that are the numbers its report prints.
#include "CliDataSupport.h"

#include <gtest/gtest.h>
#include <nlohmann/json.hpp>
#include <set>
#include <sstream>
#include <string>

namespace
{
/// The lines of the examples file that hold an example.
std::vector<std::string> Examples()
{
    std::istringstream in(ReadWholeFile(TestDataPath("cli-examples.batch")));
    std::vector<std::string> examples;
    for (std::string line; std::getline(in, line);)
        if (!line.empty() && line[0] != '#')
            examples.push_back(line);
    return examples;
}

} // namespace

TEST(CliExamples, EveryExampleIsPrintedAsItsResultsSay)
{
    const std::vector<std::string> examples = Examples();
    ASSERT_FALSE(examples.empty());
    for (const std::string& example : examples) {
        // The shell groups a double-quoted value as the batch reader does.
        const CCliRun text = RunCli("run " + example + Vocab());
        ASSERT_EQ(text.status, 0) << example;
        const CCliRun json = RunCli("run " + example + " --format json" + Vocab());
        ASSERT_EQ(json.status, 0) << example;
        const nlohmann::json calculation = nlohmann::json::parse(json.out);
        EXPECT_EQ(calculation["type"], example.substr(0, 4));
        EXPECT_FALSE(calculation["results"].empty()) << example;
        ExpectResultsPrinted(calculation, text.out);
    }
    // The whole file as a batch runs every line.
    const CCliRun batch = RunCli("run --batch '" + TestDataPath("cli-examples.batch") + "' --format json" + Vocab());
    EXPECT_EQ(batch.status, 0);
    size_t records = 0;
    for (char c : batch.out)
        records += c == '\n';
    EXPECT_EQ(records, examples.size());
}

TEST(CliExamples, EveryTypeHasAnExample)
{
    std::set<std::string> covered;
    for (const std::string& example : Examples())
        covered.insert(example.substr(0, 4));
    const CCliRun types = RunCli("types" + Vocab());
    std::istringstream in(types.out);
    for (std::string line; std::getline(in, line);)
        EXPECT_TRUE(covered.count(line.substr(0, 4))) << line;
}
