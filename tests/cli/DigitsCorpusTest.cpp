// The same-digits corpus of tests/data/digits/: zentavo-cli must print, byte for byte, the
// reports stored there (made by tools/make-digits-corpus.py). The worked examples are stored
// whole; each seeded input of a type carries the 64-bit FNV-1a digest of its report, and a
// report that differs is printed in full with its input line.
#include "OsFiles.h"
#include "TestSupport.h"

#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <gtest/gtest.h>
#include <iterator>
#include <sstream>
#include <string>
#include <vector>

namespace
{
std::string ReadFile(const std::string& path)
{
    std::ifstream file(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>());
}

std::string DigitsPath(const std::string& name)
{
    return TestDataPath("digits/" + name);
}

/// The text reports of a batch run, which ends each with a form-feed line.
std::vector<std::string> SplitReports(const std::string& out)
{
    std::vector<std::string> reports;
    size_t start = 0;
    for (size_t end; (end = out.find("\f\n", start)) != std::string::npos; start = end + 2)
        reports.push_back(out.substr(start, end - start));
    if (start < out.size())
        reports.push_back(out.substr(start)); // an unterminated last report still counts
    return reports;
}

std::string Digest(const std::string& text)
{
    uint64_t hash = 0xcbf29ce484222325u;
    for (unsigned char c : text) {
        hash ^= c;
        hash *= 0x100000001b3u;
    }
    char hex[17];
    std::snprintf(hex, sizeof hex, "%016llx", static_cast<unsigned long long>(hash));
    return hex;
}

/// The type codes that have a file of seeded inputs.
std::vector<std::string> CorpusTypes()
{
    std::vector<std::string> codes;
    for (const auto& entry : std::filesystem::directory_iterator(os::PathFromUtf8(DigitsPath(""))))
        if (entry.path().extension() == ".batch")
            codes.push_back(entry.path().stem().string());
    std::sort(codes.begin(), codes.end());
    return codes;
}

/// A stored input line and the digest of its report.
struct CEntry
{
    std::string digest;
    std::string line;
};

std::vector<CEntry> ReadEntries(const std::string& path)
{
    std::istringstream in(ReadFile(path));
    std::vector<CEntry> entries;
    std::string digest;
    for (std::string line; std::getline(in, line);) {
        if (line.size() == 18 && line.compare(0, 2, "# ") == 0)
            digest = line.substr(2);
        else if (!line.empty() && line[0] != '#')
            entries.push_back({digest, line});
    }
    return entries;
}

std::string RunBatch(const std::string& path, int& status)
{
    const CCliRun run = RunCli("run --batch '" + path + "' --vocab '" + ShippedVocabularyPath() + "'");
    status = run.status;
    return run.out;
}

#ifdef ZENTAVO_SAMPLE_DIGITS
// The sanitizer build checks memory and behaviour, not digits: every tenth input is enough.
constexpr size_t kEveryNth = 10;
#else
constexpr size_t kEveryNth = 1;
#endif

class DigitsCorpus : public ::testing::TestWithParam<std::string>
{};
} // namespace

TEST(DigitsCorpus, WorkedExamplesPrintTheStoredReports)
{
    int status = -1;
    const std::string actual = RunBatch(TestDataPath("cli-examples.batch"), status);
    ASSERT_EQ(status, 0);
    const std::vector<std::string> got = SplitReports(actual);
    const std::vector<std::string> want = SplitReports(ReadFile(DigitsPath("examples.txt")));
    ASSERT_FALSE(want.empty());
    ASSERT_EQ(got.size(), want.size());
    for (size_t i = 0; i < want.size(); ++i)
        EXPECT_EQ(got[i], want[i]) << "worked example " << i + 1;
    EXPECT_EQ(actual, ReadFile(DigitsPath("examples.txt")));
}

TEST_P(DigitsCorpus, SeededInputsPrintTheStoredReports)
{
    std::string path = DigitsPath(GetParam() + ".batch");
    std::vector<CEntry> entries = ReadEntries(path);
    ASSERT_FALSE(entries.empty());
    if (kEveryNth > 1) {
        std::vector<CEntry> sample;
        for (size_t i = 0; i < entries.size(); i += kEveryNth)
            sample.push_back(entries[i]);
        entries = sample;
        path = ::testing::TempDir() + "zentavo-digits-" + GetParam() + ".batch";
        std::ofstream file(path, std::ios::binary);
        for (const CEntry& entry : entries)
            file << entry.line << "\n";
    }
    int status = -1;
    const std::vector<std::string> reports = SplitReports(RunBatch(path, status));
    ASSERT_EQ(status, 0);
    ASSERT_EQ(reports.size(), entries.size());
    size_t differing = 0;
    for (size_t i = 0; i < entries.size(); ++i) {
        if (Digest(reports[i]) == entries[i].digest)
            continue;
        // Every differing report in full, up to a screenful of them.
        if (++differing <= 20)
            ADD_FAILURE() << entries[i].line << "\n" << reports[i];
    }
    EXPECT_EQ(differing, 0u) << "of " << entries.size() << " reports of type " << GetParam();
}

INSTANTIATE_TEST_SUITE_P(Types, DigitsCorpus, ::testing::ValuesIn(CorpusTypes()),
                         [](const ::testing::TestParamInfo<std::string>& info) { return "Type" + info.param; });
