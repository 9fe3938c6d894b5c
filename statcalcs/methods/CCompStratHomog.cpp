// CCompStratHomog: stratified 2x2 tables with tests of homogeneity (type "3500"): the stored
// strata, the crude and Mantel-Haenszel summaries, the homogeneity tests, the report, and the
// list dialog (template 320).
#include "CCompStratHomog.h"

#include "CArchive.h"
#include "CListEntryDlg.h"
#include "ConfidenceLevel.h"
#include "DialogTemplate.h"
#include "FieldTable.h"
#include "Format.h"
#include "MantelHaenszel.h"
#include "OddsRatioHomogeneity.h"
#include "Profile.h"
#include "StoredInputs.h"
#include "Terms.h"

#include <algorithm>

IMPLEMENT_SERIAL(CCompStratHomog, CMethodCalc, 0)

namespace
{
enum : int
{
    kIdCellA = 1320,
    kIdCellB = 1321,
    kIdCellC = 1322,
    kIdCellD = 1323,
    kIdCellALabel = 1324,
    kIdCellBLabel = 1325,
    kIdCellCLabel = 1326,
    kIdCellDLabel = 1327,
    kIdEntryHint = 1328,
};

constexpr char kMessageAtLeastTwoStrata[] = "35";
constexpr char kMessageTooManyStrata[] = "36";

/// A cell of any stratum: a whole count up to 10^9.
constexpr double kMaxCell = 1e9;

/// The title, the level, then the strata: each its four cells, typed and added to the list.
const CFieldTable& StratHomogFields()
{
    static const CFieldTable table = [] {
        CFieldGroup strata;
        strata.name = "strata";
        strata.kind = CFieldGroup::Rows;
        strata.addId = kIdAdd;
        strata.maxCount = CCompStratHomog::kMaxStrata;
        strata.fields = {CountField("a", kIdCellA, kTermCellA, 0, kMaxCell, ""),
                         CountField("b", kIdCellB, kTermCellB, 0, kMaxCell, ""),
                         CountField("c", kIdCellC, kTermCellC, 0, kMaxCell, ""),
                         CountField("d", kIdCellD, kTermCellD, 0, kMaxCell, "")};
        return CFieldTable{{TitleField(), AnyLevelField()}, {strata}};
    }();
    return table;
}

CStratumCounts Counts(const CHomogStratum& s)
{
    return {static_cast<double>(s.a), static_cast<double>(s.b), static_cast<double>(s.c), static_cast<double>(s.d)};
}

/// The 1-based numbers of the strata for which `leftOut` holds.
template <class Predicate> std::vector<int> StrataWhere(const std::vector<CHomogStratum>& strata, Predicate leftOut)
{
    std::vector<int> numbers;
    for (size_t i = 0; i < strata.size(); ++i)
        if (leftOut(Counts(strata[i])))
            numbers.push_back(static_cast<int>(i) + 1);
    return numbers;
}

std::vector<int> EmptyMarginStrata(const std::vector<CHomogStratum>& strata)
{
    return StrataWhere(strata, [](const CStratumCounts& t) { return t.HasEmptyMargin(); });
}

std::vector<int> WoolfLeftOutStrata(const std::vector<CHomogStratum>& strata)
{
    return StrataWhere(strata, [](const CStratumCounts& t) { return t.HasZeroCell(); });
}

void AppendTest(CResults& results, const std::string& key, const char* label, const CHomogeneityTest& test)
{
    results.push_back(StatisticResult("chi2_" + key, label, test.chi2, test.df, 2));
    results.push_back(
        ProbabilityResult("p_chi2_" + key, kTermPValue, test.chi2, ChiSquareUpperTail(test.chi2, test.df), test.df, 6));
}
} // namespace

void CCompStratHomog::Serialize(CArchive& ar)
{
    CMethodCalc::Serialize(ar);
    if (ar.IsStoring()) {
        ar << m_levelPercent << static_cast<int32_t>(m_strata.size());
        for (const CHomogStratum& s : m_strata)
            ar << s.a << s.b << s.c << s.d;
    } else {
        const double level = ReadLevelPercent(ar);
        const int32_t count = ReadRowCount(ar, 4 * sizeof(uint32_t)); // four counts a stratum
        if (count > kMaxStrata)
            ThrowFormatError("stratum count");
        std::vector<CHomogStratum> strata(static_cast<size_t>(count));
        for (CHomogStratum& s : strata)
            ar >> s.a >> s.b >> s.c >> s.d;
        m_levelPercent = level;
        m_strata = std::move(strata);
    }
}

const CFieldTable* CCompStratHomog::Fields() const
{
    return &StratHomogFields();
}

CInputs CCompStratHomog::Inputs() const
{
    std::vector<std::vector<double>> rows;
    for (const CHomogStratum& s : m_strata)
        rows.push_back(
            {static_cast<double>(s.a), static_cast<double>(s.b), static_cast<double>(s.c), static_cast<double>(s.d)});
    return CInputList()
        .Text("title", GetTitle())
        .Number("level", m_levelPercent)
        .Rows("strata", std::move(rows))
        .Take();
}

CResults CCompStratHomog::Results() const
{
    const double z = NormalQuantileOfLevel(m_levelPercent);
    const std::string level = LevelText(m_levelPercent);
    std::vector<CStratumCounts> strata;
    CStratumCounts crude;
    for (const CHomogStratum& s : m_strata) {
        strata.push_back(Counts(s));
        crude.a += s.a;
        crude.b += s.b;
        crude.c += s.c;
        crude.d += s.d;
    }
    const CMantelHaenszel mh = MantelHaenszelSummary(strata, z);
    const CRatioEstimate crudeOr = WoolfOddsRatio(crude, z), crudeRr = KatzRiskRatio(crude, z);

    CResults results;
    const auto interval = [&](const char* key, const char* label, const CRatioEstimate& r) {
        results.push_back(IntervalResult(key, label, r.estimate, r.lower, r.upper, level, 2));
    };
    interval("crude_odds_ratio", kTermCrudeOddsRatio, crudeOr);
    interval("mh_odds_ratio", kTermMantelHaenszelOddsRatio, mh.oddsRatio);
    interval("crude_risk_ratio", kTermCrudeRiskRatio, crudeRr);
    interval("mh_risk_ratio", kTermMantelHaenszelRiskRatio, mh.riskRatio);
    AppendTest(results, "mh", kTermMhChiSquareUncorrected, {mh.chi2, 1, 0});
    AppendTest(results, "mh_corrected", kTermMhChiSquareCorrected, {mh.chi2Corrected, 1, 0});

    const CBreslowDay bd = BreslowDayTest(strata, mh.oddsRatio.estimate);
    AppendTest(results, "breslow_day", kTermBreslowDayChiSquare, bd.uncorrected);
    AppendTest(results, "breslow_day_tarone", kTermBreslowDayTaroneChiSquare, bd.tarone);
    AppendTest(results, "woolf", kTermWoolfChiSquare, WoolfTest(strata));

    const size_t emptyMargin = EmptyMarginStrata(m_strata).size(), woolfOut = WoolfLeftOutStrata(m_strata).size();
    if (emptyMargin > 0)
        results.push_back(EstimateResult("strata_left_out", kTermStrataLeftOut, static_cast<double>(emptyMargin), 0));
    if (woolfOut > 0)
        results.push_back(
            EstimateResult("strata_left_out_woolf", kTermStrataLeftOutOfWoolf, static_cast<double>(woolfOut), 0));
    return results;
}

namespace
{
/// The entry cells side by side under their letters, Add and Remove, the list of strata, the
/// level and the buttons.
const CDialogTemplate& StratHomogTemplate()
{
    static const CDialogTemplate dialogTemplate = [] {
        CDialogTemplate t{320, "Contingency tables - Stratified 2x2 with homogeneity", {}};
        t.controls = {
            StaticCtl(kIdTitleLabel, "Title:", 0, 0),
            EditCtl(kIdTitle, 0, 1).MaxChars(kMaxTitleChars).Span(1, 3),
            StaticCtl(kIdEntryHint, "a, b: exposed with and without the outcome; c, d: unexposed", 1, 0).Span(1, 4),
            StaticCtl(kIdCellALabel, "a", 2, 0),
            StaticCtl(kIdCellBLabel, "b", 2, 1),
            StaticCtl(kIdCellCLabel, "c", 2, 2),
            StaticCtl(kIdCellDLabel, "d", 2, 3),
            NumberEditCtl(kIdCellA, 3, 0).RightAlign(),
            NumberEditCtl(kIdCellB, 3, 1).RightAlign(),
            NumberEditCtl(kIdCellC, 3, 2).RightAlign(),
            NumberEditCtl(kIdCellD, 3, 3).RightAlign(),
            ButtonCtl(kIdAdd, "Add", 4, 2),
            ButtonCtl(kIdRemove, "Remove", 4, 3),
            ListCtl(kIdList, 5, 0).Span(1, 4),
        };
        AppendLevelRow(t.controls, 6);
        t.controls.push_back(DefButtonCtl(IDOK, "OK", 7, 2));
        t.controls.push_back(ButtonCtl(IDCANCEL, "Cancel", 7, 3));
        return t;
    }();
    return dialogTemplate;
}
} // namespace

/// Input dialog: the title, the four cells of a stratum to add, the list of strata (2 to 20) and
/// the confidence level.
class CCompStratHomogDlg : public CListEntryDlg
{
public:
    CCompStratHomogDlg()
        : CListEntryDlg(StratHomogTemplate(), {{kIdCellA, kIdCellB, kIdCellC, kIdCellD},
                                               {kTermCellA, kTermCellB, kTermCellC, kTermCellD},
                                               2,
                                               kMessageAtLeastTwoStrata})
    {}
    void Load(const CCompStratHomog& calc)
    {
        m_strata = calc.m_strata;
        m_levelPercent = calc.m_levelPercent;
    }
    void Store(CCompStratHomog& calc) const
    {
        calc.m_strata = m_strata;
        calc.m_levelPercent = m_levelPercent;
    }

protected:
    bool OnInitDialog() override
    {
        CListEntryDlg::OnInitDialog();
        SetTerm(kIdAnyLevelLabel, kTermConfidenceLevel, " (%):");
        return true;
    }
    void DoDataExchange(CDataExchange& dx) override
    {
        ExchangeTitle(dx);
        const CFieldTable& fields = StratHomogFields();
        const std::vector<CField>& cells = fields.groups.front().fields;
        uint32_t* values[] = {&m_entry.a, &m_entry.b, &m_entry.c, &m_entry.d};
        for (size_t i = 0; i < cells.size(); ++i)
            ExchangeField(dx, cells[i], *values[i]);
        ExchangeField(dx, FieldOf(fields, "level"), m_levelPercent);
    }
    void OnButton(int id) override
    {
        // A 21st stratum is refused before its cells are read.
        if (id == kIdAdd && List().GetItemCount() >= CCompStratHomog::kMaxStrata) {
            AfxMessageBox(GetProfileString("Messages", kMessageTooManyStrata, kMessageTooManyStrata));
            GotoDlgCtrl(kIdCellA);
            return;
        }
        CListEntryDlg::OnButton(id);
    }
    void SetEntryLabels() override
    {
        SetTerm(kIdEntryHint, kTermStratHomogEntryHint, "");
        SetTerm(kIdCellALabel, kTermCellA, "");
        SetTerm(kIdCellBLabel, kTermCellB, "");
        SetTerm(kIdCellCLabel, kTermCellC, "");
        SetTerm(kIdCellDLabel, kTermCellD, "");
    }
    std::vector<CRowTexts> StoredRowTexts() const override
    {
        std::vector<CRowTexts> texts;
        for (const CHomogStratum& s : m_strata)
            texts.push_back(RowTexts(s));
        return texts;
    }
    CRowTexts AddedRowTexts() const override { return RowTexts(m_entry); }
    void ReadRows(const std::vector<CRowTexts>& rows) override
    {
        // The list holds cells that passed the entry checks and the stored ones, which a hand-made
        // document may hold past 10^9: each comes back as it went in.
        m_strata.clear();
        for (const CRowTexts& cells : rows)
            m_strata.push_back({Cell(cells.at(0)), Cell(cells.at(1)), Cell(cells.at(2)), Cell(cells.at(3))});
    }

private:
    static CRowTexts RowTexts(const CHomogStratum& s)
    {
        return {Format("%u", s.a), Format("%u", s.b), Format("%u", s.c), Format("%u", s.d)};
    }
    static uint32_t Cell(const std::string& text)
    {
        const double value = ListCellDouble(text);
        return value >= 0 && value <= 4294967295.0 ? static_cast<uint32_t>(value) : 0;
    }

    std::vector<CHomogStratum> m_strata;
    CHomogStratum m_entry;
    double m_levelPercent = 95;
};

bool CCompStratHomog::Do()
{
    if (!RunInputDialog<CCompStratHomogDlg>(*this))
        return false;
    CWaitCursor wait;
    const CResults results = Results();
    InsertHeading();
    ReportStrata();

    InsertSection(Term(kTermMeasuresOfAssociation) + LabelCI(LevelText(m_levelPercent)));
    for (const char* key : {"crude_odds_ratio", "mh_odds_ratio", "crude_risk_ratio", "mh_risk_ratio"})
        InsertMethodResult(results, key);
    InsertPhrase(Term(kTermStratLimitsNote) + "\n", kPhrasePlain);

    InsertSection(Term(kTermTestsOfAssociation));
    for (const char* key : {"chi2_mh", "p_chi2_mh", "chi2_mh_corrected", "p_chi2_mh_corrected"})
        InsertMethodResult(results, key);

    InsertSection(Term(kTermHomogeneityOfOddsRatios));
    for (const char* test : {"breslow_day", "breslow_day_tarone", "woolf"}) {
        const CResult* statistic = FindResult(results, std::string("chi2_") + test);
        InsertMethodResult(*statistic);
        InsertResult(
            Term(kTermDegreesOfFreedom),
            std::isfinite(statistic->df) ? Format("%10d", static_cast<int>(statistic->df)) : Floating(kNoValue, 0), "");
        InsertMethodResult(results, std::string("p_chi2_") + test);
    }
    if (FindResult(results, "strata_left_out") || FindResult(results, "strata_left_out_woolf"))
        InsertPhrase("\n", kPhrasePlain);
    InsertLeftOut(results, "strata_left_out", EmptyMarginStrata(m_strata));
    InsertLeftOut(results, "strata_left_out_woolf", WoolfLeftOutStrata(m_strata));
    InsertPhrase("\n", kPhrasePlain);
    return true;
}

void CCompStratHomog::ReportStrata()
{
    CStratumCounts crude;
    for (const CHomogStratum& s : m_strata) {
        crude.a += s.a;
        crude.b += s.b;
        crude.c += s.c;
        crude.d += s.d;
    }
    // The count columns are 8 wide, or two more than the widest crude count (the crude row
    // holds the largest), so that the table fits a report window and counts never run together.
    const double widest = std::max({crude.a, crude.b, crude.c, crude.d});
    const int width = std::max(8, static_cast<int>(Format("%.0f", widest).size()) + 2);
    const auto counts = [width](const CStratumCounts& t) {
        return Format("%*.0f%*.0f%*.0f%*.0f", width, t.a, width, t.b, width, t.c, width, t.d);
    };
    const auto heading = [width](const char* key) { return PadToWidth(Term(key), static_cast<size_t>(width), false); };
    const std::string header = PadToWidth(Term(kTermStratum), 10, true) + heading(kTermCellA) + heading(kTermCellB) +
                               heading(kTermCellC) + heading(kTermCellD) + PadToWidth(Term(kTermOR), 10, false) +
                               PadToWidth(Term(kTermRR), 10, false) + "\n";
    InsertPhrase(header, kPhrasePlain);
    InsertPhrase(TUnderline(header), kPhrasePlain);
    // A stratum's ratios print as the result lines do: two decimals, "****" when undefined.
    const auto row = [&](const std::string& label, const CStratumCounts& t) {
        const double odds = (t.a * t.d) / (t.b * t.c), risk = (t.a / (t.a + t.b)) / (t.c / (t.c + t.d));
        InsertPhrase(PadToWidth(label, 10, true) + counts(t) + Floating(odds, 2) + Floating(risk, 2) + "\n",
                     kPhrasePlain);
    };
    for (size_t i = 0; i < m_strata.size(); ++i)
        row(Format("%d", static_cast<int>(i) + 1), Counts(m_strata[i]));
    row(Term(kTermCrude), crude);
}

void CCompStratHomog::InsertLeftOut(const CResults& results, const char* key, const std::vector<int>& numbers)
{
    const CResult* result = FindResult(results, key);
    if (!result)
        return;
    std::string list;
    for (int number : numbers)
        list += (list.empty() ? "" : "\x07 ") + Format("%d", number);
    // Right-aligned with the statistics above it.
    InsertResult(ResultLabel(*result), Format("%10.0f", result->estimate), "(" + list + ")");
}
