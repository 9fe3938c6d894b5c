// A document opened for a command of zentavo-cli: the document with in-memory views, opened
// from a file the way the program opens one.
#pragma once

#include "CCalcDoc.h"
#include "MemoryViews.h"

#include <string>

class CCliDocument
{
public:
    CCliDocument() : m_views(m_doc) {}

    /// Opens the file; false with the one-line reason in `error`.
    bool Open(const std::string& path, std::string& error);
    CCalcDoc& Doc() { return m_doc; }

private:
    CCalcDoc m_doc;
    CMemoryViews m_views;
};
