// CCompUnstrat: analysis of one 2x2 table of exposure by outcome (type "3200"): the statistics,
// the report and the input dialog (template 166) laid out as the table it asks for.
#include "CCompUnstrat.h"

#include "CArchive.h"
#include "CCalcDlg.h"
#include "Distributions.h"
#include "Estimate.h"
#include "FieldTable.h"
#include "FisherExact.h"
#include "Format.h"
#include "Profile.h"
#include "StoredInputs.h"
#include "TableTests.h"
#include "Terms.h"

#include <algorithm>
#include <cmath>
#include <tuple>

IMPLEMENT_SERIAL(CCompUnstrat, CCalcBase, 0)

/// Everything the report prints, computed from the four cells.
struct CUnstratStats
{
    CFisherResult fisher;
    double x2 = 0, x2P = 0;   // chi-square without correction and its p
    double x2y = 0, x2yP = 0; // with Yates' correction
    CEstimate riskRatio, oddsRatio, riskDifference, afExposed, afPopulation;
    CEstimate prevalence, sensitivity, specificity, agreement, positivePV, negativePV;
    double zMatched = 0, zMatchedP = 0;           // matched-pairs z and its one-tailed p
    double mcNemar = 0, mcNemarP = 0;             // McNemar's chi-square and its p
    CEstimate matchedOddsRatio, pairedDifference; // b / c and (b - c) / n
};

namespace
{
/// Normal deviates of the confidence levels, indexed by the level.
constexpr double kDeviates[2] = {1.96, 2.58};
constexpr uint32_t kMaxCount = 1000000;

enum : int
{
    kIdA = 1090,
    kIdB = 1091,
    kIdC = 1092,
    kIdD = 1093,
    kIdRowHeading = 1127,
    kIdColumnHeading = 1128,
    kIdFisher = 1157,
};

/// The cells a, b / c, d (exposed and unexposed by with and without the outcome), the level, the
/// title and the exact test.
const CFieldTable& UnstratFields()
{
    const auto cell = [](const char* name, int id, const char* label) {
        CField field = CountField(name, id, "", 0, kMaxCount);
        field.label = label;
        return field;
    };
    static const CFieldTable table{{
                                       TitleField(),
                                       LevelField(),
                                       cell("a", kIdA, "exposed, with the outcome"),
                                       cell("b", kIdB, "exposed, without the outcome"),
                                       cell("c", kIdC, "unexposed, with the outcome"),
                                       cell("d", kIdD, "unexposed, without the outcome"),
                                       FlagField("exact", kIdFisher, "Messages/14", true),
                                   },
                                   {}};
    return table;
}

/// A proportion p of a base m with Fleiss' limits.
CEstimate Proportion(double p, double m, double z)
{
    CEstimate estimate{p, 0, 0};
    FleissCISingProp(p, m, z, estimate.lower, estimate.upper);
    return estimate;
}

/// A measure f applied to a ratio and to each of its limits.
template <class F> CEstimate AtRatio(const CEstimate& ratio, F f)
{
    return {f(ratio.value), f(ratio.lower), f(ratio.upper)};
}

/// The tests and the measures of association, screening and matched pairs. Every count, margin
/// and product is a double, so nothing overflows at a million per cell; a zero in a denominator
/// gives a non-finite value, which the report prints as "****".
CUnstratStats ComputeStats(const CCompUnstrat& calc, double z)
{
    const double a = calc.m_a, b = calc.m_b, c = calc.m_c, d = calc.m_d;
    const double r1 = a + b, r2 = c + d, c1 = a + c, c2 = b + d, n = a + b + c + d;
    CUnstratStats s;
    if (calc.m_fisher)
        s.fisher = FisherExact(calc.m_a, calc.m_b, calc.m_c, calc.m_d, true);

    const double cross = a * d - b * c;
    const double marginProduct = c1 * c2 * r1 * r2;
    s.x2 = n * (cross * cross) / marginProduct;
    s.x2P = Chi2Prob(s.x2, 1);
    const double corrected = absd(cross) - n / 2;
    s.x2y = n * (corrected * corrected) / marginProduct;
    s.x2yP = Chi2Prob(s.x2y, 1);

    s.riskRatio = RatioLimits((a / r1) / (c / r2), std::sqrt(b / (a * r1) + d / (c * r2)), z);
    s.oddsRatio = RatioLimits((a / b) / (c / d), std::sqrt(1 / a + 1 / b + 1 / c + 1 / d), z);
    const double rd = a / r1 - c / r2;
    const double rdSe = std::sqrt(a * b / (r1 * r1 * r1) + c * d / (r2 * r2 * r2));
    s.riskDifference = {rd, rd - z * rdSe, rd + z * rdSe};
    s.afExposed = AtRatio(s.riskRatio, [](double r) { return (r - 1) / r; });
    const double pe = r1 / n;
    s.afPopulation = AtRatio(s.riskRatio, [pe](double r) { return pe * (r - 1) / (pe * (r - 1) + 1); });

    s.prevalence = Proportion(c1 / n, n, z);
    s.sensitivity = Proportion(a / c1, c1, z);
    s.specificity = Proportion(d / c2, c2, z);
    s.agreement = Proportion((a + d) / n, n, z);
    s.positivePV = Proportion(a / r1, r1, z);
    s.negativePV = Proportion(d / r2, r2, z);

    // Matched pairs: b and c are the discordant pairs.
    const double discordant = b + c;
    s.zMatched = (absd(b / discordant - 0.5) - 1 / (2 * discordant)) / std::sqrt(0.25 / discordant);
    s.zMatchedP = NormalProb(s.zMatched);
    const double mcNemarTerm = absd(b - c) - 1;
    s.mcNemar = mcNemarTerm * mcNemarTerm / discordant;
    s.mcNemarP = Chi2Prob(s.mcNemar, 1);
    const CEstimate share = Proportion(b / discordant, discordant, z);
    s.matchedOddsRatio = {b / c, share.lower / (1 - share.lower), share.upper / (1 - share.upper)};
    const double pairedDifference = (b - c) / n;
    const double pairedHalfWidth = z * std::sqrt(discordant) / n;
    s.pairedDifference = {pairedDifference, pairedDifference - pairedHalfWidth, pairedDifference + pairedHalfWidth};
    return s;
}

/// Right-aligns text in `width` characters, as "%*s" would for ASCII.
std::string Right(const std::string& text, size_t width)
{
    return PadToWidth(text, width, false);
}

class CCompUnstratDlg : public CCalcDlg
{
public:
    CCompUnstratDlg();
    void Load(const CCompUnstrat& calc);
    void Store(CCompUnstrat& calc) const;

protected:
    bool OnInitDialog() override;
    void DoDataExchange(CDataExchange& dx) override;

private:
    int m_level = 0;
    uint32_t m_a = 0;
    uint32_t m_b = 0;
    uint32_t m_c = 0;
    uint32_t m_d = 0;
    bool m_fisher = true;
};

/// The dialog as the table it asks for: the outcome heading over the columns, the exposure
/// heading beside the rows, "+" and "-" labelling both, the cells a, b / c, d in their places.
const CDialogTemplate& CompUnstratTemplate()
{
    static const CDialogTemplate dialogTemplate{
        166,
        "Compare - 2x2 tables - Unstratified",
        {
            StaticCtl(kIdTitleLabel, "Title:", 0, 0),
            EditCtl(kIdTitle, 0, 1).MaxChars(kMaxTitleChars).Span(1, 3),
            GroupBoxCtl(kIdLevelBox, "Confidence Interval", 1, 0).Span(1, 4),
            RadioCtl(kIdLevel95, "95%", 0, 0).GroupStart().InGroup(kIdLevelBox),
            RadioCtl(kIdLevel99, "99%", 0, 1).InGroup(kIdLevelBox),
            StaticCtl(kIdColumnHeading, "Outcome", 2, 2).Span(1, 2),
            StaticCtl(kStaticId, "+", 3, 2),
            StaticCtl(kStaticId, "-", 3, 3),
            StaticCtl(kIdRowHeading, "Exposure", 4, 0).Span(2, 1),
            StaticCtl(kStaticId, "+", 4, 1),
            NumberEditCtl(kIdA, 4, 2).RightAlign(),
            NumberEditCtl(kIdB, 4, 3).RightAlign(),
            StaticCtl(kStaticId, "-", 5, 1),
            NumberEditCtl(kIdC, 5, 2).RightAlign(),
            NumberEditCtl(kIdD, 5, 3).RightAlign(),
            CheckCtl(kIdFisher, "Perform Fishers exact test", 6, 0).Span(1, 4),
            DefButtonCtl(IDOK, "OK", 7, 2),
            ButtonCtl(IDCANCEL, "Cancel", 7, 3),
        },
    };
    return dialogTemplate;
}

CCompUnstratDlg::CCompUnstratDlg() : CCalcDlg(CompUnstratTemplate())
{
    m_levelBoxSuffix = ":";
}

void CCompUnstratDlg::Load(const CCompUnstrat& calc)
{
    m_level = calc.m_level;
    m_a = calc.m_a;
    m_b = calc.m_b;
    m_c = calc.m_c;
    m_d = calc.m_d;
    m_fisher = calc.m_fisher;
}

void CCompUnstratDlg::Store(CCompUnstrat& calc) const
{
    calc.m_level = m_level;
    calc.m_fisher = m_fisher;
    calc.m_a = m_a;
    calc.m_b = m_b;
    calc.m_c = m_c;
    calc.m_d = m_d;
}

bool CCompUnstratDlg::OnInitDialog()
{
    CCalcDlg::OnInitDialog();
    SetTerm(kIdColumnHeading, kTermOutcome, "");
    SetTerm(kIdRowHeading, kTermExposure, "");
    SetDlgItemText(kIdFisher, GetProfileString("Messages", "14", "14"));
    return true;
}

void CCompUnstratDlg::DoDataExchange(CDataExchange& dx)
{
    ExchangeTitle(dx);
    DDX_Radio(dx, kIdLevel95, m_level);
    const CFieldTable& fields = UnstratFields();
    ExchangeField(dx, FieldOf(fields, "a"), m_a);
    ExchangeField(dx, FieldOf(fields, "b"), m_b);
    ExchangeField(dx, FieldOf(fields, "c"), m_c);
    ExchangeField(dx, FieldOf(fields, "d"), m_d);
    DDX_Check(dx, kIdFisher, m_fisher);
}
} // namespace

void CCompUnstrat::Serialize(CArchive& ar)
{
    CCalcBase::Serialize(ar);
    // The stored order is the document format's, not the order of the fields; the flag is a
    // 32-bit 1 or 0, and any non-zero value reads as set.
    if (ar.IsStoring()) {
        ar << m_a << m_b << m_c << m_d << m_level << static_cast<int32_t>(m_fisher ? 1 : 0);
    } else {
        ar >> m_a >> m_b >> m_c >> m_d;
        m_level = ReadLevel(ar);
        int32_t fisher = 0;
        ar >> fisher;
        m_fisher = fisher != 0;
    }
}

const CFieldTable* CCompUnstrat::Fields() const
{
    return &UnstratFields();
}

CInputs CCompUnstrat::Inputs() const
{
    return CInputList()
        .Text("title", GetTitle())
        .Text("level", m_level == 0 ? "95" : "99")
        .Number("a", m_a)
        .Number("b", m_b)
        .Number("c", m_c)
        .Number("d", m_d)
        .Flag("exact", m_fisher)
        .Take();
}

CResults CCompUnstrat::Results() const
{
    const int levelIndex = m_level == 1 ? 1 : 0;
    const CUnstratStats s = ComputeStats(*this, kDeviates[levelIndex]);
    const std::string level = kLevels[levelIndex];
    CResults results;
    if (m_fisher) {
        for (const auto& [key, label, p] : {std::tuple{"fisher_p_one_sided", "89 90", s.fisher.oneSided},
                                            std::tuple{"fisher_p_two_sided", "89 91", s.fisher.twoSided}}) {
            results.push_back(EstimateResult(key, label, p, 6));
            results.back().probability = true;
        }
    }
    results.push_back(StatisticResult("chi2", kTermChiSquareUncorrected, s.x2, 1, 2));
    results.push_back(ProbabilityResult("p_chi2", kTermPValue, s.x2, s.x2P, 1, 6));
    results.push_back(StatisticResult("chi2_yates", kTermChiSquareWithYatesCorrection, s.x2y, 1, 2));
    results.push_back(ProbabilityResult("p_chi2_yates", kTermPValue, s.x2y, s.x2yP, 1, 6));
    const auto interval = [&](const char* key, const char* label, const CEstimate& e) {
        results.push_back(IntervalResult(key, label, e.value, e.lower, e.upper, level, 2));
    };
    interval("risk_ratio", "52", s.riskRatio);
    interval("odds_ratio", "21", s.oddsRatio);
    interval("risk_difference", "51", s.riskDifference);
    interval("attributable_fraction_exposed", "46", s.afExposed);
    interval("attributable_fraction_population", "28", s.afPopulation);
    // The preventive fraction 1 - RR: its lower limit comes from the upper limit of RR.
    const CEstimate& rr = s.riskRatio;
    interval("preventive_fraction", "70", {1 - rr.value, 1 - rr.upper, 1 - rr.lower});
    interval("prevalence", "42", s.prevalence);
    interval("sensitivity", "59", s.sensitivity);
    interval("specificity", "61", s.specificity);
    interval("agreement", "04", s.agreement);
    interval("positive_predictive_value", "41", s.positivePV);
    interval("negative_predictive_value", "40", s.negativePV);
    results.push_back(StatisticResult("z_matched", kTermZStatistic, s.zMatched, kNoValue, 2));
    results.push_back(ProbabilityResult("p_z_matched_one_tailed", TermKeys({kTermOneTailed, kTermPValue}), s.zMatched,
                                        s.zMatchedP, kNoValue, 6));
    results.push_back(ProbabilityResult("p_z_matched_two_tailed", TermKeys({kTermTwoTailed, kTermPValue}), s.zMatched,
                                        2 * s.zMatchedP, kNoValue, 6));
    results.push_back(StatisticResult("chi2_mcnemar", kTermMcNemarsChiSquare, s.mcNemar, 1, 2));
    results.push_back(ProbabilityResult("p_chi2_mcnemar", kTermPValue, s.mcNemar, s.mcNemarP, 1, 6));
    interval("matched_odds_ratio", "94", s.matchedOddsRatio);
    interval("paired_difference", "102", s.pairedDifference);
    return results;
}

bool CCompUnstrat::Do()
{
    if (!RunInputDialog<CCompUnstratDlg>(*this))
        return false;
    CWaitCursor wait;
    const CResults results = Results();
    InsertHeading();
    ReportTable();
    ReportTests(results);
    ReportEstimates(results);
    ReportMatchedPairs(results);
    return true;
}

void CCompUnstrat::ReportTable()
{
    // Margins in 64 bits: printed in full whatever the stored cells.
    const uint64_t r1 = uint64_t{m_a} + m_b, r2 = uint64_t{m_c} + m_d;
    const uint64_t c1 = uint64_t{m_a} + m_c, c2 = uint64_t{m_b} + m_d;
    // The two count columns are 6 characters wide; a count of 6 digits or more widens both, so
    // that neighbouring counts never run together ("100000" beside "5" must not read 5100000).
    const uint64_t widest = std::max({uint64_t{m_a}, uint64_t{m_b}, uint64_t{m_c}, uint64_t{m_d}, c1, c2});
    const int width = std::max(6, static_cast<int>(Format("%llu", static_cast<unsigned long long>(widest)).size()) + 1);
    const auto row = [width](const std::string& label, uint64_t left, uint64_t right, uint64_t total) {
        return Format("\t%s|%*llu%*llu |%7llu\n", Right(label, 7).c_str(), width, static_cast<unsigned long long>(left),
                      width, static_cast<unsigned long long>(right), static_cast<unsigned long long>(total));
    };
    const std::string dashes(width, '-');
    const std::string rule = Format("\t-------+%s%s-+%7s\n", dashes.c_str(), dashes.c_str(), "-------");
    InsertPhrase(Format("\t       |%*s%*s |%s\n", width, "+", width, "-", Right(Term(kTermTotal), 7).c_str()),
                 kPhrasePlain);
    InsertPhrase(rule, kPhrasePlain);
    InsertPhrase(row("+ ", m_a, m_b, r1), kPhrasePlain);
    InsertPhrase(row("- ", m_c, m_d, r2), kPhrasePlain);
    InsertPhrase(rule, kPhrasePlain);
    InsertPhrase(row(Term(kTermTotal) + " ", c1, c2, r1 + r2) + "\n", kPhrasePlain);
}

void CCompUnstrat::ReportTests(const CResults& results)
{
    InsertPhrase(Term(kTermTestsOfAssociation) + "\n", kPhraseBold);
    if (m_fisher) {
        InsertResult(results, "fisher_p_one_sided");
        InsertResult(results, "fisher_p_two_sided");
    }
    for (const char* key : {"chi2", "p_chi2", "chi2_yates", "p_chi2_yates"})
        InsertResult(results, key);
}

void CCompUnstrat::ReportEstimates(const CResults& results)
{
    const std::string level = LabelCI(kLevels[m_level]);
    InsertPhrase("\n", kPhrasePlain);
    InsertPhrase(Term(kTermMeasuresOfAssociation) + level + "\n", kPhraseBold);
    for (const char* key : {"risk_ratio", "odds_ratio", "risk_difference", "attributable_fraction_exposed",
                            "attributable_fraction_population"})
        InsertResult(results, key);

    InsertPhrase("\n", kPhrasePlain);
    InsertPhrase(Term(kTermPreventiveFraction) + level + "\n", kPhraseBold);
    InsertResult(results, "preventive_fraction");

    InsertPhrase("\n", kPhrasePlain);
    InsertPhrase(Term(kTermScreeningTestMeasures) + level + "\n", kPhraseBold);
    for (const char* key : {"prevalence", "sensitivity", "specificity", "agreement", "positive_predictive_value",
                            "negative_predictive_value"})
        InsertResult(results, key);
}

void CCompUnstrat::ReportMatchedPairs(const CResults& results)
{
    const std::string level = LabelCI(kLevels[m_level]);
    InsertPhrase("\n", kPhrasePlain);
    InsertPhrase(Term(kTermMatchedPairsAnalysis) + "\n", kPhraseBold);
    for (const char* key :
         {"z_matched", "p_z_matched_one_tailed", "p_z_matched_two_tailed", "chi2_mcnemar", "p_chi2_mcnemar"})
        InsertResult(results, key);
    InsertResult(results, "matched_odds_ratio", level);
    InsertResult(results, "paired_difference", level);
}
