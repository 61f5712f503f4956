#include "View/BirdsEyeWnd.h"

#include "View/HyperView.h"
#include "objects/HyperViewOb.h"
#include "objects/ShellServices.h"
#include "platform/gdi/SysColors.h"
#include "platform/ui/UiApi.h"
#include "platform/ui/WinApp.h"

#include <algorithm>
#include <cmath>

namespace {

constexpr int kBackgroundColor = 16; // the system's button shadow
constexpr DWORD kStyle = WS_POPUP | WS_CAPTION | WS_SYSMENU | WS_THICKFRAME;

int Round(double value) { return static_cast<int>(std::floor(value + 0.5)); }

CRect Scaled(const CRect& rect, double factor)
{
    return CRect(Round(rect.left * factor), Round(rect.top * factor), Round(rect.right * factor),
                 Round(rect.bottom * factor));
}

// The cursor of each hit code of the box, from top-left corner (0) to left edge (7).
constexpr UINT kEdgeCursors[8] = {CBirdsEyeWnd::CursorNWSE, CBirdsEyeWnd::CursorNESW, CBirdsEyeWnd::CursorNWSE,
                                  CBirdsEyeWnd::CursorNESW, CBirdsEyeWnd::CursorNS,   CBirdsEyeWnd::CursorWE,
                                  CBirdsEyeWnd::CursorNS,   CBirdsEyeWnd::CursorWE};

std::vector<CBirdsEyeWnd*>& OpenWindows()
{
    static std::vector<CBirdsEyeWnd*> windows;
    return windows;
}

} // namespace

BEGIN_MESSAGE_MAP(CBirdsEyeWnd, CWnd)
    ON_WM_ERASEBKGND()
    ON_WM_PAINT()
    ON_WM_LBUTTONDOWN()
    ON_WM_SETCURSOR()
    ON_WM_NCHITTEST()
    ON_WM_SIZE()
    ON_WM_KEYDOWN()
    ON_WM_TIMER()
END_MESSAGE_MAP()

CBirdsEyeWnd::CBirdsEyeWnd(CHyperView* view, SIZE* size) : m_view(view), m_box(this), m_size(size)
{
    if (m_size->cx == 0 || m_size->cy == 0)
        *m_size = SIZE{DefaultSize, DefaultSize};
    OpenWindows().push_back(this);
}

CBirdsEyeWnd::~CBirdsEyeWnd()
{
    FreeRendering();
    std::vector<CBirdsEyeWnd*>& windows = OpenWindows();
    windows.erase(std::remove(windows.begin(), windows.end(), this), windows.end());
}

// On failure the window object is gone.
BOOL CBirdsEyeWnd::Open()
{
    ReadPageSize();
    CRect frame(0, 0, m_size->cx, m_size->cy);
    ::AdjustWindowRectEx(&frame, kStyle, FALSE, WS_EX_TOOLWINDOW);
    CRect beside;
    m_view->GetWindowRect(&beside);
    CWnd* main = AfxGetMainWnd();
    const CString caption = GetShellServices().GetLanguageText("<Bird's-Eye View>");
    if (!CreateEx(WS_EX_TOOLWINDOW, AfxRegisterWndClass(CS_DBLCLKS, ::LoadCursor(nullptr, IDC_ARROW)), caption,
                  kStyle, beside.right - frame.Width(), beside.top, frame.Width(), frame.Height(),
                  main ? main->m_hWnd : nullptr, nullptr))
        return FALSE;
    FollowView();
    SetTimer(FollowTimer, FollowDelayMs, nullptr);
    // The arrow keys, F4 and Escape work on it at once.
    ShowWindow(SW_SHOW);
    SetFocus();
    return TRUE;
}

std::vector<CBirdsEyeWnd*> CBirdsEyeWnd::OpenFor(const CHyperView* view)
{
    std::vector<CBirdsEyeWnd*> windows;
    for (CBirdsEyeWnd* window : OpenWindows())
        if (window->m_view == view && window->m_hWnd)
            windows.push_back(window);
    return windows;
}

void CBirdsEyeWnd::CloseFor(const CHyperView* view)
{
    for (CBirdsEyeWnd* window : OpenFor(view))
        window->DestroyWindow();
}

void CBirdsEyeWnd::PostNcDestroy() { delete this; }

void CBirdsEyeWnd::ReadPageSize()
{
    CRect page;
    if (m_view->IsMapped() && m_view->GetPageObject()) {
        page.SetRect(0, 0, m_view->GetPageObject()->GetScrollWidth(), m_view->GetPageObject()->GetScrollHeight());
    } else {
        m_view->GetClientRect(&page);
        m_view->DeviceToLogicalRect(&page, nullptr);
    }
    m_pageWidth = std::max(1, page.Width());
    m_pageHeight = std::max(1, page.Height());
}

CSize CBirdsEyeWnd::ScaledPage() const { return CSize(Round(m_pageWidth * m_scale), Round(m_pageHeight * m_scale)); }

CRect CBirdsEyeWnd::ViewToOverview(CRect device) const
{
    m_view->DeviceToLogicalRect(&device, nullptr);
    return Scaled(device, m_scale);
}

CRect CBirdsEyeWnd::OverviewToView(const CRect& box) const
{
    return m_scale > 0 ? Scaled(box, m_view->GetZoom() / (100.0 * m_scale)) : box;
}

CRect CBirdsEyeWnd::ClampBox(CRect box, int width, int height)
{
    box.NormalizeRect();
    if (box.Width() > width) {
        box.left = 0;
        box.right = width - 1;
    }
    if (box.Height() > height) {
        box.top = 0;
        box.bottom = height - 1;
    }
    box.OffsetRect(std::max(0, -static_cast<int>(box.left)), std::max(0, -static_cast<int>(box.top)));
    box.OffsetRect(std::min(0, width - static_cast<int>(box.right)), std::min(0, height - static_cast<int>(box.bottom)));
    return box;
}

CRect CBirdsEyeWnd::KeepProportions(const CRect& box, const CRect& old)
{
    CRect kept = box;
    if (box.Width() != old.Width() && old.Width() != 0)
        kept.bottom = kept.top + Round(double(old.Height()) * box.Width() / old.Width());
    else if (box.Height() != old.Height() && old.Height() != 0)
        kept.right = kept.left + Round(double(old.Width()) * box.Height() / old.Height());
    return kept;
}

void CBirdsEyeWnd::MoveBoxTo(const CRect& box)
{
    const CRect old = m_box.m_rect;
    m_box.m_rect = box;
    BoxChanged(old);
}

// Moving waits for a pause before the view follows; zooming applies at once.
void CBirdsEyeWnd::BoxChanged(const CRect& old)
{
    if (m_box.m_rect == old)
        return;
    const CSize page = ScaledPage();
    m_box.m_rect = ClampBox(KeepProportions(m_box.m_rect, old), page.cx, page.cy);
    Invalidate(TRUE);
    m_applyPending = TRUE;
    SetTimer(ApplyTimer, ApplyDelayMs, nullptr);
    if (m_box.m_rect.Size() != old.Size())
        SendMessage(WM_TIMER, ApplyTimer);
}

void CBirdsEyeWnd::ApplyBox()
{
    KillTimer(ApplyTimer);
    m_applyPending = FALSE;
    m_view->ZoomToRect(OverviewToView(m_box.m_rect), nullptr);
    FollowView();
}

void CBirdsEyeWnd::FollowView()
{
    CRect shown;
    m_view->GetClientRect(&shown);
    m_box.m_rect = ViewToOverview(shown);
    m_seenScroll = m_view->GetDeviceScrollPosition();
    m_seenZoom = m_view->GetZoom();
    Invalidate(TRUE);
}

void CBirdsEyeWnd::OnTimer(UINT_PTR id)
{
    if (id == ApplyTimer) {
        ApplyBox();
        return;
    }
    if (id != FollowTimer) {
        Default();
        return;
    }
    const bool tracking = ::GetCapture() == m_hWnd;
    if (!m_applyPending && !tracking &&
        (m_view->GetDeviceScrollPosition() != m_seenScroll || m_view->GetZoom() != m_seenZoom))
        FollowView();
}

void CBirdsEyeWnd::DrawBox(CDC* dc, const CRect& box)
{
    const CSize page = ScaledPage();
    const CRect shown = ClampBox(box, page.cx, page.cy);
    CPen pen(PS_SOLID, 2, RGB(255, 255, 255));
    const int saved = dc->SaveDC();
    dc->SelectObject(&pen);
    dc->SelectStockObject(NULL_BRUSH);
    dc->SetROP2(R2_XORPEN);
    dc->Rectangle(&shown);
    dc->RestoreDC(saved);
}

void CBirdsEyeWnd::CBoxTracker::DrawTrackerRect(LPCRECT rect, CWnd*, CDC* dc, CWnd*)
{
    if (dc && rect)
        m_owner->DrawBox(dc, CRect(rect));
}

void CBirdsEyeWnd::CBoxTracker::OnChangedRect(const CRect& rectOld) { m_owner->BoxChanged(rectOld); }

void CBirdsEyeWnd::FreeRendering()
{
    if (m_memDC.m_hDC && m_oldBitmap)
        m_memDC.SelectObject(m_oldBitmap);
    m_oldBitmap = nullptr;
    m_memDC.DeleteDC();
    m_bitmap.DeleteObject();
}

// The page is drawn as for printing, at the overview's own scale: the view's zoom, scroll and
// selection handles stay as they are.
void CBirdsEyeWnd::Render()
{
    BeginWaitCursor();
    FreeRendering();
    CRect client;
    GetClientRect(&client);
    CClientDC screen(this);
    if (client.IsRectEmpty() || !m_memDC.CreateCompatibleDC(&screen) ||
        !m_bitmap.CreateCompatibleBitmap(&screen, client.Width(), client.Height())) {
        FreeRendering();
        EndWaitCursor();
        return;
    }
    m_oldBitmap = m_memDC.SelectObject(&m_bitmap);
    m_memDC.FillSolidRect(&client, ::GetSysColor(kBackgroundColor));
    const int saved = m_memDC.SaveDC();
    m_memDC.m_bPrinting = TRUE;
    m_memDC.SetMapMode(MM_ANISOTROPIC);
    m_memDC.SetWindowExt(1000, 1000);
    m_memDC.SetViewportExt(Round(m_scale * 1000), Round(m_scale * 1000));
    const CRect page(0, 0, m_pageWidth, m_pageHeight);
    m_view->EraseBackground(&m_memDC, page);
    m_view->DrawPageRect(&m_memDC, page);
    m_memDC.m_bPrinting = FALSE;
    m_memDC.RestoreDC(saved);
    EndWaitCursor();
}

BOOL CBirdsEyeWnd::OnEraseBkgnd(CDC* dc)
{
    if (!m_memDC.m_hDC || !m_bitmap.m_hObject)
        Render();
    CRect client;
    GetClientRect(&client);
    if (!m_bitmap.m_hObject)
        dc->FillSolidRect(&client, ::GetSysColor(kBackgroundColor));
    else
        dc->BitBlt(0, 0, client.Width(), client.Height(), &m_memDC, 0, 0, SRCCOPY);
    return TRUE;
}

void CBirdsEyeWnd::OnPaint()
{
    CPaintDC dc(this);
    if (!m_bitmap.m_hObject) {
        CRect client;
        GetClientRect(&client);
        dc.MoveTo(0, 0);
        dc.LineTo(client.right, client.bottom);
        dc.MoveTo(client.right, 0);
        dc.LineTo(0, client.bottom);
    }
    DrawBox(&dc, m_box.m_rect);
}

// Left, right, top and bottom edge (hit codes 7, 5, 4, 6) within reach of the point; -1 none.
int CBirdsEyeWnd::EdgeAt(CPoint point) const
{
    CRect box = m_box.m_rect;
    box.NormalizeRect();
    const bool across = point.y >= box.top - EdgeReach && point.y <= box.bottom + EdgeReach;
    const bool along = point.x >= box.left - EdgeReach && point.x <= box.right + EdgeReach;
    if (across && std::abs(point.x - box.left) <= EdgeReach)
        return CRectTracker::hitLeft;
    if (across && std::abs(point.x - box.right) <= EdgeReach)
        return CRectTracker::hitRight;
    if (along && std::abs(point.y - box.top) <= EdgeReach)
        return CRectTracker::hitTop;
    if (along && std::abs(point.y - box.bottom) <= EdgeReach)
        return CRectTracker::hitBottom;
    return -1;
}

void CBirdsEyeWnd::OnLButtonDown(UINT, CPoint point)
{
    const int edge = EdgeAt(point);
    if (edge >= 0)
        m_box.TrackEdge(edge, this, point);
    else
        m_box.Track(this, point);
}

BOOL CBirdsEyeWnd::OnSetCursor(CWnd* wnd, UINT hitTest, UINT message)
{
    if (hitTest != HTCLIENT)
        return CWnd::OnSetCursor(wnd, hitTest, message);
    CPoint point;
    ::GetCursorPos(&point);
    ScreenToClient(&point);
    CRect reach = m_box.m_rect;
    reach.NormalizeRect();
    reach.InflateRect(EdgeReach, EdgeReach);
    UINT cursor = 0;
    if (reach.PtInRect(point)) {
        const int edge = EdgeAt(point);
        cursor = edge >= 0 ? kEdgeCursors[edge] : CursorMove;
    }
    ::SetCursor(cursor ? ::LoadCursor(AfxGetResourceHandle(), MAKEINTRESOURCE(cursor))
                       : ::LoadCursor(nullptr, IDC_ARROW));
    return TRUE;
}

// Dragging outside the box moves the window.
LRESULT CBirdsEyeWnd::OnNcHitTest(CPoint point)
{
    const LRESULT hit = CWnd::OnNcHitTest(point);
    if (hit != HTCLIENT || ::GetAsyncKeyState(VK_LBUTTON) >= 0)
        return hit;
    CPoint client = point;
    ScreenToClient(&client);
    CRect box = m_box.m_rect;
    box.NormalizeRect();
    return box.PtInRect(client) ? hit : HTCAPTION;
}

void CBirdsEyeWnd::OnSize(UINT, int cx, int cy)
{
    if (cx > 0 && cy > 0) {
        const double scale = std::min(double(cx) / m_pageWidth, double(cy) / m_pageHeight);
        if (double(cx) / m_pageWidth > scale)
            cx = Round(m_pageWidth * scale);
        else
            cy = Round(m_pageHeight * scale);
        m_box.m_rect = Scaled(m_box.m_rect, scale / m_scale);
        m_scale = scale;
        *m_size = SIZE{cx, cy};
        FreeRendering();
        Invalidate(TRUE);
    }
    Default();
}

void CBirdsEyeWnd::OnKeyDown(UINT key, UINT, UINT)
{
    const int step = ::GetAsyncKeyState(VK_SHIFT) < 0 ? 5 : 1;
    CSize move(0, 0);
    switch (key) {
    case VK_LEFT: move.cx = -step; break;
    case VK_RIGHT: move.cx = step; break;
    case VK_UP: move.cy = -step; break;
    case VK_DOWN: move.cy = step; break;
    default: Default(); return;
    }
    CRect box = m_box.m_rect;
    box.OffsetRect(move);
    MoveBoxTo(box);
}

// F4 and Escape close the window.
BOOL CBirdsEyeWnd::PreTranslateMessage(MSG* msg)
{
    if (msg->hwnd == m_hWnd && msg->message == WM_KEYDOWN && (msg->wParam == VK_F4 || msg->wParam == VK_ESCAPE)) {
        PostMessage(WM_CLOSE);
        return TRUE;
    }
    return CWnd::PreTranslateMessage(msg);
}
