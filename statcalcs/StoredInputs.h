// Checked reading of the stored inputs that the calculations index or loop with, so that a
// damaged or foreign document is refused with the archive's format error instead of misused.
#pragma once

#include <cstdint>

class CArchive;

/// Throws CArchiveException; `what` says which stored input was refused (the user is shown the
/// archive's file-format message).
[[noreturn]] void ThrowFormatError(const char* what);

/// Reads a 32-bit radio-button index and refuses one outside 0..last.
int32_t ReadChoice(CArchive& ar, int32_t last);

/// Reads a confidence-level index: 0 (95 %) or 1 (99 %).
inline int32_t ReadLevel(CArchive& ar)
{
    return ReadChoice(ar, 1);
}

/// Reads a signed 32-bit row count and refuses a negative one, or one whose rows (at least
/// `minRowBytes` each) cannot fit in the bytes left, before anything is allocated for them.
int32_t ReadRowCount(CArchive& ar, uint64_t minRowBytes);

/// Reads an unsigned 32-bit count of records and refuses 0 (when `allowZero` is false) or a
/// count whose records (at least `minRecordBytes` each) cannot fit in the bytes left.
uint32_t ReadRecordCount(CArchive& ar, uint64_t minRecordBytes, bool allowZero);
