// The vocabulary file reader and the in-place writer of its Window entries. Lookups follow the
// Windows profile functions; writes touch only the user's file and keep every other byte.
#include "Profile.h"

#include "AtomicFile.h"
#include "CodePage.h"
#include "Language.h"
#include "OsFiles.h"
#include "Utf8.h"

#include <algorithm>
#include <climits>
#include <cstdint>
#include <cstdlib>
#include <fstream>
#include <iterator>
#include <unordered_map>

namespace fs = std::filesystem;

namespace
{
// The UTF-8 byte order mark.
constexpr std::string_view kBom = "\xEF\xBB\xBF";

struct VocabularyState
{
    bool initialized = false;
    std::vector<CProfile> profiles; // first wins
    fs::path userFile;              // empty: never write
    std::string language = "en";    // the language in use
    std::function<void(std::string_view, std::string_view)> observer;
    // Strings found, by section and key: a batch of reports asks for the same few terms tens of
    // thousands of times. Emptied whenever the profiles change.
    std::unordered_map<std::string, std::string> found;
};

VocabularyState& State()
{
    static VocabularyState state;
    return state;
}

bool IsBlank(char c)
{
    return c == ' ' || c == '\t';
}

std::string_view Trim(std::string_view text)
{
    while (!text.empty() && IsBlank(text.front()))
        text.remove_prefix(1);
    while (!text.empty() && IsBlank(text.back()))
        text.remove_suffix(1);
    return text;
}

std::string Lower(std::string_view text)
{
    std::string result(text);
    for (char& c : result)
        if (c >= 'A' && c <= 'Z')
            c = static_cast<char>(c - 'A' + 'a');
    return result;
}

bool EqualNoCase(std::string_view a, std::string_view b)
{
    return a.size() == b.size() && Lower(a) == Lower(b);
}

/// One line of a text: [begin, end) is its content without the line end, next starts the next line.
struct LineSpan
{
    size_t begin;
    size_t end;
    size_t next;
};

std::vector<LineSpan> SplitLines(std::string_view text)
{
    std::vector<LineSpan> lines;
    size_t pos = text.substr(0, kBom.size()) == kBom ? kBom.size() : 0;
    while (pos < text.size()) {
        const size_t feed = text.find('\n', pos);
        const size_t next = feed == std::string_view::npos ? text.size() : feed + 1;
        size_t end = feed == std::string_view::npos ? text.size() : feed;
        if (end > pos && text[end - 1] == '\r')
            --end;
        lines.push_back({pos, end, next});
        pos = next;
    }
    return lines;
}

/// The trimmed name of a section header line, or nullopt when the line is not a header.
std::optional<std::string_view> SectionName(std::string_view line)
{
    line = Trim(line);
    if (line.empty() || line.front() != '[')
        return std::nullopt;
    line.remove_prefix(1);
    const size_t close = line.find(']');
    return Trim(close == std::string_view::npos ? line : line.substr(0, close));
}

/// Splits an entry line at its first '='; nullopt for comments and lines without '='.
std::optional<std::pair<std::string_view, std::string_view>> SplitEntry(std::string_view line)
{
    line = Trim(line);
    if (line.empty() || line.front() == ';')
        return std::nullopt;
    const size_t equals = line.find('=');
    if (equals == std::string_view::npos)
        return std::nullopt;
    return std::make_pair(Trim(line.substr(0, equals)), Trim(line.substr(equals + 1)));
}

bool ReadWholeFile(const fs::path& path, std::string& bytes)
{
    std::error_code error;
    if (!fs::is_regular_file(path, error))
        return false;
    std::ifstream in(path, std::ios::binary);
    if (!in)
        return false;
    bytes.assign(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
    return !in.bad();
}

fs::path ExecutableDir()
{
    return os::ExecutablePath().parent_path();
}

fs::path DefaultUserFile()
{
    const fs::path folder = os::UserSettingsDir();
    return folder.empty() ? fs::path() : folder / "Zentavo.ini";
}

std::vector<fs::path> InstalledCandidates(const fs::path& executableDir)
{
    std::vector<fs::path> candidates;
    if (!executableDir.empty()) {
        candidates.push_back(executableDir / "Zentavo.ini");
        candidates.push_back(executableDir / ".." / "share" / "zentavo" / "Zentavo.ini");
#ifdef __APPLE__
        // In the application bundle: Contents/MacOS/<program>, Contents/Resources/zentavo/.
        candidates.push_back(executableDir / ".." / "Resources" / "zentavo" / "Zentavo.ini");
#endif
    }
#ifdef ZENTAVO_INSTALL_PREFIX
    candidates.push_back(fs::path(ZENTAVO_INSTALL_PREFIX) / "share" / "zentavo" / "Zentavo.ini");
#endif
    candidates.emplace_back("/usr/local/share/zentavo/Zentavo.ini");
    candidates.emplace_back("/usr/share/zentavo/Zentavo.ini");
    return candidates;
}

void EnsureInitialized()
{
    if (!State().initialized)
        InitVocabulary(ExecutableDir());
}

std::optional<std::string> Lookup(std::string_view section, std::string_view key)
{
    EnsureInitialized();
    for (const CProfile& profile : State().profiles)
        if (auto value = profile.Find(section, key))
            return value;
    return std::nullopt;
}

void NotifyFallback(std::string_view section, std::string_view key)
{
    if (State().observer)
        State().observer(section, key);
}

/// GetProfileInt's number: blanks, sign, decimal or 0x hex digits up to the first other
/// character; no digits gives 0; overflow saturates.
int ParseProfileInt(std::string_view text)
{
    size_t i = 0;
    while (i < text.size() && IsBlank(text[i]))
        ++i;
    bool negative = false;
    if (i < text.size() && (text[i] == '+' || text[i] == '-'))
        negative = text[i++] == '-';
    int base = 10;
    if (i + 1 < text.size() && text[i] == '0' && (text[i + 1] == 'x' || text[i + 1] == 'X')) {
        base = 16;
        i += 2;
    }
    const int64_t limit = negative ? -static_cast<int64_t>(INT_MIN) : INT_MAX;
    int64_t value = 0;
    for (; i < text.size(); ++i) {
        const char c = text[i];
        int digit = -1;
        if (c >= '0' && c <= '9')
            digit = c - '0';
        else if (base == 16 && c >= 'a' && c <= 'f')
            digit = c - 'a' + 10;
        else if (base == 16 && c >= 'A' && c <= 'F')
            digit = c - 'A' + 10;
        if (digit < 0)
            break;
        value = std::min<int64_t>(value * base + digit, limit);
    }
    return static_cast<int>(negative ? -value : value);
}

/// The text with `key=value` set in the first section named `section`: the key's first line
/// replaced, or a line added after the section's last non-blank line, or the section appended.
std::string EditEntry(const std::string& text, std::string_view section, std::string_view key, std::string_view value)
{
    const size_t firstFeed = text.find('\n');
    const std::string eol =
        firstFeed != std::string::npos && firstFeed > 0 && text[firstFeed - 1] == '\r' ? "\r\n" : "\n";
    const std::string entry = std::string(key) + "=" + std::string(value);
    const std::vector<LineSpan> lines = SplitLines(text);
    const std::string_view view(text);

    size_t header = 0;
    while (header < lines.size()) {
        const auto name = SectionName(view.substr(lines[header].begin, lines[header].end - lines[header].begin));
        if (name && EqualNoCase(*name, section))
            break;
        ++header;
    }
    if (header == lines.size()) {
        std::string result = text;
        if (!result.empty() && result.back() != '\n')
            result += eol;
        return result + "[" + std::string(section) + "]" + eol + entry + eol;
    }

    size_t lastNonBlank = header;
    for (size_t i = header + 1; i < lines.size(); ++i) {
        const std::string_view line = view.substr(lines[i].begin, lines[i].end - lines[i].begin);
        if (SectionName(line))
            break;
        const auto split = SplitEntry(line);
        if (split && EqualNoCase(split->first, key))
            return text.substr(0, lines[i].begin) + entry + text.substr(lines[i].end);
        if (!Trim(line).empty())
            lastNonBlank = i;
    }
    const LineSpan& after = lines[lastNonBlank];
    if (after.next == after.end) // the last line of the file, without a line end
        return text + eol + entry + eol;
    return text.substr(0, after.next) + entry + eol + text.substr(after.next);
}

/// Sets key=value in the Window section of the user's file; false if skipped.
bool WriteWindowEntry(std::string_view section, std::string_view key, std::string_view value);

} // namespace

void CProfile::Parse(std::string_view bytes)
{
    m_sections.clear();
    if (bytes.substr(0, kBom.size()) == kBom)
        bytes.remove_prefix(kBom.size());
    const std::string text = IsValidUtf8(bytes) ? std::string(bytes) : Cp1252ToUtf8(bytes);
    const std::string_view view(text);

    Section* current = nullptr; // null: before the first section, or in a repeated one
    for (const LineSpan& span : SplitLines(view)) {
        const std::string_view line = view.substr(span.begin, span.end - span.begin);
        if (const auto name = SectionName(line)) {
            // A section's entries stay where they are when the map grows.
            const auto [section, added] = m_sections.try_emplace(Lower(*name));
            current = added ? &section->second : nullptr;
            continue;
        }
        const auto entry = SplitEntry(line);
        if (!current || !entry)
            continue;
        std::string_view value = entry->second;
        if (value.size() >= 2 && (value.front() == '"' || value.front() == '\'') && value.back() == value.front())
            value = value.substr(1, value.size() - 2);
        current->try_emplace(Lower(entry->first), value);
    }
}

bool CProfile::Load(const std::filesystem::path& path)
{
    std::string bytes;
    if (!ReadWholeFile(path, bytes)) {
        m_sections.clear();
        return false;
    }
    Parse(bytes);
    return true;
}

std::optional<std::string> CProfile::Find(std::string_view section, std::string_view key) const
{
    const auto found = m_sections.find(Lower(Trim(section)));
    if (found == m_sections.end())
        return std::nullopt;
    const auto entry = found->second.find(Lower(Trim(key)));
    if (entry == found->second.end())
        return std::nullopt;
    return entry->second;
}

bool CProfile::Empty() const
{
    return m_sections.empty();
}

std::vector<std::string> CProfile::Sections() const
{
    std::vector<std::string> names;
    for (const auto& [name, entries] : m_sections)
        names.push_back(name);
    std::sort(names.begin(), names.end());
    return names;
}

std::vector<std::string> CProfile::Keys(std::string_view section) const
{
    std::vector<std::string> keys;
    if (const auto found = m_sections.find(Lower(Trim(section))); found != m_sections.end())
        for (const auto& [key, value] : found->second)
            keys.push_back(key);
    std::sort(keys.begin(), keys.end());
    return keys;
}

void InitVocabulary(const std::filesystem::path& executableDir, const std::filesystem::path& explicitFile,
                    std::string_view language)
{
    VocabularyState& state = State();
    state.initialized = true;
    state.profiles.clear();
    state.found.clear();
    state.userFile.clear();

    const std::string asked = NormalizeLanguage(language);
    fs::path file = explicitFile;
    if (const std::optional<std::string> env = os::GetEnv("ZENTAVO_INI"); file.empty() && env && !env->empty())
        file = os::PathFromUtf8(*env);
    if (!file.empty()) {
        CProfile profile;
        profile.Load(file);
        state.profiles.push_back(std::move(profile));
        state.language = asked.empty() ? SystemLanguage() : asked;
        return;
    }

    // The user's file always sits first (possibly empty) so that a write can refresh it.
    state.userFile = DefaultUserFile();
    CProfile user;
    if (!state.userFile.empty())
        user.Load(state.userFile);
    CProfile installed;
    fs::path installedDir;
    for (const fs::path& candidate : InstalledCandidates(executableDir)) {
        if (installed.Load(candidate)) {
            installedDir = candidate.parent_path();
            break;
        }
    }
    state.language = asked;
    if (state.language.empty())
        state.language = NormalizeLanguage(user.Find("Window", kLanguageKey).value_or(""));
    if (state.language.empty())
        state.language = SystemLanguage();
    state.profiles.push_back(std::move(user));
    // A language whose file is missing reads in English: its lookups fall through to the base.
    if (const std::string name = LanguageFileName(state.language); !name.empty() && !installedDir.empty()) {
        CProfile translated;
        if (translated.Load(installedDir / "lang" / name))
            state.profiles.push_back(std::move(translated));
    }
    state.profiles.push_back(std::move(installed));
}

std::string VocabularyLanguage()
{
    EnsureInitialized();
    return State().language;
}

std::string RememberedLanguage()
{
    const auto value = Lookup("Window", kLanguageKey);
    const std::string language = value ? NormalizeLanguage(*value) : std::string();
    return language.empty() ? std::string(kSystemLanguage) : language;
}

void SetVocabularyProfiles(std::vector<CProfile> profiles)
{
    State().initialized = true;
    State().profiles = std::move(profiles);
    State().found.clear();
    State().userFile.clear();
}

void ResetVocabulary()
{
    State().initialized = false;
    State().profiles.clear();
    State().found.clear();
    State().userFile.clear();
}

std::filesystem::path UserVocabularyFile()
{
    EnsureInitialized();
    return State().userFile;
}

std::string GetProfileString(std::string_view section, std::string_view key, std::string_view def)
{
    EnsureInitialized();
    std::string cacheKey;
    cacheKey.reserve(section.size() + 1 + key.size());
    cacheKey.append(section).append(1, '\0').append(key);
    VocabularyState& state = State();
    if (const auto found = state.found.find(cacheKey); found != state.found.end())
        return found->second;
    if (auto value = Lookup(section, key)) {
        state.found.emplace(std::move(cacheKey), *value);
        return std::move(*value);
    }
    NotifyFallback(section, key);
    return std::string(def);
}

int GetProfileInt(std::string_view section, std::string_view key, int def)
{
    const auto value = Lookup(section, key);
    if (!value) {
        NotifyFallback(section, key);
        return def;
    }
    return value->empty() ? def : ParseProfileInt(*value);
}

std::string EncodeProfileBinary(const std::vector<unsigned char>& bytes)
{
    std::string text;
    text.reserve(bytes.size() * 2);
    for (const unsigned char b : bytes) {
        text += static_cast<char>('A' + (b & 0x0F));
        text += static_cast<char>('A' + (b >> 4));
    }
    return text;
}

std::vector<unsigned char> DecodeProfileBinary(std::string_view text)
{
    if (text.size() % 2 != 0)
        return {};
    std::vector<unsigned char> bytes;
    bytes.reserve(text.size() / 2);
    for (size_t i = 0; i < text.size(); i += 2) {
        const int low = text[i] - 'A';
        const int high = text[i + 1] - 'A';
        if (low < 0 || low > 15 || high < 0 || high > 15)
            return {};
        bytes.push_back(static_cast<unsigned char>(low | (high << 4)));
    }
    return bytes;
}

std::vector<unsigned char> GetProfileBinary(std::string_view section, std::string_view key)
{
    const auto value = Lookup(section, key);
    return value ? DecodeProfileBinary(*value) : std::vector<unsigned char>();
}

bool WriteProfileBinary(std::string_view section, std::string_view key, const std::vector<unsigned char>& bytes)
{
    return WriteWindowEntry(section, key, EncodeProfileBinary(bytes));
}

bool WriteProfileText(std::string_view section, std::string_view key, std::string_view text)
{
    const bool plain = std::all_of(text.begin(), text.end(), [](char c) {
        return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9') || c == '_' || c == '-';
    });
    return plain && WriteWindowEntry(section, key, text);
}

namespace
{
bool WriteWindowEntry(std::string_view section, std::string_view key, std::string_view value)
{
    // The program keeps only its window state in the file; nothing else is ever written.
    const fs::path target = UserVocabularyFile();
    if (target.empty() || !EqualNoCase(Trim(section), "Window") || Trim(key).empty() ||
        key.find_first_of("=[]\r\n;") != std::string_view::npos)
        return false;

    std::string text;
    std::error_code error;
    if (fs::exists(target, error) && !ReadWholeFile(target, text))
        return false;
    if (error)
        return false;
    const std::string edited = EditEntry(text, Trim(section), Trim(key), value);
    fs::create_directories(target.parent_path(), error);
    if (error || ReplaceFileAtomic(target, edited.data(), edited.size()) != 0)
        return false;
    if (!State().profiles.empty())
        State().profiles.front().Parse(edited);
    State().found.clear();
    return true;
}
} // namespace

void SetVocabularyFallbackObserver(std::function<void(std::string_view, std::string_view)> observer)
{
    State().observer = std::move(observer);
}
