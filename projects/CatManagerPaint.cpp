// The header bars of the open catalogues, the window between them, and the mouse on them.
#include "projects/CatManager.h"

#include "projects/CatWnd.h"
#include "projects/Catalogue.h"
#include "platform/gdi/Dc.h"
#include "platform/gdi/Icon.h"
#include "platform/gdi/SysColors.h"
#include "platform/ui/Menu.h"
#include "platform/ui/CmdUI.h"
#include "platform/ui/UiApi.h"
#include "platform/ui/WinApp.h"

namespace {

constexpr int kNameMargin = 40;

// The name cut to fit: the first characters that fit followed by "...".
CString FittedName(CDC* dc, const CString& name, int width)
{
    if (name.GetLength() <= 1)
        return name;
    for (int n = 1; n < name.GetLength(); ++n)
        if (dc->GetTextExtent(name.Left(n)).cx > width - kNameMargin)
            return name.Left(n - 1) + "...";
    return name;
}

void DrawSmallIcon(CDC* dc, HICON icon, int x, int y)
{
    if (icon)
        DrawIconEx(dc->GetSafeHdc(), x, y, icon, 16, 16, 0, nullptr, DI_NORMAL);
}

} // namespace

void CCatManager::LayoutWindow()
{
    if (!m_hWnd || !m_window || !m_window->m_hWnd)
        return;
    CRect client;
    GetClientRect(&client);
    const int freeSpace = std::max(0, client.Height() - m_headerHeight * GetCount());
    const int top = client.top + m_headerHeight * (m_active + 1);
    const CRect rect(client.left, top, client.right, top + (GetCount() ? freeSpace : 0));
    if (rect != m_windowRect || !GetCount()) {
        m_windowRect = rect;
        m_window->MoveWindow(&m_windowRect, TRUE);
    }
}

void CCatManager::OnSize(UINT type, int cx, int cy)
{
    CWnd::OnSize(type, cx, cy);
    LayoutWindow();
    Invalidate();
}

void CCatManager::OnPaint()
{
    CPaintDC dc(this);
    LayoutWindow();
    CRect client;
    GetClientRect(&client);
    int y = client.top;
    for (int i = 0; i < GetCount(); ++i) {
        DrawHeader(&dc, client.left, y, client.right, y + m_headerHeight, i);
        y += m_headerHeight + (i == m_active ? m_windowRect.Height() : 0);
    }
}

void CCatManager::DrawHeader(CDC* dc, int left, int top, int right, int bottom, int index)
{
    const int width = right - left, height = bottom - top;
    if (width <= 0 || height <= 0)
        return;
    CDC memory;
    memory.CreateCompatibleDC(dc);
    CBitmap bitmap;
    bitmap.CreateCompatibleBitmap(dc, width, height);
    CBitmap* oldBitmap = memory.SelectObject(&bitmap);
    const CRect box(0, 0, width, height);
    memory.FillSolidRect(&box, GetSysColor(COLOR_BTNFACE));
    const COLORREF shadow = GetSysColor(COLOR_BTNSHADOW), light = GetSysColor(COLOR_BTNHIGHLIGHT);
    if (m_pressed && index == m_hot)
        memory.Draw3dRect(&box, shadow, light);
    else if (index == m_active || index == m_hot)
        memory.Draw3dRect(&box, light, shadow);
    const CCatalogue* catalogue = GetCatalogue(index);
    const int iconY = (m_headerHeight - 15) / 2;
    if (m_settings->m_headerIconId) {
        HICON icon = catalogue->GetIcon();
        if (!icon)
            icon = ::LoadIcon(AfxGetResourceHandle(), MAKEINTRESOURCE(m_settings->m_headerIconId));
        DrawSmallIcon(&memory, icon, 1, iconY);
        DestroyIcon(icon);
    }
    if (width >= 32) {
        const UINT stateIcon = catalogue->IsReadOnly()    ? m_settings->m_readOnlyIconId
                               : catalogue->IsProtected() ? m_settings->m_protectedIconId
                                                          : 0;
        HICON icon = stateIcon ? ::LoadIcon(AfxGetResourceHandle(), MAKEINTRESOURCE(stateIcon)) : nullptr;
        DrawSmallIcon(&memory, icon, catalogue->IsReadOnly() ? width - 16 : width - 15, iconY);
        DestroyIcon(icon);
    }
    if (width >= 41) {
        CFont* oldFont = memory.SelectObject(&m_headerFont);
        memory.SetBkMode(TRANSPARENT);
        memory.SetTextColor(GetSysColor(COLOR_BTNTEXT));
        const CString name = FittedName(&memory, catalogue->GetName(), width);
        memory.TextOut((width - memory.GetTextExtent(name).cx) / 2, 2, name);
        memory.SelectObject(oldFont);
    }
    dc->BitBlt(left, top, width, height, &memory, 0, 0, SRCCOPY);
    memory.SelectObject(oldBitmap);
}

int CCatManager::HitTestHeader(int x, int y) const
{
    CRect client;
    GetClientRect(&client);
    const CPoint point(x, y);
    if (m_windowRect.PtInRect(point) || !client.PtInRect(point) || m_headerHeight <= 0)
        return -1;
    if (y >= m_windowRect.bottom)
        y -= m_windowRect.Height();
    const int index = y / m_headerHeight;
    return index < GetCount() ? index : -1;
}

void CCatManager::OnMouseMove(UINT, CPoint point)
{
    const int hot = HitTestHeader(point.x, point.y);
    if (hot != m_hot && !m_menuOpen) {
        m_hot = hot;
        Invalidate();
    }
}

void CCatManager::OnLButtonDown(UINT, CPoint point)
{
    m_pressed = TRUE;
    m_hot = HitTestHeader(point.x, point.y);
    Invalidate();
}

void CCatManager::OnLButtonUp(UINT, CPoint)
{
    m_pressed = FALSE;
    if (m_hot >= 0)
        Activate(m_hot);
    Invalidate();
}

void CCatManager::OnRButtonDown(UINT flags, CPoint point)
{
    OnLButtonDown(flags, point);
    CMenu menu;
    CMenu* popup = menu.LoadMenu(m_settings->m_catalogueMenuId) ? menu.GetSubMenu(0) : nullptr;
    if (popup) {
        CPoint screen;
        ::GetCursorPos(&screen);
        m_menuOpen = TRUE;
        popup->TrackPopupMenu(TPM_RIGHTBUTTON, screen.x, screen.y, this);
    }
    m_menuOpen = FALSE;
    m_pressed = FALSE;
    Invalidate();
}

void CCatManager::CheckHot()
{
    if (m_hot == -1 && !m_pressed)
        return;
    CPoint cursor;
    ::GetCursorPos(&cursor);
    ScreenToClient(&cursor);
    if (HitTestHeader(cursor.x, cursor.y) < 0 && !m_menuOpen) {
        m_hot = -1;
        m_pressed = FALSE;
        Invalidate();
    }
}

void CCatManager::OnInitMenuPopup(CMenu* popup, UINT, BOOL sysMenu)
{
    if (sysMenu || !popup)
        return;
    CCmdUI state;
    state.m_pMenu = popup;
    state.m_nIndexMax = static_cast<UINT>(popup->GetMenuItemCount());
    for (state.m_nIndex = 0; state.m_nIndex < state.m_nIndexMax; ++state.m_nIndex) {
        state.m_nID = popup->GetMenuItemID(static_cast<int>(state.m_nIndex));
        if (state.m_nID == 0 || state.m_nID == UINT(-1))
            continue;
        state.DoUpdate(this, state.m_nID < 0xF000);
    }
}
