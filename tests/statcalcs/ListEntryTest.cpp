// Tests of the list-entry dialogs (several proportions, goodness of fit, trend): columns and
// stored rows on opening, Add, Remove, the row minimum on OK, and Cancel.
#include "CCompGoodness.h"
#include "CCompPropPerc.h"
#include "CCompPropTrend.h"
#include "CDialog.h"
#include "CalcTestSupport.h"
#include "DialogHost.h"
#include "DialogTemplate.h"
#include "GetCalcBase.h"
#include "ScriptedDialogHost.h"
#include "UIServices.h"

#include <map>
#include <memory>

namespace
{
/// What a list-entry dialog showed at one moment.
struct CListShown
{
    std::vector<CListCtrl::CColumn> columns;
    std::vector<std::vector<std::string>> rows;
    std::map<int, std::string> texts; // entry fields by id
    int selected = -1;
    int ensuredVisible = -1;
    int focusId = 0;
};

/// Opens the dialog, applies the actions one by one through the user entry points, notes what
/// the dialog shows, and cancels it unless an action ended it (then its result stands).
class CStepHost : public IDialogHost
{
public:
    explicit CStepHost(const std::vector<std::string>& actions) : m_actions(ParseActions(actions)) {}

    int RunModal(CDialog& dialog) override
    {
        dialog.BeginModal();
        for (const CScriptAction& action : m_actions) {
            if (dialog.IsEnded())
                break;
            bool applied = false;
            if (action.kind == CScriptAction::SetText)
                applied = dialog.UserSetText(action.id, action.text);
            else if (action.kind == CScriptAction::Press)
                applied = dialog.UserClick(action.id);
            else if (action.kind == CScriptAction::SelectRow)
                applied = dialog.UserSelectRow(kList, action.index);
            EXPECT_TRUE(applied) << "action on " << action.id;
        }
        std::string error;
        EXPECT_TRUE(ValidateTemplate(dialog.GetTemplate(), error)) << error;
        EXPECT_TRUE(dialog.GetUnknownIds().empty()) << dialog.GetUnknownIds().front();
        const CListCtrl& list = *dialog.GetListCtrl(kList);
        for (int col = 0; col < list.GetColumnCount(); ++col)
            m_shown.columns.push_back(list.GetColumn(col));
        for (int row = 0; row < list.GetItemCount(); ++row) {
            m_shown.rows.emplace_back();
            for (int col = 0; col < list.GetColumnCount(); ++col)
                m_shown.rows.back().push_back(list.GetItemText(row, col));
        }
        for (int id : {1023, 1024, 1155, 1156, 1045, 1046, 1047}) {
            if (dialog.GetTemplate().Find(id))
                m_shown.texts[id] = dialog.GetDlgItemText(id);
        }
        m_shown.selected = list.GetSelectedRow();
        m_shown.ensuredVisible = list.GetLastEnsuredVisible();
        m_shown.focusId = dialog.GetFocusId();
        if (!dialog.IsEnded())
            dialog.EndDialog(IDCANCEL);
        return dialog.GetResult();
    }

    static constexpr int kList = 1034;
    std::vector<CScriptAction> m_actions;
    CListShown m_shown;
};

class ListEntryTest : public CCalcTest
{
protected:
    /// Runs Do of `calc` with its dialog stepped through `actions`; returns Do's result.
    bool Redo(CCalcBase& calc, const std::vector<std::string>& actions)
    {
        CStepHost host(actions);
        m_services = CHeadlessUIServices();
        bool done = false;
        {
            const CUIServicesGuard servicesGuard(m_services);
            const CDialogHostGuard hostGuard(host);
            done = calc.Do();
        }
        m_shown = host.m_shown;
        return done;
    }

    template <class Calc> std::unique_ptr<Calc> Make(const std::string& code)
    {
        std::unique_ptr<Calc> calc(dynamic_cast<Calc*>(GetCalcBase(code)));
        calc->SetTypeString(code);
        calc->SetTitle("T");
        return calc;
    }

    CHeadlessUIServices m_services;
    CListShown m_shown;
};

using Rows = std::vector<std::vector<std::string>>;
} // namespace

TEST_F(ListEntryTest, OpeningListsStoredRowsAndPutsTheLastIntoTheEntryFields)
{
    auto perc = Make<CCompPropPerc>("2200");
    perc->m_rows = {{10, 100}, {12.5, 200}};
    EXPECT_FALSE(Redo(*perc, {}));
    ASSERT_EQ(m_shown.columns.size(), 2u);
    EXPECT_EQ(m_shown.columns[0].header, "Proportion");
    EXPECT_EQ(m_shown.columns[1].header, "Sample size");
    EXPECT_EQ(m_shown.columns[0].width, (CListCtrl::kDefaultWidth - 4) / 2);
    EXPECT_EQ(m_shown.rows, (Rows{{"10.00", "100"}, {"12.50", "200"}}));
    EXPECT_EQ(m_shown.texts[1023], "12.50");
    EXPECT_EQ(m_shown.texts[1024], "200");

    auto goodness = Make<CCompGoodness>("2400");
    goodness->m_rows = {{10, 15.125}};
    Redo(*goodness, {});
    EXPECT_EQ(m_shown.columns[1].header, "Expected");
    EXPECT_EQ(m_shown.rows, (Rows{{"10.00", "15.12"}}));
    EXPECT_EQ(m_shown.texts[1156], "15.12");

    auto trend = Make<CCompPropTrend>("2300");
    Redo(*trend, {});
    ASSERT_EQ(m_shown.columns.size(), 3u);
    EXPECT_EQ(m_shown.columns[2].header, "Not ill");
    EXPECT_EQ(m_shown.columns[2].width, (CListCtrl::kDefaultWidth - 4) / 3);
    EXPECT_TRUE(m_shown.rows.empty());
    EXPECT_EQ(m_shown.texts[1045], "");
    EXPECT_EQ(m_shown.texts[1047], "");
    EXPECT_TRUE(m_fallbacks.empty()) << m_fallbacks.front();
}

TEST_F(ListEntryTest, AddedPercentageCarriesPercentSignUntilTheNextRun)
{
    auto perc = Make<CCompPropPerc>("2200");
    Redo(*perc, {"1023=12.5", "1024=40", "@1032"});
    EXPECT_EQ(m_shown.rows, (Rows{{"12.50%", "40"}}));
    EXPECT_EQ(m_shown.focusId, 1023);
    EXPECT_EQ(m_shown.ensuredVisible, 0);

    ASSERT_TRUE(Redo(*perc, {"1023=12.5", "1024=40", "@1032", "1023=20", "1024=0000000060", "@1032", "@1"}));
    EXPECT_EQ(perc->m_rows, (std::vector<CPropPercRow>{{12.5, 40}, {20, 60}}));
    EXPECT_FALSE(Redo(*perc, {}));
    EXPECT_EQ(m_shown.rows, (Rows{{"12.50", "40"}, {"20.00", "60"}}));
    EXPECT_EQ(m_shown.texts[1023], "20.00");
}

TEST_F(ListEntryTest, InvalidEntryAddsNothing)
{
    auto perc = Make<CCompPropPerc>("2200");
    Redo(*perc, {"1023=100.5", "1024=40", "@1032"});
    EXPECT_TRUE(m_shown.rows.empty());
    EXPECT_EQ(m_services.m_messages, std::vector<std::string>{"Please enter a number between 0 and 100."});
    EXPECT_EQ(m_shown.focusId, 1023);

    Redo(*perc, {"1023=50", "1024=0", "@1032"});
    EXPECT_TRUE(m_shown.rows.empty());
    EXPECT_EQ(m_shown.focusId, 1024);

    auto goodness = Make<CCompGoodness>("2400");
    Redo(*goodness, {"1155=5", "1156=x", "@1032", "1156=1000001", "@1032"});
    EXPECT_TRUE(m_shown.rows.empty());
    EXPECT_EQ(m_services.m_messages.size(), 2u);
}

TEST_F(ListEntryTest, RemoveTakesTheSelectedRowOrBeeps)
{
    auto goodness = Make<CCompGoodness>("2400");
    goodness->m_rows = {{1, 2}, {3, 4}, {5, 6}};
    Redo(*goodness, {"@1033"});
    EXPECT_EQ(m_services.m_beeps, 1);
    EXPECT_EQ(m_shown.rows.size(), 3u);

    Redo(*goodness, {"row=1", "@1033"});
    EXPECT_EQ(m_services.m_beeps, 0);
    EXPECT_EQ(m_shown.rows, (Rows{{"1.00", "2.00"}, {"5.00", "6.00"}}));
    EXPECT_EQ(m_shown.selected, -1);
    Redo(*goodness, {"row=1", "@1033", "@1033"});
    EXPECT_EQ(m_services.m_beeps, 1);
    EXPECT_EQ(m_shown.rows.size(), 2u);
}

TEST_F(ListEntryTest, OkWithTooFewRowsKeepsTheDialogOpen)
{
    struct
    {
        const char* code;
        std::vector<std::string> actions;
        const char* message;
        int focus;
    } cases[] = {
        {"2200", {"1023=10", "1024=100", "@1032"}, "Please add at least two proportions.", 1023},
        {"2400", {"1155=10", "1156=15", "@1032"}, "Please add at least two categories.", 1155},
        {"2300", {"1045=0", "1046=1", "1047=2", "@1032", "1045=1", "@1032"}, "Please add at least three scores.", 1045},
    };
    for (const auto& c : cases) {
        std::vector<std::string> actions = c.actions;
        actions.push_back("1022=T");
        const CCalcRunResult result = Run(c.code, actions);
        EXPECT_EQ(result.outcome, CCalcRunResult::NotAdded) << c.code;
        EXPECT_TRUE(result.refusedOpen) << c.code;
        EXPECT_EQ(result.messages, std::vector<std::string>{c.message}) << c.code;
        EXPECT_EQ(result.finalFocusId, c.focus) << c.code;
    }
    EXPECT_TRUE(m_fallbacks.empty()) << m_fallbacks.front();
}

TEST_F(ListEntryTest, OkAlsoChecksTheEntryFields)
{
    // The last row's texts stay in the entry fields; a field emptied afterwards refuses OK.
    const CCalcRunResult result = Run("2400", {"1155=10", "1156=15", "@1032", "@1032", "1156="});
    EXPECT_TRUE(result.refusedOpen);
    EXPECT_EQ(result.messages, std::vector<std::string>{"Please enter a number."});
    EXPECT_EQ(result.finalFocusId, 1156);
}

TEST_F(ListEntryTest, CancelLeavesTheRowsAndTitle)
{
    auto trend = Make<CCompPropTrend>("2300");
    trend->m_rows = {{0, 1, 2}, {1, 3, 4}, {2, 5, 6}};
    const std::vector<CTrendRow> before = trend->m_rows;
    EXPECT_FALSE(Redo(*trend, {"1022=Other", "row=0", "@1033", "1045=7", "@1032", "@2"}));
    EXPECT_EQ(trend->m_rows, before);
    EXPECT_EQ(trend->GetTitle(), "T");
}
