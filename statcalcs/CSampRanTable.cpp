// CSampRanTable: a table of random digits (type "4340"): its stored inputs, the digits four
// numbers to a line, and the input dialog (template 158).
#include "CSampRanTable.h"

#include "CArchive.h"
#include "CCalcDlg.h"
#include "CPleaseWaitDlg.h"
#include "FieldTable.h"
#include "RandomDraw.h"
#include "Terms.h"

#include <string>
#include <vector>

IMPLEMENT_SERIAL(CSampRanTable, CCalcBase, 0)

namespace
{
// Most digits one number of the table has.
constexpr uint32_t kMaxDigits = 16;

/// Number required, number of digits (1 to 16) and the title, as the dialog lays them out.
const CFieldTable& SampRanTableFields()
{
    static const CFieldTable table = [] {
        return CFieldTable{{
                               CountField("count", kIdRanNumber, kTermNumberRequired, 0, UINT32_MAX),
                               CountField("digits", kIdRanDigits, kTermNumberOfDigits, 1, kMaxDigits),
                               TitleField(),
                           },
                           {}};
    }();
    return table;
}

/// The numbers of the table as their digits, `number` numbers of `digits` digits each drawn on
/// its own from `seed`, so that leading zeros stay.
std::vector<std::string> DrawTable(uint32_t seed, uint32_t digits, uint32_t number)
{
    CRandom generator = StartGenerator(seed);
    std::vector<std::string> numbers;
    numbers.reserve(number);
    CPleaseWaitDlg progress(static_cast<int>(number));
    for (uint32_t i = 0; i < number; ++i) {
        std::string text;
        for (uint32_t d = 0; d < digits; ++d)
            text += static_cast<char>('0' + DrawDigit(generator.Rand()));
        numbers.push_back(std::move(text));
        progress.SetPos(static_cast<int>(i));
    }
    return numbers;
}
} // namespace

void CSampRanTable::Serialize(CArchive& ar)
{
    CCalcBase::Serialize(ar);
    // The stored order is the document format's, not the order of the fields.
    if (ar.IsStoring()) {
        ar << m_digits << m_number << m_seed;
    } else {
        ar >> m_digits >> m_number >> m_seed;
    }
}

/// Input dialog: number required, number of digits (1 to 16), and the title.
class CSampRanTableDlg : public CCalcDlg
{
public:
    CSampRanTableDlg();
    void Load(const CSampRanTable& calc);
    void Store(CSampRanTable& calc) const;

protected:
    bool OnInitDialog() override;
    void DoDataExchange(CDataExchange& dx) override;
    void OnOK() override;

private:
    uint32_t m_number = 0;
    uint32_t m_digits = 0;
};

bool CSampRanTable::CanDraw() const
{
    return m_digits >= 1 && m_digits <= kMaxDigits && static_cast<uint64_t>(m_digits) * m_number <= kMaxDraws;
}

const CFieldTable* CSampRanTable::Fields() const
{
    return &SampRanTableFields();
}

CInputs CSampRanTable::Inputs() const
{
    return CInputList()
        .Number("count", m_number)
        .Number("digits", m_digits)
        .Text("title", GetTitle())
        .Number("seed", m_seed)
        .Take();
}

CResults CSampRanTable::Results() const
{
    if (m_seed == 0 || !CanDraw())
        return {};
    // Each number as the value of its digits; from 16 digits on, a value above 2^53 is the
    // nearest double, so the report prints the digits themselves.
    CResults results;
    const std::vector<std::string> numbers = DrawTable(m_seed, m_digits, m_number);
    results.reserve(numbers.size());
    for (size_t i = 0; i < numbers.size(); ++i)
        results.push_back(EstimateResult("number[" + std::to_string(i + 1) + "]", "", std::stod(numbers[i]), 0));
    return results;
}

bool CSampRanTable::Do()
{
    if (!RunInputDialog<CSampRanTableDlg>(*this) || !CanDraw())
        return false;
    CWaitCursor wait;
    FixSeed(m_seed);
    const std::vector<std::string> numbers = DrawTable(m_seed, m_digits, m_number);

    InsertHeading();
    // Four numbers to a line.
    for (size_t i = 0; i < numbers.size(); ++i)
        InsertPhrase(numbers[i] + ((i + 1) % 4 == 0 ? '\n' : '\t'), kPhrasePlain);
    InsertPhrase("\n", kPhrasePlain);
    return true;
}

static const CDialogTemplate& SampRanTableTemplate()
{
    static const CDialogTemplate dialogTemplate{
        158,
        "Sample - Random Numbers - Groups",
        {
            StaticCtl(kIdRanNumberLabel, "Number required:", 0, 0),
            NumberEditCtl(kIdRanNumber, 0, 1).RightAlign(),
            StaticCtl(kIdRanDigitsLabel, "Number of digits:", 1, 0),
            NumberEditCtl(kIdRanDigits, 1, 1).RightAlign(),
            StaticCtl(kIdTitleLabel, "Title:", 2, 0),
            EditCtl(kIdTitle, 2, 1).MaxChars(kMaxTitleChars),
            DefButtonCtl(IDOK, "OK", 3, 0),
            ButtonCtl(IDCANCEL, "Cancel", 3, 1),
        },
    };
    return dialogTemplate;
}

CSampRanTableDlg::CSampRanTableDlg() : CCalcDlg(SampRanTableTemplate())
{}

void CSampRanTableDlg::Load(const CSampRanTable& calc)
{
    m_number = calc.m_number;
    m_digits = calc.m_digits;
}

void CSampRanTableDlg::Store(CSampRanTable& calc) const
{
    calc.m_number = m_number;
    calc.m_digits = m_digits;
}

bool CSampRanTableDlg::OnInitDialog()
{
    CCalcDlg::OnInitDialog();
    SetTerm(kIdRanNumberLabel, kTermNumberRequired);
    SetTerm(kIdRanDigitsLabel, kTermNumberOfDigits);
    return true;
}

void CSampRanTableDlg::DoDataExchange(CDataExchange& dx)
{
    const CFieldTable& fields = SampRanTableFields();
    ExchangeField(dx, FieldOf(fields, "count"), m_number);
    ExchangeField(dx, FieldOf(fields, "digits"), m_digits);
    ExchangeTitle(dx);
}

void CSampRanTableDlg::OnOK()
{
    if (!UpdateData(true))
        return;
    if (!CheckDrawLimit(*this, static_cast<uint64_t>(m_digits) * m_number, "digits", kIdRanNumber))
        return;
    EndDialog(IDOK);
}
