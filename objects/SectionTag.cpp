#include "objects/SectionTag.h"

#include "objects/RecordProbe.h"

BOOL CSectionTag::Probe()
{
    CRecordProbe probe(*m_archive);
    std::optional<DWORD> value = probe.Next();
    if (!value)
        return FALSE;
    if (*value == m_expected)
        return TRUE;
    probe.Rewind();
    return FALSE;
}
