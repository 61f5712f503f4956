#include "objects/PropOle.h"

CPropOle::CPropOle(CCmdTarget** item) : CPropOb(NameId), m_item(item)
{
    m_kind = Kind;
    m_controlId = ButtonControl;
    m_captionId = CaptionId;
}

BOOL CPropOle::GetValueText(CString& text) const
{
    text = LoadText(WarningTextId);
    return TRUE;
}
