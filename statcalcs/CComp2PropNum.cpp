// CComp2PropNum: two proportions given as counts and sample sizes (type "2120"): the report and
// the input dialog (template 161); the comparison itself is CompareTwoProportions.
#include "CComp2PropNum.h"

#include "CArchive.h"
#include "CCalcDlg.h"
#include "CComp2PropPerc.h"
#include "Format.h"
#include "StoredInputs.h"

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

bool CComp2PropNum::Do()
{
    if (!RunInputDialog<CComp2PropNumDlg>(*this))
        return false;
    CWaitCursor wait;
    // Proportions as real quotients of the counts.
    const double p1 = static_cast<double>(m_count1) / static_cast<double>(m_size1);
    const double p2 = static_cast<double>(m_count2) / static_cast<double>(m_size2);
    const double z = m_level == 0 ? 1.96 : 2.58;
    const CTwoPropComparison result = CompareTwoProportions(p1, p2, m_size1, m_size2, z);

    InsertHeading();
    InsertPhrase(Format("%s 1\n", Term("54").c_str()), kPhraseBold);
    InsertResult(Term("08"), Integer(static_cast<int>(m_count1)), "");
    InsertResult(Term("43"), Floating(100 * p1, 2) + "%", "");
    InsertResult(Term("55"), Integer(static_cast<int>(m_size1)), "");
    InsertPhrase(Format("\n%s 2\n", Term("54").c_str()), kPhraseBold);
    InsertResult(Term("08"), Integer(static_cast<int>(m_count2)), "");
    InsertResult(Term("43"), Floating(100 * p2, 2) + "%", "");
    InsertResult(Term("55"), Integer(static_cast<int>(m_size2)), "");
    InsertPhrase(Format("\n%s\n", Term("11").c_str()), kPhraseBold);
    // Unlike the percentage form, the difference line carries no level and no percent sign.
    InsertResult(Term("11"), Floating(100 * result.difference, 2), CI(100 * result.lower, 100 * result.upper, 2));
    InsertResult(Term("74"), Floating(result.z, 2), "");
    InsertResult(Term("22") + " " + Term("26"), Probability(result.z, result.oneTailed, 6), "");
    InsertResult(Term("66") + " " + Term("26"), Probability(result.z, 2 * result.oneTailed, 6), "");
    return true;
}

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
    SetTerm(kIdSample1Box, "54", " 1");
    SetTerm(kIdCount1Label, "08");
    SetTerm(kIdSize1Label, "55");
    SetTerm(kIdSample2Box, "54", " 2");
    SetTerm(kIdCount2Label, "08");
    SetTerm(kIdSize2Label, "55");
    return true;
}

void CComp2PropNumDlg::DoDataExchange(CDataExchange& dx)
{
    // A count above its sample size is accepted: the report then shows what it gives.
    DDX_Text(dx, kIdCount1, m_count1);
    DDV_MinMaxUInt(dx, m_count1, 0, 1000000);
    DDX_Text(dx, kIdSize1, m_size1);
    DDV_MinMaxUInt(dx, m_size1, 1, 1000000);
    DDX_Text(dx, kIdCount2, m_count2);
    DDV_MinMaxUInt(dx, m_count2, 0, 1000000);
    DDX_Text(dx, kIdSize2, m_size2);
    DDV_MinMaxUInt(dx, m_size2, 1, 1000000);
    DDX_Radio(dx, kIdLevel95, m_level);
    ExchangeTitle(dx);
}
