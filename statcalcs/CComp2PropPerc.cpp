// CComp2PropPerc: two proportions given as percentages (type "2110"): the comparison both
// two-proportion calculations share, this one's report, and its input dialog (template 160).
#include "CComp2PropPerc.h"

#include "CArchive.h"
#include "CCalcDlg.h"
#include "Distributions.h"
#include "FieldTable.h"
#include "Format.h"
#include "StoredInputs.h"
#include "Terms.h"

#include <cmath>

IMPLEMENT_SERIAL(CComp2PropPerc, CCalcBase, 0)

CTwoPropComparison CompareTwoProportions(double p1, double p2, uint32_t size1, uint32_t size2, double deviate)
{
    // Sizes as reals: 1 / N must not be an integer division.
    const double n1 = static_cast<double>(size1);
    const double n2 = static_cast<double>(size2);
    const double q1 = 1 - p1;
    const double q2 = 1 - p2;
    CTwoPropComparison result;
    result.difference = absd(p2 - p1);
    const double se = std::sqrt(p2 * q2 / n2 + p1 * q1 / n1);
    const double cc = (1 / n2 + 1 / n1) * 0.5;
    result.lower = (result.difference - deviate * se) - cc;
    result.upper = cc + deviate * se + result.difference;
    const double p = (p2 * n2 + p1 * n1) / (n1 + n2);
    const double q = 1 - p;
    result.z = (absd(p2 - p1) - cc) / std::sqrt((1 / n2 + 1 / n1) * p * q);
    result.oneTailed = NormalProb(result.z);
    return result;
}

void AppendComparisonResults(CResults& results, const CTwoPropComparison& comparison, const std::string& level)
{
    results.push_back(IntervalResult("difference", kTermDifference, 100 * comparison.difference, 100 * comparison.lower,
                                     100 * comparison.upper, level, 2));
    results.push_back(StatisticResult("z", kTermZStatistic, comparison.z, kNoValue, 2));
    results.push_back(ProbabilityResult("p_z_one_tailed", TermKeys({kTermOneTailed, kTermPValue}), comparison.z,
                                        comparison.oneTailed, kNoValue, 6));
    results.push_back(ProbabilityResult("p_z_two_tailed", TermKeys({kTermTwoTailed, kTermPValue}), comparison.z,
                                        2 * comparison.oneTailed, kNoValue, 6));
}

namespace
{
enum : int
{
    kIdPercent1 = 1071,
    kIdSize1 = 1080,
    kIdPercent2 = 1072,
    kIdSize2 = 1025,
    kIdSample1Box = 1099,
    kIdSample2Box = 1100,
    kIdSize1Label = 1103,
    kIdSize2Label = 1104,
    kIdPercent1Label = 1107,
    kIdPercent2Label = 1108,
};

/// Percentage and size of each sample, the level and the title, as the dialog lays them out.
const CFieldTable& Comp2PropPercFields()
{
    static const CFieldTable table{{
                                       NumberField("percentage1", kIdPercent1, kTermProportion, 0, 100),
                                       CountField("n1", kIdSize1, kTermSampleSize, 1, 1000000),
                                       NumberField("percentage2", kIdPercent2, kTermProportion, 0, 100),
                                       CountField("n2", kIdSize2, kTermSampleSize, 1, 1000000),
                                       LevelField(),
                                       TitleField(),
                                   },
                                   {}};
    return table;
}
} // namespace

void CComp2PropPerc::Serialize(CArchive& ar)
{
    CCalcBase::Serialize(ar);
    if (ar.IsStoring()) {
        ar << m_level << m_percent1 << m_percent2 << m_size1 << m_size2;
    } else {
        m_level = ReadLevel(ar);
        ar >> m_percent1 >> m_percent2 >> m_size1 >> m_size2;
    }
}

/// Input dialog: percentage and size of each sample, confidence level and title.
class CComp2PropPercDlg : public CCalcDlg
{
public:
    CComp2PropPercDlg();
    void Load(const CComp2PropPerc& calc);
    void Store(CComp2PropPerc& calc) const;

protected:
    bool OnInitDialog() override;
    void DoDataExchange(CDataExchange& dx) override;

private:
    double m_percent1 = 0.0;
    uint32_t m_size1 = 0;
    double m_percent2 = 0.0;
    uint32_t m_size2 = 0;
    int m_level = 0;
};

const CFieldTable* CComp2PropPerc::Fields() const
{
    return &Comp2PropPercFields();
}

CInputs CComp2PropPerc::Inputs() const
{
    return CInputList()
        .Number("percentage1", m_percent1)
        .Number("n1", m_size1)
        .Number("percentage2", m_percent2)
        .Number("n2", m_size2)
        .Text("level", m_level == 1 ? "99" : "95")
        .Text("title", GetTitle())
        .Take();
}

CResults CComp2PropPerc::Results() const
{
    const int levelIndex = m_level == 1 ? 1 : 0;
    const double z = levelIndex == 0 ? 1.96 : 2.58;
    CResults results;
    AppendComparisonResults(results, CompareTwoProportions(m_percent1 / 100, m_percent2 / 100, m_size1, m_size2, z),
                            kLevels[levelIndex]);
    return results;
}

bool CComp2PropPerc::Do()
{
    if (!RunInputDialog<CComp2PropPercDlg>(*this))
        return false;
    CWaitCursor wait;
    const CResults results = Results();

    InsertHeading();
    InsertPhrase(Format("%s 1\n", Term(kTermSample).c_str()), kPhraseBold);
    InsertResult(Term(kTermProportion), Floating(m_percent1, 2) + "%", "");
    InsertResult(Term(kTermSampleSize), Integer(static_cast<int>(m_size1)), "");
    InsertPhrase(Format("\n%s 2\n", Term(kTermSample).c_str()), kPhraseBold);
    InsertResult(Term(kTermProportion), Floating(m_percent2, 2) + "%", "");
    InsertResult(Term(kTermSampleSize), Integer(static_cast<int>(m_size2)), "");
    InsertPhrase(Format("\n%s\n", Term(kTermDifference).c_str()), kPhraseBold);
    // The difference is in percent, and its line says so.
    const CResult& difference = *FindResult(results, "difference");
    InsertResult(ResultLabel(difference) + LabelCI(kLevels[m_level]), Floating(difference.estimate, 2) + "%",
                 CI(difference.lower, difference.upper, 2));
    for (const char* key : {"z", "p_z_one_tailed", "p_z_two_tailed"})
        InsertResult(results, key);
    return true;
}

static const CDialogTemplate& Comp2PropPercTemplate()
{
    static const CDialogTemplate dialogTemplate{
        160,
        "Compare - Two proportions - Percentages",
        {
            GroupBoxCtl(kIdSample1Box, "Sample 1", 0, 0),
            StaticCtl(kIdPercent1Label, "Proportion (%):", 0, 0).InGroup(kIdSample1Box),
            EditCtl(kIdPercent1, 0, 1).RightAlign().InGroup(kIdSample1Box),
            StaticCtl(kIdSize1Label, "Sample size:", 1, 0).InGroup(kIdSample1Box),
            NumberEditCtl(kIdSize1, 1, 1).InGroup(kIdSample1Box),
            GroupBoxCtl(kIdSample2Box, "Sample 2", 0, 1),
            StaticCtl(kIdPercent2Label, "Proportion (%):", 0, 0).InGroup(kIdSample2Box),
            EditCtl(kIdPercent2, 0, 1).RightAlign().InGroup(kIdSample2Box),
            StaticCtl(kIdSize2Label, "Sample size:", 1, 0).InGroup(kIdSample2Box),
            NumberEditCtl(kIdSize2, 1, 1).InGroup(kIdSample2Box),
            GroupBoxCtl(kIdLevelBox, "Confidence Interval", 1, 0).Span(1, 2),
            RadioCtl(kIdLevel95, "95%", 0, 0).InGroup(kIdLevelBox).GroupStart(),
            RadioCtl(kIdLevel99, "99%", 0, 1).InGroup(kIdLevelBox),
            StaticCtl(kIdTitleLabel, "Title:", 2, 0),
            EditCtl(kIdTitle, 2, 1).MaxChars(kMaxTitleChars),
            DefButtonCtl(IDOK, "OK", 3, 0),
            ButtonCtl(IDCANCEL, "Cancel", 3, 1),
        },
    };
    return dialogTemplate;
}

CComp2PropPercDlg::CComp2PropPercDlg() : CCalcDlg(Comp2PropPercTemplate())
{}

void CComp2PropPercDlg::Load(const CComp2PropPerc& calc)
{
    m_percent1 = calc.m_percent1;
    m_size1 = calc.m_size1;
    m_percent2 = calc.m_percent2;
    m_size2 = calc.m_size2;
    m_level = calc.m_level;
}

void CComp2PropPercDlg::Store(CComp2PropPerc& calc) const
{
    calc.m_percent1 = m_percent1;
    calc.m_size1 = m_size1;
    calc.m_percent2 = m_percent2;
    calc.m_size2 = m_size2;
    calc.m_level = m_level;
}

bool CComp2PropPercDlg::OnInitDialog()
{
    CCalcDlg::OnInitDialog();
    SetTerm(kIdSample1Box, kTermSample, " 1");
    SetTerm(kIdPercent1Label, kTermProportion, " (%):");
    SetTerm(kIdSize1Label, kTermSampleSize);
    SetTerm(kIdSample2Box, kTermSample, " 2");
    SetTerm(kIdPercent2Label, kTermProportion, " (%):");
    SetTerm(kIdSize2Label, kTermSampleSize);
    return true;
}

void CComp2PropPercDlg::DoDataExchange(CDataExchange& dx)
{
    const CFieldTable& fields = Comp2PropPercFields();
    ExchangeField(dx, FieldOf(fields, "percentage1"), m_percent1);
    ExchangeField(dx, FieldOf(fields, "n1"), m_size1);
    ExchangeField(dx, FieldOf(fields, "percentage2"), m_percent2);
    ExchangeField(dx, FieldOf(fields, "n2"), m_size2);
    DDX_Radio(dx, kIdLevel95, m_level);
    ExchangeTitle(dx);
}
