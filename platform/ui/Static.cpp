#include "platform/ui/Static.h"

#include "platform/ui/OwnerDraw.h"

IMPLEMENT_DYNAMIC(CStatic, CWnd)

BOOL CStatic::Create(LPCTSTR text, DWORD style, const RECT& rect, CWnd* parent, UINT id)
{
    AfxRegisterControlClasses();
    return CWnd::Create(WC_STATIC, text, style, rect, parent, id);
}

void CStatic::DrawItem(LPDRAWITEMSTRUCT) {}

BOOL CStatic::OnChildNotify(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* result)
{
    if (AfxDrawItemChildNotify(*this, message, lParam, result))
        return TRUE;
    return CWnd::OnChildNotify(message, wParam, lParam, result);
}
