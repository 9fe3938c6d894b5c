// The shipped vocabulary file: every key the program reads is present, the type tree is the one
// the factory serves, and the wording fits the report columns (widths counted in characters).
#include "Format.h"
#include "Profile.h"
#include "TestSupport.h"

#include <cctype>
#include <cstring>
#include <gtest/gtest.h>
#include <regex>
#include <string>
#include <string_view>
#include <vector>

namespace
{
// Result lines are "%-35s : %-15s %s": a longer label pushes its value out of line.
constexpr size_t kResultWidth = 35;

/// A Terms key, the widest its text may be on its own (0: no fixed width, e.g. dialog texts and
/// headings), and whether result labels append LabelCI, " [95% " + term 05 + "]".
struct STermRule
{
    const char* key;
    size_t limit;
    bool labelCI;
};

// Limits: 35 result label; 33 followed by " 1"/" 2"; column headings "%Ns" take N - 2 outside
// the first column (trend N = 10, several proportions and goodness of fit N = 20); term 14 also
// heads "% " + term in a trend column; 86 stands in "%6s"/"%7s" with a blank; 62 in "%s 16" <= 20.
const STermRule kTerms[] = {
    {"00", 0, false},  {"01", 0, false},  {"02", 0, false},   {"03", 0, false},  {"04", 35, false}, {"05", 0, false},
    {"06", 35, false}, {"08", 35, false}, {"09", 0, false},   {"10", 35, false}, {"11", 0, true},   {"13", 0, false},
    {"14", 6, false},  {"15", 8, false},  {"16", 0, false},   {"17", 33, true},  {"18", 0, false},  {"19", 0, true},
    {"20", 35, false}, {"21", 0, true},   {"22", 0, false},   {"23", 8, false},  {"24", 35, false}, {"25", 0, false},
    {"26", 35, false}, {"27", 35, false}, {"28", 35, false},  {"29", 35, false}, {"30", 35, false}, {"40", 35, false},
    {"41", 35, false}, {"42", 35, false}, {"43", 20, true},   {"44", 35, false}, {"45", 35, false}, {"46", 35, false},
    {"47", 0, false},  {"48", 33, true},  {"49", 35, false},  {"50", 35, false}, {"51", 35, false}, {"52", 0, true},
    {"53", 8, false},  {"54", 0, false},  {"55", 18, false},  {"56", 10, false}, {"57", 0, false},  {"58", 33, false},
    {"59", 35, false}, {"60", 35, false}, {"61", 35, false},  {"62", 17, false}, {"63", 0, false},  {"64", 0, false},
    {"65", 0, false},  {"66", 0, false},  {"69", 0, false},   {"70", 35, false}, {"71", 0, false},  {"72", 35, false},
    {"73", 35, false}, {"74", 35, false}, {"75", 0, false},   {"76", 0, false},  {"77", 0, false},  {"78", 0, false},
    {"79", 0, false},  {"80", 0, false},  {"82", 0, false},   {"83", 0, false},  {"84", 0, false},  {"85", 0, false},
    {"86", 6, false},  {"87", 35, false}, {"88", 35, false},  {"89", 0, false},  {"90", 0, false},  {"91", 0, false},
    {"92", 35, false}, {"93", 35, false}, {"94", 0, true},    {"95", 35, false}, {"96", 35, false}, {"97", 35, false},
    {"98", 0, false},  {"99", 20, false}, {"100", 18, false}, {"101", 0, false}, {"102", 0, true},
};

// Result labels joined from two terms with a blank: one- and two-tailed p-values, Fisher's test.
const std::pair<const char*, const char*> kComposites[] = {{"22", "26"}, {"66", "26"}, {"89", "90"}, {"89", "91"}};

const char* const kLabels[] = {
    "0000", "1000", "1100", "1110", "1120", "1200", "1300", "1400", "2000", "2100", "2110", "2120", "2200",
    "2300", "2400", "2500", "2600", "2610", "2620", "2630", "3000", "3100", "3200", "3300", "4000", "4100",
    "4110", "4120", "4130", "4140", "4150", "4160", "4170", "4200", "4210", "4220", "4230", "4240", "4250",
    "4260", "4300", "4310", "4320", "4330", "4340", "5000", "5100", "5200", "5300", "9999",
};

// The type tree of the 37 calculations; no other code may have an entry.
const std::pair<const char*, int> kLevels[] = {
    {"0000", 5}, {"1000", 6}, {"1100", 3}, {"2000", 7}, {"2100", 2}, {"2600", 4}, {"3000", 6},
    {"4000", 4}, {"4100", 8}, {"4200", 6}, {"4300", 4}, {"4400", 2}, {"5000", 5},
};

const char* const kMessages[] = {"01", "02", "03", "04", "05", "06", "07", "08",
                                 "09", "10", "11", "12", "13", "14", "15", "16"};

/// A Menus key and the shortcut the program binds to its command ("" for none): the text after
/// the backslash must name it.
const std::pair<const char*, const char*> kMenus[] = {
    {"FILE", ""},
    {"EDIT", ""},
    {"VIEW", ""},
    {"FORMAT", ""},
    {"HELP", ""},
    {"CALCULATION", ""},
    {"FILE_NEW", "Ctrl+N"},
    {"FILE_OPEN", "Ctrl+O"},
    {"FILE_SAVE", "Ctrl+S"},
    {"FILE_SAVE_AS", ""},
    {"FILE_EXPORT", ""},
    {"FILE_EXPORT_SELECTED", ""},
    {"FILE_PRINT", "Ctrl+P"},
    {"FILE_PRINT_PREVIEW", ""},
    {"FILE_PRINT_SETUP", ""},
    {"APP_EXIT", ""},
    {"EDIT_UNDO", "Ctrl+Z"},
    {"EDIT_REDO_CHANGE", "Ctrl+Shift+Z"},
    {"EDIT_CUT", "Ctrl+X"},
    {"EDIT_COPY", "Ctrl+C"},
    {"EDIT_PASTE", "Ctrl+V"},
    {"EDIT_DELETE", ""},
    {"EDIT_SELECTALL", "Ctrl+A"},
    {"EDIT_REDO", "F5"},
    {"EDIT_RENAME", "F2"},
    {"VIEW_TOOLBAR", ""},
    {"WINDOW_SPLIT", ""},
    {"VIEW_LANGUAGE", ""},
    {"FORMAT_BOLD", "Ctrl+B"},
    {"FORMAT_ITALIC", "Ctrl+I"},
    {"FORMAT_UNDERLINE", "Ctrl+U"},
    {"HELP_FINDER", "F1"},
    {"APP_ABOUT", ""},
};

// The export dialog's title for a selection and its file types.
const char* const kExport[] = {"SELECTED_TITLE", "TEXT", "HTML", "PDF", "ODT"};

const char* const kTooltips[] = {"FILE_NEW",      "FILE_OPEN",        "FILE_SAVE",  "EDIT_CUT",
                                 "EDIT_COPY",     "EDIT_PASTE",       "EDIT_UNDO",  "FORMAT_BOLD",
                                 "FORMAT_ITALIC", "FORMAT_UNDERLINE", "FILE_PRINT", "EDIT_REDO_CHANGE"};
// Tooltip texts are cut after this many characters.
constexpr size_t kTooltipWidth = 79;

const CProfile& Shipped()
{
    static const CProfile profile = [] {
        CProfile p;
        p.Load(ShippedVocabularyPath());
        return p;
    }();
    return profile;
}

std::string Value(std::string_view section, std::string_view key, const CProfile& file = Shipped())
{
    return file.Find(section, key).value_or("");
}

std::string Term(std::string_view key, const CProfile& file = Shipped())
{
    return Value("Terms", key, file);
}

/// Present, not empty, and without blanks around it (they could only come from quotes).
void ExpectEntry(std::string_view section, std::string_view key, const CProfile& file = Shipped())
{
    const auto value = file.Find(section, key);
    ASSERT_TRUE(value.has_value()) << "[" << section << "] " << key << " is missing";
    ASSERT_FALSE(value->empty()) << "[" << section << "] " << key << " is empty";
    EXPECT_FALSE(std::isspace(static_cast<unsigned char>(value->front())) ||
                 std::isspace(static_cast<unsigned char>(value->back())))
        << "[" << section << "] " << key << " has blanks around \"" << *value << "\"";
}

// The program's own screen texts; each is filled in with FillDirectives.
const char* const kScreen[] = {
    "PROGRAM",
    "ENTER_UNSIGNED",
    "ENTER_INTEGER",
    "ENTER_NUMBER",
    "ENTER_INTEGER_RANGE",
    "ENTER_NUMBER_RANGE",
    "ENTER_MAX_CHARS",
    "SAMPLE_BELOW_COUNT",
    "PLEASE_WAIT",
    "UNTITLED",
    "OPEN",
    "SAVE_AS",
    "DOCUMENT_FILTER",
    "SAVE_CHANGES",
    "CHANGED_ON_DISK",
    "OVERWRITE_IT",
    "FILE_EXISTS",
    "REPLACE_IT",
    "FILE_NOT_FOUND",
    "ACCESS_DENIED",
    "DISK_FULL",
    "FILE_ERROR",
    "FILE_FORMAT",
    "CANNOT_WRITE",
    "EXPORT_OVER_DOCUMENT",
    "NEW_ITEM",
    "LABEL_TOO_LONG",
    "NO_CLIPBOARD",
    "ADD_PROBLEM",
    "BASE_PROBLEM",
    "BASE_PROBLEM_CAUSE",
    "CANNOT_WRITE_REPORT",
    "UNEXPECTED_ERROR",
    "SAVE_YOUR_WORK",
    "ABOUT_TITLE",
    "ABOUT_VERSION",
    "VERSION",
    "PURPOSE",
};

// View > Language: the system's and each language's own name.
const char* const kLanguages[] = {"SYSTEM", "EN", "DE", "ES", "FR", "IT", "PT"};

/// The directives a text carries, in order: "%1".."%9" and printf conversions such as "%d".
std::vector<std::string> Directives(const std::string& text)
{
    static const std::regex directive(R"(%[1-9]|%[-+#0-9.]*[sdufgxc])");
    std::vector<std::string> found;
    for (auto it = std::sregex_iterator(text.begin(), text.end(), directive); it != std::sregex_iterator(); ++it)
        found.push_back(it->str());
    return found;
}

/// Every check the English file passes that does not depend on its wording: keys, the type tree,
/// report widths, shortcuts and tooltip lengths.
void ExpectKeysOf(const CProfile& file)
{
    for (const STermRule& term : kTerms)
        ExpectEntry("Terms", term.key, file);
    for (const char* key : kLabels)
        ExpectEntry("Labels", key, file);
    for (const auto& [key, count] : kLevels)
        ExpectEntry("Levels", key, file);
    for (const char* key : kMessages)
        ExpectEntry("Messages", key, file);
    for (const auto& [key, shortcut] : kMenus)
        ExpectEntry("Menus", key, file);
    for (const char* key : kTooltips)
        ExpectEntry("Tooltips", key, file);
    for (const char* key : kExport)
        ExpectEntry("Export", key, file);
    for (const char* key : kScreen)
        ExpectEntry("Screen", key, file);
    for (const char* key : kLanguages)
        ExpectEntry("Languages", key, file);
    // The program writes the window placement into each user's own copy only.
    EXPECT_TRUE(file.Keys("Window").empty());
}

void ExpectWidthsOf(const CProfile& file)
{
    const size_t ciSuffix = Utf8Length(Format(" [%s %s]", "95%", Term("05", file).c_str()));
    for (const STermRule& rule : kTerms) {
        const size_t length = Utf8Length(Term(rule.key, file));
        if (rule.limit > 0) {
            EXPECT_LE(length, rule.limit) << "term " << rule.key << ": " << Term(rule.key, file);
        }
        if (rule.labelCI) {
            EXPECT_LE(length + ciSuffix, kResultWidth) << "term " << rule.key << " with its interval suffix";
        }
    }
    for (const auto& [first, second] : kComposites) {
        const std::string label = Term(first, file) + " " + Term(second, file);
        EXPECT_LE(Utf8Length(label), kResultWidth) << label;
    }
    for (const auto& [key, shortcut] : kMenus) {
        const std::string text = Value("Menus", key, file);
        const size_t slash = text.find('\\');
        const std::string shown = slash == std::string::npos ? "" : text.substr(slash + 1);
        EXPECT_EQ(shown, shortcut) << "[Menus] " << key << "=" << text;
    }
    for (const char* key : kTooltips)
        EXPECT_LE(Utf8Length(Value("Tooltips", key, file)), kTooltipWidth) << "[Tooltips] " << key;
}

} // namespace

TEST(VocabularyFile, HoldsEveryKeyTheProgramReads)
{
    ASSERT_FALSE(Shipped().Empty()) << ShippedVocabularyPath() << " cannot be read";
    for (const STermRule& term : kTerms)
        ExpectEntry("Terms", term.key);
    for (const char* key : kLabels)
        ExpectEntry("Labels", key);
    for (const auto& [key, count] : kLevels)
        ExpectEntry("Levels", key);
    for (const char* key : kMessages)
        ExpectEntry("Messages", key);
    for (const auto& [key, shortcut] : kMenus)
        ExpectEntry("Menus", key);
    for (const char* key : kTooltips)
        ExpectEntry("Tooltips", key);
    for (const char* key : kExport)
        ExpectEntry("Export", key);
    for (const char* key : kScreen)
        ExpectEntry("Screen", key);
    for (const char* key : kLanguages)
        ExpectEntry("Languages", key);
    // The program writes the window placement into each user's own copy only.
    EXPECT_FALSE(Shipped().Find("Window", "Rect").has_value());
    EXPECT_FALSE(Shipped().Find("Window", "State").has_value());
}

TEST(VocabularyFile, LevelsHoldExactlyTheTypeTree)
{
    for (int code = 0; code <= 9999; ++code) {
        const std::string key = Format("%04d", code);
        int expected = -1;
        for (const auto& [levelKey, count] : kLevels)
            if (key == levelKey)
                expected = count;
        const auto value = Shipped().Find("Levels", key);
        if (expected < 0) {
            EXPECT_FALSE(value.has_value()) << "unexpected [Levels] " << key;
        } else {
            EXPECT_EQ(value.value_or(""), std::to_string(expected)) << "[Levels] " << key;
        }
    }
}

TEST(VocabularyFile, TermsFitTheReportColumns)
{
    const size_t ciSuffix = Utf8Length(Format(" [%s %s]", "95%", Term("05").c_str()));
    for (const STermRule& rule : kTerms) {
        const size_t length = Utf8Length(Term(rule.key));
        if (rule.limit > 0) {
            EXPECT_LE(length, rule.limit) << "term " << rule.key << ": " << Term(rule.key);
        }
        if (rule.labelCI) {
            EXPECT_LE(length + ciSuffix, kResultWidth) << "term " << rule.key << " with its interval suffix";
        }
    }
    for (const auto& [first, second] : kComposites) {
        const std::string label = Term(first) + " " + Term(second);
        EXPECT_LE(Utf8Length(label), kResultWidth) << label;
    }
}

TEST(VocabularyFile, MenusNameTheBoundShortcutsAndTooltipsFit)
{
    for (const auto& [key, shortcut] : kMenus) {
        const std::string text = Value("Menus", key);
        const size_t slash = text.find('\\');
        const std::string shown = slash == std::string::npos ? "" : text.substr(slash + 1);
        EXPECT_EQ(shown, shortcut) << "[Menus] " << key << "=" << text;
    }
    for (const char* key : kTooltips)
        EXPECT_LE(Utf8Length(Value("Tooltips", key)), kTooltipWidth) << "[Tooltips] " << key;
}

// The translations in resources/lang: complete copies of the English file with their own wording.
class LanguageFile : public ::testing::TestWithParam<const char*>
{
protected:
    static CProfile Load(const std::string& code)
    {
        CProfile file;
        EXPECT_TRUE(file.Load(std::string(ZENTAVO_SOURCE_DIR) + "/resources/lang/Zentavo." + code + ".ini")) << code;
        return file;
    }
};

TEST_P(LanguageFile, HoldsEveryEnglishKeyWithTheSameDirectives)
{
    const CProfile file = Load(GetParam());
    ExpectKeysOf(file);
    for (const std::string& section : Shipped().Sections()) {
        for (const std::string& key : Shipped().Keys(section)) {
            const auto translated = file.Find(section, key);
            if (!translated) {
                ADD_FAILURE() << "[" << section << "] " << key << " is missing";
                continue;
            }
            EXPECT_EQ(Directives(*translated), Directives(Value(section, key)))
                << "[" << section << "] " << key << "=" << *translated;
            if (section == "levels") {
                EXPECT_EQ(*translated, Value(section, key)) << "[Levels] " << key;
            }
        }
    }
}

TEST_P(LanguageFile, FitsTheReportColumnsAndNamesTheBoundShortcuts)
{
    ExpectWidthsOf(Load(GetParam()));
}

INSTANTIATE_TEST_SUITE_P(Translations, LanguageFile, ::testing::Values("de", "es", "fr", "it", "pt"));
