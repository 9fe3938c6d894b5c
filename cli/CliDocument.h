// A document opened for a command of zentavo-cli: the document with in-memory views, opened
// from a file the way the program opens one.
#pragma once

#include "CCalcDoc.h"
#include "MemoryViews.h"

#include <memory>
#include <string>

class CCliDocument
{
public:
    CCliDocument();
    /// Leaves the document to the end of the process (see the definition).
    ~CCliDocument();
    CCliDocument(const CCliDocument&) = delete;
    CCliDocument& operator=(const CCliDocument&) = delete;

    /// Opens the file; false with the one-line reason in `error`.
    bool Open(const std::string& path, std::string& error);
    CCalcDoc& Doc() { return m_parts->doc; }

private:
    struct Parts
    {
        CCalcDoc doc;
        CMemoryViews views{doc};
    };
    std::unique_ptr<Parts> m_parts;
};
