// Where CCalcBase::Output sends report phrases: the current document's result view.
// The document installs itself here when it first becomes current; the command-line tool and
// tests may install a plain collector instead.
#pragma once

#include <string>

class IReportTarget
{
public:
    virtual ~IReportTarget() = default;
    /// Marks the result view as written by the program and locks its redrawing.
    virtual void BeginProgramWrite() = 0;
    /// Appends one phrase (text, flags 1 bold, 2 italic, 4 underline) at the end of the shown text.
    virtual void InsertPhrase(const std::string& text, unsigned flags) = 0;
    virtual void EndProgramWrite() = 0;
};

/// The current report target (the current document), or null.
IReportTarget* CurrentReportTarget();
void SetCurrentReportTarget(IReportTarget* target);
