// A document opened for a command of zentavo-cli.
#include "CliDocument.h"

#include "OsFiles.h"

bool CCliDocument::Open(const std::string& path, std::string& error)
{
    if (!m_doc.OnOpenDocument(os::PathFromUtf8(path))) {
        error = m_doc.GetLastError();
        return false;
    }
    m_views.OnUpdate(); // the frame's initial update: the tree is filled and the head selected
    return true;
}
