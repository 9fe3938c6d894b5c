// CDescNum: a proportion given as a count and a sample size (type "1120"): its stored inputs,
// the Fleiss interval and report, and the input dialog (template 132).
#include "CDescNum.h"

#include "CArchive.h"
#include "CCalcDlg.h"
#include "FieldTable.h"
#include "NumberParse.h"
#include "Profile.h"
#include "StoredInputs.h"
#include "TableTests.h"
#include "Terms.h"

IMPLEMENT_SERIAL(CDescNum, CCalcBase, 0)

namespace
{
enum : int
{
    kIdCount = 1025,
    kIdSampleSize = 1024,
    kIdCountLabel = 1119,
    kIdSampleSizeLabel = 1111,
};

/// The count, the sample size, the level and the title.
const CFieldTable& DescNumFields()
{
    static const CFieldTable table{{
                                       CountField("count", kIdCount, kTermCount, 0, 1000000),
                                       CountField("n", kIdSampleSize, kTermSampleSize, 1, 1000000),
                                       LevelField(),
                                       TitleField(),
                                   },
                                   {}};
    return table;
}
} // namespace

void CDescNum::Serialize(CArchive& ar)
{
    CCalcBase::Serialize(ar);
    if (ar.IsStoring()) {
        ar << m_level << m_count << m_sampleSize;
    } else {
        m_level = ReadLevel(ar);
        ar >> m_count >> m_sampleSize;
    }
}

/// Input dialog: count, sample size, confidence level and title; refuses a count above the
/// sample size before any other check.
class CDescNumDlg : public CCalcDlg
{
public:
    CDescNumDlg();
    void Load(const CDescNum& calc);
    void Store(CDescNum& calc) const;

protected:
    bool OnInitDialog() override;
    void DoDataExchange(CDataExchange& dx) override;
    void OnOK() override;

private:
    uint32_t m_count = 0;
    uint32_t m_sampleSize = 0;
    int m_level = 0;
};

const CFieldTable* CDescNum::Fields() const
{
    return &DescNumFields();
}

CInputs CDescNum::Inputs() const
{
    return CInputList()
        .Number("count", m_count)
        .Number("n", m_sampleSize)
        .Text("level", m_level == 0 ? "95" : "99")
        .Text("title", GetTitle())
        .Take();
}

CResults CDescNum::Results() const
{
    // Fleiss' interval of a single proportion; the quotient is formed in double.
    const double z = m_level == 0 ? 1.96 : 2.58;
    const double p = static_cast<double>(m_count) / static_cast<double>(m_sampleSize);
    double lower = 0.0;
    double upper = 0.0;
    FleissCISingProp(p, m_sampleSize, z, lower, upper);
    CResults results;
    results.push_back(EstimateResult("count", kTermCount, m_count, 0));
    results.push_back(EstimateResult("sample_size", kTermSampleSize, m_sampleSize, 0));
    results.push_back(IntervalResult("percentage", kTermProportion, 100 * p, 100 * lower, 100 * upper,
                                     kLevels[m_level == 0 ? 0 : 1], 2));
    return results;
}

bool CDescNum::Do()
{
    if (!RunInputDialog<CDescNumDlg>(*this))
        return false;
    CWaitCursor wait;
    const CResults results = Results();
    // The count and the sample size keep their seven-wide column.
    const auto insertWhole = [&](const char* key) {
        const CResult& result = *FindResult(results, key);
        InsertResult(ResultLabel(result), Integer(static_cast<int>(static_cast<uint32_t>(result.estimate))), "");
    };

    InsertHeading();
    insertWhole("count");
    insertWhole("sample_size");
    InsertResult(results, "percentage", LabelCI(kLevels[m_level]));
    return true;
}

static const CDialogTemplate& DescNumTemplate()
{
    static const CDialogTemplate dialogTemplate{
        132,
        "Describe - Proportion - Numerator/Denominator",
        {
            StaticCtl(kIdCountLabel, "Count:", 0, 0),
            NumberEditCtl(kIdCount, 0, 1).RightAlign(),
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

CDescNumDlg::CDescNumDlg() : CCalcDlg(DescNumTemplate())
{}

void CDescNumDlg::Load(const CDescNum& calc)
{
    m_count = calc.m_count;
    m_sampleSize = calc.m_sampleSize;
    m_level = calc.m_level;
}

void CDescNumDlg::Store(CDescNum& calc) const
{
    calc.m_count = m_count;
    calc.m_sampleSize = m_sampleSize;
    calc.m_level = m_level;
}

bool CDescNumDlg::OnInitDialog()
{
    CCalcDlg::OnInitDialog();
    SetTerm(kIdCountLabel, kTermCount);
    SetTerm(kIdSampleSizeLabel, kTermSampleSize);
    return true;
}

void CDescNumDlg::DoDataExchange(CDataExchange& dx)
{
    const CFieldTable& fields = DescNumFields();
    ExchangeField(dx, FieldOf(fields, "count"), m_count);
    ExchangeField(dx, FieldOf(fields, "n"), m_sampleSize);
    DDX_Radio(dx, kIdLevel95, m_level);
    ExchangeTitle(dx);
}

void CDescNumDlg::OnOK()
{
    // Compared on the field texts before the exchange, so that this message comes first. A
    // text that is no count (empty, negative, too large) is left to the exchange's prompt.
    const std::optional<int32_t> count = ParseGridCell(GetDlgItemText(kIdCount));
    const std::optional<int32_t> sampleSize = ParseGridCell(GetDlgItemText(kIdSampleSize));
    if (count && sampleSize && *count > *sampleSize) {
        AfxMessageBox(GetProfileString("Screen", "SAMPLE_BELOW_COUNT",
                                       "Please ensure that sample size is greater than or equal to count"));
        GotoDlgCtrl(kIdCount);
        return;
    }
    CCalcDlg::OnOK();
}
