// The document commands and the save-changes question.
#include "CDocCommands.h"

#include "CCalcDoc.h"
#include "CRecentFiles.h"
#include "DocViews.h"
#include "ScreenText.h"
#include "UIServices.h"

#include <QFile>

#include <optional>

namespace
{
CFileDialogRequest DocumentRequest(bool save)
{
    CFileDialogRequest request;
    request.save = save;
    request.title = save ? ScreenText("SAVE_AS", "Save As") : ScreenText("OPEN", "Open");
    request.filterName = ScreenText("DOCUMENT_FILTER", CDocCommands::kFilterName);
    request.filterPattern = "*.zna";
    request.defaultExtension = "zna";
    request.confirmOverwrite = true;
    return request;
}

QString ToQtPath(const std::string& path)
{
    return QFile::decodeName(QByteArray::fromStdString(path));
}
} // namespace

CDocCommands::CDocCommands(CCalcDoc& doc, ICalcDocViews& views, CRecentFiles& recent)
    : m_doc(doc), m_views(views), m_recent(recent)
{}

bool CDocCommands::SaveModified()
{
    if (!m_doc.IsModified())
        return true;
    const std::string question = ScreenText("SAVE_CHANGES", "Save changes to %1?", {m_doc.GetTitle()});
    switch (AfxMessageBox(question, MB_YESNOCANCEL)) {
    case IDYES:
        return OnFileSave();
    case IDNO:
        return true;
    default:
        return false;
    }
}

bool CDocCommands::OnFileNew()
{
    if (!SaveModified() || !m_doc.OnNewDocument())
        return false;
    m_views.OnUpdate(); // the initial update: the tree shows the head and selects it
    return true;
}

bool CDocCommands::OnFileOpen()
{
    const std::optional<std::string> path = UIServices().AskFileName(DocumentRequest(false));
    return path && OpenDocumentFile(*path);
}

bool CDocCommands::OpenDocumentFile(const std::string& path, bool dropOnFailure)
{
    if (!SaveModified())
        return false;
    // A failed open leaves the open document as it was; the document shows the reason.
    if (!m_doc.OnOpenDocument(path)) {
        if (dropOnFailure)
            m_recent.Remove(ToQtPath(path));
        return false;
    }
    m_views.OnUpdate();
    m_recent.Add(ToQtPath(path));
    return true;
}

bool CDocCommands::OnFileSave()
{
    if (m_doc.GetPathName().empty())
        return OnFileSaveAs();
    return DoSave(m_doc.GetPathName().string());
}

bool CDocCommands::OnFileSaveAs()
{
    // Propose the file the document came from, or its title as a new name beside the last one.
    CFileDialogRequest request = DocumentRequest(true);
    request.initialName = m_doc.GetPathName().empty() ? m_doc.GetTitle() + ".zna" : m_doc.GetPathName().string();
    const std::optional<std::string> path = UIServices().AskFileName(request);
    return path && DoSave(*path);
}

bool CDocCommands::DoSave(const std::string& path)
{
    // Someone else changed or replaced the file since we read or wrote it: ask before their
    // version is overwritten.
    if (path == m_doc.GetPathName().string() && m_doc.FileChangedOnDisk()) {
        const std::string question =
            ScreenText("CHANGED_ON_DISK", "%1 was changed on disk since it was opened or saved.", {path}) + "\n" +
            ScreenText("OVERWRITE_IT", "Overwrite it with this document?");
        if (AfxMessageBox(question, MB_YESNO) != IDYES)
            return false;
    }
    if (!m_doc.OnSaveDocument(path))
        return false;
    m_recent.Add(ToQtPath(path));
    return true;
}
