#include "shell/TipWnd.h"

#include "platform/gdi/Dc.h"
#include "platform/gdi/GdiObject.h"
#include "platform/gdi/SysColors.h"
#include "platform/ui/WindowDC.h"

#include <algorithm>

BEGIN_MESSAGE_MAP(CTipWnd, CWnd)
    ON_WM_PAINT()
    ON_WM_GETMINMAXINFO()
END_MESSAGE_MAP()

namespace {

// Shared by every tip of the program, made at first use and released once at exit.
struct TipResources {
    CString className;
    HBRUSH brush = nullptr;
    HFONT font = nullptr;
    ~TipResources()
    {
        if (font)
            ::DeleteObject(font);
        if (brush)
            ::DeleteObject(brush);
    }
};

TipResources& Shared()
{
    static TipResources resources;
    return resources;
}

constexpr BYTE kStrokeClipWithLeftHandAngles = 0x12;

HFONT MakeTipFont(CDC& dc)
{
    LOGFONT font{};
    font.lfHeight = MulDiv(CTipWnd::kFontPoints, dc.GetDeviceCaps(LOGPIXELSY), 72);
    font.lfCharSet = ANSI_CHARSET;
    font.lfClipPrecision = kStrokeClipWithLeftHandAngles;
    font.lfPitchAndFamily = FF_SWISS;
    return ::CreateFontIndirect(&font);
}

} // namespace

BOOL CTipWnd::Show(CWnd* parent, int x, int y, int width, int height, LPCTSTR text)
{
    if (!m_hWnd && !Create(parent))
        return FALSE;
    Place(parent, x, y, width, height, text);
    return TRUE;
}

BOOL CTipWnd::Create(CWnd* parent)
{
    TipResources& shared = Shared();
    if (shared.className.IsEmpty()) {
        shared.className = AfxRegisterWndClass(CS_SAVEBITS | CS_HREDRAW | CS_VREDRAW, nullptr, nullptr, nullptr);
        if (shared.className.IsEmpty())
            return FALSE;
        shared.brush = ::CreateSolidBrush(::GetSysColor(COLOR_INFOBK));
    }
    if (!CreateEx(0, shared.className, "", WS_POPUP | WS_BORDER, 0, 0, 0, 0, parent ? parent->m_hWnd : nullptr,
                  nullptr))
        return FALSE;
    if (!shared.font) {
        CClientDC dc(this);
        shared.font = MakeTipFont(dc);
    }
    m_hFont = shared.font;
    if (!m_hFont) {
        DestroyWindow();
        return FALSE;
    }
    return TRUE;
}

void CTipWnd::Place(CWnd* parent, int x, int y, int width, int height, LPCTSTR text)
{
    CSize extent;
    {
        CClientDC dc(this);
        HGDIOBJ old = dc.SelectObject(m_hFont);
        extent = dc.GetTextExtent(CString(text));
        dc.SelectObject(old);
    }
    const int tipWidth = extent.cx + 6, tipHeight = extent.cy + 4;
    CPoint corner(x - tipWidth / 2, y + std::max(width, height) / 2 + 5);
    if (parent) {
        CRect client;
        parent->GetClientRect(&client);
        corner.y = std::min<int>(corner.y, client.Height() + 2);
        parent->ClientToScreen(&corner);
    }
    corner.x = std::min(corner.x, ::GetSystemMetrics(SM_CXSCREEN) - tipWidth);
    corner.y = std::min(corner.y, ::GetSystemMetrics(SM_CYSCREEN) - tipHeight);
    SetWindowText(text);
    SetWindowPos(nullptr, corner.x, corner.y, tipWidth, tipHeight, SWP_NOZORDER | SWP_SHOWWINDOW | SWP_NOACTIVATE);
    Invalidate();
    UpdateWindow();
}

void CTipWnd::OnPaint()
{
    CPaintDC dc(this);
    CRect client;
    GetClientRect(&client);
    ::FillRect(dc.m_hDC, &client, Shared().brush);
    CString text;
    GetWindowText(text);
    HGDIOBJ old = dc.SelectObject(m_hFont);
    dc.SetBkMode(TRANSPARENT);
    dc.SetTextColor(::GetSysColor(COLOR_INFOTEXT));
    dc.DrawText(text, &client, DT_CENTER | DT_NOCLIP);
    dc.SelectObject(old);
}

// A tip is as small as its text, not as small as a captioned window may get.
void CTipWnd::OnGetMinMaxInfo(MINMAXINFO* info) { info->ptMinTrackSize = {1, 1}; }
