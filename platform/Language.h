// The languages the vocabulary ships in, and which one is in use: the one asked for on the
// command line, else the one the user chose (remembered in the Window section of the user's
// file), else the system's (LC_ALL, LC_MESSAGES, LANG), else English.
#pragma once

#include <string>
#include <string_view>
#include <vector>

/// The codes with a vocabulary file: "en" (the base file) first, then the translations.
const std::vector<std::string>& VocabularyLanguages();
/// "fr", "fr_FR.UTF-8", "FR-ca" -> "fr"; "" for anything without a vocabulary ("C", "POSIX", "nl").
std::string NormalizeLanguage(std::string_view code);
/// The language of the system locale, "en" when it has none of ours.
std::string SystemLanguage();
/// The file name of a language's vocabulary inside the "lang" folder ("Zentavo.fr.ini"); empty
/// for English, whose vocabulary is the base file itself.
std::string LanguageFileName(std::string_view code);

/// The entry of the Window section that remembers the user's choice ("system" or a code).
inline constexpr std::string_view kLanguageKey = "Language";
inline constexpr std::string_view kSystemLanguage = "system";
