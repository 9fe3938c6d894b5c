// The toolkit-free modal dialog: controls addressed by id with their state, data exchange,
// command handlers, and the user-input entry points through which a dialog host drives it.
#pragma once

#include "DialogTemplate.h"
#include "ListCtrl.h"
#include "TabCtrl.h"

#include <functional>
#include <memory>
#include <string>
#include <vector>

class CDataExchange;

/// State of one control, as a host shows it.
struct CControlState
{
    std::string text; // edit contents, or the label of a static, button or group box
    bool checked = false;
    bool enabled = true;
    bool visible = true;
    int limit = 0; // typing limit in characters, 0 = none
    int rangeLower = 0;
    int rangeUpper = 100;
    int pos = 0; // up-down and progress position
};

/// What changed in a dialog, for a host that mirrors it (`id` 0 for the caption and the end).
enum class CDialogChange
{
    Text,
    Check,
    Enable,
    Visible,
    Focus,
    Limit,
    Range,
    Caption,
    Ended
};

class CDialog
{
public:
    using ChangeCallback = std::function<void(CDialogChange change, int id)>;

    explicit CDialog(const CDialogTemplate& dialogTemplate);
    virtual ~CDialog();
    CDialog(const CDialog&) = delete;
    CDialog& operator=(const CDialog&) = delete;

    /// Runs the dialog through the current dialog host; IDOK, IDCANCEL, or kDialogRefusedOpen.
    int DoModal();

    /// Base: the initial exchange (UpdateData(false)); returns true to let the host put the
    /// focus on the first control. Derived dialogs call it first, then set their texts.
    virtual bool OnInitDialog();
    /// Exchanges the fields in the order of the calls (write them in template order).
    virtual void DoDataExchange(CDataExchange& dx);
    /// Base: UpdateData(true) and, when every field passes, EndDialog(IDOK).
    virtual void OnOK();
    virtual void OnCancel();
    /// A button was pressed: IDOK -> OnOK, IDCANCEL -> OnCancel, others -> OnButton.
    virtual void OnCommand(int id);
    /// Any other button, radio button or check box clicked by the user (after its check
    /// state changed).
    virtual void OnButton(int id);
    /// The user selected another tab of tab control `tabId`.
    virtual void OnTabSelChange(int tabId);

    /// Shows the members in the controls (false) or reads and validates them (true); false when
    /// a field was refused (its prompt was shown and it has the focus).
    bool UpdateData(bool saveAndValidate = true);
    void EndDialog(int result);
    bool IsEnded() const { return m_ended; }
    int GetResult() const { return m_result; }

    void SetDlgItemText(int id, const std::string& text);
    std::string GetDlgItemText(int id) const;
    /// Moves the focus to a control that can take it (enabled and visible).
    void GotoDlgCtrl(int id);
    /// The control with the focus, 0 for none.
    int GetFocusId() const { return m_focusId; }
    void EnableWindow(int id, bool enable = true);
    bool IsWindowEnabled(int id) const;
    void ShowWindow(int id, bool show);
    bool IsWindowVisible(int id) const;
    /// Check boxes take 0 or 1. A radio button given 1 is checked and the rest of its group
    /// unchecked; 0 on a radio button is ignored, so each group keeps exactly one checked.
    void CheckDlgButton(int id, int check);
    int IsDlgButtonChecked(int id) const;
    /// Checks `checkId`, unchecking the others of its group (ignored when it is no radio
    /// button in [firstId, lastId]).
    void CheckRadioButton(int firstId, int lastId, int checkId);
    /// The checked radio button with an id in [firstId, lastId], 0 for none.
    int GetCheckedRadioButton(int firstId, int lastId) const;
    void SetLimitText(int id, int maxChars);
    /// Range and position of an up-down or progress control.
    void SetRange(int id, int lower, int upper);
    void SetPos(int id, int pos);
    int GetPos(int id) const;
    void SetWindowText(const std::string& caption);
    std::string GetWindowText() const { return m_caption; }

    /// The list or tab model of a control, nullptr when `id` is no such control.
    CListCtrl* GetListCtrl(int id);
    CTabCtrl* GetTabCtrl(int id);

    // For dialog hosts.
    const CDialogTemplate& GetTemplate() const { return m_template; }
    int GetTemplateId() const { return m_template.id; }
    /// State of the (first) control with this id, nullptr when there is none.
    const CControlState* GetControlState(int id) const;
    /// Starts a modal run: clears the end state, runs OnInitDialog and, when it returns true,
    /// focuses the first control that takes the focus.
    void BeginModal();
    /// The user's actions; each returns false (and does nothing) when the control is missing,
    /// disabled or hidden, or the action does not apply to it.
    bool UserSetText(int id, const std::string& text);
    /// A click: a button sends its command, a radio button is checked, a check box toggles;
    /// radio buttons and check boxes then also send their command (to OnButton).
    bool UserClick(int id);
    /// Checks (or unchecks) a check box or radio button as a click would; a radio button cannot
    /// be unchecked.
    bool UserSetCheck(int id, bool checked);
    bool UserSelectTab(int tabId, int index);
    bool UserSelectRow(int listId, int row);
    /// One arrow step of an up-down control: buddy value plus `delta`, kept in the range.
    bool UserStepUpDown(int id, int delta);
    void SetChangeCallback(ChangeCallback callback) { m_onChange = std::move(callback); }
    /// Ids that dialog code addressed but the template lacks (an authoring fault tests catch).
    const std::vector<int>& GetUnknownIds() const { return m_unknownIds; }

private:
    struct CControl
    {
        const CControlTemplate* source = nullptr; // into m_template
        CControlState state;
        std::unique_ptr<CListCtrl> list;
        std::unique_ptr<CTabCtrl> tab;
    };

    CControl* Find(int id);
    const CControl* Find(int id) const;
    CControl* FindUsable(int id);
    bool CanFocus(const CControl& control) const;
    void FocusFirstFrom(size_t start);
    void LeaveIfFocused(const CControl& control);
    void SetChecked(CControl& control, bool checked);
    void Notify(CDialogChange change, int id) const;

    CDialogTemplate m_template;
    std::vector<CControl> m_controls;
    std::string m_caption;
    int m_focusId = 0;
    bool m_ended = false;
    int m_result = 0;
    ChangeCallback m_onChange;
    mutable std::vector<int> m_unknownIds;
};
