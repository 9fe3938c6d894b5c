// Files the program wrote earlier, read from tests/data through the real views (offscreen): a
// document, a clipboard payload, and a report as a rich-edit control saves it. Their bytes are
// fixed; what the views show from them and what the program writes back is checked against
// them, not against bytes made by the same code.
#include "CCalcDoc.h"
#include "CCalcDocNode.h"
#include "CCalcEditView.h"
#include "CCalcTreeView.h"
#include "CCalculation.h"
#include "CQtDocViews.h"
#include "CalcHookGuards.h"
#include "FrameworkInit.h"
#include "GetCalcBase.h"
#include "HookGuards.h"
#include "RichText.h"
#include "RichTextConvert.h"
#include "TestSupport.h"
#include "UIServices.h"
#include "ViewCommands.h"
#include "ZNTVStat.h"

#include <QSplitter>
#include <QTemporaryDir>

#include <fstream>
#include <gtest/gtest.h>
#include <iterator>
#include <memory>
#include <string>
#include <vector>

/// Runs show as text and effects when a comparison fails.
void PrintTo(const CTextRun& run, std::ostream* out)
{
    *out << "{\"" << run.text << "\", " << run.flags << "}";
}

namespace
{
std::string ReadBytes(const std::string& path)
{
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

std::vector<unsigned char> AsBytes(const std::string& text)
{
    return {text.begin(), text.end()};
}

CProfile ShippedVocabulary()
{
    CProfile profile;
    profile.Load(ShippedVocabularyPath());
    return profile;
}
} // namespace

class StoredFilesTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        ZNTVCalcInit();
        ZNTVStatInit();
        ASSERT_TRUE(m_dir.isValid());
        m_window.resize(900, 600);
        m_window.show();
        m_views = std::make_unique<CQtDocViews>(m_doc, *m_tree, *m_edit);
        ASSERT_TRUE(m_doc.OnNewDocument());
        m_views->OnUpdate();
    }
    void TearDown() override { m_views.reset(); }

    CCalculation* Selected() const
    {
        CCalcNodeBase* node = m_doc.GetSelectedNode();
        return node && node->IsCalculation() ? static_cast<CCalculation*>(node) : nullptr;
    }
    CRichText Shown() const { return RichTextFromDocument(*m_edit->document()); }
    /// The labels from the selected item up to the head.
    std::vector<std::string> PathOfSelected() const
    {
        std::vector<std::string> path;
        for (QTreeWidgetItem* item = m_tree->currentItem(); item; item = item->parent())
            path.insert(path.begin(), item->text(0).toStdString());
        return path;
    }
    CCalculation* FirstCalculation() const
    {
        CCalculation* first = nullptr;
        m_doc.GetHead()->Walk([&first](CCalcNodeBase& node, int) {
            if (!first && node.IsCalculation())
                first = static_cast<CCalculation*>(&node);
        });
        return first;
    }
    std::string TempPath(const char* name) const { return m_dir.filePath(name).toStdString(); }

    CVocabularyGuard m_vocabulary{{ShippedVocabulary()}};
    CHeadlessUIServices m_ui;
    CUIServicesGuard m_servicesGuard{m_ui};
    CCalcFactoryGuard m_factory{&GetCalcBase};
    QTemporaryDir m_dir;
    CCalcDoc m_doc;
    QSplitter m_window;
    CCalcTreeView* m_tree = new CCalcTreeView(&m_window);
    CCalcEditView* m_edit = new CCalcEditView(&m_window);
    std::unique_ptr<CQtDocViews> m_views;
};

TEST_F(StoredFilesTest, ReportSavedByARichEditControlShowsWithItsEffects)
{
    const std::string rtf = ReadBytes(TestDataPath("report-richedit.rtf"));
    ASSERT_EQ(rtf.rfind("{\\rtf1", 0), 0u);
    // Its own header, colour table, generator, paragraph and font words are passed over; CRLF
    // inside the file is no text; \'e9 is Windows-1252, \u8804 is read and its '?' skipped.
    const std::vector<CTextRun> expected{
        {"Survey of caf\xC3\xA9s", kRunBold},
        {"\n\nProportion (%)\t:\t50.00\n", 0},
        {"95% confidence interval", kRunItalic},
        {" : 40.00, 60.00\n", 0},
        {"Note", kRunUnderline},
        {" : p \xE2\x89\xA4 0.05 {checked}\nEdited by hand \\ twice\n", 0},
    };
    EXPECT_EQ(CRichText::FromRtf(rtf).Runs(), expected);

    // The same report kept by a calculation shows so in the result view, and the view stores
    // it back in our own form without losing a word or an effect.
    ASSERT_TRUE(m_doc.OnOpenDocument(TestDataPath("study.zna"))) << m_doc.GetLastError();
    m_views->OnUpdate();
    CCalculation* calc = FirstCalculation();
    ASSERT_NE(calc, nullptr);
    calc->ClearText();
    calc->AppendText(reinterpret_cast<const unsigned char*>(rtf.data()), rtf.size());
    m_tree->SelectNode(m_doc.GetHead());
    m_tree->SelectNode(calc);
    EXPECT_EQ(Shown().Runs(), expected);
    m_tree->SelectNode(m_doc.GetHead());
    EXPECT_EQ(CRichText::FromRtf(calc->GetText()).Runs(), expected);
}

TEST_F(StoredFilesTest, ClipboardPayloadOfAnotherSessionPastesAndCopiesBackUnchanged)
{
    const std::string payload = ReadBytes(TestDataPath("clipboard-percentage.bin"));
    ASSERT_EQ(payload.size(), 426u);
    const std::string report = "Describe - Proportion - Percentage\n"
                               "Title 1110\n"
                               "\n"
                               "Sample size                         :     300         \n"
                               "Proportion [99% CI]                 :      12.50%     [8.24, 18.44]\n";

    m_tree->SelectNode(m_doc.GetHead());
    m_ui.m_clipboard.calculation = AsBytes(payload);
    ASSERT_TRUE(m_tree->PasteFromClipboard());
    ASSERT_NE(Selected(), nullptr);
    EXPECT_EQ(PathOfSelected(),
              (std::vector<std::string>{"Untitled", "Describe", "Proportion", "Percentage", "Title 1110"}));
    EXPECT_EQ(Shown().ToPlainText(false), report);
    EXPECT_TRUE(m_ui.m_messages.empty());

    // Copied again after it was shown: the very bytes that came in, and the report as text.
    m_ui.m_clipboard = CClipboardData();
    ASSERT_TRUE(m_tree->OnCommand(kCmdCopy));
    EXPECT_EQ(m_ui.m_clipboard.calculation, AsBytes(payload));
    EXPECT_EQ(m_ui.m_clipboard.plainText, report);
}

TEST_F(StoredFilesTest, DamagedCopiesOfTheClipboardPayloadAreRefusedWhole)
{
    const std::string payload = ReadBytes(TestDataPath("clipboard-percentage.bin"));
    ASSERT_FALSE(payload.empty());
    m_tree->SelectNode(m_doc.GetHead());
    // Cut inside the calculation's fields and inside its report.
    for (const size_t size : {size_t{3}, size_t{40}, size_t{90}, payload.size() - 1}) {
        m_ui.m_messages.clear();
        m_ui.m_clipboard.calculation = AsBytes(payload.substr(0, size));
        EXPECT_FALSE(m_tree->PasteFromClipboard()) << size;
        EXPECT_EQ(m_ui.m_messages, std::vector<std::string>{"Unexpected file format."}) << size;
        EXPECT_EQ(m_doc.GetHead()->GetSub(), nullptr) << size;
    }
}

TEST_F(StoredFilesTest, DocumentWrittenByTheCommandLineToolOpensShowsAndSavesTheSameBytes)
{
    const std::string stored = ReadBytes(TestDataPath("study.zna"));
    ASSERT_EQ(stored.size(), 3198u);
    ASSERT_TRUE(m_doc.OnOpenDocument(TestDataPath("study.zna"))) << m_doc.GetLastError();
    m_views->OnUpdate();

    CCalcDocNode* head = m_doc.GetHead();
    ASSERT_NE(head, nullptr);
    std::vector<CCalculation*> calcs;
    head->Walk([&calcs](CCalcNodeBase& node, int) {
        if (node.IsCalculation())
            calcs.push_back(static_cast<CCalculation*>(&node));
    });
    ASSERT_EQ(calcs.size(), 2u);

    m_tree->SelectNode(calcs[0]);
    EXPECT_EQ(PathOfSelected(), (std::vector<std::string>{"study", "Describe", "Proportion", "Percentage", "Survey"}));
    // 50 of 100: the Wilson interval with continuity correction, 39.90 to 60.10.
    EXPECT_EQ(Shown().ToPlainText(false), "Describe - Proportion - Percentage\n"
                                          "Survey\n"
                                          "\n"
                                          "Sample size                         :     100         \n"
                                          "Proportion [95% CI]                 :      50.00%     [39.90, 60.10]\n");
    m_tree->SelectNode(calcs[1]);
    EXPECT_EQ(PathOfSelected(),
              (std::vector<std::string>{"study", "Contingency tables", "Unstratified 2x2 table", "Exposure"}));
    // 40/15/5/40: odds ratio 40 * 40 / (15 * 5) = 21.33; risk ratio (40/55) / (5/45) = 6.55.
    const std::string table = Shown().ToPlainText(false);
    EXPECT_NE(table.find("Odds ratio                          :      21.33      [7.08, 64.28]\n"), std::string::npos)
        << table;
    EXPECT_NE(table.find("Risk ratio                          :       6.55      [2.82, 15.19]\n"), std::string::npos)
        << table;
    EXPECT_FALSE(m_doc.IsModified());

    // Opened, shown and saved without a change: the very bytes the tool wrote.
    const std::string copy = TempPath("copy.zna");
    ASSERT_TRUE(m_doc.OnSaveDocument(copy)) << m_doc.GetLastError();
    EXPECT_EQ(ReadBytes(copy), stored);
}

TEST_F(StoredFilesTest, DamagedCopiesOfTheDocumentAreRefusedAndTheOpenOneStays)
{
    const std::string stored = ReadBytes(TestDataPath("study.zna"));
    ASSERT_FALSE(stored.empty());
    ASSERT_TRUE(m_doc.OnOpenDocument(TestDataPath("study.zna"))) << m_doc.GetLastError();
    CCalcDocNode* head = m_doc.GetHead();
    for (const std::string& bytes :
         {stored.substr(0, 10), stored.substr(0, stored.size() / 2), stored.substr(0, stored.size() - 1)}) {
        const std::string path = TempPath("damaged.zna");
        std::ofstream(path, std::ios::binary | std::ios::trunc) << bytes;
        EXPECT_FALSE(m_doc.OnOpenDocument(path)) << bytes.size();
        EXPECT_EQ(m_doc.GetHead(), head) << bytes.size();
    }
}
