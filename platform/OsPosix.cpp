// The operating-system services of OsFiles.h on Linux and macOS.
#ifndef _WIN32

#include "OsFiles.h"

#include <cerrno>
#include <cstdlib>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#ifdef __APPLE__
#include <mach-o/dyld.h>
#endif

namespace fs = std::filesystem;

namespace os
{
fs::path PathFromUtf8(std::string_view utf8)
{
    return fs::path(std::string(utf8)); // the system takes the bytes as they are
}

std::string PathToUtf8(const fs::path& path)
{
    return path.string();
}

fs::path ExecutablePath()
{
#ifdef __APPLE__
    uint32_t size = 0;
    _NSGetExecutablePath(nullptr, &size);
    std::string buffer(size, '\0');
    if (_NSGetExecutablePath(buffer.data(), &size) != 0)
        return {};
    std::error_code error;
    const fs::path resolved = fs::canonical(buffer.c_str(), error);
    return error ? fs::path(buffer.c_str()) : resolved;
#else
    std::error_code error;
    const fs::path self = fs::read_symlink("/proc/self/exe", error);
    return error ? fs::path() : self;
#endif
}

fs::path UserSettingsDir()
{
    const std::optional<std::string> home = GetEnv("HOME");
#ifdef __APPLE__
    if (!home || home->empty())
        return {};
    return fs::path(*home) / "Library" / "Application Support" / "Zentavo";
#else
    // A relative XDG_CONFIG_HOME is not a valid setting: it is ignored, as the XDG base directory rules say.
    if (const std::optional<std::string> config = GetEnv("XDG_CONFIG_HOME");
        config && !config->empty() && fs::path(*config).is_absolute())
        return fs::path(*config) / "zentavo";
    if (!home || home->empty())
        return {};
    return fs::path(*home) / ".config" / "zentavo";
#endif
}

std::string SystemLocaleName()
{
    return {};
}

std::optional<std::string> GetEnv(std::string_view name)
{
    const char* value = std::getenv(std::string(name).c_str());
    return value ? std::optional<std::string>(value) : std::nullopt;
}

bool SetEnv(std::string_view name, const std::optional<std::string>& value)
{
    const std::string key(name);
    return (value ? ::setenv(key.c_str(), value->c_str(), 1) : ::unsetenv(key.c_str())) == 0;
}

std::vector<std::string> Utf8Arguments(int argc, char** argv)
{
    return std::vector<std::string>(argv, argv + argc);
}

void SetBinaryMode(std::FILE*)
{}

bool IsTerminal(std::FILE* stream)
{
    return ::isatty(::fileno(stream)) != 0;
}

int OpenForReading(const fs::path& path)
{
    return ::open(path.c_str(), O_RDONLY | O_CLOEXEC | O_NONBLOCK);
}

int OpenForWriting(const fs::path& path)
{
    return ::open(path.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0666);
}

long long ReadSome(int fd, void* buffer, size_t size)
{
    for (;;) {
        const ssize_t got = ::read(fd, buffer, size);
        if (got >= 0 || errno != EINTR)
            return got;
    }
}

bool WriteAll(int fd, const void* data, size_t size)
{
    const auto* bytes = static_cast<const unsigned char*>(data);
    while (size > 0) {
        const ssize_t written = ::write(fd, bytes, size);
        if (written < 0) {
            if (errno == EINTR)
                continue;
            return false;
        }
        if (written == 0) {
            errno = EIO;
            return false;
        }
        bytes += written;
        size -= static_cast<size_t>(written);
    }
    return true;
}

bool SyncFile(int fd)
{
    return ::fsync(fd) == 0;
}

bool CloseFile(int fd)
{
    return ::close(fd) == 0;
}

std::optional<uint64_t> RegularFileSize(int fd)
{
    struct stat st
    {};
    if (::fstat(fd, &st) != 0 || !S_ISREG(st.st_mode))
        return std::nullopt;
    return static_cast<uint64_t>(st.st_size);
}
std::optional<FileStamp> StampOf(const fs::path& path)
{
    struct stat st
    {};
    if (::stat(path.c_str(), &st) != 0)
        return std::nullopt;
    FileStamp stamp;
    stamp.device = st.st_dev;
    stamp.inode = st.st_ino;
    stamp.size = st.st_size;
#ifdef __APPLE__
    stamp.seconds = st.st_mtimespec.tv_sec;
    stamp.nanoseconds = st.st_mtimespec.tv_nsec;
#else
    stamp.seconds = st.st_mtim.tv_sec;
    stamp.nanoseconds = st.st_mtim.tv_nsec;
#endif
    return stamp;
}
} // namespace os

#endif // !_WIN32
