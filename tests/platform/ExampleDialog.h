// A small input dialog written the way every calculation's dialog is: a title, a percentage,
// a sample size and a confidence level, with the ids the calculations use.
#pragma once

#include "CDialog.h"
#include "DataExchange.h"

#include <string>

inline CDialogTemplate ExampleTemplate()
{
    return CDialogTemplate{900,
                           "Example",
                           {
                               StaticCtl(1105, "Title:", 0, 0),
                               EditCtl(1022, 0, 1).MaxChars(50).Span(1, 2),
                               StaticCtl(1118, "Proportion (%):", 1, 0),
                               EditCtl(1023, 1, 1).RightAlign(),
                               StaticCtl(1111, "Sample size:", 2, 0),
                               NumberEditCtl(1024, 2, 1),
                               GroupBoxCtl(1106, "Confidence Interval", 3, 0).Span(1, 3),
                               RadioCtl(1020, "95%", 0, 0).InGroup(1106).GroupStart(),
                               RadioCtl(1021, "99%", 0, 1).InGroup(1106),
                               DefButtonCtl(1, "OK", 4, 1),
                               ButtonCtl(2, "Cancel", 4, 2),
                           }};
}

class CExampleDlg : public CDialog
{
public:
    CExampleDlg() : CDialog(ExampleTemplate()) {}

    bool OnInitDialog() override
    {
        CDialog::OnInitDialog();
        SetDlgItemText(1105, "Title (vocabulary):");
        return true;
    }

    void DoDataExchange(CDataExchange& dx) override
    {
        DDX_Text(dx, 1022, m_title);
        DDV_MaxChars(dx, m_title, 50);
        DDX_Text(dx, 1023, m_percent);
        DDV_MinMaxDouble(dx, m_percent, 0.0, 100.0);
        DDX_Text(dx, 1024, m_size);
        DDV_MinMaxUInt(dx, m_size, 1, 1000000);
        DDX_Radio(dx, 1020, m_level);
    }

    std::string m_title;
    double m_percent = 0.0;
    uint32_t m_size = 0;
    int m_level = 0;
};
