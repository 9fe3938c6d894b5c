// Tests of the three means calculations end to end: the worked figures of each report, the
// non-finite cases, dialog texts and refusals, and redoing or cancelling an existing calculation.
#include "CCompMeanMDG.h"
#include "CCompMeans2.h"
#include "CDialog.h"
#include "CalcTestSupport.h"
#include "DialogHost.h"
#include "Format.h"
#include "GetCalcBase.h"
#include "ScriptedDialogHost.h"
#include "UIServices.h"

#include <map>
#include <memory>

namespace
{
/// Valid actions for each dialog, the title aside.
const std::vector<std::string> kTwoMeans = {"1061=10", "1070=2", "1080=10", "1060=8", "1071=2", "1025=10"};
const std::vector<std::string> kOneMean = {"1027=2", "1028=4", "1024=16"};
const std::vector<std::string> kGivenMean = {"1027=10", "1029=8", "1028=4", "1024=16"};

std::vector<std::string> With(std::vector<std::string> actions, const std::vector<std::string>& more)
{
    actions.insert(actions.end(), more.begin(), more.end());
    return actions;
}

class MeansTest : public CCalcTest
{};
} // namespace

TEST_F(MeansTest, TwoMeansPoolTheVariance)
{
    // se = sqrt(1/10 + 1/10) * 2 = 0.8944; t(0.975, 18) = 2.1009 (published tables).
    EXPECT_EQ(Report("2610", kTwoMeans),
              "Compare - Means - Two means\nT\n\n"
              "Sample 1\n" +
                  ResultLine("Mean", "     10.00", "") + "\n" + ResultLine("Standard deviation", "      2.00", "") +
                  "\n" + ResultLine("Sample size", "     10", "") +
                  "\n\n"
                  "Sample 2\n" +
                  ResultLine("Mean", "      8.00", "") + "\n" + ResultLine("Standard deviation", "      2.00", "") +
                  "\n" + ResultLine("Sample size", "     10", "") +
                  "\n\n"
                  "Difference\n" +
                  ResultLine("Difference [95% CI]", "      2.00", "[0.12, 3.88]") + "\n" +
                  ResultLine("Student's t", "      2.24", "") + "\n" + ResultLine("Degrees of freedom", "     18", "") +
                  "\n" + ResultLine("p-value", "      0.038250", "") + "\n");

    // Swapping the samples changes nothing below their own lines.
    const std::string swapped = Report("2610", {"1061=8", "1070=2", "1080=10", "1060=10", "1071=2", "1025=10"});
    EXPECT_EQ(ReportLine(swapped, "Difference [95% CI]"),
              ResultLine("Difference [95% CI]", "      2.00", "[0.12, 3.88]"));
    EXPECT_EQ(ReportLine(swapped, "p-value"), ResultLine("p-value", "      0.038250", ""));

    // Unequal sizes: every 1/size is a real quotient (integer division would give se = 0 and
    // an infinite t). v = (9 * 19 + 4 * 9) / 28, se = sqrt(1/20 + 1/10) * sqrt(v) = 1.0541.
    const std::string unequal = Report("2610", {"1061=5", "1070=2", "1080=10", "1060=3", "1071=3", "1025=20", "+1021"});
    EXPECT_EQ(ReportLine(unequal, "Student's t"), ResultLine("Student's t", "      1.90", ""));
    EXPECT_EQ(ReportLine(unequal, "Degrees of freedom"), ResultLine("Degrees of freedom", "     28", ""));
    // t(0.995, 28) = 2.7633: 2 -/+ 2.9128.
    EXPECT_EQ(ReportLine(unequal, "Difference [99% CI]"),
              ResultLine("Difference [99% CI]", "      2.00", "[-0.91, 4.91]"));
}

TEST_F(MeansTest, EqualMeansGiveAnUnsignedZeroDifference)
{
    // -0 - 0 is a negative zero, which absd turns positive.
    const std::string report = Report("2610", {"1061=-0", "1070=2", "1080=10", "1060=0", "1071=2", "1025=10"});
    EXPECT_EQ(ReportLine(report, "Difference [95% CI]"),
              ResultLine("Difference [95% CI]", "      0.00", "[-1.88, 1.88]"));
    EXPECT_EQ(ReportLine(report, "Student's t"), ResultLine("Student's t", "      0.00", ""));
    EXPECT_EQ(ReportLine(report, "p-value"), ResultLine("p-value", "      1.000000", ""));
}

TEST_F(MeansTest, OneMeanAgainstZeroOrAGivenMean)
{
    // se = 4 / 4 = 1, t = 2 with 15 degrees of freedom; t(0.975, 15) = 2.1314.
    const std::string tail =
        ResultLine("Standard deviation", "      4.00", "") + "\n" + ResultLine("Sample size", "     16", "") + "\n" +
        ResultLine("Student's t", "      2.00", "") + "\n" + ResultLine("Degrees of freedom", "     15", "") + "\n" +
        ResultLine("One-tailed p-value", "      0.031973", "") + "\n" +
        ResultLine("Two-tailed p-value", "      0.063945", "") + "\n";
    EXPECT_EQ(Report("2620", kOneMean), "Compare - Means - One mean versus zero\nT\n\n" +
                                            ResultLine("Mean [95% CI]", "      2.00", "[-0.13, 4.13]") + "\n" + tail);
    EXPECT_EQ(Report("2620", {"1027=-2", "1028=4", "1024=16"}),
              "Compare - Means - One mean versus zero\nT\n\n" +
                  ResultLine("Mean [95% CI]", "     -2.00", "[-4.13, 0.13]") + "\n" + tail);
    // The interval is that of the sample mean, not of the difference from the reference.
    EXPECT_EQ(Report("2630", kGivenMean), "Compare - Means - One mean versus a given value\nT\n\n" +
                                              ResultLine("Reference mean", "      8.00", "") + "\n" +
                                              ResultLine("Mean [95% CI]", "     10.00", "[7.87, 12.13]") + "\n" + tail);
    // t(0.995, 15) = 2.9467.
    EXPECT_EQ(ReportLine(Report("2630", With(kGivenMean, {"+1021"})), "Mean [99% CI]"),
              ResultLine("Mean [99% CI]", "     10.00", "[7.05, 12.95]"));
}

TEST_F(MeansTest, NoDegreesOfFreedomOrNoSpreadPrintStars)
{
    // Two samples of one: no pooled variance.
    const std::string pairOfOnes = Report("2610", {"1061=10", "1070=2", "1080=1", "1060=8", "1071=2", "1025=1"});
    EXPECT_EQ(ReportLine(pairOfOnes, "Difference [95% CI]"),
              ResultLine("Difference [95% CI]", "      2.00", "[****, ****]"));
    EXPECT_EQ(ReportLine(pairOfOnes, "Degrees of freedom"), ResultLine("Degrees of freedom", "      0", ""));
    EXPECT_EQ(ReportLine(pairOfOnes, "p-value"), ResultLine("p-value", "      ****", ""));

    // A sample of one: the probability is undefined, not the 0 of the tail formula at df 0.
    for (const std::string code : {"2620", "2630"}) {
        const std::string report = Report(code, {"1027=10", "1028=4", "1024=1"});
        EXPECT_EQ(ReportLine(report, "Mean [95% CI]"), ResultLine("Mean [95% CI]", "     10.00", "[****, ****]"))
            << code;
        EXPECT_EQ(ReportLine(report, "One-tailed p-value"), ResultLine("One-tailed p-value", "      ****", "")) << code;
        EXPECT_EQ(ReportLine(report, "Two-tailed p-value"), ResultLine("Two-tailed p-value", "      ****", "")) << code;
    }

    // An SD of 0: an infinite t and an interval of no width; equal means leave t undefined.
    const std::string noSpread = Report("2620", {"1027=3", "1028=0", "1024=5"});
    EXPECT_EQ(ReportLine(noSpread, "Student's t"), ResultLine("Student's t", "      ****", ""));
    EXPECT_EQ(ReportLine(noSpread, "Mean [95% CI]"), ResultLine("Mean [95% CI]", "      3.00", "[3.00, 3.00]"));
    // The infinite t has no probability (its p-values printed 0.000000, the tail at infinity).
    EXPECT_EQ(ReportLine(noSpread, "One-tailed p-value"), ResultLine("One-tailed p-value", "      ****", ""));
    EXPECT_EQ(ReportLine(noSpread, "Two-tailed p-value"), ResultLine("Two-tailed p-value", "      ****", ""));
    const std::string equal = Report("2610", {"1061=4", "1070=0", "1080=5", "1060=4", "1071=0", "1025=5"});
    EXPECT_EQ(ReportLine(equal, "Student's t"), ResultLine("Student's t", "      ****", ""));
    EXPECT_EQ(ReportLine(equal, "p-value"), ResultLine("p-value", "      ****", ""));
}

TEST_F(MeansTest, OutOfRangeFieldsAreRefusedWithTheFocusOnThem)
{
    const std::string sizes = "Please enter an integer between 1 and 1000000.";
    const std::string sds = "Please enter a number between 0 and 1000000.";
    struct Case
    {
        std::string code;
        std::vector<std::string> valid;
        int id;
        std::string text;
        std::string message;
    };
    const std::vector<Case> cases = {
        {"2610", kTwoMeans, 1070, "-0.01", sds},
        {"2610", kTwoMeans, 1071, "1000000.5", sds},
        {"2610", kTwoMeans, 1080, "0", sizes},
        {"2610", kTwoMeans, 1025, "1000001", sizes},
        {"2610", kTwoMeans, 1025, "-1", "Please enter a positive integer."},
        {"2620", kOneMean, 1028, "-1", sds},
        {"2620", kOneMean, 1024, "0", sizes},
        {"2630", kGivenMean, 1028, "1000001", sds},
        {"2630", kGivenMean, 1024, "4294967296", sizes},
        {"2630", kGivenMean, 1022, std::string(51, 'x'), "Please enter no more than 50 characters."},
    };
    for (const Case& c : cases)
        ExpectRefusedWithoutReport(c.code, With(c.valid, {Format("%d=%s", c.id, c.text.c_str())}), c.message, c.id);

    // The bounds themselves are accepted; means take any finite number.
    EXPECT_EQ(ReportLine(Report("2620", {"1027=-1e9", "1028=1000000", "1024=1000000"}), "Sample size"),
              ResultLine("Sample size", "1000000", ""));
    EXPECT_FALSE(Report("2610", With(kTwoMeans, {"1070=0", "1080=1", "1022=" + std::string(50, 'x')})).empty());
}

TEST_F(MeansTest, RealFieldsTakeOnlyFiniteDecimalNumbers)
{
    const std::vector<std::pair<std::string, std::vector<int>>> fields = {
        {"2610", {1061, 1070, 1060, 1071}},
        {"2620", {1027, 1028}},
        {"2630", {1027, 1029, 1028}},
    };
    const std::map<std::string, std::vector<std::string>> valid = {
        {"2610", kTwoMeans}, {"2620", kOneMean}, {"2630", kGivenMean}};
    for (const auto& [code, ids] : fields) {
        for (int id : ids) {
            for (const char* text : {"nan", "inf", "0x1p3", "1e999", "-1e999", "2.5x", ""})
                ExpectRefusedWithoutReport(code, With(valid.at(code), {Format("%d=%s", id, text)}),
                                           "Please enter a number.", id);
            for (const char* text : {" 2.5 ", "1e5"})
                EXPECT_FALSE(Report(code, With(valid.at(code), {Format("%d=%s", id, text)})).empty())
                    << code << " " << id << " " << text;
        }
    }
    EXPECT_EQ(ReportLine(Report("2630", With(kGivenMean, {"1029= 2.5 "})), "Reference mean"),
              ResultLine("Reference mean", "      2.50", ""));
    EXPECT_EQ(ReportLine(Report("2620", With(kOneMean, {"1028=1e5"})), "Standard deviation"),
              ResultLine("Standard deviation", " 100000.00", ""));
}

TEST_F(MeansTest, DialogsShowTheVocabularyTexts)
{
    CSnapshotHost host;
    host.m_checkTemplate = true;
    const CDialogHostGuard hostGuard(host);
    OpenAndCancel("2610");
    EXPECT_EQ(host.m_caption, "Compare - Means - Two means");
    EXPECT_EQ(host.m_texts[1099], "Sample");
    EXPECT_EQ(host.m_texts[1100], "Sample");
    for (int id : {1114, 1115})
        EXPECT_EQ(host.m_texts[id], "Mean:");
    for (int id : {1116, 1117})
        EXPECT_EQ(host.m_texts[id], "Standard deviation:");
    for (int id : {1103, 1104})
        EXPECT_EQ(host.m_texts[id], "Sample size:");
    EXPECT_EQ(host.m_texts[1105], "Title:");
    EXPECT_EQ(host.m_texts[1106], "Confidence level");
    EXPECT_EQ(host.m_texts[1020], "95%");
    EXPECT_EQ(host.m_texts[IDOK], "OK");
    EXPECT_EQ(host.m_texts[IDCANCEL], "Cancel");
    OpenAndCancel("2620");
    EXPECT_EQ(host.m_caption, "Compare - Means - One mean versus zero");
    EXPECT_EQ(host.m_texts[1109], "Mean:");
    EXPECT_EQ(host.m_texts[1110], "Standard deviation:");
    EXPECT_EQ(host.m_texts[1111], "Sample size:");
    OpenAndCancel("2630");
    EXPECT_EQ(host.m_caption, "Compare - Means - One mean versus a given value");
    EXPECT_EQ(host.m_texts[1112], "Reference mean:");
    EXPECT_EQ(host.m_texts[1024], "0");
    EXPECT_TRUE(m_fallbacks.empty()) << m_fallbacks.front();
}

TEST_F(MeansTest, CancelKeepsAndRedoShowsTheStoredInputs)
{
    CCompMeans2 two;
    two.SetTypeString("2610");
    two.SetTitle("Heights");
    two.m_level = 1;
    two.m_mean1 = 10;
    two.m_mean2 = 8;
    two.m_sd1 = 2;
    two.m_sd2 = 2;
    two.m_size1 = 10;
    two.m_size2 = 10;
    {
        CRedoScope scope({"1061=99", "1025=3", "1022=Other", "+1020", "@2"});
        EXPECT_FALSE(two.Do());
    }
    EXPECT_EQ(two.GetTitle(), "Heights");
    EXPECT_EQ(two.m_level, 1);
    EXPECT_EQ(two.m_mean1, 10);
    EXPECT_EQ(two.m_size2, 10u);
    EXPECT_TRUE(two.GetPhrases().empty());
    {
        // OK on the dialog as it opens: the stored inputs go round through the fields.
        CRedoScope scope({});
        EXPECT_TRUE(two.Do());
    }
    const std::string report = PhrasesText(two.GetPhrases());
    EXPECT_NE(report.find("\nHeights\n\n"), std::string::npos);
    // t(0.995, 18) = 2.8784: 2 -/+ 2.5745.
    EXPECT_EQ(ReportLine(report, "Difference [99% CI]"),
              ResultLine("Difference [99% CI]", "      2.00", "[-0.57\a 4.57]"));

    CCompMeanMDG given;
    given.SetTypeString("2630");
    given.SetTitle("Weights");
    given.m_mean = 12.345678901234567;
    given.m_refMean = -3;
    given.m_sd = 1.5;
    given.m_size = 9;
    {
        CRedoScope scope({"1029=4"});
        EXPECT_TRUE(given.Do());
    }
    EXPECT_EQ(given.m_mean, 12.3456789012346); // the field shows 15 significant digits
    EXPECT_EQ(given.m_refMean, 4);
    EXPECT_EQ(given.m_size, 9u);
    EXPECT_TRUE(m_fallbacks.empty()) << m_fallbacks.front();
}
