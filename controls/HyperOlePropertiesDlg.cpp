#include "controls/HyperOlePropertiesDlg.h"

#include "View/HyperOleViewScale.h"
#include "objects/HyperOb.h"
#include "objects/PropOle.h"
#include "objects/PropOb.h"
#include "controls/PropListWnd.h"
#include "platform/ole/OleClientItem.h"

void CHyperOlePropertiesDlg::ExchangePropValue(BOOL save)
{
    CPropertiesDlg::ExchangePropValue(save);
    if (!save && EditKindOf(m_current) == OleKind)
        m_oleProperty = m_current;
}

void CHyperOlePropertiesDlg::EditPropValue()
{
    CPropertiesDlg::EditPropValue();
    if (EditKindOf(m_current) == OleKind)
        EditOleProperties();
}

// The scale applies at once and cannot be cancelled; the edge rows take the new rectangle
// without applying it a second time.
void CHyperOlePropertiesDlg::EditOleProperties()
{
    auto* entry = dynamic_cast<CPropOle*>(m_oleProperty);
    auto* item = entry && entry->m_item ? dynamic_cast<COleClientItem*>(*entry->m_item) : nullptr;
    if (!item)
        return;
    CWorkingFolderKeeper folder;
    COleScaleDialog dialog(item, 10, 500);
    dialog.DoModal();
    ExchangeProperty(TRUE);
    ApplyAndNotify();
    auto* owner = dynamic_cast<CHyperOb*>(m_owner);
    if (!owner || !m_list)
        return;
    CRect rect;
    owner->GetRect(&rect, nullptr);
    for (INT_PTR i = 0; i < m_list->GetSize(); ++i) {
        auto* property = static_cast<CPropOb*>(m_list->GetAt(i));
        switch (property->GetNameId()) {
        case LeftId: property->SetLongValue(rect.left); break;
        case RightId: property->SetLongValue(rect.right); break;
        case TopId: property->SetLongValue(rect.top); break;
        case BottomId: property->SetLongValue(rect.bottom); break;
        default: break;
        }
    }
    if (CWnd* rows = GetListWnd(); rows && rows->m_hWnd)
        rows->Invalidate();
}
