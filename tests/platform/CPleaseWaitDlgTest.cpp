// The progress of long computations: shown for the object's life, scaled into 16 bits.
#include "CPleaseWaitDlg.h"

#include "HookGuards.h"
#include "UIServices.h"

#include <gtest/gtest.h>

namespace
{
class CProgressLog : public CHeadlessUIServices
{
public:
    void ProgressBegin(const std::string& caption, int maximum) override
    {
        m_log.push_back(caption + " 0.." + std::to_string(maximum));
    }
    void ProgressSetPos(int position) override { m_log.push_back("pos " + std::to_string(position)); }
    void ProgressEnd() override { m_log.push_back("end"); }
    std::vector<std::string> m_log;
};
} // namespace

TEST(PleaseWaitDlg, ScalesWideRangesIntoTheBarAndEndsOnDestruction)
{
    CProgressLog ui;
    const CUIServicesGuard servicesGuard(ui);
    {
        CPleaseWaitDlg wait;
        wait.SetRange(0, 200000); // beyond 16 bits: scaled, not cut
        EXPECT_EQ(wait.BarMaximum(), CPleaseWaitDlg::kBarMaximum);
        wait.SetPos(1); // too small to move the bar: nothing passed on
        wait.SetPos(100000);
        EXPECT_EQ(wait.GetBarPos(), 32767);
        wait.SetPos(300000); // clamped to the range
        wait.SetPos(200000); // same bar position: nothing passed on
    }
    const std::vector<std::string> expected{
        "Please wait... 0..100", "end", "Please wait... 0..65535", "pos 32767", "pos 65535", "end"};
    EXPECT_EQ(ui.m_log, expected);

    ui.m_log.clear();
    {
        CPleaseWaitDlg wait(10);
        wait.SetPos(3);
        wait.SetRange(5, 15); // same width: the bar only starts again
        wait.SetPos(4);       // below the range: the start
        wait.SetPos(15);
    }
    const std::vector<std::string> narrow{"Please wait... 0..10", "pos 3", "pos 0", "pos 10", "end"};
    EXPECT_EQ(ui.m_log, narrow);
}
