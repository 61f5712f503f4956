// COleDropTarget: registration and the default handling, which asks a registered view.
#include "platform/ole/OleDropTarget.h"

#include "platform/ole/DragSession.h"
#include "platform/ui/View.h"

#include <map>

IMPLEMENT_DYNAMIC(COleDropTarget, CCmdTarget)

namespace {

std::map<HWND, COleDropTarget*>& Targets()
{
    static std::map<HWND, COleDropTarget*> targets;
    return targets;
}

CView* ViewOf(CWnd* pWnd)
{
    return pWnd && pWnd->IsKindOf(RUNTIME_CLASS(CView)) ? static_cast<CView*>(pWnd) : nullptr;
}

} // namespace

COleDropTarget::~COleDropTarget() { COleDropTarget::Revoke(); }

BOOL COleDropTarget::Register(CWnd* pWnd)
{
    if (!pWnd || !pWnd->m_hWnd || m_hWnd || Targets().count(pWnd->m_hWnd))
        return FALSE;
    m_hWnd = pWnd->m_hWnd;
    Targets()[m_hWnd] = this;
    ole::InstallDragHook();
    return TRUE;
}

void COleDropTarget::Revoke()
{
    if (!m_hWnd)
        return;
    ole::ForgetDropTarget(this);
    Targets().erase(m_hWnd);
    m_hWnd = nullptr;
}

COleDropTarget* COleDropTarget::FromHandle(HWND hwnd)
{
    auto it = Targets().find(hwnd);
    return it == Targets().end() ? nullptr : it->second;
}

DROPEFFECT COleDropTarget::OnDragEnter(CWnd* pWnd, COleDataObject* pDataObject, DWORD dwKeyState, CPoint point)
{
    CView* view = ViewOf(pWnd);
    return view ? view->OnDragEnter(pDataObject, dwKeyState, point) : DROPEFFECT_NONE;
}

DROPEFFECT COleDropTarget::OnDragOver(CWnd* pWnd, COleDataObject* pDataObject, DWORD dwKeyState, CPoint point)
{
    CView* view = ViewOf(pWnd);
    return view ? view->OnDragOver(pDataObject, dwKeyState, point) : DROPEFFECT_NONE;
}

void COleDropTarget::OnDragLeave(CWnd* pWnd)
{
    if (CView* view = ViewOf(pWnd))
        view->OnDragLeave();
}

BOOL COleDropTarget::OnDrop(CWnd* pWnd, COleDataObject* pDataObject, DROPEFFECT dropEffect, CPoint point)
{
    CView* view = ViewOf(pWnd);
    return view ? view->OnDrop(pDataObject, dropEffect, point) : FALSE;
}

DROPEFFECT COleDropTarget::OnDropEx(CWnd* pWnd, COleDataObject* pDataObject, DROPEFFECT dropDefault,
                                    DROPEFFECT dropList, CPoint point)
{
    CView* view = ViewOf(pWnd);
    return view ? view->OnDropEx(pDataObject, dropDefault, dropList, point) : static_cast<DROPEFFECT>(-1);
}
