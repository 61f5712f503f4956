// The move, resize and rubber-band loop of the object tracker, with auto-scrolling.
#include "objects/HyperOb.h"
#include "objects/HyperTracker.h"
#include "objects/HyperTrackerSession.h"
#include "objects/ObjectHost.h"
#include "objects/ViewSettings.h"
#include "platform/ui/UiApi.h"
#include "platform/ui/Wnd.h"

#include <algorithm>

namespace {
// Paints still pending are bounded so that a window that never validates cannot hang us.
constexpr int MaxPendingPaints = 64;
// Scrolling starts only with the pointer on the client's last pixels or past them, so a drag
// that merely comes near the edge ends where the pointer does. Within the near band it runs
// every third tick, within the far band every second, farther out every tick.
constexpr int EdgeBand = 2;
constexpr int NearBand = 10;
constexpr int FarBand = 30;

int g_autoScrollTicks = 0;

void DispatchPendingPaints()
{
    MSG msg;
    for (int i = 0; i < MaxPendingPaints && ::PeekMessage(&msg, nullptr, WM_PAINT, WM_PAINT, PM_REMOVE); ++i)
        ::DispatchMessage(&msg);
}

// Moves the edges the handle leaves in place by the shift, so they stay on their page point.
void ShiftFixedEdges(int handle, RECT* rect, int shiftX, int shiftY)
{
    if (handle == CRectTracker::hitMiddle)
        return;
    const HandleEdges& e = handleEdges[handle];
    if (e.x != -1)
        rect->left += shiftX;
    if (e.x != 1)
        rect->right += shiftX;
    if (e.y != -1)
        rect->top += shiftY;
    if (e.y != 1)
        rect->bottom += shiftY;
}

int ScrollDirection(CWnd* wnd, int bar, LONG cursor, LONG low, LONG high)
{
    SCROLLINFO info{};
    info.cbSize = sizeof(info);
    if (!wnd->GetScrollInfo(bar, &info, SIF_ALL))
        return 0;
    if (cursor < low && info.nPos > info.nMin)
        return -1;
    if (cursor >= high && info.nPos < info.nMax - static_cast<int>(info.nPage) - 1)
        return 1;
    return 0;
}
}

CTrackSession::CTrackSession(CWnd* wnd, CWnd* clipTo)
    : m_wnd(wnd)
    , m_drawOn(clipTo ? clipTo : wnd)
{
    if (!wnd || ::GetCapture())
        return;
    wnd->SetCapture();
    wnd->UpdateWindow();
    if (clipTo)
        clipTo->UpdateWindow();
    m_dc = clipTo ? clipTo->GetDCEx(nullptr, DCX_CACHE) : wnd->GetDC();
    AfxLockTempMaps();
}

CTrackSession::~CTrackSession()
{
    if (!m_dc)
        return;
    m_drawOn->ReleaseDC(m_dc);
    if (::GetCapture() == m_wnd->m_hWnd)
        ::ReleaseCapture();
    AfxUnlockTempMaps(FALSE);
}

BOOL CTrackSession::Next(MSG* msg)
{
    if (!::GetMessage(msg, nullptr, 0, 0)) {
        ::PostQuitMessage(static_cast<int>(msg->wParam));
        m_quitting = TRUE;
        return FALSE;
    }
    return ::GetCapture() == m_wnd->m_hWnd;
}

BOOL IsKeyHeld(int vk)
{
    return ::GetKeyState(vk) < 0;
}

BOOL CHyperTracker::Track(CWnd* wnd, CPoint point, BOOL allowInvert, CWnd* clipTo)
{
    DispatchPendingPaints();
    m_startRect = m_rect;
    if (m_object)
        m_rect = DeviceRect(m_rect);
    int handle = HitTestDevice(point);
    if (handle == hitNothing) {
        m_rect = m_startRect;
        return FALSE;
    }
    if (m_object) {
        if (handle != hitMiddle && !(m_object->IsUpright() && m_object->CanResize()))
            handle = hitMiddle;
        if (m_object->HasEndHandles()) {
            static constexpr int endHandle[9] = {0, 1, 2, 3, 0, 2, 2, 0, 8};
            handle = endHandle[handle];
        }
        m_rectLast = m_rect;
    }
    m_bAllowInvert = allowInvert;
    if (!RunTrackLoop(handle, wnd, point, clipTo)) {
        m_rect = m_startRect;
        return FALSE;
    }
    if (m_object)
        m_rect = LogicalRect(m_rect);
    return TRUE;
}

BOOL CHyperTracker::TrackRubberBand(CWnd* wnd, CPoint point, BOOL allowInvert)
{
    m_startRect = m_rect;
    if (m_object) {
        m_rect = DeviceRect(m_rect);
        if (!m_object->HasEndHandles())
            m_rectLast = m_rect;
    }
    m_rect.SetRect(point.x, point.y, point.x, point.y);
    m_bAllowInvert = allowInvert;
    if (RunTrackLoop(hitBottomRight, wnd, point, nullptr)) {
        if (m_object)
            m_rect = LogicalRect(m_rect);
        return TRUE;
    }
    // A click: the rectangle keeps its size and is centred on the point, in its own units.
    CPoint centre = point;
    if (CObjectHost* host = GetHost())
        host->DeviceToLogicalPoints(&centre, 1);
    m_rect = m_startRect;
    m_rect.OffsetRect(centre.x - m_rect.Width() / 2 - m_rect.left, centre.y - m_rect.Height() / 2 - m_rect.top);
    return FALSE;
}

BOOL CHyperTracker::RunTrackLoop(int handle, CWnd* wnd, CPoint point, CWnd* clipTo)
{
    CTrackSession session(wnd, clipTo);
    if (!session.Started())
        return FALSE;
    CRect saved = m_rect;
    int *px, *py, xDiff, yDiff;
    GetModifyPointers(handle, &px, &py, &xDiff, &yDiff);
    xDiff = point.x - xDiff;
    yDiff = point.y - yDiff;
    CDC* dc = session.GetDC();
    wnd->SetTimer(AutoScrollTimerId, GetAutoScrollPeriod(wnd));
    m_dragShown = FALSE;
    m_feedback.clear();
    BOOL drawn = FALSE;
    enum class End { Running, Released, Cancelled, CaptureLost } end = End::Running;
    MSG msg;
    while (end == End::Running) {
        if (!session.Next(&msg)) {
            end = session.Quitting() ? End::Cancelled : End::CaptureLost;
            break;
        }
        switch (msg.message) {
        case WM_LBUTTONUP:
        case WM_MOUSEMOVE: {
            CRect old = m_rect;
            if (px)
                *px = GET_X_LPARAM(msg.lParam) - xDiff;
            if (py)
                *py = GET_Y_LPARAM(msg.lParam) - yDiff;
            if (handle == hitMiddle) {
                m_rect.right = m_rect.left + saved.Width();
                m_rect.bottom = m_rect.top + saved.Height();
            }
            AdjustRect(handle, &m_rect);
            m_bFinalErase = msg.message == WM_LBUTTONUP;
            if (old != m_rect || m_bFinalErase) {
                if (drawn) {
                    m_bErase = TRUE;
                    DrawTrackerRect(&old, clipTo, dc, wnd);
                }
                OnChangedRect(old);
                if (!m_bFinalErase)
                    m_dragShown = drawn = TRUE;
            }
            if (m_bFinalErase) {
                end = End::Released;
            } else if (old != m_rect) {
                m_bErase = FALSE;
                DrawTrackerRect(&m_rect, clipTo, dc, wnd);
            }
            break;
        }
        case WM_KEYDOWN:
            if (msg.wParam == VK_ESCAPE)
                end = End::Cancelled;
            else
                ::DispatchMessage(&msg);
            break;
        case WM_RBUTTONDOWN:
            end = End::Cancelled;
            break;
        case WM_TIMER:
            if (msg.hwnd == wnd->m_hWnd && msg.wParam == AutoScrollTimerId)
                drawn = ScrollStep(handle, wnd, clipTo, dc, &saved, drawn) || drawn;
            else
                ::DispatchMessage(&msg);
            break;
        default:
            ::DispatchMessage(&msg);
            break;
        }
    }
    if (end != End::Released && drawn) {
        m_bErase = m_bFinalErase = TRUE;
        DrawTrackerRect(&m_rect, clipTo, dc, wnd);
    }
    wnd->KillTimer(AutoScrollTimerId);
    if (!drawn || end == End::Cancelled)
        m_rect = saved;
    m_bErase = m_bFinalErase = FALSE;
    return saved != m_rect;
}

BOOL CHyperTracker::ScrollStep(int handle, CWnd* wnd, CWnd* clipTo, CDC* dc, CRect* saved, BOOL drawn)
{
    int dx = 0;
    int dy = 0;
    if (!AutoScrollTest(wnd, &dx, &dy))
        return FALSE;
    m_bFinalErase = FALSE;
    if (drawn) {
        m_bErase = TRUE;
        DrawTrackerRect(&m_rect, clipTo, dc, wnd);
    }
    CRect current = m_rect;
    // The object paints at its page place while the window scrolls under it.
    if (m_object)
        m_rect = m_startRect;
    int shiftX = 0;
    int shiftY = 0;
    AutoScroll(wnd, dx, dy, &shiftX, &shiftY);
    // The uncovered strip is painted before the feedback goes over it again.
    wnd->UpdateWindow();
    m_rect = current;
    ShiftFixedEdges(handle, &m_rect, shiftX, shiftY);
    saved->OffsetRect(shiftX, shiftY);
    AdjustRect(handle, &m_rect);
    if (m_rect != current) {
        OnChangedRect(current);
        m_dragShown = TRUE;
    }
    m_bErase = FALSE;
    DrawTrackerRect(&m_rect, clipTo, dc, wnd);
    return TRUE;
}

UINT CHyperTracker::GetAutoScrollPeriod(CWnd* wnd) const
{
    const CObjectHost* view = m_object ? GetHost() : dynamic_cast<const CObjectHost*>(wnd);
    int flags = view ? view->GetFlagsLow() : 0;
    int zoom = view ? view->GetZoomPercent() : 100;
    int factor = std::max(1, (flags * zoom / 100) / 20);
    return static_cast<UINT>(std::max(1, GetViewSettings().m_autoScrollInterval) * factor);
}

BOOL CHyperTracker::AutoScrollTest(CWnd* wnd, int* dx, int* dy)
{
    ++g_autoScrollTicks;
    *dx = *dy = 0;
    CRect client;
    wnd->GetClientRect(&client);
    wnd->ClientToScreen(&client);
    CPoint cursor;
    ::GetCursorPos(&cursor);
    CRect inner = client;
    inner.DeflateRect(EdgeBand, EdgeBand);
    if (inner.PtInRect(cursor))
        return FALSE;
    CRect nearby = client;
    nearby.InflateRect(NearBand, NearBand);
    CRect distant = client;
    distant.InflateRect(FarBand, FarBand);
    if (nearby.PtInRect(cursor) && g_autoScrollTicks % 3 != 0)
        return FALSE;
    if (!nearby.PtInRect(cursor) && distant.PtInRect(cursor) && g_autoScrollTicks % 2 != 0)
        return FALSE;
    *dx = ScrollDirection(wnd, SB_HORZ, cursor.x, inner.left, inner.right);
    *dy = ScrollDirection(wnd, SB_VERT, cursor.y, inner.top, inner.bottom);
    return *dx != 0 || *dy != 0;
}

void CHyperTracker::AutoScroll(CWnd* wnd, int dx, int dy, int* shiftX, int* shiftY)
{
    int oldX = wnd->GetScrollPos(SB_HORZ);
    int oldY = wnd->GetScrollPos(SB_VERT);
    if (dx)
        wnd->SendMessage(WM_HSCROLL, MAKEWPARAM(dx < 0 ? SB_LINELEFT : SB_LINERIGHT, 0), 0);
    if (dy)
        wnd->SendMessage(WM_VSCROLL, MAKEWPARAM(dy < 0 ? SB_LINEUP : SB_LINEDOWN, 0), 0);
    *shiftX = oldX - wnd->GetScrollPos(SB_HORZ);
    *shiftY = oldY - wnd->GetScrollPos(SB_VERT);
}
