// Command ids of the main frame's menus, toolbar and accelerators beyond those the two views
// handle (ViewCommands.h), and the vocabulary texts of menu items and toolbar tooltips.
#pragma once

#include "ViewCommands.h"

#include <string>

enum : unsigned
{
    kCmdFileNew = 57600,
    kCmdFileOpen = 57601,
    kCmdFileSave = 57603,
    kCmdFileSaveAs = 57604,
    kCmdFilePrintSetup = 57606,
    kCmdFileMru1 = 57616, // the recent files take 57616..57619
    kCmdFileExport = 40022,
    kCmdFileExportSelected = 40023,
    kCmdWindowSplit = 57653,
    kCmdAppAbout = 57664,
    kCmdAppExit = 57665,
    kCmdHelpFinder = 57667,
    kCmdViewToolbar = 59392,
};

/// The `Menus` key of a menu command, or nullptr for an id without a menu item.
const char* MenuKeyOf(unsigned id);
/// The `Tooltips` key of a toolbar command, or nullptr for an id without a tooltip entry.
const char* TooltipKeyOf(unsigned id);

/// The text of a toolbar button's tooltip: the `Tooltips` entry (its key when missing), cut to
/// 79 characters; "No tooltip" for a command without a tooltip key.
std::string TooltipText(unsigned id);
