#include "objects/kinds/PropBitmap.h"

CPropBitmap::CPropBitmap(UINT nameId, CExtDib* field)
    : CPropOb(nameId)
    , m_field(field)
{
    m_controlId = ButtonControl;
    m_kind = BitmapKind;
    m_edited.CopyFrom(*field);
    m_saved.CopyFrom(*field);
}

BOOL CPropBitmap::IsEqual(const CPropOb* other) const
{
    return m_edited.IsEqual(static_cast<const CPropBitmap*>(other)->m_edited);
}

void CPropBitmap::CopyValueFrom(const CPropOb* other)
{
    m_edited.CopyFrom(static_cast<const CPropBitmap*>(other)->m_edited);
}

void CPropBitmap::ApplyFrom(const CPropOb* peer)
{
    Replace(static_cast<const CPropBitmap*>(peer)->m_edited);
}

void CPropBitmap::Replace(const CExtDib& picture)
{
    if (m_field->IsEqual(picture))
        return;
    m_field->CopyFrom(picture);
    if (m_replaced)
        m_replaced();
}

BOOL CPropBitmap::Reload()
{
    if (m_field->IsEqual(m_edited))
        return FALSE;
    m_edited.CopyFrom(*m_field);
    return TRUE;
}
