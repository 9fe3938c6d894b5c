// CDescPerc: a proportion given as a percentage of a sample (type "1110"): its stored inputs,
// the Fleiss interval and report, and the input dialog (template 131).
#include "CDescPerc.h"

#include "CArchive.h"
#include "CCalcDlg.h"
#include "FieldTable.h"
#include "StoredInputs.h"
#include "TableTests.h"
#include "Terms.h"

#include <cstdint>

IMPLEMENT_SERIAL(CDescPerc, CCalcBase, 0)

namespace
{
enum : int
{
    kIdPercent = 1023,
    kIdSampleSize = 1024,
    kIdPercentLabel = 1118,
    kIdSampleSizeLabel = 1111,
};

/// The percentage, the sample size, the level and the title.
const CFieldTable& DescPercFields()
{
    static const CFieldTable table{{
                                       NumberField("percentage", kIdPercent, kTermProportion, 0, 100),
                                       CountField("n", kIdSampleSize, kTermSampleSize, 1, 1000000),
                                       LevelField(),
                                       TitleField(),
                                   },
                                   {}};
    return table;
}
} // namespace

void CDescPerc::Serialize(CArchive& ar)
{
    CCalcBase::Serialize(ar);
    if (ar.IsStoring()) {
        ar << m_level << m_percent << m_sampleSize;
    } else {
        m_level = ReadLevel(ar);
        ar >> m_percent >> m_sampleSize;
    }
}

/// Input dialog: proportion (%), sample size, confidence level and title.
class CDescPercDlg : public CCalcDlg
{
public:
    CDescPercDlg();
    void Load(const CDescPerc& calc);
    void Store(CDescPerc& calc) const;

protected:
    bool OnInitDialog() override;
    void DoDataExchange(CDataExchange& dx) override;

private:
    double m_percent = 0.0;
    uint32_t m_sampleSize = 0;
    int m_level = 0;
};

const CFieldTable* CDescPerc::Fields() const
{
    return &DescPercFields();
}

CInputs CDescPerc::Inputs() const
{
    return CInputList()
        .Number("percentage", m_percent)
        .Number("n", m_sampleSize)
        .Text("level", m_level == 0 ? "95" : "99")
        .Text("title", GetTitle())
        .Take();
}

CResults CDescPerc::Results() const
{
    // Fleiss' interval of a single proportion, on the proportion (not the percentage).
    const double z = m_level == 0 ? 1.96 : 2.58;
    double lower = 0.0;
    double upper = 0.0;
    FleissCISingProp(m_percent / 100, m_sampleSize, z, lower, upper);
    CResults results;
    results.push_back(EstimateResult("sample_size", kTermSampleSize, m_sampleSize, 0));
    results.push_back(IntervalResult("percentage", kTermProportion, m_percent, 100 * lower, 100 * upper,
                                     kLevels[m_level == 0 ? 0 : 1], 2));
    return results;
}

bool CDescPerc::Do()
{
    if (!RunInputDialog<CDescPercDlg>(*this))
        return false;
    CWaitCursor wait;
    const CResults results = Results();
    const CResult& size = *FindResult(results, "sample_size");
    const CResult& percentage = *FindResult(results, "percentage");

    InsertHeading();
    InsertResult(ResultLabel(size), Integer(static_cast<int>(static_cast<uint32_t>(size.estimate))), "");
    InsertResult(ResultLabel(percentage) + LabelCI(kLevels[m_level]), Floating(percentage.estimate, 2) + "%",
                 CI(percentage.lower, percentage.upper, 2));
    return true;
}

static const CDialogTemplate& DescPercTemplate()
{
    static const CDialogTemplate dialogTemplate{
        131,
        "Describe - Proportion - Percentage",
        {
            StaticCtl(kIdPercentLabel, "Proportion (%):", 0, 0),
            EditCtl(kIdPercent, 0, 1).RightAlign(),
            StaticCtl(kIdSampleSizeLabel, "Sample size:", 1, 0),
            NumberEditCtl(kIdSampleSize, 1, 1).RightAlign(),
            GroupBoxCtl(kIdLevelBox, "Confidence Interval", 2, 0).Span(1, 2),
            RadioCtl(kIdLevel95, "95%", 0, 0).InGroup(kIdLevelBox).GroupStart(),
            RadioCtl(kIdLevel99, "99%", 0, 1).InGroup(kIdLevelBox),
            StaticCtl(kIdTitleLabel, "Title:", 3, 0),
            EditCtl(kIdTitle, 3, 1).MaxChars(kMaxTitleChars),
            DefButtonCtl(IDOK, "OK", 4, 0),
            ButtonCtl(IDCANCEL, "Cancel", 4, 1),
        },
    };
    return dialogTemplate;
}

CDescPercDlg::CDescPercDlg() : CCalcDlg(DescPercTemplate())
{}

void CDescPercDlg::Load(const CDescPerc& calc)
{
    m_percent = calc.m_percent;
    m_sampleSize = calc.m_sampleSize;
    m_level = calc.m_level;
}

void CDescPercDlg::Store(CDescPerc& calc) const
{
    calc.m_percent = m_percent;
    calc.m_sampleSize = m_sampleSize;
    calc.m_level = m_level;
}

bool CDescPercDlg::OnInitDialog()
{
    CCalcDlg::OnInitDialog();
    SetTerm(kIdPercentLabel, kTermProportion, " (%):");
    SetTerm(kIdSampleSizeLabel, kTermSampleSize);
    return true;
}

void CDescPercDlg::DoDataExchange(CDataExchange& dx)
{
    const CFieldTable& fields = DescPercFields();
    ExchangeField(dx, FieldOf(fields, "percentage"), m_percent);
    ExchangeField(dx, FieldOf(fields, "n"), m_sampleSize);
    DDX_Radio(dx, kIdLevel95, m_level);
    ExchangeTitle(dx);
}
