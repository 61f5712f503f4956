#include "spell/WebLink.h"

#include "platform/gdi/Dc.h"
#include "platform/sys/Shell.h"
#include "platform/ui/UiApi.h"

#include <cstring>

namespace {

bool isWebAddress(const std::string& target)
{
    std::string scheme = AddressScheme(target.c_str());
    return scheme == "http" || scheme == "https";
}

} // namespace

BEGIN_MESSAGE_MAP(TWebLink, CStatic)
ON_WM_PAINT()
ON_WM_LBUTTONUP()
ON_WM_KEYDOWN()
ON_WM_MOUSEMOVE()
ON_WM_SETFOCUS()
ON_WM_KILLFOCUS()
ON_WM_SETCURSOR()
END_MESSAGE_MAP()

BOOL TWebLink::Attach(CWnd* parent, int id, const std::string& text, const std::string& target)
{
    if (!SubclassDlgItem(static_cast<UINT>(id), parent))
        return FALSE;
    LOGFONT font {};
    font.lfHeight = -12;
    font.lfWeight = 400;
    font.lfUnderline = 1;
    std::strcpy(font.lfFaceName, "Sans");
    m_font.CreateFontIndirect(&font);
    SetWindowText(text.c_str());
    m_tip.Create(this);
    m_tip.AddTool(this, target.c_str());
    SetTarget(target);
    return TRUE;
}

void TWebLink::SetTarget(const std::string& target)
{
    m_target = target;
    m_tip.UpdateTipText(target.c_str(), this);
    sizeToText();
}

std::string TWebLink::GetToolTipText() const
{
    CString text;
    m_tip.GetText(text, const_cast<TWebLink*>(this));
    return text.GetString();
}

BOOL TWebLink::PreTranslateMessage(MSG* msg)
{
    if (m_tip.GetSafeHwnd())
        m_tip.RelayEvent(msg);
    return CStatic::PreTranslateMessage(msg);
}

COLORREF TWebLink::TextColour() const
{
    if (m_hover)
        return kHover;
    if (m_focused)
        return kFocused;
    return m_visited ? kVisited : kNormal;
}

bool TWebLink::Open()
{
    bool opened = isWebAddress(m_target)
        && reinterpret_cast<intptr_t>(
               ShellExecute(m_hWnd, "open", m_target.c_str(), nullptr, nullptr, SW_SHOWNORMAL))
            > 32;
    if (!opened) {
        ::MessageBeep(0);
        return false;
    }
    m_visited = true;
    Invalidate();
    return true;
}

// The window grows or shrinks around the text, keeping its frame.
void TWebLink::sizeToText()
{
    CString text;
    GetWindowText(text);
    CClientDC dc(this);
    CFont* previous = dc.SelectObject(&m_font);
    CSize extent = dc.GetTextExtent(text);
    dc.SelectObject(previous);
    CRect window;
    CRect client;
    GetWindowRect(&window);
    GetClientRect(&client);
    SetWindowPos(nullptr, 0, 0, extent.cx + window.Width() - client.Width(),
        extent.cy + window.Height() - client.Height(), SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
}

void TWebLink::OnPaint()
{
    CPaintDC dc(this);
    CString text;
    GetWindowText(text);
    CFont* previous = dc.SelectObject(&m_font);
    dc.SetBkMode(TRANSPARENT);
    dc.SetTextColor(TextColour());
    dc.TextOut(0, 0, text);
    dc.SelectObject(previous);
}

void TWebLink::OnLButtonUp(UINT, CPoint)
{
    Open();
}

void TWebLink::OnKeyDown(UINT, UINT, UINT)
{
    Open();
}

// The label holds the mouse while the cursor is over it, to see it leave.
void TWebLink::OnMouseMove(UINT, CPoint point)
{
    CRect client;
    GetClientRect(&client);
    bool inside = client.PtInRect(point) != FALSE;
    if (inside == m_hover)
        return;
    m_hover = inside;
    if (inside)
        SetCapture();
    else
        ::ReleaseCapture();
    Invalidate();
}

void TWebLink::OnSetFocus(CWnd*)
{
    m_focused = true;
    Invalidate();
}

void TWebLink::OnKillFocus(CWnd*)
{
    m_focused = false;
    Invalidate();
}

BOOL TWebLink::OnSetCursor(CWnd*, UINT, UINT)
{
    ::SetCursor(::LoadCursor(nullptr, IDC_HAND));
    return TRUE;
}
