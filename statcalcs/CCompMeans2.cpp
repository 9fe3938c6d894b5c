// CCompMeans2: the means of two independent samples (type "2610"): the pooled-variance t test,
// its report, and its input dialog (template 163).
#include "CCompMeans2.h"

#include "CArchive.h"
#include "CCalcDlg.h"
#include "Distributions.h"
#include "ElementaryFunctions.h"
#include "FieldTable.h"
#include "StoredInputs.h"
#include "Terms.h"

#include <cmath>

IMPLEMENT_SERIAL(CCompMeans2, CCalcBase, 0)

namespace
{
/// Lower-tail areas of the critical t values, indexed by the confidence level.
constexpr double kTailAreas[2] = {0.025, 0.005};

enum : int
{
    kIdSize2 = 1025,
    kIdMean2 = 1060,
    kIdMean1 = 1061,
    kIdSd1 = 1070,
    kIdSd2 = 1071,
    kIdSize1 = 1080,
    kIdSample1Box = 1099,
    kIdSample2Box = 1100,
    kIdSize1Label = 1103,
    kIdSize2Label = 1104,
    kIdMean1Label = 1114,
    kIdMean2Label = 1115,
    kIdSd1Label = 1116,
    kIdSd2Label = 1117,
};

/// The title, then mean, SD and size of each sample, and the level, as the dialog lays them out.
/// A mean takes any number.
const CFieldTable& CompMeans2Fields()
{
    static const CFieldTable table{{
                                       TitleField(),
                                       NumberField("mean1", kIdMean1, kTermMean, std::nullopt, std::nullopt),
                                       NumberField("sd1", kIdSd1, kTermStandardDeviation, 0, 1000000),
                                       CountField("n1", kIdSize1, kTermSampleSize, 1, 1000000),
                                       NumberField("mean2", kIdMean2, kTermMean, std::nullopt, std::nullopt),
                                       NumberField("sd2", kIdSd2, kTermStandardDeviation, 0, 1000000),
                                       CountField("n2", kIdSize2, kTermSampleSize, 1, 1000000),
                                       LevelField(),
                                   },
                                   {}};
    return table;
}

/// Student's t test of two independent means with a pooled variance, and the confidence
/// interval of their absolute difference.
struct CTwoMeansT
{
    int df = 0;
    double se = 0.0;         // standard error of the difference
    double difference = 0.0; // |mean 1 - mean 2|
    double t = 0.0;
    double p = 0.0; // two-tailed
    double lower = 0.0;
    double upper = 0.0;
};

CTwoMeansT TwoMeansT(const CCompMeans2& calc)
{
    CTwoMeansT result;
    result.df = static_cast<int>(calc.m_size1) + static_cast<int>(calc.m_size2) - 2;
    // Sizes as reals: 1 / size must not be an integer division.
    const double n1 = static_cast<double>(calc.m_size1);
    const double n2 = static_cast<double>(calc.m_size2);
    const double v = (zmath::Square(calc.m_sd2) * (n2 - 1) + zmath::Square(calc.m_sd1) * (n1 - 1)) / result.df;
    const double s = std::sqrt(v);
    result.se = std::sqrt(1 / n2 + 1 / n1) * s;
    result.difference = absd(calc.m_mean1 - calc.m_mean2);
    result.t = result.difference / result.se;
    result.p = 2 * TProb(result.t, result.df);
    const double tc = absd(TPercPt(kTailAreas[calc.m_level], result.df));
    result.lower = result.difference - tc * result.se;
    result.upper = tc * result.se + result.difference;
    return result;
}
} // namespace

void CCompMeans2::Serialize(CArchive& ar)
{
    CCalcBase::Serialize(ar);
    if (ar.IsStoring()) {
        ar << m_level << m_mean1 << m_mean2 << m_sd1 << m_sd2 << m_size1 << m_size2;
    } else {
        m_level = ReadLevel(ar);
        ar >> m_mean1 >> m_mean2 >> m_sd1 >> m_sd2 >> m_size1 >> m_size2;
    }
}

namespace
{
class CCompMeans2Dlg : public CCalcDlg
{
public:
    CCompMeans2Dlg();
    void Load(const CCompMeans2& calc);
    void Store(CCompMeans2& calc) const;

protected:
    bool OnInitDialog() override;
    void DoDataExchange(CDataExchange& dx) override;

private:
    int m_level = 0;
    double m_mean1 = 0.0;
    double m_sd1 = 0.0;
    uint32_t m_size1 = 0;
    double m_mean2 = 0.0;
    double m_sd2 = 0.0;
    uint32_t m_size2 = 0;
};

const CDialogTemplate& CompMeans2Template()
{
    static const CDialogTemplate dialogTemplate{
        163,
        "Compare - Means - Two means",
        {
            StaticCtl(kIdTitleLabel, "Title:", 0, 0),
            EditCtl(kIdTitle, 0, 1).MaxChars(kMaxTitleChars).Span(1, 2),
            GroupBoxCtl(kIdSample1Box, "Sample 1", 1, 0).Span(1, 2),
            StaticCtl(kIdMean1Label, "Mean:", 0, 0).InGroup(kIdSample1Box),
            EditCtl(kIdMean1, 0, 1).RightAlign().InGroup(kIdSample1Box),
            StaticCtl(kIdSd1Label, "SD:", 1, 0).InGroup(kIdSample1Box),
            EditCtl(kIdSd1, 1, 1).RightAlign().InGroup(kIdSample1Box),
            StaticCtl(kIdSize1Label, "Sample size:", 2, 0).InGroup(kIdSample1Box),
            NumberEditCtl(kIdSize1, 2, 1).RightAlign().InGroup(kIdSample1Box),
            GroupBoxCtl(kIdSample2Box, "Sample 2", 1, 2),
            StaticCtl(kIdMean2Label, "Mean:", 0, 0).InGroup(kIdSample2Box),
            EditCtl(kIdMean2, 0, 1).RightAlign().InGroup(kIdSample2Box),
            StaticCtl(kIdSd2Label, "SD:", 1, 0).InGroup(kIdSample2Box),
            EditCtl(kIdSd2, 1, 1).RightAlign().InGroup(kIdSample2Box),
            StaticCtl(kIdSize2Label, "Sample size:", 2, 0).InGroup(kIdSample2Box),
            NumberEditCtl(kIdSize2, 2, 1).RightAlign().InGroup(kIdSample2Box),
            GroupBoxCtl(kIdLevelBox, "Confidence Interval", 2, 0).Span(1, 3),
            RadioCtl(kIdLevel95, "95%", 0, 0).GroupStart().InGroup(kIdLevelBox),
            RadioCtl(kIdLevel99, "99%", 0, 1).InGroup(kIdLevelBox),
            DefButtonCtl(IDOK, "OK", 3, 1),
            ButtonCtl(IDCANCEL, "Cancel", 3, 2),
        },
    };
    return dialogTemplate;
}

CCompMeans2Dlg::CCompMeans2Dlg() : CCalcDlg(CompMeans2Template())
{}

void CCompMeans2Dlg::Load(const CCompMeans2& calc)
{
    m_level = calc.m_level;
    m_mean1 = calc.m_mean1;
    m_sd1 = calc.m_sd1;
    m_size1 = calc.m_size1;
    m_mean2 = calc.m_mean2;
    m_sd2 = calc.m_sd2;
    m_size2 = calc.m_size2;
}

void CCompMeans2Dlg::Store(CCompMeans2& calc) const
{
    calc.m_level = m_level;
    calc.m_mean1 = m_mean1;
    calc.m_sd1 = m_sd1;
    calc.m_size1 = m_size1;
    calc.m_mean2 = m_mean2;
    calc.m_sd2 = m_sd2;
    calc.m_size2 = m_size2;
}

bool CCompMeans2Dlg::OnInitDialog()
{
    CCalcDlg::OnInitDialog();
    // Both boxes carry the same word; the labels inside them say which sample they hold.
    SetTerm(kIdSample1Box, kTermSample, "");
    SetTerm(kIdSample2Box, kTermSample, "");
    SetTerm(kIdMean1Label, kTermMean);
    SetTerm(kIdSd1Label, kTermStandardDeviation);
    SetTerm(kIdSize1Label, kTermSampleSize);
    SetTerm(kIdMean2Label, kTermMean);
    SetTerm(kIdSd2Label, kTermStandardDeviation);
    SetTerm(kIdSize2Label, kTermSampleSize);
    return true;
}

void CCompMeans2Dlg::DoDataExchange(CDataExchange& dx)
{
    ExchangeTitle(dx);
    const CFieldTable& fields = CompMeans2Fields();
    ExchangeField(dx, FieldOf(fields, "mean1"), m_mean1);
    ExchangeField(dx, FieldOf(fields, "sd1"), m_sd1);
    ExchangeField(dx, FieldOf(fields, "n1"), m_size1);
    ExchangeField(dx, FieldOf(fields, "mean2"), m_mean2);
    ExchangeField(dx, FieldOf(fields, "sd2"), m_sd2);
    ExchangeField(dx, FieldOf(fields, "n2"), m_size2);
    DDX_Radio(dx, kIdLevel95, m_level);
}
} // namespace

const CFieldTable* CCompMeans2::Fields() const
{
    return &CompMeans2Fields();
}

CInputs CCompMeans2::Inputs() const
{
    return CInputList()
        .Text("title", GetTitle())
        .Number("mean1", m_mean1)
        .Number("sd1", m_sd1)
        .Number("n1", m_size1)
        .Number("mean2", m_mean2)
        .Number("sd2", m_sd2)
        .Number("n2", m_size2)
        .Text("level", m_level == 1 ? "99" : "95")
        .Take();
}

CResults CCompMeans2::Results() const
{
    const CTwoMeansT test = TwoMeansT(*this);
    const std::string level = kLevels[m_level == 1 ? 1 : 0];
    CResults results;
    results.push_back(IntervalResult("difference", kTermDifference, test.difference, test.lower, test.upper, level, 2));
    results.push_back(StatisticResult("t", kTermStudentsT, test.t, test.df, 2));
    results.push_back(ProbabilityResult("p_t_two_sided", kTermPValue, test.t, test.p, test.df, 6));
    return results;
}

bool CCompMeans2::Do()
{
    if (!RunInputDialog<CCompMeans2Dlg>(*this))
        return false;
    CWaitCursor wait;
    const CResults results = Results();

    const auto insertSample = [this](int number, double mean, double sd, uint32_t size) {
        InsertPhrase(Term(kTermSample) + " " + std::to_string(number) + "\n", kPhraseBold);
        InsertResult(Term(kTermMean), Floating(mean, 2), "");
        InsertResult(Term(kTermStandardDeviation), Floating(sd, 2), "");
        InsertResult(Term(kTermSampleSize), Integer(static_cast<int>(size)), "");
        InsertPhrase("\n", kPhrasePlain);
    };

    InsertHeading();
    insertSample(1, m_mean1, m_sd1, m_size1);
    insertSample(2, m_mean2, m_sd2, m_size2);
    InsertPhrase(Term(kTermDifference) + "\n", kPhraseBold);
    InsertResult(results, "difference", LabelCI(kLevels[m_level]));
    const CResult& t = *FindResult(results, "t");
    InsertResult(t);
    InsertResult(Term(kTermDegreesOfFreedom), Integer(static_cast<int>(t.df)), "");
    InsertResult(results, "p_t_two_sided");
    return true;
}
