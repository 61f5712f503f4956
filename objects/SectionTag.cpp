#include "objects/SectionTag.h"

#include "platform/core/Archive.h"

BOOL CSectionTag::Probe()
{
    DWORD value = 0;
    if (!m_archive->Peek(&value, sizeof value) || value != m_expected)
        return FALSE;
    *m_archive >> value;
    return TRUE;
}
