// Atomic whole-file replacement on Windows: the temporary beside the target is flushed and then
// put in the target's place by ReplaceFileW (which keeps the old file's attributes and security)
// or, for a new file, MoveFileExW. Every failure is reported as the errno it stands for.
#ifdef _WIN32

#include "AtomicFile.h"
#include "OsFiles.h"

#include <cerrno>
#include <string>
#include <windows.h>

namespace fs = std::filesystem;

namespace
{
/// Six letters or digits that differ from call to call and from process to process.
std::wstring RandomPart()
{
    static const char kCharacters[] = "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789";
    static unsigned long long state = 0;
    LARGE_INTEGER counter{};
    ::QueryPerformanceCounter(&counter);
    state = state * 6364136223846793005ULL + 1442695040888963407ULL +
            static_cast<unsigned long long>(counter.QuadPart) + ::GetCurrentProcessId();
    unsigned long long bits = state;
    std::wstring part;
    for (size_t i = 0; i < kSaveTemporaryRandomLength; ++i) {
        part += static_cast<wchar_t>(kCharacters[bits % 62]);
        bits /= 62;
    }
    return part;
}

int LastErrno()
{
    return os::ErrnoFromSystemError(::GetLastError());
}

bool WriteHandle(HANDLE file, const void* data, size_t size)
{
    const auto* bytes = static_cast<const unsigned char*>(data);
    while (size > 0) {
        const DWORD chunk = size > 0x40000000 ? 0x40000000 : static_cast<DWORD>(size);
        DWORD written = 0;
        if (!::WriteFile(file, bytes, chunk, &written, nullptr))
            return false;
        if (written == 0) {
            ::SetLastError(ERROR_WRITE_FAULT);
            return false;
        }
        bytes += written;
        size -= written;
    }
    return true;
}
} // namespace

fs::path FollowLinks(fs::path path)
{
    for (int hops = 0; hops < 40; ++hops) {
        std::error_code error;
        if (!fs::is_symlink(fs::symlink_status(path, error)))
            return path;
        const fs::path link = fs::read_symlink(path, error);
        if (error || link.empty())
            return path;
        path = link.is_absolute() ? link : path.parent_path() / link;
    }
    return path;
}

int RemoveStaleTemporaries(const fs::path& folder, std::chrono::seconds age)
{
    const fs::path where = folder.empty() ? fs::path(L".") : folder;
    std::error_code error;
    fs::directory_iterator entries(where, error);
    if (error)
        return 0;
    const auto now = fs::file_time_type::clock::now();
    int removed = 0;
    for (const fs::directory_entry& entry : entries) {
        if (!IsSaveTemporaryName(os::PathToUtf8(entry.path().filename())))
            continue;
        std::error_code status;
        if (!fs::is_regular_file(entry.symlink_status(status)))
            continue;
        const auto written = entry.last_write_time(status);
        if (status || now - written < age)
            continue;
        if (::DeleteFileW(entry.path().c_str()))
            ++removed;
    }
    return removed;
}

int ReplaceFileAtomic(const fs::path& path, const void* data, size_t size)
{
    return ReplaceFileAtomic(path, [data, size](const FileWriter& write) { return write(data, size); });
}

int ReplaceFileAtomic(const fs::path& path, const FileContent& content)
{
    const fs::path target = FollowLinks(path);
    const DWORD attributes = ::GetFileAttributesW(target.c_str());
    const bool exists = attributes != INVALID_FILE_ATTRIBUTES;
    if (!exists) {
        const DWORD failure = ::GetLastError();
        if (failure != ERROR_FILE_NOT_FOUND)
            return os::ErrnoFromSystemError(failure); // a missing folder, no access: never replace it
        std::error_code error;
        if (fs::is_symlink(fs::symlink_status(target, error)))
            return ELOOP; // still a link after every hop
    }
    if (exists && (attributes & FILE_ATTRIBUTE_DIRECTORY))
        return EINVAL; // never replace a folder
    if (exists && (attributes & FILE_ATTRIBUTE_READONLY))
        return EACCES; // marked read-only: the user keeps it as it is

    const fs::path folder = target.has_parent_path() ? target.parent_path() : fs::path(L".");
    RemoveStaleTemporaries(folder);
    const std::wstring stem =
        L"." + target.filename().wstring() + std::wstring(kSaveTemporaryMarker.begin(), kSaveTemporaryMarker.end());
    if (stem.size() + kSaveTemporaryRandomLength > 255)
        return ENAMETOOLONG; // a name part holds 255 units at most: the temporary's would not fit
    fs::path temp;
    HANDLE file = INVALID_HANDLE_VALUE;
    for (int attempt = 0; attempt < 100 && file == INVALID_HANDLE_VALUE; ++attempt) {
        temp = folder / (stem + RandomPart());
        file = ::CreateFileW(temp.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW, FILE_ATTRIBUTE_NORMAL, nullptr);
        if (file == INVALID_HANDLE_VALUE && ::GetLastError() != ERROR_FILE_EXISTS)
            return LastErrno();
    }
    if (file == INVALID_HANDLE_VALUE)
        return EEXIST;
    const FileWriter write = [file](const void* data, size_t size) { return WriteHandle(file, data, size); };
    bool ok = false;
    try {
        ok = content(write) && ::FlushFileBuffers(file);
    } catch (...) {
        ::CloseHandle(file);
        ::DeleteFileW(temp.c_str());
        throw;
    }
    int failure = ok ? 0 : LastErrno();
    if (!::CloseHandle(file) && ok) {
        ok = false;
        failure = LastErrno();
    }
    if (ok) {
        // ReplaceFileW keeps the old file's attributes and security; where it cannot (another
        // volume, a file system without it), a plain replacing move still makes the switch whole.
        const bool replaced = exists && ::ReplaceFileW(target.c_str(), temp.c_str(), nullptr,
                                                       REPLACEFILE_IGNORE_MERGE_ERRORS, nullptr, nullptr);
        if (!replaced &&
            !::MoveFileExW(temp.c_str(), target.c_str(), MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH)) {
            ok = false;
            failure = LastErrno();
        }
    }
    if (!ok) {
        ::DeleteFileW(temp.c_str());
        return failure;
    }
    return 0;
}

#endif // _WIN32
