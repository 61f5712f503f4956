// Peeking at the next dword of a loading archive without losing the place: shared by the
// version tag and the section probe.
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
