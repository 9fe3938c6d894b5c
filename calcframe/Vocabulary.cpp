// The vocabulary lookups shared by the type tree, the reports, the tree view and the menus.
#include "Vocabulary.h"

#include "CCalcType.h"
#include "Profile.h"

#include <algorithm>

namespace
{
constexpr int kMaxChildren = 9;
}

std::string TermText(const std::string& key)
{
    return GetProfileString("Terms", key, key);
}

std::string TypeLabel(const std::string& code)
{
    return GetProfileString("Labels", code, code);
}

std::string TypeTitle(const std::string& code)
{
    std::string title;
    for (size_t i = 1; i <= 3; ++i) {
        const char digit = i < code.size() ? code[i] : '0';
        if (digit == '0')
            continue;
        std::string prefix = code.substr(0, i);
        prefix.resize(4, '0');
        title += TypeLabel(prefix) + " - ";
    }
    return title + TypeLabel(code);
}

std::string FolderLabel(const std::string& code)
{
    return GetProfileString("Labels", code, "Corrupt .INI file");
}

std::string MenuText(const std::string& key)
{
    std::string text = GetProfileString("Menus", key, key);
    std::replace(text.begin(), text.end(), '\\', '\t');
    return text;
}

int ChildCount(const CCalcType& type)
{
    // A damaged code (a level that does not match its digits) is a leaf too, so no walk of the
    // tree can loop on it.
    if (!type.IsValid() || type.GetLevel() >= CCalcType::kDigits - 1)
        return 0;
    return std::clamp(GetProfileInt("Levels", type.GetTypeString(), 0), 0, kMaxChildren);
}
