// CComp2PropNum: two proportions given as counts and sample sizes (type "2120"): the report and
// the input dialog (template 161); the comparison itself is CompareTwoProportions.
#include "CComp2PropNum.h"

#include "CArchive.h"
#include "CCalcDlg.h"
#include "CComp2PropPerc.h"
#include "FieldTable.h"
#include "Format.h"
#include "StoredInputs.h"
#include "Terms.h"

IMPLEMENT_SERIAL(CComp2PropNum, CCalcBase, 0)

void CComp2PropNum::Serialize(CArchive& ar)
{
    CCalcBase::Serialize(ar);
    // The stored order is the document format's, not the order of the fields.
    if (ar.IsStoring()) {
        ar << m_level << m_size1 << m_size2 << m_count1 << m_count2;
    } else {
        m_level = ReadLevel(ar);
        ar >> m_size1 >> m_size2 >> m_count1 >> m_count2;
    }
}

namespace
{
enum : int
{
    kIdCount1 = 1081,
    kIdSize1 = 1082,
    kIdCount2 = 1083,
    kIdSize2 = 1084,
    kIdSample1Box = 1099,
    kIdSample2Box = 1100,
    kIdCount1Label = 1101,
    kIdCount2Label = 1102,
    kIdSize1Label = 1103,
    kIdSize2Label = 1104,
};

/// Count and size of each sample, the level and the title, as the dialog lays them out. A count
/// above its sample size is taken: the report then shows what it gives.
const CFieldTable& Comp2PropNumFields()
{
    static const CFieldTable table{{
                                       CountField("count1", kIdCount1, kTermCount, 0, 1000000),
                                       CountField("n1", kIdSize1, kTermSampleSize, 1, 1000000),
                                       CountField("count2", kIdCount2, kTermCount, 0, 1000000),
                                       CountField("n2", kIdSize2, kTermSampleSize, 1, 1000000),
                                       LevelField(),
                                       TitleField(),
                                   },
                                   {}};
    return table;
}
} // namespace

/// Input dialog: count and size of each sample, confidence level and title.
class CComp2PropNumDlg : public CCalcDlg
{
public:
    CComp2PropNumDlg();
    void Load(const CComp2PropNum& calc);
    void Store(CComp2PropNum& calc) const;

protected:
    bool OnInitDialog() override;
    void DoDataExchange(CDataExchange& dx) override;

private:
    uint32_t m_count1 = 0;
    uint32_t m_size1 = 0;
    uint32_t m_count2 = 0;
    uint32_t m_size2 = 0;
    int m_level = 0;
};

const CFieldTable* CComp2PropNum::Fields() const
{
    return &Comp2PropNumFields();
}

CInputs CComp2PropNum::Inputs() const
{
    return CInputList()
        .Number("count1", m_count1)
        .Number("n1", m_size1)
        .Number("count2", m_count2)
        .Number("n2", m_size2)
        .Text("level", m_level == 1 ? "99" : "95")
        .Text("title", GetTitle())
        .Take();
}

CResults CComp2PropNum::Results() const
{
    // Proportions as real quotients of the counts.
    const double p1 = static_cast<double>(m_count1) / static_cast<double>(m_size1);
    const double p2 = static_cast<double>(m_count2) / static_cast<double>(m_size2);
    const int levelIndex = m_level == 1 ? 1 : 0;
    const double z = levelIndex == 0 ? 1.96 : 2.58;
    CResults results;
    results.push_back(EstimateResult("sample[1].percentage", kTermProportion, 100 * p1, 2));
    results.push_back(EstimateResult("sample[2].percentage", kTermProportion, 100 * p2, 2));
    AppendComparisonResults(results, CompareTwoProportions(p1, p2, m_size1, m_size2, z), kLevels[levelIndex]);
    return results;
}

bool CComp2PropNum::Do()
{
    if (!RunInputDialog<CComp2PropNumDlg>(*this))
        return false;
    CWaitCursor wait;
    const CResults results = Results();
    const auto percentage = [&](const char* key) {
        const CResult& result = *FindResult(results, key);
        InsertResult(ResultLabel(result), Floating(result.estimate, result.decimals) + "%", "");
    };

    InsertHeading();
    InsertPhrase(Format("%s 1\n", Term(kTermSample).c_str()), kPhraseBold);
    InsertResult(Term(kTermCount), Integer(static_cast<int>(m_count1)), "");
    percentage("sample[1].percentage");
    InsertResult(Term(kTermSampleSize), Integer(static_cast<int>(m_size1)), "");
    InsertPhrase(Format("\n%s 2\n", Term(kTermSample).c_str()), kPhraseBold);
    InsertResult(Term(kTermCount), Integer(static_cast<int>(m_count2)), "");
    percentage("sample[2].percentage");
    InsertResult(Term(kTermSampleSize), Integer(static_cast<int>(m_size2)), "");
    InsertPhrase(Format("\n%s\n", Term(kTermDifference).c_str()), kPhraseBold);
    // Unlike the percentage form, the difference line carries no level and no percent sign.
    for (const char* key : {"difference", "z", "p_z_one_tailed", "p_z_two_tailed"})
        InsertResult(results, key);
    return true;
}

static const CDialogTemplate& Comp2PropNumTemplate()
{
    static const CDialogTemplate dialogTemplate{
        161,
        "Compare - Two proportions - Numerators/Denominators",
        {
            GroupBoxCtl(kIdSample1Box, "Sample 1", 0, 0),
            StaticCtl(kIdCount1Label, "Count:", 0, 0).InGroup(kIdSample1Box),
            NumberEditCtl(kIdCount1, 0, 1).InGroup(kIdSample1Box),
            StaticCtl(kIdSize1Label, "Sample size:", 1, 0).InGroup(kIdSample1Box),
            NumberEditCtl(kIdSize1, 1, 1).InGroup(kIdSample1Box),
            GroupBoxCtl(kIdSample2Box, "Sample 2", 0, 1),
            StaticCtl(kIdCount2Label, "Count:", 0, 0).InGroup(kIdSample2Box),
            NumberEditCtl(kIdCount2, 0, 1).InGroup(kIdSample2Box),
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

CComp2PropNumDlg::CComp2PropNumDlg() : CCalcDlg(Comp2PropNumTemplate())
{}

void CComp2PropNumDlg::Load(const CComp2PropNum& calc)
{
    m_count1 = calc.m_count1;
    m_size1 = calc.m_size1;
    m_count2 = calc.m_count2;
    m_size2 = calc.m_size2;
    m_level = calc.m_level;
}

void CComp2PropNumDlg::Store(CComp2PropNum& calc) const
{
    calc.m_count1 = m_count1;
    calc.m_size1 = m_size1;
    calc.m_count2 = m_count2;
    calc.m_size2 = m_size2;
    calc.m_level = m_level;
}

bool CComp2PropNumDlg::OnInitDialog()
{
    CCalcDlg::OnInitDialog();
    SetTerm(kIdSample1Box, kTermSample, " 1");
    SetTerm(kIdCount1Label, kTermCount);
    SetTerm(kIdSize1Label, kTermSampleSize);
    SetTerm(kIdSample2Box, kTermSample, " 2");
    SetTerm(kIdCount2Label, kTermCount);
    SetTerm(kIdSize2Label, kTermSampleSize);
    return true;
}

void CComp2PropNumDlg::DoDataExchange(CDataExchange& dx)
{
    const CFieldTable& fields = Comp2PropNumFields();
    ExchangeField(dx, FieldOf(fields, "count1"), m_count1);
    ExchangeField(dx, FieldOf(fields, "n1"), m_size1);
    ExchangeField(dx, FieldOf(fields, "count2"), m_count2);
    ExchangeField(dx, FieldOf(fields, "n2"), m_size2);
    DDX_Radio(dx, kIdLevel95, m_level);
    ExchangeTitle(dx);
}
