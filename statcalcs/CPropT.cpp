// CPropT: the one- and two-tailed probabilities of a Student's t value (type "5200"): its report
// and its input dialog (template 137).
#include "CPropT.h"

#include "CArchive.h"
#include "CCalcDlg.h"
#include "Distributions.h"
#include "FieldTable.h"
#include "Terms.h"

IMPLEMENT_SERIAL(CPropT, CCalcBase, 0)

void CPropT::Serialize(CArchive& ar)
{
    CCalcBase::Serialize(ar);
    // The stored order is the document format's, not the order of the fields.
    if (ar.IsStoring()) {
        ar << m_df << m_t;
    } else {
        ar >> m_df >> m_t;
    }
}

namespace
{
enum : int
{
    kIdDf = 1025,
    kIdT = 1030,
    kIdDfLabel = 1139,
    kIdTLabel = 1140,
};

/// The title, the t value and its degrees of freedom.
const CFieldTable& PropTFields()
{
    static const CFieldTable table{{
                                       TitleField(),
                                       NumberField("t", kIdT, kTermStudentsT, 0, 1000000),
                                       CountField("df", kIdDf, kTermDegreesOfFreedom, 1, 250),
                                   },
                                   {}};
    return table;
}

class CPropTDlg : public CCalcDlg
{
public:
    CPropTDlg();
    void Load(const CPropT& calc);
    void Store(CPropT& calc) const;

protected:
    bool OnInitDialog() override;
    void DoDataExchange(CDataExchange& dx) override;

private:
    double m_t = 0.0;
    uint32_t m_df = 0;
};

const CDialogTemplate& PropTTemplate()
{
    static const CDialogTemplate dialogTemplate{
        137,
        "Other - Probability - Student's t",
        {
            StaticCtl(kIdTitleLabel, "Title:", 0, 0),
            EditCtl(kIdTitle, 0, 1).MaxChars(kMaxTitleChars),
            StaticCtl(kIdTLabel, "Student's t:", 1, 0),
            EditCtl(kIdT, 1, 1).RightAlign(),
            StaticCtl(kIdDfLabel, "Degrees of freedom:", 2, 0),
            NumberEditCtl(kIdDf, 2, 1).RightAlign(),
            DefButtonCtl(IDOK, "OK", 3, 0),
            ButtonCtl(IDCANCEL, "Cancel", 3, 1),
        },
    };
    return dialogTemplate;
}

CPropTDlg::CPropTDlg() : CCalcDlg(PropTTemplate())
{}

void CPropTDlg::Load(const CPropT& calc)
{
    m_t = calc.m_t;
    m_df = calc.m_df;
}

void CPropTDlg::Store(CPropT& calc) const
{
    calc.m_t = m_t;
    calc.m_df = m_df;
}

bool CPropTDlg::OnInitDialog()
{
    CCalcDlg::OnInitDialog();
    SetTerm(kIdTLabel, kTermStudentsT);
    SetTerm(kIdDfLabel, kTermDegreesOfFreedom);
    return true;
}

void CPropTDlg::DoDataExchange(CDataExchange& dx)
{
    ExchangeTitle(dx);
    const CFieldTable& fields = PropTFields();
    ExchangeField(dx, FieldOf(fields, "t"), m_t);
    ExchangeField(dx, FieldOf(fields, "df"), m_df);
}
} // namespace

const CFieldTable* CPropT::Fields() const
{
    return &PropTFields();
}

CInputs CPropT::Inputs() const
{
    return CInputList().Text("title", GetTitle()).Number("t", m_t).Number("df", m_df).Take();
}

CResults CPropT::Results() const
{
    const int df = static_cast<int>(m_df);
    const double p = TProb(m_t, df);
    CResults results;
    results.push_back(StatisticResult("t", kTermStudentsT, m_t, df, 2));
    results.push_back(EstimateResult("df", kTermDegreesOfFreedom, df, 0));
    results.push_back(ProbabilityResult("p_t_one_sided", TermKeys({kTermOneTailed, kTermPValue}), m_t, p, df, 6));
    results.push_back(ProbabilityResult("p_t_two_sided", TermKeys({kTermTwoTailed, kTermPValue}), m_t, 2 * p, df, 6));
    return results;
}

bool CPropT::Do()
{
    if (!RunInputDialog<CPropTDlg>(*this))
        return false;
    CWaitCursor wait;
    const CResults results = Results();

    InsertHeading();
    InsertResult(results, "t");
    // The degrees of freedom keep their seven-wide column.
    const CResult& df = *FindResult(results, "df");
    InsertResult(ResultLabel(df), Integer(static_cast<int>(df.estimate)), "");
    InsertResult(results, "p_t_one_sided");
    InsertResult(results, "p_t_two_sided");
    return true;
}
