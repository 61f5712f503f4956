// Mouse and keyboard on a bar: hot tracking, presses and clicks, the keyboard's selection,
// mnemonics, and the edit boxes' keys.
#include "platform/toolkit/XTPCommandBar.h"
#include "platform/toolkit/XTPCommandBars.h"
#include "platform/toolkit/XTPControlComboBox.h"
#include "platform/toolkit/XTPPopupBar.h"
#include "platform/ui/Edit.h"

#include <cctype>
#include <cstdio>

namespace {

constexpr UINT_PTR kHotTimer = 1;

} // namespace

CString CXTPCommandBar::TipTextOf(const CXTPControl* control)
{
    CString text = control->GetTooltip();
    if (text.IsEmpty())
        text = control->GetCaption();
    text.Remove('&');
    return text;
}

BOOL CXTPCommandBar::PreTranslateMessage(MSG* msg)
{
    if (msg->message == WM_KEYDOWN)
        for (int i = 0; i < GetControlCount(); ++i)
            if (auto* edit = DYNAMIC_DOWNCAST(CXTPControlEdit, GetControl(i));
                edit && edit->GetEditCtrl() && edit->GetEditCtrl()->GetSafeHwnd() == msg->hwnd)
                return edit->OnEditKey(static_cast<UINT>(msg->wParam));
    if (m_toolTip.GetSafeHwnd() && msg->hwnd == m_hWnd && msg->message >= WM_MOUSEMOVE && msg->message <= WM_MBUTTONUP)
        m_toolTip.RelayEvent(msg);
    return CWnd::PreTranslateMessage(msg);
}

BOOL CXTPCommandBar::OnNotify(WPARAM wParam, LPARAM lParam, LRESULT* result)
{
    auto* info = reinterpret_cast<NMTTDISPINFO*>(lParam);
    if (info->hdr.code != TTN_GETDISPINFO || info->hdr.hwndFrom != m_toolTip.GetSafeHwnd())
        return CWnd::OnNotify(wParam, lParam, result);
    const CXTPControl* control = GetControl(static_cast<int>(info->hdr.idFrom) - 1);
    CString text = control ? TipTextOf(control) : CString();
    std::snprintf(info->szText, sizeof info->szText, "%s", static_cast<LPCTSTR>(text));
    info->lpszText = info->szText;
    if (result)
        *result = 0;
    return TRUE;
}

void CXTPCommandBar::SetSelected(int index)
{
    if (index == m_nSelected)
        return;
    if (CXTPControl* old = GetControl(m_nSelected))
        old->SetSelected(FALSE);
    m_nSelected = index;
    if (CXTPControl* now = GetControl(index))
        now->SetSelected(TRUE);
}

int CXTPCommandBar::FindNextVisible(int from, int step) const
{
    int count = GetControlCount();
    for (int n = 1; n <= count; ++n) {
        int index = ((from + step * n) % count + count) % count;
        CXTPControl* control = GetControl(index);
        if (control->IsVisible() && !control->GetRect().IsRectEmpty())
            return index;
    }
    return -1;
}

int CXTPCommandBar::FindMnemonic(char letter, int from) const
{
    int count = GetControlCount();
    char wanted = static_cast<char>(std::toupper(static_cast<unsigned char>(letter)));
    for (int n = 1; n <= count; ++n) {
        int index = (from + n) % count;
        CXTPControl* control = GetControl(index);
        CString caption = control->GetCaption();
        int amp = caption.Find('&');
        if (control->IsVisible() && amp >= 0 && amp + 1 < caption.GetLength() &&
            std::toupper(static_cast<unsigned char>(caption[amp + 1])) == wanted)
            return index;
    }
    return -1;
}

int CXTPCommandBar::HitTestControl(CPoint point) const
{
    for (int i = 0; i < GetControlCount(); ++i) {
        CXTPControl* control = GetControl(i);
        if (control->IsVisible() && control->GetRect().PtInRect(point))
            return i;
    }
    return -1;
}

CXTPControl* CXTPCommandBar::GetControlAt(CPoint point) const { return GetControl(HitTestControl(point)); }

void CXTPCommandBar::ActivateControl(int index, BOOL byKeyboard)
{
    CXTPControl* control = GetControl(index);
    if (!control || !control->GetEnabled())
        return;
    auto* popup = DYNAMIC_DOWNCAST(CXTPControlPopup, control);
    if (popup && popup->GetCommandBar() && popup->OpensOnWholeFace()) {
        if (popup->OpenPopup(byKeyboard) && byKeyboard && m_pCommandBars)
            m_pCommandBars->SetKeyboardBar(popup->GetCommandBar());
        return;
    }
    control->OnClick(control->GetRect().TopLeft());
}

BOOL CXTPCommandBar::OnKeyboardKey(UINT vk)
{
    BOOL horizontal = IsHorizontal();
    switch (vk) {
    case VK_LEFT:
    case VK_RIGHT:
        if (!horizontal)
            return FALSE;
        SetSelected(FindNextVisible(m_nSelected, vk == VK_RIGHT ? 1 : -1));
        return TRUE;
    case VK_UP:
    case VK_DOWN:
        if (horizontal)
            return FALSE;
        SetSelected(FindNextVisible(m_nSelected, vk == VK_DOWN ? 1 : -1));
        return TRUE;
    case VK_RETURN:
    case VK_SPACE: ActivateControl(m_nSelected, TRUE); return TRUE;
    default: return FALSE;
    }
}

void CXTPCommandBar::OnMouseMove(UINT, CPoint point)
{
    if (m_nPressed >= 0)
        return;
    int index = HitTestControl(point);
    BOOL popupOpen = m_pCommandBars && m_pCommandBars->GetOpenPopupCount() > 0;
    if (index < 0 && popupOpen)
        return;
    SetSelected(index);
    if (index >= 0)
        SetTimer(kHotTimer, 100);
    CXTPControl* control = GetControl(index);
    if (!popupOpen || !control || GetControl(index)->GetPressed())
        return;
    // Moving along a bar whose drop-down is open opens the neighbour's drop-down instead.
    auto* popup = DYNAMIC_DOWNCAST(CXTPControlPopup, control);
    if (popup && popup->GetCommandBar() && !IsKindOf(RUNTIME_CLASS(CXTPPopupBar))) {
        m_pCommandBars->ClosePopups();
        popup->OpenPopup(FALSE);
    }
}

void CXTPCommandBar::OnLButtonDown(UINT, CPoint point)
{
    if (m_rcExpand.PtInRect(point)) {
        if (m_pCommandBars)
            m_pCommandBars->CancelTracking();
        OpenExpandPopup();
        return;
    }
    int grip = GripperSize();
    if (grip && (IsHorizontal() ? point.x < 2 + grip : point.y < 2 + grip)) {
        OnGripperDrag(point);
        return;
    }
    int index = HitTestControl(point);
    CXTPControl* control = GetControl(index);
    if (!control || !control->GetEnabled())
        return;
    auto* popup = DYNAMIC_DOWNCAST(CXTPControlPopup, control);
    BOOL opensOnPress = popup && (popup->OpensOnWholeFace() || popup->GetSplitRect().PtInRect(point));
    if (opensOnPress) {
        control->OnClick(point);
        return;
    }
    m_nPressed = index;
    control->SetPressed(TRUE);
    SetCapture();
}

void CXTPCommandBar::OnLButtonUp(UINT, CPoint point)
{
    int pressed = m_nPressed;
    m_nPressed = -1;
    if (pressed < 0)
        return;
    ReleaseCapture();
    CXTPControl* control = GetControl(pressed);
    if (!control)
        return;
    control->SetPressed(FALSE);
    if (HitTestControl(point) == pressed)
        control->OnClick(point);
}

void CXTPCommandBar::OnTimer(UINT_PTR id)
{
    if (id != kHotTimer)
        return;
    CPoint cursor;
    ::GetCursorPos(&cursor);
    ScreenToClient(&cursor);
    CRect client;
    GetClientRect(&client);
    if (client.PtInRect(cursor))
        return;
    KillTimer(kHotTimer);
    BOOL tracking = m_pCommandBars && (m_pCommandBars->GetKeyboardBar() == this || m_pCommandBars->GetOpenPopupCount() > 0);
    if (!tracking)
        SetSelected(-1);
}

int CXTPCommandBar::OnMouseActivate(CWnd* desktop, UINT hitTest, UINT message)
{
    // Drop-downs never take the activation from the frame.
    return m_barPosition == BarPopup ? MA_NOACTIVATE : CWnd::OnMouseActivate(desktop, hitTest, message);
}

BEGIN_MESSAGE_MAP(CXTPCommandBar, CWnd)
    ON_WM_PAINT()
    ON_WM_ERASEBKGND()
    ON_WM_MOUSEMOVE()
    ON_WM_LBUTTONDOWN()
    ON_WM_LBUTTONUP()
    ON_WM_SIZE()
    ON_WM_TIMER()
    ON_WM_MOUSEACTIVATE()
END_MESSAGE_MAP()
