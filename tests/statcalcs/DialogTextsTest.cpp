// Every calculation's input dialog as it opens: a valid template, every text from the vocabulary,
// and the confidence-level radios shown as written (their texts are not format strings).
#include "CalcTestSupport.h"
#include "DialogHost.h"
#include "GetCalcBase.h"

namespace
{
class DialogTextsTest : public CCalcTest
{};

bool IsRadio(const CDialogTemplate& dialog, int id)
{
    for (const CControlTemplate& control : dialog.controls)
        if (control.id == id)
            return control.kind == CControlTemplate::Radio;
    return false;
}
} // namespace

TEST_F(DialogTextsTest, EveryDialogOpensWithItsTextsAsTheUserShouldReadThem)
{
    CSnapshotHost host;
    host.m_checkTemplate = true;
    const CDialogHostGuard hostGuard(host);
    for (const CCalcClassInfo& info : CalcClassTable()) {
        host.m_texts.clear();
        OpenAndCancel(info.code);
        EXPECT_FALSE(host.m_caption.empty()) << info.code;
        for (const auto& [id, text] : host.m_texts)
            EXPECT_EQ(text.find("%%"), std::string::npos) << info.code << " control " << id << ": " << text;
        if (IsRadio(host.m_template, 1020)) {
            EXPECT_EQ(host.m_texts[1020], "95%") << info.code;
            EXPECT_EQ(host.m_texts[1021], "99%") << info.code;
        }
    }
    EXPECT_TRUE(m_fallbacks.empty()) << m_fallbacks.front();
}
