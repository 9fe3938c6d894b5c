// The four random-number calculations end to end: the draw rule over every generator value, the
// reports against numbers drawn here from the generator, repeatability, refusals on OK.
#include "CCalcDoc.h"
#include "CCalcDocNode.h"
#include "CCalculation.h"
#include "CDialog.h"
#include "CSampRanGroup.h"
#include "CSampRanGrpList.h"
#include "CSampRanList.h"
#include "CSampRanTable.h"
#include "CalcTestSupport.h"
#include "DialogHost.h"
#include "Format.h"
#include "GetCalcBase.h"
#include "MemoryViews.h"
#include "PortableTest.h"
#include "Profile.h"
#include "RandomDraw.h"
#include "ScriptedDialogHost.h"
#include "UIServices.h"

#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <functional>
#include <map>
#include <memory>
#include <sstream>

namespace
{
/// The report after its heading (the text after the first empty line).
std::string Body(const std::string& report)
{
    const size_t start = report.find("\n\n");
    return start == std::string::npos ? std::string() : report.substr(start + 2);
}

/// The numbers of a body of "%u\t" phrases.
std::vector<uint64_t> Numbers(const std::string& body)
{
    std::vector<uint64_t> numbers;
    std::istringstream in(body);
    uint64_t value = 0;
    while (in >> value)
        numbers.push_back(value);
    return numbers;
}

/// The first `count` draws in [low, high] from `seed`, with repeats.
std::vector<uint32_t> Draws(uint32_t seed, int count, uint32_t low, uint32_t high)
{
    CRandom generator(seed);
    std::vector<uint32_t> draws;
    for (int i = 0; i < count; ++i)
        draws.push_back(DrawInRange(generator.Rand(), low, high));
    return draws;
}

std::string Phrases(const std::vector<uint32_t>& values)
{
    std::string text;
    for (const uint32_t value : values)
        text += Format("%u\t", value);
    return text;
}

class RandomNumbersTest : public CCalcTest
{
protected:
    CCalcRunResult RunSeeded(const std::string& code, uint32_t seed, const std::vector<std::string>& actions)
    {
        CCalcRunRequest request;
        request.code = code;
        request.seed = seed;
        request.actions = ParseActions(actions);
        return RunNewCalculation(request);
    }

    /// Expects OK refused with `message` and the focus on `focusId`.
    void ExpectRefused(const std::string& code, const std::vector<std::string>& actions, const std::string& message,
                       int focusId)
    {
        const CCalcRunResult run = Run(code, actions);
        EXPECT_EQ(run.outcome, CCalcRunResult::NotAdded);
        EXPECT_TRUE(run.refusedOpen);
        ASSERT_FALSE(run.messages.empty());
        EXPECT_EQ(run.messages.front(), message);
        EXPECT_EQ(run.finalFocusId, focusId);
    }
};

/// A calculation of type `code` with inputs as a document could hold them, past the dialog.
template <class T> std::unique_ptr<CCalcBase> Stored(const std::string& code, std::function<void(T&)> fill)
{
    std::unique_ptr<CCalcBase> calc(GetCalcBase(code));
    fill(dynamic_cast<T&>(*calc));
    return calc;
}

/// Stored inputs that OK refuses and that nothing may be drawn for.
std::vector<std::unique_ptr<CCalcBase>> UndrawableInputs()
{
    std::vector<std::unique_ptr<CCalcBase>> calcs;
    // No groups: the total is 0 whatever the number per group.
    calcs.push_back(Stored<CSampRanGrpList>("4330", [](auto& c) { c.m_groups = 0, c.m_number = 4294967295u; }));
    calcs.push_back(Stored<CSampRanGrpList>("4330", [](auto& c) { c.m_groups = 0, c.m_number = 5; }));
    calcs.push_back(Stored<CSampRanGrpList>("4330", [](auto& c) { c.m_groups = 100001, c.m_number = 0; }));
    calcs.push_back(Stored<CSampRanGrpList>("4330", [](auto& c) { c.m_groups = 2, c.m_min = 9, c.m_max = 9; }));
    calcs.push_back(Stored<CSampRanList>("4310", [](auto& c) { c.m_number = 100001; }));
    calcs.push_back(Stored<CSampRanList>("4310", [](auto& c) { c.m_min = 7, c.m_max = 3, c.m_number = 2; }));
    // A unique draw of 20 values out of 10 would never end.
    calcs.push_back(
        Stored<CSampRanList>("4310", [](auto& c) { c.m_min = 1, c.m_max = 10, c.m_number = 20, c.m_unique = 1; }));
    calcs.push_back(Stored<CSampRanGroup>("4320", [](auto& c) { c.m_groups = 0, c.m_number = 3; }));
    calcs.push_back(Stored<CSampRanGroup>("4320", [](auto& c) { c.m_groups = 2, c.m_number = 100001; }));
    calcs.push_back(Stored<CSampRanTable>("4340", [](auto& c) { c.m_digits = 0, c.m_number = 3; }));
    calcs.push_back(Stored<CSampRanTable>("4340", [](auto& c) { c.m_digits = 17, c.m_number = 3; }));
    calcs.push_back(Stored<CSampRanTable>("4340", [](auto& c) { c.m_digits = 16, c.m_number = 6251; }));
    return calcs;
}
} // namespace

TEST(RandomDrawTest, EveryGeneratorValueSpreadsEvenly)
{
    std::map<uint32_t, int> dice;
    std::map<int, int> digits;
    for (int r = 0; r <= CRandom::kRandMax; ++r) {
        ++dice[DrawInRange(r, 1, 6)];
        ++digits[DrawDigit(r)];
    }
    EXPECT_EQ(dice, (std::map<uint32_t, int>{{1, 5462}, {2, 5461}, {3, 5461}, {4, 5461}, {5, 5461}, {6, 5462}}));
    for (int d = 0; d <= 9; ++d)
        EXPECT_EQ(digits[d], d == 3 || d == 6 ? 3276 : 3277) << d;
    // The top generator value reaches the maximum and never passes it, however wide the range.
    EXPECT_EQ(DrawInRange(CRandom::kRandMax, 0, 200000000), 200000000u);
    EXPECT_EQ(DrawInRange(CRandom::kRandMax, 0, UINT32_MAX), UINT32_MAX);
    EXPECT_EQ(DrawInRange(0, 7, 7), 7u);
}

TEST(RandomDrawTest, UniqueDrawKeepsTheRedrawRule)
{
    // The same numbers as searching the list drawn so far and drawing again on a duplicate.
    CRandom reference(12345);
    std::vector<uint32_t> expected;
    while (expected.size() < 40) {
        const uint32_t value = DrawInRange(reference.Rand(), 1, 50);
        if (std::find(expected.begin(), expected.end(), value) == expected.end())
            expected.push_back(value);
    }
    CHeadlessUIServices services;
    const CUIServicesGuard servicesGuard(services);
    CRandom generator(12345);
    EXPECT_EQ(DrawValues(generator, 40, 1, 50, true), expected);
}

TEST_F(RandomNumbersTest, ListIsTheGeneratorsDrawsAndRepeatsWithItsSeed)
{
    const std::vector<std::string> actions{"1022=T", "1076=12", "1075=10", "1074=99"};
    const CCalcRunResult first = RunSeeded("4310", 1, actions);
    ASSERT_EQ(first.outcome, CCalcRunResult::Written) << first.error;
    EXPECT_EQ(first.report, "Sampling - Random numbers - Random list\nT\n\n" + Phrases(Draws(1, 12, 10, 99)) + "\n");
    EXPECT_EQ(RunSeeded("4310", 1, actions).report, first.report);
    EXPECT_NE(RunSeeded("4310", 2, actions).report, first.report);

    // Sorted: the same numbers in ascending order.
    std::vector<uint32_t> sorted = Draws(1, 12, 10, 99);
    std::sort(sorted.begin(), sorted.end());
    std::vector<std::string> sortedActions = actions;
    sortedActions.push_back("+1141");
    EXPECT_EQ(Body(RunSeeded("4310", 1, sortedActions).report), Phrases(sorted) + "\n");
    EXPECT_TRUE(m_fallbacks.empty()) << m_fallbacks.front();
}

TEST_F(RandomNumbersTest, WideRangesClampAndPrintUnsigned)
{
    // Seed 30091 gives 32767 first: the maximum itself, not one past it.
    EXPECT_EQ(Body(RunSeeded("4310", 30091, {"1076=1", "1075=0", "1074=200000000"}).report), "200000000\t\n");
    const CCalcRunResult high = RunSeeded("4310", 7, {"1076=50", "1075=3000000000", "1074=4294967295", "+1141"});
    const std::vector<uint64_t> values = Numbers(Body(high.report));
    ASSERT_EQ(values.size(), 50u);
    EXPECT_TRUE(std::is_sorted(values.begin(), values.end()));
    EXPECT_GE(values.front(), 3000000000u);
    EXPECT_LE(values.back(), 4294967295u);
}

TEST_F(RandomNumbersTest, UniqueListHasNoRepeats)
{
    const CCalcRunResult run = RunSeeded("4310", 5, {"1076=9", "1075=1", "1074=10", "+1145", "+1141"});
    ASSERT_EQ(run.outcome, CCalcRunResult::Written);
    const std::vector<uint64_t> values = Numbers(Body(run.report));
    ASSERT_EQ(values.size(), 9u);
    EXPECT_EQ(std::adjacent_find(values.begin(), values.end()), values.end());
}

TEST_F(RandomNumbersTest, ListRequestsRefusedOnOk)
{
    const std::string tooMany = "Please ask for no more than 100000 numbers in one calculation.";
    ExpectRefused("4310", {"1075=5", "1074=5"}, GetProfileString("Messages", "08", ""), 1074);
    ExpectRefused("4310", {"1076=10", "1075=1", "1074=10", "+1145"}, GetProfileString("Messages", "09", ""), 1076);
    // More unique numbers than the generator's 32,768 values could never all come out.
    ExpectRefused("4310", {"1076=32769", "1075=0", "1074=1000000", "+1145"}, GetProfileString("Messages", "09", ""),
                  1076);
    ExpectRefused("4310", {"1076=100001"}, tooMany, 1076);
    // 65,536 groups of 65,537 numbers: no 32-bit wrap to 65,536.
    ExpectRefused("4330", {"1076=65537", "1077=65536"}, tooMany, 1076);
    ExpectRefused("4330", {"1076=4", "1077=3", "1075=1", "1074=12", "+1145"}, GetProfileString("Messages", "09", ""),
                  1076);
    ExpectRefused("4330", {"1076=0", "1077=100001"}, "Please ask for no more than 100000 groups in one calculation.",
                  1077);
    ExpectRefused("4320", {"1076=5", "1077=0"}, "Please enter an integer between 1 and 4294967295.", 1077);
    ExpectRefused("4320", {"1076=100001", "1077=2"}, tooMany, 1076);
    ExpectRefused("4340", {"1076=5"}, "Please enter an integer between 1 and 16.", 1078);
    ExpectRefused("4340", {"1076=5", "1078=17"}, "Please enter an integer between 1 and 16.", 1078);
    ExpectRefused("4340", {"1076=6251", "1078=16"}, "Please ask for no more than 100000 digits in one calculation.",
                  1076);
    EXPECT_TRUE(m_fallbacks.empty()) << m_fallbacks.front();
}

TEST_F(RandomNumbersTest, GroupedListRefusesNoGroups)
{
    // 0 groups of 4294967295 numbers once passed as a total of 0 and then set aside 16 GB.
    const std::string noGroups = "Please enter an integer between 1 and 4294967295.";
    ExpectRefused("4330", {"1076=4294967295", "1077=0", "1075=1", "1074=100"}, noGroups, 1077);
    ExpectRefused("4330", {"1076=5", "1077=0"}, noGroups, 1077);
    // One group holds the whole draw: its number is the total.
    const CCalcRunResult one = RunSeeded("4330", 4, {"1076=3", "1077=1", "1075=1", "1074=9"});
    ASSERT_EQ(one.outcome, CCalcRunResult::Written) << one.error;
    EXPECT_EQ(Body(one.report), GetProfileString("Terms", "98", "") + " 1\n" + Phrases(Draws(4, 3, 1, 9)) + "\n");
}

TEST_F(RandomNumbersTest, RedoOfStoredInputsBeyondTheLimitsIsRefused)
{
    for (const std::unique_ptr<CCalcBase>& calc : UndrawableInputs()) {
        CRedoScope redo({}); // OK on the stored inputs, as Redo of an opened document
        EXPECT_FALSE(calc->Do()) << calc->GetTypeString();
        EXPECT_TRUE(redo.m_host.m_refusedOpen) << calc->GetTypeString();
        EXPECT_TRUE(calc->GetPhrases().empty()) << calc->GetTypeString();
    }
}

TEST_F(RandomNumbersTest, NothingIsDrawnForInputsPastTheLimitsEvenWithoutTheChecksOfOk)
{
    for (const std::unique_ptr<CCalcBase>& calc : UndrawableInputs()) {
        EXPECT_FALSE(Probe(*calc, [](CDialog& dialog) { dialog.EndDialog(IDOK); })) << calc->GetTypeString();
        EXPECT_TRUE(calc->GetPhrases().empty()) << calc->GetTypeString();
    }
}

TEST_F(RandomNumbersTest, GroupedListDealsDrawsInTurn)
{
    const CCalcRunResult run = RunSeeded("4330", 3, {"1022=T", "1076=2", "1077=3", "1075=1", "1074=1000"});
    ASSERT_EQ(run.outcome, CCalcRunResult::Written) << run.error;
    const std::vector<uint32_t> d = Draws(3, 6, 1, 1000);
    const std::string group = GetProfileString("Terms", "98", "");
    EXPECT_EQ(run.report, "Sampling - Random numbers - Grouped random list\nT\n\n" + group + " 1\n" +
                              Phrases({d[0], d[3]}) + "\n\n" + group + " 2\n" + Phrases({d[1], d[4]}) + "\n\n" + group +
                              " 3\n" + Phrases({d[2], d[5]}) + "\n");
    EXPECT_NE(run.rtf.find("\\ul"), std::string::npos); // the group headings are underlined
    EXPECT_TRUE(m_fallbacks.empty()) << m_fallbacks.front();
}

TEST_F(RandomNumbersTest, GroupsAndTable)
{
    const CCalcRunResult groups = RunSeeded("4320", 9, {"1022=T", "1076=7", "1077=3"});
    ASSERT_EQ(groups.outcome, CCalcRunResult::Written) << groups.error;
    EXPECT_EQ(Body(groups.report), Phrases(Draws(9, 7, 1, 3)) + "\n");

    // Nine numbers of five digits: two full lines of four and a third with one.
    const CCalcRunResult table = RunSeeded("4340", 11, {"1022=T", "1076=9", "1078=5"});
    ASSERT_EQ(table.outcome, CCalcRunResult::Written) << table.error;
    CRandom generator(11);
    std::string expected;
    for (int i = 0; i < 9; ++i) {
        for (int d = 0; d < 5; ++d)
            expected += static_cast<char>('0' + DrawDigit(generator.Rand()));
        expected += (i + 1) % 4 == 0 ? "\n" : "\t";
    }
    EXPECT_EQ(Body(table.report), expected + "\n");
    EXPECT_EQ(std::count(expected.begin(), expected.end(), '\n'), 2);

    // Nothing required: the heading and an empty line only.
    EXPECT_EQ(Body(RunSeeded("4340", 11, {"1078=5"}).report), "\n");
    EXPECT_TRUE(m_fallbacks.empty()) << m_fallbacks.front();
}

TEST_F(RandomNumbersTest, ClockSeedIsKeptThroughSaveAndOpen)
{
    const std::filesystem::path path =
        std::filesystem::temp_directory_path() / ("random-" + std::to_string(ProcessId()) + ".zna");
    std::filesystem::remove(path);
    CCalcRunRequest request{"4310", {}, std::nullopt, path.string()};
    for (const char* text : {"1022=T", "1076=20", "1075=1", "1074=500", "+1145"}) {
        CScriptAction action;
        ASSERT_TRUE(ParseScriptAction(text, action));
        request.actions.push_back(action);
    }
    const CCalcRunResult first = RunNewCalculation(request);
    ASSERT_EQ(first.outcome, CCalcRunResult::Written) << first.error;

    CHeadlessUIServices services;
    CScriptedDialogHost host; // OK on the stored inputs
    {
        const CUIServicesGuard servicesGuard(services);
        const CDialogHostGuard hostGuard(host);
        CCalcDoc doc;
        CMemoryViews views(doc);
        ASSERT_TRUE(doc.OnOpenDocument(path)) << doc.GetLastError();
        CCalcDocNode* folder = doc.GetHead();
        while (folder && !folder->GetCalc())
            folder = folder->GetSub();
        ASSERT_NE(folder, nullptr);
        auto* list = dynamic_cast<CSampRanList*>(folder->GetCalc()->GetData());
        ASSERT_NE(list, nullptr);
        EXPECT_NE(list->m_seed, 0u);
        EXPECT_EQ(list->m_number, 20u);
        ASSERT_TRUE(list->Do());
        std::string redone;
        for (const CPhrase& phrase : list->GetPhrases())
            redone += phrase.text;
        EXPECT_EQ(Body(redone), Body(first.report));
    }
    std::filesystem::remove(path);
}
