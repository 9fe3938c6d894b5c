// Files as other programs leave them, read from tests/data: a vocabulary file saved by a Windows
// editor (code page 1252, CRLF), and archive values assembled byte by byte from the format's
// rules, which the archive must read and write back exactly.
#include "CArchive.h"
#include "Profile.h"
#include "TestSupport.h"

#include <cstdint>
#include <fstream>
#include <gtest/gtest.h>
#include <iterator>
#include <string>
#include <vector>

namespace
{
std::vector<unsigned char> ReadBytes(const std::string& name)
{
    std::ifstream in(TestDataPath(name), std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

// The values archive-values.bin holds, in order.
constexpr int32_t kInt = -2;
constexpr uint32_t kUnsigned = 4000000000u;
constexpr uint16_t kWord = 0xBEEF;
constexpr uint8_t kByte = 7;
constexpr double kDouble = 1.96;
const std::string kShort = "Caf\xC3\xA9";
const std::string kWide = "\xCF\x87\xC2\xB2 \xE2\x89\xA4 3.84"; // outside code page 1252

std::string LongText()
{
    std::string text;
    while (text.size() < 300)
        text += "Zentavo ";
    return text.substr(0, 300);
}
} // namespace

TEST(StoredBytes, VocabularySavedByAWindowsEditorReadsAsUtf8)
{
    CProfile profile;
    ASSERT_TRUE(profile.Load(TestDataPath("vocabulary-cp1252.ini")));
    // Blanks around keys and values go, one pair of quotes goes, the CR of each line goes.
    EXPECT_EQ(profile.Find("Terms", "05"), "IC");
    EXPECT_EQ(profile.Find("terms", "82"), "Aceptar");
    EXPECT_EQ(profile.Find("Terms", "83"), "Cancelar");
    // Windows-1252 letters, the en dash (0x96) and the euro sign (0x80) become UTF-8.
    EXPECT_EQ(profile.Find("Labels", "1110"), "Porcentaje \xE2\x80\x93 estimaci\xC3\xB3n");
    EXPECT_EQ(profile.Find("Labels", "1200"), "Tasa (\xE2\x82\xAC por a\xC3\xB1o)");
    // The quotes keep the blanks inside them; a commented key is missing; "key=" is empty.
    EXPECT_EQ(profile.Find("Messages", "01"), "  Seleccione un c\xC3\xA1lculo  ");
    EXPECT_EQ(profile.Find("Messages", "02"), std::nullopt);
    EXPECT_EQ(profile.Find("Messages", "03"), "");
}

TEST(StoredBytes, ArchiveReadsValuesLaidOutByTheFormatAndWritesThemBackExactly)
{
    const std::vector<unsigned char> bytes = ReadBytes("archive-values.bin");
    ASSERT_EQ(bytes.size(), 350u);

    CArchive in(bytes.data(), bytes.size());
    int32_t i = 0;
    uint32_t u = 0;
    uint16_t w = 0;
    uint8_t b = 0;
    double d = 0;
    std::string shortText, empty = "x", longText, wide;
    in >> i >> u >> w >> b >> d >> shortText >> empty >> longText >> wide;
    EXPECT_EQ(i, kInt);
    EXPECT_EQ(u, kUnsigned);
    EXPECT_EQ(w, kWord);
    EXPECT_EQ(b, kByte);
    EXPECT_EQ(d, kDouble);
    EXPECT_EQ(shortText, kShort);
    EXPECT_EQ(empty, "");
    EXPECT_EQ(longText, LongText());
    EXPECT_EQ(wide, kWide);
    EXPECT_EQ(in.BytesLeft(), 0u);

    std::vector<unsigned char> written;
    CArchive out(written);
    out << kInt << kUnsigned << kWord << kByte << kDouble << kShort << std::string() << LongText() << kWide;
    EXPECT_EQ(written, bytes);
}

TEST(StoredBytes, EveryTruncatedCopyOfTheArchiveValuesIsRefused)
{
    const std::vector<unsigned char> bytes = ReadBytes("archive-values.bin");
    ASSERT_FALSE(bytes.empty());
    for (size_t size = 0; size < bytes.size(); ++size) {
        CArchive in(bytes.data(), size);
        int32_t i = 0;
        uint32_t u = 0;
        uint16_t w = 0;
        uint8_t b = 0;
        double d = 0;
        std::string a, e, l, x;
        EXPECT_THROW(in >> i >> u >> w >> b >> d >> a >> e >> l >> x, CArchiveException) << size << " bytes";
    }
}
