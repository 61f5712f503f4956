#include "objects/ChoiceFmt.h"

#include "platform/core/Archive.h"

IMPLEMENT_SERIAL(CChoiceFmt, CHyperListFmt, 0)

void CChoiceItem::CopyFrom(const CListFmtItem* source)
{
    auto* item = static_cast<const CChoiceItem*>(source);
    m_text = item->m_text;
    m_value = item->m_value;
}

BOOL CChoiceItem::IsEqual(const CListFmtItem* other) const
{
    auto* item = static_cast<const CChoiceItem*>(other);
    return m_text == item->m_text && m_value == item->m_value;
}

void CChoiceItem::Serialize(CArchive& archive)
{
    if (archive.IsStoring()) {
        archive << m_text << static_cast<UINT>(m_value);
        return;
    }
    UINT value = 0;
    archive >> m_text >> value;
    m_value = value;
}
