// The language of the vocabulary: codes, the system's choice, and the lookup order of the
// user's file over the language's file over the English base, with the choice remembered.
#include "Language.h"

#include "PortableTest.h"
#include "Profile.h"

#include <cstdlib>
#include <fstream>
#include <gtest/gtest.h>
#include <iterator>
#include <map>
#include <optional>

namespace fs = std::filesystem;

namespace
{
void WriteText(const fs::path& path, const std::string& text)
{
    fs::create_directories(path.parent_path());
    std::ofstream(path, std::ios::binary) << text;
}

std::string ReadText(const fs::path& path)
{
    std::ifstream in(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

/// Sets environment variables for a scope and restores them afterwards.
class CEnvScope
{
public:
    void Set(const char* name, const std::optional<std::string>& value)
    {
        if (!m_saved.count(name))
            m_saved[name] = TestEnv(name);
        SetTestEnv(name, value);
    }
    ~CEnvScope()
    {
        for (const auto& [name, value] : m_saved)
            SetTestEnv(name, value);
    }

private:
    std::map<std::string, std::optional<std::string>> m_saved;
};

/// An installed English base with its French and German files beside a fake executable, and a
/// private configuration folder for the user's file.
class LanguageFiles : public ::testing::Test
{
protected:
    void SetUp() override
    {
        m_root = MakeTempDir("zentavo-language");
        ASSERT_FALSE(m_root.empty());
        m_user = UserSettingsBelow(m_root / "config") / "Zentavo.ini";
        m_exeDir = m_root / "bin";
        m_env.Set(UserSettingsVariable(), Utf8Path(m_root / "config"));
        m_env.Set("ZENTAVO_INI", std::nullopt);
        m_env.Set("LC_ALL", std::nullopt);
        m_env.Set("LC_MESSAGES", std::nullopt);
        m_env.Set("LANG", "C.UTF-8");
        WriteText(m_exeDir / "Zentavo.ini", "[Terms]\n01=controls\n02=per group\n03=in total\n");
        WriteText(m_exeDir / "lang" / "Zentavo.fr.ini", "[Terms]\n01=témoins\n02=par groupe\n");
        WriteText(m_exeDir / "lang" / "Zentavo.de.ini", "[Terms]\n01=Kontrollen\n");
    }
    void TearDown() override
    {
        ResetVocabulary();
        fs::remove_all(m_root);
    }

    CEnvScope m_env;
    fs::path m_root;
    fs::path m_user;
    fs::path m_exeDir;
};
} // namespace

TEST(Language, NormalizesLocaleNamesToOurCodes)
{
    EXPECT_EQ(NormalizeLanguage("fr"), "fr");
    EXPECT_EQ(NormalizeLanguage("fr_CA.UTF-8"), "fr");
    EXPECT_EQ(NormalizeLanguage("DE-at"), "de");
    EXPECT_EQ(NormalizeLanguage("pt_BR@euro"), "pt");
    for (const char* other : {"", "C", "POSIX", "C.UTF-8", "nl_NL", "french", "../fr", "system"})
        EXPECT_EQ(NormalizeLanguage(other), "") << other;
    EXPECT_EQ(LanguageFileName("it_IT"), "Zentavo.it.ini");
    EXPECT_EQ(LanguageFileName("en_GB"), "");
    EXPECT_EQ(LanguageFileName("nl"), "");
}

TEST(Language, SystemLanguageFollowsTheFirstLocaleVariableSet)
{
    CEnvScope env;
    env.Set("LC_ALL", std::nullopt);
    env.Set("LC_MESSAGES", "es_ES.UTF-8");
    env.Set("LANG", "de_DE.UTF-8");
    EXPECT_EQ(SystemLanguage(), "es");
    env.Set("LC_ALL", "it_IT.UTF-8");
    EXPECT_EQ(SystemLanguage(), "it");
    // A locale without a vocabulary of ours is English, not the next variable's language.
    env.Set("LC_ALL", "nl_NL.UTF-8");
    EXPECT_EQ(SystemLanguage(), "en");
    env.Set("LC_ALL", std::nullopt);
    env.Set("LC_MESSAGES", std::nullopt);
    env.Set("LANG", std::nullopt);
    EXPECT_EQ(SystemLanguage(), "en");
}

TEST_F(LanguageFiles, UserFileOverLanguageFileOverEnglish)
{
    WriteText(m_user, "[Terms]\n02=my group\n");
    InitVocabulary(m_exeDir, {}, "fr");
    EXPECT_EQ(VocabularyLanguage(), "fr");
    EXPECT_EQ(GetProfileString("Terms", "01", "def"), "témoins");
    EXPECT_EQ(GetProfileString("Terms", "02", "def"), "my group");
    EXPECT_EQ(GetProfileString("Terms", "03", "def"), "in total"); // missing in French
    // English and a language without a file read the base file alone.
    InitVocabulary(m_exeDir, {}, "en");
    EXPECT_EQ(GetProfileString("Terms", "01", "def"), "controls");
    fs::remove(m_exeDir / "lang" / "Zentavo.fr.ini");
    InitVocabulary(m_exeDir, {}, "fr");
    EXPECT_EQ(VocabularyLanguage(), "fr");
    EXPECT_EQ(GetProfileString("Terms", "01", "def"), "controls");
}

TEST_F(LanguageFiles, ChoiceIsAskedElseRememberedElseTheSystems)
{
    m_env.Set("LANG", "de_DE.UTF-8");
    InitVocabulary(m_exeDir);
    EXPECT_EQ(VocabularyLanguage(), "de");
    EXPECT_EQ(RememberedLanguage(), "system");
    EXPECT_EQ(GetProfileString("Terms", "01", "def"), "Kontrollen");

    // The choice goes into the user's Window section only and wins over the system's.
    WriteText(m_user, "; mine\n[Terms]\n02=my group\n");
    EXPECT_TRUE(WriteProfileText("Window", kLanguageKey, "fr"));
    EXPECT_EQ(ReadText(m_user), "; mine\n[Terms]\n02=my group\n[Window]\nLanguage=fr\n");
    EXPECT_EQ(RememberedLanguage(), "fr");
    InitVocabulary(m_exeDir);
    EXPECT_EQ(VocabularyLanguage(), "fr");
    EXPECT_EQ(GetProfileString("Terms", "01", "def"), "témoins");
    // Asked for on the command line, a language wins over the remembered one.
    InitVocabulary(m_exeDir, {}, "de");
    EXPECT_EQ(VocabularyLanguage(), "de");
    // "system" and a stored code we do not know both follow the system again.
    EXPECT_TRUE(WriteProfileText("Window", kLanguageKey, "system"));
    InitVocabulary(m_exeDir);
    EXPECT_EQ(VocabularyLanguage(), "de");
    WriteText(m_user, "[Window]\nLanguage=xx\n");
    InitVocabulary(m_exeDir);
    EXPECT_EQ(VocabularyLanguage(), "de");
    EXPECT_EQ(RememberedLanguage(), "system");
}

TEST_F(LanguageFiles, WritesOnlyPlainWindowEntries)
{
    InitVocabulary(m_exeDir);
    EXPECT_FALSE(WriteProfileText("Terms", "01", "fr"));
    EXPECT_FALSE(WriteProfileText("Window", kLanguageKey, "fr\n[Terms]\n01=x"));
    EXPECT_FALSE(WriteProfileText("Window", kLanguageKey, "a=b"));
    EXPECT_FALSE(fs::exists(m_user));
    // An explicit vocabulary file is used alone, whatever the language, and never written.
    const fs::path explicitFile = m_root / "mine.ini";
    WriteText(explicitFile, "[Terms]\n01=mine\n");
    InitVocabulary(m_exeDir, explicitFile, "fr");
    EXPECT_EQ(VocabularyLanguage(), "fr");
    EXPECT_EQ(GetProfileString("Terms", "01", "def"), "mine");
    EXPECT_EQ(GetProfileString("Terms", "02", "def"), "def");
    EXPECT_FALSE(WriteProfileText("Window", kLanguageKey, "de"));
    EXPECT_EQ(ReadText(explicitFile), "[Terms]\n01=mine\n");
}
