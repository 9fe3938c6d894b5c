// The program's own screen texts: numbered directives, and the refusals of dialog fields read
// from the vocabulary with their bounds filled in.
#include "ScreenText.h"

#include "ExampleDialog.h"
#include "HookGuards.h"

#include <gtest/gtest.h>

namespace
{
CProfile ProfileOf(const std::string& text)
{
    CProfile profile;
    profile.Parse(text);
    return profile;
}
} // namespace

TEST(ScreenText, FillsNumberedDirectivesOnce)
{
    EXPECT_EQ(FillDirectives("%2 before %1", {"a", "b"}), "b before a");
    // An argument's own directives stay as they are; a missing argument leaves its directive.
    EXPECT_EQ(FillDirectives("%1 and %2", {"%2"}), "%2 and %2");
    EXPECT_EQ(FillDirectives("100%% of %1, 95% CI", {"n"}), "100% of n, 95% CI");
    EXPECT_EQ(FillDirectives("ends with %", {}), "ends with %");
}

TEST(ScreenText, RefusedFieldsSpeakTheVocabularyAndKeepTheirBounds)
{
    CHeadlessUIServices ui;
    CUIServicesGuard services(ui);
    CVocabularyGuard vocabulary({ProfileOf("[Screen]\n"
                                           "ENTER_NUMBER=Veuillez entrer un nombre.\n"
                                           "ENTER_INTEGER_RANGE=Entier : de %1 à %2, pas %3\n")});
    CExampleDlg dlg;
    dlg.m_title = "t";
    const auto okWith = [&](const char* percent, const char* size) {
        dlg.BeginModal();
        dlg.SetDlgItemText(1022, "t");
        dlg.SetDlgItemText(1023, percent);
        dlg.SetDlgItemText(1024, size);
        ui.m_messages.clear();
        dlg.OnOK();
        return ui.m_messages.empty() ? std::string() : ui.m_messages.front();
    };
    EXPECT_EQ(okWith("abc", "1"), "Veuillez entrer un nombre.");
    // A directive the program has no value for stays visible rather than reading garbage.
    EXPECT_EQ(okWith("1", "0"), "Entier : de 1 à 1000000, pas %3");
    // Keys the file lacks keep the English text.
    EXPECT_EQ(okWith("1", "x"), "Please enter a positive integer.");
}
