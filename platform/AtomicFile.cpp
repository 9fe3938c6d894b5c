// Atomic whole-file replacement with POSIX calls, so that every failure has its errno (the
// Windows form is in AtomicFileWindows.cpp).
#include "AtomicFile.h"

#include "OsFiles.h"

bool IsSaveTemporaryName(std::string_view name)
{
    // "." + at least one character + marker + six letters or digits
    if (name.size() < 2 + kSaveTemporaryMarker.size() + kSaveTemporaryRandomLength || name.front() != '.')
        return false;
    const std::string_view random = name.substr(name.size() - kSaveTemporaryRandomLength);
    for (const char c : random)
        if (!IsSaveTemporaryCharacter(c))
            return false;
    const std::string_view head = name.substr(0, name.size() - kSaveTemporaryRandomLength);
    return head.substr(head.size() - kSaveTemporaryMarker.size()) == kSaveTemporaryMarker;
}

#ifndef _WIN32

#include <cerrno>
#include <climits>
#include <ctime>
#include <dirent.h>
#include <fcntl.h>
#include <string>
#include <sys/stat.h>
#include <unistd.h>

namespace
{
mode_t NewFileMode()
{
    const mode_t mask = ::umask(0);
    ::umask(mask);
    return 0666 & ~mask;
}

/// An existing file that may not be written: the system says so, or no write permission bit is
/// set at all (a file marked read-only stays so even for a privileged user).
bool IsReadOnly(const std::filesystem::path& target, const struct stat& st)
{
    if ((st.st_mode & 0222) == 0)
        return true;
    return ::access(target.c_str(), W_OK) != 0 && (errno == EACCES || errno == EPERM || errno == EROFS);
}
} // namespace

std::filesystem::path FollowLinks(std::filesystem::path path)
{
    for (int hops = 0; hops < 40; ++hops) {
        struct stat st
        {};
        if (::lstat(path.c_str(), &st) != 0 || !S_ISLNK(st.st_mode))
            return path;
        std::string target(PATH_MAX, '\0');
        const ssize_t length = ::readlink(path.c_str(), target.data(), target.size());
        if (length <= 0)
            return path;
        target.resize(static_cast<size_t>(length));
        const std::filesystem::path link(target);
        path = link.is_absolute() ? link : path.parent_path() / link;
    }
    return path;
}

int RemoveStaleTemporaries(const std::filesystem::path& folder, std::chrono::seconds age)
{
    const std::filesystem::path where = folder.empty() ? "." : folder;
    DIR* dir = ::opendir(where.c_str());
    if (!dir)
        return 0;
    const time_t now = ::time(nullptr);
    int removed = 0;
    while (const dirent* entry = ::readdir(dir)) {
        if (!IsSaveTemporaryName(entry->d_name))
            continue;
        struct stat st
        {};
        if (::fstatat(::dirfd(dir), entry->d_name, &st, AT_SYMLINK_NOFOLLOW) != 0 || !S_ISREG(st.st_mode) ||
            st.st_uid != ::geteuid() || now - st.st_mtime < age.count())
            continue;
        if (::unlinkat(::dirfd(dir), entry->d_name, 0) == 0)
            ++removed;
    }
    ::closedir(dir);
    return removed;
}

int ReplaceFileAtomic(const std::filesystem::path& path, const void* data, size_t size)
{
    return ReplaceFileAtomic(path, [data, size](const FileWriter& write) { return write(data, size); });
}

int ReplaceFileAtomic(const std::filesystem::path& path, const FileContent& content)
{
    const std::filesystem::path target = FollowLinks(path);
    struct stat old
    {};
    bool exists = ::stat(target.c_str(), &old) == 0;
    if (!exists && errno != ENOENT)
        return errno; // a link that never ends, a folder we may not search: never replace it
    if (!exists) {
        struct stat link
        {};
        if (::lstat(target.c_str(), &link) == 0 && S_ISLNK(link.st_mode))
            return ELOOP; // still a link after every hop
    }
    if (exists && !S_ISREG(old.st_mode))
        return EINVAL; // never replace a folder or a device
    if (exists && IsReadOnly(target, old))
        return EACCES; // a rename would split its hard links and change its owner
    const mode_t mode = exists ? (old.st_mode & 07777) : NewFileMode();

    const std::filesystem::path folder = target.has_parent_path() ? target.parent_path() : ".";
    RemoveStaleTemporaries(folder);
    std::string temp =
        (folder / ("." + target.filename().string() + std::string(kSaveTemporaryMarker) + "XXXXXX")).string();
    const int fd = ::mkostemp(temp.data(), O_CLOEXEC);
    if (fd < 0)
        return errno;
    const FileWriter write = [fd](const void* data, size_t size) { return os::WriteAll(fd, data, size); };
    bool ok = false;
    try {
        ok = ::fchmod(fd, mode) == 0 && content(write) && ::fsync(fd) == 0;
    } catch (...) {
        ::close(fd);
        ::unlink(temp.c_str());
        throw;
    }
    int failure = ok ? 0 : errno;
    if (::close(fd) != 0 && ok) {
        ok = false;
        failure = errno;
    }
    if (ok && ::rename(temp.c_str(), target.c_str()) != 0) {
        ok = false;
        failure = errno;
    }
    if (!ok) {
        ::unlink(temp.c_str());
        return failure;
    }
    // Make the rename itself durable; a folder that cannot be synced does not undo the save.
    const int dir = ::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (dir >= 0) {
        ::fsync(dir);
        ::close(dir);
    }
    return 0;
}

#endif // !_WIN32
