// The document file: exact bytes, round trips of every class, damaged and truncated files,
// very long chains, and the open and save paths of the document.
#include "CArchive.h"
#include "CCalcDoc.h"
#include "CCalcDocNode.h"
#include "CCalculation.h"
#include "DocumentInputs.h"
#include "DocumentTestSupport.h"
#include "GetCalcBase.h"
#include "MemoryViews.h"
#include "Profile.h"

#include <csignal>
#include <filesystem>
#include <gtest/gtest.h>
#include <memory>
#include <string>
#include <vector>

#ifndef _WIN32
#include <sys/resource.h>
#endif

namespace
{
using Bytes = std::vector<unsigned char>;
const std::string kFormatError = "Unexpected file format.";

class DocumentFileTest : public ::testing::Test
{
protected:
    std::unique_ptr<CCalcDocNode> Load(const Bytes& bytes, std::string* error = nullptr)
    {
        std::string reason;
        std::unique_ptr<CCalcDocNode> head(CCalcDoc::LoadTree(bytes, reason));
        if (error)
            *error = reason;
        return head;
    }
    static std::string Label(const char* code) { return GetProfileString("Labels", code, "Corrupt .INI file"); }

    CDocumentTestEnvironment m_env;
};

/// A document whose head holds one note and its text: the small fixture for damage tests.
CBytes NoteDocument(int32_t textLength = 3, const std::string& text = "abc")
{
    CBytes b;
    b.NewClass("CCalcDocNode").Type(-1, 0, 0, 0, 0).Str("H").Word(0).Word(0);
    b.NewClass("CCalculation").Type(-1, 0, 0, 0, 0).Str("n").NewClass("CNote").Str("0000").Str("n");
    b.Word(0).Int(textLength).Int(0).Raw(text);
    return b;
}

TEST_F(DocumentFileTest, ExampleDocumentHasTheDocumentedBytes)
{
    CCalcDocNode head{CCalcType()};
    head.SetLabel("H");
    auto made = MakeCalculation("1110", "T");
    made->SetText("{\\rtf1 r\\par }");
    CCalculation* calc = head.Add(std::move(made));
    ASSERT_TRUE(calc);

    Bytes body; // the calculation object's own part: type string, title, inputs
    {
        CArchive ar(body);
        calc->GetData()->Serialize(ar);
    }
    ASSERT_EQ(Bytes(body.begin(), body.begin() + 7), CBytes().Str("1110").Str("T").m_bytes);

    CBytes expected;
    expected.NewClass("CCalcDocNode").Type(-1, 0, 0, 0, 0).Str("H").Word(0);
    expected.Word(0x8001).Type(0, 1, 0, 0, 0).Str(Label("1000")).Word(0);
    expected.Word(0x8001).Type(1, 1, 1, 0, 0).Str(Label("1100")).Word(0);
    expected.Word(0x8001).Type(2, 1, 1, 1, 0).Str(Label("1110")).Word(0).Word(0);
    expected.NewClass("CCalculation").Type(2, 1, 1, 1, 0).Str("T");
    expected.NewClass("CDescPerc").Raw(std::string(body.begin(), body.end()));
    expected.Word(0).Int(14).Int(0).Raw("{\\rtf1 r\\par }");
    expected.Word(0).Word(0).Word(0);
    EXPECT_EQ(CCalcDoc::StoreTree(&head), expected.m_bytes);

    std::unique_ptr<CCalcDocNode> loaded = Load(expected.m_bytes);
    ASSERT_TRUE(loaded);
    EXPECT_EQ(CCalcDoc::StoreTree(loaded.get()), expected.m_bytes);
}

TEST_F(DocumentFileTest, EmptyDocumentIsTheHeadAndThreeNullLinks)
{
    CCalcDoc doc;
    ASSERT_TRUE(doc.OnNewDocument());
    const Bytes expected =
        CBytes().NewClass("CCalcDocNode").Type(-1, 0, 0, 0, 0).Str("Untitled").Word(0).Word(0).Word(0).m_bytes;
    EXPECT_EQ(CCalcDoc::StoreTree(doc.GetHead()), expected);
}

/// A document with one calculation of each class (and a note) holding non-default inputs.
std::unique_ptr<CCalcDocNode> EveryClassDocument()
{
    auto head = std::make_unique<CCalcDocNode>(CCalcType());
    head->SetLabel("All");
    for (const CCalcClassInfo& info : CalcClassTable()) {
        auto calc = MakeCalculation(info.code, std::string("Title ") + info.code);
        EXPECT_TRUE(SetNonDefaultInputs(calc->GetData())) << info.className;
        calc->SetText(std::string("{\\rtf1 ") + info.className + "\\par }");
        head->Add(std::move(calc));
    }
    auto note = MakeCalculation("2120", "Note", "X");
    note->Editted(1);
    head->Add(std::move(note));
    return head;
}

TEST_F(DocumentFileTest, EveryClassRoundTripsByteForByte)
{
    std::unique_ptr<CCalcDocNode> head = EveryClassDocument();
    const Bytes first = CCalcDoc::StoreTree(head.get());
    std::unique_ptr<CCalcDocNode> loaded = Load(first);
    ASSERT_TRUE(loaded);
    EXPECT_EQ(CCalcDoc::StoreTree(loaded.get()), first);

    int calculations = 0;
    loaded->Walk([&calculations](CCalcNodeBase& node, int) {
        if (!node.IsCalculation())
            return;
        ++calculations;
        // The inputs were set: they differ from a fresh object's.
        const CCalcBase* data = static_cast<CCalculation&>(node).GetData();
        std::unique_ptr<CCalcBase> fresh(static_cast<CCalcBase*>(data->GetRuntimeClass()->CreateObject()));
        fresh->SetTypeString(data->GetTypeString());
        fresh->SetTitle(data->GetTitle());
        Bytes loadedBody, freshBody;
        CArchive a(loadedBody), b(freshBody);
        const_cast<CCalcBase*>(data)->Serialize(a);
        fresh->Serialize(b);
        if (std::string(data->GetRuntimeClass()->m_lpszClassName) != "CNote") {
            EXPECT_NE(loadedBody, freshBody) << data->GetRuntimeClass()->m_lpszClassName;
        }
    });
    EXPECT_EQ(calculations, 38);
}

TEST_F(DocumentFileTest, EveryTruncationFailsCleanly)
{
    std::unique_ptr<CCalcDocNode> every = EveryClassDocument();
    const std::vector<Bytes> fixtures = {CCalcDoc::StoreTree(every.get()), NoteDocument().m_bytes};
    for (const Bytes& fixture : fixtures) {
        for (size_t length = 0; length < fixture.size(); ++length) {
            std::string error;
            EXPECT_FALSE(Load(Bytes(fixture.begin(), fixture.begin() + static_cast<long>(length)), &error)) << length;
            ASSERT_EQ(error, kFormatError) << length;
        }
    }
}

TEST_F(DocumentFileTest, DamageIsRefusedWithTheFormatError)
{
    ASSERT_TRUE(Load(NoteDocument().m_bytes)); // the undamaged fixture loads
    auto note = [](const CBytes& head, const std::string& calcType) {
        CBytes b = head;
        b.NewClass("CCalculation").Raw(calcType).Str("n").NewClass("CNote").Str("0000").Str("n");
        return b.Word(0).Int(0).Int(0);
    };
    const CBytes goodHead = CBytes().NewClass("CCalcDocNode").Type(-1, 0, 0, 0, 0).Str("H").Word(0).Word(0);
    auto type = [](int32_t level, int32_t d0, int32_t d1, int32_t d2, int32_t d3) {
        const Bytes b = CBytes().Type(level, d0, d1, d2, d3).m_bytes;
        return std::string(b.begin(), b.end());
    };
    auto nested = [](int depth) {
        CBytes b = CBytes().NewClass("CCalcDocNode").Type(-1, 0, 0, 0, 0).Str("H").Word(0);
        for (int i = 0; i < depth; ++i)
            b.Word(0x8001).Type(0, 1, 0, 0, 0).Str("f").Word(0);
        for (int i = 0; i < depth + 2; ++i)
            b.Word(0);
        return b.m_bytes;
    };
    ASSERT_TRUE(Load(nested(10))); // the builder makes sound files: only the depth is wrong below

    const std::vector<std::pair<const char*, Bytes>> damaged = {
        {"negative text length", NoteDocument(-1, "").m_bytes},
        {"text longer than the file", NoteDocument(0x7FFFFFFF, "abc").m_bytes},
        {"level beyond 3", note(goodHead, type(7, 0, 0, 0, 0)).m_bytes},
        {"level not matching digits", note(goodHead, type(0, 1, 1, 0, 0)).m_bytes},
        {"negative digit", note(goodHead, type(2, 1, -1, 1, 0)).m_bytes},
        {"two-figure digit", note(goodHead, type(0, 10, 0, 0, 0)).m_bytes},
        {"0 digit above the level", note(goodHead, type(2, 1, 0, 1, 0)).m_bytes},
        {"0 first digit", note(goodHead, type(1, 0, 1, 0, 0)).m_bytes},
        {"folder with a 0 digit above its level", CBytes()
                                                      .NewClass("CCalcDocNode")
                                                      .Type(-1, 0, 0, 0, 0)
                                                      .Str("H")
                                                      .Word(0)
                                                      .Word(0x8001)
                                                      .Type(2, 0, 6, 3, 0)
                                                      .Str("f")
                                                      .Word(0)
                                                      .Word(0)
                                                      .Word(0)
                                                      .Word(0)
                                                      .m_bytes},
        {"calculation without object", CBytes(goodHead)
                                           .NewClass("CCalculation")
                                           .Raw(type(-1, 0, 0, 0, 0))
                                           .Str("n")
                                           .Word(0)
                                           .Word(0)
                                           .Int(0)
                                           .Int(0)
                                           .m_bytes},
        {"unknown class",
         CBytes().NewClass("CNoSuchNode").Type(-1, 0, 0, 0, 0).Str("H").Word(0).Word(0).Word(0).m_bytes},
        {"calculation as head", CBytes().NewClass("CCalculation").Type(-1, 0, 0, 0, 0).Str("H").m_bytes},
        {"back reference",
         CBytes().NewClass("CCalcDocNode").Type(-1, 0, 0, 0, 0).Str("H").Word(0x0002).Word(0).Word(0).m_bytes},
        {"schema 1", CBytes()
                         .Word(0xFFFF)
                         .Word(1)
                         .Word(12)
                         .Raw("CCalcDocNode")
                         .Type(-1, 0, 0, 0, 0)
                         .Str("H")
                         .Word(0)
                         .Word(0)
                         .Word(0)
                         .m_bytes},
        {"null head", CBytes().Word(0).m_bytes},
        {"folders nested 100 deep", nested(100)},
    };
    for (const auto& [what, bytes] : damaged) {
        std::string error;
        EXPECT_FALSE(Load(bytes, &error)) << what;
        EXPECT_EQ(error, kFormatError) << what;
    }
}

TEST_F(DocumentFileTest, LongChainsLoadWalkExportStoreAndDestroyWithoutRecursion)
{
    constexpr int kCount = 200000;
    const std::string text = "{\\rtf1 r\\par }";
    CBytes b;
    b.NewClass("CCalcDocNode").Type(-1, 0, 0, 0, 0).Str("H").Word(0).Word(0);
    b.NewClass("CCalculation").Type(-1, 0, 0, 0, 0).Str("n").NewClass("CNote").Str("0000").Str("n");
    for (int i = 1; i < kCount; ++i)
        b.Word(0x8003).Type(-1, 0, 0, 0, 0).Str("n").Word(0x8005).Str("0000").Str("n");
    b.Word(0);
    for (int i = 0; i < kCount; ++i)
        b.Int(static_cast<int32_t>(text.size())).Int(0).Raw(text);

    std::unique_ptr<CCalcDocNode> head = Load(b.m_bytes);
    ASSERT_TRUE(head);
    int nodes = 0;
    head->Walk([&nodes](CCalcNodeBase&, int) { ++nodes; });
    EXPECT_EQ(nodes, kCount + 1);
    const std::string exported = CCalcDoc::Export(head.get());
    const std::string one = PlainOf(text) + CCalcDoc::kExportSeparator;
    EXPECT_EQ(exported.size(), one.size() * kCount);
    EXPECT_EQ(exported.substr(0, one.size()), one);
    EXPECT_EQ(CCalcDoc::StoreTree(head.get()), b.m_bytes);
    head.reset();
}

TEST_F(DocumentFileTest, ManyCalculationsNeedTheLongClassReference)
{
    // 16,400 calculations take more than 0x7FFF numbers, so the notes' class comes after
    // 0x7FFF and the second note refers to it through the long form.
    CCalcDocNode head{CCalcType()};
    for (int i = 0; i < 16400; ++i)
        head.Add(MakeCalculation("1300", "m"));
    head.Add(MakeCalculation("1300", "n1", "X"));
    head.Add(MakeCalculation("1300", "n2", "X"));
    const Bytes bytes = CCalcDoc::StoreTree(&head);
    bool longForm = false;
    for (size_t i = 0; i + 6 <= bytes.size() && !longForm; ++i)
        longForm = bytes[i] == 0xFF && bytes[i + 1] == 0x7F && bytes[i + 5] == 0x80 && bytes[i + 4] == 0;
    EXPECT_TRUE(longForm);
    std::unique_ptr<CCalcDocNode> loaded = Load(bytes);
    ASSERT_TRUE(loaded);
    EXPECT_EQ(CCalcDoc::StoreTree(loaded.get()), bytes);
}

class DocumentOpenSaveTest : public DocumentFileTest
{
protected:
    void SetUp() override
    {
        ASSERT_TRUE(m_doc.OnNewDocument());
        m_views.OnUpdate();
        m_doc.Add(MakeCalculation("1110", "first"));
        m_doc.Add(MakeCalculation("2500", "second"));
    }
    std::string Saved(const std::string& name)
    {
        std::string path = m_dir.Path(name);
        EXPECT_TRUE(m_doc.OnSaveDocument(path));
        return path;
    }

    CTempDir m_dir;
    CCalcDoc m_doc;
    CMemoryViews m_views{m_doc};
};

TEST_F(DocumentOpenSaveTest, SaveThenOpenNamesTheHeadAfterTheFile)
{
    const std::string path = Saved("study.zna");
    EXPECT_FALSE(m_doc.IsModified());
    EXPECT_EQ(m_doc.GetTitle(), "study");
    EXPECT_EQ(m_views.RootText(), "study");
    EXPECT_EQ(m_doc.GetHead()->GetLabel(), "Untitled"); // the stored label is unchanged
    EXPECT_EQ(ReadFileBytes(path), CCalcDoc::StoreTree(m_doc.GetHead()));

    CCalcDoc other;
    CMemoryViews views(other);
    ASSERT_TRUE(other.OnOpenDocument(path));
    EXPECT_EQ(other.GetHead()->GetLabel(), "study");
    EXPECT_EQ(other.GetPathName(), path);
    EXPECT_FALSE(other.IsModified());
    views.OnUpdate();
    EXPECT_EQ(other.GetSelectedNode(), other.GetHead());
}

TEST_F(DocumentOpenSaveTest, FailedOpenChangesNothing)
{
    const std::string path = Saved("kept.zna");
    m_doc.Add(MakeCalculation("1300", "third")); // selected, modified
    CCalcDocNode* head = m_doc.GetHead();
    CCalcNodeBase* selected = m_doc.GetSelectedNode();
    ASSERT_TRUE(m_doc.IsModified());

    const std::string damaged = m_dir.Path("damaged.zna");
    Bytes bytes = ReadFileBytes(path);
    bytes.resize(bytes.size() - 1);
    WriteFileBytes(damaged, bytes);
    const std::string missing = m_dir.Path("missing.zna");
    for (const std::string& bad : {damaged, missing}) {
        EXPECT_FALSE(m_doc.OnOpenDocument(bad));
        EXPECT_EQ(m_doc.GetHead(), head);
        EXPECT_EQ(m_doc.GetSelectedNode(), selected);
        EXPECT_EQ(m_views.ShownCalculation(), selected);
        EXPECT_TRUE(m_doc.IsModified());
        EXPECT_EQ(m_doc.GetPathName(), path);
        EXPECT_EQ(m_doc.GetTitle(), "kept");
    }
    EXPECT_EQ(m_env.m_ui.m_messages, (std::vector<std::string>{kFormatError, missing + " was not found."}));
}

TEST_F(DocumentOpenSaveTest, FailedSaveKeepsFilePathAndModifiedFlag)
{
    const std::string path = Saved("kept.zna");
    const Bytes before = ReadFileBytes(path);
    m_doc.Add(MakeCalculation("1300", "third"));

    const std::string missingFolder = m_dir.Path("no/such.zna");
    EXPECT_FALSE(m_doc.OnSaveDocument(missingFolder));
    EXPECT_EQ(m_env.m_ui.m_messages.back(), missingFolder + " was not found.");

    // An existing file whose temporary name would be too long: the save fails before the
    // rename, and the old file stays whole with no temporary file left behind.
    const std::string longName = m_dir.Path(std::string(250, 'a'));
    WriteFileBytes(longName, before);
    EXPECT_FALSE(m_doc.OnSaveDocument(longName));
    EXPECT_EQ(m_env.m_ui.m_messages.back(), "An unexpected file error occurred while accessing " + longName + ".");
    EXPECT_EQ(ReadFileBytes(longName), before);

    EXPECT_FALSE(m_doc.OnSaveDocument(m_dir.m_path));       // a folder is never replaced
    if (HasPermissionBits() && PermissionsBindThisUser()) { // a folder's mark binds nobody on Windows
        std::filesystem::permissions(m_dir.m_path,
                                     std::filesystem::perms::owner_read | std::filesystem::perms::owner_exec);
        EXPECT_FALSE(m_doc.OnSaveDocument(path));
        EXPECT_EQ(m_env.m_ui.m_messages.back(), "Access to " + path + " was denied.");
        std::filesystem::permissions(m_dir.m_path, std::filesystem::perms::owner_all);
    }
    EXPECT_TRUE(m_doc.IsModified());
    EXPECT_EQ(m_doc.GetPathName(), path);
    EXPECT_EQ(ReadFileBytes(path), before);
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(m_dir.m_path), {}), 2); // kept.zna, aaa...
}

TEST_F(DocumentOpenSaveTest, SaveKeepsPermissionsAndReplacesTheTargetOfALink)
{
    if (!CanMakeSymlinks(m_dir.m_path))
        GTEST_SKIP() << "this user may not make symbolic links here";
    namespace fs = std::filesystem;
    const std::string path = Saved("real.zna");
    const fs::perms mode = fs::perms::owner_read | fs::perms::owner_write | fs::perms::group_read;
    fs::permissions(path, mode);
    const std::string link = m_dir.Path("link.zna");
    std::filesystem::create_symlink("real.zna", link);
    m_doc.Add(MakeCalculation("1300", "third"));
    ASSERT_TRUE(m_doc.OnSaveDocument(link));
    EXPECT_TRUE(std::filesystem::is_symlink(link));
    EXPECT_EQ(ReadFileBytes(path), CCalcDoc::StoreTree(m_doc.GetHead()));
    if (HasPermissionBits()) {
        EXPECT_EQ(fs::status(path).permissions() & fs::perms::mask, mode);
    }
}

TEST_F(DocumentOpenSaveTest, AReadOnlyDocumentIsNotReplaced)
{
    const std::string path = Saved("kept.zna");
    const Bytes before = ReadFileBytes(path);
    MakeReadOnly(path);
    m_doc.Add(MakeCalculation("1300", "third"));
    EXPECT_FALSE(m_doc.OnSaveDocument(path));
    EXPECT_EQ(m_env.m_ui.m_messages.back(), "Access to " + path + " was denied.");
    EXPECT_EQ(ReadFileBytes(path), before);
    EXPECT_TRUE(m_doc.IsModified());
}

TEST_F(DocumentOpenSaveTest, ExportNeverReplacesTheDocumentAndAFailureKeepsTheOldFile)
{
    const std::string path = Saved("study.zna");
    const Bytes document = ReadFileBytes(path);
    const std::string hardLink = m_dir.Path("hard.zna");
    const std::string softLink = m_dir.Path("soft.txt");
    std::filesystem::create_hard_link(path, hardLink);
    std::vector<std::string> targets = {path, hardLink, m_dir.m_path + "/./study.zna"};
    if (CanMakeSymlinks(m_dir.m_path)) {
        std::filesystem::create_symlink("study.zna", softLink);
        targets.push_back(softLink);
    }
    for (const std::string& target : targets) {
        EXPECT_FALSE(m_doc.ExportToFile(target)) << target;
        EXPECT_EQ(m_env.m_ui.m_messages.back(),
                  target + " is the document itself: choose another file for the export.");
        EXPECT_EQ(ReadFileBytes(path), document) << target;
    }

    // An export that cannot be written in full (here: past the file size limit) leaves the
    // previous export as it was, and no temporary file.
    const std::string exported = m_dir.Path("reports.txt");
    ASSERT_TRUE(m_doc.ExportToFile(exported));
    const Bytes previous = ReadFileBytes(exported);
    for (int i = 0; i < 40; ++i)
        m_doc.Add(MakeCalculation("1110", "more"));
    ASSERT_GT(CCalcDoc::Export(m_doc.GetHead()).size(), previous.size() + 1);
#ifdef _WIN32
    GTEST_SKIP() << "Windows has no file size limit to make a write fail";
#else
    struct rlimit limit
    {};
    ASSERT_EQ(getrlimit(RLIMIT_FSIZE, &limit), 0);
    const auto oldHandler = std::signal(SIGXFSZ, SIG_IGN);
    struct rlimit small = limit;
    small.rlim_cur = previous.size() + 1;
    ASSERT_EQ(setrlimit(RLIMIT_FSIZE, &small), 0);
    const bool written = m_doc.ExportToFile(exported);
    setrlimit(RLIMIT_FSIZE, &limit);
    std::signal(SIGXFSZ, oldHandler);
    EXPECT_FALSE(written);
    EXPECT_EQ(ReadFileBytes(exported), previous);
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(m_dir.m_path), {}), 4); // no temporary
#endif
}

TEST_F(DocumentOpenSaveTest, KnowsWhenItsFileChangedOnDisk)
{
    EXPECT_FALSE(m_doc.FileChangedOnDisk()); // never saved
    const std::string path = Saved("shared.zna");
    EXPECT_FALSE(m_doc.FileChangedOnDisk());

    // Someone else saves the same file.
    {
        CCalcDoc other;
        CMemoryViews views(other);
        ASSERT_TRUE(other.OnOpenDocument(path));
        views.OnUpdate();
        other.Add(MakeCalculation("1300", "theirs"));
        ASSERT_TRUE(other.OnSaveDocument(path));
    }
    EXPECT_TRUE(m_doc.FileChangedOnDisk());
    ASSERT_TRUE(m_doc.OnOpenDocument(path));
    EXPECT_FALSE(m_doc.FileChangedOnDisk());
    std::filesystem::remove(path);
    EXPECT_FALSE(m_doc.FileChangedOnDisk()); // gone: nothing to overwrite
}
} // namespace
