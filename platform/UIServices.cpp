// The UI-services seam and its headless implementation.
#include "UIServices.h"

#include "ScreenText.h"

#include <cstdio>

namespace
{
IUIServices* g_services = nullptr;

CHeadlessUIServices& DefaultServices()
{
    static CHeadlessUIServices services;
    return services;
}
} // namespace

IUIServices& UIServices()
{
    return g_services ? *g_services : DefaultServices();
}

void SetUIServices(IUIServices* services)
{
    g_services = services;
}

int AfxMessageBox(const std::string& text, unsigned buttons)
{
    return UIServices().MessageBox(text, buttons);
}

int CHeadlessUIServices::MessageBox(const std::string& text, unsigned buttons)
{
    m_messages.push_back(text);
    if (m_echoMessages)
        std::fprintf(stderr, "message: %s\n", text.c_str());
    if (!m_answers.empty()) {
        const int answer = m_answers.front();
        m_answers.pop_front();
        return answer;
    }
    return (buttons == MB_YESNO || buttons == MB_YESNOCANCEL) ? IDYES : IDOK;
}

void CHeadlessUIServices::Beep(unsigned, unsigned)
{
    ++m_beeps;
}

void CHeadlessUIServices::ProgressBegin(const std::string&, int)
{
    m_progressShown = true;
}

void CHeadlessUIServices::ProgressSetPos(int)
{
    ++m_progressUpdates;
}

void CHeadlessUIServices::ProgressEnd()
{
    m_progressShown = false;
}

std::optional<std::string> CHeadlessUIServices::AskFileName(const CFileDialogRequest& request)
{
    m_fileRequests.push_back(request);
    if (m_fileNames.empty())
        return std::nullopt;
    auto answer = m_fileNames.front();
    m_fileNames.pop_front();
    return answer;
}

bool CHeadlessUIServices::SetClipboard(const CClipboardData& data, std::string& error)
{
    if (m_clipboardFails) {
        error = ScreenText("NO_CLIPBOARD", "Cannot open clipboard");
        return false;
    }
    m_clipboard = data;
    return true;
}

std::optional<std::vector<unsigned char>> CHeadlessUIServices::GetClipboardCalculation()
{
    if (m_clipboard.calculation.empty())
        return std::nullopt;
    return m_clipboard.calculation;
}
