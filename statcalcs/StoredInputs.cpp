// Checked reading of indices and counts from a calculation's stored inputs.
#include "StoredInputs.h"

#include "CArchive.h"

#include <string>

void ThrowFormatError(const char* what)
{
    throw CArchiveException(std::string("stored inputs: ") + what);
}

int32_t ReadChoice(CArchive& ar, int32_t last)
{
    int32_t index = 0;
    ar >> index;
    if (index < 0 || index > last)
        ThrowFormatError("choice index out of range");
    return index;
}

int32_t ReadRowCount(CArchive& ar, uint64_t minRowBytes)
{
    int32_t count = 0;
    ar >> count;
    if (count < 0)
        ThrowFormatError("negative row count");
    ar.Require(static_cast<uint64_t>(count) * minRowBytes);
    return count;
}

uint32_t ReadRecordCount(CArchive& ar, uint64_t minRecordBytes, bool allowZero)
{
    uint32_t count = 0;
    ar >> count;
    if (count == 0 && !allowZero)
        ThrowFormatError("record count of 0");
    ar.Require(static_cast<uint64_t>(count) * minRecordBytes);
    return count;
}
