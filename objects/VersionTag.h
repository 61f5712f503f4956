// The four-byte version tag that opens a versioned record, and the rule for reading
// records written before tags existed.
#pragma once

#include "platform/core/Types.h"

class CArchive;
class CObject;

class CVersionTag {
public:
    static constexpr DWORD Magic = 0xBACDCD00;
    static constexpr int NotRead = -2;
    static constexpr int NoTag = -1;

    CVersionTag(CArchive* archive, const CObject* owner, UINT versionToWrite, BOOL acceptAny = FALSE);
    virtual ~CVersionTag() = default;

    static DWORD HashClassName(LPCTSTR name);

    void Write();
    BOOL Read();
    void SeekBack();
    int GetVersion() const { return m_versionRead; }

private:
    BOOL IsTag(DWORD value) const;

    CArchive* m_archive;
    DWORD m_versionToWrite;
    BOOL m_acceptAny;
    int m_versionRead = NotRead;
    const CObject* m_owner;
};
