#include "platform/ui/Button.h"

#include "platform/ui/OwnerDraw.h"

IMPLEMENT_DYNAMIC(CButton, CWnd)

BOOL CButton::Create(LPCTSTR caption, DWORD style, const RECT& rect, CWnd* parent, UINT id)
{
    AfxRegisterControlClasses();
    return CWnd::Create(WC_BUTTON, caption, style, rect, parent, id);
}

void CButton::DrawItem(LPDRAWITEMSTRUCT) {}

BOOL CButton::OnChildNotify(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* result)
{
    if (AfxDrawItemChildNotify(*this, message, lParam, result))
        return TRUE;
    return CWnd::OnChildNotify(message, wParam, lParam, result);
}
