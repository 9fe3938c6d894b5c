// The one atomic file writer: what it replaces, what it refuses, and which leftovers of killed
// saves it clears away.
#include "AtomicFile.h"

#include "PortableTest.h"

#include <cerrno>
#include <chrono>
#include <filesystem>
#include <fstream>
#include <gtest/gtest.h>
#include <iterator>
#include <stdexcept>
#include <string>

#ifndef _WIN32
#include <sys/stat.h>
#endif

namespace fs = std::filesystem;

namespace
{
class AtomicFileTest : public CTempDirTest
{
protected:
    AtomicFileTest() : CTempDirTest("zentavo-atomic") {}
    void TearDown() override
    {
        std::error_code error;
        for (const auto& entry : fs::directory_iterator(m_dir)) // a read-only file stops removal on Windows
            if (!entry.is_symlink(error))
                fs::permissions(entry.path(), fs::perms::owner_write, fs::perm_options::add, error);
        CTempDirTest::TearDown();
    }

    static std::string Read(const fs::path& path)
    {
        std::ifstream in(path, std::ios::binary);
        return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
    }
    static void Write(const fs::path& path, const std::string& text) { std::ofstream(path, std::ios::binary) << text; }
    static int Replace(const fs::path& path, const std::string& text)
    {
        return ReplaceFileAtomic(path, text.data(), text.size());
    }
    static void MakeOld(const fs::path& path)
    {
#ifdef _WIN32
        if (fs::is_directory(path))
            return; // MinGW's C library cannot set a folder's time; the folder is kept anyway
#endif
        fs::last_write_time(path, fs::file_time_type::clock::now() - std::chrono::hours(2));
    }
    size_t FileCount() const
    {
        return static_cast<size_t>(std::distance(fs::directory_iterator(m_dir), {}));
    }
};

TEST_F(AtomicFileTest, AReadOnlyFileIsLeftWithItsLinksAndOwner)
{
    const fs::path doc = m_dir / "study.zna";
    const fs::path other = m_dir / "hard-link.zna";
    Write(doc, "old");
    fs::create_hard_link(doc, other);
    MakeReadOnly(doc);
#ifndef _WIN32
    struct stat before
    {};
    ASSERT_EQ(stat(doc.c_str(), &before), 0);
#endif

    EXPECT_EQ(Replace(doc, "new"), EACCES); // also for a privileged user: the file says read-only
    EXPECT_TRUE(fs::equivalent(doc, other));
    EXPECT_EQ(Read(doc), "old");
    EXPECT_EQ(Read(other), "old");
    EXPECT_EQ(FileCount(), 2u); // no temporary left
#ifndef _WIN32
    struct stat after
    {};
    ASSERT_EQ(stat(doc.c_str(), &after), 0);
    EXPECT_EQ(after.st_ino, before.st_ino);
    EXPECT_EQ(after.st_nlink, 2u); // MinGW's stat always counts one link
    EXPECT_EQ(after.st_uid, before.st_uid);
#endif

    // Writable again: replaced (permission bits kept where files have them).
    fs::permissions(doc, fs::perms::owner_read | fs::perms::owner_write | fs::perms::group_read);
    EXPECT_EQ(Replace(doc, "new"), 0);
    EXPECT_EQ(Read(doc), "new");
    if (HasPermissionBits()) {
        EXPECT_EQ(fs::status(doc).permissions() & fs::perms::mask,
                  fs::perms::owner_read | fs::perms::owner_write | fs::perms::group_read);
    }
}

// Content made piece by piece: all pieces land; content that fails or throws leaves the old
// file and no temporary.
TEST_F(AtomicFileTest, ContentInPiecesReplacesTheFileOrNothing)
{
    const fs::path file = m_dir / "doc.zna";
    Write(file, "old");
    const auto pieces = [](const FileWriter& write) { return write("ab", 2) && write("", 0) && write("cde", 3); };
    EXPECT_EQ(ReplaceFileAtomic(file, pieces), 0);
    EXPECT_EQ(Read(file), "abcde");

    const auto fails = [](const FileWriter& write) {
        write("partial", 7);
        errno = EIO;
        return false;
    };
    EXPECT_EQ(ReplaceFileAtomic(file, fails), EIO);
    const auto throws = [](const FileWriter& write) -> bool {
        write("partial", 7);
        throw std::runtime_error("no more");
    };
    EXPECT_THROW(ReplaceFileAtomic(file, throws), std::runtime_error);
    EXPECT_EQ(Read(file), "abcde");
    EXPECT_EQ(FileCount(), 1u);
}

TEST_F(AtomicFileTest, AFolderIsNeverReplaced)
{
    EXPECT_EQ(Replace(m_dir, "new"), EINVAL);
    EXPECT_TRUE(fs::is_directory(m_dir));
    EXPECT_EQ(Replace(m_dir / "missing" / "study.zna", "new"), ENOENT); // no folder is made
    EXPECT_EQ(FileCount(), 0u);
}

TEST_F(AtomicFileTest, LinksThatNeverEndAndOtherKindsOfFileAreRefused)
{
    if (!CanMakeSymlinks(m_dir))
        GTEST_SKIP() << "this user may not make symbolic links here";
    const fs::path loop = m_dir / "loop.zna";
    fs::create_symlink("loop.zna", loop);
    EXPECT_EQ(Replace(loop, "new"), ELOOP);
    EXPECT_TRUE(fs::is_symlink(loop)); // not replaced by a file

    EXPECT_EQ(Replace(m_dir, "new"), EINVAL);
    EXPECT_EQ(FileCount(), 1u);

    // A dangling link names the file it would create.
    const fs::path dangling = m_dir / "dangling.zna";
    fs::create_symlink("created.zna", dangling);
    EXPECT_EQ(Replace(dangling, "made"), 0);
    EXPECT_TRUE(fs::is_symlink(dangling));
    EXPECT_EQ(Read(m_dir / "created.zna"), "made");
}

TEST_F(AtomicFileTest, SavingClearsOnlyOurOwnOldTemporaries)
{
    EXPECT_TRUE(IsSaveTemporaryName(".study.zna.zentavo-save.Ab3xYz"));
    EXPECT_FALSE(IsSaveTemporaryName(".study.zna.Ab3xYz"));             // someone else's pattern
    EXPECT_FALSE(IsSaveTemporaryName("study.zna.zentavo-save.Ab3xYz")); // not hidden
    EXPECT_FALSE(IsSaveTemporaryName(".study.zna.zentavo-save.Ab3x-z"));
    EXPECT_FALSE(IsSaveTemporaryName(".zentavo-save.Ab3xYz"));

    const fs::path staleOurs = m_dir / ".study.zna.zentavo-save.Ab3xYz";
    const fs::path freshOurs = m_dir / ".study.zna.zentavo-save.Q1w2E3";
    const fs::path staleOthers = m_dir / ".study.zna.Ab3xYz";
    const fs::path staleFolder = m_dir / ".other.zna.zentavo-save.Zz9Zz9";
    for (const fs::path& file : {staleOurs, freshOurs, staleOthers})
        Write(file, "left behind");
    fs::create_directory(staleFolder);
    for (const fs::path& old : {staleOurs, staleOthers, staleFolder})
        MakeOld(old);

    EXPECT_EQ(Replace(m_dir / "study.zna", "saved"), 0);
    EXPECT_FALSE(fs::exists(staleOurs));
    EXPECT_TRUE(fs::exists(freshOurs)); // may belong to a save still running
    EXPECT_TRUE(fs::exists(staleOthers));
    EXPECT_TRUE(fs::is_directory(staleFolder));
    EXPECT_EQ(Read(m_dir / "study.zna"), "saved");
    EXPECT_EQ(FileCount(), 4u);
}
} // namespace
