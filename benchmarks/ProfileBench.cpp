// Timings of the vocabulary reader on large files: parsing 25,000 to 200,000 sections of three
// entries each, and looking up one entry of every section. Both should grow in proportion to the
// number of sections.
// Run: build/benchmarks/ProfileBench
#include "Profile.h"

#include <benchmark/benchmark.h>
#include <string>

namespace
{
/// A vocabulary file of `sections` sections named in mixed case, with a comment and three
/// entries each.
std::string VocabularyText(int64_t sections)
{
    std::string text;
    text.reserve(static_cast<size_t>(sections) * 64);
    for (int64_t i = 0; i < sections; ++i) {
        const std::string number = std::to_string(i);
        text += "[Section" + number + "]\r\n; comment\r\n";
        text += "Name=Entry " + number + "\r\nCount=" + number + "\r\nText=\"quoted\"\r\n";
    }
    return text;
}

void ParseSections(benchmark::State& state)
{
    const std::string text = VocabularyText(state.range(0));
    for (auto _ : state) {
        CProfile profile;
        profile.Parse(text);
        benchmark::DoNotOptimize(profile.Empty());
    }
    state.SetItemsProcessed(state.iterations() * state.range(0));
}
BENCHMARK(ParseSections)->Arg(25000)->Arg(50000)->Arg(100000)->Arg(200000)->Unit(benchmark::kMillisecond);

void FindInEverySection(benchmark::State& state)
{
    CProfile profile;
    profile.Parse(VocabularyText(state.range(0)));
    std::vector<std::string> names;
    for (int64_t i = 0; i < state.range(0); ++i)
        names.push_back("SECTION" + std::to_string(i));
    for (auto _ : state) {
        for (const std::string& name : names)
            benchmark::DoNotOptimize(profile.Find(name, "count"));
    }
    state.SetItemsProcessed(state.iterations() * state.range(0));
}
BENCHMARK(FindInEverySection)->Arg(25000)->Arg(50000)->Arg(100000)->Arg(200000)->Unit(benchmark::kMillisecond);
} // namespace

BENCHMARK_MAIN();
