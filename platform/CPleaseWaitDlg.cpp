// The progress of long computations. The bar holds 16 bits; a count beyond that is scaled
// rather than cut, so the bar still runs from empty to full.
#include "CPleaseWaitDlg.h"

#include "ScreenText.h"
#include "UIServices.h"

#include <algorithm>

namespace
{
const char kCaption[] = "Please wait...";
}

CPleaseWaitDlg::CPleaseWaitDlg(int upper) : m_upper(std::max(upper, 0))
{
    UIServices().ProgressBegin(ScreenText("PLEASE_WAIT", kCaption), BarMaximum());
    m_barPos = 0;
}

CPleaseWaitDlg::~CPleaseWaitDlg()
{
    UIServices().ProgressEnd();
}

int CPleaseWaitDlg::BarMaximum() const
{
    return static_cast<int>(std::min<long long>(m_upper - m_lower, kBarMaximum));
}

void CPleaseWaitDlg::SetRange(int lower, int upper)
{
    const int oldMaximum = BarMaximum();
    m_lower = lower;
    m_upper = std::max(upper, lower);
    if (BarMaximum() != oldMaximum) {
        UIServices().ProgressEnd();
        UIServices().ProgressBegin(ScreenText("PLEASE_WAIT", kCaption), BarMaximum());
    } else if (m_barPos != 0) {
        UIServices().ProgressSetPos(0);
    }
    m_barPos = 0;
}

void CPleaseWaitDlg::SetPos(int pos)
{
    const long long width = m_upper - m_lower;
    const long long offset = std::clamp<long long>(pos, m_lower, m_upper) - m_lower;
    const int bar = width == 0 ? 0 : static_cast<int>(offset * BarMaximum() / width);
    if (bar == m_barPos)
        return;
    m_barPos = bar;
    UIServices().ProgressSetPos(bar);
}
