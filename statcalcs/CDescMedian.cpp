// CDescMedian: the rank of the median and of its confidence limits (type "1400"): its stored
// inputs, the ranks and report, and the input dialog (template 135).
#include "CDescMedian.h"

#include "CArchive.h"
#include "CCalcDlg.h"
#include "FieldTable.h"
#include "StoredInputs.h"
#include "Terms.h"

#include <cmath>

IMPLEMENT_SERIAL(CDescMedian, CCalcBase, 0)

namespace
{
enum : int
{
    kIdSampleSize = 1024,
    kIdSampleSizeLabel = 1111,
};

/// The sample size, the level and the title.
const CFieldTable& DescMedianFields()
{
    static const CFieldTable table{{
                                       CountField("n", kIdSampleSize, kTermSampleSize, 1, 1000000),
                                       LevelField(),
                                       TitleField(),
                                   },
                                   {}};
    return table;
}
} // namespace

void CDescMedian::Serialize(CArchive& ar)
{
    CCalcBase::Serialize(ar);
    if (ar.IsStoring()) {
        ar << m_level << m_sampleSize;
    } else {
        m_level = ReadLevel(ar);
        ar >> m_sampleSize;
    }
}

/// Input dialog: sample size, confidence level and title.
class CDescMedianDlg : public CCalcDlg
{
public:
    CDescMedianDlg();
    void Load(const CDescMedian& calc);
    void Store(CDescMedian& calc) const;

protected:
    bool OnInitDialog() override;
    void DoDataExchange(CDataExchange& dx) override;

private:
    uint32_t m_sampleSize = 0;
    int m_level = 0;
};

const CFieldTable* CDescMedian::Fields() const
{
    return &DescMedianFields();
}

CInputs CDescMedian::Inputs() const
{
    return CInputList()
        .Number("n", m_sampleSize)
        .Text("level", m_level == 0 ? "95" : "99")
        .Text("title", GetTitle())
        .Take();
}

CResults CDescMedian::Results() const
{
    // The median's rank (the lower middle one for an even size, by integer division) and the
    // ranks of its limits, m -/+ z * sqrt(n) / 2 from the normal approximation to the binomial.
    const double z = m_level == 0 ? 1.96 : 2.58;
    const uint32_t median = (m_sampleSize + 1) / 2;
    const double half = std::sqrt(static_cast<double>(m_sampleSize)) / 2;
    const double lower = median - z * half;
    const double upper = median + z * half;
    CResults results;
    results.push_back(EstimateResult("sample_size", kTermSampleSize, m_sampleSize, 0));
    results.push_back(
        IntervalResult("median_rank", kTermRankOfTheMedian, median, lower, upper, kLevels[m_level == 0 ? 0 : 1], 0));
    return results;
}

bool CDescMedian::Do()
{
    if (!RunInputDialog<CDescMedianDlg>(*this))
        return false;
    CWaitCursor wait;
    const CResults results = Results();
    // Ranks are whole numbers in a seven-wide column.
    const auto whole = [](const CResult& result) {
        return Integer(static_cast<int>(static_cast<uint32_t>(result.estimate)));
    };
    const CResult& size = *FindResult(results, "sample_size");
    const CResult& median = *FindResult(results, "median_rank");

    InsertHeading();
    InsertResult(ResultLabel(size), whole(size), "");
    InsertResult(ResultLabel(median) + LabelCI(kLevels[m_level]), whole(median), CI(median.lower, median.upper, 0));
    return true;
}

static const CDialogTemplate& DescMedianTemplate()
{
    static const CDialogTemplate dialogTemplate{
        135,
        "Describe - Median",
        {
            StaticCtl(kIdSampleSizeLabel, "Sample size:", 0, 0),
            NumberEditCtl(kIdSampleSize, 0, 1).RightAlign(),
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

CDescMedianDlg::CDescMedianDlg() : CCalcDlg(DescMedianTemplate())
{}

void CDescMedianDlg::Load(const CDescMedian& calc)
{
    m_sampleSize = calc.m_sampleSize;
    m_level = calc.m_level;
}

void CDescMedianDlg::Store(CDescMedian& calc) const
{
    calc.m_sampleSize = m_sampleSize;
    calc.m_level = m_level;
}

bool CDescMedianDlg::OnInitDialog()
{
    CCalcDlg::OnInitDialog();
    SetTerm(kIdSampleSizeLabel, kTermSampleSize);
    return true;
}

void CDescMedianDlg::DoDataExchange(CDataExchange& dx)
{
    ExchangeField(dx, FieldOf(DescMedianFields(), "n"), m_sampleSize);
    DDX_Radio(dx, kIdLevel95, m_level);
    ExchangeTitle(dx);
}
