// The dialog host: what runs a modal dialog. The program installs its Qt host; the command-line
// tool and the tests install a scripted one.
#pragma once

class CDialog;

/// What RunModal returns when OK was refused and the script left the dialog open.
constexpr int kDialogRefusedOpen = -1;

class IDialogHost
{
public:
    virtual ~IDialogHost() = default;
    /// Runs the dialog modally (CDialog::BeginModal first) until it ends; returns its result.
    virtual int RunModal(CDialog& dialog) = 0;
};

/// The host in force; never null (a scripted host that only presses OK until one is installed).
IDialogHost& CurrentDialogHost();
/// Installs a host (not owned); nullptr restores the default.
void SetDialogHost(IDialogHost* host);
