// The rectangle tracker: handle geometry, hit testing, drawing, and the mouse loop that reads
// the queue itself until the button goes up, Esc or the right button cancels, or the capture is lost.
#include "platform/ui/RectTracker.h"

#include "platform/gdi/Dc.h"
#include "platform/ui/Wnd.h"

#include <algorithm>
#include <cstdlib>

namespace {
// Where each handle sits on the (inflated) rectangle: 0 at the left or top edge, 1 centred,
// 2 against the right or bottom edge.
struct HandlePlace {
    int x;
    int y;
};
constexpr HandlePlace handlePlaces[8]
    = { { 0, 0 }, { 2, 0 }, { 2, 2 }, { 0, 2 }, { 1, 0 }, { 2, 1 }, { 1, 2 }, { 0, 1 } };

int Place(int place, int low, int extent, int size)
{
    if (place == 0)
        return low;
    if (place == 1)
        return low + (extent - size) / 2;
    return low + extent - size;
}

}

CDevicePixelScope::CDevicePixelScope(CDC* dc, CRect* rect)
    : m_dc(dc)
    , m_saved(dc->SaveDC())
{
    if (rect)
        dc->LPtoDP(rect);
    dc->SetMapMode(MM_TEXT);
    dc->SetViewportOrg(0, 0);
    dc->SetWindowOrg(0, 0);
}

CDevicePixelScope::~CDevicePixelScope()
{
    m_dc->RestoreDC(m_saved);
}

int CRectTracker::GetHandleSize(LPCRECT rect) const
{
    const RECT& r = rect ? *rect : m_rect;
    int size = m_nHandleSize;
    if (!(m_nStyle & resizeOutside)) {
        int sizeMax = std::min(std::abs(r.right - r.left), std::abs(r.bottom - r.top));
        if (size * 2 > sizeMax)
            size = sizeMax / 2;
    }
    return size;
}

UINT CRectTracker::GetHandleMask() const
{
    UINT mask = 0x0F;
    int size = m_nHandleSize * 3;
    if (std::abs(m_rect.Width()) - size > 4)
        mask |= 0x50;
    if (std::abs(m_rect.Height()) - size > 4)
        mask |= 0xA0;
    return mask;
}

int CRectTracker::NormalizeHit(int handle) const
{
    if (handle < 0 || handle > 7)
        return handle;
    static constexpr int flipX[8] = { 1, 0, 3, 2, 4, 7, 6, 5 };
    static constexpr int flipY[8] = { 3, 2, 1, 0, 6, 5, 4, 7 };
    if (m_rect.Width() < 0)
        handle = flipX[handle];
    if (m_rect.Height() < 0)
        handle = flipY[handle];
    return handle;
}

void CRectTracker::GetHandleRect(int handle, CRect* handleRect) const
{
    CRect r = m_rect;
    r.NormalizeRect();
    if (m_nStyle & (solidLine | dottedLine))
        r.InflateRect(1, 1);
    int size = GetHandleSize();
    if (m_nStyle & resizeOutside)
        r.InflateRect(size - 1, size - 1);
    const HandlePlace& place = handlePlaces[NormalizeHit(handle)];
    int left = Place(place.x, r.left, r.Width(), size);
    int top = Place(place.y, r.top, r.Height(), size);
    handleRect->SetRect(left, top, left + size, top + size);
}

void CRectTracker::GetTrueRect(LPRECT trueRect) const
{
    CRect r = m_rect;
    r.NormalizeRect();
    int inflateBy = 0;
    if (m_nStyle & (resizeOutside | hatchedBorder))
        inflateBy += GetHandleSize() - 1;
    if (m_nStyle & (solidLine | dottedLine))
        ++inflateBy;
    r.InflateRect(inflateBy, inflateBy);
    *trueRect = r;
}

int CRectTracker::HitTestHandles(CPoint point) const
{
    UINT mask = GetHandleMask();
    for (int i = 0; i < 8; ++i) {
        CRect handle;
        GetHandleRect(i, &handle);
        if ((mask & (1u << i)) && handle.PtInRect(point))
            return i;
    }
    if (!(m_nStyle & hatchedBorder)) {
        CRect r = m_rect;
        r.NormalizeRect();
        if (m_nStyle & (solidLine | dottedLine))
            r.InflateRect(1, 1);
        if (!r.PtInRect(point))
            return hitNothing;
    }
    return hitMiddle;
}

int CRectTracker::HitTest(CPoint point) const
{
    CRect trueRect;
    GetTrueRect(&trueRect);
    if (!trueRect.PtInRect(point))
        return hitNothing;
    if (m_nStyle & (resizeInside | resizeOutside))
        return HitTestHandles(point);
    return hitMiddle;
}

UINT CRectTracker::GetCursorId(int hit)
{
    static constexpr UINT cursors[9] = { CursorSizeNWSE, CursorSizeNESW, CursorSizeNWSE, CursorSizeNESW,
        CursorSizeNS, CursorSizeWE, CursorSizeNS, CursorSizeWE, CursorSizeAll };
    return hit >= 0 && hit <= 8 ? cursors[hit] : 0;
}

void CRectTracker::Draw(CDC* dc) const
{
    CRect r = m_rect;
    CDevicePixelScope pixels(dc, &r);
    CRectTracker device(*this);
    device.m_rect = r;
    r.NormalizeRect();
    if (m_nStyle & (solidLine | dottedLine)) {
        CPen pen(m_nStyle & dottedLine ? PS_DOT : PS_SOLID, 0, RGB(0, 0, 0));
        CPen* oldPen = dc->SelectObject(&pen);
        CGdiObject* oldBrush = dc->SelectStockObject(NULL_BRUSH);
        CRect frame = r;
        frame.InflateRect(1, 1);
        dc->Rectangle(&frame);
        dc->SelectObject(oldPen);
        if (oldBrush)
            dc->SelectObject(oldBrush->GetSafeHandle());
    }
    if (m_nStyle & hatchedBorder) {
        CBrush hatch(HS_BDIAGONAL, RGB(0, 0, 0));
        CRect border;
        device.GetTrueRect(&border);
        CRgn outer, inner;
        outer.CreateRectRgnIndirect(&border);
        inner.CreateRectRgnIndirect(&r);
        outer.CombineRgn(&outer, &inner, RGN_DIFF);
        dc->FillRgn(&outer, &hatch);
    }
    if (m_nStyle & (resizeInside | resizeOutside)) {
        UINT mask = device.GetHandleMask();
        for (int i = 0; i < 8; ++i) {
            CRect handle;
            device.GetHandleRect(i, &handle);
            if (mask & (1u << i))
                dc->FillSolidRect(&handle, RGB(0, 0, 0));
        }
    }
}

BOOL CRectTracker::SetCursor(CWnd* wnd, UINT hitTest) const
{
    if (!wnd || hitTest != HTCLIENT)
        return FALSE;
    CPoint point;
    ::GetCursorPos(&point);
    wnd->ScreenToClient(&point);
    int handle = HitTest(point);
    if (handle < 0)
        return FALSE;
    ::SetCursor(::LoadCursor(nullptr, MAKEINTRESOURCE(GetCursorId(handle))));
    return TRUE;
}

BOOL CRectTracker::Track(CWnd* wnd, CPoint point, BOOL allowInvert, CWnd* clipTo)
{
    int handle = HitTestHandles(point);
    if (handle < 0)
        return FALSE;
    m_bAllowInvert = allowInvert;
    return TrackHandle(handle, wnd, point, clipTo);
}

BOOL CRectTracker::TrackRubberBand(CWnd* wnd, CPoint point, BOOL allowInvert)
{
    m_bAllowInvert = allowInvert;
    m_rect.SetRect(point.x, point.y, point.x, point.y);
    return TrackHandle(hitBottomRight, wnd, point, nullptr);
}

void CRectTracker::GetModifyPointers(int handle, int** px, int** py, int* x, int* y)
{
    if (handle == hitMiddle)
        handle = hitTopLeft;
    int* xs[] = {&m_rect.left, &m_rect.right, &m_rect.right, &m_rect.left, nullptr, &m_rect.right, nullptr, &m_rect.left};
    int* ys[] = {&m_rect.top, &m_rect.top, &m_rect.bottom, &m_rect.bottom, &m_rect.top, nullptr, &m_rect.bottom, nullptr};
    *px = xs[handle];
    *py = ys[handle];
    if (x)
        *x = *px ? **px : 0;
    if (y)
        *y = *py ? **py : 0;
}

void CRectTracker::AdjustRect(int handle, LPRECT rect)
{
    if (handle == hitMiddle || m_bAllowInvert)
        return;
    int *px, *py;
    GetModifyPointers(handle, &px, &py, nullptr, nullptr);
    if (px == &rect->right && rect->right - rect->left < m_sizeMin.cx)
        rect->right = rect->left + m_sizeMin.cx;
    if (px == &rect->left && rect->right - rect->left < m_sizeMin.cx)
        rect->left = rect->right - m_sizeMin.cx;
    if (py == &rect->bottom && rect->bottom - rect->top < m_sizeMin.cy)
        rect->bottom = rect->top + m_sizeMin.cy;
    if (py == &rect->top && rect->bottom - rect->top < m_sizeMin.cy)
        rect->top = rect->bottom - m_sizeMin.cy;
}

void CRectTracker::OnChangedRect(const CRect&) {}

void CRectTracker::DrawTrackerRect(LPCRECT rect, CWnd* clipTo, CDC* dc, CWnd* wnd)
{
    if (!dc)
        return;
    CRect r = *rect;
    r.NormalizeRect();
    if (clipTo && wnd) {
        wnd->ClientToScreen(&r);
        clipTo->ScreenToClient(&r);
    }
    CSize size(0, 0);
    if (!m_bFinalErase) {
        if (m_nStyle & hatchedBorder) {
            int inflate = std::max(1, GetHandleSize() - 1);
            r.InflateRect(inflate, inflate);
            size = CSize(inflate, inflate);
        } else {
            size = CSize(1, 1);
        }
    }
    // An erase step only notes the rectangle; the next draw inverts it away and the new one in.
    if (m_bFinalErase || !m_bErase)
        dc->DrawDragRect(r, size, m_rectLast, m_sizeLast);
    m_rectLast = r;
    m_sizeLast = size;
}

// The loop owns the capture and a DC until it ends; a WM_QUIT taken from the queue is posted
// again so the program's own loop still ends.
BOOL CRectTracker::TrackHandle(int handle, CWnd* wnd, CPoint point, CWnd* clipTo)
{
    if (!wnd || ::GetCapture())
        return FALSE;
    wnd->SetCapture();
    wnd->UpdateWindow();
    if (clipTo)
        clipTo->UpdateWindow();
    CRect rectSave = m_rect;
    int *px, *py, xDiff, yDiff;
    GetModifyPointers(handle, &px, &py, &xDiff, &yDiff);
    xDiff = point.x - xDiff;
    yDiff = point.y - yDiff;
    AfxLockTempMaps();
    CWnd* drawOn = clipTo ? clipTo : wnd;
    CDC* dc = drawOn->GetDCEx(nullptr, DCX_CACHE);
    bool moved = false;
    m_rectLast.SetRectEmpty();
    m_sizeLast = CSize(0, 0);
    for (bool done = false; !done;) {
        MSG msg;
        if (!::GetMessage(&msg, nullptr, 0, 0)) {
            ::PostQuitMessage(static_cast<int>(msg.wParam));
            if (moved) {
                m_bErase = m_bFinalErase = TRUE;
                DrawTrackerRect(&m_rect, clipTo, dc, wnd);
            }
            m_rect = rectSave;
            break;
        }
        if (::GetCapture() != wnd->m_hWnd)
            break;
        switch (msg.message) {
        case WM_LBUTTONUP:
        case WM_MOUSEMOVE: {
            CRect rectOld = m_rect;
            if (px)
                *px = GET_X_LPARAM(msg.lParam) - xDiff;
            if (py)
                *py = GET_Y_LPARAM(msg.lParam) - yDiff;
            if (handle == hitMiddle) {
                m_rect.right = m_rect.left + rectSave.Width();
                m_rect.bottom = m_rect.top + rectSave.Height();
            }
            m_bFinalErase = msg.message == WM_LBUTTONUP;
            m_bErase = m_bFinalErase;
            AdjustRect(handle, &m_rect);
            if (rectOld != m_rect || m_bFinalErase) {
                if (moved) {
                    m_bErase = TRUE;
                    DrawTrackerRect(&rectOld, clipTo, dc, wnd);
                }
                OnChangedRect(rectOld);
                if (msg.message != WM_LBUTTONUP)
                    moved = true;
            }
            if (m_bFinalErase) {
                done = true;
                break;
            }
            if (rectOld != m_rect) {
                m_bErase = FALSE;
                DrawTrackerRect(&m_rect, clipTo, dc, wnd);
            }
            break;
        }
        case WM_KEYDOWN:
            if (msg.wParam != VK_ESCAPE)
                break;
            [[fallthrough]];
        case WM_RBUTTONDOWN:
            if (moved) {
                m_bErase = m_bFinalErase = TRUE;
                DrawTrackerRect(&m_rect, clipTo, dc, wnd);
            }
            m_rect = rectSave;
            done = true;
            break;
        default:
            ::DispatchMessage(&msg);
            break;
        }
    }
    drawOn->ReleaseDC(dc);
    if (::GetCapture() == wnd->m_hWnd)
        ::ReleaseCapture();
    AfxUnlockTempMaps(FALSE);
    if (!moved)
        m_rect = rectSave;
    m_bFinalErase = m_bErase = FALSE;
    return rectSave != m_rect;
}
