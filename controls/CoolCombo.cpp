#include "controls/CoolCombo.h"

#include "platform/gdi/Icon.h"
#include "platform/ui/Resources.h"
#include "platform/ui/WinApp.h"

#include <algorithm>

IMPLEMENT_DYNCREATE(CCoolCombo, CStatic)

BEGIN_MESSAGE_MAP(CCoolCombo, CStatic)
    ON_WM_CREATE()
    ON_WM_SIZE()
    ON_WM_LBUTTONDOWN()
    ON_WM_MOUSEMOVE()
    ON_WM_LBUTTONUP()
    ON_WM_DESTROY()
END_MESSAGE_MAP()

namespace {

// A strip bitmap cut into images of the given width.
BOOL loadStrip(CImageList& list, UINT bitmapId, int imageWidth, COLORREF mask, CSize& size)
{
    CBitmap strip;
    HBITMAP loaded = LoadBitmapResource(bitmapId);
    if (!loaded || imageWidth <= 0 || !strip.Attach(loaded))
        return FALSE;
    BITMAP info{};
    strip.GetBitmap(&info);
    list.DeleteImageList();
    if (!list.Create(imageWidth, info.bmHeight, ILC_COLOR24 | ILC_MASK, 0, 1) || list.Add(&strip, mask) < 0)
        return FALSE;
    size = CSize(imageWidth, info.bmHeight);
    return TRUE;
}

} // namespace

CCoolCombo::~CCoolCombo()
{
    ClosePopup();
}

void CCoolCombo::Redraw()
{
    if (m_hWnd)
        RedrawWindow(nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW);
}

void CCoolCombo::SetCurSel(int value)
{
    if (value == m_selection)
        return;
    m_selection = value;
    Redraw();
    if (m_popup)
        m_popup->SetSelected(value);
}

void CCoolCombo::SetFlat(BOOL flat)
{
    m_flat = flat;
    Redraw();
}

BOOL CCoolCombo::SetImageList(UINT bitmapId, int imageWidth, COLORREF mask)
{
    if (!loadStrip(m_items, bitmapId, imageWidth, mask, m_itemSize))
        return FALSE;
    m_count = m_items.GetImageCount();
    return TRUE;
}

BOOL CCoolCombo::SetButtonImage(UINT bitmapId, int imageWidth, int index, COLORREF mask)
{
    CImageList strip;
    CSize size;
    if (!loadStrip(strip, bitmapId, imageWidth, mask, size) || index < 0 || index >= strip.GetImageCount())
        return FALSE;
    m_buttonImage.DeleteImageList();
    m_buttonImage.Create(size.cx, size.cy, ILC_COLOR24 | ILC_MASK, 1, 0);
    HICON icon = strip.ExtractIcon(index);
    m_buttonImage.Add(icon);
    ::DestroyIcon(icon);
    m_buttonSize = size;
    return TRUE;
}

void CCoolCombo::ComputeRects()
{
    CRect client;
    GetClientRect(&client);
    const int h = client.Height(), w = client.Width();
    const int arrow = m_joinedArrow ? h - 1 : std::min((2 * h - 4) / 3, (w - 2) / 3);
    m_arrowRect = CRect(client.right - arrow, client.top, client.right, client.bottom);
    m_mainRect = CRect(client.left, client.top, m_arrowRect.left, client.bottom);
}

void CCoolCombo::PreSubclassWindow()
{
    CStatic::PreSubclassWindow();
    ModifyStyle(0, SS_OWNERDRAW | SS_NOTIFY);
    ComputeRects();
}

int CCoolCombo::OnCreate(LPCREATESTRUCT cs)
{
    if (CStatic::OnCreate(cs) == -1)
        return -1;
    ComputeRects();
    return 0;
}

// A button that a resizable dialog stretches keeps its arrow at the right end.
void CCoolCombo::OnSize(UINT type, int cx, int cy)
{
    CStatic::OnSize(type, cx, cy);
    ComputeRects();
}

void CCoolCombo::OnLButtonDown(UINT, CPoint point)
{
    if (!IsWindowEnabled())
        return;
    if (m_popup && m_arrowRect.PtInRect(point)) {
        m_closeOnButtonUp = TRUE;
        return;
    }
    if (m_mainRect.PtInRect(point)) {
        m_mainPressed = m_pressedInside = TRUE;
        Redraw();
    } else if (m_arrowRect.PtInRect(point)) {
        ReleaseCapture();
        m_dropped = m_hot = TRUE;
        Redraw();
        OpenPopup();
    }
}

void CCoolCombo::OnMouseMove(UINT, CPoint point)
{
    if (!IsWindowEnabled())
        return;
    if (m_mainPressed) {
        const BOOL inside = m_mainRect.PtInRect(point);
        if (inside != m_pressedInside) {
            m_pressedInside = inside;
            Redraw();
        }
        return;
    }
    CRect client;
    GetClientRect(&client);
    if (!m_hot && client.PtInRect(point)) {
        m_hot = TRUE;
        SetCapture();
        if (m_flat)
            Redraw();
    } else if (m_hot && !client.PtInRect(point)) {
        m_hot = FALSE;
        ReleaseCapture();
        if (m_flat)
            Redraw();
    }
}

void CCoolCombo::OnLButtonUp(UINT, CPoint point)
{
    if (!IsWindowEnabled())
        return;
    if (m_closeOnButtonUp) {
        ClosePopup();
        m_closeOnButtonUp = FALSE;
    }
    const bool click = m_mainPressed && m_mainRect.PtInRect(point);
    m_mainPressed = m_pressedInside = m_hot = FALSE;
    if (GetCapture() == this)
        ReleaseCapture();
    if (click)
        OnButtonClick();
    Redraw();
    if (m_popup)
        m_popup->SetCapture();
}

CCoolComboPopup::Content CCoolCombo::PopupContent()
{
    CCoolComboPopup::Content content;
    content.count = m_count;
    content.selected = m_selection;
    content.columns = m_columns;
    content.tearOff = m_tearOff;
    content.extraText = m_extraText.IsEmpty() ? nullptr : static_cast<LPCTSTR>(m_extraText);
    content.textEntries = m_textEntries.GetSize() ? &m_textEntries : nullptr;
    content.images = m_items.GetSafeHandle() ? &m_items : nullptr;
    content.title = m_title.IsEmpty() ? nullptr : static_cast<LPCTSTR>(m_title);
    content.commands = m_commands.empty() ? nullptr : m_commands.data();
    content.commandCount = static_cast<int>(m_commands.size());
    return content;
}

void CCoolCombo::OpenPopup()
{
    if (m_popup) {
        ClosePopup();
        return;
    }
    CRect r;
    GetWindowRect(&r);
    m_popup = new CCoolComboPopup;
    if (!m_popup->Create(CPoint(r.left, r.bottom), this, 1, PopupContent())) {
        delete m_popup;
        m_popup = nullptr;
    }
}

void CCoolCombo::ClosePopup()
{
    if (m_popup && m_popup->GetSafeHwnd())
        m_popup->DestroyWindow();
}

// The popup goes first, while it can still tell this window.
void CCoolCombo::OnDestroy()
{
    ClosePopup();
    m_popup = nullptr;
    CStatic::OnDestroy();
}

bool CCoolCombo::CurrentCommandEnabled() const
{
    if (m_commands.empty())
        return IsWindowEnabled();
    return m_currentCommand >= 0 && static_cast<size_t>(m_currentCommand) < m_commands.size() &&
           IsCommandEnabled(AfxGetMainWnd(), m_commands[static_cast<size_t>(m_currentCommand)]);
}

// Without commands the main part steps the selection: ..., the last cell, the extra entry, 0.
void CCoolCombo::OnButtonClick()
{
    if (!m_commands.empty()) {
        if (CurrentCommandEnabled())
            SendCoolComboNotify(this, this, 1, CCN_SELECT, static_cast<DWORD>(m_currentCommand));
        return;
    }
    if (m_selection == CC_EXTRA || (m_selection == m_count - 1 && m_extraText.IsEmpty()))
        SendCoolComboNotify(this, this, 1, CCN_SELECT, 0);
    else if (m_selection >= 0 && m_selection < m_count - 1)
        SendCoolComboNotify(this, this, 1, CCN_SELECT, static_cast<DWORD>(m_selection + 1));
    else if (m_selection == m_count - 1)
        SendCoolComboNotify(this, this, 1, CCN_EXTRA, 0);
}
