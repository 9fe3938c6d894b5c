// The one writer that replaces whole files (documents, exports, the user's vocabulary file): a
// temporary file beside the target, checked writes, fsync, rename; and the clean-up of the
// temporaries that a killed save left behind.
#pragma once

#include <chrono>
#include <cstddef>
#include <filesystem>
#include <functional>
#include <string_view>

/// Temporaries older than this are taken for leftovers of a save that was killed.
inline constexpr std::chrono::seconds kStaleTemporaryAge{3600};

/// Replaces the file at `path` with exactly these bytes, or leaves it as it was. The bytes go to
/// a temporary file in the same folder ("." + name + ".zentavo-save." + six characters), which
/// is flushed to disk and renamed over the target only when everything was written. The new
/// file keeps the old one's permission bits; a symbolic link is followed and its target
/// replaced. Refused: a target that is not a regular file (EINVAL), a link that never ends
/// (ELOOP) and an existing file that may not be written (EACCES), whose permissions say
/// read-only even to a privileged user. Returns 0, or the errno of the failure.
int ReplaceFileAtomic(const std::filesystem::path& path, const void* data, size_t size);

/// Writes the next piece of a file; false when the system refused it (errno says why).
using FileWriter = std::function<bool(const void* data, size_t size)>;
/// Makes a file's content through the writer it is given; false (with errno set) or an exception
/// abandons the file.
using FileContent = std::function<bool(const FileWriter& write)>;

/// ReplaceFileAtomic for content made piece by piece, so that it need not be in memory whole.
/// When the content fails or throws, the temporary goes and the target stays as it was; an
/// exception passes on to the caller.
int ReplaceFileAtomic(const std::filesystem::path& path, const FileContent& content);

/// The file a path finally names: symbolic links followed (a dangling link gives the file it
/// would create). After 40 links, as the kernel, it gives up and returns the last link.
std::filesystem::path FollowLinks(std::filesystem::path path);

/// The marker in the names of the temporaries, and the count of random letters that end them.
inline constexpr std::string_view kSaveTemporaryMarker = ".zentavo-save.";
inline constexpr size_t kSaveTemporaryRandomLength = 6;
/// The characters of the random part: ASCII letters and digits.
constexpr bool IsSaveTemporaryCharacter(char c)
{
    return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || (c >= '0' && c <= '9');
}

/// True for a name that ReplaceFileAtomic gives its temporaries.
bool IsSaveTemporaryName(std::string_view name);

/// Removes from `folder` the temporaries of our own name pattern that are regular files of this
/// user, unchanged for at least `age`; returns how many went. Nothing else is touched.
int RemoveStaleTemporaries(const std::filesystem::path& folder, std::chrono::seconds age = kStaleTemporaryAge);
