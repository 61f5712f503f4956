#include "shell/ColorTreeCtrl.h"

#include "platform/gdi/Dc.h"
#include "platform/gdi/GdiObject.h"
#include "platform/gdi/ImageList.h"
#include "platform/gdi/SysColors.h"
#include "platform/ui/UiApi.h"
#include "platform/ui/WindowDC.h"

BEGIN_MESSAGE_MAP(CColorTreeCtrl, CXTTreeCtrl)
    ON_WM_PAINT()
END_MESSAGE_MAP()

namespace {

constexpr COLORREF kNoColor = static_cast<COLORREF>(-1);

COLORREF OwnOr(LRESULT own, int systemColor)
{
    const auto color = static_cast<COLORREF>(own);
    return color == kNoColor ? ::GetSysColor(systemColor) : color;
}

} // namespace

void CColorTreeCtrl::OnPaint()
{
    CPaintDC paintDc(this);
    CRect client;
    GetClientRect(&client);
    CDC memory;
    CBitmap picture;
    memory.CreateCompatibleDC(&paintDc);
    picture.CreateCompatibleBitmap(&paintDc, client.Width(), client.Height());
    CBitmap* old = memory.SelectObject(&picture);
    memory.FillSolidRect(&client, GetBackColor());
    DrawItems(&memory, client);
    paintDc.BitBlt(0, 0, client.Width(), client.Height(), &memory, 0, 0, SRCCOPY);
    memory.SelectObject(old);
}

COLORREF CColorTreeCtrl::GetBackColor() const
{
    const LRESULT own = ::SendMessage(m_hWnd, TVM_GETBKCOLOR, 0, 0);
    return OwnOr(own, IsWindowEnabled() ? COLOR_WINDOW : COLOR_3DFACE);
}

COLORREF CColorTreeCtrl::NormalTextColor() const
{
    const LRESULT own = ::SendMessage(m_hWnd, TVM_GETTEXTCOLOR, 0, 0);
    return OwnOr(own, IsWindowEnabled() ? COLOR_WINDOWTEXT : COLOR_GRAYTEXT);
}

void CColorTreeCtrl::DrawItems(CDC* dc, const CRect& client)
{
    DefWindowProc(WM_PAINT, reinterpret_cast<WPARAM>(dc->m_hDC), 0);
    const int saved = dc->SaveDC();
    const BOOL focus = ::GetFocus() == m_hWnd;
    HTREEITEM item = GetFirstVisibleItem();
    for (UINT i = 0; item && i <= GetVisibleCount(); ++i, item = GetNextVisibleItem(item)) {
        CRect rect;
        if (GetItemRect(item, &rect, TRUE) && rect.top < client.bottom)
            DrawItem(dc, item, focus);
    }
    dc->RestoreDC(saved);
}

// The item's row counts from its icon (and check box) on, as the mouse sees it.
BOOL CColorTreeCtrl::IsHot(const CRect& textRect) const
{
    if (!(GetStyle() & TVS_TRACKSELECT))
        return FALSE;
    CRect hotRect = textRect;
    int width = 0, height = 0;
    if (CImageList* images = GetImageList(TVSIL_NORMAL); images && ImageList_GetIconSize(*images, &width, &height))
        hotRect.left -= width + 3;
    if (GetStyle() & TVS_CHECKBOXES)
        hotRect.left -= 16;
    POINT cursor;
    ::GetCursorPos(&cursor);
    ScreenToClient(&cursor);
    return hotRect.PtInRect(cursor);
}

CColorTreeCtrl::ItemColors CColorTreeCtrl::ColorsOf(HTREEITEM item, UINT state, BOOL focus) const
{
    if (state & (TVIS_SELECTED | TVIS_DROPHILITED))
        return focus ? ItemColors{::GetSysColor(COLOR_HIGHLIGHTTEXT), ::GetSysColor(COLOR_HIGHLIGHT)}
                     : ItemColors{::GetSysColor(COLOR_BTNTEXT), ::GetSysColor(COLOR_3DFACE)};
    const COLORREF own = GetItemColor(item);
    return {own != kNoColor ? own : NormalTextColor(), GetBackColor()};
}

HFONT CColorTreeCtrl::CreateItemFont(HTREEITEM item, BOOL hot) const
{
    LOGFONT font{};
    if (!GetItemFont(item, &font)) {
        auto treeFont = reinterpret_cast<HGDIOBJ>(::SendMessage(m_hWnd, WM_GETFONT, 0, 0));
        if (!treeFont)
            treeFont = ::GetStockObject(DEFAULT_GUI_FONT);
        ::GetObject(treeFont, sizeof font, &font);
    }
    if (GetItemBold(item))
        font.lfWeight = FW_BOLD;
    if (hot)
        font.lfUnderline = TRUE;
    return ::CreateFontIndirect(&font);
}

void CColorTreeCtrl::DrawItem(CDC* dc, HTREEITEM item, BOOL focus)
{
    CRect rect;
    GetItemRect(item, &rect, TRUE);
    dc->FillSolidRect(&rect, GetBackColor());
    const UINT state = GetItemState(item, TVIS_SELECTED | TVIS_DROPHILITED);
    const ItemColors colors = ColorsOf(item, state, focus);
    HFONT font = CreateItemFont(item, IsHot(rect));
    HGDIOBJ oldFont = dc->SelectObject(font);
    const CString text = GetItemText(item);
    const int width = dc->GetTextExtent(text).cx;
    if (rect.Width() < width)
        rect.right = rect.left + width + 2;
    dc->SetTextColor(colors.text);
    dc->SetBkColor(colors.back);
    dc->SetBkMode(TRANSPARENT);
    if (state & TVIS_SELECTED)
        dc->FillSolidRect(&rect, colors.back);
    CRect textRect = rect;
    textRect.left += 2;
    dc->DrawText(text, &textRect, DT_SINGLELINE | DT_VCENTER | DT_NOPREFIX);
    // The caret item carries the focus while the tree has it.
    if (focus && item == GetSelectedItem() && !GetEditControl()) {
        dc->SetTextColor(NormalTextColor());
        dc->DrawFocusRect(&rect);
    }
    dc->SelectObject(oldFont);
    ::DeleteObject(font);
}
