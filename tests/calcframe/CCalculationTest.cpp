// The calculation node: report streaming, the clipboard form, the edited mark and set-up.
#include "CCalculation.h"

#include "CArchive.h"
#include "CCalcBase.h"
#include "CCalcDoc.h"
#include "CalcFactory.h"
#include "CalcHookGuards.h"
#include "DocumentTestSupport.h"

#include <gtest/gtest.h>
#include <memory>
#include <vector>

namespace
{
class CalculationTest : public ::testing::Test
{
protected:
    CDocumentTestEnvironment m_env;
};

TEST_F(CalculationTest, StreamInDeliversTheTextInRequestedBlocks)
{
    CCalculation calc;
    std::string text(10000, '\0');
    for (size_t i = 0; i < text.size(); ++i)
        text[i] = static_cast<char>('a' + i % 26);
    calc.SetText(text);
    calc.ResetReadPos();
    std::vector<long> counts;
    std::string streamed;
    unsigned char buffer[4096];
    for (;;) {
        const long n = calc.StreamIn(buffer, sizeof buffer);
        counts.push_back(n);
        if (n == 0)
            break;
        streamed.append(reinterpret_cast<char*>(buffer), static_cast<size_t>(n));
    }
    EXPECT_EQ(counts, (std::vector<long>{4096, 4096, 1808, 0}));
    EXPECT_EQ(streamed, text);

    calc.ResetReadPos(); // a second showing starts again at the beginning
    EXPECT_EQ(calc.StreamIn(buffer, 10), 10);

    calc.ClearText();
    calc.ResetReadPos();
    EXPECT_EQ(calc.StreamIn(buffer, sizeof buffer), 0);
    const unsigned char block1[] = {'{', '\\'};
    const unsigned char block2[] = {'r', 't', 'f', '}'};
    calc.AppendText(block1, sizeof block1);
    calc.AppendText(block2, sizeof block2);
    EXPECT_EQ(calc.GetText(), "{\\rtf}");
    EXPECT_EQ(calc.GetTextLength(), 6);
}

TEST_F(CalculationTest, ClipboardFormLeavesOutTheChainAndNumbersAfresh)
{
    std::unique_ptr<CCalculation> calc(MakeCalculation("2120", "Two groups"));
    calc->SetText("{\\rtf1 report\\par }");
    calc->Editted(1);
    calc->Add(MakeCalculation("2120", "not copied"));

    std::vector<unsigned char> payload;
    {
        CArchive ar(payload);
        calc->Clipboard(ar);
    }
    // The calculation object is the payload's first class record: number 1.
    const std::vector<unsigned char> start(payload.begin(), payload.begin() + 20);
    EXPECT_EQ(start, CBytes().Type(2, 2, 1, 2, 0).m_bytes);

    CCalculation pasted;
    CArchive in(payload.data(), payload.size());
    pasted.Clipboard(in);
    EXPECT_EQ(in.BytesLeft(), 0u);
    EXPECT_EQ(pasted.GetType().GetTypeString(), "2120");
    EXPECT_EQ(pasted.GetLabel(), "Two groups");
    EXPECT_EQ(pasted.GetText(), calc->GetText());
    EXPECT_EQ(pasted.IsEditted(), 1);
    EXPECT_EQ(pasted.GetNext(), nullptr);
    ASSERT_NE(pasted.GetData(), nullptr);
    EXPECT_EQ(pasted.GetData()->GetTitle(), "Two groups");
    EXPECT_EQ(pasted.GetData()->GetTypeString(), "2120");
}

TEST_F(CalculationTest, SetupBaseAndDo)
{
    CCalculation calc(TypeOf("1300"));
    EXPECT_EQ(calc.GetLabel(), "");
    EXPECT_FALSE(calc.SetupBase("0000"));
    EXPECT_EQ(calc.GetData(), nullptr);
    EXPECT_FALSE(calc.Do()); // nothing to run

    const CCalcFactoryGuard factory(&TestFactory);
    ASSERT_TRUE(calc.SetupBase("whatever"));
    EXPECT_EQ(calc.GetData()->GetTypeString(), "1300"); // the node's type, not the code asked
    calc.Editted(1);
    ASSERT_TRUE(calc.Do());
    EXPECT_EQ(calc.IsEditted(), 0);
}

TEST_F(CalculationTest, EdittedMarksTheCurrentDocumentModified)
{
    CCalcDoc doc;
    ASSERT_TRUE(doc.OnNewDocument());
    ASSERT_EQ(CCalcDoc::GetCurrent(), &doc);
    CCalculation calc;
    calc.Editted(0);
    EXPECT_FALSE(doc.IsModified());
    calc.Editted(1);
    EXPECT_TRUE(doc.IsModified());
    EXPECT_EQ(calc.IsEditted(), 1);
}

} // namespace
