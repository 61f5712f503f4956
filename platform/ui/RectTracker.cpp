// The rectangle tracker and its mouse loop. The loop reads the queue itself until the
// button goes up, Esc or the right button cancels, or the capture is lost.
#include "platform/ui/RectTracker.h"

#include "platform/gdi/Dc.h"
#include "platform/ui/Wnd.h"

#include <cstdlib>

CRectTracker::CRectTracker(LPCRECT rect, UINT style) : m_nStyle(style), m_rect(*rect) {}

int CRectTracker::GetHandleSize(LPCRECT rect) const
{
    CRect r = rect ? CRect(*rect) : m_rect;
    int size = m_nHandleSize;
    if (!(m_nStyle & resizeOutside)) {
        int smallest = std::min(std::abs(r.Width()), std::abs(r.Height()));
        if (smallest < size * 4)
            size = smallest / 4;
    }
    return std::max(size, 1);
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

void CRectTracker::GetHandleRect(int handle, CRect* handleRect) const
{
    CRect r = m_rect;
    r.NormalizeRect();
    if (m_nStyle & (solidLine | dottedLine))
        r.InflateRect(1, 1);
    int size = GetHandleSize();
    if (m_nStyle & resizeOutside)
        r.InflateRect(size - 1, size - 1);
    int xs[] = {r.left, r.right - size, r.right - size, r.left, r.left + (r.Width() - size) / 2, r.right - size,
                r.left + (r.Width() - size) / 2, r.left};
    int ys[] = {r.top, r.top, r.bottom - size, r.bottom - size, r.top, r.top + (r.Height() - size) / 2, r.bottom - size,
                r.top + (r.Height() - size) / 2};
    *handleRect = CRect(xs[handle], ys[handle], xs[handle] + size, ys[handle] + size);
}

int CRectTracker::HitTestHandles(CPoint point) const
{
    UINT mask = GetHandleMask();
    CRect r;
    GetTrueRect(&r);
    if (!r.PtInRect(point))
        return hitNothing;
    if (m_nStyle & (resizeInside | resizeOutside))
        for (int i = 0; i < 8; ++i) {
            if (!(mask & (1u << i)))
                continue;
            CRect h;
            GetHandleRect(i, &h);
            if (h.PtInRect(point))
                return i;
        }
    CRect inner = m_rect;
    inner.NormalizeRect();
    if ((m_nStyle & hatchedBorder) && !(m_nStyle & hatchInside)) {
        int size = GetHandleSize();
        r.InflateRect(-size + 1, -size + 1);
        if (!r.PtInRect(point))
            return hitMiddle;
        return inner.PtInRect(point) ? hitMiddle : hitNothing;
    }
    inner.InflateRect(1, 1);
    return inner.PtInRect(point) ? hitMiddle : hitNothing;
}

int CRectTracker::HitTest(CPoint point) const { return NormalizeHit(HitTestHandles(point)); }

int CRectTracker::NormalizeHit(int handle) const
{
    if (handle == hitNothing || handle == hitMiddle)
        return handle;
    bool flipX = m_rect.Width() < 0, flipY = m_rect.Height() < 0;
    static const int swapX[] = {1, 0, 3, 2, 4, 7, 6, 5};
    static const int swapY[] = {3, 2, 1, 0, 6, 5, 4, 7};
    if (flipX)
        handle = swapX[handle];
    if (flipY)
        handle = swapY[handle];
    return handle;
}

void CRectTracker::GetTrueRect(LPRECT trueRect) const
{
    CRect r = m_rect;
    r.NormalizeRect();
    int inflate = (m_nStyle & (resizeOutside | hatchedBorder)) ? GetHandleSize() - 1 : 0;
    if (m_nStyle & (solidLine | dottedLine))
        inflate = std::max(inflate, 1);
    r.InflateRect(inflate, inflate);
    *trueRect = r;
}

void CRectTracker::Draw(CDC* dc) const
{
    if (!dc)
        return;
    CRect r = m_rect;
    r.NormalizeRect();
    if (m_nStyle & (solidLine | dottedLine)) {
        CPen pen(m_nStyle & dottedLine ? PS_DOT : PS_SOLID, 0, RGB(0, 0, 0));
        CPen* oldPen = dc->SelectObject(&pen);
        CGdiObject* oldBrush = dc->SelectStockObject(NULL_BRUSH);
        dc->Rectangle(r.left - 1, r.top - 1, r.right + 1, r.bottom + 1);
        dc->SelectObject(oldPen);
        dc->SelectObject(oldBrush);
    }
    if (m_nStyle & (resizeInside | resizeOutside)) {
        UINT mask = GetHandleMask();
        for (int i = 0; i < 8; ++i)
            if (mask & (1u << i)) {
                CRect h;
                GetHandleRect(i, &h);
                dc->FillSolidRect(h, RGB(0, 0, 0));
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
    static const LPCSTR cursors[] = {IDC_SIZENWSE, IDC_SIZENESW, IDC_SIZENWSE, IDC_SIZENESW, IDC_SIZENS,
                                     IDC_SIZEWE,   IDC_SIZENS,   IDC_SIZEWE,   IDC_SIZEALL};
    ::SetCursor(::LoadCursor(nullptr, cursors[handle]));
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
    dc->DrawDragRect(r, size, m_bErase ? nullptr : static_cast<LPCRECT>(m_rectLast), m_sizeLast);
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
