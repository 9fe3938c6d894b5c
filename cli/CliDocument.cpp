// A document opened for a command of zentavo-cli.
#include "CliDocument.h"

bool CCliDocument::Open(const std::string& path, std::string& error)
{
    if (!m_doc.OnOpenDocument(path)) {
        error = m_doc.GetLastError();
        return false;
    }
    m_views.OnUpdate(); // the frame's initial update: the tree is filled and the head selected
    return true;
}
