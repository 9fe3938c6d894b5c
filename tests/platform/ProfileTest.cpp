// The vocabulary file reader (Windows profile semantics), the search order and the in-place
// writer of the Window entries.
#include "Profile.h"

#include "HookGuards.h"
#include "PortableTest.h"

#include <cstdlib>
#include <ctime>
#include <fstream>
#include <gtest/gtest.h>
#include <iterator>

namespace fs = std::filesystem;

namespace
{
CProfile Parsed(std::string_view text)
{
    CProfile profile;
    profile.Parse(text);
    return profile;
}

std::string ReadText(const fs::path& path)
{
    std::ifstream in(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

void WriteText(const fs::path& path, const std::string& text)
{
    fs::create_directories(path.parent_path());
    std::ofstream(path, std::ios::binary) << text;
}

/// A private configuration folder with the user's file and an installed file beside a fake
/// executable; the vocabulary state and environment are restored afterwards.
class ProfileFiles : public ::testing::Test
{
protected:
    void SetUp() override
    {
        m_root = MakeTempDir("zentavo-profile");
        ASSERT_FALSE(m_root.empty());
        m_user = UserSettingsBelow(m_root / "config") / "Zentavo.ini";
        m_exeDir = m_root / "bin";
        SetTestEnv(UserSettingsVariable(), Utf8Path(m_root / "config"));
        SetTestEnv("ZENTAVO_INI", std::nullopt);
    }
    void TearDown() override
    {
        ResetVocabulary();
        fs::remove_all(m_root);
    }

    CScopedEnv m_config{UserSettingsVariable(), TestEnv(UserSettingsVariable())};
    CScopedEnv m_ini{"ZENTAVO_INI", TestEnv("ZENTAVO_INI")};
    fs::path m_root;
    fs::path m_user;
    fs::path m_exeDir;
};
} // namespace

TEST(Profile, FollowsWindowsLookupRules)
{
    const CProfile profile = Parsed("; a comment=not an entry\n"
                                    "orphan=before any section\n"
                                    "[ Terms ]\n"
                                    "  01  =  Sample size  \n"
                                    "Key=first\n"
                                    "KEY=second\n"
                                    "quoted=\"  both kept  \"\n"
                                    "single='it''s'\n"
                                    "mixed=\"half'\n"
                                    "path=a\\tb, c;d %s = e\n"
                                    "empty=\n"
                                    "no equals sign\n"
                                    "; 02=commented out\n"
                                    "[terms]\n"
                                    "02=from a repeated section\n");
    EXPECT_EQ(profile.Find("TERMS", "01"), "Sample size");
    EXPECT_EQ(profile.Find("terms", "key"), "first");
    EXPECT_EQ(profile.Find("Terms", "quoted"), "  both kept  ");
    EXPECT_EQ(profile.Find("Terms", "single"), "it''s");
    EXPECT_EQ(profile.Find("Terms", "mixed"), "\"half'");
    EXPECT_EQ(profile.Find("Terms", "path"), "a\\tb, c;d %s = e");
    EXPECT_EQ(profile.Find("Terms", "empty"), "");
    EXPECT_EQ(profile.Find("Terms", "02"), std::nullopt);
    EXPECT_EQ(profile.Find("Terms", "no equals sign"), std::nullopt);
    EXPECT_EQ(profile.Find("Terms", "orphan"), std::nullopt);
    EXPECT_EQ(profile.Find("Labels", "01"), std::nullopt);
}

TEST(Profile, ParsesAndLooksUpManySectionsInLinearTime)
{
    // 200,000 sections, then a repeat of the first one whose entries do not count.
    constexpr int kSections = 200000;
    std::string text;
    for (int i = 0; i < kSections; ++i)
        text += "[S" + std::to_string(i) + "]\nk=" + std::to_string(i) + "\nK=again\n";
    text += "[s0]\nk=late\nnew=late\n";

    // Processor time, so that a busy machine does not count; the quadratic reader took 40 s.
    const std::clock_t start = std::clock();
    const CProfile profile = Parsed(text);
    for (int i = 0; i < kSections; i += 7)
        ASSERT_EQ(profile.Find("s" + std::to_string(i), "K"), std::to_string(i));
    const double seconds = static_cast<double>(std::clock() - start) / CLOCKS_PER_SEC;
    EXPECT_LT(seconds, 10.0);

    EXPECT_EQ(profile.Find("S0", "k"), "0");
    EXPECT_EQ(profile.Find("S0", "new"), std::nullopt);
    EXPECT_EQ(profile.Find("S199999", "k"), "199999");
    EXPECT_EQ(profile.Find("S200000", "k"), std::nullopt);
}

TEST(Profile, DecodesUtf8AndFallsBackToWindows1252)
{
    const CProfile utf8 = Parsed("\xEF\xBB\xBF[Terms]\r\n01=Gr\xC3\xB6\xC3\x9F"
                                 "e\r\n02=x\r\n");
    EXPECT_EQ(utf8.Find("Terms", "01"), "Gr\xC3\xB6\xC3\x9F"
                                        "e");
    EXPECT_EQ(utf8.Find("Terms", "02"), "x");

    // One invalid UTF-8 sequence makes the whole file Windows-1252, 0x80..0x9F included.
    const CProfile cp1252 = Parsed("[Terms]\n01=Gr\xF6\xDF"
                                   "e\n02=\x80 \x93q\x94 \xE9\n");
    EXPECT_EQ(cp1252.Find("Terms", "01"), "Gr\xC3\xB6\xC3\x9F"
                                          "e");
    EXPECT_EQ(cp1252.Find("Terms", "02"), "\xE2\x82\xAC \xE2\x80\x9Cq\xE2\x80\x9D \xC3\xA9");
}

TEST(Profile, LookupsOverlayProfilesAndReportFallbacks)
{
    const CVocabularyGuard vocabulary(
        {Parsed("[Levels]\n0000=5\nA=55zz\nB=zz\nC=\nD= -0x1F\nE=99999999999\nF=-99999999999\n"
                "[Terms]\n01=user\n"),
         Parsed("[Terms]\n01=installed\n02=installed only\n")});
    std::vector<std::string> fallbacks;
    const CFallbackObserverGuard observer([&](std::string_view section, std::string_view key) {
        fallbacks.push_back(std::string(section) + "/" + std::string(key));
    });

    EXPECT_EQ(GetProfileString("Terms", "01", "def"), "user");
    EXPECT_EQ(GetProfileString("Terms", "02", "def"), "installed only");
    EXPECT_EQ(GetProfileString("Terms", "03", "def"), "def");
    EXPECT_EQ(GetProfileInt("Levels", "0000", 7), 5);
    EXPECT_EQ(GetProfileInt("Levels", "A", 7), 55);
    EXPECT_EQ(GetProfileInt("Levels", "B", 7), 0);
    EXPECT_EQ(GetProfileInt("Levels", "C", 7), 7);
    EXPECT_EQ(GetProfileInt("Levels", "D", 7), -31);
    EXPECT_EQ(GetProfileInt("Levels", "E", 7), 2147483647);
    EXPECT_EQ(GetProfileInt("Levels", "F", 7), -2147483647 - 1);
    EXPECT_EQ(GetProfileInt("Levels", "missing", 7), 7);
    EXPECT_EQ(fallbacks, (std::vector<std::string>{"Terms/03", "Levels/missing"}));
}

TEST(Profile, EncodesBinaryEntriesTwoLettersPerByte)
{
    // (100, 50, 900, 650) as four little-endian int32.
    const std::vector<unsigned char> rect = {100, 0, 0, 0, 50, 0, 0, 0, 0x84, 3, 0, 0, 0x8A, 2, 0, 0};
    EXPECT_EQ(EncodeProfileBinary(rect), "EGAAAAAACDAAAAAAEIDAAAAAKICAAAAA");
    EXPECT_EQ(DecodeProfileBinary("EGAAAAAACDAAAAAAEIDAAAAAKICAAAAA"), rect);
    EXPECT_TRUE(DecodeProfileBinary("EGA").empty());
    EXPECT_TRUE(DecodeProfileBinary("EGQA").empty());
    EXPECT_TRUE(DecodeProfileBinary("egaa").empty());
}

TEST_F(ProfileFiles, UserFileOverlaysTheInstalledOne)
{
    WriteText(m_exeDir / "Zentavo.ini", "[Terms]\n01=installed\n02=installed\n");
    WriteText(m_user, "[Terms]\n01=user\n");
    InitVocabulary(m_exeDir);
    EXPECT_EQ(GetProfileString("Terms", "01", "def"), "user");
    EXPECT_EQ(GetProfileString("Terms", "02", "def"), "installed");
    EXPECT_EQ(UserVocabularyFile(), m_user);

    // An explicit file is used alone and is never written.
    const fs::path explicitFile = m_root / "translation.ini";
    WriteText(explicitFile, "[Terms]\n02=explicit\n");
    InitVocabulary(m_exeDir, explicitFile);
    EXPECT_EQ(GetProfileString("Terms", "01", "def"), "def");
    EXPECT_EQ(GetProfileString("Terms", "02", "def"), "explicit");
    EXPECT_TRUE(UserVocabularyFile().empty());
    EXPECT_FALSE(WriteProfileBinary("Window", "Rect", {1, 2}));
    EXPECT_EQ(ReadText(explicitFile), "[Terms]\n02=explicit\n");

    SetTestEnv("ZENTAVO_INI", Utf8Path(explicitFile));
    InitVocabulary(m_exeDir);
    EXPECT_EQ(GetProfileString("Terms", "01", "def"), "def");
    EXPECT_TRUE(UserVocabularyFile().empty());

    SetTestEnv("ZENTAVO_INI", Utf8Path(m_root / "missing.ini"));
    InitVocabulary(m_exeDir);
    EXPECT_EQ(GetProfileString("Terms", "02", "def"), "def");
    EXPECT_EQ(GetProfileInt("Levels", "0000", 3), 3);
}

TEST_F(ProfileFiles, WritesWindowEntriesInPlace)
{
    InitVocabulary(m_exeDir);
    // No user file yet: it is created with its folder.
    ASSERT_TRUE(WriteProfileBinary("Window", "Rect", {0xAB}));
    EXPECT_EQ(ReadText(m_user), "[Window]\nRect=LK\n");

    const std::string original = "; comment\r\n[Terms]\r\n01=caf\xE9\r\n\r\n[window]\r\n  rect = OLD\r\n"
                                 "Other=1\r\n\r\n[Labels]\r\n1000=x\r\n[Window]\r\nRect=SECOND\r\n";
    WriteText(m_user, original);
    InitVocabulary(m_exeDir);
    ASSERT_TRUE(WriteProfileBinary("Window", "Rect", {0x01, 0xF0}));
    std::string expected = original;
    expected.replace(expected.find("  rect = OLD"), 12, "Rect=BAAP");
    EXPECT_EQ(ReadText(m_user), expected);
    EXPECT_EQ(GetProfileBinary("Window", "Rect"), (std::vector<unsigned char>{0x01, 0xF0}));

    ASSERT_TRUE(WriteProfileBinary("Window", "State", {0x10}));
    expected.insert(expected.find("Other=1\r\n") + 9, "State=AB\r\n");
    EXPECT_EQ(ReadText(m_user), expected);

    // A file without a Window section and without a final line end gets one appended.
    WriteText(m_user, "[Terms]\n01=x");
    ASSERT_TRUE(WriteProfileBinary("Window", "Rect", {0}));
    EXPECT_EQ(ReadText(m_user), "[Terms]\n01=x\n[Window]\nRect=AA\n");

    EXPECT_FALSE(WriteProfileBinary("Terms", "01", {0}));
    for (const auto& entry : fs::directory_iterator(m_user.parent_path()))
        EXPECT_EQ(entry.path().filename(), "Zentavo.ini");
}

TEST_F(ProfileFiles, SkipsAnUnwritableFileSilently)
{
    // The user's folder cannot be made: a plain file stands where it would be.
    WriteText(m_user.parent_path(), "not a folder");
    InitVocabulary(m_exeDir);
    EXPECT_FALSE(WriteProfileBinary("Window", "Rect", {1}));
    EXPECT_TRUE(GetProfileBinary("Window", "Rect").empty());
    EXPECT_EQ(ReadText(m_user.parent_path()), "not a folder");
}
