// What the tests of the describe methods share: a calculation stored and read back as a
// document does, and its report redone from the stored inputs with OK on its dialog.
#pragma once

#include "CArchive.h"
#include "CCalcBase.h"
#include "CalcTestSupport.h"

#include <algorithm>
#include <memory>
#include <string>
#include <vector>

/// `calc` written into an archive and read back as a new object (throws CArchiveException when
/// the reading refuses it).
inline std::unique_ptr<CCalcBase> StoredAndReloaded(const CObject& calc)
{
    std::vector<unsigned char> bytes;
    CArchive out(bytes);
    out.WriteObject(&calc);
    CArchive in(bytes.data(), bytes.size());
    return std::unique_ptr<CCalcBase>(ReadObjectOf<CCalcBase>(in));
}

/// The report of `calc` stored, read back and redone with OK on the dialog as it opens, with
/// the C locale's list separator as a run's report shows it ("" when Do fails).
inline std::string RedoneAfterReload(const CCalcBase& calc)
{
    const std::unique_ptr<CCalcBase> reloaded = StoredAndReloaded(calc);
    CRedoScope scope({});
    if (!reloaded->Do())
        return {};
    std::string report = PhrasesText(reloaded->GetPhrases());
    std::replace(report.begin(), report.end(), '\a', ',');
    return report;
}
