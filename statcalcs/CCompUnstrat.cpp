// CCompUnstrat: analysis of one 2x2 table of exposure by outcome (type "3200"): the statistics,
// the report and the input dialog (template 166) laid out as the table it asks for.
#include "CCompUnstrat.h"

#include "CArchive.h"
#include "CCalcDlg.h"
#include "Distributions.h"
#include "Estimate.h"
#include "FisherExact.h"
#include "Format.h"
#include "Profile.h"
#include "StoredInputs.h"
#include "TableTests.h"

#include <algorithm>
#include <cmath>

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
    SetTerm(kIdColumnHeading, "25", "");
    SetTerm(kIdRowHeading, "13", "");
    SetDlgItemText(kIdFisher, GetProfileString("Messages", "14", "14"));
    return true;
}

void CCompUnstratDlg::DoDataExchange(CDataExchange& dx)
{
    ExchangeTitle(dx);
    DDX_Radio(dx, kIdLevel95, m_level);
    DDX_Text(dx, kIdA, m_a);
    DDV_MinMaxUInt(dx, m_a, 0, kMaxCount);
    DDX_Text(dx, kIdB, m_b);
    DDV_MinMaxUInt(dx, m_b, 0, kMaxCount);
    DDX_Text(dx, kIdC, m_c);
    DDV_MinMaxUInt(dx, m_c, 0, kMaxCount);
    DDX_Text(dx, kIdD, m_d);
    DDV_MinMaxUInt(dx, m_d, 0, kMaxCount);
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

bool CCompUnstrat::Do()
{
    if (!RunInputDialog<CCompUnstratDlg>(*this))
        return false;
    CWaitCursor wait;
    const CUnstratStats stats = ComputeStats(*this, kDeviates[m_level]);
    InsertHeading();
    ReportTable();
    ReportTests(stats);
    ReportEstimates(stats);
    ReportMatchedPairs(stats);
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
    InsertPhrase(Format("\t       |%*s%*s |%s\n", width, "+", width, "-", Right(Term("86"), 7).c_str()), kPhrasePlain);
    InsertPhrase(rule, kPhrasePlain);
    InsertPhrase(row("+ ", m_a, m_b, r1), kPhrasePlain);
    InsertPhrase(row("- ", m_c, m_d, r2), kPhrasePlain);
    InsertPhrase(rule, kPhrasePlain);
    InsertPhrase(row(Term("86") + " ", c1, c2, r1 + r2) + "\n", kPhrasePlain);
}

void CCompUnstrat::ReportTests(const CUnstratStats& stats)
{
    InsertPhrase(Term("64") + "\n", kPhraseBold);
    if (m_fisher) {
        InsertResult(Term("89") + " " + Term("90"), Floating(stats.fisher.oneSided, 6), "");
        InsertResult(Term("89") + " " + Term("91"), Floating(stats.fisher.twoSided, 6), "");
    }
    InsertResult(Term("87"), Floating(stats.x2, 2), "");
    InsertResult(Term("26"), Probability(stats.x2, stats.x2P, 6), "");
    InsertResult(Term("92"), Floating(stats.x2y, 2), "");
    InsertResult(Term("26"), Probability(stats.x2y, stats.x2yP, 6), "");
}

void CCompUnstrat::ReportEstimates(const CUnstratStats& stats)
{
    const std::string level = LabelCI(kLevels[m_level]);
    const auto result = [this](const std::string& key, const CEstimate& e) {
        InsertResult(Term(key), Floating(e.value, 2), CI(e.lower, e.upper, 2));
    };
    InsertPhrase("\n", kPhrasePlain);
    InsertPhrase(Term("18") + level + "\n", kPhraseBold);
    result("52", stats.riskRatio);
    result("21", stats.oddsRatio);
    result("51", stats.riskDifference);
    result("46", stats.afExposed);
    result("28", stats.afPopulation);

    // The preventive fraction 1 - RR: its lower limit comes from the upper limit of RR.
    InsertPhrase("\n", kPhrasePlain);
    InsertPhrase(Term("70") + level + "\n", kPhraseBold);
    const CEstimate& rr = stats.riskRatio;
    InsertResult(Term("70"), Floating(1 - rr.value, 2), CI(1 - rr.upper, 1 - rr.lower, 2));

    InsertPhrase("\n", kPhrasePlain);
    InsertPhrase(Term("57") + level + "\n", kPhraseBold);
    result("42", stats.prevalence);
    result("59", stats.sensitivity);
    result("61", stats.specificity);
    result("04", stats.agreement);
    result("41", stats.positivePV);
    result("40", stats.negativePV);
}

void CCompUnstrat::ReportMatchedPairs(const CUnstratStats& stats)
{
    const std::string level = LabelCI(kLevels[m_level]);
    InsertPhrase("\n", kPhrasePlain);
    InsertPhrase(Term("16") + "\n", kPhraseBold);
    InsertResult(Term("74"), Floating(stats.zMatched, 2), "");
    InsertResult(Term("22") + " " + Term("26"), Probability(stats.zMatched, stats.zMatchedP, 6), "");
    InsertResult(Term("66") + " " + Term("26"), Probability(stats.zMatched, 2 * stats.zMatchedP, 6), "");
    InsertResult(Term("93"), Floating(stats.mcNemar, 2), "");
    InsertResult(Term("26"), Probability(stats.mcNemar, stats.mcNemarP, 6), "");
    const CEstimate& mor = stats.matchedOddsRatio;
    InsertResult(Term("94") + level, Floating(mor.value, 2), CI(mor.lower, mor.upper, 2));
    const CEstimate& diff = stats.pairedDifference;
    InsertResult(Term("102") + level, Floating(diff.value, 2), CI(diff.lower, diff.upper, 2));
}
