// Screen texts from the vocabulary and their numbered directives.
#include "ScreenText.h"

#include "CArchive.h"
#include "Profile.h"

namespace
{
constexpr std::string_view kSection = "Screen";
}

std::string ScreenText(std::string_view key, std::string_view english)
{
    return GetProfileString(kSection, key, english);
}

std::string ScreenText(std::string_view key, std::string_view english, std::initializer_list<std::string_view> args)
{
    return FillDirectives(ScreenText(key, english), args);
}

std::string FileFormatMessage()
{
    return ScreenText("FILE_FORMAT", CArchiveException::kUserMessage);
}

std::string FillDirectives(std::string_view text, std::initializer_list<std::string_view> args)
{
    std::string result;
    result.reserve(text.size());
    for (size_t i = 0; i < text.size(); ++i) {
        const char c = text[i];
        if (c != '%' || i + 1 == text.size()) {
            result += c;
            continue;
        }
        const char next = text[i + 1];
        if (next == '%') {
            result += '%';
            ++i;
        } else if (next >= '1' && next <= '9' && static_cast<size_t>(next - '1') < args.size()) {
            result.append(*(args.begin() + (next - '1')));
            ++i;
        } else {
            result += c;
        }
    }
    return result;
}
