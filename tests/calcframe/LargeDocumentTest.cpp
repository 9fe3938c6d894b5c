// What keeps large documents quick: reports kept as the file's bytes until they are needed, and
// filing that finds the end of a folder's chain without walking it, also after removals.
#include "CArchive.h"
#include "CCalcDoc.h"
#include "CCalcDocNode.h"
#include "CCalculation.h"
#include "DocumentTestSupport.h"
#include "FileIO.h"
#include "MemoryViews.h"

#include <filesystem>
#include <fstream>
#include <gtest/gtest.h>
#include <iterator>
#include <memory>
#include <string>
#include <vector>

namespace
{
std::string Rtf(int n)
{
    return "{\\rtf1\\ansi report " + std::to_string(n) + "\\par }";
}

/// The labels of a folder's calculations in chain order, joined by spaces.
std::string ChainLabels(const CCalcDocNode* folder)
{
    std::string labels;
    for (const CCalculation* calc = folder->GetCalc(); calc; calc = calc->GetNext())
        labels += (labels.empty() ? "" : " ") + calc->GetLabel();
    return labels;
}

class LargeDocumentTest : public ::testing::Test
{
protected:
    LargeDocumentTest()
    {
        m_dir = std::filesystem::temp_directory_path() / ("zentavo-large-" + std::to_string(ProcessId()));
        std::filesystem::create_directories(m_dir);
    }
    ~LargeDocumentTest() override { std::filesystem::remove_all(m_dir); }

    /// A saved document of `count` calculations in two folders, with known reports.
    std::filesystem::path SavedDocument(int count)
    {
        CCalcDoc doc;
        doc.OnNewDocument();
        for (int i = 0; i < count; ++i) {
            auto calc = MakeCalculation(i % 2 ? "1110" : "3200", "c" + std::to_string(i));
            calc->SetText(Rtf(i));
            EXPECT_TRUE(doc.Add(std::move(calc)));
        }
        std::filesystem::path file = m_dir / "large.zna";
        EXPECT_TRUE(doc.OnSaveDocument(file));
        return file;
    }
    static std::vector<CCalculation*> Calculations(CCalcDoc& doc)
    {
        std::vector<CCalculation*> calcs;
        doc.GetHead()->Walk([&calcs](CCalcNodeBase& node, int) {
            if (node.IsCalculation())
                calcs.push_back(static_cast<CCalculation*>(&node));
        });
        return calcs;
    }
    static std::vector<unsigned char> FileBytes(const std::filesystem::path& file)
    {
        std::ifstream in(file, std::ios::binary);
        return std::vector<unsigned char>(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
    }

    CDocumentTestEnvironment m_env;
    std::filesystem::path m_dir;
};

TEST_F(LargeDocumentTest, OpenedReportsReadAsStoredAndSurviveTheFileAndTheirNeighbours)
{
    const std::filesystem::path file = SavedDocument(20);
    const std::vector<unsigned char> original = FileBytes(file);
    CCalcDoc doc;
    CMemoryViews views(doc);
    ASSERT_TRUE(doc.OnOpenDocument(file));
    views.OnUpdate();
    std::filesystem::remove(file); // the reports are held in memory, not read from the disk
    std::vector<CCalculation*> calcs = Calculations(doc);
    ASSERT_EQ(calcs.size(), 20u);
    for (CCalculation* calc : calcs) {
        const int n = std::stoi(calc->GetLabel().substr(1));
        EXPECT_EQ(calc->StoredText(), Rtf(n));
        EXPECT_EQ(calc->GetTextLength(), static_cast<int32_t>(Rtf(n).size()));
    }
    // Asking for one as a string, replacing one and streaming one out leave the others alone.
    EXPECT_EQ(calcs[0]->GetText(), calcs[0]->StoredText());
    calcs[1]->SetText("{\\rtf1 replaced\\par }");
    calcs[2]->ClearText();
    calcs[2]->AppendText(reinterpret_cast<const unsigned char*>("{\\rtf1 x"), 8);
    calcs[2]->AppendText(reinterpret_cast<const unsigned char*>("y}"), 2);
    EXPECT_EQ(calcs[1]->StoredText(), "{\\rtf1 replaced\\par }");
    EXPECT_EQ(calcs[2]->StoredText(), "{\\rtf1 xy}");
    for (size_t i = 3; i < calcs.size(); ++i)
        EXPECT_EQ(calcs[i]->StoredText(), Rtf(std::stoi(calcs[i]->GetLabel().substr(1))));
    // Streaming into the result view goes through the shared bytes as through a string.
    std::string streamed;
    unsigned char block[5];
    calcs[3]->ResetReadPos();
    for (long n; (n = calcs[3]->StreamIn(block, sizeof block)) > 0;)
        streamed.append(reinterpret_cast<const char*>(block), static_cast<size_t>(n));
    EXPECT_EQ(streamed, calcs[3]->StoredText());

    // A tree read with its reports left in the bytes stores those very bytes again.
    std::string error;
    std::unique_ptr<CCalcDocNode> head;
    {
        // The bytes are let go of here: the tree alone keeps them alive from now on.
        auto held = std::make_shared<std::vector<unsigned char>>(original);
        head = CCalcDoc::LoadTree(CFileBytes{std::shared_ptr<const unsigned char>(held, held->data()), held->size()},
                                  error);
        held.reset();
    }
    ASSERT_TRUE(head) << error;
    EXPECT_EQ(CCalcDoc::StoreTree(head.get()), original);
    EXPECT_NE(CCalcDoc::Export(head.get()).find("report 19"), std::string::npos);
}

TEST_F(LargeDocumentTest, ChangedReportsAreSavedAndReadBack)
{
    const std::filesystem::path file = SavedDocument(6);
    {
        CCalcDoc doc;
        ASSERT_TRUE(doc.OnOpenDocument(file));
        std::vector<CCalculation*> calcs = Calculations(doc);
        calcs[0]->SetText("{\\rtf1 first changed\\par }");
        calcs.back()->AppendText(reinterpret_cast<const unsigned char*>(" tail"), 5);
        ASSERT_TRUE(doc.OnSaveDocument(file)); // over the very file the reports were read from
    }
    CCalcDoc doc;
    ASSERT_TRUE(doc.OnOpenDocument(file));
    const std::vector<CCalculation*> calcs = Calculations(doc);
    ASSERT_EQ(calcs.size(), 6u);
    EXPECT_EQ(calcs[0]->StoredText(), "{\\rtf1 first changed\\par }");
    EXPECT_EQ(calcs.back()->StoredText(), Rtf(std::stoi(calcs.back()->GetLabel().substr(1))) + " tail");
    EXPECT_EQ(calcs[1]->StoredText(), Rtf(std::stoi(calcs[1]->GetLabel().substr(1))));
}

// A save streams the tree into the file a piece at a time: across the pieces' boundaries, and
// with a report larger than a piece, the file holds exactly the bytes of the tree.
TEST_F(LargeDocumentTest, ASavedFileHoldsTheTreesBytesAcrossEveryPiece)
{
    CCalcDoc doc;
    doc.OnNewDocument();
    for (int i = 0; i < 3000; ++i) {
        auto calc = MakeCalculation(i % 2 ? "1110" : "3200", "c" + std::to_string(i));
        calc->SetText(i == 1500 ? "{\\rtf1 " + std::string(3 * CArchive::kDrainBytes, 'x') + "}"
                                : Rtf(i) + std::string(700, ' '));
        ASSERT_TRUE(doc.Add(std::move(calc)));
    }
    const std::filesystem::path file = m_dir / "pieces.zna";
    ASSERT_TRUE(doc.OnSaveDocument(file));
    const std::vector<unsigned char> bytes = CCalcDoc::StoreTree(doc.GetHead());
    ASSERT_GT(bytes.size(), 5 * CArchive::kDrainBytes);
    EXPECT_TRUE(FileBytes(file) == bytes);
}

TEST_F(LargeDocumentTest, FilingAfterRemovalsAppendsAtTheTrueEnd)
{
    CCalcDocNode head{CCalcType()};
    auto file = [&head](const std::string& title) {
        auto made = MakeCalculation("1110", title);
        made->SetTreeHandle(made.get());
        CCalculation* calc = head.Add(std::move(made));
        EXPECT_TRUE(calc);
        return calc;
    };
    CCalculation* a = file("a");
    file("b");
    CCalculation* c = file("c");
    const CCalcDocNode* folder = nullptr;
    head.Walk([&folder](CCalcNodeBase& node, int) {
        if (!node.IsCalculation() && node.GetType().GetTypeString() == "1110")
            folder = static_cast<CCalcDocNode*>(&node);
    });
    ASSERT_NE(folder, nullptr);

    ASSERT_TRUE(head.Delete(c)); // the last one, where the next filing would start
    file("d");
    EXPECT_EQ(ChainLabels(folder), "a b d");
    ASSERT_TRUE(head.Delete(a)); // the first one
    file("e");
    EXPECT_EQ(ChainLabels(folder), "b d e");
    while (folder->GetCalc())
        ASSERT_TRUE(head.Delete(folder->GetCalc()));
    file("f");
    file("g");
    EXPECT_EQ(ChainLabels(folder), "f g");
    // A chain lengthened behind the folder's back is followed to its end.
    folder->GetCalc()->GetNext()->Add(MakeCalculation("1110", "h"));
    file("i");
    EXPECT_EQ(ChainLabels(folder), "f g h i");

    // The last one taken out (as a delete that can be undone does) and put back.
    CNodePlace place;
    CCalculation* last = folder->GetCalc()->GetNext()->GetNext()->GetNext();
    std::unique_ptr<CCalcNodeBase> out = head.Detach(last, place);
    ASSERT_EQ(out.get(), last);
    file("j");
    EXPECT_EQ(ChainLabels(folder), "f g h j");
    EXPECT_EQ(CCalcDocNode::Attach(std::move(out), place), nullptr);
    file("k");
    EXPECT_EQ(ChainLabels(folder), "f g h i j k");
}

TEST_F(LargeDocumentTest, FilingIntoAnOpenedDocumentKeepsTheStoredOrder)
{
    const std::filesystem::path file = SavedDocument(9);
    CCalcDoc doc;
    ASSERT_TRUE(doc.OnOpenDocument(file));
    for (int i = 9; i < 12; ++i)
        ASSERT_TRUE(doc.Add(MakeCalculation(i % 2 ? "1110" : "3200", "c" + std::to_string(i))));
    std::string order;
    for (CCalculation* calc : Calculations(doc))
        order += calc->GetLabel() + " ";
    EXPECT_EQ(order, "c0 c2 c4 c6 c8 c10 c1 c3 c5 c7 c9 c11 ");
}
} // namespace

namespace
{
TEST_F(LargeDocumentTest, EveryWayOfReadingAFileGivesItsBytes)
{
    const std::filesystem::path file = SavedDocument(3);
    const std::vector<unsigned char> expected = FileBytes(file);
    const std::filesystem::path empty = m_dir / "empty.zna";
    std::ofstream(empty, std::ios::binary).close();
    using Reader = bool (*)(const std::filesystem::path&, CFileBytes&, std::string&);
    for (const Reader read : {static_cast<Reader>(&ReadWholeFile), static_cast<Reader>(&MapWholeFile)}) {
        CFileBytes bytes;
        std::string error;
        ASSERT_TRUE(read(file, bytes, error)) << error;
        ASSERT_TRUE(bytes.data);
        EXPECT_EQ(std::vector<unsigned char>(bytes.data.get(), bytes.data.get() + bytes.size), expected);
        CFileBytes none;
        ASSERT_TRUE(read(empty, none, error)) << error;
        EXPECT_EQ(none.size, 0u);
        EXPECT_TRUE(none.data);
        EXPECT_FALSE(read(m_dir / "missing.zna", none, error));
        EXPECT_NE(error.find("was not found"), std::string::npos);
        EXPECT_FALSE(read(m_dir, none, error)); // a folder is no document
    }
    // A document opened through a mapping reads and saves as one read whole.
    CCalcDoc::MapFilesWhenOpening(true);
    CCalcDoc mapped;
    const bool opened = mapped.OnOpenDocument(file);
    CCalcDoc::MapFilesWhenOpening(false);
    ASSERT_TRUE(opened);
    CCalcDoc read;
    ASSERT_TRUE(read.OnOpenDocument(file));
    EXPECT_EQ(CCalcDoc::StoreTree(mapped.GetHead()), CCalcDoc::StoreTree(read.GetHead()));
    EXPECT_EQ(CCalcDoc::Export(mapped.GetHead()), CCalcDoc::Export(read.GetHead()));
}
} // namespace

namespace
{
TEST_F(LargeDocumentTest, MappedDocumentsReadBackPagesTheyHandedBack)
{
    // Several megabytes, so that opening hands back the pages it has passed.
    CCalcDoc doc;
    doc.OnNewDocument();
    for (int i = 0; i < 2500; ++i) {
        auto calc = MakeCalculation(i % 3 ? "1110" : "3200", "c" + std::to_string(i));
        calc->SetText(Rtf(i) + std::string(2000, static_cast<char>('a' + i % 26)));
        ASSERT_TRUE(doc.Add(std::move(calc)));
    }
    const std::filesystem::path file = m_dir / "big.zna";
    ASSERT_TRUE(doc.OnSaveDocument(file));
    const std::string exported = CCalcDoc::Export(doc.GetHead());
    CCalcDoc read;
    ASSERT_TRUE(read.OnOpenDocument(file));
    const std::vector<unsigned char> expected = CCalcDoc::StoreTree(read.GetHead());

    CCalcDoc::MapFilesWhenOpening(true);
    CCalcDoc mapped;
    const bool opened = mapped.OnOpenDocument(file);
    CCalcDoc::MapFilesWhenOpening(false);
    ASSERT_TRUE(opened);
    EXPECT_EQ(CCalcDoc::Export(mapped.GetHead()), exported);
    EXPECT_EQ(CCalcDoc::StoreTree(mapped.GetHead()), expected);
}
} // namespace
