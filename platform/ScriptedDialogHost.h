// The scripted dialog host of the command-line tool and the tests: applies a list of user
// actions to a dialog, then presses OK, and records what the dialog showed on the way.
#pragma once

#include "DialogHost.h"

#include <string>
#include <vector>

/// One user action on an open dialog.
struct CScriptAction
{
    enum Kind
    {
        SetText,   // "ID=TEXT": type TEXT into edit ID (the whole text, no typing limit)
        Check,     // "+ID": check a check box or radio button (the rest of its group unchecks)
        Uncheck,   // "-ID": uncheck a check box
        Press,     // "@ID": click a button (1 is OK, 2 Cancel) or any other button-like control
        SelectTab, // "tab=N": select tab N (from 0) of the dialog's first tab control
        SelectRow, // "row=N": select row N (from 0, -1 for none) of the dialog's first list
    };

    Kind kind = Press;
    int id = 0;       // control id (SetText, Check, Uncheck, Press)
    int index = 0;    // tab or row (SelectTab, SelectRow)
    std::string text; // SetText
};

/// Reads one command-line action ("ID=TEXT", "+ID", "-ID", "@ID", "tab=N", "row=N"); ids are
/// positive decimal numbers. False for anything else.
bool ParseScriptAction(const std::string& arg, CScriptAction& action);

/// Runs each dialog by applying the actions in order after it opened (stopping when one ends the
/// dialog), then pressing OK unless the dialog has ended. If OK was refused and the dialog is
/// still open, RunModal returns kDialogRefusedOpen and sets m_refusedOpen. An action that cannot
/// be applied (no such control, disabled, wrong kind) is recorded in m_actionErrors and cancels
/// the dialog. A dialog opened while another runs gets no actions, only OK.
class CScriptedDialogHost : public IDialogHost
{
public:
    CScriptedDialogHost() = default;
    explicit CScriptedDialogHost(std::vector<CScriptAction> actions) : m_actions(std::move(actions)) {}

    int RunModal(CDialog& dialog) override;

    std::vector<CScriptAction> m_actions;

    // What the last dialog run showed (reset when a dialog opens at the outer level).
    std::vector<std::string> m_messages;     // message boxes and validation prompts, in order
    std::vector<std::string> m_actionErrors; // actions that could not be applied
    int m_beeps = 0;
    int m_finalFocusId = 0; // the control with the focus when the run ended
    std::string m_finalCaption;
    bool m_refusedOpen = false; // OK was refused and the dialog stayed open
    int m_result = 0;           // what RunModal returned

private:
    bool Apply(CDialog& dialog, const CScriptAction& action);
    int RunNested(CDialog& dialog);

    int m_depth = 0;
};
