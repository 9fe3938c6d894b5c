// Leased mappings. The notice of a broken lease is a real-time signal carrying the descriptor;
// its handler finds the mapping in a fixed table, copies it into anonymous memory that takes
// the mapping's place at the same address, then gives the lease up. Every step there is a
// system call or a plain copy, as a signal handler needs. The table's entries change state by
// compare-and-swap only, so that the handler, the reading thread and the thread that closes a
// document never act on one mapping at the same time.
#include "LeasedFile.h"

#ifdef __linux__
#include <array>
#include <atomic>
#include <cerrno>
#include <csignal>
#include <cstring>
#include <fcntl.h>
#include <sched.h>
#include <sys/mman.h>
#include <sys/stat.h>
#include <unistd.h>

namespace
{
enum LeaseState : int
{
    kFree,      // no mapping
    kFirstRead, // being read the first time: a notice waits
    kNoticed,   // a notice came during the first read
    kLive,      // leased, the file's own pages
    kCopying,   // the handler is copying the pages
    kCopied,    // private pages, no lease any more
    kClosing    // being unmapped
};

struct CLeaseEntry
{
    std::atomic<int> state{kFree};
    std::atomic<int> fd{-1};
    unsigned char* address = nullptr;
    size_t length = 0;
};

constexpr size_t kMaxLeases = 64; // open documents at once; beyond, files are read
std::array<CLeaseEntry, kMaxLeases> g_leases;
static_assert(std::atomic<int>::is_always_lock_free, "the signal handler needs lock-free atomics");

int NoticeSignal()
{
    return SIGRTMIN + 4;
}

/// Puts a copy of the pages in the mapping's place, then gives the lease up. (Writing to the
/// pages of the private mapping would copy them too, but a file shortened later takes even
/// such copies away beyond its new end.) Pages released earlier are first brought back from
/// the file, which nobody has changed: its writer still waits for us. Without memory for the
/// copy the lease is kept, and the system breaks it only after its grace period.
void CopyAndUnlease(CLeaseEntry& entry)
{
    void* copy = ::mmap(nullptr, entry.length, PROT_READ | PROT_WRITE, MAP_PRIVATE | MAP_ANONYMOUS, -1, 0);
    if (copy == MAP_FAILED)
        return;
    std::memcpy(copy, entry.address, entry.length);
    if (::mremap(copy, entry.length, entry.length, MREMAP_MAYMOVE | MREMAP_FIXED, entry.address) == MAP_FAILED) {
        ::munmap(copy, entry.length);
        return;
    }
    ::mprotect(entry.address, entry.length, PROT_READ);
    ::fcntl(entry.fd.load(), F_SETLEASE, F_UNLCK);
}

void OnNotice(int, siginfo_t* info, void*)
{
    const int saved = errno;
    for (CLeaseEntry& entry : g_leases) {
        if (entry.fd.load() != info->si_fd)
            continue;
        int state = kLive;
        if (entry.state.compare_exchange_strong(state, kCopying)) {
            CopyAndUnlease(entry);
            entry.state.store(kCopied);
        } else if (state == kFirstRead) {
            entry.state.compare_exchange_strong(state, kNoticed);
            // Should the read have ended in between, the entry is live now: answer here.
            state = kLive;
            if (entry.state.compare_exchange_strong(state, kCopying)) {
                CopyAndUnlease(entry);
                entry.state.store(kCopied);
            }
        }
    }
    errno = saved;
}

bool InstallHandler()
{
    static const bool installed = [] {
        struct sigaction action = {};
        action.sa_sigaction = OnNotice;
        action.sa_flags = SA_SIGINFO | SA_RESTART;
        sigemptyset(&action.sa_mask);
        return ::sigaction(NoticeSignal(), &action, nullptr) == 0;
    }();
    return installed;
}

/// A free entry, claimed for a first read; null when all are in use.
CLeaseEntry* ClaimEntry()
{
    for (CLeaseEntry& entry : g_leases) {
        int state = kFree;
        if (entry.state.compare_exchange_strong(state, kFirstRead))
            return &entry;
    }
    return nullptr;
}

/// Gives the lease up, unmaps and frees the entry: after the handler is done with it, if it is
/// at it.
void Close(CLeaseEntry& entry)
{
    for (;;) {
        int state = entry.state.load();
        if (state == kCopying) {
            ::sched_yield();
            continue;
        }
        if (entry.state.compare_exchange_strong(state, kClosing))
            break;
    }
    const int fd = entry.fd.exchange(-1);
    ::fcntl(fd, F_SETLEASE, F_UNLCK);
    ::close(fd);
    ::munmap(entry.address, entry.length);
    entry.address = nullptr;
    entry.length = 0;
    entry.state.store(kFree);
}

/// The lease on `fd`, with notices to this process by NoticeSignal; false where none is granted.
bool TakeLease(int fd)
{
    return ::fcntl(fd, F_SETSIG, NoticeSignal()) == 0 && ::fcntl(fd, F_SETOWN, ::getpid()) == 0 &&
           ::fcntl(fd, F_SETLEASE, F_RDLCK) == 0;
}
} // namespace

bool MapLeasedFile(const std::filesystem::path& path, CFileBytes& bytes, std::string& error)
{
    if (!InstallHandler())
        return ReadWholeFile(path, bytes, error);
    // The descriptor stays open with the mapping: the lease belongs to it.
    const int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC | O_NONBLOCK);
    if (fd < 0)
        return ReadWholeFile(path, bytes, error); // the same open fails there, with its message
    struct stat status = {};
    CLeaseEntry* entry =
        ::fstat(fd, &status) == 0 && S_ISREG(status.st_mode) && status.st_size > 0 ? ClaimEntry() : nullptr;
    if (!entry) {
        ::close(fd);
        return ReadWholeFile(path, bytes, error);
    }
    // The entry is found by its descriptor before the lease is taken: a notice that comes at
    // once is then kept for EndFirstRead.
    entry->fd.store(fd);
    const auto giveUp = [&] {
        entry->fd.store(-1);
        ::fcntl(fd, F_SETLEASE, F_UNLCK);
        ::close(fd);
        entry->state.store(kFree);
        return ReadWholeFile(path, bytes, error);
    };
    // The size is taken with the lease held: nobody shortens the file from here on unasked.
    struct stat leased = {};
    if (!TakeLease(fd) || ::fstat(fd, &leased) != 0 || leased.st_size <= 0)
        return giveUp();
    const size_t size = static_cast<size_t>(leased.st_size);
    void* memory = ::mmap(nullptr, size, PROT_READ, MAP_PRIVATE, fd, 0);
    if (memory == MAP_FAILED)
        return giveUp();
    entry->address = static_cast<unsigned char*>(memory);
    entry->length = size;
    ::madvise(memory, size, MADV_WILLNEED); // advice only: read ahead what the parse will need
    bytes.size = size;
    bytes.mapped = true;
    bytes.lease = static_cast<int>(entry - g_leases.data());
    bytes.data = std::shared_ptr<const unsigned char>(static_cast<const unsigned char*>(memory),
                                                      [entry](const unsigned char*) { Close(*entry); });
    return true;
}

void EndFirstRead(const CFileBytes& bytes)
{
    if (bytes.lease < 0)
        return;
    CLeaseEntry& entry = g_leases[static_cast<size_t>(bytes.lease)];
    int state = kFirstRead;
    if (entry.state.compare_exchange_strong(state, kLive))
        return;
    if (state == kNoticed && entry.state.compare_exchange_strong(state, kCopying)) {
        CopyAndUnlease(entry);
        entry.state.store(kCopied);
    }
}

bool HoldsLease(const CFileBytes& bytes)
{
    if (bytes.lease < 0)
        return false;
    const int state = g_leases[static_cast<size_t>(bytes.lease)].state.load();
    return state == kFirstRead || state == kNoticed || state == kLive;
}

#else // no leases here: the file is read

bool MapLeasedFile(const std::filesystem::path& path, CFileBytes& bytes, std::string& error)
{
    return ReadWholeFile(path, bytes, error);
}

void EndFirstRead(const CFileBytes&)
{}

bool HoldsLease(const CFileBytes&)
{
    return false;
}

#endif
