// CCompMeanMDG: whether one sample's mean differs from a given mean (type "2630"): the report of
// the one-sample t test against the reference mean, and its input dialog (template 165).
#include "CCompMeanMDG.h"

#include "CArchive.h"
#include "CCalcDlg.h"
#include "CCompMeanMDZ.h"
#include "FieldTable.h"
#include "StoredInputs.h"
#include "Terms.h"

IMPLEMENT_SERIAL(CCompMeanMDG, CCalcBase, 0)

void CCompMeanMDG::Serialize(CArchive& ar)
{
    CCalcBase::Serialize(ar);
    if (ar.IsStoring()) {
        ar << m_level << m_mean << m_refMean << m_sd << m_size;
    } else {
        m_level = ReadLevel(ar);
        ar >> m_mean >> m_refMean >> m_sd >> m_size;
    }
}

namespace
{
enum : int
{
    kIdSize = 1024,
    kIdMean = 1027,
    kIdSd = 1028,
    kIdRefMean = 1029,
    kIdMeanLabel = 1109,
    kIdSdLabel = 1110,
    kIdSizeLabel = 1111,
    kIdRefMeanLabel = 1112,
};

/// The title, the sample's mean, the reference mean, the sample's SD and size, and the level,
/// as the dialog lays them out.
const CFieldTable& CompMeanMDGFields()
{
    static const CFieldTable table{
        {
            TitleField(),
            NumberField("mean", kIdMean, kTermMean, std::nullopt, std::nullopt),
            NumberField("reference_mean", kIdRefMean, kTermReferenceMean, std::nullopt, std::nullopt),
            NumberField("sd", kIdSd, kTermStandardDeviation, 0, 1000000),
            CountField("n", kIdSize, kTermSampleSize, 1, 1000000),
            LevelField(),
        },
        {}};
    return table;
}

class CCompMeanMDGDlg : public CCalcDlg
{
public:
    CCompMeanMDGDlg();
    void Load(const CCompMeanMDG& calc);
    void Store(CCompMeanMDG& calc) const;

protected:
    bool OnInitDialog() override;
    void DoDataExchange(CDataExchange& dx) override;

private:
    int m_level = 0;
    double m_mean = 0.0;
    double m_refMean = 0.0;
    double m_sd = 0.0;
    uint32_t m_size = 0;
};

const CDialogTemplate& CompMeanMDGTemplate()
{
    static const CDialogTemplate dialogTemplate{
        165,
        "Compare - Means - One-sample (mean different from given)",
        {
            StaticCtl(kIdTitleLabel, "Title:", 0, 0),
            EditCtl(kIdTitle, 0, 1).MaxChars(kMaxTitleChars),
            StaticCtl(kIdMeanLabel, "Sample mean:", 1, 0),
            EditCtl(kIdMean, 1, 1).RightAlign(),
            StaticCtl(kIdRefMeanLabel, "Reference mean:", 2, 0),
            EditCtl(kIdRefMean, 2, 1).RightAlign(),
            StaticCtl(kIdSdLabel, "Sample SD:", 3, 0),
            EditCtl(kIdSd, 3, 1).RightAlign(),
            StaticCtl(kIdSizeLabel, "Sample size:", 4, 0),
            NumberEditCtl(kIdSize, 4, 1).RightAlign(),
            GroupBoxCtl(kIdLevelBox, "Confidence Interval", 5, 0).Span(1, 2),
            RadioCtl(kIdLevel95, "95%", 0, 0).GroupStart().InGroup(kIdLevelBox),
            RadioCtl(kIdLevel99, "99%", 0, 1).InGroup(kIdLevelBox),
            DefButtonCtl(IDOK, "OK", 6, 0),
            ButtonCtl(IDCANCEL, "Cancel", 6, 1),
        },
    };
    return dialogTemplate;
}

CCompMeanMDGDlg::CCompMeanMDGDlg() : CCalcDlg(CompMeanMDGTemplate())
{}

void CCompMeanMDGDlg::Load(const CCompMeanMDG& calc)
{
    m_level = calc.m_level;
    m_mean = calc.m_mean;
    m_refMean = calc.m_refMean;
    m_sd = calc.m_sd;
    m_size = calc.m_size;
}

void CCompMeanMDGDlg::Store(CCompMeanMDG& calc) const
{
    calc.m_level = m_level;
    calc.m_mean = m_mean;
    calc.m_refMean = m_refMean;
    calc.m_sd = m_sd;
    calc.m_size = m_size;
}

bool CCompMeanMDGDlg::OnInitDialog()
{
    CCalcDlg::OnInitDialog();
    SetTerm(kIdMeanLabel, kTermMean);
    SetTerm(kIdRefMeanLabel, kTermReferenceMean);
    SetTerm(kIdSdLabel, kTermStandardDeviation);
    SetTerm(kIdSizeLabel, kTermSampleSize);
    return true;
}

void CCompMeanMDGDlg::DoDataExchange(CDataExchange& dx)
{
    ExchangeTitle(dx);
    const CFieldTable& fields = CompMeanMDGFields();
    ExchangeField(dx, FieldOf(fields, "mean"), m_mean);
    ExchangeField(dx, FieldOf(fields, "reference_mean"), m_refMean);
    ExchangeField(dx, FieldOf(fields, "sd"), m_sd);
    ExchangeField(dx, FieldOf(fields, "n"), m_size);
    DDX_Radio(dx, kIdLevel95, m_level);
}
} // namespace

const CFieldTable* CCompMeanMDG::Fields() const
{
    return &CompMeanMDGFields();
}

CInputs CCompMeanMDG::Inputs() const
{
    return CInputList()
        .Text("title", GetTitle())
        .Number("mean", m_mean)
        .Number("reference_mean", m_refMean)
        .Number("sd", m_sd)
        .Number("n", m_size)
        .Text("level", m_level == 1 ? "99" : "95")
        .Take();
}

CResults CCompMeanMDG::Results() const
{
    // The interval is that of the sample mean, not of its difference from the reference.
    const int levelIndex = m_level == 1 ? 1 : 0;
    return OneSampleResults(m_mean, OneSampleT(m_mean, m_refMean, m_sd, m_size, levelIndex), kLevels[levelIndex]);
}

bool CCompMeanMDG::Do()
{
    if (!RunInputDialog<CCompMeanMDGDlg>(*this))
        return false;
    CWaitCursor wait;
    const CResults results = Results();

    InsertHeading();
    InsertResult(Term(kTermReferenceMean), Floating(m_refMean, 2), "");
    InsertResult(results, "mean", LabelCI(kLevels[m_level]));
    InsertResult(Term(kTermStandardDeviation), Floating(m_sd, 2), "");
    InsertResult(Term(kTermSampleSize), Integer(static_cast<int>(m_size)), "");
    const CResult& t = *FindResult(results, "t");
    InsertResult(t);
    InsertResult(Term(kTermDegreesOfFreedom), Integer(static_cast<int>(t.df)), "");
    InsertResult(results, "p_t_one_sided");
    InsertResult(results, "p_t_two_sided");
    return true;
}
