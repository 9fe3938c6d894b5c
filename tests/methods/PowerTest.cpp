// Power of two proportions and of two means with given group sizes, and the effects a target
// power detects: against R's power.prop.test and power.t.test, consistent with the sample-size
// formulas, and the two calculations end to end.
#include "Power.h"

#include "ReopenedReport.h"
#include "SampleSizeFormulas.h"
#include "TestSupport.h"

#include <cmath>
#include <cstring>
#include <nlohmann/json.hpp>

namespace
{
class PowerTest : public CCalcTest
{};

void ExpectRelative(double actual, double expected, double relative = 1e-9)
{
    EXPECT_TRUE(Near(actual, expected, std::fabs(expected) * relative));
}
} // namespace

TEST(PowerFormulas, TwoProportionsAgreeWithRsPowerPropTest)
{
    // R 4.2.2: power.prop.test(n = 100, p1 = 0.2, p2 = 0.1)$power, with sig.level = 0.01, and
    // power.prop.test(n = 100, p1 = 0.2, power = 0.8 or 0.9, sig.level = ..., tol = 1e-14)$p2.
    ExpectRelative(TwoProportionsPower(0.2, 0.1, 100, 100, 95, false), 100 * 0.508191068187736);
    ExpectRelative(TwoProportionsPower(0.1, 0.2, 100, 100, 99, false), 100 * 0.273766797342773);
    ExpectRelative(DetectableProportion(0.2, 100, 100, 95, 80, true), 0.378596467439715);
    ExpectRelative(DetectableProportion(0.2, 100, 100, 97.5, 90, true), 0.428710909364096);
}

TEST(PowerFormulas, PowerAtTheFormulasSizeIsTheTargetPower)
{
    // Power and size are one formula solved two ways; the corrected power undoes the
    // continuity correction of Fleiss, Tytun and Ury, for equal and unequal groups.
    for (double ratio : {1.0, 2.0, 0.25}) {
        const CGroupSizes plain = FleissSizes(0.3, 0.45, ratio, 95, 85);
        const CGroupSizes corrected = FleissCorrectedSizes(0.3, 0.45, ratio, 95, 85);
        ExpectRelative(TwoProportionsPower(0.3, 0.45, plain.group1, plain.group2, 95, false), 85);
        ExpectRelative(TwoProportionsPower(0.3, 0.45, corrected.group1, corrected.group2, 95, true), 85);
        ExpectRelative(DetectableProportion(0.3, plain.group1, plain.group2, 95, 85, true), 0.45, 1e-8);
    }
}

TEST(PowerFormulas, DetectableProportionFromZeroOrOne)
{
    // R's power.prop.test(n = 20, p1 = 0, power = 0.8) stops on a power of 0/0 at p2 = p1; the
    // search here starts beside p1 and finds the p2 of 80 % power.
    const double fromZero = DetectableProportion(0, 20, 20, 95, 80, true);
    ASSERT_TRUE(fromZero > 0 && fromZero < 1);
    ExpectRelative(TwoProportionsPower(0, fromZero, 20, 20, 95, false), 80, 1e-8);
    const double fromOne = DetectableProportion(1, 20, 20, 95, 80, false);
    ASSERT_TRUE(fromOne > 0 && fromOne < 1);
    ExpectRelative(TwoProportionsPower(1, fromOne, 20, 20, 95, false), 80, 1e-8);
    // Nothing lies beyond 0 and 1; two proportions of 0 have no power.
    EXPECT_TRUE(std::isnan(DetectableProportion(0, 20, 20, 95, 80, false)));
    EXPECT_TRUE(std::isnan(DetectableProportion(1, 20, 20, 95, 80, true)));
    EXPECT_TRUE(std::isnan(TwoProportionsPower(0, 0, 20, 20, 95, false)));
    // Groups too small for the target on that side.
    EXPECT_TRUE(std::isnan(DetectableProportion(0.5, 2, 2, 99, 99, true)));
}

TEST(PowerFormulas, TwoMeansAgreeWithRsPowerTTest)
{
    // R 4.2.2: power.t.test(n = 20, delta = 1, sd = 1.5)$power; n = 2, delta = 3, sd = 1,
    // sig.level = 0.1; n = 1e6, delta = 0.004, sd = 1.
    ExpectRelative(TwoMeansPowerT(1, 1.5, 20, 20, 95), 100 * 0.537757324214938);
    ExpectRelative(TwoMeansPowerT(-3, 1, 2, 2, 90), 100 * 0.617222231108837);
    ExpectRelative(TwoMeansPowerT(0.004, 1, 1e6, 1e6, 95), 100 * 0.807429207207181, 1e-8);
    // Unequal groups, R: pt(qt(0.975, 38), 38, ncp = 1 / (1.5 * sqrt(1/10 + 1/30)), lower.tail = FALSE).
    ExpectRelative(TwoMeansPowerT(1, 1.5, 10, 30, 95), 100 * 0.428423319897443);
    // R: pnorm(1 / (1.5 * sqrt(1/20 + 1/20)) - qnorm(0.975)).
    ExpectRelative(TwoMeansPowerNormal(1, 1.5, 20, 20, 95), 100 * 0.558915868601143);
    // R: power.t.test(n = 20, sd = 1.5, power = 0.9 or 0.8, tol = 1e-14)$delta.
    ExpectRelative(DetectableDifferenceT(1.5, 20, 20, 95, 90), 1.57798968998749, 1e-8);
    ExpectRelative(DetectableDifferenceT(1.5, 20, 20, 95, 80), 1.36369519144041, 1e-8);
    ExpectRelative(TwoMeansPowerNormal(DetectableDifferenceNormal(1.5, 20, 20, 95, 80), 1.5, 20, 20, 95), 80);
}

TEST(PowerFormulas, HugeEffectsHaveFullPowerAndBadInputNone)
{
    // A noncentrality of 10^12 overflows the noncentral t's series; its power is 1.
    EXPECT_EQ(TwoMeansPowerT(1e9, 0.001, 1e7, 1e7, 99.99), 100);
    EXPECT_EQ(TwoMeansPowerT(1e9, 0.001, 2, 2, 99.99), 100);
    EXPECT_TRUE(std::isnan(TwoMeansPowerT(1, 0, 20, 20, 95)));
    EXPECT_TRUE(std::isnan(TwoMeansPowerT(1, 1, 1, 1, 95)));
    EXPECT_TRUE(std::isnan(DetectableDifferenceT(0, 20, 20, 95, 80)));
}

TEST_F(PowerTest, TwoProportionsReport)
{
    const auto line = [](const char* label, const char* value) { return ResultLine(label, value) + "\n"; };
    // R 4.2.2: power.prop.test(n = 100, p1 = 0.2, p2 = 0.1)$power = 0.5082, and p2 = 0.3786 at
    // power = 0.8; the lower proportion and the corrected power by the same formula.
    EXPECT_EQ(Report("4410", {"1231=20", "1232=10"}),
              "Sampling - Power - Two proportions\nT\n\n" + line("Proportion 1", "     20.00%") +
                  line("Proportion 2", "     10.00%") + line("Sample size 1", "     100") +
                  line("Sample size 2", "     100") + line("Confidence level", "        95%") + "\n" +
                  line("Power (normal approximation)", "     50.82%") +
                  line("Power with continuity correction", "     42.88%") + "\n" + line("Target power", "     80.00%") +
                  line("Detectable proportion 2 (higher)", "     37.86%") +
                  line("Detectable proportion 2 (lower)", "      6.62%"));
    // No proportion below 0 % is detectable.
    EXPECT_EQ(ReportLine(Report("4410", {"1231=0", "1232=10"}), "Detectable proportion 2 (lower)"),
              ResultLine("Detectable proportion 2 (lower)", "      ****"));
}

TEST_F(PowerTest, TwoMeansReport)
{
    const auto line = [](const char* label, const char* value) { return ResultLine(label, value) + "\n"; };
    // R 4.2.2: power.t.test(n = 20, delta = 1, sd = 1.5)$power = 0.5378 and $delta = 1.3637 at
    // power = 0.8; the normal approximation by pnorm and qnorm.
    EXPECT_EQ(Report("4420", {"1241=1", "1242=1.5"}),
              "Sampling - Power - Two means\nT\n\n" + line("Difference", "      1.0000") +
                  line("Standard deviation", "      1.5000") + line("Sample size 1", "      20") +
                  line("Sample size 2", "      20") + line("Confidence level", "        95%") + "\n" +
                  line("Power (noncentral t)", "     53.78%") + line("Power (normal approximation)", "     55.89%") +
                  "\n" + line("Target power", "     80.00%") + line("Detectable difference (t)", "      1.3637") +
                  line("Detectable difference (normal)", "      1.3289"));
}

TEST_F(PowerTest, BadInputIsRefusedWithTheFocusOnIt)
{
    ExpectRefusedWithoutReport("4420", {"1241=1", "1242=0"}, "The standard deviation must be greater than 0.", 1242);
    ExpectRefusedWithoutReport("4420", {"1241=1", "1243=1"}, "Please enter an integer between 2 and 10000000.", 1243);
    ExpectRefusedWithoutReport("4420", {"1241=1", "1245=100"}, "Please enter a number between 50 and 99.99.", 1245);
    ExpectRefusedWithoutReport("4410", {"1231=20", "1234=0"}, "Please enter an integer between 1 and 1000000000.",
                               1234);
    ExpectRefusedWithoutReport("4410", {"1231=-1"}, "Please enter a number between 0 and 100.", 1231);
}

TEST_F(PowerTest, ResultsAsDataCommandLineAndReopenedDocumentAgree)
{
    ExpectResultsAsData(
        "4410", {"1231=20", "1232=10", "1233=100", "1234=150", "1235=90", "1040=99", "1022=P"},
        {"percentage1=20", "percentage2=10", "n1=100", "n2=150", "target_power=90", "level=99", "title=P"});
    ExpectResultsAsData("4420", {"1241=-2.5", "1242=4", "1243=12", "1244=30", "1022=M"},
                        {"difference=-2.5", "sd=4", "n1=12", "n2=30", "title=M"});
    ExpectSameReportWhenReopened("4410", {"1231=33.3", "1232=12.5", "1233=1000000000", "1234=1", "1040=60"});
    ExpectSameReportWhenReopened("4420", {"1241=0.3", "1242=2.25", "1243=10000000", "1244=2", "1245=99.99"});

    const CCliRun cli = RunCli("run 4420 difference=1 sd=1.5 --format json --vocab '" + ShippedVocabularyPath() + "'");
    ASSERT_EQ(cli.status, 0);
    const nlohmann::json json = nlohmann::json::parse(cli.out);
    EXPECT_EQ(json["results"][0]["key"], "power_t");
    // R 4.2.2: power.t.test(n = 20, delta = 1, sd = 1.5)$power.
    EXPECT_TRUE(Near(json["results"][0]["estimate"].get<double>(), 53.7757324214938, 1e-9));
}

TEST_F(PowerTest, DamagedStoredInputsAreRefusedOnReading)
{
    // Every stored number of the area's five types is a double; a cut stream or a number that
    // is not finite is refused with the format error instead of computed with.
    const std::vector<std::pair<std::string, size_t>> types = {
        {"4180", 5}, {"4410", 6}, {"4420", 6}, {"5400", 4}, {"5500", 3}};
    for (const auto& [code, count] : types) {
        std::unique_ptr<CCalcBase> calc(GetCalcBase(code));
        ASSERT_NE(calc, nullptr) << code;
        calc->SetTypeString(code);
        std::vector<unsigned char> bytes;
        {
            CArchive out(bytes);
            out.WriteObject(calc.get());
        }
        const auto load = [](const std::vector<unsigned char>& stored) {
            CArchive in(stored.data(), stored.size());
            return std::unique_ptr<CCalcBase>(ReadObjectOf<CCalcBase>(in));
        };
        EXPECT_NE(load(bytes), nullptr) << code;
        for (size_t length = 0; length < bytes.size(); ++length)
            EXPECT_THROW(load(std::vector<unsigned char>(bytes.begin(), bytes.begin() + length)), CArchiveException)
                << code << " cut at " << length;
        // The numbers are the last 8 * count bytes; each one in turn becomes NaN or infinite.
        for (size_t i = 0; i < count; ++i) {
            for (double bad : {std::nan(""), -HUGE_VAL}) {
                std::vector<unsigned char> damaged = bytes;
                std::memcpy(damaged.data() + damaged.size() - 8 * (count - i), &bad, 8);
                EXPECT_THROW(load(damaged), CArchiveException) << code << " number " << i;
            }
        }
    }
}
