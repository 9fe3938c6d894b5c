// A document's file kept mapped for as long as the document is open, guarded by a read lease:
// the system tells us before anyone else may write to the file or shorten it, and we then turn
// the mapped pages into a copy of our own, so the bytes never change or fault under us.
#pragma once

#include "FileIO.h"

#include <filesystem>
#include <string>

/// Maps the regular file at `path` with a read lease on it, where the system grants one (Linux,
/// a local file of this user's that nobody has open for writing). Elsewhere the file is read
/// (ReadWholeFile), as it is for an empty file. False with the reason in `error`.
///
/// The bytes may be read as soon as this returns. While they are being read the first time
/// (the document's tree is built from them, and pages already passed may be released with
/// ReleaseMappedPages), a lease broken meanwhile is answered only afterwards: call
/// EndFirstRead when done. The writer waits until then; its open goes on once the copy is made.
bool MapLeasedFile(const std::filesystem::path& path, CFileBytes& bytes, std::string& error);

/// Ends the first read of bytes from MapLeasedFile (nothing for other bytes): from now on a
/// broken lease is answered at once, and one broken during the read is answered now.
void EndFirstRead(const CFileBytes& bytes);

/// True while the bytes are still the file's pages under a lease (false once copied, or for
/// bytes that were read): for tests.
bool HoldsLease(const CFileBytes& bytes);
