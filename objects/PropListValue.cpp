#include "objects/PropListValue.h"

BOOL CPropLocal::GetValueText(CString& text) const
{
    text.Format(ItemCountTextId, static_cast<int>(m_edited.GetSize()));
    return TRUE;
}
