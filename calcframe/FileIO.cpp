// Whole-file reads and writes with POSIX calls, so that every failure has its errno.
#include "FileIO.h"

#include <cerrno>
#include <climits>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace
{
std::string FullPath(const std::filesystem::path& path)
{
    std::error_code ec;
    const std::filesystem::path full = std::filesystem::absolute(path, ec);
    return ec ? path.string() : full.lexically_normal().string();
}

std::string Replace1(const char* text, const std::string& value)
{
    std::string result(text);
    const size_t at = result.find("%1");
    if (at != std::string::npos)
        result.replace(at, 2, value);
    return result;
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

/// The file a path finally names: symbolic links followed (a dangling link gives the file it
/// would create). Stops after 40 links, as the kernel does.
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

mode_t NewFileMode()
{
    const mode_t mask = ::umask(0);
    ::umask(mask);
    return 0666 & ~mask;
}
} // namespace

std::string FileErrorMessage(int error, const std::filesystem::path& path)
{
    switch (error) {
    case ENOENT:
    case ENOTDIR:
        return Replace1("%1 was not found.", FullPath(path));
    case EACCES:
    case EPERM:
    case EROFS:
        return Replace1("Access to %1 was denied.", FullPath(path));
    case ENOSPC:
    case EDQUOT:
        return "There is not enough space on the disk.";
    default:
        return Replace1("An unexpected file error occurred while accessing %1.", FullPath(path));
    }
}

bool ReadWholeFile(const std::filesystem::path& path, std::vector<unsigned char>& bytes, std::string& error)
{
    // Non-blocking open, so that a FIFO named by mistake cannot hang the program.
    const int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC | O_NONBLOCK);
    if (fd < 0) {
        error = FileErrorMessage(errno, path);
        return false;
    }
    struct stat st
    {};
    if (::fstat(fd, &st) != 0 || !S_ISREG(st.st_mode)) {
        error = FileErrorMessage(EINVAL, path);
        ::close(fd);
        return false;
    }
    bytes.clear();
    bytes.reserve(static_cast<size_t>(st.st_size));
    unsigned char buffer[65536];
    for (;;) {
        const ssize_t got = ::read(fd, buffer, sizeof buffer);
        if (got < 0 && errno == EINTR)
            continue;
        if (got < 0) {
            error = FileErrorMessage(errno, path);
            ::close(fd);
            return false;
        }
        if (got == 0)
            break;
        bytes.insert(bytes.end(), buffer, buffer + got);
    }
    ::close(fd);
    return true;
}

bool SaveFileAtomic(const std::filesystem::path& path, const void* data, size_t size, std::string& error)
{
    const std::filesystem::path target = FollowLinks(path);
    struct stat old
    {};
    const bool exists = ::stat(target.c_str(), &old) == 0;
    if (exists && !S_ISREG(old.st_mode)) {
        error = FileErrorMessage(EINVAL, path); // never replace a folder or a device
        return false;
    }
    const mode_t mode = exists ? (old.st_mode & 07777) : NewFileMode();

    const std::filesystem::path folder = target.has_parent_path() ? target.parent_path() : ".";
    std::string temp = (folder / ("." + target.filename().string() + ".XXXXXX")).string();
    const int fd = ::mkostemp(temp.data(), O_CLOEXEC);
    if (fd < 0) {
        error = FileErrorMessage(errno, path);
        return false;
    }
    bool ok = ::fchmod(fd, mode) == 0 && WriteAll(fd, data, size) && ::fsync(fd) == 0;
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
        error = FileErrorMessage(failure, path);
        return false;
    }
    // Make the rename itself durable; a folder that cannot be synced does not undo the save.
    const int dir = ::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (dir >= 0) {
        ::fsync(dir);
        ::close(dir);
    }
    return true;
}

bool WriteWholeFile(const std::filesystem::path& path, const void* data, size_t size, std::string& error)
{
    const int fd = ::open(path.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0666);
    if (fd < 0) {
        error = FileErrorMessage(errno, path);
        return false;
    }
    bool ok = WriteAll(fd, data, size);
    int failure = ok ? 0 : errno;
    if (::close(fd) != 0 && ok) {
        ok = false;
        failure = errno;
    }
    if (!ok)
        error = FileErrorMessage(failure, path);
    return ok;
}
