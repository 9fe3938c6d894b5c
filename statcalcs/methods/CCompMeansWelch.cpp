// CCompMeansWelch: two means with unequal variances (type "2640"): the stored inputs, Welch's
// test and its report, and the input dialog (template 330).
#include "CCompMeansWelch.h"

#include "CArchive.h"
#include "DialogTemplate.h"
#include "Format.h"
#include "Profile.h"
#include "StoredInputs.h"
#include "Terms.h"
#include "Welch.h"

IMPLEMENT_SERIAL(CCompMeansWelch, CMethodCalc, 0)

namespace
{
enum : int
{
    kIdN2 = 1025,
    kIdMean2 = 1060,
    kIdMean1 = 1061,
    kIdSd1 = 1070,
    kIdSd2 = 1071,
    kIdN1 = 1080,
    kIdSample1Box = 1099,
    kIdSample2Box = 1100,
    kIdN1Label = 1103,
    kIdN2Label = 1104,
    kIdMean1Label = 1114,
    kIdMean2Label = 1115,
    kIdSd1Label = 1116,
    kIdSd2Label = 1117,
};

constexpr double kMaxSd = 1e15;
constexpr double kMaxN = 1e9;

/// The title, mean, SD and size of each group, and the level, in dialog order. A mean takes any
/// number; an SD of 0 passes the range and is refused on OK with its own message.
const CFieldTable& WelchFields()
{
    static const CFieldTable table{{
                                       TitleField(),
                                       NumberField("mean1", kIdMean1, kTermMean, std::nullopt, std::nullopt),
                                       NumberField("sd1", kIdSd1, kTermStandardDeviation, 0, kMaxSd, "1"),
                                       CountField("n1", kIdN1, kTermSampleSize, 2, kMaxN, "2"),
                                       NumberField("mean2", kIdMean2, kTermMean, std::nullopt, std::nullopt),
                                       NumberField("sd2", kIdSd2, kTermStandardDeviation, 0, kMaxSd, "1"),
                                       CountField("n2", kIdN2, kTermSampleSize, 2, kMaxN, "2"),
                                       AnyLevelField(),
                                   },
                                   {}};
    return table;
}

const CDialogTemplate& WelchTemplate()
{
    static const CDialogTemplate dialogTemplate = [] {
        CDialogTemplate made{330, "Compare - Means - Two means, unequal variances", {}};
        auto& c = made.controls;
        c.push_back(StaticCtl(kIdTitleLabel, "Title:", 0, 0));
        c.push_back(EditCtl(kIdTitle, 0, 1).MaxChars(kMaxTitleChars));
        const auto group = [&c](int box, const char* caption, int row, int ids[6]) {
            c.push_back(GroupBoxCtl(box, caption, row, 0).Span(1, 2));
            c.push_back(StaticCtl(ids[0], "Mean:", 0, 0).InGroup(box));
            c.push_back(EditCtl(ids[1], 0, 1).RightAlign().InGroup(box));
            c.push_back(StaticCtl(ids[2], "Standard deviation:", 1, 0).InGroup(box));
            c.push_back(EditCtl(ids[3], 1, 1).RightAlign().InGroup(box));
            c.push_back(StaticCtl(ids[4], "Sample size:", 2, 0).InGroup(box));
            c.push_back(NumberEditCtl(ids[5], 2, 1).RightAlign().InGroup(box));
        };
        int first[6] = {kIdMean1Label, kIdMean1, kIdSd1Label, kIdSd1, kIdN1Label, kIdN1};
        int second[6] = {kIdMean2Label, kIdMean2, kIdSd2Label, kIdSd2, kIdN2Label, kIdN2};
        group(kIdSample1Box, "Sample 1", 1, first);
        group(kIdSample2Box, "Sample 2", 2, second);
        AppendLevelRow(c, 3);
        c.push_back(DefButtonCtl(IDOK, "OK", 4, 0));
        c.push_back(ButtonCtl(IDCANCEL, "Cancel", 4, 1));
        return made;
    }();
    return dialogTemplate;
}

/// Input dialog: title, each group's mean, SD and size, and the level.
class CCompMeansWelchDlg : public CMethodDlg
{
public:
    CCompMeansWelchDlg() : CMethodDlg(WelchTemplate()) {}
    void Load(const CCompMeansWelch& calc)
    {
        m_levelPercent = calc.m_levelPercent;
        m_mean1 = calc.m_mean1;
        m_sd1 = calc.m_sd1;
        m_n1 = calc.m_n1;
        m_mean2 = calc.m_mean2;
        m_sd2 = calc.m_sd2;
        m_n2 = calc.m_n2;
    }
    void Store(CCompMeansWelch& calc) const
    {
        calc.m_levelPercent = m_levelPercent;
        calc.m_mean1 = m_mean1;
        calc.m_sd1 = m_sd1;
        calc.m_n1 = m_n1;
        calc.m_mean2 = m_mean2;
        calc.m_sd2 = m_sd2;
        calc.m_n2 = m_n2;
    }

protected:
    bool OnInitDialog() override
    {
        CMethodDlg::OnInitDialog();
        SetTerm(kIdSample1Box, kTermSample, " 1");
        SetTerm(kIdSample2Box, kTermSample, " 2");
        for (int id : {kIdMean1Label, kIdMean2Label})
            SetTerm(id, kTermMean);
        for (int id : {kIdSd1Label, kIdSd2Label})
            SetTerm(id, kTermStandardDeviation);
        for (int id : {kIdN1Label, kIdN2Label})
            SetTerm(id, kTermSampleSize);
        return true;
    }

    void DoDataExchange(CDataExchange& dx) override
    {
        const CFieldTable& fields = WelchFields();
        ExchangeTitle(dx);
        ExchangeField(dx, FieldOf(fields, "mean1"), m_mean1);
        ExchangeField(dx, FieldOf(fields, "sd1"), m_sd1);
        ExchangeField(dx, FieldOf(fields, "n1"), m_n1);
        ExchangeField(dx, FieldOf(fields, "mean2"), m_mean2);
        ExchangeField(dx, FieldOf(fields, "sd2"), m_sd2);
        ExchangeField(dx, FieldOf(fields, "n2"), m_n2);
        ExchangeLevel(dx, m_levelPercent);
    }

    void OnOK() override
    {
        if (!UpdateData(true))
            return;
        // Welch's test divides by each group's variance.
        for (const auto& [sd, id] : {std::pair{m_sd1, kIdSd1}, std::pair{m_sd2, kIdSd2}}) {
            if (!(sd > 0)) {
                AfxMessageBox(GetProfileString("Messages", "41", "41"));
                GotoDlgCtrl(id);
                return;
            }
        }
        EndDialog(IDOK);
    }

private:
    double m_levelPercent = 95;
    double m_mean1 = 0.0;
    double m_sd1 = 1.0;
    uint32_t m_n1 = 2;
    double m_mean2 = 0.0;
    double m_sd2 = 1.0;
    uint32_t m_n2 = 2;
};
} // namespace

void CCompMeansWelch::Serialize(CArchive& ar)
{
    CMethodCalc::Serialize(ar);
    if (ar.IsStoring()) {
        ar << m_levelPercent << m_mean1 << m_sd1 << m_n1 << m_mean2 << m_sd2 << m_n2;
    } else {
        m_levelPercent = ReadLevelPercent(ar);
        ar >> m_mean1 >> m_sd1 >> m_n1 >> m_mean2 >> m_sd2 >> m_n2;
    }
}

const CFieldTable* CCompMeansWelch::Fields() const
{
    return &WelchFields();
}

CInputs CCompMeansWelch::Inputs() const
{
    return CInputList()
        .Text("title", GetTitle())
        .Number("mean1", m_mean1)
        .Number("sd1", m_sd1)
        .Number("n1", m_n1)
        .Number("mean2", m_mean2)
        .Number("sd2", m_sd2)
        .Number("n2", m_n2)
        .Number("level", m_levelPercent)
        .Take();
}

CResults CCompMeansWelch::Results() const
{
    const CWelchTest test = WelchTest(m_n1, m_mean1, m_sd1, m_n2, m_mean2, m_sd2, m_levelPercent);
    return {
        IntervalResult("difference", kTermDifferenceOneTwo, test.difference, test.lower, test.upper,
                       LevelText(m_levelPercent), 4),
        EstimateResult("se_difference", kTermStandardErrorDifference, test.se, 4),
        StatisticResult("t_welch", kTermWelchT, test.t, test.df, 4),
        StatisticResult("df_satterthwaite", kTermSatterthwaiteDf, test.df, kNoValue, 2),
        ProbabilityResult("p_t_two_sided", TermKeys({kTermTwoTailed, kTermPValue}), test.t, test.p, test.df, 6),
    };
}

bool CCompMeansWelch::Do()
{
    if (!RunInputDialog<CCompMeansWelchDlg>(*this))
        return false;
    CWaitCursor wait;
    const CResults results = Results();
    const auto insertGroup = [this](int number, double mean, double sd, uint32_t n) {
        InsertPhrase(Term(kTermSample) + " " + std::to_string(number) + "\n", kPhraseBold);
        InsertResult(Term(kTermSampleSize), Format("%12u", n), "");
        InsertResult(Term(kTermMean), Format("%12.10g", mean), "");
        InsertResult(Term(kTermStandardDeviation), Format("%12.10g", sd), "");
        InsertPhrase("\n", kPhrasePlain);
    };
    InsertHeading();
    insertGroup(1, m_mean1, m_sd1, m_n1);
    insertGroup(2, m_mean2, m_sd2, m_n2);
    InsertPhrase(Term(kTermDifference) + "\n", kPhraseBold);
    InsertMethodResult(results, "difference", LabelCI(LevelText(m_levelPercent)));
    for (const char* key : {"se_difference", "t_welch", "df_satterthwaite", "p_t_two_sided"})
        InsertMethodResult(results, key);
    return true;
}
