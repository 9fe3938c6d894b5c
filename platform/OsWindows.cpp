// The operating-system services of OsFiles.h on Windows: wide-character calls throughout, so
// that no name passes through the ANSI code page.
#ifdef _WIN32

#include "CodePage.h"
#include "OsFiles.h"

#include <cerrno>
#include <climits>
#include <cstdlib>
#include <fcntl.h>
#include <io.h>
#include <sys/stat.h>
#include <windows.h>
// after windows.h, which it needs
#include <shellapi.h>

namespace fs = std::filesystem;

namespace
{
std::wstring Wide(std::string_view utf8)
{
    const std::u16string units = Utf8ToUtf16(utf8);
    return std::wstring(units.begin(), units.end());
}

std::string Narrow(std::wstring_view wide)
{
    return Utf16ToUtf8(std::u16string(wide.begin(), wide.end()));
}
} // namespace

namespace os
{
int ErrnoFromSystemError(unsigned long code)
{
    switch (code) {
    case ERROR_FILE_NOT_FOUND:
    case ERROR_PATH_NOT_FOUND:
    case ERROR_INVALID_DRIVE:
    case ERROR_BAD_NETPATH:
        return ENOENT;
    case ERROR_ACCESS_DENIED:
    case ERROR_SHARING_VIOLATION:
    case ERROR_LOCK_VIOLATION:
        return EACCES;
    case ERROR_WRITE_PROTECT:
        return EROFS;
    case ERROR_DISK_FULL:
    case ERROR_HANDLE_DISK_FULL:
        return ENOSPC;
    case ERROR_FILE_EXISTS:
    case ERROR_ALREADY_EXISTS:
        return EEXIST;
    case ERROR_DIRECTORY:
        return ENOTDIR;
    case ERROR_FILENAME_EXCED_RANGE:
        return ENAMETOOLONG;
    case ERROR_INVALID_NAME:
        return EINVAL;
    case ERROR_NOT_ENOUGH_MEMORY:
    case ERROR_OUTOFMEMORY:
        return ENOMEM;
    default:
        return EIO;
    }
}

fs::path PathFromUtf8(std::string_view utf8)
{
    return fs::path(Wide(utf8));
}

std::string PathToUtf8(const fs::path& path)
{
    return Narrow(path.native());
}

fs::path ExecutablePath()
{
    std::wstring buffer(MAX_PATH, L'\0');
    for (int attempt = 0; attempt < 8; ++attempt) {
        const DWORD length = ::GetModuleFileNameW(nullptr, buffer.data(), static_cast<DWORD>(buffer.size()));
        if (length == 0)
            return {};
        if (length < buffer.size()) {
            buffer.resize(length);
            return fs::path(buffer);
        }
        buffer.resize(buffer.size() * 2); // cut short: the name is longer than the buffer
    }
    return {};
}

fs::path UserSettingsDir()
{
    const std::optional<std::string> appData = GetEnv("APPDATA");
    if (!appData || appData->empty())
        return {};
    return PathFromUtf8(*appData) / L"Zentavo";
}

std::string SystemLocaleName()
{
    wchar_t name[LOCALE_NAME_MAX_LENGTH] = {};
    return ::GetUserDefaultLocaleName(name, LOCALE_NAME_MAX_LENGTH) > 0 ? Narrow(name) : std::string();
}

std::optional<std::string> GetEnv(std::string_view name)
{
    const wchar_t* value = ::_wgetenv(Wide(name).c_str());
    return value ? std::optional<std::string>(Narrow(value)) : std::nullopt;
}

bool SetEnv(std::string_view name, const std::optional<std::string>& value)
{
    // An empty value removes the variable; Windows has no variable that is set and empty.
    return ::_wputenv_s(Wide(name).c_str(), value ? Wide(*value).c_str() : L"") == 0;
}

std::vector<std::string> Utf8Arguments(int argc, char** argv)
{
    int count = 0;
    wchar_t** wide = ::CommandLineToArgvW(::GetCommandLineW(), &count);
    if (!wide)
        return std::vector<std::string>(argv, argv + argc);
    std::vector<std::string> arguments;
    for (int i = 0; i < count; ++i)
        arguments.push_back(Narrow(wide[i]));
    ::LocalFree(wide);
    return arguments;
}

void SetBinaryMode(std::FILE* stream)
{
    std::fflush(stream);
    ::_setmode(::_fileno(stream), _O_BINARY);
}

bool IsTerminal(std::FILE* stream)
{
    return ::_isatty(::_fileno(stream)) != 0;
}

namespace
{
/// A descriptor for a handle opened with every sharing mode, so that a reader never keeps a
/// save from replacing the file.
int Descriptor(HANDLE handle, int flags)
{
    if (handle == INVALID_HANDLE_VALUE) {
        errno = ErrnoFromSystemError(::GetLastError());
        return -1;
    }
    const int fd = ::_open_osfhandle(reinterpret_cast<intptr_t>(handle), flags | _O_BINARY);
    if (fd < 0) {
        ::CloseHandle(handle);
        errno = EMFILE;
    }
    return fd;
}

constexpr DWORD kShareAll = FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE;
} // namespace

int OpenForReading(const fs::path& path)
{
    const int fd = Descriptor(
        ::CreateFileW(path.c_str(), GENERIC_READ, kShareAll, nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr),
        _O_RDONLY);
    // A folder cannot be opened as a file here; elsewhere it opens and is then found no file.
    if (fd < 0 && errno == EACCES) {
        const DWORD attributes = ::GetFileAttributesW(path.c_str());
        if (attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY))
            errno = EISDIR;
    }
    return fd;
}

int OpenForWriting(const fs::path& path)
{
    return Descriptor(
        ::CreateFileW(path.c_str(), GENERIC_WRITE, kShareAll, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr),
        _O_WRONLY);
}

long long ReadSome(int fd, void* buffer, size_t size)
{
    const unsigned int chunk = size > INT_MAX ? INT_MAX : static_cast<unsigned int>(size);
    return ::_read(fd, buffer, chunk);
}

bool WriteAll(int fd, const void* data, size_t size)
{
    const auto* bytes = static_cast<const unsigned char*>(data);
    while (size > 0) {
        const unsigned int chunk = size > INT_MAX ? INT_MAX : static_cast<unsigned int>(size);
        const int written = ::_write(fd, bytes, chunk);
        if (written < 0)
            return false;
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
    return ::_commit(fd) == 0;
}

bool CloseFile(int fd)
{
    return ::_close(fd) == 0;
}

std::optional<uint64_t> RegularFileSize(int fd)
{
    const HANDLE handle = reinterpret_cast<HANDLE>(::_get_osfhandle(fd));
    LARGE_INTEGER size{};
    if (handle == INVALID_HANDLE_VALUE || ::GetFileType(handle) != FILE_TYPE_DISK || !::GetFileSizeEx(handle, &size))
        return std::nullopt;
    BY_HANDLE_FILE_INFORMATION info{};
    if (::GetFileInformationByHandle(handle, &info) && (info.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY))
        return std::nullopt;
    return static_cast<uint64_t>(size.QuadPart);
}
std::optional<FileStamp> StampOf(const fs::path& path)
{
    const HANDLE file = ::CreateFileW(path.c_str(), FILE_READ_ATTRIBUTES, kShareAll, nullptr, OPEN_EXISTING,
                                      FILE_FLAG_BACKUP_SEMANTICS, nullptr);
    if (file == INVALID_HANDLE_VALUE)
        return std::nullopt;
    BY_HANDLE_FILE_INFORMATION info{};
    const bool known = ::GetFileInformationByHandle(file, &info);
    ::CloseHandle(file);
    if (!known)
        return std::nullopt;
    // The change time counts 100-nanosecond steps.
    const unsigned long long written = (static_cast<unsigned long long>(info.ftLastWriteTime.dwHighDateTime) << 32) |
                                       info.ftLastWriteTime.dwLowDateTime;
    FileStamp stamp;
    stamp.device = info.dwVolumeSerialNumber;
    stamp.inode = (static_cast<unsigned long long>(info.nFileIndexHigh) << 32) | info.nFileIndexLow;
    stamp.size =
        static_cast<long long>((static_cast<unsigned long long>(info.nFileSizeHigh) << 32) | info.nFileSizeLow);
    stamp.seconds = static_cast<long long>(written / 10000000);
    stamp.nanoseconds = static_cast<long long>(written % 10000000) * 100;
    return stamp;
}
} // namespace os

#endif // _WIN32
