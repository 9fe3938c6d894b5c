// Dialogs grow to fit their texts: in every language each label, button and group box of every
// calculation dialog is at least as wide as its text needs, so no word is cut.
#include "CCalcDoc.h"
#include "CCalcTreeView.h"
#include "CCalculation.h"
#include "CDocCommands.h"
#include "CMainFrame.h"
#include "CQtDialog.h"
#include "DialogHost.h"
#include "FrameworkInit.h"
#include "GetCalcBase.h"
#include "HookGuards.h"
#include "Profile.h"
#include "QtDialogDriver.h"
#include "QtDialogHost.h"
#include "TestSupport.h"
#include "UIServices.h"
#include "ZNTVStat.h"

#include <QAbstractButton>
#include <QGroupBox>
#include <QLabel>
#include <QTemporaryDir>
#include <QTest>

#include <gtest/gtest.h>
#include <memory>
#include <set>

namespace
{
/// The widgets of a dialog narrower than their text needs.
void CollectCut(const QWidget& dialog, const std::string& where, std::set<std::string>& found)
{
    // A label or button needs its size hint; a group box's hint is its contents', and its
    // minimum holds the title.
    const auto check = [&](const QWidget& widget, const QString& text, int needed) {
        if (!widget.isVisibleTo(&dialog) || text.isEmpty() || widget.width() >= needed)
            return;
        found.insert(where + ": \"" + text.toStdString() + "\" " + std::to_string(widget.width()) + " < " +
                     std::to_string(needed));
    };
    for (const QLabel* label : dialog.findChildren<QLabel*>())
        if (!label->wordWrap())
            check(*label, label->text(), label->sizeHint().width());
    for (const QAbstractButton* button : dialog.findChildren<QAbstractButton*>())
        check(*button, button->text(), button->sizeHint().width());
    for (const QGroupBox* box : dialog.findChildren<QGroupBox*>())
        check(*box, box->title(), box->minimumSizeHint().width());
}

class DialogFit : public ::testing::TestWithParam<const char*>
{
protected:
    void SetUp() override
    {
        ZNTVCalcInit();
        ZNTVStatInit();
        std::vector<CProfile> profiles(1);
        const std::string code = GetParam();
        if (code != "en")
            profiles.front().Load(std::string(ZENTAVO_SOURCE_DIR) + "/resources/lang/Zentavo." + code + ".ini");
        profiles.emplace_back().Load(ShippedVocabularyPath());
        SetVocabularyProfiles(std::move(profiles));
        ASSERT_TRUE(m_dir.isValid());
        m_frame = std::make_unique<CMainFrame>(m_dir.filePath(QStringLiteral("zentavo.conf")));
        m_frame->DocCommands().OnFileNew();
    }
    void TearDown() override
    {
        m_frame.reset();
        ResetVocabulary();
    }

    CHeadlessUIServices m_ui;
    CUIServicesGuard m_services{m_ui};
    QTemporaryDir m_dir;
    std::unique_ptr<CMainFrame> m_frame;
};
} // namespace

TEST_P(DialogFit, EveryCalculationDialogShowsItsTextsWhole)
{
    CQtDialogHost host;
    const CDialogHostGuard hostGuard(host);
    std::set<std::string> cut;
    for (const CCalcClassInfo& info : AllCalcClasses()) {
        const std::string code = info.code;
        auto calc =
            std::make_unique<CCalculation>(CCalcType(code[0] - '0', code[1] - '0', code[2] - '0', code[3] - '0'));
        ASSERT_TRUE(calc->SetupBase(code)) << code;
        CCalculation* added = m_frame->Document().Add(std::move(calc));
        ASSERT_TRUE(added) << code;
        m_frame->Tree().SelectNode(added);
        WhenDialogOpens([&](CQtDialog& window) {
            CollectCut(window, code, cut);
            QTest::keyClick(&window, Qt::Key_Escape);
        });
        m_frame->Tree().RedoCalculation();
    }
    std::string list;
    for (const std::string& text : cut)
        list += "  " + text + "\n";
    EXPECT_TRUE(cut.empty()) << list;
}

INSTANTIATE_TEST_SUITE_P(Languages, DialogFit, ::testing::Values("en", "de", "es", "fr", "it", "pt"));
