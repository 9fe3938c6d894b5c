// CComp2PropPerc: two proportions given as percentages (type "2110"): the comparison both
// two-proportion calculations share, this one's report, and its input dialog (template 160).
#include "CComp2PropPerc.h"

#include "CArchive.h"
#include "CCalcDlg.h"
#include "Distributions.h"
#include "Format.h"
#include "StoredInputs.h"

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

bool CComp2PropPerc::Do()
{
    if (!RunInputDialog<CComp2PropPercDlg>(*this))
        return false;
    CWaitCursor wait;
    const double z = m_level == 0 ? 1.96 : 2.58;
    const CTwoPropComparison result = CompareTwoProportions(m_percent1 / 100, m_percent2 / 100, m_size1, m_size2, z);

    InsertHeading();
    InsertPhrase(Format("%s 1\n", Term("54").c_str()), kPhraseBold);
    InsertResult(Term("43"), Floating(m_percent1, 2) + "%", "");
    InsertResult(Term("55"), Integer(static_cast<int>(m_size1)), "");
    InsertPhrase(Format("\n%s 2\n", Term("54").c_str()), kPhraseBold);
    InsertResult(Term("43"), Floating(m_percent2, 2) + "%", "");
    InsertResult(Term("55"), Integer(static_cast<int>(m_size2)), "");
    InsertPhrase(Format("\n%s\n", Term("11").c_str()), kPhraseBold);
    InsertResult(Term("11") + LabelCI(kLevels[m_level]), Floating(100 * result.difference, 2) + "%",
                 CI(100 * result.lower, 100 * result.upper, 2));
    InsertResult(Term("74"), Floating(result.z, 2), "");
    InsertResult(Term("22") + " " + Term("26"), Probability(result.z, result.oneTailed, 6), "");
    InsertResult(Term("66") + " " + Term("26"), Probability(result.z, 2 * result.oneTailed, 6), "");
    return true;
}

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
    SetTerm(kIdSample1Box, "54", " 1");
    SetTerm(kIdPercent1Label, "43", " (%):");
    SetTerm(kIdSize1Label, "55");
    SetTerm(kIdSample2Box, "54", " 2");
    SetTerm(kIdPercent2Label, "43", " (%):");
    SetTerm(kIdSize2Label, "55");
    return true;
}

void CComp2PropPercDlg::DoDataExchange(CDataExchange& dx)
{
    DDX_Text(dx, kIdPercent1, m_percent1);
    DDV_MinMaxDouble(dx, m_percent1, 0, 100);
    DDX_Text(dx, kIdSize1, m_size1);
    DDV_MinMaxUInt(dx, m_size1, 1, 1000000);
    DDX_Text(dx, kIdPercent2, m_percent2);
    DDV_MinMaxDouble(dx, m_percent2, 0, 100);
    DDX_Text(dx, kIdSize2, m_size2);
    DDV_MinMaxUInt(dx, m_size2, 1, 1000000);
    DDX_Radio(dx, kIdLevel95, m_level);
    ExchangeTitle(dx);
}
