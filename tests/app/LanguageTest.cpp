// The chosen language on screen: Qt's own texts follow it, and View > Language lists the
// system's choice and every language, remembers the one picked and says when it takes effect.
#include "Language.h"

#include "CLanguageMenu.h"
#include "HookGuards.h"
#include "Profile.h"
#include "QtTranslations.h"
#include "UIServices.h"

#include <QAction>
#include <QCoreApplication>
#include <QTemporaryDir>

#include <cstdlib>
#include <fstream>
#include <gtest/gtest.h>
#include <iterator>
#include <optional>

namespace
{
QString QtYes()
{
    return QCoreApplication::translate("QPlatformTheme", "&Yes");
}

QAction* LanguageAction(const QMenu& menu, const char* code)
{
    return menu.findChild<QAction*>(QStringLiteral("lang-") + QLatin1String(code));
}

/// A private installed vocabulary and configuration folder; environment and vocabulary come
/// back afterwards.
class LanguageMenu : public ::testing::Test
{
protected:
    void SetUp() override
    {
        ASSERT_TRUE(m_dir.isValid());
        m_root = m_dir.path().toStdString();
        for (const char* name : {"ZENTAVO_INI", "XDG_CONFIG_HOME", "LC_ALL", "LC_MESSAGES", "LANG"}) {
            const char* value = std::getenv(name);
            m_saved.emplace_back(name, value ? std::optional<std::string>(value) : std::nullopt);
        }
        unsetenv("ZENTAVO_INI");
        unsetenv("LC_MESSAGES");
        setenv("LC_ALL", "C", 1);
        setenv("XDG_CONFIG_HOME", (m_root + "/config").c_str(), 1);
        std::ofstream(m_root + "/Zentavo.ini") << "[Menus]\nVIEW_LANGUAGE=&Langue\n"
                                                  "[Languages]\nSYSTEM=&Système\nFR=Français\n"
                                                  "[Screen]\nLANGUAGE_AT_START=Au prochain démarrage.\n";
        InitVocabulary(m_root);
    }
    void TearDown() override
    {
        for (const auto& [name, value] : m_saved) {
            if (value)
                setenv(name.c_str(), value->c_str(), 1);
            else
                unsetenv(name.c_str());
        }
        ResetVocabulary();
    }

    std::string UserFileText() const
    {
        std::ifstream in(m_root + "/config/zentavo/Zentavo.ini", std::ios::binary);
        return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
    }

    QTemporaryDir m_dir;
    std::string m_root;
    std::vector<std::pair<std::string, std::optional<std::string>>> m_saved;
};
} // namespace

TEST(QtTranslations, FollowTheLanguageAndFallBackToEnglish)
{
    ASSERT_EQ(QtYes(), "&Yes");
    EXPECT_TRUE(LoadQtTranslations("fr"));
    EXPECT_EQ(QtYes(), "&Oui");
    // Portuguese is found under the only Portuguese file Qt has.
    EXPECT_TRUE(LoadQtTranslations("pt"));
    EXPECT_NE(QtYes(), "&Yes");
    // English, or a language Qt has no file for, leaves Qt's own English.
    EXPECT_FALSE(LoadQtTranslations("en"));
    EXPECT_EQ(QtYes(), "&Yes");
    EXPECT_FALSE(LoadQtTranslations("xx"));
    EXPECT_EQ(QtYes(), "&Yes");
}

TEST_F(LanguageMenu, ListsSystemAndEveryLanguageAndRemembersTheChoice)
{
    CHeadlessUIServices ui;
    CUIServicesGuard services(ui);
    CLanguageMenu menu(nullptr);
    EXPECT_EQ(menu.title(), "&Langue");
    EXPECT_TRUE(menu.isEnabled());
    QStringList texts;
    for (QAction* action : menu.actions())
        if (action->isCheckable())
            texts << action->text();
    // Entries the vocabulary lacks show their key, as every other text does.
    EXPECT_EQ(texts, QStringList({"&Système", "EN", "DE", "ES", "Français", "IT", "PT"}));
    ASSERT_NE(LanguageAction(menu, "system"), nullptr);
    EXPECT_TRUE(LanguageAction(menu, "system")->isChecked());

    LanguageAction(menu, "fr")->trigger();
    EXPECT_EQ(UserFileText(), "[Window]\nLanguage=fr\n");
    EXPECT_TRUE(LanguageAction(menu, "fr")->isChecked());
    EXPECT_FALSE(LanguageAction(menu, "system")->isChecked());
    ASSERT_EQ(ui.m_messages.size(), 1u);
    EXPECT_EQ(ui.m_messages.front(), "Au prochain démarrage.");

    // Back to the system's language, which is the one in use: nothing to announce.
    ui.m_messages.clear();
    LanguageAction(menu, "system")->trigger();
    EXPECT_EQ(UserFileText(), "[Window]\nLanguage=system\n");
    EXPECT_TRUE(ui.m_messages.empty());
}

TEST_F(LanguageMenu, IsDisabledWithAnExplicitVocabulary)
{
    InitVocabulary(m_root, m_root + "/Zentavo.ini");
    CLanguageMenu menu(nullptr);
    EXPECT_FALSE(menu.isEnabled());
    EXPECT_FALSE(CLanguageMenu::Choose(QStringLiteral("de")));
    EXPECT_EQ(UserFileText(), "");
}
