// Looking ahead in a loading archive, through its file, without losing the place.
#pragma once

#include "platform/core/Types.h"

#include <optional>

class CArchive;

class CRecordProbe {
public:
    explicit CRecordProbe(CArchive& archive);

    // The next dword, consumed; nothing when fewer than four bytes are left.
    std::optional<DWORD> Next();
    // Puts the stream back where it was when the probe was made.
    void Rewind();

private:
    CArchive& m_archive;
    ULONGLONG m_start;
};
