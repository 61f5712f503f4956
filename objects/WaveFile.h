// Raw reads from an archive's file, for records written past the archive's buffer.
#pragma once

#include "platform/core/Types.h"

class CArchive;

// Reads exactly `bytes` or throws the archive's end-of-file exception.
void ReadFileExact(CArchive& archive, void* data, ULONGLONG bytes);
// Throws the end-of-file exception unless the file holds `bytes` more from its position, so a
// size taken from a record is checked before anything is allocated for it.
void RequireFileBytes(CArchive& archive, ULONGLONG bytes);
