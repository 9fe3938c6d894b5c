// Scoped guards for the platform's global hooks (UI services, dialog host, vocabulary, the
// fallback observer): a test installs what it needs for one scope, and the previous state comes
// back when the scope ends, also when an ASSERT returns early or an exception leaves it.
#pragma once

#include "DialogHost.h"
#include "Profile.h"
#include "UIServices.h"

#include <functional>
#include <optional>
#include <string_view>
#include <vector>

/// Installs UI services for a scope; the services in force before come back after.
class CUIServicesGuard
{
public:
    explicit CUIServicesGuard(IUIServices& services);
    ~CUIServicesGuard();
    CUIServicesGuard(const CUIServicesGuard&) = delete;
    CUIServicesGuard& operator=(const CUIServicesGuard&) = delete;

private:
    IUIServices* m_previous;
};

/// Installs a dialog host for a scope; the host in force before comes back after.
class CDialogHostGuard
{
public:
    explicit CDialogHostGuard(IDialogHost& host);
    ~CDialogHostGuard();
    CDialogHostGuard(const CDialogHostGuard&) = delete;
    CDialogHostGuard& operator=(const CDialogHostGuard&) = delete;

private:
    IDialogHost* m_previous;
};

/// Uses exactly these vocabulary profiles for a scope. The loaded profiles cannot be read back,
/// so afterwards either `restore` is installed or, without it, the vocabulary is reset to its
/// default search ($ZENTAVO_INI in the tests).
class CVocabularyGuard
{
public:
    explicit CVocabularyGuard(std::vector<CProfile> profiles,
                              std::optional<std::vector<CProfile>> restore = std::nullopt);
    ~CVocabularyGuard();
    CVocabularyGuard(const CVocabularyGuard&) = delete;
    CVocabularyGuard& operator=(const CVocabularyGuard&) = delete;

private:
    std::optional<std::vector<CProfile>> m_restore;
};

/// Observes vocabulary fallbacks for a scope; no observer is left installed afterwards.
class CFallbackObserverGuard
{
public:
    explicit CFallbackObserverGuard(std::function<void(std::string_view, std::string_view)> observer);
    ~CFallbackObserverGuard();
    CFallbackObserverGuard(const CFallbackObserverGuard&) = delete;
    CFallbackObserverGuard& operator=(const CFallbackObserverGuard&) = delete;
};

/// Headless UI services and a dialog host installed together, as a calculation's Do needs them.
class CHeadlessScope
{
public:
    explicit CHeadlessScope(IDialogHost& host) : m_servicesGuard(m_services), m_hostGuard(host) {}

    CHeadlessUIServices m_services;

private:
    CUIServicesGuard m_servicesGuard;
    CDialogHostGuard m_hostGuard;
};
