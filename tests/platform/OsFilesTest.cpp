// The operating-system layer: UTF-8 names reach the file system whole, the user's settings
// folder follows the system's variable, the environment carries UTF-8 both ways, and the
// descriptors read and write what they are given.
#include "OsFiles.h"

#include "AtomicFile.h"
#include "PortableTest.h"

#include <cerrno>
#include <filesystem>
#include <fstream>
#include <gtest/gtest.h>
#include <iterator>
#include <string>

namespace fs = std::filesystem;

namespace
{
class OsFilesTest : public CTempDirTest
{
protected:
    OsFilesTest() : CTempDirTest("zentavo-os") {}
};

TEST_F(OsFilesTest, AUtf8NameIsTheSameFileForEveryCall)
{
    // Characters outside every single-byte code page: an ANSI conversion would turn them into '?'.
    const std::string name = "\xC3\xA9tude \xCE\xA9 \xE6\xB8\xAC.zna"; // "étude Ω 測.zna"
    const fs::path path = m_dir / os::PathFromUtf8(name);
    EXPECT_EQ(os::PathToUtf8(path.filename()), name);
    ASSERT_EQ(ReplaceFileAtomic(path, "bytes\r\n\x1A!", 9), 0);

    bool listed = false;
    for (const auto& entry : fs::directory_iterator(m_dir))
        listed = listed || os::PathToUtf8(entry.path().filename()) == name;
    EXPECT_TRUE(listed);

    const int fd = os::OpenForReading(path);
    ASSERT_GE(fd, 0);
    EXPECT_EQ(os::RegularFileSize(fd), 9u);
    std::string read(16, '\0');
    EXPECT_EQ(os::ReadSome(fd, read.data(), read.size()), 9); // no text mode: CR and 0x1A pass
    EXPECT_EQ(read.substr(0, 9), std::string("bytes\r\n\x1A!", 9));
    EXPECT_TRUE(os::CloseFile(fd));
    EXPECT_TRUE(os::StampOf(path).has_value());
}

TEST_F(OsFilesTest, DescriptorsReportWhatFailedAndRefuseAFolder)
{
    errno = 0;
    EXPECT_LT(os::OpenForReading(m_dir / "missing.zna"), 0);
    EXPECT_EQ(errno, ENOENT);
    EXPECT_LT(os::OpenForWriting(m_dir / "no" / "such.txt"), 0);
    EXPECT_EQ(errno, ENOENT);

    const int folder = os::OpenForReading(m_dir); // opens on POSIX, then is no regular file
    if (folder >= 0) {
        EXPECT_FALSE(os::RegularFileSize(folder).has_value());
        os::CloseFile(folder);
    }

    const fs::path file = m_dir / "out.txt";
    const int fd = os::OpenForWriting(file);
    ASSERT_GE(fd, 0);
    EXPECT_TRUE(os::WriteAll(fd, "a\nb", 3));
    EXPECT_TRUE(os::SyncFile(fd));
    EXPECT_TRUE(os::CloseFile(fd));
    EXPECT_EQ(fs::file_size(file), 3u); // "\n" stays one byte
}

TEST_F(OsFilesTest, TheEnvironmentCarriesUtf8AndTheSettingsFolderFollowsIt)
{
    const std::string value = "\xC3\xA9t\xC3\xA9 \xCE\xA9";
    CScopedEnv variable("ZENTAVO_OS_TEST", value);
    EXPECT_EQ(os::GetEnv("ZENTAVO_OS_TEST"), value);
    EXPECT_TRUE(os::SetEnv("ZENTAVO_OS_TEST", std::nullopt));
    EXPECT_FALSE(os::GetEnv("ZENTAVO_OS_TEST").has_value());

    const fs::path base = m_dir / os::PathFromUtf8(value);
    CScopedEnv settings(UserSettingsVariable(), os::PathToUtf8(base));
    EXPECT_EQ(os::UserSettingsDir(), UserSettingsBelow(base));
}

TEST(OsFiles, TheExecutableAndTheArgumentsAreKnown)
{
    const fs::path self = os::ExecutablePath();
    ASSERT_FALSE(self.empty());
    EXPECT_TRUE(fs::is_regular_file(self)) << self;
    EXPECT_NE(os::PathToUtf8(self.filename()).find("platform_tests"), std::string::npos);

    char program[] = "platform_tests";
    char argument[] = "--x";
    char* argv[] = {program, argument, nullptr};
    EXPECT_GE(os::Utf8Arguments(2, argv).size(), 1u); // on Windows read from the command line itself
}
} // namespace
