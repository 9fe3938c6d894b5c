// The vocabulary keys of the frame's commands and the texts read with them.
#include "FrameCommands.h"

#include "Profile.h"
#include "Utf8.h"

namespace
{
struct CCommandKey
{
    unsigned id;
    const char* key;
};

constexpr CCommandKey kMenuKeys[] = {
    {kCmdFileNew, "FILE_NEW"},
    {kCmdFileOpen, "FILE_OPEN"},
    {kCmdFileSave, "FILE_SAVE"},
    {kCmdFileSaveAs, "FILE_SAVE_AS"},
    {kCmdFileExport, "FILE_EXPORT"},
    {kCmdFileExportSelected, "FILE_EXPORT_SELECTED"},
    {kCmdFilePrint, "FILE_PRINT"},
    {kCmdFilePrintPreview, "FILE_PRINT_PREVIEW"},
    {kCmdFilePrintSetup, "FILE_PRINT_SETUP"},
    {kCmdAppExit, "APP_EXIT"},
    {kCmdUndo, "EDIT_UNDO"},
    {kCmdEditRedo, "EDIT_REDO_CHANGE"},
    {kCmdCut, "EDIT_CUT"},
    {kCmdCopy, "EDIT_COPY"},
    {kCmdPaste, "EDIT_PASTE"},
    {kCmdDelete, "EDIT_DELETE"},
    {kCmdSelectAll, "EDIT_SELECTALL"},
    {kCmdViewToolbar, "VIEW_TOOLBAR"},
    {kCmdWindowSplit, "WINDOW_SPLIT"},
    {kCmdFormatBold, "FORMAT_BOLD"},
    {kCmdFormatItalic, "FORMAT_ITALIC"},
    {kCmdFormatUnderline, "FORMAT_UNDERLINE"},
    {kCmdHelpFinder, "HELP_FINDER"},
    {kCmdAppAbout, "APP_ABOUT"},
};

constexpr CCommandKey kTooltipKeys[] = {
    {kCmdFileNew, "FILE_NEW"},
    {kCmdFileOpen, "FILE_OPEN"},
    {kCmdFileSave, "FILE_SAVE"},
    {kCmdFilePrint, "FILE_PRINT"},
    {kCmdCopy, "EDIT_COPY"},
    {kCmdCut, "EDIT_CUT"},
    {kCmdPaste, "EDIT_PASTE"},
    {kCmdUndo, "EDIT_UNDO"},
    {kCmdEditRedo, "EDIT_REDO_CHANGE"},
    {kCmdFormatBold, "FORMAT_BOLD"},
    {kCmdFormatItalic, "FORMAT_ITALIC"},
    {kCmdFormatUnderline, "FORMAT_UNDERLINE"},
};

// The tooltip buffer of the original toolbar held 80 characters with the terminating zero.
constexpr size_t kTooltipChars = 79;

template <size_t N> const char* FindKey(const CCommandKey (&table)[N], unsigned id)
{
    for (const CCommandKey& entry : table) {
        if (entry.id == id)
            return entry.key;
    }
    return nullptr;
}

// The first `count` characters of UTF-8 text (a character is never split).
std::string Utf8Prefix(const std::string& text, size_t count)
{
    size_t pos = 0;
    for (size_t chars = 0; chars < count && pos < text.size(); ++chars)
        NextUtf8(text, pos);
    return text.substr(0, pos);
}
} // namespace

const char* MenuKeyOf(unsigned id)
{
    return FindKey(kMenuKeys, id);
}

const char* TooltipKeyOf(unsigned id)
{
    return FindKey(kTooltipKeys, id);
}

std::string TooltipText(unsigned id)
{
    const char* key = TooltipKeyOf(id);
    if (!key)
        return "No tooltip";
    return Utf8Prefix(GetProfileString("Tooltips", key, key), kTooltipChars);
}
