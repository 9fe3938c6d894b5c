// Scoped guards for the platform's global hooks.
#include "HookGuards.h"

#include <utility>

CUIServicesGuard::CUIServicesGuard(IUIServices& services) : m_previous(&UIServices())
{
    SetUIServices(&services);
}

CUIServicesGuard::~CUIServicesGuard()
{
    SetUIServices(m_previous);
}

CDialogHostGuard::CDialogHostGuard(IDialogHost& host) : m_previous(&CurrentDialogHost())
{
    SetDialogHost(&host);
}

CDialogHostGuard::~CDialogHostGuard()
{
    SetDialogHost(m_previous);
}

CVocabularyGuard::CVocabularyGuard(std::vector<CProfile> profiles, std::optional<std::vector<CProfile>> restore)
    : m_restore(std::move(restore))
{
    SetVocabularyProfiles(std::move(profiles));
}

CVocabularyGuard::~CVocabularyGuard()
{
    if (m_restore)
        SetVocabularyProfiles(std::move(*m_restore));
    else
        ResetVocabulary();
}

CFallbackObserverGuard::CFallbackObserverGuard(std::function<void(std::string_view, std::string_view)> observer)
{
    SetVocabularyFallbackObserver(std::move(observer));
}

CFallbackObserverGuard::~CFallbackObserverGuard()
{
    SetVocabularyFallbackObserver(nullptr);
}
