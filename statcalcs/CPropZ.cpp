// CPropZ: the one- and two-tailed probabilities of a normal deviate (type "5300"): its report
// and its input dialog (template 159).
#include "CPropZ.h"

#include "CArchive.h"
#include "CCalcDlg.h"
#include "Distributions.h"
#include "FieldTable.h"
#include "Terms.h"

IMPLEMENT_SERIAL(CPropZ, CCalcBase, 0)

void CPropZ::Serialize(CArchive& ar)
{
    CCalcBase::Serialize(ar);
    if (ar.IsStoring()) {
        ar << m_z;
    } else {
        ar >> m_z;
    }
}

namespace
{
enum : int
{
    kIdZ = 1079,
    kIdZLabel = 1148,
};

/// The title and the normal deviate.
const CFieldTable& PropZFields()
{
    static const CFieldTable table{{
                                       TitleField(),
                                       NumberField("z", kIdZ, kTermZStatistic, 0, 1000000),
                                   },
                                   {}};
    return table;
}

class CPropZDlg : public CCalcDlg
{
public:
    CPropZDlg();
    void Load(const CPropZ& calc);
    void Store(CPropZ& calc) const;

protected:
    bool OnInitDialog() override;
    void DoDataExchange(CDataExchange& dx) override;

private:
    double m_z = 0.0;
};

const CDialogTemplate& PropZTemplate()
{
    static const CDialogTemplate dialogTemplate{
        159,
        "Other - Probability - Z",
        {
            StaticCtl(kIdTitleLabel, "Title:", 0, 0),
            EditCtl(kIdTitle, 0, 1).MaxChars(kMaxTitleChars),
            StaticCtl(kIdZLabel, "Z:", 1, 0),
            EditCtl(kIdZ, 1, 1).RightAlign(),
            DefButtonCtl(IDOK, "OK", 2, 0),
            ButtonCtl(IDCANCEL, "Cancel", 2, 1),
        },
    };
    return dialogTemplate;
}

CPropZDlg::CPropZDlg() : CCalcDlg(PropZTemplate())
{}

void CPropZDlg::Load(const CPropZ& calc)
{
    m_z = calc.m_z;
}

void CPropZDlg::Store(CPropZ& calc) const
{
    calc.m_z = m_z;
}

bool CPropZDlg::OnInitDialog()
{
    CCalcDlg::OnInitDialog();
    SetTerm(kIdZLabel, kTermZStatistic);
    return true;
}

void CPropZDlg::DoDataExchange(CDataExchange& dx)
{
    ExchangeTitle(dx);
    ExchangeField(dx, FieldOf(PropZFields(), "z"), m_z);
}
} // namespace

const CFieldTable* CPropZ::Fields() const
{
    return &PropZFields();
}

CInputs CPropZ::Inputs() const
{
    return CInputList().Text("title", GetTitle()).Number("z", m_z).Take();
}

CResults CPropZ::Results() const
{
    const double p = NormalProb(m_z);
    CResults results;
    results.push_back(StatisticResult("z", kTermZStatistic, m_z, kNoValue, 2));
    results.push_back(ProbabilityResult("p_z_one_sided", TermKeys({kTermOneTailed, kTermPValue}), m_z, p, kNoValue, 6));
    results.push_back(
        ProbabilityResult("p_z_two_sided", TermKeys({kTermTwoTailed, kTermPValue}), m_z, 2 * p, kNoValue, 6));
    return results;
}

bool CPropZ::Do()
{
    if (!RunInputDialog<CPropZDlg>(*this))
        return false;
    CWaitCursor wait;
    const CResults results = Results();

    InsertHeading();
    for (const char* key : {"z", "p_z_one_sided", "p_z_two_sided"})
        InsertResult(results, key);
    return true;
}
