// CSampRanList: a list of random whole numbers in a range (type "4310"): its stored inputs, the
// draw with or without repeats, the report, and the input dialog (template 155).
#include "CSampRanList.h"

#include "CArchive.h"
#include "CCalcDlg.h"
#include "FieldTable.h"
#include "RandomDraw.h"
#include "Terms.h"

#include <algorithm>

IMPLEMENT_SERIAL(CSampRanList, CCalcBase, 0)

// m_sorted is not part of the stored form: a loaded calculation has it at its default.
void CSampRanList::Serialize(CArchive& ar)
{
    CCalcBase::Serialize(ar);
    // The stored order is the document format's, not the order of the fields.
    if (ar.IsStoring()) {
        ar << m_max << m_min << m_number << m_unique << m_seed;
    } else {
        ar >> m_max >> m_min >> m_number >> m_unique >> m_seed;
    }
}

namespace
{
/// Number required, minimum, maximum, sorted and unique, and the title, as the dialog lays them
/// out. The counts take any 32-bit value; OK then checks the request as a whole.
const CFieldTable& SampRanListFields()
{
    static const CFieldTable table{{
                                       CountField("count", kIdRanNumber, kTermNumberRequired, 0, UINT32_MAX),
                                       CountField("minimum", kIdRanMinimum, kTermMinimum, 0, UINT32_MAX),
                                       CountField("maximum", kIdRanMaximum, kTermMaximum, 0, UINT32_MAX, "100"),
                                       FlagField("sorted", kIdRanSorted, kTermSorted, false),
                                       FlagField("unique", kIdRanUnique, kTermUnique, false),
                                       TitleField(),
                                   },
                                   {}};
    return table;
}
} // namespace

/// Input dialog: number required, minimum, maximum, sorted and unique, and the title.
class CSampRanListDlg : public CCalcDlg
{
public:
    CSampRanListDlg();
    void Load(const CSampRanList& calc);
    void Store(CSampRanList& calc) const;

protected:
    bool OnInitDialog() override;
    void DoDataExchange(CDataExchange& dx) override;
    void OnOK() override;

private:
    uint32_t m_number = 0;
    uint32_t m_min = 0;
    uint32_t m_max = 0;
    int m_sorted = 0;
    int m_unique = 0;
};

bool CSampRanList::CanDraw() const
{
    return FindListRequestFault(m_min, m_max, m_number, m_unique != 0) == ListRequestFault::None;
}

const CFieldTable* CSampRanList::Fields() const
{
    return &SampRanListFields();
}

CInputs CSampRanList::Inputs() const
{
    return CInputList()
        .Number("count", m_number)
        .Number("minimum", m_min)
        .Number("maximum", m_max)
        .Flag("sorted", m_sorted != 0)
        .Flag("unique", m_unique != 0)
        .Text("title", GetTitle())
        .Number("seed", m_seed)
        .Take();
}

CResults CSampRanList::Results() const
{
    if (m_seed == 0 || !CanDraw())
        return {};
    uint32_t seed = m_seed;
    CRandom generator = StartGenerator(seed);
    std::vector<uint32_t> values = DrawValues(generator, m_number, m_min, m_max, m_unique != 0);
    if (m_sorted)
        std::sort(values.begin(), values.end());
    CResults results;
    AppendNumberResults(results, values);
    return results;
}

bool CSampRanList::Do()
{
    if (!RunInputDialog<CSampRanListDlg>(*this) || !CanDraw())
        return false;
    CWaitCursor wait;
    FixSeed(m_seed);
    const CResults results = Results();

    InsertHeading();
    for (const CResult& result : results)
        InsertPhrase(NumberPhrase(static_cast<uint32_t>(result.estimate)), kPhrasePlain);
    InsertPhrase("\n", kPhrasePlain);
    return true;
}

static const CDialogTemplate& SampRanListTemplate()
{
    static const CDialogTemplate dialogTemplate{
        155,
        "Sample - Random Numbers - List",
        {
            StaticCtl(kIdRanNumberLabel, "Number required:", 0, 0),
            NumberEditCtl(kIdRanNumber, 0, 1).RightAlign(),
            StaticCtl(kIdRanMinimumLabel, "Minimum:", 1, 0),
            NumberEditCtl(kIdRanMinimum, 1, 1).RightAlign(),
            StaticCtl(kIdRanMaximumLabel, "Maximum:", 2, 0),
            NumberEditCtl(kIdRanMaximum, 2, 1).RightAlign(),
            CheckCtl(kIdRanSorted, "Sorted", 3, 0),
            CheckCtl(kIdRanUnique, "Unique", 3, 1),
            StaticCtl(kIdTitleLabel, "Title:", 4, 0),
            EditCtl(kIdTitle, 4, 1).MaxChars(kMaxTitleChars),
            DefButtonCtl(IDOK, "OK", 5, 0),
            ButtonCtl(IDCANCEL, "Cancel", 5, 1),
        },
    };
    return dialogTemplate;
}

CSampRanListDlg::CSampRanListDlg() : CCalcDlg(SampRanListTemplate())
{}

void CSampRanListDlg::Load(const CSampRanList& calc)
{
    m_number = calc.m_number;
    m_min = calc.m_min;
    m_max = calc.m_max;
    m_sorted = calc.m_sorted;
    m_unique = calc.m_unique;
}

void CSampRanListDlg::Store(CSampRanList& calc) const
{
    calc.m_number = m_number;
    calc.m_min = m_min;
    calc.m_max = m_max;
    calc.m_sorted = m_sorted;
    calc.m_unique = m_unique;
}

bool CSampRanListDlg::OnInitDialog()
{
    CCalcDlg::OnInitDialog();
    SetTerm(kIdRanNumberLabel, kTermNumberRequired);
    SetTerm(kIdRanMinimumLabel, kTermMinimum);
    SetTerm(kIdRanMaximumLabel, kTermMaximum);
    SetTerm(kIdRanSorted, kTermSorted, "");
    SetTerm(kIdRanUnique, kTermUnique, "");
    return true;
}

void CSampRanListDlg::DoDataExchange(CDataExchange& dx)
{
    const CFieldTable& fields = SampRanListFields();
    ExchangeField(dx, FieldOf(fields, "count"), m_number);
    ExchangeField(dx, FieldOf(fields, "minimum"), m_min);
    ExchangeField(dx, FieldOf(fields, "maximum"), m_max);
    DDX_Check(dx, kIdRanSorted, m_sorted);
    DDX_Check(dx, kIdRanUnique, m_unique);
    ExchangeTitle(dx);
}

void CSampRanListDlg::OnOK()
{
    if (!UpdateData(true))
        return;
    if (!CheckListRequest(*this, m_min, m_max, m_number, m_unique != 0))
        return;
    EndDialog(IDOK);
}
