// The lock around one read-modify-write of a document.
#include "DocumentLock.h"

#include "AtomicFile.h"
#include "FileIO.h"

#include <cerrno>
#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

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
