// The vocabulary file (Zentavo.ini) with the semantics of the Windows profile functions:
// case-insensitive sections and keys, first match wins, blanks trimmed, one pair of quotes
// stripped, ';' comments, UTF-8 with a Windows-1252 fallback. Lookups never fail: a missing
// file or key gives the caller's default.
#pragma once

#include <filesystem>
#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

/// One parsed INI file.
class CProfile
{
public:
    /// Parses bytes (UTF-8, with or without BOM, else Windows-1252) into UTF-8 entries.
    void Parse(std::string_view bytes);
    /// Reads and parses a file; false when it cannot be read (the profile is then empty).
    bool Load(const std::filesystem::path& path);

    /// The raw value (trimmed, quotes stripped), or nullopt when the key is missing.
    std::optional<std::string> Find(std::string_view section, std::string_view key) const;
    bool Empty() const;
    /// The section names, lowered and sorted.
    std::vector<std::string> Sections() const;
    /// The keys of a section, lowered and sorted; empty when the section is missing.
    std::vector<std::string> Keys(std::string_view section) const;

private:
    /// A section's values by lowered key; the first line of a key holds its value.
    using Section = std::unordered_map<std::string, std::string>;
    /// The sections by lowered name; the first header of a name holds its entries.
    std::unordered_map<std::string, Section> m_sections;
};

/// Where the vocabulary comes from: an explicit file alone (--vocab, $ZENTAVO_INI), else the
/// user's file (Zentavo.ini in the user's settings folder, os::UserSettingsDir: on Linux
/// $XDG_CONFIG_HOME/zentavo) over the installed language file
/// (lang/Zentavo.<code>.ini beside the installed base file) over the installed English one
/// (beside the executable, else <prefix>/share/zentavo/Zentavo.ini).
/// `explicitFile` empty means: consult $ZENTAVO_INI, then the user's and installed files.
/// `language` empty means: the user's remembered choice ([Window] Language), else the system's.
void InitVocabulary(const std::filesystem::path& executableDir, const std::filesystem::path& explicitFile = {},
                    std::string_view language = {});
/// The language in use ("en", "fr", ...): the one asked for, else the user's remembered
/// choice, else the system's. With an explicit file it only names the language asked for (or
/// the system's); the words then all come from that file.
std::string VocabularyLanguage();
/// The user's remembered choice: "system" or a language code; "system" when none is stored.
std::string RememberedLanguage();
/// Uses exactly these parsed profiles (first wins); for tests. Nothing is written afterwards.
void SetVocabularyProfiles(std::vector<CProfile> profiles);
/// Forgets the loaded profiles: the next lookup runs the default search of InitVocabulary
/// (beside this executable, $ZENTAVO_INI, the user's and installed files), as before any call.
void ResetVocabulary();
/// The user's vocabulary file path (may not exist), or empty when an explicit file is in use
/// (then nothing is ever written).
std::filesystem::path UserVocabularyFile();

/// GetProfileString of the original platform: a missing key gives `def`; "key=" gives "".
std::string GetProfileString(std::string_view section, std::string_view key, std::string_view def);
/// GetProfileInt: missing or empty gives `def`; otherwise sign, decimal or 0x digits up to the
/// first other character; no digits gives 0; overflow saturates.
int GetProfileInt(std::string_view section, std::string_view key, int def);
/// The binary entries of the Window section, decoded from the two-letters-per-byte form.
std::vector<unsigned char> GetProfileBinary(std::string_view section, std::string_view key);
/// Writes a binary entry into the user's file only (edit in place, atomic); false if skipped.
bool WriteProfileBinary(std::string_view section, std::string_view key, const std::vector<unsigned char>& bytes);
/// Writes a short plain entry (letters, digits, '_' and '-' only) into the Window section of the
/// user's file, as WriteProfileBinary does; false if skipped or refused.
bool WriteProfileText(std::string_view section, std::string_view key, std::string_view text);

/// The two-letters-per-byte form of binary entries: 'A' + low nibble, then 'A' + high nibble.
std::string EncodeProfileBinary(const std::vector<unsigned char>& bytes);
/// The bytes of that form; empty when the text does not decode (odd length, a letter outside A..P).
std::vector<unsigned char> DecodeProfileBinary(std::string_view text);

/// Called with (section, key) each time a lookup falls back to its default (tests record them).
void SetVocabularyFallbackObserver(std::function<void(std::string_view, std::string_view)> observer);
