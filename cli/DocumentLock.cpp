// The lock around one read-modify-write of a document.
#include "DocumentLock.h"

#include "AtomicFile.h"
#include "FileIO.h"

#include <cerrno>

#ifdef _WIN32
#include "OsFiles.h"

#include <cwchar>
#include <cwctype>
#include <windows.h>
#else
#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>
#endif

#ifndef _WIN32
namespace
{
bool LockExclusive(int fd)
{
    while (::flock(fd, LOCK_EX) != 0)
        if (errno != EINTR)
            return false;
    return true;
}

bool SameFile(const struct stat& a, const struct stat& b)
{
    return a.st_dev == b.st_dev && a.st_ino == b.st_ino;
}
} // namespace

CDocumentLock::~CDocumentLock()
{
    if (m_fd >= 0)
        ::close(m_fd); // releases the lock
}

bool CDocumentLock::Acquire(const std::filesystem::path& document, std::string& error)
{
    const std::filesystem::path target = FollowLinks(document);
    const std::filesystem::path folder = target.has_parent_path() ? target.parent_path() : ".";
    // Each pass either holds the lock on what the path names now, or saw the path change while
    // waiting and tries again; a save by the holder is the only change, so passes are few.
    for (;;) {
        struct stat held
        {};
        struct stat now
        {};
        int fd = ::open(target.c_str(), O_RDONLY | O_CLOEXEC | O_NONBLOCK);
        const bool onFile = fd >= 0;
        if (!onFile) {
            if (errno != ENOENT) {
                error = FileErrorMessage(errno, document);
                return false;
            }
            struct stat link
            {};
            if (::lstat(target.c_str(), &link) == 0) {
                error = FileErrorMessage(ELOOP, document); // a link that leads nowhere in the end
                return false;
            }
            fd = ::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
            if (fd < 0) {
                error = FileErrorMessage(errno, document);
                return false;
            }
        }
        if (!LockExclusive(fd) || ::fstat(fd, &held) != 0) {
            error = FileErrorMessage(errno, document);
            ::close(fd);
            return false;
        }
        const bool exists = ::stat(target.c_str(), &now) == 0;
        if (onFile ? exists && SameFile(held, now) : !exists) {
            m_fd = fd;
            return true;
        }
        ::close(fd);
    }
}
#endif // !_WIN32

#ifdef _WIN32
namespace
{
constexpr DWORD kShareAll = FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE;
// The locked byte lies far beyond any document's end: Windows locks are mandatory, and a lock
// on the data would keep every other reader (and the holder's own reads) from the document.
constexpr DWORD kLockOffsetHigh = 0x7FFFFFFF;

/// The volume and index that identify an open file; false when the system does not tell.
bool FileIdentity(HANDLE file, unsigned long long& volume, unsigned long long& index)
{
    BY_HANDLE_FILE_INFORMATION info{};
    if (!::GetFileInformationByHandle(file, &info))
        return false;
    volume = info.dwVolumeSerialNumber;
    index = (static_cast<unsigned long long>(info.nFileIndexHigh) << 32) | info.nFileIndexLow;
    return true;
}

/// True when the path still names the file `held` is open on.
bool StillNames(const std::filesystem::path& target, HANDLE held)
{
    const HANDLE now = ::CreateFileW(target.c_str(), FILE_READ_ATTRIBUTES, kShareAll, nullptr, OPEN_EXISTING,
                                     FILE_ATTRIBUTE_NORMAL, nullptr);
    if (now == INVALID_HANDLE_VALUE)
        return false;
    unsigned long long heldVolume = 0, heldIndex = 0, nowVolume = 0, nowIndex = 0;
    const bool same = FileIdentity(held, heldVolume, heldIndex) && FileIdentity(now, nowVolume, nowIndex) &&
                      heldVolume == nowVolume && heldIndex == nowIndex;
    ::CloseHandle(now);
    return same;
}

/// The mutex that stands for a document not yet created: its name comes from the full path,
/// without regard to case, as Windows compares names.
HANDLE DocumentMutex(const std::filesystem::path& target)
{
    std::error_code error;
    std::wstring full = std::filesystem::absolute(target, error).lexically_normal().wstring();
    unsigned long long hash = 14695981039346656037ULL; // FNV-1a
    for (const wchar_t c : full) {
        hash ^= static_cast<unsigned long long>(std::towlower(c));
        hash *= 1099511628211ULL;
    }
    wchar_t name[64] = {};
    ::swprintf(name, 64, L"Local\\zentavo-document-%016llx", hash);
    return ::CreateMutexW(nullptr, FALSE, name);
}
} // namespace

CDocumentLock::~CDocumentLock()
{
    if (!m_handle)
        return;
    if (m_mutex)
        ::ReleaseMutex(m_handle);
    ::CloseHandle(m_handle); // releases a file lock
}

bool CDocumentLock::Acquire(const std::filesystem::path& document, std::string& error)
{
    const std::filesystem::path target = FollowLinks(document);
    for (;;) {
        const HANDLE file = ::CreateFileW(target.c_str(), GENERIC_READ, kShareAll, nullptr, OPEN_EXISTING,
                                          FILE_ATTRIBUTE_NORMAL, nullptr);
        if (file != INVALID_HANDLE_VALUE) {
            OVERLAPPED at{};
            at.OffsetHigh = kLockOffsetHigh;
            if (!::LockFileEx(file, LOCKFILE_EXCLUSIVE_LOCK, 0, 1, 0, &at)) {
                error = FileErrorMessage(os::ErrnoFromSystemError(::GetLastError()), document);
                ::CloseHandle(file);
                return false;
            }
            if (StillNames(target, file)) {
                m_handle = file;
                m_mutex = false;
                return true;
            }
            ::CloseHandle(file);
            continue;
        }
        const DWORD failure = ::GetLastError();
        if (failure != ERROR_FILE_NOT_FOUND) {
            error = FileErrorMessage(os::ErrnoFromSystemError(failure), document);
            return false;
        }
        std::error_code status;
        if (std::filesystem::is_symlink(std::filesystem::symlink_status(target, status))) {
            error = FileErrorMessage(ELOOP, document); // a link that leads nowhere in the end
            return false;
        }
        const HANDLE mutex = DocumentMutex(target);
        if (!mutex) {
            error = FileErrorMessage(os::ErrnoFromSystemError(::GetLastError()), document);
            return false;
        }
        const DWORD waited = ::WaitForSingleObject(mutex, INFINITE);
        if (waited != WAIT_OBJECT_0 && waited != WAIT_ABANDONED) { // abandoned: its holder died
            error = FileErrorMessage(EIO, document);
            ::CloseHandle(mutex);
            return false;
        }
        if (::GetFileAttributesW(target.c_str()) == INVALID_FILE_ATTRIBUTES &&
            ::GetLastError() == ERROR_FILE_NOT_FOUND) {
            m_handle = mutex;
            m_mutex = true;
            return true;
        }
        ::ReleaseMutex(mutex);
        ::CloseHandle(mutex);
    }
}
#endif // _WIN32
