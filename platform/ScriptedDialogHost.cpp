// The scripted dialog host: action parsing, applying actions through the dialog's user-input
// entry points, and recording messages through a pass-through layer over the UI services.
#include "ScriptedDialogHost.h"

#include "CDialog.h"
#include "Format.h"
#include "UIServices.h"

#include <charconv>

namespace
{
// Reads a whole decimal number (optionally negative when allowed) into `value`.
bool ParseNumber(std::string_view text, int& value, bool allowNegative)
{
    if (text.empty() || text.front() == '+' || (text.front() == '-' && !allowNegative))
        return false;
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
    return error == std::errc() && end == text.data() + text.size();
}

bool ParseId(std::string_view text, int& id)
{
    return ParseNumber(text, id, false) && id > 0;
}

/// Passes every call on to the services in force and records messages and beeps for the host.
class CRecordingUIServices : public IUIServices
{
public:
    CRecordingUIServices(IUIServices& inner, CScriptedDialogHost& host) : m_inner(inner), m_host(host)
    {
        SetUIServices(this);
    }
    ~CRecordingUIServices() override { SetUIServices(&m_inner); }

    int MessageBox(const std::string& text, unsigned buttons) override
    {
        m_host.m_messages.push_back(text);
        return m_inner.MessageBox(text, buttons);
    }
    void Beep(unsigned frequencyHz, unsigned durationMs) override
    {
        ++m_host.m_beeps;
        m_inner.Beep(frequencyHz, durationMs);
    }
    void BeginWaitCursor() override { m_inner.BeginWaitCursor(); }
    void EndWaitCursor() override { m_inner.EndWaitCursor(); }
    void ProgressBegin(const std::string& caption, int maximum) override { m_inner.ProgressBegin(caption, maximum); }
    void ProgressSetPos(int position) override { m_inner.ProgressSetPos(position); }
    void ProgressEnd() override { m_inner.ProgressEnd(); }
    std::optional<std::string> AskFileName(const CFileDialogRequest& request) override
    {
        return m_inner.AskFileName(request);
    }
    bool SetClipboard(const CClipboardData& data, std::string& error) override
    {
        return m_inner.SetClipboard(data, error);
    }
    std::optional<std::vector<unsigned char>> GetClipboardCalculation() override
    {
        return m_inner.GetClipboardCalculation();
    }
    bool ClipboardHasCalculation() override { return m_inner.ClipboardHasCalculation(); }

private:
    IUIServices& m_inner;
    CScriptedDialogHost& m_host;
};

// The first control of a kind, 0 when the dialog has none.
int FirstOfKind(const CDialog& dialog, CControlTemplate::Kind kind)
{
    for (const CControlTemplate& control : dialog.GetTemplate().controls) {
        if (control.kind == kind)
            return control.id;
    }
    return 0;
}

// Why an action on control `id` could not be applied.
std::string Refusal(CDialog& dialog, int id)
{
    if (!dialog.GetTemplate().Find(id))
        return Format("no control %d in dialog %d", id, dialog.GetTemplateId());
    if (!dialog.IsWindowEnabled(id))
        return Format("control %d is disabled", id);
    if (!dialog.IsWindowVisible(id))
        return Format("control %d is hidden", id);
    return Format("control %d does not take this action", id);
}

// OK as Enter gives it: the OK button's click, or the command itself when there is no button.
void PressOK(CDialog& dialog)
{
    if (!dialog.GetTemplate().Find(IDOK))
        dialog.OnCommand(IDOK);
    else
        dialog.UserClick(IDOK);
}
} // namespace

bool ParseScriptAction(const std::string& arg, CScriptAction& action)
{
    const std::string_view text(arg);
    CScriptAction parsed;
    if (text.rfind("tab=", 0) == 0) {
        parsed.kind = CScriptAction::SelectTab;
        if (!ParseNumber(text.substr(4), parsed.index, false))
            return false;
    } else if (text.rfind("row=", 0) == 0) {
        parsed.kind = CScriptAction::SelectRow;
        if (!ParseNumber(text.substr(4), parsed.index, true) || parsed.index < -1)
            return false;
    } else if (!text.empty() && (text.front() == '+' || text.front() == '-' || text.front() == '@')) {
        parsed.kind = text.front() == '+'   ? CScriptAction::Check
                      : text.front() == '-' ? CScriptAction::Uncheck
                                            : CScriptAction::Press;
        if (!ParseId(text.substr(1), parsed.id))
            return false;
    } else {
        const size_t equals = text.find('=');
        if (equals == std::string_view::npos || !ParseId(text.substr(0, equals), parsed.id))
            return false;
        parsed.kind = CScriptAction::SetText;
        parsed.text = arg.substr(equals + 1);
    }
    action = parsed;
    return true;
}

bool CScriptedDialogHost::Apply(CDialog& dialog, const CScriptAction& action)
{
    switch (action.kind) {
    case CScriptAction::SetText:
        if (dialog.UserSetText(action.id, action.text))
            return true;
        break;
    case CScriptAction::Check:
    case CScriptAction::Uncheck:
        if (dialog.UserSetCheck(action.id, action.kind == CScriptAction::Check))
            return true;
        break;
    case CScriptAction::Press:
        if (dialog.UserClick(action.id))
            return true;
        break;
    case CScriptAction::SelectTab:
    case CScriptAction::SelectRow: {
        const bool tab = action.kind == CScriptAction::SelectTab;
        const int id = FirstOfKind(dialog, tab ? CControlTemplate::Tab : CControlTemplate::List);
        if (id == 0) {
            m_actionErrors.push_back(tab ? "the dialog has no tab control" : "the dialog has no list");
            return false;
        }
        if (tab ? dialog.UserSelectTab(id, action.index) : dialog.UserSelectRow(id, action.index))
            return true;
        const bool present = tab ? action.index < dialog.GetTabCtrl(id)->GetItemCount()
                                 : action.index < dialog.GetListCtrl(id)->GetItemCount();
        m_actionErrors.push_back(present ? Refusal(dialog, id)
                                         : Format("no %s %d in control %d", tab ? "tab" : "row", action.index, id));
        return false;
    }
    }
    m_actionErrors.push_back(Refusal(dialog, action.id));
    return false;
}

int CScriptedDialogHost::RunNested(CDialog& dialog)
{
    dialog.BeginModal();
    if (!dialog.IsEnded())
        PressOK(dialog);
    return dialog.IsEnded() ? dialog.GetResult() : kDialogRefusedOpen;
}

int CScriptedDialogHost::RunModal(CDialog& dialog)
{
    if (m_depth > 0)
        return RunNested(dialog);
    m_messages.clear();
    m_actionErrors.clear();
    m_beeps = 0;
    CRecordingUIServices recorder(UIServices(), *this);
    struct CDepth
    {
        int& depth;
        ~CDepth() { --depth; }
    } depthGuard{++m_depth};
    dialog.BeginModal();
    size_t applied = 0;
    for (; applied < m_actions.size() && !dialog.IsEnded(); ++applied) {
        if (!Apply(dialog, m_actions[applied])) {
            dialog.EndDialog(IDCANCEL);
            break;
        }
    }
    if (!m_actionErrors.empty())
        ++applied;
    if (applied < m_actions.size())
        m_actionErrors.push_back(
            Format("%zu action(s) not applied: the dialog had closed", m_actions.size() - applied));
    if (!dialog.IsEnded())
        PressOK(dialog);
    m_refusedOpen = !dialog.IsEnded();
    m_result = m_refusedOpen ? kDialogRefusedOpen : dialog.GetResult();
    m_finalFocusId = dialog.GetFocusId();
    m_finalCaption = dialog.GetWindowText();
    return m_result;
}
