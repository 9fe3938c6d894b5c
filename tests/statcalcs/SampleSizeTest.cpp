// Tests of the seven sample-size calculations end to end: worked sizes, the "****" marker for
// sizes that cannot be formed, refusals on OK with their focus, and the dialogs' own texts.
#include "CDialog.h"
#include "CSampSizeCC.h"
#include "CalcTestSupport.h"
#include "DialogHost.h"
#include "Format.h"
#include "GetCalcBase.h"
#include "Profile.h"
#include "SampleTables.h"
#include "TestSupport.h"
#include "UIServices.h"

#include <cmath>
#include <functional>
#include <map>
#include <memory>

namespace
{
class SampleSizeTest : public CCalcTest
{};
} // namespace

TEST_F(SampleSizeTest, TwoProportionsTruncatesPerGroupAndDoublesForTheTotal)
{
    // n = 198.74 (Fleiss, p1 = 0.10, p2 = 0.20, alpha 0.05, power 80 %).
    EXPECT_EQ(Report("4160", {"1064=10", "1065=20"}),
              "Sampling - Sample size - Two proportions\nT\n\n" + ResultLine("Proportion 1", "     10.00%", "") + "\n" +
                  ResultLine("Proportion 2", "     20.00%", "") + "\n" +
                  ResultLine("Significance level", "      0.05", "") + "\n" + ResultLine("Power", "     80%", "") +
                  "\n\n" + ResultLine("Sample size", "    198", "per group") + "\n" +
                  ResultLine("Sample size", "    396", "in total") + "\n");
}

TEST_F(SampleSizeTest, CaseControlSpreadsTheSizeOverCasesAndControls)
{
    // n = 171.30; c = 2 gives f = 0.75: 128.47 cases and 256.95 controls.
    std::string report = Report("4170", {"1066=2", "1067=2", "1059=20"});
    EXPECT_EQ(ReportLine(report, "Sample size"), ResultLine("Sample size", "    128", "cases"));
    EXPECT_NE(report.find(ResultLine("", "    256", "controls") + "\n" + ResultLine("", "    384", "in total")),
              std::string::npos)
        << report;
    EXPECT_EQ(ReportLine(report, "Controls per case"), ResultLine("Controls per case", "      2", ""));
    report = Report("4170", {"1066=1", "1067=2", "1059=20"});
    EXPECT_NE(report.find(ResultLine("Sample size", "    171", "cases") + "\n" + ResultLine("", "    171", "controls") +
                          "\n" + ResultLine("", "    342", "in total")),
              std::string::npos)
        << report;
}

TEST_F(SampleSizeTest, CaseControlWithoutADifferencePrintsStars)
{
    // An odds ratio of 1, or no or all controls exposed, leaves nothing to detect.
    const std::string stars = Format("%7s", "****");
    for (const auto& inputs :
         std::vector<std::vector<std::string>>{{"1067=1", "1059=20"}, {"1067=2", "1059=0"}, {"1067=2", "1059=100"}}) {
        const std::string report = Report("4170", inputs);
        EXPECT_NE(report.find(ResultLine("Sample size", stars, "cases") + "\n" + ResultLine("", stars, "controls") +
                              "\n" + ResultLine("", stars, "in total")),
                  std::string::npos)
            << report;
    }
}

TEST_F(SampleSizeTest, SingleAndTwoSampleFormulas)
{
    // (0.84 + 1.96)^2 10^2 / 5^2 = 31.36.
    std::string report = Report("4110", {"1027=105", "1056=100", "1028=10"});
    EXPECT_EQ(ReportLine(report, "Sample size"), ResultLine("Sample size", "     31", ""));
    EXPECT_EQ(ReportLine(report, "Null-hypothesis value"), ResultLine("Null-hypothesis value", "    100.00", ""));
    // Single mean takes negative means; 0 against 1e-9 is too large a size.
    report = Report("4110", {"1027=-5", "1056=0", "1028=10"});
    EXPECT_EQ(ReportLine(report, "Sample size"), ResultLine("Sample size", "     31", ""));
    report = Report("4110", {"1027=0", "1056=0.000000001", "1028=10"});
    EXPECT_EQ(ReportLine(report, "Sample size"), ResultLine("Sample size", "   ****", ""));
    // 7.84 * 5 / 4 = 9.8; significance 0.01 and power 99 %: (2.33 + 2.58)^2 * 5 / 4 = 30.14.
    EXPECT_EQ(ReportLine(Report("4120", {"1057=5", "1058=3"}), "Sample size"),
              ResultLine("Sample size", "      9", ""));
    report = Report("4120", {"1057=5", "1058=3", "+1055", "+1051"});
    EXPECT_EQ(ReportLine(report, "Sample size"), ResultLine("Sample size", "     30", ""));
    EXPECT_EQ(ReportLine(report, "Significance level"), ResultLine("Significance level", "      0.01", ""));
    EXPECT_EQ(ReportLine(report, "Power"), ResultLine("Power", "     99%", ""));
    // (0.84 * 0.4 + 1.96 * 0.5)^2 / 0.3^2 = 19.24.
    report = Report("4130", {"1059=20", "1058=50"});
    EXPECT_EQ(ReportLine(report, "Sample size"), ResultLine("Sample size", "     19", ""));
    EXPECT_EQ(ReportLine(report, "Proportion"), ResultLine("Proportion", "     20.00%", ""));
    // 100 * 2 * 7.84 / 25 = 62.72 per group.
    report = Report("4140", {"1061=10", "1060=15", "1028=10"});
    EXPECT_NE(
        report.find(ResultLine("Sample size", "     62", "per group") + "\n" + ResultLine("", "    124", "in total")),
        std::string::npos)
        << report;
    // 7.84 * 30 / 100 = 2.352 per group.
    report = Report("4150", {"1062=10", "1063=20"});
    EXPECT_NE(
        report.find(ResultLine("Sample size", "      2", "per group") + "\n" + ResultLine("", "      4", "in total")),
        std::string::npos)
        << report;
}

TEST(SampleTablesTest, SizesTruncateAndOutOfRangePrintsStars)
{
    EXPECT_EQ(SizeText(TruncSize(48.9999)), "     48");
    EXPECT_EQ(SizeText(TruncSize(-1)), "   ****");
    EXPECT_EQ(SizeText(TruncSize(2147483648.0)), "   ****");
    EXPECT_EQ(SizeText(TruncSize(std::nan(""))), "   ****");
    EXPECT_EQ(TotalText(TruncSize(2147483647.0), 0), "2147483647");
    // Two halves that fit but whose sum does not.
    EXPECT_EQ(TotalText(TruncSize(2e9), TruncSize(2e9)), "   ****");
    EXPECT_EQ(TotalText(std::nullopt, 5), "   ****");
}

TEST_F(SampleSizeTest, EqualValuesAndZeroSdAreRefusedWithFocus)
{
    const std::string equal = VocabularyMessage("02");
    ExpectRefused("4110", {}, equal, 1027);
    ExpectRefused("4130", {"1059=30", "1058=30"}, equal, 1059);
    ExpectRefused("4120", {"1057=2", "1058=2"}, equal, 1057);
    ExpectRefused("4140", {"1061=5", "1060=5", "1028=3"}, equal, 1061);
    ExpectRefused("4150", {"1062=4", "1063=4"}, equal, 1062);
    ExpectRefused("4140", {"1061=5", "1060=6", "1028=0"}, VocabularyMessage("03"), 1028);
    // The two-proportions dialog leaves the focus where it was: on OK, just pressed.
    ExpectRefused("4160", {"1064=30", "1065=30"}, equal, IDOK);
    // Two means takes no negative mean.
    ExpectRefused("4140", {"1061=-1", "1060=6", "1028=3"}, "Please enter a number between 0 and 1000000.", 1061);
}

TEST_F(SampleSizeTest, CaseControlRatioStaysBetweenOneAndTen)
{
    const std::string prompt = "Please enter an integer between 1 and 10.";
    ExpectRefused("4170", {"1066=0", "1067=2", "1059=20"}, prompt, 1066);
    ExpectRefused("4170", {"1066=11", "1067=2", "1059=20"}, prompt, 1066);

    std::unique_ptr<CCalcBase> calc(GetCalcBase("4170"));
    ASSERT_TRUE(calc);
    calc->SetTypeString("4170");
    static_cast<CSampSizeCC&>(*calc).m_ratio = 9;
    EXPECT_FALSE(Probe(*calc, [](CDialog& dialog) {
        const CControlState* upDown = dialog.GetControlState(1068);
        ASSERT_NE(upDown, nullptr);
        EXPECT_EQ(upDown->rangeLower, 1);
        EXPECT_EQ(upDown->rangeUpper, 10);
        EXPECT_EQ(dialog.GetDlgItemText(1066), "9");
        EXPECT_TRUE(dialog.UserStepUpDown(1068, 1));
        EXPECT_TRUE(dialog.UserStepUpDown(1068, 1));
        EXPECT_EQ(dialog.GetDlgItemText(1066), "10");
    }));
    EXPECT_EQ(static_cast<CSampSizeCC&>(*calc).m_ratio, 9u); // cancelled: unchanged
    EXPECT_TRUE(calc->GetPhrases().empty());
}

TEST_F(SampleSizeTest, DialogTextsCaptionsAndButtons)
{
    std::map<std::string, std::map<int, std::string>> texts;
    std::map<std::string, std::string> captions;
    // The precision dialogs share the layout helpers, so their templates are checked here too.
    for (const char* code :
         {"4110", "4120", "4130", "4140", "4150", "4160", "4170", "4210", "4220", "4230", "4240", "4250", "4260"}) {
        std::unique_ptr<CCalcBase> calc(GetCalcBase(code));
        ASSERT_TRUE(calc);
        calc->SetTypeString(code);
        Probe(*calc, [&](CDialog& dialog) {
            std::string error;
            EXPECT_TRUE(ValidateTemplate(dialog.GetTemplate(), error)) << code << ": " << error;
            EXPECT_TRUE(dialog.GetUnknownIds().empty()) << code;
            for (const CControlTemplate& control : dialog.GetTemplate().controls)
                texts[code][control.id] = dialog.GetDlgItemText(control.id);
            captions[code] = dialog.GetWindowText();
        });
    }
    EXPECT_TRUE(m_fallbacks.empty()) << m_fallbacks.front();
    EXPECT_EQ(texts["4110"][1131], "Significance level");
    EXPECT_EQ(texts["4110"][1130], "Power");
    EXPECT_EQ(texts["4120"][1131], "Significance level:");
    EXPECT_EQ(texts["4120"][1130], "Power:");
    EXPECT_EQ(texts["4160"][1107], "Proportion1 (%):");
    EXPECT_EQ(texts["4130"][1118], "Proportion (%):");
    EXPECT_EQ(texts["4170"][1134], "Controls per case:");
    EXPECT_EQ(texts["4140"][1052], "0.10");
    EXPECT_EQ(captions["4150"], "Sample - Size - Two rates");
    EXPECT_EQ(captions["4170"], "Sampling - Sample size - Case-control study");
    EXPECT_EQ(texts["4260"][1107], "Proportion 1 (%):");
    EXPECT_EQ(texts["4210"][1147], "Precision (+/-):");
    EXPECT_EQ(texts["4210"][1106], "Confidence level");

    // Every dialog, the two-proportions one too, takes "OK" and "Cancel" from the vocabulary.
    CProfile words;
    words.Parse("[Terms]\n82=Go\n83=Stop\n");
    CProfile shipped;
    shipped.Load(ShippedVocabularyPath());
    SetVocabularyProfiles({words, shipped});
    for (const char* code : {"4160", "4140"}) {
        std::unique_ptr<CCalcBase> calc(GetCalcBase(code));
        calc->SetTypeString(code);
        Probe(*calc, [&](CDialog& dialog) {
            EXPECT_EQ(dialog.GetDlgItemText(IDOK), "Go") << code;
            EXPECT_EQ(dialog.GetDlgItemText(IDCANCEL), "Stop") << code;
        });
    }
}
