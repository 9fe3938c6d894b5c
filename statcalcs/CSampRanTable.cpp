// CSampRanTable: a table of random digits (type "4340"): its stored inputs, the digits four
// numbers to a line, and the input dialog (template 158).
#include "CSampRanTable.h"

#include "CArchive.h"
#include "CCalcDlg.h"
#include "CPleaseWaitDlg.h"
#include "RandomDraw.h"

IMPLEMENT_SERIAL(CSampRanTable, CCalcBase, 0)

namespace
{
// Most digits one number of the table has.
constexpr uint32_t kMaxDigits = 16;
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

bool CSampRanTable::Do()
{
    if (!RunInputDialog<CSampRanTableDlg>(*this) || !CanDraw())
        return false;
    CWaitCursor wait;
    CRandom generator = StartGenerator(m_seed);

    InsertHeading();
    {
        CPleaseWaitDlg progress(static_cast<int>(m_number));
        for (uint32_t i = 0; i < m_number; ++i) {
            // Each digit drawn on its own, so leading zeros stay; four numbers to a line.
            std::string number;
            for (uint32_t d = 0; d < m_digits; ++d)
                number += static_cast<char>('0' + DrawDigit(generator.Rand()));
            number += (i + 1) % 4 == 0 ? '\n' : '\t';
            InsertPhrase(number, kPhrasePlain);
            progress.SetPos(static_cast<int>(i));
        }
    }
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
    // The number-of-digits label has no vocabulary key: its resource text stands.
    SetTerm(kIdRanNumberLabel, "76");
    return true;
}

void CSampRanTableDlg::DoDataExchange(CDataExchange& dx)
{
    DDX_Text(dx, kIdRanNumber, m_number);
    DDX_Text(dx, kIdRanDigits, m_digits);
    DDV_MinMaxUInt(dx, m_digits, 1, kMaxDigits);
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
