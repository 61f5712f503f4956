#include "platform/ui/HelpWindow.h"

#include "platform/core/FilePath.h"
#include "platform/gdi/Dib.h"
#include "platform/ui/HelpPages.h"
#include "platform/ui/LanguageTexts.h"
#include "platform/ui/WebAddress.h"
#include "platform/ui/WindowDC.h"

#include <algorithm>

namespace {

constexpr UINT kBackId = 100;
constexpr UINT kForwardId = 101;
// The row of buttons above the page.
constexpr int kBarHeight = 30;
constexpr int kLine = 40;

CHelpWindow* current = nullptr;

} // namespace

BEGIN_MESSAGE_MAP(CHelpWindow, CWnd)
    ON_WM_PAINT()
    ON_WM_ERASEBKGND()
    ON_WM_SIZE()
    ON_WM_LBUTTONUP()
    ON_WM_MOUSEWHEEL()
    ON_WM_VSCROLL()
    ON_WM_SETCURSOR()
    ON_WM_KEYDOWN()
    ON_BN_CLICKED(kBackId, GoBack)
    ON_BN_CLICKED(kForwardId, GoForward)
END_MESSAGE_MAP()

CHelpWindow::CHelpWindow() : m_pages(std::make_unique<HelpPages>()) { }

CHelpWindow::~CHelpWindow()
{
    if (current == this)
        current = nullptr;
}

CHelpWindow* CHelpWindow::Current() { return current; }

CHelpWindow* CHelpWindow::ShowPage(CWnd* owner, const CString& page)
{
    const bool made = current == nullptr;
    if (made) {
        auto* window = new CHelpWindow;
        if (!window->Make(owner)) {
            delete window;
            return nullptr;
        }
        current = window;
    }
    CHelpWindow* window = current;
    if (!window->Open(SystemPathFromName(page))) {
        if (made)
            window->DestroyWindow();
        return nullptr;
    }
    window->ShowWindow(window->IsIconic() ? SW_RESTORE : SW_SHOW);
    window->SetForegroundWindow();
    return window;
}

// Beside the owner's top left corner, two thirds of its size, never smaller than a page needs.
BOOL CHelpWindow::Make(CWnd* owner)
{
    CRect place(40, 40, 760, 640);
    if (owner && owner->m_hWnd) {
        CRect outer;
        owner->GetWindowRect(&outer);
        place = CRect(outer.left + 40, outer.top + 40, outer.left + 40 + std::max(520, outer.Width() * 2 / 3),
                      outer.top + 40 + std::max(420, outer.Height() * 2 / 3));
    }
    const DWORD style = WS_POPUP | WS_CAPTION | WS_SYSMENU | WS_THICKFRAME | WS_MINIMIZEBOX | WS_MAXIMIZEBOX | WS_VSCROLL;
    if (!CreateEx(0, AfxRegisterWndClass(CS_DBLCLKS, ::LoadCursor(nullptr, IDC_ARROW)), "Help", style, place.left,
                  place.top, place.Width(), place.Height(), owner ? owner->GetSafeHwnd() : nullptr, nullptr))
        return FALSE;
    m_back.Create("Back", WS_CHILD | WS_VISIBLE | BS_PUSHBUTTON, CRect(6, 4, 96, 26), this, kBackId);
    m_forward.Create("Forward", WS_CHILD | WS_VISIBLE | BS_PUSHBUTTON, CRect(102, 4, 192, 26), this, kForwardId);
    Parlex_SetAllTexts(m_hWnd);
    return TRUE;
}

BOOL CHelpWindow::Open(const std::string& page)
{
    if (!m_pages->Open(page))
        return FALSE;
    Shown();
    return TRUE;
}

void CHelpWindow::Follow(const std::string& address)
{
    if (HelpPages::IsLocal(address))
        Open(address);
    else
        OpenWebAddress(CStringFromUtf8(address));
}

void CHelpWindow::GoBack()
{
    if (m_pages->Back())
        Shown();
}

void CHelpWindow::GoForward()
{
    if (m_pages->Forward())
        Shown();
}

void CHelpWindow::Shown()
{
    SetWindowText(CStringFromUtf8(m_pages->Title()));
    m_back.EnableWindow(m_pages->CanGoBack());
    m_forward.EnableWindow(m_pages->CanGoForward());
    m_top = 0;
    ScrollTo(0);
}

CRect CHelpWindow::PageArea() const
{
    CRect client;
    GetClientRect(&client);
    client.top = std::min<LONG>(client.bottom, kBarHeight);
    return client;
}

void CHelpWindow::ScrollTo(int top)
{
    const CRect area = PageArea();
    const int height = m_pages->Height(area.Width());
    m_top = std::clamp(top, 0, std::max(0, height - area.Height()));
    SCROLLINFO info { sizeof(SCROLLINFO), SIF_ALL | SIF_DISABLENOSCROLL, 0, std::max(0, height - 1),
                      static_cast<UINT>(std::max<LONG>(0, area.Height())), m_top, 0 };
    SetScrollInfo(SB_VERT, &info);
    InvalidateRect(&area, FALSE);
}

std::string CHelpWindow::LinkAt(CPoint client) const
{
    const CRect area = PageArea();
    if (!area.PtInRect(client))
        return {};
    return m_pages->LinkAt(area.Width(), client.x - area.left, client.y - area.top + m_top);
}

void CHelpWindow::OnPaint()
{
    CPaintDC dc(this);
    const CRect area = PageArea();
    CRect bar;
    GetClientRect(&bar);
    bar.bottom = area.top;
    dc.FillSolidRect(&bar, ::GetSysColor(COLOR_BTNFACE));
    if (area.IsRectEmpty())
        return;
    const std::vector<uint32_t> pixels = m_pages->Picture(area.Width(), area.Height(), m_top);
    BITMAPINFO info {};
    info.bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
    info.bmiHeader.biWidth = area.Width();
    info.bmiHeader.biHeight = -area.Height();
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    info.bmiHeader.biCompression = BI_RGB;
    SetDIBitsToDevice(dc.GetSafeHdc(), area.left, area.top, static_cast<DWORD>(area.Width()),
                      static_cast<DWORD>(area.Height()), 0, 0, 0, static_cast<UINT>(area.Height()), pixels.data(),
                      &info, DIB_RGB_COLORS);
}

BOOL CHelpWindow::OnEraseBkgnd(CDC*) { return TRUE; }

void CHelpWindow::OnSize(UINT, int, int) { ScrollTo(m_top); }

void CHelpWindow::OnLButtonUp(UINT, CPoint point)
{
    const std::string link = LinkAt(point);
    if (!link.empty())
        Follow(link);
}

BOOL CHelpWindow::OnMouseWheel(UINT, short delta, CPoint)
{
    ScrollTo(m_top - delta / WHEEL_DELTA * kLine);
    return TRUE;
}

void CHelpWindow::OnVScroll(UINT code, UINT pos, CScrollBar*)
{
    const int page = PageArea().Height();
    switch (code) {
    case SB_LINEUP: ScrollTo(m_top - kLine); break;
    case SB_LINEDOWN: ScrollTo(m_top + kLine); break;
    case SB_PAGEUP: ScrollTo(m_top - page); break;
    case SB_PAGEDOWN: ScrollTo(m_top + page); break;
    case SB_TOP: ScrollTo(0); break;
    case SB_BOTTOM: ScrollTo(m_pages->Height(PageArea().Width())); break;
    case SB_THUMBTRACK:
    case SB_THUMBPOSITION: ScrollTo(static_cast<int>(pos)); break;
    default: break;
    }
}

BOOL CHelpWindow::OnSetCursor(CWnd* wnd, UINT hitTest, UINT message)
{
    CPoint point;
    ::GetCursorPos(&point);
    ScreenToClient(&point);
    if (hitTest != HTCLIENT || LinkAt(point).empty())
        return CWnd::OnSetCursor(wnd, hitTest, message);
    ::SetCursor(::LoadCursor(nullptr, IDC_HAND));
    return TRUE;
}

// Backspace goes back as in a browser; the arrows and page keys scroll.
void CHelpWindow::OnKeyDown(UINT ch, UINT, UINT)
{
    if (ch == VK_BACK)
        GoBack();
    else if (ch == VK_UP || ch == VK_DOWN)
        OnVScroll(ch == VK_UP ? SB_LINEUP : SB_LINEDOWN, 0, nullptr);
    else if (ch == VK_PRIOR || ch == VK_NEXT)
        OnVScroll(ch == VK_PRIOR ? SB_PAGEUP : SB_PAGEDOWN, 0, nullptr);
}

void CHelpWindow::PostNcDestroy() { delete this; }
