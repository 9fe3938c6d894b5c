// CSampRanGroup: a random group number for each subject (type "4320"): its stored inputs, the
// allocation, the report, and the input dialog (template 156).
#include "CSampRanGroup.h"

#include "CArchive.h"
#include "CCalcDlg.h"
#include "CPleaseWaitDlg.h"
#include "FieldTable.h"
#include "RandomDraw.h"
#include "Terms.h"

#include <cstdint>

IMPLEMENT_SERIAL(CSampRanGroup, CCalcBase, 0)

void CSampRanGroup::Serialize(CArchive& ar)
{
    CCalcBase::Serialize(ar);
    // The stored order is the document format's, not the order of the fields.
    if (ar.IsStoring()) {
        ar << m_groups << m_number << m_seed;
    } else {
        ar >> m_groups >> m_number >> m_seed;
    }
}

namespace
{
/// Number required, number of groups and the title, as the dialog lays them out. No groups would
/// make the range [1, 0], which wraps around in 32 bits.
const CFieldTable& SampRanGroupFields()
{
    static const CFieldTable table{{
                                       CountField("count", kIdRanNumber, kTermNumberRequired, 0, UINT32_MAX),
                                       CountField("groups", kIdRanGroups, kTermNumberOfGroups, 1, UINT32_MAX),
                                       TitleField(),
                                   },
                                   {}};
    return table;
}
} // namespace

/// Input dialog: number required, number of groups (at least 1), and the title.
class CSampRanGroupDlg : public CCalcDlg
{
public:
    CSampRanGroupDlg();
    void Load(const CSampRanGroup& calc);
    void Store(CSampRanGroup& calc) const;

protected:
    bool OnInitDialog() override;
    void DoDataExchange(CDataExchange& dx) override;
    void OnOK() override;

private:
    uint32_t m_number = 0;
    uint32_t m_groups = 0;
};

bool CSampRanGroup::CanDraw() const
{
    return m_groups >= 1 && m_number <= kMaxDraws;
}

const CFieldTable* CSampRanGroup::Fields() const
{
    return &SampRanGroupFields();
}

CInputs CSampRanGroup::Inputs() const
{
    return CInputList()
        .Number("count", m_number)
        .Number("groups", m_groups)
        .Text("title", GetTitle())
        .Number("seed", m_seed)
        .Take();
}

CResults CSampRanGroup::Results() const
{
    if (m_seed == 0 || !CanDraw())
        return {};
    uint32_t seed = m_seed;
    CRandom generator = StartGenerator(seed);
    std::vector<uint32_t> values;
    values.reserve(m_number);
    {
        CPleaseWaitDlg progress(static_cast<int>(m_number));
        for (uint32_t i = 0; i < m_number; ++i) {
            values.push_back(DrawInRange(generator.Rand(), 1, m_groups));
            progress.SetPos(static_cast<int>(i));
        }
    }
    CResults results;
    AppendNumberResults(results, values);
    return results;
}

bool CSampRanGroup::Do()
{
    if (!RunInputDialog<CSampRanGroupDlg>(*this) || !CanDraw())
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

static const CDialogTemplate& SampRanGroupTemplate()
{
    static const CDialogTemplate dialogTemplate{
        156,
        "Sample - Random Numbers - Groups",
        {
            StaticCtl(kIdRanNumberLabel, "Number required:", 0, 0),
            NumberEditCtl(kIdRanNumber, 0, 1).RightAlign(),
            StaticCtl(kIdRanGroupsLabel, "Number of groups:", 1, 0),
            NumberEditCtl(kIdRanGroups, 1, 1).RightAlign(),
            StaticCtl(kIdTitleLabel, "Title:", 2, 0),
            EditCtl(kIdTitle, 2, 1).MaxChars(kMaxTitleChars),
            DefButtonCtl(IDOK, "OK", 3, 0),
            ButtonCtl(IDCANCEL, "Cancel", 3, 1),
        },
    };
    return dialogTemplate;
}

CSampRanGroupDlg::CSampRanGroupDlg() : CCalcDlg(SampRanGroupTemplate())
{}

void CSampRanGroupDlg::Load(const CSampRanGroup& calc)
{
    m_number = calc.m_number;
    m_groups = calc.m_groups;
}

void CSampRanGroupDlg::Store(CSampRanGroup& calc) const
{
    calc.m_number = m_number;
    calc.m_groups = m_groups;
}

bool CSampRanGroupDlg::OnInitDialog()
{
    CCalcDlg::OnInitDialog();
    SetTerm(kIdRanNumberLabel, kTermNumberRequired);
    SetTerm(kIdRanGroupsLabel, kTermNumberOfGroups);
    return true;
}

void CSampRanGroupDlg::DoDataExchange(CDataExchange& dx)
{
    const CFieldTable& fields = SampRanGroupFields();
    ExchangeField(dx, FieldOf(fields, "count"), m_number);
    ExchangeField(dx, FieldOf(fields, "groups"), m_groups);
    ExchangeTitle(dx);
}

void CSampRanGroupDlg::OnOK()
{
    if (!UpdateData(true))
        return;
    if (!CheckDrawLimit(*this, m_number, "numbers", kIdRanNumber))
        return;
    EndDialog(IDOK);
}
