// CNote: a note in the calculation tree; it computes nothing and has no inputs of its own.
// Each run replaces the title with the vocabulary's name for a note.
#include "CNote.h"

#include "CArchive.h"
#include "Profile.h"

IMPLEMENT_SERIAL(CNote, CCalcBase, 0)

void CNote::Serialize(CArchive& ar)
{
    CCalcBase::Serialize(ar);
}

bool CNote::Do()
{
    SetTitle(GetProfileString("Labels", "9999", "9999"));
    return true;
}
