// CSampRanGrpList: one list of random whole numbers per group (type "4330"): its stored inputs,
// one draw dealt to the groups in turn, the report, and the input dialog (template 157).
#include "CSampRanGrpList.h"

#include "CArchive.h"
#include "CCalcDlg.h"
#include "FieldTable.h"
#include "Format.h"
#include "RandomDraw.h"
#include "Terms.h"

#include <algorithm>

IMPLEMENT_SERIAL(CSampRanGrpList, CCalcBase, 0)

// m_sorted is not part of the stored form: a loaded calculation has it at its default.
void CSampRanGrpList::Serialize(CArchive& ar)
{
    CCalcBase::Serialize(ar);
    // The stored order is the document format's, not the order of the fields.
    if (ar.IsStoring()) {
        ar << m_max << m_min << m_groups << m_number << m_unique << m_seed;
    } else {
        ar >> m_max >> m_min >> m_groups >> m_number >> m_unique >> m_seed;
    }
}

namespace
{
/// Number required per group, number of groups, minimum, maximum, sorted and unique, and the
/// title, as the dialog lays them out. No groups would leave the number per group unchecked by
/// the total (0 x anything is 0); OK checks the request as a whole.
const CFieldTable& SampRanGrpListFields()
{
    static const CFieldTable table{{
                                       CountField("count", kIdRanNumber, kTermNumberRequired, 0, UINT32_MAX),
                                       CountField("groups", kIdRanGroups, kTermNumberOfGroups, 1, UINT32_MAX),
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

/// Input dialog: number required per group, number of groups, minimum, maximum, sorted and
/// unique, and the title.
class CSampRanGrpListDlg : public CCalcDlg
{
public:
    CSampRanGrpListDlg();
    void Load(const CSampRanGrpList& calc);
    void Store(CSampRanGrpList& calc) const;

protected:
    bool OnInitDialog() override;
    void DoDataExchange(CDataExchange& dx) override;
    void OnOK() override;

private:
    uint32_t m_number = 0;
    uint32_t m_groups = 0;
    uint32_t m_min = 0;
    uint32_t m_max = 0;
    int m_sorted = 0;
    int m_unique = 0;
};

bool CSampRanGrpList::CanDraw() const
{
    // The number on its own too: a group is only as long as the numbers drawn for it.
    const uint64_t total = static_cast<uint64_t>(m_groups) * m_number;
    return m_groups >= 1 && m_groups <= kMaxDraws && m_number <= kMaxDraws &&
           FindListRequestFault(m_min, m_max, total, m_unique != 0) == ListRequestFault::None;
}

const CFieldTable* CSampRanGrpList::Fields() const
{
    return &SampRanGrpListFields();
}

CInputs CSampRanGrpList::Inputs() const
{
    return CInputList()
        .Number("count", m_number)
        .Number("groups", m_groups)
        .Number("minimum", m_min)
        .Number("maximum", m_max)
        .Flag("sorted", m_sorted != 0)
        .Flag("unique", m_unique != 0)
        .Text("title", GetTitle())
        .Number("seed", m_seed)
        .Take();
}

CResults CSampRanGrpList::Results() const
{
    if (m_seed == 0 || !CanDraw())
        return {};
    uint32_t seed = m_seed;
    CRandom generator = StartGenerator(seed);
    // Within kMaxDraws (CanDraw): the total does not wrap around in 32 bits.
    const uint64_t total = static_cast<uint64_t>(m_groups) * m_number;
    const std::vector<uint32_t> values =
        DrawValues(generator, static_cast<uint32_t>(total), m_min, m_max, m_unique != 0);
    CResults results;
    results.reserve(values.size());
    std::vector<uint32_t> group;
    group.reserve(m_number);
    for (uint32_t k = 0; k < m_groups; ++k) {
        // Dealt in turn: group k has the draws k, k + g, k + 2g, ...
        group.clear();
        for (size_t j = k; j < values.size(); j += m_groups)
            group.push_back(values[j]);
        if (m_sorted)
            std::sort(group.begin(), group.end());
        AppendNumberResults(results, group, "group[" + std::to_string(k + 1) + "].");
    }
    return results;
}

bool CSampRanGrpList::Do()
{
    if (!RunInputDialog<CSampRanGrpListDlg>(*this) || !CanDraw())
        return false;
    CWaitCursor wait;
    FixSeed(m_seed);
    const CResults results = Results();

    // The heading's title without its empty line: each group begins with line feeds of its own.
    InsertPhrase(GetTypeTitle() + "\n", kPhraseBold);
    InsertPhrase(GetTitle(), kPhraseItalic);
    // Every group has m_number results, in group order.
    for (uint32_t k = 0; k < m_groups; ++k) {
        InsertPhrase("\n\n" + Term(kTermGroup) + Format(" %u\n", k + 1), kPhraseUnderline);
        for (size_t j = static_cast<size_t>(k) * m_number; j < (static_cast<size_t>(k) + 1) * m_number; ++j)
            InsertPhrase(NumberPhrase(static_cast<uint32_t>(results[j].estimate)), kPhrasePlain);
    }
    InsertPhrase("\n", kPhrasePlain);
    return true;
}

static const CDialogTemplate& SampRanGrpListTemplate()
{
    static const CDialogTemplate dialogTemplate{
        157,
        "Sample - Random Numbers - Grouped list",
        {
            StaticCtl(kIdRanNumberLabel, "Number required:", 0, 0),
            NumberEditCtl(kIdRanNumber, 0, 1).RightAlign(),
            StaticCtl(kIdRanGroupsLabel, "Number of groups:", 1, 0),
            NumberEditCtl(kIdRanGroups, 1, 1).RightAlign(),
            StaticCtl(kIdRanMinimumLabel, "Minimum:", 2, 0),
            NumberEditCtl(kIdRanMinimum, 2, 1).RightAlign(),
            StaticCtl(kIdRanMaximumLabel, "Maximum:", 3, 0),
            NumberEditCtl(kIdRanMaximum, 3, 1).RightAlign(),
            CheckCtl(kIdRanSorted, "Sorted", 4, 0),
            CheckCtl(kIdRanUnique, "Unique", 4, 1),
            StaticCtl(kIdTitleLabel, "Title:", 5, 0),
            EditCtl(kIdTitle, 5, 1).MaxChars(kMaxTitleChars),
            DefButtonCtl(IDOK, "OK", 6, 0),
            ButtonCtl(IDCANCEL, "Cancel", 6, 1),
        },
    };
    return dialogTemplate;
}

CSampRanGrpListDlg::CSampRanGrpListDlg() : CCalcDlg(SampRanGrpListTemplate())
{}

void CSampRanGrpListDlg::Load(const CSampRanGrpList& calc)
{
    m_number = calc.m_number;
    m_groups = calc.m_groups;
    m_min = calc.m_min;
    m_max = calc.m_max;
    m_sorted = calc.m_sorted;
    m_unique = calc.m_unique;
}

void CSampRanGrpListDlg::Store(CSampRanGrpList& calc) const
{
    calc.m_number = m_number;
    calc.m_groups = m_groups;
    calc.m_min = m_min;
    calc.m_max = m_max;
    calc.m_sorted = m_sorted;
    calc.m_unique = m_unique;
}

bool CSampRanGrpListDlg::OnInitDialog()
{
    CCalcDlg::OnInitDialog();
    SetTerm(kIdRanNumberLabel, kTermNumberRequired);
    SetTerm(kIdRanGroupsLabel, kTermNumberOfGroups);
    SetTerm(kIdRanMinimumLabel, kTermMinimum);
    SetTerm(kIdRanMaximumLabel, kTermMaximum);
    SetTerm(kIdRanSorted, kTermSorted, "");
    SetTerm(kIdRanUnique, kTermUnique, "");
    return true;
}

void CSampRanGrpListDlg::DoDataExchange(CDataExchange& dx)
{
    const CFieldTable& fields = SampRanGrpListFields();
    ExchangeField(dx, FieldOf(fields, "count"), m_number);
    ExchangeField(dx, FieldOf(fields, "groups"), m_groups);
    ExchangeField(dx, FieldOf(fields, "minimum"), m_min);
    ExchangeField(dx, FieldOf(fields, "maximum"), m_max);
    DDX_Check(dx, kIdRanSorted, m_sorted);
    DDX_Check(dx, kIdRanUnique, m_unique);
    ExchangeTitle(dx);
}

void CSampRanGrpListDlg::OnOK()
{
    if (!UpdateData(true))
        return;
    // Formed in 64 bits: 65,536 groups of 65,537 would wrap around to 65,536 in 32. With at
    // least one group, a number per group within the limit follows from the total.
    const uint64_t total = static_cast<uint64_t>(m_groups) * m_number;
    if (!CheckListRequest(*this, m_min, m_max, total, m_unique != 0))
        return;
    // Every group prints its heading, even an empty one.
    if (!CheckDrawLimit(*this, m_groups, "groups", kIdRanGroups))
        return;
    EndDialog(IDOK);
}
