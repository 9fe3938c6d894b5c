// Data exchange helpers with the standard prompts of the platform.
#include "DataExchange.h"

#include "CDialog.h"
#include "Format.h"
#include "NumberParse.h"
#include "ScreenText.h"
#include "UIServices.h"

CDataExchange::CDataExchange(CDialog& dialog, bool saveAndValidate)
    : m_bSaveAndValidate(saveAndValidate), m_dialog(dialog)
{}

void CDataExchange::Fail(const std::string& prompt)
{
    if (m_failed)
        return;
    m_failed = true;
    AfxMessageBox(prompt, MB_OK);
    m_dialog.GotoDlgCtrl(m_idLastControl);
}

namespace
{
const char kIntegerRange[] = "Please enter an integer between %1 and %2.";

// Common start of every helper: nothing once the pass has failed.
bool Begin(CDataExchange& dx, int id)
{
    if (dx.Failed())
        return false;
    dx.PrepareCtrl(id);
    return true;
}

bool Checking(const CDataExchange& dx)
{
    return dx.m_bSaveAndValidate && !dx.Failed();
}
} // namespace

void DDX_Text(CDataExchange& dx, int id, uint32_t& value)
{
    if (!Begin(dx, id))
        return;
    if (!dx.m_bSaveAndValidate) {
        dx.m_dialog.SetDlgItemText(id, Format("%u", value));
        return;
    }
    if (!ParseUnsignedField(dx.m_dialog.GetDlgItemText(id), value))
        dx.Fail(ScreenText("ENTER_UNSIGNED", "Please enter a positive integer."));
}

void DDX_Text(CDataExchange& dx, int id, int32_t& value)
{
    if (!Begin(dx, id))
        return;
    if (!dx.m_bSaveAndValidate) {
        dx.m_dialog.SetDlgItemText(id, Format("%d", value));
        return;
    }
    if (!ParseIntField(dx.m_dialog.GetDlgItemText(id), value))
        dx.Fail(ScreenText("ENTER_INTEGER", "Please enter an integer."));
}

void DDX_Text(CDataExchange& dx, int id, double& value)
{
    if (!Begin(dx, id))
        return;
    if (!dx.m_bSaveAndValidate) {
        dx.m_dialog.SetDlgItemText(id, Format("%.15g", value));
        return;
    }
    if (!ParseStrictDouble(dx.m_dialog.GetDlgItemText(id), value))
        dx.Fail(ScreenText("ENTER_NUMBER", "Please enter a number."));
}

void DDX_Text(CDataExchange& dx, int id, std::string& value)
{
    if (!Begin(dx, id))
        return;
    if (dx.m_bSaveAndValidate)
        value = dx.m_dialog.GetDlgItemText(id);
    else
        dx.m_dialog.SetDlgItemText(id, value);
}

void DDV_MinMaxUInt(CDataExchange& dx, uint32_t value, uint32_t minimum, uint32_t maximum)
{
    if (Checking(dx) && (value < minimum || value > maximum))
        dx.Fail(ScreenText("ENTER_INTEGER_RANGE", kIntegerRange, {Format("%u", minimum), Format("%u", maximum)}));
}

void DDV_MinMaxInt(CDataExchange& dx, int32_t value, int32_t minimum, int32_t maximum)
{
    if (Checking(dx) && (value < minimum || value > maximum))
        dx.Fail(ScreenText("ENTER_INTEGER_RANGE", kIntegerRange, {Format("%d", minimum), Format("%d", maximum)}));
}

void DDV_MinMaxDouble(CDataExchange& dx, double value, double minimum, double maximum)
{
    // Written so that a NaN member is refused too.
    if (Checking(dx) && !(value >= minimum && value <= maximum))
        dx.Fail(ScreenText("ENTER_NUMBER_RANGE", "Please enter a number between %1 and %2.",
                           {Format("%.15g", minimum), Format("%.15g", maximum)}));
}

void DDV_MaxChars(CDataExchange& dx, const std::string& value, int maxChars)
{
    if (dx.Failed())
        return;
    if (!dx.m_bSaveAndValidate)
        dx.m_dialog.SetLimitText(dx.m_idLastControl, maxChars);
    else if (Utf8Length(value) > static_cast<size_t>(maxChars))
        dx.Fail(ScreenText("ENTER_MAX_CHARS", "Please enter no more than %1 characters.", {Format("%d", maxChars)}));
}

void DDX_Radio(CDataExchange& dx, int firstId, int& value)
{
    if (!Begin(dx, firstId))
        return;
    const std::vector<int> group = dx.m_dialog.GetTemplate().RadioGroup(firstId);
    if (group.empty())
        return;
    if (!dx.m_bSaveAndValidate) {
        const bool inRange = value >= 0 && static_cast<size_t>(value) < group.size();
        dx.m_dialog.CheckDlgButton(group[inRange ? static_cast<size_t>(value) : 0], 1);
        return;
    }
    value = 0;
    for (size_t index = 0; index < group.size(); ++index) {
        if (dx.m_dialog.IsDlgButtonChecked(group[index]))
            value = static_cast<int>(index);
    }
}

void DDX_Check(CDataExchange& dx, int id, int& value)
{
    if (!Begin(dx, id))
        return;
    if (dx.m_bSaveAndValidate)
        value = dx.m_dialog.IsDlgButtonChecked(id);
    else
        dx.m_dialog.CheckDlgButton(id, value != 0 ? 1 : 0);
}

void DDX_Check(CDataExchange& dx, int id, bool& value)
{
    int state = value ? 1 : 0;
    DDX_Check(dx, id, state);
    if (dx.m_bSaveAndValidate && !dx.Failed())
        value = state != 0;
}
