// CCompStrat: analysis of stratified 2x2 tables with Mantel-Haenszel summaries (type "3300"): the
// stored strata, each stratum's and the crude table's block, the summary, and the tabbed dialog (167).
#include "CCompStrat.h"

#include "CArchive.h"
#include "CCalcDlg.h"
#include "Distributions.h"
#include "Estimate.h"
#include "FieldTable.h"
#include "Format.h"
#include "Profile.h"
#include "StoredInputs.h"
#include "Terms.h"

#include <algorithm>
#include <cmath>

IMPLEMENT_SERIAL(CCompStrat, CCalcBase, 0)

CCompStrat::CCompStrat()
{
    CStratum first;
    first.title = NewStratumTitle(1);
    m_strata.push_back(first);
}

std::string CCompStrat::NewStratumTitle(int number)
{
    return Format("%s %d", GetProfileString("Terms", "62", "62").c_str(), number);
}

void CCompStrat::Serialize(CArchive& ar)
{
    CCalcBase::Serialize(ar);
    if (ar.IsStoring()) {
        ar << static_cast<uint32_t>(m_strata.size()) << m_level;
        for (const CStratum& stratum : m_strata)
            ar << stratum.a << stratum.b << stratum.c << stratum.d << stratum.title;
    } else {
        // A stratum is four counts and a title of at least its one-byte length prefix. The
        // dialog always shows stratum 0, so a count of 0 is refused.
        const uint32_t count = ReadRecordCount(ar, 4 * 4 + 1, false);
        m_level = ReadLevel(ar);
        std::vector<CStratum> strata(count);
        for (CStratum& stratum : strata)
            ar >> stratum.a >> stratum.b >> stratum.c >> stratum.d >> stratum.title;
        m_strata = std::move(strata);
    }
}

namespace
{
/// Normal deviates of the confidence levels, indexed by the level.
constexpr double kDeviates[2] = {1.96, 2.58};
constexpr uint32_t kMaxCount = 1000000;
constexpr uint32_t kMaxB = 100000; // the dialog takes b only up to 100,000
constexpr int kMaxStratumTitleChars = 20;
constexpr int kMaxStrata = 16;

enum : int
{
    kIdA = 1090,
    kIdB = 1091,
    kIdC = 1092,
    kIdD = 1093,
    kIdTabs = 1094,
    kIdStratumTitle = 1023,
    kIdStratumTitleLabel = 1107,
    kIdRowHeading = 1127,
    kIdColumnHeading = 1128,
};

/// The title, the level, then the strata, one tab each: the four cells and the stratum's title.
const CFieldTable& StratFields()
{
    static const CFieldTable table = [] {
        const auto cell = [](const char* name, int id, uint32_t maximum, const char* label) {
            CField field = CountField(name, id, "", 0, maximum);
            field.label = label;
            return field;
        };
        CField title;
        title.name = "title";
        title.kind = CFieldKind::Text;
        title.id = kIdStratumTitle;
        title.labelKey = "101";
        title.maxChars = kMaxStratumTitleChars;
        title.defaultValue = "the stratum's word and number";
        CFieldGroup strata;
        strata.name = "strata";
        strata.kind = CFieldGroup::Tabs;
        strata.addId = kIdAdd;
        strata.maxCount = kMaxStrata;
        strata.fields = {cell("a", kIdA, kMaxCount, "exposed, with the outcome"),
                         cell("b", kIdB, kMaxB, "exposed, without the outcome"),
                         cell("c", kIdC, kMaxCount, "unexposed, with the outcome"),
                         cell("d", kIdD, kMaxCount, "unexposed, without the outcome"), title};
        return CFieldTable{{TitleField(), LevelField()}, {strata}};
    }();
    return table;
}

/// A field of a stratum (the table's own title is another field).
const CField& StratumField(const char* name)
{
    for (const CField& field : StratFields().groups.front().fields)
        if (field.name == name)
            return field;
    return FieldOf(StratFields(), name);
}

/// A stratum's table or the crude one; 64-bit so that the crude sums of any number of strata fit.
struct CTable
{
    uint64_t a = 0, b = 0, c = 0, d = 0;
};

std::string Right(const std::string& text, size_t width)
{
    return PadToWidth(text, width, false);
}

/// Sums of the Mantel-Haenszel summary over the strata, every term formed in doubles.
struct CMantelHaenszel
{
    double sumA = 0, sumE = 0, sumV = 0;      // observed and expected a, variance of a
    double sumR = 0, sumS = 0;                // a d / n and b c / n
    double sumPR = 0, sumPSQR = 0, sumQS = 0; // terms of the Robins-Breslow-Greenland variance
    double sumRrNum = 0, sumRrDen = 0;        // a r2 / n and c r1 / n
    double sumGR = 0;                         // terms of the Greenland-Robins variance

    void Add(const CTable& t)
    {
        const double a = static_cast<double>(t.a), b = static_cast<double>(t.b);
        const double c = static_cast<double>(t.c), d = static_cast<double>(t.d);
        const double r1 = a + b, r2 = c + d, c1 = a + c, c2 = b + d, n = a + b + c + d;
        sumA += a;
        sumE += r1 * c1 / n;
        sumV += r1 * r2 * c1 * c2 / (n * n * (n - 1));
        const double p = (a + d) / n, q = (b + c) / n, r = a * d / n, s = b * c / n;
        sumR += r;
        sumS += s;
        sumPR += p * r;
        sumPSQR += p * s + q * r;
        sumQS += q * s;
        sumRrNum += a * r2 / n;
        sumRrDen += c * r1 / n;
        sumGR += (r1 * r2 * c1 - a * c * n) / (n * n);
    }
};

/// Appends the risk ratio and odds ratio of one table with their limits (normal deviate z) and
/// its Yates' chi-square with p, each key after `prefix`; every count and product is a double.
void AppendTableResults(const CTable& t, double z, const std::string& level, const std::string& prefix,
                        CResults& results)
{
    const double da = static_cast<double>(t.a), db = static_cast<double>(t.b);
    const double dc = static_cast<double>(t.c), dd = static_cast<double>(t.d);
    const double dr1 = da + db, dr2 = dc + dd, dc1 = da + dc, dc2 = db + dd, n = da + db + dc + dd;
    const double rr = (da / dr1) / (dc / dr2);
    const double rrSe = std::sqrt(db / (da * dr1) + dd / (dc * dr2));
    const double odds = (da / db) / (dc / dd);
    const double orSe = std::sqrt(1 / da + 1 / db + 1 / dc + 1 / dd);
    const double corrected = absd(da * dd - db * dc) - n / 2;
    const double x2y = n * (corrected * corrected) / (dc1 * dc2 * dr1 * dr2);
    const CEstimate rrLimits = RatioLimits(rr, rrSe, z);
    const CEstimate orLimits = RatioLimits(odds, orSe, z);
    results.push_back(
        IntervalResult(prefix + "risk_ratio", kTermRiskRatio, rr, rrLimits.lower, rrLimits.upper, level, 2));
    results.push_back(
        IntervalResult(prefix + "odds_ratio", kTermOddsRatio, odds, orLimits.lower, orLimits.upper, level, 2));
    results.push_back(StatisticResult(prefix + "chi2_yates", kTermChiSquareWithYatesCorrection, x2y, 1, 2));
    results.push_back(ProbabilityResult(prefix + "p_chi2_yates", kTermPValue, x2y, Chi2Prob(x2y, 1), 1, 6));
}

/// The key prefix of the results of stratum `index` (from 0).
std::string StratumPrefix(size_t index)
{
    return "stratum[" + std::to_string(index + 1) + "].";
}

const char kCrudePrefix[] = "crude.";
} // namespace

/// Input dialog: the title, the level, and the strata in a tab control, one tab per stratum,
/// whose table and title are edited in the cells below the tabs. The dialog edits copies of
/// the strata, so Cancel discards every change, added and removed strata included.
class CCompStratDlg : public CCalcDlg
{
public:
    CCompStratDlg();
    void Load(const CCompStrat& calc);
    void Store(CCompStrat& calc) const;

protected:
    bool OnInitDialog() override;
    void DoDataExchange(CDataExchange& dx) override;
    void OnOK() override;
    void OnButton(int id) override;
    void OnTabSelChange(int tabId) override;

private:
    void ExchangeStratum(CDataExchange& dx);
    /// Validates every field and writes the edits into the current stratum; on `relabel` the
    /// current tab then takes the stratum's title. False (prompt shown) when a field is refused.
    bool SaveEdits(bool relabel);
    /// Shows stratum `index` in the cells and the stratum title, leaving the other fields be.
    void ShowStratum(int index);
    void OnAdd();
    void OnRemove();
    CTabCtrl& Tabs() { return *GetTabCtrl(kIdTabs); }

    std::vector<CStratum> m_strata;
    int m_level = 0;
    int m_current = 0; // the stratum being edited
    uint32_t m_a = 0;
    uint32_t m_b = 0;
    uint32_t m_c = 0;
    uint32_t m_d = 0;
    std::string m_stratumTitle;
};

const CFieldTable* CCompStrat::Fields() const
{
    return &StratFields();
}

CInputs CCompStrat::Inputs() const
{
    CInputList inputs;
    inputs.Text("title", GetTitle()).Text("level", m_level == 1 ? "99" : "95");
    for (size_t i = 0; i < m_strata.size(); ++i) {
        const CStratum& stratum = m_strata[i];
        const std::string prefix = "strata[" + std::to_string(i + 1) + "].";
        inputs.Number(prefix + "a", stratum.a)
            .Number(prefix + "b", stratum.b)
            .Number(prefix + "c", stratum.c)
            .Number(prefix + "d", stratum.d)
            .Text(prefix + "title", stratum.title);
    }
    return inputs.Take();
}

CResults CCompStrat::Results() const
{
    const int levelIndex = m_level == 1 ? 1 : 0;
    const double z = kDeviates[levelIndex];
    const std::string level = kLevels[levelIndex];
    CResults results;
    CTable crude;
    CMantelHaenszel mh;
    for (size_t i = 0; i < m_strata.size(); ++i) {
        const CStratum& stratum = m_strata[i];
        const CTable table{stratum.a, stratum.b, stratum.c, stratum.d};
        AppendTableResults(table, z, level, StratumPrefix(i), results);
        crude.a += table.a;
        crude.b += table.b;
        crude.c += table.c;
        crude.d += table.d;
        mh.Add(table);
    }
    AppendTableResults(crude, z, level, kCrudePrefix, results);

    // Mantel-Haenszel chi-square with continuity correction (no floor at zero before squaring).
    const double deviation = absd(mh.sumA - mh.sumE) - 0.5;
    const double x2mh = deviation * deviation / mh.sumV;
    const double orMh = mh.sumR / mh.sumS;
    const double rrMh = mh.sumRrNum / mh.sumRrDen;
    // Robins, Breslow and Greenland (1986) variance of log ORmh.
    const double orVar = mh.sumPR / (2 * (mh.sumR * mh.sumR)) + mh.sumPSQR / (2 * mh.sumR * mh.sumS) +
                         mh.sumQS / (2 * (mh.sumS * mh.sumS));
    // Greenland and Robins (1985) variance of log RRmh.
    const double rrVar = mh.sumGR / (mh.sumRrNum * mh.sumRrDen);
    const CEstimate orLimits = RatioLimits(orMh, std::sqrt(orVar), z);
    const CEstimate rrLimits = RatioLimits(rrMh, std::sqrt(rrVar), z);
    results.push_back(
        IntervalResult("mh_risk_ratio", kTermMantelHaenszelRiskRatio, rrMh, rrLimits.lower, rrLimits.upper, level, 2));
    results.push_back(
        IntervalResult("mh_odds_ratio", kTermMantelHaenszelOddsRatio, orMh, orLimits.lower, orLimits.upper, level, 2));
    results.push_back(StatisticResult("chi2_mh", kTermMantelHaenszelChiSquare, x2mh, 1, 2));
    results.push_back(ProbabilityResult("p_chi2_mh", kTermPValue, x2mh, Chi2Prob(x2mh, 1), 1, 6));
    return results;
}

bool CCompStrat::Do()
{
    if (!RunInputDialog<CCompStratDlg>(*this))
        return false;
    CWaitCursor wait;
    const CResults results = Results();
    InsertHeading();
    CTable crude;
    for (size_t i = 0; i < m_strata.size(); ++i) {
        const CStratum& stratum = m_strata[i];
        InsertPhrase(stratum.title + "\n", kPhraseBold);
        ReportTable(stratum.a, stratum.b, stratum.c, stratum.d, results, StratumPrefix(i));
        crude.a += stratum.a;
        crude.b += stratum.b;
        crude.c += stratum.c;
        crude.d += stratum.d;
    }
    InsertPhrase(Term(kTermCrudeStrataCombined) + "\n", kPhraseBold);
    ReportTable(crude.a, crude.b, crude.c, crude.d, results, kCrudePrefix);

    InsertPhrase(Term(kTermMantelHaenszelSummary) + LabelCI(kLevels[m_level]) + "\n", kPhraseBold);
    for (const char* key : {"mh_risk_ratio", "mh_odds_ratio", "chi2_mh", "p_chi2_mh"})
        InsertResult(results, key);
    return true;
}

void CCompStrat::ReportTable(uint64_t a, uint64_t b, uint64_t c, uint64_t d, const CResults& results,
                             const std::string& prefix)
{
    const uint64_t r1 = a + b, r2 = c + d, c1 = a + c, c2 = b + d;
    // The two count columns are 6 characters wide; a count of 6 digits or more widens both, so
    // that neighbouring counts never run together.
    const uint64_t widest = std::max({a, b, c, d, c1, c2});
    const int width = std::max(6, static_cast<int>(Format("%llu", static_cast<unsigned long long>(widest)).size()) + 1);
    const auto row = [width](const std::string& label, uint64_t left, uint64_t right, uint64_t total) {
        return Format("\t%s|%*llu%*llu |%7llu\n", Right(label, 7).c_str(), width, static_cast<unsigned long long>(left),
                      width, static_cast<unsigned long long>(right), static_cast<unsigned long long>(total));
    };
    const std::string dashes(static_cast<size_t>(width), '-');
    const std::string rule = Format("\t-------+%s%s-+%7s\n", dashes.c_str(), dashes.c_str(), "-------");
    InsertPhrase(Format("\t       |%*s%*s |%s\n", width, "+", width, "-", Right(Term(kTermTotal), 7).c_str()),
                 kPhrasePlain);
    InsertPhrase(rule, kPhrasePlain);
    InsertPhrase(row("+ ", a, b, r1), kPhrasePlain);
    InsertPhrase(row("- ", c, d, r2), kPhrasePlain);
    InsertPhrase(rule, kPhrasePlain);
    InsertPhrase(row(Term(kTermTotal) + " ", c1, c2, r1 + r2) + "\n", kPhrasePlain);

    const std::string level = LabelCI(kLevels[m_level]);
    InsertResult(results, prefix + "risk_ratio", level);
    InsertResult(results, prefix + "odds_ratio", level);
    InsertResult(results, prefix + "chi2_yates");
    InsertResult(results, prefix + "p_chi2_yates");
    InsertPhrase("\n", kPhrasePlain);
}

namespace
{
/// The tabs over a 2x2 table: the outcome heading over the columns, the exposure heading beside
/// the rows, "+" and "-" labelling both, the cells a, b / c, d in their places.
const CDialogTemplate& CompStratTemplate()
{
    static const CDialogTemplate dialogTemplate{
        167,
        "Compare - 2x2 tables - Stratified",
        {
            StaticCtl(kIdTitleLabel, "Title:", 0, 0),
            EditCtl(kIdTitle, 0, 1).MaxChars(kMaxTitleChars).Span(1, 3),
            GroupBoxCtl(kIdLevelBox, "Confidence Level", 1, 0).Span(1, 4),
            RadioCtl(kIdLevel95, "95%", 0, 0).GroupStart().InGroup(kIdLevelBox),
            RadioCtl(kIdLevel99, "99%", 0, 1).InGroup(kIdLevelBox),
            TabCtl(kIdTabs, 2, 0).Span(1, 4),
            StaticCtl(kIdColumnHeading, "Outcome", 3, 2).Span(1, 2),
            StaticCtl(kStaticId, "+", 4, 2),
            StaticCtl(kStaticId, "-", 4, 3),
            StaticCtl(kIdRowHeading, "Exposure", 5, 0).Span(2, 1),
            StaticCtl(kStaticId, "+", 5, 1),
            NumberEditCtl(kIdA, 5, 2).RightAlign(),
            NumberEditCtl(kIdB, 5, 3).RightAlign(),
            StaticCtl(kStaticId, "-", 6, 1),
            NumberEditCtl(kIdC, 6, 2).RightAlign(),
            NumberEditCtl(kIdD, 6, 3).RightAlign(),
            StaticCtl(kIdStratumTitleLabel, "Stratum title:", 7, 0).Span(1, 2),
            EditCtl(kIdStratumTitle, 7, 2).MaxChars(kMaxStratumTitleChars).Span(1, 2),
            ButtonCtl(kIdAdd, "Add", 8, 2),
            ButtonCtl(kIdRemove, "Remove", 8, 3).Disabled(),
            DefButtonCtl(IDOK, "OK", 9, 2),
            ButtonCtl(IDCANCEL, "Cancel", 9, 3),
        },
    };
    return dialogTemplate;
}
} // namespace

CCompStratDlg::CCompStratDlg() : CCalcDlg(CompStratTemplate())
{}

void CCompStratDlg::Load(const CCompStrat& calc)
{
    m_strata = calc.m_strata;
    m_level = calc.m_level;
    m_current = 0;
    const CStratum& first = m_strata.front();
    m_a = first.a;
    m_b = first.b;
    m_c = first.c;
    m_d = first.d;
    m_stratumTitle = first.title;
}

void CCompStratDlg::Store(CCompStrat& calc) const
{
    calc.m_level = m_level;
    calc.m_strata = m_strata;
}

bool CCompStratDlg::OnInitDialog()
{
    CCalcDlg::OnInitDialog();
    SetTerm(kIdRowHeading, kTermExposure, "");
    SetTerm(kIdColumnHeading, kTermOutcome, "");
    SetTerm(kIdStratumTitleLabel, kTermStratumTitle);
    // Every stored stratum under its own title (numbered when it has none); Add and Remove
    // as the count allows.
    CTabCtrl& tabs = Tabs();
    for (size_t i = 0; i < m_strata.size(); ++i) {
        const std::string& title = m_strata[i].title;
        tabs.InsertItem(static_cast<int>(i),
                        title.empty() ? CCompStrat::NewStratumTitle(static_cast<int>(i) + 1) : title);
    }
    tabs.SetCurSel(0);
    m_current = 0;
    const int count = static_cast<int>(m_strata.size());
    EnableWindow(kIdAdd, count < kMaxStrata);
    EnableWindow(kIdRemove, count >= 2);
    return true;
}

void CCompStratDlg::ExchangeStratum(CDataExchange& dx)
{
    ExchangeField(dx, StratumField("a"), m_a);
    ExchangeField(dx, StratumField("b"), m_b);
    ExchangeField(dx, StratumField("c"), m_c);
    ExchangeField(dx, StratumField("d"), m_d);
    const CField& title = StratumField("title");
    DDX_Text(dx, title.id, m_stratumTitle);
    DDV_MaxChars(dx, m_stratumTitle, title.maxChars);
}

void CCompStratDlg::DoDataExchange(CDataExchange& dx)
{
    ExchangeTitle(dx);
    DDX_Radio(dx, kIdLevel95, m_level);
    ExchangeStratum(dx);
}

bool CCompStratDlg::SaveEdits(bool relabel)
{
    if (!UpdateData(true))
        return false;
    CStratum& stratum = m_strata[static_cast<size_t>(m_current)];
    stratum.a = m_a;
    stratum.b = m_b;
    stratum.c = m_c;
    stratum.d = m_d;
    stratum.title = m_stratumTitle;
    if (relabel)
        Tabs().SetItemText(m_current, m_stratumTitle);
    return true;
}

void CCompStratDlg::ShowStratum(int index)
{
    const CStratum& stratum = m_strata[static_cast<size_t>(index)];
    m_a = stratum.a;
    m_b = stratum.b;
    m_c = stratum.c;
    m_d = stratum.d;
    m_stratumTitle = stratum.title;
    CDataExchange dx(*this, false);
    ExchangeStratum(dx);
}

void CCompStratDlg::OnOK()
{
    if (SaveEdits(false))
        CCalcDlg::OnOK();
}

void CCompStratDlg::OnButton(int id)
{
    if (id == kIdAdd)
        OnAdd();
    else if (id == kIdRemove)
        OnRemove();
}

void CCompStratDlg::OnTabSelChange(int tabId)
{
    if (tabId != kIdTabs)
        return;
    const int selected = Tabs().GetCurSel();
    if (!SaveEdits(true)) {
        // The cells still hold the stratum being edited: keep its tab selected, so that what
        // the user types next is not taken for the stratum of the tab clicked.
        Tabs().SetCurSel(m_current);
        return;
    }
    m_current = selected;
    ShowStratum(m_current);
}

void CCompStratDlg::OnAdd()
{
    if (!SaveEdits(true))
        return;
    const int count = static_cast<int>(m_strata.size()) + 1;
    CStratum stratum;
    stratum.title = CCompStrat::NewStratumTitle(count);
    Tabs().InsertItem(count - 1, stratum.title);
    Tabs().SetCurSel(count - 1);
    m_current = count - 1;
    m_strata.push_back(stratum);
    ShowStratum(m_current);
    if (count >= kMaxStrata)
        EnableWindow(kIdAdd, false);
    EnableWindow(kIdRemove, true);
    GotoDlgCtrl(kIdA);
}

void CCompStratDlg::OnRemove()
{
    // Removes the stratum being edited, without saving its edits.
    const int count = static_cast<int>(m_strata.size());
    if (count < 2)
        return;
    const int removed = m_current;
    const int shown = removed < count - 1 ? removed + 1 : removed - 1;
    Tabs().SetCurSel(shown);
    ShowStratum(shown);
    m_strata.erase(m_strata.begin() + removed);
    if (count - 1 < 2)
        EnableWindow(kIdRemove, false);
    EnableWindow(kIdAdd, true);
    Tabs().DeleteItem(removed);
    m_current = Tabs().GetCurSel();
}
