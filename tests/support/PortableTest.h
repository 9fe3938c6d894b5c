// What the tests need from the operating system, the same on Linux, macOS and Windows: a
// temporary folder, the environment, file permissions and links where the system has them.
#pragma once

#include <filesystem>
#include <gtest/gtest.h>
#include <optional>
#include <string>
#include <string_view>

/// A new, empty folder below the system's temporary folder ("prefix-" and a unique part).
std::filesystem::path MakeTempDir(std::string_view prefix);

/// A test with a new temporary folder of its own, m_dir, removed with its contents afterwards.
class CTempDirTest : public ::testing::Test
{
protected:
    explicit CTempDirTest(std::string_view prefix) : m_prefix(prefix) {}
    void SetUp() override
    {
        m_dir = MakeTempDir(m_prefix);
        ASSERT_FALSE(m_dir.empty());
    }
    void TearDown() override { std::filesystem::remove_all(m_dir); }

    std::filesystem::path m_dir;

private:
    std::string m_prefix;
};

/// This process's id (a unique part for file names).
long ProcessId();

/// Sets (or with nullopt removes) an environment variable; the test fails when it cannot.
void SetTestEnv(std::string_view name, const std::optional<std::string>& value);
/// An environment variable's value; nullopt when it is not set.
std::optional<std::string> TestEnv(std::string_view name);
/// Sets a variable for the scope and gives it back its old value (or removes it) at the end.
class CScopedEnv
{
public:
    CScopedEnv(std::string name, const std::optional<std::string>& value);
    ~CScopedEnv();
    CScopedEnv(const CScopedEnv&) = delete;
    CScopedEnv& operator=(const CScopedEnv&) = delete;

private:
    std::string m_name;
    std::optional<std::string> m_saved;
};

/// True where files carry POSIX permission bits (owner, group, others): not on Windows, which
/// has only a read-only mark.
bool HasPermissionBits();
/// Marks a file read-only (no write permission for anyone; Windows: the read-only attribute).
void MakeReadOnly(const std::filesystem::path& path);
/// True when the test may make symbolic links here (Windows allows them only to some users).
bool CanMakeSymlinks(const std::filesystem::path& folder);
/// True when files may be made read-only against this user: a privileged POSIX user writes
/// through every permission.
bool PermissionsBindThisUser();

/// The UTF-8 text of a path, and the path of UTF-8 text (a std::string alone would be read in
/// the ANSI code page on Windows).
std::string Utf8Path(const std::filesystem::path& path);
std::filesystem::path PathOfUtf8(std::string_view utf8);
/// The environment variable that places the user's settings on this system (XDG_CONFIG_HOME;
/// APPDATA on Windows; HOME on macOS), and the folder of Zentavo's settings it then gives for
/// the value `base`.
const char* UserSettingsVariable();
std::filesystem::path UserSettingsBelow(const std::filesystem::path& base);
