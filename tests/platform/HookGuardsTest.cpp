// The scoped guards of the global hooks: what was in force comes back, also when a test gives
// up halfway on a failed ASSERT, and nested guards unwind in order.
#include "HookGuards.h"

#include "DialogHost.h"
#include "Profile.h"
#include "ScriptedDialogHost.h"
#include "UIServices.h"

#include <gtest/gtest-spi.h>
#include <gtest/gtest.h>

namespace
{
CHeadlessUIServices g_outerServices;
CScriptedDialogHost g_outerHost;

/// Installs its own services, host and vocabulary, then gives up on a failed ASSERT.
void GiveUpWithHooksInstalled()
{
    CHeadlessUIServices services;
    const CUIServicesGuard servicesGuard(services);
    CScriptedDialogHost host;
    const CDialogHostGuard hostGuard(host);
    CProfile words;
    words.Parse("[Terms]\n05=inner\n");
    const CVocabularyGuard vocabulary({words});
    const CFallbackObserverGuard observer([](std::string_view, std::string_view) { FAIL() << "observed"; });
    ASSERT_EQ(&UIServices(), &g_outerServices) << "gives up";
}
} // namespace

TEST(HookGuards, AFailedAssertionLeavesTheOuterHooksInForce)
{
    const CUIServicesGuard services(g_outerServices);
    const CDialogHostGuard host(g_outerHost);
    CProfile outer;
    outer.Parse("[Terms]\n05=outer\n");
    const CVocabularyGuard vocabulary({outer});

    EXPECT_FATAL_FAILURE(GiveUpWithHooksInstalled(), "gives up");
    EXPECT_EQ(&UIServices(), &g_outerServices);
    EXPECT_EQ(&CurrentDialogHost(), &g_outerHost);
    // The inner vocabulary went; so did the observer (a lookup that falls back reports to
    // nobody instead of to a function that is gone).
    EXPECT_NE(GetProfileString("Terms", "05", "none"), "inner");
    EXPECT_EQ(GetProfileString("Terms", "no such key", "default"), "default");
}

TEST(HookGuards, NestedGuardsUnwindInOrderToTheDefaults)
{
    IUIServices& defaultServices = UIServices();
    IDialogHost& defaultHost = CurrentDialogHost();
    {
        CHeadlessUIServices first;
        const CUIServicesGuard outer(first);
        {
            CHeadlessUIServices second;
            const CUIServicesGuard inner(second);
            EXPECT_EQ(&UIServices(), &second);
            CScriptedDialogHost host;
            const CDialogHostGuard hostGuard(host);
            EXPECT_EQ(&CurrentDialogHost(), &host);
        }
        EXPECT_EQ(&UIServices(), &first);
        EXPECT_EQ(&CurrentDialogHost(), &defaultHost);
    }
    EXPECT_EQ(&UIServices(), &defaultServices);
}
