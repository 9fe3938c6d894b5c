// run --batch: one calculation per line, from a file or standard input; a failing line is
// reported with its number and the others still run.
#include "CliDataSupport.h"

#include <filesystem>
#include <fstream>
#include <gtest/gtest.h>
#include <nlohmann/json.hpp>
#include <string>

namespace
{
std::string WriteBatch(const std::string& name, const std::string& text)
{
    std::string path = ScratchPath(name);
    std::ofstream(path, std::ios::binary) << text;
    return path;
}

std::vector<std::string> Lines(const std::string& text)
{
    std::vector<std::string> lines;
    for (size_t start = 0, end; (end = text.find('\n', start)) != std::string::npos; start = end + 1)
        lines.push_back(text.substr(start, end - start));
    return lines;
}
} // namespace

TEST(CliBatch, ABadLineIsReportedAndTheOthersStillRun)
{
    const std::string batch = WriteBatch("bad.batch", "# tables of the study\n"
                                                      "3200 a=12 b=5 c=3 d=20 title=\"First table\"\n"
                                                      "\n"
                                                      "3200 a=12 b=5 c=3 d=lots\n"
                                                      "1000\n"
                                                      "3200 a=1 b=2 c=3 d=4 --title Last\n");
    const std::string errors = ScratchPath("bad.err");
    const CCliRun run = RunCli("run --batch '" + batch + "' --format json" + Vocab() + " 2>'" + errors + "'");
    EXPECT_EQ(run.status, 2);
    const std::vector<std::string> lines = Lines(run.out);
    ASSERT_EQ(lines.size(), 2u) << run.out;
    EXPECT_EQ(nlohmann::json::parse(lines[0])["title"], "First table");
    EXPECT_EQ(nlohmann::json::parse(lines[1])["title"], "Last");
    const std::vector<std::string> messages = Lines(ReadWholeFile(errors));
    ASSERT_EQ(messages.size(), 2u);
    EXPECT_EQ(messages[0].rfind("zentavo-cli: line 4: d: ", 0), 0u) << messages[0];
    EXPECT_EQ(messages[1].rfind("zentavo-cli: line 5: 1000 is a group", 0), 0u) << messages[1];

    // All good: exit 0, the same records as single runs.
    const std::string good = WriteBatch("good.batch", "3200 a=12 b=5 c=3 d=20\n");
    const CCliRun ok = RunCli("run --batch '" + good + "' --format json" + Vocab());
    EXPECT_EQ(ok.status, 0);
    EXPECT_EQ(ok.out, RunCli("run 3200 a=12 b=5 c=3 d=20 --format json" + Vocab()).out);
    std::filesystem::remove(batch);
    std::filesystem::remove(errors);
    std::filesystem::remove(good);
}

TEST(CliBatch, ReadsStandardInputAndWritesEachFormat)
{
    const std::string input =
        " < '" + WriteBatch("stdin.batch", "3200 a=12 b=5 c=3 d=20\n3200 a=1 b=2 c=3 d=4 exact=no\n") + "'";
    const CCliRun csv = RunCli("run --batch - --format csv" + Vocab() + input);
    ASSERT_EQ(csv.status, 0) << csv.out;
    const auto rows = ReadRows(csv.out, ',');
    const auto one = nlohmann::json::parse(RunCli("run 3200 a=12 b=5 c=3 d=20 --format json" + Vocab()).out);
    const auto two = nlohmann::json::parse(RunCli("run 3200 a=1 b=2 c=3 d=4 exact=no --format json" + Vocab()).out);
    EXPECT_EQ(rows.size(), 1 + one["results"].size() + two["results"].size()); // one header

    const CCliRun text = RunCli("run --batch -" + Vocab() + input);
    const std::string first = RunCli("run 3200 a=12 b=5 c=3 d=20" + Vocab()).out;
    const std::string second = RunCli("run 3200 a=1 b=2 c=3 d=4 exact=no" + Vocab()).out;
    EXPECT_EQ(text.out, first + "\f\n" + second + "\f\n");
    std::filesystem::remove(ScratchPath("stdin.batch"));
}

TEST(CliBatch, UsageAndFileErrorsExitWithOne)
{
    EXPECT_EQ(RunCli("run --batch /nonexistent/tables" + Vocab() + " 2>/dev/null").status, 1);
    EXPECT_EQ(RunCli("run 3200 --batch /dev/null" + Vocab() + " 2>/dev/null").status, 1);
    const std::string quote = WriteBatch("quote.batch", "3200 a=1 b=2 c=3 d=4 title=\"open\n");
    const CCliRun unclosed = RunCli("run --batch '" + quote + "'" + Vocab() + " 2>&1 >/dev/null");
    EXPECT_EQ(unclosed.status, 2);
    EXPECT_EQ(unclosed.out, "zentavo-cli: line 1: a quote is not closed\n");
    std::filesystem::remove(quote);
}
