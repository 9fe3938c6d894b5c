// Language codes and the system's choice.
#include "Language.h"

#include "OsFiles.h"

#include <algorithm>
#include <cstdlib>

const std::vector<std::string>& VocabularyLanguages()
{
    static const std::vector<std::string> codes = {"en", "de", "es", "fr", "it", "pt"};
    return codes;
}

std::string NormalizeLanguage(std::string_view code)
{
    // The language part of a locale name: up to '_', '-', '.' or '@'.
    const size_t end = code.find_first_of("_-.@");
    std::string language(code.substr(0, end));
    for (char& c : language)
        if (c >= 'A' && c <= 'Z')
            c = static_cast<char>(c - 'A' + 'a');
    const auto& codes = VocabularyLanguages();
    return std::find(codes.begin(), codes.end(), language) != codes.end() ? language : std::string();
}

std::string SystemLanguage()
{
    // The first variable set decides, as for the C library's messages.
    for (const char* name : {"LC_ALL", "LC_MESSAGES", "LANG"}) {
        const std::optional<std::string> value = os::GetEnv(name);
        if (value && !value->empty()) {
            const std::string language = NormalizeLanguage(*value);
            return language.empty() ? "en" : language;
        }
    }
    // Windows keeps the user's choice out of the environment.
    const std::string language = NormalizeLanguage(os::SystemLocaleName());
    return language.empty() ? "en" : language;
}

std::string LanguageFileName(std::string_view code)
{
    const std::string language = NormalizeLanguage(code);
    return language.empty() || language == "en" ? std::string() : "Zentavo." + language + ".ini";
}
