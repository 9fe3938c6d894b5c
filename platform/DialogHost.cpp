// The current dialog host, with a scripted host that presses OK as the default.
#include "DialogHost.h"

#include "ScriptedDialogHost.h"

namespace
{
IDialogHost* g_host = nullptr;

IDialogHost& DefaultHost()
{
    static CScriptedDialogHost host;
    return host;
}
} // namespace

IDialogHost& CurrentDialogHost()
{
    return g_host ? *g_host : DefaultHost();
}

void SetDialogHost(IDialogHost* host)
{
    g_host = host;
}
