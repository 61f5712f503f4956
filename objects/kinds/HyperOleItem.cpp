#include "objects/kinds/HyperOleItem.h"

#include "objects/ObjectHost.h"
#include "objects/kinds/HyperOleOb.h"

#include "platform/core/Archive.h"
#include "platform/ole/OleDocument.h"

IMPLEMENT_SERIAL(CHyperOleItem, COleClientItem, 0)

BOOL CHyperOleItem::UpdateExtent()
{
    CSize extent;
    if (!m_owner || !GetCachedExtent(&extent) || extent == m_extent)
        return FALSE;
    CRect rect;
    m_owner->GetRect(&rect, nullptr);
    if (m_extent == CSize(0, 0)) {
        rect.right = rect.left + MulDiv(extent.cx, 10, 254);
        rect.bottom = rect.top + MulDiv(extent.cy, 10, 254);
    } else {
        rect.right = rect.left + MulDiv(rect.Width(), extent.cx, m_extent.cx);
        rect.bottom = rect.top + MulDiv(rect.Height(), extent.cy, m_extent.cy);
    }
    m_owner->SetRect(rect);
    m_owner->InvalidateArea(nullptr);
    return TRUE;
}

void CHyperOleItem::ResetExtent()
{
    if (m_owner)
        m_owner->InvalidateArea(nullptr);
    m_extent = CSize(0, 0);
    UpdateExtent();
}

BOOL CHyperOleItem::CloneFrom(const CHyperOleItem* source)
{
    if (!source || !CreateCloneFrom(source))
        return FALSE;
    SetDrawAspect(source->GetDrawAspect());
    m_extent = source->m_extent;
    return TRUE;
}

void CHyperOleItem::Serialize(CArchive& archive)
{
    COleClientItem::Serialize(archive);
    if (archive.IsStoring())
        archive << LONG(m_extent.cx) << LONG(m_extent.cy);
    else
        archive >> m_extent.cx >> m_extent.cy;
}

void CHyperOleItem::OnChange(OLE_NOTIFICATION code, DWORD)
{
    if (m_suppressNotifications || !m_owner || !m_owner->GetView())
        return;
    if (code == OLE_CHANGED) {
        UpdateExtent();
        if (!m_suppressNotifications)
            m_owner->InvalidateArea(nullptr);
        if (COleDocument* document = GetDocument())
            document->SetModifiedFlag(TRUE);
    } else if (code == OLE_CHANGED_STATE || code == OLE_CHANGED_ASPECT) {
        m_owner->InvalidateArea(nullptr);
    }
}

void CHyperOleItem::OnGetItemPosition(CRect& position)
{
    if (!m_owner)
        return;
    m_owner->GetRect(&position, nullptr);
    if (position.IsRectEmpty())
        UpdateExtent();
    m_owner->GetRect(&position, nullptr);
    if (CObjectHost* host = GetObjectHost(m_owner->GetView()))
        host->LogicalToDevice(reinterpret_cast<POINT*>(&position), 2);
}
