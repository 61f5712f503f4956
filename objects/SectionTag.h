// Probe for an optional trailing section of an old record, introduced by one fixed dword.
#pragma once

#include "platform/core/Types.h"

class CArchive;

class CSectionTag {
public:
    CSectionTag(CArchive* archive, DWORD expected) : m_archive(archive), m_expected(expected) { }
    virtual ~CSectionTag() = default;

    // Consumes the next dword only when it equals the expected one.
    BOOL Probe();

private:
    CArchive* m_archive;
    DWORD m_expected;
};
