#include "View/FrameWindowAdapter.h"

#include "platform/ui/Wnd.h"

BOOL CFrameWindowAdapter::IsMaximized() const
{
    return m_wnd->m_hWnd && m_wnd->IsZoomed();
}

DWORD CFrameWindowAdapter::GetStyle() const
{
    return m_wnd->m_hWnd ? m_wnd->GetStyle() : 0;
}

DWORD CFrameWindowAdapter::GetExStyle() const
{
    return m_wnd->m_hWnd ? m_wnd->GetExStyle() : 0;
}

void CFrameWindowAdapter::ModifyStyle(DWORD remove, DWORD add)
{
    if (m_wnd->m_hWnd)
        m_wnd->ModifyStyle(remove, add);
}

void CFrameWindowAdapter::ModifyStyleEx(DWORD remove, DWORD add)
{
    if (m_wnd->m_hWnd)
        m_wnd->ModifyStyleEx(remove, add);
}

void CFrameWindowAdapter::SetWindowText(LPCTSTR text)
{
    if (m_wnd->m_hWnd)
        m_wnd->SetWindowText(text);
}

void CFrameWindowAdapter::GetWindowRect(RECT* rect) const
{
    *rect = {};
    if (m_wnd->m_hWnd)
        m_wnd->GetWindowRect(rect);
}

void CFrameWindowAdapter::GetClientRect(RECT* rect) const
{
    *rect = {};
    if (m_wnd->m_hWnd)
        m_wnd->GetClientRect(rect);
}

void CFrameWindowAdapter::SetWindowPos(int width, int height, UINT flags)
{
    if (m_wnd->m_hWnd)
        m_wnd->SetWindowPos(nullptr, 0, 0, width, height, flags);
}
