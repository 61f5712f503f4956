// The context menus of the page and its objects, the layout and highlight commands of the
// selection, and help.
#include "View/MyView.h"

#include "View/MainViewHost.h"
#include "objects/HyperViewOb.h"
#include "objects/LayerFmt.h"
#include "objects/kinds/ShapeOb.h"
#include "platform/ui/CmdUI.h"
#include "platform/ui/Menu.h"
#include "platform/ui/WinApp.h"

namespace {

// A layer of the notices that lies in the page's layer list; an unknown layer is an ordinary one.
BOOL IsOnNoticeLayer(const CHyperOb* object, const CHyperViewOb* page)
{
    const CLayerFmt* layers = page ? page->GetLayerList() : nullptr;
    return object->LayerID >= CMyView::NoticeLayers && layers && layers->FindLayerIndex(object->LayerID) >= 0;
}

} // namespace

UINT CMyView::ChooseContextMenu() const
{
    const CHyperOb* primary = GetCurrentObject();
    if (!primary)
        return ViewMenu;
    return IsOnNoticeLayer(primary, GetPageObject()) ? NoticeObjectMenu : ObjectMenu;
}

void CMyView::OnRButtonDown(UINT flags, CPoint point)
{
    if (!m_editMode) {
        CCatView::OnRButtonDown(flags, point);
        return;
    }
    // The base neither refreshes nor shows the properties for a right click here.
    const int picking = m_listPickPos;
    m_listPickPos = 0;
    CCatView::OnRButtonDown(flags, point);
    m_listPickPos = picking;
    if (!IsInkEnabled())
        ShowContextMenu(point);
}

LRESULT CMyView::OnContextMenuKey(WPARAM, LPARAM lParam)
{
    // A right click showed its menu on the press already; only the keyboard's request is left.
    if (lParam != static_cast<LPARAM>(MAKELPARAM(0xFFFF, 0xFFFF)) || !m_editMode || IsInkEnabled())
        return 0;
    CPoint at(16, 16);
    CRect bounds;
    if (CHyperOb* primary = GetCurrentObject(); primary && primary->GetObjectRect(&bounds)) {
        at = bounds.CenterPoint();
        LogicalToDevice(&at, 1);
    }
    ShowContextMenu(at);
    return 0;
}

void CMyView::ShowContextMenu(CPoint client)
{
    if (m_selection.GetSize() == 0 && TrackObjectMenu(GetCurrentObject(), client))
        return;
    CMenu menu;
    if (!menu.LoadMenu(ChooseContextMenu()))
        return;
    CPoint screen = client;
    ClientToScreen(&screen);
    if (CMenu* popup = menu.GetSubMenu(0))
        popup->TrackPopupMenu(TPM_RIGHTBUTTON, screen.x, screen.y, AfxGetMainWnd());
    menu.DestroyMenu();
}

void CMyView::OnUpdateLayout()
{
    CHyperOb* primary = GetCurrentObject();
    if (primary)
        primary->UpdateLayout(TRUE, 0);
    for (INT_PTR i = 0; i < m_selection.GetSize(); ++i)
        if (m_selection.GetAt(i) != primary)
            static_cast<CHyperOb*>(m_selection.GetAt(i))->UpdateLayout(TRUE, 0);
}

void CMyView::OnUpdateUpdateLayout(CCmdUI* cmdUI)
{
    const CHyperOb* primary = GetCurrentObject();
    BOOL attachable = primary && primary->IsAttachable();
    for (INT_PTR i = 0; attachable && i < m_selection.GetSize(); ++i)
        attachable = static_cast<CHyperOb*>(m_selection.GetAt(i))->IsAttachable();
    cmdUI->Enable(attachable);
}

// The one selected shape, or NULL.
static CShapeOb* SoleShape(const CMyView& view)
{
    const CHyperObArray& selection = view.m_selection;
    CHyperOb* only = selection.GetSize() == 1 ? static_cast<CHyperOb*>(selection.GetAt(0)) : nullptr;
    if (selection.GetSize() == 0)
        only = view.GetCurrentObject();
    return dynamic_cast<CShapeOb*>(only);
}

void CMyView::OnHiliteShape()
{
    if (CShapeOb* shape = SoleShape(*this))
        shape->SetHighlightFrame(!shape->HighlightFrame);
}

void CMyView::OnUpdateHiliteShape(CCmdUI* cmdUI)
{
    const CShapeOb* shape = SoleShape(*this);
    cmdUI->Enable(shape != nullptr);
    cmdUI->SetCheck(shape && shape->HighlightFrame);
}

void CMyView::OnHelpContents()
{
    GetMainViewHost().OpenHelp();
}
