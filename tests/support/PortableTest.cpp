// The portable test helpers, on std::filesystem where it suffices and the system's own calls
// where it does not.
#include "PortableTest.h"

#include <atomic>
#include <chrono>
#include <cstdlib>
#include <gtest/gtest.h>
#include <system_error>

#ifdef _WIN32
#include <process.h>
#include <windows.h>
#else
#include <unistd.h>
#endif

namespace fs = std::filesystem;

#ifdef _WIN32
namespace
{
std::wstring WideOf(std::string_view text)
{
    return fs::path(std::u8string(text.begin(), text.end())).wstring();
}
} // namespace
#endif

fs::path MakeTempDir(std::string_view prefix)
{
    static std::atomic<unsigned> counter{0};
    const auto now = std::chrono::steady_clock::now().time_since_epoch().count();
    for (int attempt = 0; attempt < 100; ++attempt) {
        fs::path folder = fs::temp_directory_path() /
                          (std::string(prefix) + "-" + std::to_string(ProcessId()) + "-" +
                           std::to_string((static_cast<unsigned long long>(now) + counter++) % 1000000007));
        std::error_code error;
        if (fs::create_directory(folder, error))
            return folder;
    }
    ADD_FAILURE() << "cannot make a temporary folder for " << prefix;
    return {};
}

long ProcessId()
{
#ifdef _WIN32
    return static_cast<long>(::_getpid());
#else
    return static_cast<long>(::getpid());
#endif
}

void SetTestEnv(std::string_view name, const std::optional<std::string>& value)
{
#ifdef _WIN32
    // An empty value removes a variable on Windows.
    const int failed = ::_wputenv_s(WideOf(name).c_str(), value ? WideOf(*value).c_str() : L"");
#else
    const std::string key(name);
    const int failed = value ? ::setenv(key.c_str(), value->c_str(), 1) : ::unsetenv(key.c_str());
#endif
    EXPECT_EQ(failed, 0) << "cannot set " << name;
}

std::optional<std::string> TestEnv(std::string_view name)
{
#ifdef _WIN32
    const wchar_t* value = ::_wgetenv(WideOf(name).c_str());
    if (!value)
        return std::nullopt;
    const std::u8string text = fs::path(value).u8string();
    return std::string(text.begin(), text.end());
#else
    const char* value = std::getenv(std::string(name).c_str());
    return value ? std::optional<std::string>(value) : std::nullopt;
#endif
}

CScopedEnv::CScopedEnv(std::string name, const std::optional<std::string>& value)
    : m_name(std::move(name)), m_saved(TestEnv(m_name))
{
    SetTestEnv(m_name, value);
}

CScopedEnv::~CScopedEnv()
{
    SetTestEnv(m_name, m_saved);
}

bool HasPermissionBits()
{
#ifdef _WIN32
    return false;
#else
    return true;
#endif
}

void MakeReadOnly(const fs::path& path)
{
    std::error_code error;
    fs::permissions(path, fs::perms::owner_write | fs::perms::group_write | fs::perms::others_write,
                    fs::perm_options::remove, error);
    EXPECT_FALSE(error) << "cannot make " << path << " read-only: " << error.message();
}

bool CanMakeSymlinks(const fs::path& folder)
{
    const fs::path probe = folder / ".symlink-probe";
    std::error_code error;
    fs::create_symlink("target-of-probe", probe, error);
    if (error)
        return false;
    fs::remove(probe, error);
    return true;
}

bool PermissionsBindThisUser()
{
#ifdef _WIN32
    return true; // the read-only attribute binds everyone
#else
    return ::geteuid() != 0;
#endif
}

std::string Utf8Path(const fs::path& path)
{
    const std::u8string text = path.u8string();
    return std::string(text.begin(), text.end());
}

fs::path PathOfUtf8(std::string_view utf8)
{
    return fs::path(std::u8string(utf8.begin(), utf8.end()));
}

const char* UserSettingsVariable()
{
#if defined(_WIN32)
    return "APPDATA";
#elif defined(__APPLE__)
    return "HOME";
#else
    return "XDG_CONFIG_HOME";
#endif
}

fs::path UserSettingsBelow(const fs::path& base)
{
#if defined(_WIN32)
    return base / "Zentavo";
#elif defined(__APPLE__)
    return base / "Library" / "Application Support" / "Zentavo";
#else
    return base / "zentavo";
#endif
}
