// A document kept mapped under a read lease: another program that writes to the file or
// shortens it waits until the reports are copied, and the open document keeps them whole.
#include "LeasedFile.h"

#include "CCalcDoc.h"
#include "CCalculation.h"
#include "DocumentTestSupport.h"
#include "FileIO.h"
#include "PortableTest.h"

#include <gtest/gtest.h>
#include <string>
#include <vector>

#ifdef __linux__
#include <fcntl.h>
#include <sys/wait.h>
#include <unistd.h>

namespace
{
class LeasedFileTest : public CTempDirTest
{
protected:
    LeasedFileTest() : CTempDirTest("zentavo-leased") {}

    /// A document of several megabytes, so that reading it hands back the pages it has passed.
    std::filesystem::path SavedDocument(std::string& exported)
    {
        CCalcDoc doc;
        doc.OnNewDocument();
        for (int i = 0; i < 2500; ++i) {
            auto calc = MakeCalculation(i % 3 ? "1110" : "3200", "c" + std::to_string(i));
            calc->SetText("{\\rtf1\\ansi report " + std::to_string(i) + std::string(2000, 'a' + i % 26) + "\\par }");
            EXPECT_TRUE(doc.Add(std::move(calc)));
        }
        std::filesystem::path file = m_dir / "leased.zna";
        EXPECT_TRUE(doc.OnSaveDocument(file));
        exported = CCalcDoc::Export(doc.GetHead());
        return file;
    }

    /// Another process that empties the file and writes over it; its pid.
    static pid_t StartWriter(const std::filesystem::path& file)
    {
        const pid_t child = ::fork();
        if (child == 0) {
            const int fd = ::open(file.c_str(), O_WRONLY | O_TRUNC);
            const char junk[] = "overwritten";
            const bool ok = fd >= 0 && ::write(fd, junk, sizeof junk - 1) == static_cast<ssize_t>(sizeof junk - 1);
            ::_exit(ok && ::close(fd) == 0 ? 0 : 1);
        }
        return child;
    }
    static int Finished(pid_t child)
    {
        int status = 0;
        return ::waitpid(child, &status, 0) == child && WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    }

    CDocumentTestEnvironment m_env;
};

TEST_F(LeasedFileTest, AWriterWaitsUntilTheBytesAreCopied)
{
    std::string exported;
    const std::filesystem::path file = SavedDocument(exported);
    const std::vector<unsigned char> original = ReadFileBytes(file.string());
    CFileBytes bytes;
    std::string error;
    ASSERT_TRUE(MapLeasedFile(file, bytes, error)) << error;
    if (!HoldsLease(bytes))
        GTEST_SKIP() << "this file system grants no lease";
    ASSERT_TRUE(bytes.mapped);

    // The writer comes during the first read: it waits for its end, while pages already
    // passed are handed back.
    const pid_t writer = StartWriter(file);
    ASSERT_GT(writer, 0);
    ::usleep(100000);
    int status = 0;
    EXPECT_EQ(::waitpid(writer, &status, WNOHANG), 0) << "the writer did not wait";
    ReleaseMappedPages(bytes, 0, bytes.size);
    EndFirstRead(bytes);
    EXPECT_EQ(Finished(writer), 0);
    EXPECT_FALSE(HoldsLease(bytes));
    EXPECT_EQ(std::vector<unsigned char>(bytes.data.get(), bytes.data.get() + bytes.size), original);
    EXPECT_EQ(ReadFileBytes(file.string()),
              std::vector<unsigned char>({'o', 'v', 'e', 'r', 'w', 'r', 'i', 't', 't', 'e', 'n'}));
}

TEST_F(LeasedFileTest, AnOpenDocumentKeepsItsReportsWhenItsFileIsOverwritten)
{
    std::string exported;
    const std::filesystem::path file = SavedDocument(exported);
    CCalcDoc::LeaseFilesWhenOpening();
    CCalcDoc doc;
    const bool opened = doc.OnOpenDocument(file);
    CCalcDoc::MapFilesWhenOpening(false);
    ASSERT_TRUE(opened);
    EXPECT_EQ(Finished(StartWriter(file)), 0); // answered at once: the document is read
    EXPECT_EQ(CCalcDoc::Export(doc.GetHead()), exported);
    // And the document can still be saved whole, under another name.
    ASSERT_TRUE(doc.OnSaveDocument(m_dir / "kept.zna"));
    CCalcDoc reread;
    ASSERT_TRUE(reread.OnOpenDocument(m_dir / "kept.zna"));
    EXPECT_EQ(CCalcDoc::Export(reread.GetHead()), exported);
}

TEST_F(LeasedFileTest, AFileOpenForWritingIsReadInstead)
{
    std::string exported;
    const std::filesystem::path file = SavedDocument(exported);
    const std::vector<unsigned char> original = ReadFileBytes(file.string());
    const int held = ::open(file.c_str(), O_WRONLY);
    ASSERT_GE(held, 0);
    CFileBytes bytes;
    std::string error;
    ASSERT_TRUE(MapLeasedFile(file, bytes, error)) << error;
    EXPECT_FALSE(HoldsLease(bytes));
    EXPECT_FALSE(bytes.mapped);
    ::close(held);
    EXPECT_EQ(std::vector<unsigned char>(bytes.data.get(), bytes.data.get() + bytes.size), original);
    EXPECT_FALSE(MapLeasedFile(m_dir / "missing.zna", bytes, error));
    EXPECT_NE(error.find("was not found"), std::string::npos);
}
} // namespace
#endif // __linux__
