// CCompTableDesign: a 2x2 table analysed by its study design (type "3400"): the stored inputs,
// the results and the report printed from them, and the input dialog (template 310) laid out
// as the table it asks for.
#include "CCompTableDesign.h"

#include "CArchive.h"
#include "ConditionalOddsRatio.h"
#include "ConfidenceLevel.h"
#include "DialogTemplate.h"
#include "Format.h"
#include "Profile.h"
#include "StoredInputs.h"
#include "Terms.h"
#include "TwoByTwoIntervals.h"

#include <algorithm>
#include <cmath>
#include <string>
#include <tuple>

IMPLEMENT_SERIAL(CCompTableDesign, CMethodCalc, 0)

namespace
{
/// The largest count of a cell: the conditional distribution then has a few thousand terms that
/// matter, and a whole report takes a few milliseconds.
constexpr uint32_t kMaxCell = 1000000;

enum : int
{
    kIdA = 1090,
    kIdB = 1091,
    kIdC = 1092,
    kIdD = 1093,
    kIdRowHeading = 1127,
    kIdColumnHeading = 1128,
    kIdDesignBox = 1160,
    kIdCohort = 1161, // then case-control and cross-sectional
};

const char* const kDesignTerms[3] = {kTermCohort, kTermCaseControl, kTermCrossSectional};

/// The title, the design, the cells a, b / c, d (exposed and unexposed by with and without the
/// outcome) and the level.
const CFieldTable& TableDesignFields()
{
    static const CFieldTable table = [] {
        CField design;
        design.name = "design";
        design.kind = CFieldKind::Choice;
        design.labelKey = kTermStudyDesign;
        design.defaultValue = "cohort";
        design.options = {{"cohort", kIdCohort}, {"case-control", kIdCohort + 1}, {"cross-sectional", kIdCohort + 2}};
        return CFieldTable{{
                               TitleField(),
                               design,
                               CountField("a", kIdA, kTermExposedWithOutcome, 0, kMaxCell),
                               CountField("b", kIdB, kTermExposedWithoutOutcome, 0, kMaxCell),
                               CountField("c", kIdC, kTermUnexposedWithOutcome, 0, kMaxCell),
                               CountField("d", kIdD, kTermUnexposedWithoutOutcome, 0, kMaxCell),
                               AnyLevelField(),
                           },
                           {}};
    }();
    return table;
}

/// The keys of the ratio and the difference of proportions: risks in a cohort, prevalences in
/// a cross-sectional study.
struct CProportionKeys
{
    const char* waldRatio;
    const char* scoreRatio;
    const char* difference;
    const char* ratioHeading;
    const char* differenceHeading;
};

CProportionKeys ProportionKeys(int32_t design)
{
    if (design == CCompTableDesign::kCrossSectional)
        return {"prevalence_ratio_wald", "prevalence_ratio_score", "prevalence_difference", kTermPrevalenceRatio,
                kTermPrevalenceDifference};
    return {"risk_ratio_wald", "risk_ratio_score", "risk_difference", kTermRiskRatio, kTermRiskDifference};
}

constexpr const char* kOddsRatioKeys[] = {"odds_ratio_exact", "odds_ratio_mid_p", "odds_ratio_woolf",
                                          "odds_ratio_cornfield"};
constexpr const char* kTestKeys[] = {"p_fisher_two_sided", "p_mid_p_two_sided", "chi2", "p_chi2",
                                     "chi2_yates",         "p_chi2_yates"};

std::string Right(const std::string& text, size_t width)
{
    return PadToWidth(text, width, false);
}
} // namespace

void CCompTableDesign::Serialize(CArchive& ar)
{
    CMethodCalc::Serialize(ar);
    if (ar.IsStoring()) {
        ar << m_a << m_b << m_c << m_d << m_design << m_level;
        return;
    }
    ar >> m_a >> m_b >> m_c >> m_d;
    // A cell beyond the dialog's range would only come from a damaged file, and would make the
    // exact sums long: refused like the other damaged values.
    if (std::max({m_a, m_b, m_c, m_d}) > kMaxCell)
        ThrowFormatError("2x2 table cell");
    m_design = ReadChoice(ar, kCrossSectional);
    m_level = ReadLevelPercent(ar);
    if (m_level < kMinLevelPercent || m_level > kMaxLevelPercent)
        ThrowFormatError("confidence level");
}

const CFieldTable* CCompTableDesign::Fields() const
{
    return &TableDesignFields();
}

CInputs CCompTableDesign::Inputs() const
{
    const std::vector<CFieldOption>& designs = FieldOf(TableDesignFields(), "design").options;
    return CInputList()
        .Text("title", GetTitle())
        .Text("design", designs[static_cast<size_t>(std::clamp(m_design, 0, 2))].value)
        .Number("a", m_a)
        .Number("b", m_b)
        .Number("c", m_c)
        .Number("d", m_d)
        .Number("level", m_level)
        .Take();
}

CResults CCompTableDesign::Results() const
{
    const CTable2x2 table{static_cast<double>(m_a), static_cast<double>(m_b), static_cast<double>(m_c),
                          static_cast<double>(m_d)};
    const std::string level = LevelText(m_level);
    CResults results;
    const auto interval = [&](const char* key, const char* label, double estimate, const CLimits& limits) {
        // An undefined estimate has no interval either.
        const bool defined = !std::isnan(estimate);
        results.push_back(IntervalResult(key, label, estimate, defined ? limits.lower : kNoValue,
                                         defined ? limits.upper : kNoValue, level, 4));
    };

    const CConditionalOddsRatio conditional = ConditionalOddsRatio(table, m_level);
    interval("odds_ratio_exact", kTermConditionalMleExact, conditional.estimate, conditional.exact);
    interval("odds_ratio_mid_p", kTermConditionalMleMidP, conditional.estimate, conditional.midP);
    const double sample = SampleOddsRatio(table);
    interval("odds_ratio_woolf", kTermSampleWoolf, sample, WoolfLimits(table, m_level));
    interval("odds_ratio_cornfield", kTermSampleCornfield, sample, CornfieldLimits(table, m_level));

    if (m_design != kCaseControl) {
        // Risks (or prevalences) of the outcome among the exposed, a / (a + b), and the unexposed.
        const double x1 = table.a, n1 = table.a + table.b, x2 = table.c, n2 = table.c + table.d;
        const CProportionKeys keys = ProportionKeys(m_design);
        const double ratio = ProportionRatio(x1, n1, x2, n2);
        interval(keys.waldRatio, kTermWaldLog, ratio, RatioWaldLimits(x1, n1, x2, n2, m_level));
        interval(keys.scoreRatio, kTermKoopmanScore, ratio, RatioScoreLimits(x1, n1, x2, n2, m_level));
        const double difference = n1 > 0 && n2 > 0 ? x1 / n1 - x2 / n2 : kNoValue;
        interval(keys.difference, kTermNewcombeHybridScore, difference,
                 DifferenceNewcombeLimits(x1, n1, x2, n2, m_level));
    }

    const CExactTests exact = ExactTests(table);
    for (const auto& [key, label, p] :
         {std::tuple{"p_fisher_two_sided", TermKeys({kTermFishersExactTest, kTermTwoSidedP}), exact.fisher},
          std::tuple{"p_mid_p_two_sided", TermKeys({kTermMidPExactTest, kTermTwoSidedP}), exact.midP}}) {
        results.push_back(EstimateResult(key, label, p, 6));
        results.back().probability = true;
    }
    const CChiSquares chi = TableChiSquares(table);
    results.push_back(StatisticResult("chi2", kTermChiSquareUncorrected, chi.uncorrected, 1, 2));
    results.push_back(
        ProbabilityResult("p_chi2", kTermPValue, chi.uncorrected, ChiSquare1UpperTail(chi.uncorrected), 1, 6));
    results.push_back(StatisticResult("chi2_yates", kTermChiSquareWithYatesCorrection, chi.yates, 1, 2));
    results.push_back(ProbabilityResult("p_chi2_yates", kTermPValue, chi.yates, ChiSquare1UpperTail(chi.yates), 1, 6));
    return results;
}

/// Input dialog: the title, the study design, the table and the level.
class CCompTableDesignDlg : public CMethodDlg
{
public:
    CCompTableDesignDlg();
    void Load(const CCompTableDesign& calc);
    void Store(CCompTableDesign& calc) const;

protected:
    bool OnInitDialog() override;
    void DoDataExchange(CDataExchange& dx) override;

private:
    uint32_t m_cells[4] = {};
    int m_design = 0;
    double m_level = 95;
};

bool CCompTableDesign::Do()
{
    if (!RunInputDialog<CCompTableDesignDlg>(*this))
        return false;
    CWaitCursor wait;
    const CResults results = Results();
    const std::string levelLabel = LabelCI(LevelText(m_level));
    InsertHeading();
    ReportTable();
    InsertPhrase(Term(kTermStudyDesign) + ": " + Term(kDesignTerms[std::clamp(m_design, 0, 2)]) + "\n", kPhrasePlain);

    InsertSection(Term(kTermOddsRatio));
    for (const char* key : kOddsRatioKeys)
        InsertMethodResult(results, key, levelLabel);
    if (m_design == kCaseControl) {
        InsertPhrase(GetProfileString("Messages", "30", "30") + "\n", kPhrasePlain);
    } else {
        const CProportionKeys keys = ProportionKeys(m_design);
        InsertSection(Term(keys.ratioHeading));
        InsertMethodResult(results, keys.waldRatio, levelLabel);
        InsertMethodResult(results, keys.scoreRatio, levelLabel);
        InsertSection(Term(keys.differenceHeading));
        InsertMethodResult(results, keys.difference, levelLabel);
    }

    InsertSection(Term(kTermTestsOfAssociation));
    for (const char* key : kTestKeys)
        InsertMethodResult(results, key);
    return true;
}

void CCompTableDesign::ReportTable()
{
    // Margins in 64 bits; the count columns widen to the widest count so neighbours never run
    // together.
    const uint64_t r1 = uint64_t{m_a} + m_b, r2 = uint64_t{m_c} + m_d;
    const uint64_t c1 = uint64_t{m_a} + m_c, c2 = uint64_t{m_b} + m_d;
    const int width = std::max(6, static_cast<int>(std::to_string(std::max(c1, c2)).size()) + 1);
    const int totalWidth = std::max(7, static_cast<int>(std::to_string(r1 + r2).size()) + 1);
    const auto row = [&](const std::string& label, uint64_t left, uint64_t right, uint64_t total) {
        return Format("\t%s|%*llu%*llu |%*llu\n", Right(label, 7).c_str(), width, static_cast<unsigned long long>(left),
                      width, static_cast<unsigned long long>(right), totalWidth,
                      static_cast<unsigned long long>(total));
    };
    const std::string rule = "\t-------+" + std::string(2 * width + 1, '-') + "+" + std::string(totalWidth, '-') + "\n";
    InsertPhrase(Format("\t       |%*s%*s |%s\n", width, "+", width, "-", Right(Term(kTermTotal), totalWidth).c_str()),
                 kPhrasePlain);
    InsertPhrase(rule, kPhrasePlain);
    InsertPhrase(row("+ ", m_a, m_b, r1), kPhrasePlain);
    InsertPhrase(row("- ", m_c, m_d, r2), kPhrasePlain);
    InsertPhrase(rule, kPhrasePlain);
    InsertPhrase(row(Term(kTermTotal) + " ", c1, c2, r1 + r2) + "\n", kPhrasePlain);
}

/// The dialog as the table it asks for, like the unstratified table's, with the design above it.
static const CDialogTemplate& TableDesignTemplate()
{
    static const CDialogTemplate dialogTemplate = [] {
        CDialogTemplate t{310, "Contingency tables - 2x2 table by study design", {}};
        t.controls = {
            StaticCtl(kIdTitleLabel, "Title:", 0, 0),
            EditCtl(kIdTitle, 0, 1).MaxChars(kMaxTitleChars).Span(1, 3),
            GroupBoxCtl(kIdDesignBox, "Study design", 1, 0).Span(1, 4),
            RadioCtl(kIdCohort, "Cohort", 0, 0).GroupStart().InGroup(kIdDesignBox),
            RadioCtl(kIdCohort + 1, "Case-control", 0, 1).InGroup(kIdDesignBox),
            RadioCtl(kIdCohort + 2, "Cross-sectional", 0, 2).InGroup(kIdDesignBox),
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
        };
        AppendLevelRow(t.controls, 6);
        t.controls.push_back(DefButtonCtl(IDOK, "OK", 7, 2));
        t.controls.push_back(ButtonCtl(IDCANCEL, "Cancel", 7, 3));
        return t;
    }();
    return dialogTemplate;
}

CCompTableDesignDlg::CCompTableDesignDlg() : CMethodDlg(TableDesignTemplate())
{}

void CCompTableDesignDlg::Load(const CCompTableDesign& calc)
{
    m_cells[0] = calc.m_a, m_cells[1] = calc.m_b, m_cells[2] = calc.m_c, m_cells[3] = calc.m_d;
    m_design = calc.m_design;
    m_level = calc.m_level;
}

void CCompTableDesignDlg::Store(CCompTableDesign& calc) const
{
    calc.m_a = m_cells[0], calc.m_b = m_cells[1], calc.m_c = m_cells[2], calc.m_d = m_cells[3];
    calc.m_design = m_design;
    calc.m_level = m_level;
}

bool CCompTableDesignDlg::OnInitDialog()
{
    CMethodDlg::OnInitDialog();
    SetTerm(kIdDesignBox, kTermStudyDesign, "");
    for (int i = 0; i < 3; ++i)
        SetTerm(kIdCohort + i, kDesignTerms[i], "");
    SetTerm(kIdColumnHeading, kTermOutcome, "");
    SetTerm(kIdRowHeading, kTermExposure, "");
    return true;
}

void CCompTableDesignDlg::DoDataExchange(CDataExchange& dx)
{
    ExchangeTitle(dx);
    DDX_Radio(dx, kIdCohort, m_design);
    const CFieldTable& fields = TableDesignFields();
    const char* const names[4] = {"a", "b", "c", "d"};
    for (int i = 0; i < 4; ++i)
        ExchangeField(dx, FieldOf(fields, names[i]), m_cells[i]);
    ExchangeLevel(dx, m_level);
}
