// zentavo-cli --lang: the translated vocabulary beside the tool, English without the option
// whatever the locale, and structured output that stays the same in every language.
#include "TestSupport.h"

#include <cstdlib>
#include <gtest/gtest.h>
#include <optional>
#include <string>

namespace
{
/// Runs the tool on its own installed-style files: no $ZENTAVO_INI, an empty configuration
/// folder (so no user's file), and the given LANG; the environment comes back afterwards.
class LanguageOption : public ::testing::Test
{
protected:
    void SetUp() override
    {
        Save("ZENTAVO_INI");
        Save("XDG_CONFIG_HOME");
        Save("LC_ALL");
        Save("LANG");
        Save(UserSettingsVariable());
        SetTestEnv("ZENTAVO_INI", std::nullopt);
        SetTestEnv("XDG_CONFIG_HOME", "/nonexistent/zentavo-test-config");
        SetTestEnv(UserSettingsVariable(), "/nonexistent/zentavo-test-config");
        SetTestEnv("LC_ALL", "fr_FR.UTF-8"); // the system's language must not leak into the tool
    }
    void TearDown() override
    {
        for (const auto& [name, value] : m_saved)
            SetTestEnv(name, value);
    }
    void Save(const std::string& name) { m_saved.emplace_back(name, TestEnv(name)); }

private:
    std::vector<std::pair<std::string, std::optional<std::string>>> m_saved;
};
} // namespace

TEST_F(LanguageOption, ReadsTheTranslationBesideTheTool)
{
    const CCliRun english = RunCli("types");
    ASSERT_EQ(english.status, 0);
    EXPECT_NE(english.out.find("Describe - Proportion - Percentage"), std::string::npos) << english.out;

    const CCliRun french = RunCli("--lang fr types");
    ASSERT_EQ(french.status, 0);
    EXPECT_NE(french.out.find("Décrire - Proportion - Pourcentage"), std::string::npos) << french.out;
    // The option may stand after the command, as --vocab does.
    EXPECT_EQ(RunCli("types --lang fr").out, french.out);
}

TEST_F(LanguageOption, RefusesUnknownLanguages)
{
    const CCliRun run = RunCli("--lang xx types 2>&1");
    EXPECT_EQ(run.status, 1);
    EXPECT_NE(run.out.find("unknown language 'xx'"), std::string::npos) << run.out;
}

TEST_F(LanguageOption, KeepsResultKeysAndNumbersLocaleFree)
{
    const std::string args = " run 3200 a=12 b=5 c=3 d=20 --format csv";
    const CCliRun english = RunCli(args);
    const CCliRun german = RunCli("--lang de" + args);
    ASSERT_EQ(english.status, 0);
    ASSERT_EQ(german.status, 0);
    // Only the labels are translated: the keys and the numbers (with '.') are the same.
    const auto column = [](const std::string& csv, int index) {
        std::string values;
        size_t start = 0;
        while (start < csv.size()) {
            const size_t end = csv.find('\n', start);
            const std::string line = csv.substr(start, end - start);
            size_t from = 0;
            for (int i = 0; i < index && from != std::string::npos; ++i)
                from = line.find(',', from) == std::string::npos ? std::string::npos : line.find(',', from) + 1;
            values += (from == std::string::npos ? "" : line.substr(from, line.find(',', from) - from)) + "|";
            start = end == std::string::npos ? csv.size() : end + 1;
        }
        return values;
    };
    EXPECT_EQ(column(german.out, 2), column(english.out, 2));
    EXPECT_NE(german.out, english.out);
}
