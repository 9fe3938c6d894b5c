// Data exchange and validation: the standard prompts, the first refused field taking the focus,
// the display formats and the radio-group rules, driven through a small example dialog.
#include "DataExchange.h"

#include "ExampleDialog.h"
#include "UIServices.h"

#include <cmath>
#include <gtest/gtest.h>
#include <limits>

namespace
{
class DataExchangeTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        SetUIServices(&m_ui);
        m_dlg.m_title = "t";
        m_dlg.m_percent = 50;
        m_dlg.m_size = 10;
        m_dlg.BeginModal();
    }
    void TearDown() override { SetUIServices(nullptr); }

    // Opens the dialog again, presses OK with the field texts given; returns the prompt shown
    // ("" for none).
    std::string OkWith(const std::string& title, const std::string& percent, const std::string& size)
    {
        m_dlg.BeginModal();
        m_dlg.SetDlgItemText(1022, title);
        m_dlg.SetDlgItemText(1023, percent);
        m_dlg.SetDlgItemText(1024, size);
        m_ui.m_messages.clear();
        m_dlg.OnOK();
        EXPECT_LE(m_ui.m_messages.size(), 1u);
        EXPECT_EQ(m_dlg.IsEnded(), m_ui.m_messages.empty());
        return m_ui.m_messages.empty() ? std::string() : m_ui.m_messages.front();
    }

    CHeadlessUIServices m_ui;
    CExampleDlg m_dlg;
};

std::string Repeat(const std::string& piece, int count)
{
    std::string text;
    for (int i = 0; i < count; ++i)
        text += piece;
    return text;
}
} // namespace

TEST_F(DataExchangeTest, DoubleFieldTakesOnlyFiniteDecimalNumbers)
{
    for (const char* refused : {"nan", "inf", "0x1p3", "1e999", "", "  ", "1e", "1,5", "--1", "5%"}) {
        EXPECT_EQ(OkWith("t", refused, "10"), "Please enter a number.") << refused;
        EXPECT_EQ(m_dlg.GetFocusId(), 1023) << refused;
    }
    EXPECT_EQ(OkWith("t", " 2.5 ", "10"), "");
    EXPECT_EQ(m_dlg.m_percent, 2.5);
    EXPECT_EQ(OkWith("t", "1e-400", "10"), ""); // underflow to 0 passes
    EXPECT_EQ(OkWith("t", "1e5", "10"), "Please enter a number between 0 and 100.");
    EXPECT_EQ(m_dlg.m_percent, 1e5); // the member holds the refused value, as the exchange read it
}

TEST_F(DataExchangeTest, UnsignedFieldPromptsForPositiveIntegersAndRange)
{
    for (const char* refused : {"-1", "", "+", "1.0", "1e3", "12abc", "- 1"})
        EXPECT_EQ(OkWith("t", "1", refused), "Please enter a positive integer.") << refused;
    EXPECT_EQ(OkWith("t", "1", "4294967296"), "Please enter an integer between 1 and 1000000.");
    EXPECT_EQ(m_dlg.m_size, 4294967295u);
    EXPECT_EQ(OkWith("t", "1", "0"), "Please enter an integer between 1 and 1000000.");
    EXPECT_EQ(m_dlg.GetFocusId(), 1024);
    EXPECT_EQ(OkWith("t", "1", "\t+1000000 "), "");
    EXPECT_EQ(m_dlg.m_size, 1000000u);
}

TEST_F(DataExchangeTest, TitleLimitCountsCharactersNotBytes)
{
    const std::string accented = "\xC3\xA9"; // two bytes, one character
    EXPECT_EQ(OkWith(Repeat(accented, 51), "1", "1"), "Please enter no more than 50 characters.");
    EXPECT_EQ(m_dlg.GetFocusId(), 1022);
    EXPECT_EQ(OkWith(Repeat(accented, 50), "1", "1"), "");
    EXPECT_EQ(m_dlg.m_title, Repeat(accented, 50));
}

TEST_F(DataExchangeTest, FirstRefusedFieldStopsTheExchange)
{
    EXPECT_EQ(OkWith("new title", "abc", "77"), "Please enter a number.");
    EXPECT_EQ(m_dlg.GetFocusId(), 1023);
    EXPECT_EQ(m_dlg.m_title, "new title"); // exchanged before the refusal
    EXPECT_EQ(m_dlg.m_percent, 50.0);      // refused: unchanged
    EXPECT_EQ(m_dlg.m_size, 10u);          // after the refusal: not exchanged
}

TEST_F(DataExchangeTest, ShowingFormatsValuesAndNeverPrompts)
{
    CExampleDlg dlg;
    dlg.m_percent = 0.00001;
    dlg.m_size = 0; // out of range, but showing does not validate
    dlg.m_level = 7;
    m_ui.m_messages.clear();
    dlg.BeginModal();
    EXPECT_TRUE(m_ui.m_messages.empty());
    EXPECT_EQ(dlg.GetDlgItemText(1023), "1e-05");
    EXPECT_EQ(dlg.GetDlgItemText(1024), "0");
    EXPECT_EQ(dlg.GetControlState(1022)->limit, 50);
    EXPECT_EQ(dlg.GetDlgItemText(1105), "Title (vocabulary):");
    EXPECT_EQ(dlg.IsDlgButtonChecked(1020), 1); // out-of-range index shows the first button
    EXPECT_EQ(dlg.IsDlgButtonChecked(1021), 0);
    dlg.m_percent = 12.5;
    dlg.m_size = 1000000;
    dlg.UpdateData(false);
    EXPECT_EQ(dlg.GetDlgItemText(1023), "12.5");
    EXPECT_EQ(dlg.GetDlgItemText(1024), "1000000");
}

TEST_F(DataExchangeTest, RadioGroupAlwaysHasExactlyOneChecked)
{
    m_dlg.m_level = 1;
    m_dlg.UpdateData(false);
    EXPECT_EQ(m_dlg.GetCheckedRadioButton(1020, 1021), 1021);
    m_dlg.CheckDlgButton(1021, 0); // cannot leave the group empty
    EXPECT_EQ(m_dlg.GetCheckedRadioButton(1020, 1021), 1021);
    m_dlg.CheckRadioButton(1020, 1021, 1020);
    EXPECT_EQ(m_dlg.IsDlgButtonChecked(1020) + m_dlg.IsDlgButtonChecked(1021), 1);
    m_dlg.CheckRadioButton(1020, 1021, 1105); // no radio button: ignored
    EXPECT_EQ(m_dlg.GetCheckedRadioButton(1020, 1021), 1020);
    m_dlg.UpdateData(true);
    EXPECT_EQ(m_dlg.m_level, 0);
}

namespace
{
class CCheckDlg : public CDialog
{
public:
    CCheckDlg() : CDialog(CDialogTemplate{901, "Checks", {CheckCtl(1050, "A", 0, 0), EditCtl(1051, 1, 0)}}) {}
    void DoDataExchange(CDataExchange& dx) override
    {
        DDX_Check(dx, 1050, m_flag);
        DDX_Text(dx, 1051, m_value);
        DDV_MinMaxDouble(dx, m_value, -1.0, 1.0);
    }
    bool m_flag = true;
    double m_value = std::numeric_limits<double>::quiet_NaN();
};
} // namespace

TEST_F(DataExchangeTest, CheckBoxesAndTheTextOfANotANumberMember)
{
    CCheckDlg dlg;
    dlg.BeginModal();
    EXPECT_EQ(dlg.IsDlgButtonChecked(1050), 1);
    EXPECT_EQ(dlg.GetDlgItemText(1051), "nan"); // shown as printf shows it, then refused on OK
    dlg.CheckDlgButton(1050, 0);
    m_ui.m_messages.clear();
    EXPECT_FALSE(dlg.UpdateData(true));
    EXPECT_FALSE(dlg.m_flag);
    ASSERT_EQ(m_ui.m_messages.size(), 1u);
    EXPECT_EQ(m_ui.m_messages[0], "Please enter a number.");
    dlg.SetDlgItemText(1051, "-0.5");
    EXPECT_TRUE(dlg.UpdateData(true));
    EXPECT_EQ(dlg.m_value, -0.5);
}
