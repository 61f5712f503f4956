#include "objects/kinds/BlobRun.h"

#include "platform/core/Archive.h"

void CBlobRun::Serialize(CArchive& archive)
{
    if (archive.IsStoring())
        archive << first << second;
    else
        archive >> first >> second;
}

CPropBlob::CPropBlob(UINT nameId, CBlobRun* field)
    : CPropOb(nameId)
    , m_edited(*field)
    , m_saved(*field)
    , m_field(field)
{
    m_controlId = ButtonControl;
    m_kind = BlobKind;
}

BOOL CPropBlob::Reload()
{
    if (*m_field == m_edited)
        return FALSE;
    m_edited = *m_field;
    return TRUE;
}

BOOL CPropBlob::GetValueText(CString& text) const
{
    text = m_edited.first;
    if (!m_edited.first.IsEmpty() && !m_edited.second.IsEmpty())
        text += " + ";
    text += m_edited.second;
    return TRUE;
}
