// Tests of the stratified 2x2 tables with homogeneity tests end to end: the whole report, results
// as data, the list dialog's refusals and limits, stored documents (also damaged ones), redo, and
// the command-line tool.
#include "CArchive.h"
#include "CCompStratHomog.h"
#include "CalcTestSupport.h"
#include "GetCalcBase.h"
#include "TestSupport.h"

#include <memory>
#include <nlohmann/json.hpp>

namespace
{
using Actions = std::vector<std::string>;
using Bytes = std::vector<uint8_t>;

/// The dialog actions that type one stratum's cells and add it to the list.
Actions Stratum(unsigned a, unsigned b, unsigned c, unsigned d)
{
    return {"1320=" + std::to_string(a), "1321=" + std::to_string(b), "1322=" + std::to_string(c),
            "1323=" + std::to_string(d), "@1032"};
}

Actions operator+(Actions first, const Actions& second)
{
    first.insert(first.end(), second.begin(), second.end());
    return first;
}

/// The same stratum as command-line field arguments.
Actions Named(int index, unsigned a, unsigned b, unsigned c, unsigned d)
{
    const std::string prefix = "strata[" + std::to_string(index) + "].";
    return {prefix + "a=" + std::to_string(a), prefix + "b=" + std::to_string(b), prefix + "c=" + std::to_string(c),
            prefix + "d=" + std::to_string(d)};
}

std::string Line(const std::string& label, const std::string& value, const std::string& extra = "")
{
    return ResultLine(label, value, extra) + "\n";
}

// Smoking and cervical cancer by number of partners (P8120 course notes, Columbia), with an empty
// stratum between the two.
const Actions kCervical = Stratum(12, 21, 25, 118) + Stratum(0, 0, 0, 0) + Stratum(96, 148, 92, 150);

std::string Vocab()
{
    return " --vocab '" + ShippedVocabularyPath() + "'";
}

class StratHomogeneityTest : public CCalcTest
{
protected:
    static std::unique_ptr<CCompStratHomog> NewCalc()
    {
        std::unique_ptr<CCompStratHomog> calc(dynamic_cast<CCompStratHomog*>(GetCalcBase("3500")));
        if (calc)
            calc->SetTypeString("3500");
        return calc;
    }
};
} // namespace

TEST_F(StratHomogeneityTest, CervicalStrataGiveTheWholeReport)
{
    // At 90 %: MH OR 1.22 [0.92, 1.61], MH chi-square 1.34 (p 0.247729) and 1.14 corrected
    // (p 0.284930), R 4.2.2 mantelhaen.test(x, conf.level = 0.9) with and without correct=;
    // Breslow-Day 4.21, p 0.040260 (published 4.2069, p 0.04026); Tarone 4.21, p 0.040278 and
    // Woolf 4.09, p 0.043058 from the independent Python script; the crude OR is Woolf's, the
    // crude RR Katz's (scipy norm.ppf(0.95) by hand). The empty stratum is left out and named.
    const std::string report = Report("3500", kCervical + Actions{"1040=90"});
    const std::string expected =
        "Contingency tables - Stratified 2x2 with homogeneity\nT\n\n"
        "Stratum          a       b       c       d        OR        RR\n"
        "-------          -       -       -       -        --        --\n"
        "1               12      21      25     118      2.70      2.08\n"
        "2                0       0       0       0      ****      ****\n"
        "3               96     148      92     150      1.06      1.03\n"
        "Crude          108     169     117     268      1.46      1.28\n"
        "\nMeasures of association [90% CI]\n" +
        Line("Crude odds ratio", "      1.46", "[1.11\a 1.92]") +
        Line("Mantel-Haenszel odds ratio", "      1.22", "[0.92\a 1.61]") +
        Line("Crude risk ratio", "      1.28", "[1.07\a 1.53]") +
        Line("Mantel-Haenszel risk ratio", "      1.13", "[0.95\a 1.35]") +
        "MH limits: OR by Robins-Breslow-Greenland, RR by Greenland-Robins\n"
        "\nTests of association\n" +
        Line("MH chi-square (uncorrected)", "      1.34") + Line("p-value", "      0.247729") +
        Line("MH chi-square, continuity-corrected", "      1.14") + Line("p-value", "      0.284930") +
        "\nHomogeneity of the odds ratios\n" + Line("Breslow-Day chi-square", "      4.21") +
        Line("Degrees of freedom", "         1") + Line("p-value", "      0.040260") +
        Line("Breslow-Day-Tarone chi-square", "      4.21") + Line("Degrees of freedom", "         1") +
        Line("p-value", "      0.040278") + Line("Woolf's chi-square", "      4.09") +
        Line("Degrees of freedom", "         1") + Line("p-value", "      0.043058") + "\n" +
        Line("Strata left out (empty row/column)", "         1", "(2)") +
        Line("Strata left out of Woolf's test", "         1", "(2)") + "\n";
    std::string shown = expected;
    std::replace(shown.begin(), shown.end(), '\a', ','); // the list separator of the C locale
    EXPECT_EQ(report, shown);
}

TEST_F(StratHomogeneityTest, ResultsAsDataMatchTheDialogAndTheReport)
{
    const Actions byNames = Named(1, 12, 21, 25, 118) + Named(2, 0, 0, 0, 0) + Named(3, 96, 148, 92, 150) +
                            Actions{"level=90", "title=Cervix"};
    const CCalcRunResult run = ExpectResultsAsData("3500", kCervical + Actions{"1040=90", "1022=Cervix"}, byNames);
    EXPECT_EQ(FindResult(run.results, "chi2_breslow_day_tarone")->df, 1);
    ASSERT_EQ(run.inputs.size(), 3u);
    EXPECT_EQ(run.inputs[1].number, 90);
    EXPECT_EQ(run.inputs[2].rows,
              (std::vector<std::vector<double>>{{12, 21, 25, 118}, {0, 0, 0, 0}, {96, 148, 92, 150}}));
}

TEST_F(StratHomogeneityTest, UndefinedResultsPrintStars)
{
    // ReportLine shows the C locale's list separator; ResultLine writes it as '\a'.
    const auto shown = [](std::string line) {
        std::replace(line.begin(), line.end(), '\a', ',');
        return line;
    };
    // One informative stratum beside one with no unexposed: the homogeneity tests have no
    // degrees of freedom; the summary is that of the single table, whose Robins-Breslow-Greenland
    // limits are Woolf's: 8 exp(-/+ 1.96 sqrt(1/10 + 1/5 + 1/3 + 1/12)) = 1.52, 42.04.
    std::string report = Report("3500", Stratum(10, 5, 3, 12) + Stratum(4, 6, 0, 0));
    EXPECT_EQ(ReportLine(report, "Breslow-Day-Tarone chi-square"),
              ResultLine("Breslow-Day-Tarone chi-square", "      ****"));
    EXPECT_EQ(ReportLine(report, "Woolf's chi-square"), ResultLine("Woolf's chi-square", "      ****"));
    EXPECT_NE(report.find(Line("Degrees of freedom", "      ****")), std::string::npos) << report;
    EXPECT_NE(report.find(Line("p-value", "      ****")), std::string::npos) << report;
    EXPECT_EQ(ReportLine(report, "Mantel-Haenszel odds ratio"),
              shown(ResultLine("Mantel-Haenszel odds ratio", "      8.00", "[1.52\a 42.04]")));

    // Every stratum empty: nothing is defined, nothing crashes.
    report = Report("3500", Stratum(0, 0, 0, 0) + Stratum(0, 0, 0, 0));
    EXPECT_EQ(ReportLine(report, "Mantel-Haenszel odds ratio"),
              shown(ResultLine("Mantel-Haenszel odds ratio", "      ****", "[****\a ****]")));
    EXPECT_EQ(ReportLine(report, "Strata left out (empty row/column)"),
              shown(ResultLine("Strata left out (empty row/column)", "         2", "(1\a 2)")));
}

TEST_F(StratHomogeneityTest, DialogRefusesTooFewStrataBadCellsAndLevels)
{
    const std::string tooFew = VocabularyMessage("35");
    EXPECT_EQ(tooFew, "Please add at least two strata.");
    ExpectRefusedWithoutReport("3500", {}, tooFew, 1320);
    ExpectRefusedWithoutReport("3500", Stratum(1, 2, 3, 4), tooFew, 1320);
    ExpectRefusedWithoutReport("3500", kCervical + Actions{"1040=49.99"}, "Please enter a number between 50 and 99.99.",
                               1040);
    ExpectRefusedWithoutReport("3500", kCervical + Actions{"1040=99.999"},
                               "Please enter a number between 50 and 99.99.", 1040);

    // A cell beyond 10^9 is refused when it is added: the list keeps the two strata before it,
    // and OK then refuses the cell still in the entry field.
    const CCalcRunResult run = Run("3500", kCervical + Actions{"1320=1000000001", "@1032"});
    EXPECT_EQ(run.outcome, CCalcRunResult::NotAdded);
    ASSERT_FALSE(run.messages.empty());
    EXPECT_EQ(run.messages.front(), "Please enter an integer between 0 and 1000000000.");
}

TEST_F(StratHomogeneityTest, TwentyStrataAtMostAndTheLargestCountsFit)
{
    // The 21st Add is refused with a message; OK then takes the twenty.
    Actions actions;
    for (unsigned i = 0; i < 21; ++i)
        actions = actions + Stratum(1000000000 - 7000000 * i, 300000000 + 10000000 * i, 200000000 + 3000000 * i,
                                    900000000 - 20000000 * i);
    const CCalcRunResult run = Run("3500", actions + Actions{"1022=Big"});
    ASSERT_EQ(run.outcome, CCalcRunResult::Written) << run.error;
    EXPECT_EQ(run.messages, std::vector<std::string>{VocabularyMessage("36")});
    ASSERT_EQ(run.inputs.size(), 3u);
    EXPECT_EQ(run.inputs[2].rows.size(), 20u);
    // The crude row sums past 2^32 and widens every count column to its 11 digits and two
    // blanks, so that ten-digit cells stand apart.
    EXPECT_NE(run.report.find("\n1            1000000000    300000000    200000000    900000000     15.00      4.23\n"),
              std::string::npos)
        << run.report;
    EXPECT_NE(run.report.find("\nCrude       18670000000   7900000000   4570000000  14200000000"), std::string::npos)
        << run.report;
}

TEST_F(StratHomogeneityTest, StoredDocumentReopensWithTheSameInputsAndReport)
{
    std::unique_ptr<CCompStratHomog> calc = NewCalc();
    ASSERT_TRUE(calc);
    {
        CRedoScope scope(kCervical + Actions{"1040=97.5", "1022=Stored"});
        ASSERT_TRUE(calc->Do());
    }
    const std::string report = PhrasesText(calc->GetPhrases());
    EXPECT_NE(report.find("Measures of association [97.5% CI]\n"), std::string::npos) << report;

    Bytes bytes;
    {
        CArchive ar(bytes);
        ar.WriteObject(calc.get());
    }
    CArchive ar(bytes.data(), bytes.size());
    std::unique_ptr<CCalcBase> reloaded(ReadObjectOf<CCalcBase>(ar));
    auto* again = dynamic_cast<CCompStratHomog*>(reloaded.get());
    ASSERT_TRUE(again);
    EXPECT_EQ(again->m_strata, calc->m_strata);
    EXPECT_EQ(again->m_levelPercent, 97.5);
    EXPECT_EQ(again->GetTitle(), "Stored");
    again->SetTypeString("3500");
    {
        // OK on the dialog as it opens: the stored strata and level go round through the list.
        CRedoScope scope({});
        ASSERT_TRUE(again->Do());
    }
    EXPECT_EQ(PhrasesText(again->GetPhrases()), report);

    // A hand-made document may hold a cell past what the dialog takes: a redo keeps it as stored
    // rather than reading it back as another number (the entry cells show the last stratum).
    again->m_strata.insert(again->m_strata.begin(), {4000000000u, 1, 2, 3});
    const std::vector<CHomogStratum> stored = again->m_strata;
    {
        CRedoScope scope({});
        ASSERT_TRUE(again->Do());
    }
    EXPECT_EQ(again->m_strata, stored);
    EXPECT_TRUE(m_fallbacks.empty()) << m_fallbacks.front();
}

TEST_F(StratHomogeneityTest, DamagedStratumCountsAreRefusedBeforeAnythingIsAllocated)
{
    const auto body = [](auto... values) {
        Bytes bytes;
        CArchive ar(bytes);
        ar << std::string("3500") << std::string("title");
        (ar << ... << values);
        return bytes;
    };
    const auto load = [](const Bytes& bytes) {
        std::unique_ptr<CCompStratHomog> calc = NewCalc();
        CArchive ar(bytes.data(), bytes.size());
        calc->Serialize(ar);
        return calc;
    };
    const uint32_t cell = 7;
    EXPECT_THROW(load(body(95.0, int32_t{-1})), CArchiveException);
    EXPECT_THROW(load(body(95.0, int32_t{0x7FFFFFFF}, cell, cell, cell, cell)), CArchiveException);
    // 21 whole strata: more than the dialog ever stores.
    Bytes many;
    {
        CArchive ar(many);
        ar << std::string("3500") << std::string("title") << 95.0 << int32_t{21};
        for (int i = 0; i < 21 * 4; ++i)
            ar << cell;
    }
    EXPECT_THROW(load(many), CArchiveException);
    // An intact body loads.
    const std::unique_ptr<CCompStratHomog> calc = load(body(90.0, int32_t{1}, cell, uint32_t{8}, cell, cell));
    EXPECT_EQ(calc->m_strata, (std::vector<CHomogStratum>{{7, 8, 7, 7}}));
    EXPECT_EQ(calc->m_levelPercent, 90);
}

TEST(StratHomogeneityCli, RunsByNamesAsTextAndJson)
{
    const std::string args = " run 3500 strata[1].a=12 strata[1].b=21 strata[1].c=25 strata[1].d=118"
                             " strata[2].a=96 strata[2].b=148 strata[2].c=92 strata[2].d=150 level=90";
    const CCliRun text = RunCli(args + Vocab());
    ASSERT_EQ(text.status, 0) << text.out;
    EXPECT_NE(text.out.find("Breslow-Day chi-square              :       4.21"), std::string::npos) << text.out;

    const CCliRun json = RunCli(args + " --format json" + Vocab());
    ASSERT_EQ(json.status, 0) << json.out;
    const nlohmann::json calculation = nlohmann::json::parse(json.out);
    EXPECT_EQ(calculation["class"], "CCompStratHomog");
    EXPECT_EQ(calculation["inputs"]["strata"].size(), 2u);
    // The Mantel-Haenszel odds ratio at full precision: R 4.2.2, mantelhaen.test(x, conf.level = 0.9).
    const nlohmann::json& odds = calculation["results"][1];
    EXPECT_EQ(odds["key"], "mh_odds_ratio");
    EXPECT_TRUE(Near(odds["lower"].get<double>(), 0.917734031301183, 1e-12));
    EXPECT_TRUE(Near(odds["upper"].get<double>(), 1.60947641548806, 1e-12));
    EXPECT_EQ(odds["level"], "90%");

    // A 21st stratum is refused by name, before the dialog.
    const CCliRun refused = RunCli(" run 3500 strata[21].a=1 2>&1" + Vocab());
    EXPECT_NE(refused.status, 0);
    EXPECT_NE(refused.out.find("numbered from 1 to 20"), std::string::npos) << refused.out;
}
