// CSampSizeCC: the size of a case-control study that detects a given odds ratio (type "4170").
// Its stored inputs, the size and its report, and the input dialog (template 147).
#include "CSampSizeCC.h"

#include "CArchive.h"
#include "CCalcDlg.h"
#include "ElementaryFunctions.h"
#include "Profile.h"
#include "SampleTables.h"
#include "StoredInputs.h"
#include "Terms.h"

#include <cmath>
#include <utility>

IMPLEMENT_SERIAL(CSampSizeCC, CCalcBase, 0)

void CSampSizeCC::Serialize(CArchive& ar)
{
    CCalcBase::Serialize(ar);
    // The stored order is the document format's, not the order of the fields.
    if (ar.IsStoring()) {
        ar << m_significance << m_oddsRatio << m_percentExposed << m_power << m_ratio;
    } else {
        m_significance = ReadChoice(ar, 3);
        ar >> m_oddsRatio >> m_percentExposed;
        m_power = ReadChoice(ar, 3);
        ar >> m_ratio;
    }
}

/// Input dialog: controls per case (with its up-down control), odds ratio, percentage of controls
/// exposed, significance, power and title.
class CSampSizeCCDlg : public CCalcDlg
{
public:
    CSampSizeCCDlg();
    void Load(const CSampSizeCC& calc);
    void Store(CSampSizeCC& calc) const;

protected:
    bool OnInitDialog() override;
    void DoDataExchange(CDataExchange& dx) override;

private:
    uint32_t m_ratio = 1;
    double m_oddsRatio = 0.0;
    double m_percentExposed = 0.0;
    int32_t m_significance = 1;
    int32_t m_power = 0;
};

enum : int
{
    kIdRatio = 1066,
    kIdRatioLabel = 1134,
    kIdOddsRatio = 1067,
    kIdOddsRatioLabel = 1135,
    kIdPercentExposed = 1059,
    kIdPercentExposedLabel = 1136,
    kIdRatioUpDown = 1068,
};

namespace
{
/// Controls per case (1 to 10), the odds ratio to detect, the percentage of controls exposed,
/// the significance, the power and the title, in dialog order.
const CFieldTable& SampSizeCCFields()
{
    static const CFieldTable table{
        {
            CountField("controls_per_case", kIdRatio, kTermControlsPerCase, 1, 10, "1"),
            NumberField("odds_ratio", kIdOddsRatio, kTermOddsRatioToDetect, 0, 1000000),
            NumberField("percentage_exposed", kIdPercentExposed, kTermPercentageOfControlsExposed, 0, 100),
            SignificanceField(),
            PowerField(),
            TitleField(),
        },
        {}};
    return table;
}
} // namespace

static const CDialogTemplate& SampSizeCCTemplate()
{
    static const CDialogTemplate dialogTemplate = [] {
        CDialogTemplate result{147, "Sample - Size - Case-control study", {}};
        result.controls = {
            StaticCtl(kIdRatioLabel, "Ratio cases : controls:", 0, 0),
            NumberEditCtl(kIdRatio, 0, 1).RightAlign(),
            UpDownCtl(kIdRatioUpDown, kIdRatio, 0, 2),
            StaticCtl(kIdOddsRatioLabel, "OR to detect:", 1, 0),
            EditCtl(kIdOddsRatio, 1, 1).RightAlign(),
            StaticCtl(kIdPercentExposedLabel, "Proportion controls exposed (%):", 2, 0),
            EditCtl(kIdPercentExposed, 2, 1).RightAlign(),
        };
        AppendSizeChoices(result.controls, 3, 3);
        result.controls.push_back(StaticCtl(kIdTitleLabel, "Title:", 5, 0));
        result.controls.push_back(EditCtl(kIdTitle, 5, 1).MaxChars(kMaxTitleChars).Span(1, 2));
        result.controls.push_back(DefButtonCtl(IDOK, "OK", 6, 0));
        result.controls.push_back(ButtonCtl(IDCANCEL, "Cancel", 6, 1));
        return result;
    }();
    return dialogTemplate;
}

CSampSizeCCDlg::CSampSizeCCDlg() : CCalcDlg(SampSizeCCTemplate())
{}

void CSampSizeCCDlg::Load(const CSampSizeCC& calc)
{
    m_ratio = calc.m_ratio;
    m_oddsRatio = calc.m_oddsRatio;
    m_percentExposed = calc.m_percentExposed;
    m_significance = calc.m_significance;
    m_power = calc.m_power;
}

void CSampSizeCCDlg::Store(CSampSizeCC& calc) const
{
    calc.m_ratio = m_ratio;
    calc.m_oddsRatio = m_oddsRatio;
    calc.m_percentExposed = m_percentExposed;
    calc.m_significance = m_significance;
    calc.m_power = m_power;
}

bool CSampSizeCCDlg::OnInitDialog()
{
    CCalcDlg::OnInitDialog();
    SetTerm(kIdRatioLabel, kTermControlsPerCase, ":");
    SetTerm(kIdOddsRatioLabel, kTermOddsRatioToDetect, ":");
    SetTerm(kIdPercentExposedLabel, kTermPercentageOfControlsExposed, ":");
    SetSizeChoiceTexts(*this, "");
    SetRange(kIdRatioUpDown, 1, 10);
    return true;
}

void CSampSizeCCDlg::DoDataExchange(CDataExchange& dx)
{
    const CFieldTable& fields = SampSizeCCFields();
    ExchangeField(dx, FieldOf(fields, "controls_per_case"), m_ratio);
    ExchangeField(dx, FieldOf(fields, "odds_ratio"), m_oddsRatio);
    ExchangeField(dx, FieldOf(fields, "percentage_exposed"), m_percentExposed);
    ExchangeSizeChoices(dx, m_significance, m_power);
    ExchangeTitle(dx);
}

const CFieldTable* CSampSizeCC::Fields() const
{
    return &SampSizeCCFields();
}

CInputs CSampSizeCC::Inputs() const
{
    return CInputList()
        .Number("controls_per_case", m_ratio)
        .Number("odds_ratio", m_oddsRatio)
        .Number("percentage_exposed", m_percentExposed)
        .Text("significance", ChoiceValue(SignificanceField(), m_significance))
        .Text("power", ChoiceValue(PowerField(), m_power))
        .Text("title", GetTitle())
        .Take();
}

CResults CSampSizeCC::Results() const
{
    // Fleiss' two-proportion size for the cases' exposure p1 that the odds ratio implies, spread
    // over c controls per case by f = (c + 1) / (2c). An odds ratio of 1, or no or all controls
    // exposed, leaves p1 = p0: the size is then not finite and prints as "****".
    const double c = m_ratio;
    const double f = (c + 1) / (2 * c);
    const double p0 = m_percentExposed / 100;
    const double p1 = p0 * m_oddsRatio / (1 + (m_oddsRatio - 1) * p0);
    const double pm = (p0 + p1) / 2;
    const double n = zmath::Square(kZBeta[m_power] * std::sqrt(p0 * (1 - p0) + p1 * (1 - p1)) +
                                   kZAlpha[m_significance] * std::sqrt(2 * pm * (1 - pm))) /
                     zmath::Square(p1 - p0);
    const std::optional<int32_t> cases = TruncSize(n * f);
    const std::optional<int32_t> controls = TruncSize(c * f * n);
    // Only the cases' line of the report carries the label; the other two carry their word after the size.
    return {SizeResult("sample_size_cases", "55", cases), SizeResult("sample_size_controls", "", controls),
            SizeResult("sample_size_total", "", TotalSize(cases, controls))};
}

bool CSampSizeCC::Do()
{
    if (!RunInputDialog<CSampSizeCCDlg>(*this))
        return false;
    CWaitCursor wait;
    const CResults results = Results();

    InsertHeading();
    InsertResult(Term(kTermControlsPerCase), Integer(static_cast<int>(m_ratio)), "");
    InsertResult(Term(kTermOddsRatioToDetect), Floating(m_oddsRatio, 2), "");
    InsertResult(Term(kTermPercentageOfControlsExposed), Floating(m_percentExposed, 2) + "%", "");
    InsertResult(Term(kTermSignificanceLevel), SignificanceText(m_significance), "");
    InsertResult(Term(kTermPower), PowerText(m_power), "");
    InsertPhrase("\n", kPhrasePlain);
    for (const auto& [key, extra] : {std::pair{"sample_size_cases", "00"}, std::pair{"sample_size_controls", "01"},
                                     std::pair{"sample_size_total", "03"}})
        InsertResult(SizeLabel(results, key), SizeText(results, key), Term(extra));
    return true;
}
