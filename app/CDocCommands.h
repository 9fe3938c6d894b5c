// The standard document commands of the program: New, Open, Save, Save As, opening a recent
// file, and the question about unsaved changes that guards every one that drops the document.
// File names are asked through the UI services, so tests answer them.
#pragma once

#include <string>

class CCalcDoc;
class CRecentFiles;
class ICalcDocViews;

class CDocCommands
{
public:
    static constexpr const char kFilterName[] = "Zentavo Analysis Files (*.zna)";

    CDocCommands(CCalcDoc& doc, ICalcDocViews& views, CRecentFiles& recent);

    /// When the document is modified, asks "Save changes to <title>?" (Yes, No, Cancel); Yes
    /// saves. False when the user cancelled or the save failed: the action must not go on.
    bool SaveModified();

    bool OnFileNew();
    /// Asks for a document, then opens it (after the question about unsaved changes).
    bool OnFileOpen();
    /// Opens a named file: the question, the open (errors shown by the document), the initial
    /// update of the views and the recent-file list. `dropOnFailure` removes the file from the
    /// list when it cannot be opened (an entry of the list itself).
    bool OpenDocumentFile(const std::string& path, bool dropOnFailure = false);
    /// Saves to the document's file, or asks for a name when it has none.
    bool OnFileSave();
    bool OnFileSaveAs();
    /// Saves to `path`, adding it to the recent files; false after a failure (already shown).
    /// When `path` is the document's own file and it changed on disk since it was opened or
    /// saved, asks first (Yes, No); No saves nothing and returns false.
    bool DoSave(const std::string& path);

private:
    CCalcDoc& m_doc;
    ICalcDocViews& m_views;
    CRecentFiles& m_recent;
};
