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
/// The path Windows itself uses for the folder's file (links, junctions and short names resolved),
/// or the path as given where the folder cannot be opened.
std::wstring FinalFolderPath(const std::filesystem::path& folder)
{
    const HANDLE handle =
        ::CreateFileW(folder.c_str(), FILE_READ_ATTRIBUTES, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                      nullptr, OPEN_EXISTING, FILE_FLAG_BACKUP_SEMANTICS, nullptr);
    if (handle == INVALID_HANDLE_VALUE)
        return folder.wstring();
    std::wstring final(MAX_PATH, L'\0');
    DWORD length = ::GetFinalPathNameByHandleW(handle, final.data(), static_cast<DWORD>(final.size()), 0);
    if (length >= final.size()) {
        final.resize(length + 1);
        length = ::GetFinalPathNameByHandleW(handle, final.data(), static_cast<DWORD>(final.size()), 0);
    }
    ::CloseHandle(handle);
    if (length == 0 || length >= final.size())
        return folder.wstring();
    final.resize(length);
    return final;
}

/// The mutex that stands for one document: its name comes from the document's full path, the
/// folder as Windows resolves it, without regard to case, as Windows compares names.
HANDLE DocumentMutex(const std::filesystem::path& target)
{
    std::error_code error;
    const std::filesystem::path full = std::filesystem::absolute(target, error).lexically_normal();
    const std::wstring name = FinalFolderPath(full.parent_path()) + L"\\" + full.filename().wstring();
    unsigned long long hash = 14695981039346656037ULL; // FNV-1a
    for (const wchar_t c : name) {
        hash ^= static_cast<unsigned long long>(std::towlower(c));
        hash *= 1099511628211ULL;
    }
    wchar_t mutexName[64] = {};
    ::swprintf(mutexName, 64, L"Local\\zentavo-document-%016llx", hash);
    return ::CreateMutexW(nullptr, FALSE, mutexName);
}
} // namespace

CDocumentLock::~CDocumentLock()
{
    if (!m_handle)
        return;
    ::ReleaseMutex(m_handle);
    ::CloseHandle(m_handle);
}

bool CDocumentLock::Acquire(const std::filesystem::path& document, std::string& error)
{
    // One named mutex per document, whether or not the file exists yet, held from before the read
    // to after the save. A lock on the file itself is not enough on Windows: a save puts a new
    // file in the old one's place in more than one step, and a waiter that looks in between finds
    // no file at all and takes the document for a new one; each waiter's open handle would also
    // stand in the way of the save.
    const std::filesystem::path target = FollowLinks(document);
    const HANDLE mutex = DocumentMutex(target);
    if (!mutex) {
        error = FileErrorMessage(os::ErrnoFromSystemError(::GetLastError()), document);
        return false;
    }
    const DWORD waited = ::WaitForSingleObject(mutex, INFINITE);
    if (waited != WAIT_OBJECT_0 && waited != WAIT_ABANDONED) { // abandoned: its holder died, the file is whole
        error = FileErrorMessage(EIO, document);
        ::CloseHandle(mutex);
        return false;
    }
    m_handle = mutex;
    if (::GetFileAttributesW(target.c_str()) != INVALID_FILE_ATTRIBUTES)
        return true;
    const DWORD failure = ::GetLastError();
    if (failure == ERROR_FILE_NOT_FOUND) {
        std::error_code status;
        if (!std::filesystem::is_symlink(std::filesystem::symlink_status(target, status)))
            return true;                           // a new document
        error = FileErrorMessage(ELOOP, document); // a link that leads nowhere in the end
    } else {
        error = FileErrorMessage(os::ErrnoFromSystemError(failure), document);
    }
    return false;
}
#endif // _WIN32
