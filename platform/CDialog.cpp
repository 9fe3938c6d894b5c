// The modal dialog model: control state by id, the standard handlers, and the user-input entry
// points shared by the Qt host and the scripted host.
#include "CDialog.h"

#include "DataExchange.h"
#include "DialogHost.h"
#include "Format.h"
#include "NumberParse.h"
#include "UIServices.h"

#include <algorithm>

CDialog::CDialog(const CDialogTemplate& dialogTemplate) : m_template(dialogTemplate), m_caption(dialogTemplate.caption)
{
    m_controls.reserve(m_template.controls.size());
    for (const CControlTemplate& source : m_template.controls) {
        CControl control;
        control.source = &source;
        control.state.text = source.text;
        control.state.enabled = !source.disabled;
        control.state.limit = source.maxChars;
        // Each radio group starts with its first button checked: a group never has none.
        control.state.checked = source.kind == CControlTemplate::Radio && source.groupStart;
        if (source.kind == CControlTemplate::List)
            control.list = std::make_unique<CListCtrl>();
        if (source.kind == CControlTemplate::Tab)
            control.tab = std::make_unique<CTabCtrl>();
        m_controls.push_back(std::move(control));
    }
}

CDialog::~CDialog() = default;

int CDialog::DoModal()
{
    return CurrentDialogHost().RunModal(*this);
}

bool CDialog::OnInitDialog()
{
    UpdateData(false);
    return true;
}

void CDialog::DoDataExchange(CDataExchange&)
{}

void CDialog::OnOK()
{
    if (UpdateData(true))
        EndDialog(IDOK);
}

void CDialog::OnCancel()
{
    EndDialog(IDCANCEL);
}

void CDialog::OnCommand(int id)
{
    if (id == IDOK)
        OnOK();
    else if (id == IDCANCEL)
        OnCancel();
    else
        OnButton(id);
}

void CDialog::OnButton(int)
{}

void CDialog::OnTabSelChange(int)
{}

bool CDialog::UpdateData(bool saveAndValidate)
{
    CDataExchange dx(*this, saveAndValidate);
    DoDataExchange(dx);
    return !dx.Failed();
}

void CDialog::EndDialog(int result)
{
    m_ended = true;
    m_result = result;
    Notify(CDialogChange::Ended, 0);
}

void CDialog::Notify(CDialogChange change, int id) const
{
    if (m_onChange)
        m_onChange(change, id);
}

CDialog::CControl* CDialog::Find(int id)
{
    return const_cast<CControl*>(static_cast<const CDialog*>(this)->Find(id));
}

const CDialog::CControl* CDialog::Find(int id) const
{
    for (const CControl& control : m_controls) {
        if (control.source->id == id)
            return &control;
    }
    if (std::find(m_unknownIds.begin(), m_unknownIds.end(), id) == m_unknownIds.end())
        m_unknownIds.push_back(id);
    return nullptr;
}

CDialog::CControl* CDialog::FindUsable(int id)
{
    CControl* control = Find(id);
    return (control && control->state.enabled && control->state.visible) ? control : nullptr;
}

void CDialog::SetDlgItemText(int id, const std::string& text)
{
    CControl* control = Find(id);
    if (!control || control->state.text == text)
        return;
    control->state.text = text;
    Notify(CDialogChange::Text, id);
}

std::string CDialog::GetDlgItemText(int id) const
{
    const CControl* control = Find(id);
    return control ? control->state.text : std::string();
}

bool CDialog::CanFocus(const CControl& control) const
{
    return control.source->id != kStaticId && control.source->TakesFocus() && control.state.enabled &&
           control.state.visible;
}

void CDialog::GotoDlgCtrl(int id)
{
    const CControl* control = Find(id);
    if (!control || !CanFocus(*control) || m_focusId == id)
        return;
    m_focusId = id;
    Notify(CDialogChange::Focus, id);
}

// Focuses the first control from `start` on (wrapping round) that can take the focus; a radio
// group is entered at its checked button.
void CDialog::FocusFirstFrom(size_t start)
{
    const size_t count = m_controls.size();
    for (size_t step = 0; step < count; ++step) {
        const CControl& control = m_controls[(start + step) % count];
        if (!CanFocus(control) || (control.source->kind == CControlTemplate::Radio && !control.state.checked))
            continue;
        GotoDlgCtrl(control.source->id);
        return;
    }
    m_focusId = 0;
    Notify(CDialogChange::Focus, 0);
}

// A control that can no longer take the focus passes it on to the next one in tab order.
void CDialog::LeaveIfFocused(const CControl& control)
{
    if (control.source->id != m_focusId)
        return;
    FocusFirstFrom(static_cast<size_t>(&control - m_controls.data()) + 1);
}

void CDialog::EnableWindow(int id, bool enable)
{
    CControl* control = Find(id);
    if (!control || control->state.enabled == enable)
        return;
    control->state.enabled = enable;
    Notify(CDialogChange::Enable, id);
    if (!enable)
        LeaveIfFocused(*control);
}

bool CDialog::IsWindowEnabled(int id) const
{
    const CControl* control = Find(id);
    return control && control->state.enabled;
}

void CDialog::ShowWindow(int id, bool show)
{
    CControl* control = Find(id);
    if (!control || control->state.visible == show)
        return;
    control->state.visible = show;
    Notify(CDialogChange::Visible, id);
    if (!show)
        LeaveIfFocused(*control);
}

bool CDialog::IsWindowVisible(int id) const
{
    const CControl* control = Find(id);
    return control && control->state.visible;
}

void CDialog::SetChecked(CControl& control, bool checked)
{
    if (control.state.checked == checked)
        return;
    control.state.checked = checked;
    Notify(CDialogChange::Check, control.source->id);
}

void CDialog::CheckDlgButton(int id, int check)
{
    CControl* control = Find(id);
    if (!control)
        return;
    if (control->source->kind == CControlTemplate::Check) {
        SetChecked(*control, check != 0);
    } else if (control->source->kind == CControlTemplate::Radio && check != 0) {
        for (int member : m_template.RadioGroup(id)) {
            if (member != id)
                SetChecked(*Find(member), false);
        }
        SetChecked(*control, true);
    }
}

int CDialog::IsDlgButtonChecked(int id) const
{
    const CControl* control = Find(id);
    return (control && control->state.checked) ? 1 : 0;
}

void CDialog::CheckRadioButton(int firstId, int lastId, int checkId)
{
    const CControl* control = Find(checkId);
    if (control && control->source->kind == CControlTemplate::Radio && checkId >= firstId && checkId <= lastId)
        CheckDlgButton(checkId, 1);
}

int CDialog::GetCheckedRadioButton(int firstId, int lastId) const
{
    for (const CControl& control : m_controls) {
        const int id = control.source->id;
        if (control.source->kind == CControlTemplate::Radio && id >= firstId && id <= lastId && control.state.checked)
            return id;
    }
    return 0;
}

void CDialog::SetLimitText(int id, int maxChars)
{
    CControl* control = Find(id);
    if (!control || control->state.limit == maxChars)
        return;
    control->state.limit = maxChars;
    Notify(CDialogChange::Limit, id);
}

void CDialog::SetRange(int id, int lower, int upper)
{
    CControl* control = Find(id);
    if (!control)
        return;
    control->state.rangeLower = lower;
    control->state.rangeUpper = upper;
    Notify(CDialogChange::Range, id);
}

void CDialog::SetPos(int id, int pos)
{
    CControl* control = Find(id);
    if (!control)
        return;
    control->state.pos = pos;
    Notify(CDialogChange::Range, id);
}

int CDialog::GetPos(int id) const
{
    const CControl* control = Find(id);
    return control ? control->state.pos : 0;
}

void CDialog::SetWindowText(const std::string& caption)
{
    if (m_caption == caption)
        return;
    m_caption = caption;
    Notify(CDialogChange::Caption, 0);
}

CListCtrl* CDialog::GetListCtrl(int id)
{
    CControl* control = Find(id);
    return control ? control->list.get() : nullptr;
}

CTabCtrl* CDialog::GetTabCtrl(int id)
{
    CControl* control = Find(id);
    return control ? control->tab.get() : nullptr;
}

const CControlState* CDialog::GetControlState(int id) const
{
    const CControl* control = Find(id);
    return control ? &control->state : nullptr;
}

void CDialog::BeginModal()
{
    m_ended = false;
    m_result = 0;
    m_focusId = 0;
    if (OnInitDialog())
        FocusFirstFrom(0);
}

bool CDialog::UserSetText(int id, const std::string& text)
{
    CControl* control = FindUsable(id);
    if (!control ||
        (control->source->kind != CControlTemplate::Edit && control->source->kind != CControlTemplate::NumberEdit))
        return false;
    GotoDlgCtrl(id);
    SetDlgItemText(id, text);
    return true;
}

bool CDialog::UserClick(int id)
{
    CControl* control = FindUsable(id);
    if (!control)
        return false;
    switch (control->source->kind) {
    case CControlTemplate::Radio:
        CheckDlgButton(id, 1);
        break;
    case CControlTemplate::Check:
        SetChecked(*control, !control->state.checked);
        break;
    case CControlTemplate::Button:
    case CControlTemplate::DefButton:
        break;
    default:
        return false;
    }
    GotoDlgCtrl(id);
    OnCommand(id);
    return true;
}

bool CDialog::UserSetCheck(int id, bool checked)
{
    const CControl* control = FindUsable(id);
    if (!control)
        return false;
    if (control->source->kind == CControlTemplate::Radio)
        return checked && UserClick(id);
    if (control->source->kind != CControlTemplate::Check)
        return false;
    return control->state.checked == checked || UserClick(id);
}

bool CDialog::UserSelectTab(int tabId, int index)
{
    CControl* control = FindUsable(tabId);
    if (!control || !control->tab || index < 0 || index >= control->tab->GetItemCount())
        return false;
    if (control->tab->GetCurSel() != index) {
        control->tab->SetCurSel(index);
        OnTabSelChange(tabId);
    }
    return true;
}

bool CDialog::UserSelectRow(int listId, int row)
{
    CControl* control = FindUsable(listId);
    if (!control || !control->list || row < -1 || row >= control->list->GetItemCount())
        return false;
    control->list->SelectRow(row);
    return true;
}

bool CDialog::UserStepUpDown(int id, int delta)
{
    CControl* control = FindUsable(id);
    if (!control || control->source->kind != CControlTemplate::UpDown)
        return false;
    const CControlState& state = control->state;
    int32_t value = state.pos;
    ParseIntField(GetDlgItemText(control->source->buddy), value);
    const int64_t lower = std::min(state.rangeLower, state.rangeUpper);
    const int64_t upper = std::max(state.rangeLower, state.rangeUpper);
    const int next = static_cast<int>(std::clamp(static_cast<int64_t>(value) + delta, lower, upper));
    SetPos(id, next);
    SetDlgItemText(control->source->buddy, Format("%d", next));
    return true;
}
