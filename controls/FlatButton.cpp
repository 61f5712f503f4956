#include "controls/FlatButton.h"

#include "platform/gdi/Icon.h"
#include "platform/ui/Resources.h"

namespace {

// At the icon file's default size; the button draws it at the size it was given.
HICON loadIcon(UINT id)
{
    const std::vector<BYTE>* file = FindBinaryResource(ResourceKind::Icon, id);
    return file ? CreateIconFromFileData(file->data(), file->size(), 0, 0) : nullptr;
}

} // namespace

BEGIN_MESSAGE_MAP(CFlatButton, CButton)
    ON_WM_MOUSEMOVE()
    ON_WM_KILLFOCUS()
END_MESSAGE_MAP()

CFlatButton::CFlatButton()
    : m_normalBack(::GetSysColor(COLOR_BTNFACE)), m_normalText(::GetSysColor(COLOR_BTNTEXT)),
      m_hoverBack(::GetSysColor(COLOR_BTNFACE)), m_hoverText(::GetSysColor(COLOR_BTNTEXT))
{
}

BOOL CFlatButton::SetIcon(UINT iconId, UINT hoverIconId, BYTE width, BYTE height)
{
    m_iconWidth = width;
    m_iconHeight = height;
    m_iconNormal = loadIcon(iconId);
    m_iconHover = hoverIconId ? loadIcon(hoverIconId) : m_iconNormal;
    Repaint(TRUE);
    return m_iconNormal && m_iconHover;
}

void CFlatButton::Repaint(BOOL repaint)
{
    if (repaint && m_hWnd)
        Invalidate();
}

void CFlatButton::ResetNormalBackground(BOOL repaint)
{
    m_normalBack = ::GetSysColor(COLOR_BTNFACE);
    Repaint(repaint);
}

void CFlatButton::ResetNormalText(BOOL repaint)
{
    m_normalText = ::GetSysColor(COLOR_BTNTEXT);
    Repaint(repaint);
}

void CFlatButton::ResetHoverBackground(BOOL repaint)
{
    m_hoverBack = ::GetSysColor(COLOR_BTNFACE);
    Repaint(repaint);
}

void CFlatButton::ResetHoverText(BOOL repaint)
{
    m_hoverText = ::GetSysColor(COLOR_BTNTEXT);
    Repaint(repaint);
}

void CFlatButton::PreSubclassWindow()
{
    CButton::PreSubclassWindow();
    SendMessage(BM_SETSTYLE, (GetStyle() & 0xF0) | BS_OWNERDRAW, TRUE);
    Invalidate();
}

void CFlatButton::OnMouseMove(UINT flags, CPoint point)
{
    CButton::OnMouseMove(flags, point);
    if (!m_tracking || ((flags & MK_LBUTTON) && !m_mouseOver))
        return;
    CRect client;
    GetClientRect(&client);
    if (GetCapture() != this) {
        CWnd* owner = GetOwner() ? GetOwner() : GetParent();
        if (GetActiveWindow() && owner) {
            m_mouseOver = TRUE;
            SetCapture();
            Invalidate();
        }
    } else if (!client.PtInRect(point)) {
        m_mouseOver = FALSE;
        Invalidate();
        if (!(flags & MK_LBUTTON))
            ReleaseCapture();
    }
}

void CFlatButton::OnKillFocus(CWnd* next)
{
    CButton::OnKillFocus(next);
    m_mouseOver = FALSE;
    Invalidate();
}
