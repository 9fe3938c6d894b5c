// What the dialogs of the proportion with several intervals, the rate with exact intervals and
// the standardised ratio share: the rows below their values, and the refusal of an input that
// the field table's range lets through.
#pragma once

#include "CCalcDlg.h"
#include "CMethodCalc.h"
#include "DialogTemplate.h"
#include "Profile.h"
#include "UIServices.h"

#include <vector>

/// Appends the level row, the title row and the OK and Cancel buttons from `row` on.
inline void AppendLevelTitleButtons(std::vector<CControlTemplate>& controls, int row)
{
    AppendLevelRow(controls, row);
    controls.push_back(StaticCtl(kIdTitleLabel, "Title:", row + 1, 0));
    controls.push_back(EditCtl(kIdTitle, row + 1, 1).MaxChars(kMaxTitleChars));
    controls.push_back(DefButtonCtl(IDOK, "OK", row + 2, 0));
    controls.push_back(ButtonCtl(IDCANCEL, "Cancel", row + 2, 1));
}

/// Refuses OK: shows Messages/`key` and puts the focus on the control `id`; the dialog stays open.
inline void RefuseInput(CDialog& dialog, const char* key, int id)
{
    AfxMessageBox(GetProfileString("Messages", key, key));
    dialog.GotoDlgCtrl(id);
}
