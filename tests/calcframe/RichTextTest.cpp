// The report's styled-text model, its RTF writer and the tolerant RTF reader: canonical
// output, what a rich-edit control writes, and hostile input.
#include "RichText.h"

#include <gtest/gtest.h>
#include <random>

namespace
{
const std::string kHeader = "{\\rtf1\\ansi\\ansicpg1252\\deff0{\\fonttbl{\\f0\\fmodern\\fprq1\\fcharset0 Courier "
                            "New;}}\n\\viewkind4\\uc1\\pard\\f0\\fs20";

CRichText Runs(std::initializer_list<CTextRun> runs)
{
    CRichText text;
    for (const CTextRun& run : runs)
        text.Append(run.text, run.flags);
    return text;
}

CRichText SampleReport()
{
    return Runs({{"Proportion", kRunItalic},
                 {"\n", 0},
                 {"Count\t12\n", kRunBold},
                 {"95% CI {a\\b}", kRunUnderline | kRunBold},
                 {"\ncaf\xC3\xA9 \xE2\x82\xAC \xCE\xA9 \xF0\x9F\x98\x80 \xC2\x81\n", 0}});
}
} // namespace

TEST(RichText, AppendJoinsRunsWithEqualEffects)
{
    CRichText text;
    text.Append("a", kRunBold);
    text.Append("", kRunItalic);
    text.Append("b\r\nc\rd", kRunBold | 8);
    text.Append("e", 0);
    ASSERT_EQ(text.Runs().size(), 2u);
    EXPECT_EQ(text.Runs()[0], (CTextRun{"ab\nc\nd", kRunBold}));
    EXPECT_EQ(text.Runs()[1], (CTextRun{"e", 0}));
    EXPECT_EQ(text.ToPlainText(true), "ab\r\nc\r\nde");
    EXPECT_EQ(text.ToPlainText(false), "ab\nc\nde");
}

TEST(RichText, WritesOneFixedForm)
{
    const CRichText text =
        Runs({{"T\xC3\xA9", kRunBold}, {"{x}\t\\\n", kRunItalic | kRunUnderline}, {"\xCE\xA9\xF0\x9F\x98\x80", 0}});
    EXPECT_EQ(text.ToRtf(), kHeader + "\\b\\i0\\ulnone T\\'e9"
                                      "\\b0\\i\\ul \\{x\\}\\tab \\\\\\par\n"
                                      "\\b0\\i0\\ulnone \\u937?\\u-10179?\\u-8704?}");
    EXPECT_EQ(CRichText().ToRtf(), kHeader + "}");
}

TEST(RichText, WriteReadWriteIsByteIdentical)
{
    const CRichText report = SampleReport();
    const std::string rtf = report.ToRtf();
    const CRichText back = CRichText::FromRtf(rtf);
    EXPECT_EQ(back, report);
    EXPECT_EQ(back.ToRtf(), rtf);
}

TEST(RichText, ReadsWhatARichEditControlWrites)
{
    const std::string rtf =
        "{\\rtf1\\ansi\\ansicpg1252\\deff0\\deflang1033{\\fonttbl{\\f0\\fmodern\\fprq1\\fcharset0 Courier New;}"
        "{\\f1\\fswiss\\fcharset0 Arial;}}\r\n"
        "{\\colortbl ;\\red255\\green0\\blue0;}\r\n"
        "{\\*\\generator Riched20 5.50.99.2014;}\\viewkind4\\uc1\\pard\\b\\f0\\fs20 Title\\b0\\par\r\n"
        "\\i Caf\\'e9\\i0  \\ul x\\ulnone\\tab y\\par\r\n"
        "\\plain\\f0\\fs20\\lang1031 \\u-3913?\\u8364\\'80 \\u-10179?\\u-8704?\\~z\\line\r\n"
        "\\b \\ul0 {\\i nested}\\b0  back\\par\r\n"
        "}\r\n\0";
    const CRichText expected = Runs({{"Title", kRunBold},
                                     {"\n", 0},
                                     {"Caf\xC3\xA9", kRunItalic},
                                     {" ", 0},
                                     {"x", kRunUnderline},
                                     {"\ty\n\xEF\x82\xB7\xE2\x82\xAC \xF0\x9F\x98\x80\xC2\xA0z\n", 0},
                                     {"nested", kRunBold | kRunItalic},
                                     {" back\n", 0}});
    const CRichText text = CRichText::FromRtf(rtf);
    EXPECT_EQ(text, expected) << text.ToRtf();
    EXPECT_EQ(CRichText::FromRtf(text.ToRtf()).ToRtf(), text.ToRtf());
    EXPECT_EQ(RtfToPlainText(rtf), "Title\r\nCaf\xC3\xA9 x\ty\r\n\xEF\x82\xB7\xE2\x82\xAC \xF0\x9F\x98\x80 z\r\nnested "
                                   "back\r\n");
}

TEST(RichText, SkipsDestinationsAndFallbacks)
{
    const std::string rtf = "{\\rtf1{\\*\\unknown {deep {text}} here}{\\info{\\title T}}{\\stylesheet{\\s0 Normal;}}"
                            "{\\pict\\bin4 }}}}x}a\\uc2\\u233\\'41\\'42b{\\uc0\\u233 c}\\u-1 ?d\\bin99999999}";
    EXPECT_EQ(CRichText::FromRtf(rtf).ToPlainText(false), "a\xC3\xA9"
                                                          "b\xC3\xA9"
                                                          "c\xEF\xBF\xBF");
}

TEST(RichText, TakesInputThatIsNotRtfAsPlainText)
{
    EXPECT_EQ(CRichText::FromRtf("").Runs().size(), 0u);
    EXPECT_EQ(CRichText::FromRtf("plain\r\ntext \xE9").ToPlainText(false), "plain\ntext \xC3\xA9");
}

TEST(RichText, HostileInputEnds)
{
    std::string deep = "{\\rtf1 a";
    deep += std::string(100000, '{') + "b" + std::string(100000, '}') + "c}";
    EXPECT_EQ(CRichText::FromRtf(deep).ToPlainText(false), "ac");

    EXPECT_EQ(CRichText::FromRtf("{\\rtf1 x\\bin2147483647 yz}").ToPlainText(false), "x");
    EXPECT_EQ(CRichText::FromRtf("{\\rtf1 \\u99999999999999999999?\\b-99999999999 q\\").ToPlainText(false),
              "\xEF\xBF\xBFq");
    EXPECT_EQ(CRichText::FromRtf("{\\rtf1 \\'4").ToPlainText(false), "4");

    std::mt19937 random(12345);
    const char alphabet[] = "{}\\'*ubinpartab0123456789-? \r\nxyz\x80\xff";
    for (int round = 0; round < 2000; ++round) {
        std::string input = "{\\rtf1 ";
        const size_t length = random() % 200;
        for (size_t i = 0; i < length; ++i)
            input += round % 2 ? static_cast<char>(random()) : alphabet[random() % (sizeof alphabet - 1)];
        const CRichText text = CRichText::FromRtf(input);
        EXPECT_EQ(CRichText::FromRtf(text.ToRtf()), text) << input;
    }
}
