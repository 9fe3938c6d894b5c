// Command ids of the commands the two views handle, the values the menus, the toolbar and the
// accelerators of the program use, so that the frame's dispatcher and the views' own context
// menus name the same commands.
#pragma once

enum : unsigned
{
    kCmdRedo = 40001,
    kCmdRename = 40006,
    kCmdFormatBold = 40007,
    kCmdFormatItalic = 40008,
    kCmdFormatUnderline = 40009,
    kCmdDelete = 40015,
    kCmdSelectAll = 40016,
    kCmdNote = 101,
    kCmdFilePrint = 57607,
    kCmdFilePrintDirect = 57608,
    kCmdFilePrintPreview = 57609,
    kCmdCopy = 57634,
    kCmdCut = 57635,
    kCmdPaste = 57637,
    kCmdUndo = 57643,
    kCmdEditRedo = 57644, // redo what was undone (kCmdRedo runs a calculation again)
    kCmdNextPane = 57680,
};
