// Dialog numbers under a locale whose decimal mark is a comma: fields show and take the
// locale's mark, and a point is refused rather than misread. (The command-line tool and stored
// documents never adopt the locale; the tool's tests cover its output.)
#include "DataExchange.h"
#include "ExampleDialog.h"
#include "HookGuards.h"
#include "NumberParse.h"

#include <clocale>
#include <gtest/gtest.h>
#include <string>

namespace
{
/// Switches the numbers to a comma locale for a scope; false when none is installed.
class CCommaLocale
{
public:
    CCommaLocale()
    {
        for (const char* name : {"de_DE.UTF-8", "fr_FR.UTF-8", "es_ES.UTF-8", "it_IT.UTF-8", "pt_PT.UTF-8"})
            if (std::setlocale(LC_NUMERIC, name)) {
                m_active = true;
                break;
            }
    }
    ~CCommaLocale() { std::setlocale(LC_NUMERIC, "C"); }
    bool Active() const { return m_active; }

private:
    bool m_active = false;
};
} // namespace

TEST(DecimalMark, DialogFieldsFollowTheLocalesCommaBothWays)
{
    CCommaLocale comma;
    if (!comma.Active())
        GTEST_SKIP() << "no locale with a decimal comma is installed";
    CHeadlessUIServices ui;
    CUIServicesGuard services(ui);
    CExampleDlg dlg;
    dlg.m_title = "t";
    dlg.m_percent = 12.5;
    dlg.m_size = 10;
    dlg.BeginModal();
    EXPECT_EQ(dlg.GetDlgItemText(1023), "12,5");

    dlg.SetDlgItemText(1023, "37,25");
    dlg.OnOK();
    EXPECT_TRUE(ui.m_messages.empty());
    EXPECT_EQ(dlg.m_percent, 37.25);

    // A point is no decimal mark here: refused, not read as 37 or 3725.
    dlg.BeginModal();
    dlg.SetDlgItemText(1023, "37.25");
    dlg.OnOK();
    ASSERT_EQ(ui.m_messages.size(), 1u);
    EXPECT_EQ(ui.m_messages.front(), "Please enter a number.");
    EXPECT_EQ(dlg.m_percent, 37.25);

    double value = 0;
    EXPECT_TRUE(ParseStrictDouble(" -0,5e2 ", value));
    EXPECT_EQ(value, -50.0);
}
