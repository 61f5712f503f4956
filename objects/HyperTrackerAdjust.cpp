// What the tracker does to the rectangle at each step: minimum size, page bounds, grid,
// proportions and 45-degree line ends, with the status bar and rulers told.
#include "objects/GridGeometry.h"
#include "objects/HyperOb.h"
#include "objects/HyperTracker.h"
#include "objects/HyperTrackerSession.h"
#include "objects/ObjectHost.h"

#include <cmath>
#include <numbers>

namespace {
// The six ways a sector of pi/8 places the dragged end: on the horizontal, on the vertical,
// or on a diagonal, where the larger offset is kept and the other takes its size.
enum class Snap45 { Horizontal, Vertical, YFromX, XFromY, XFromMinusY, YFromMinusX };
constexpr Snap45 sectorSnaps[17] = {
    Snap45::Horizontal,   Snap45::YFromX, Snap45::XFromY, Snap45::Vertical,
    Snap45::Vertical,     Snap45::XFromMinusY,  Snap45::YFromMinusX,   Snap45::Horizontal,
    Snap45::Horizontal,   Snap45::YFromX, Snap45::XFromY, Snap45::Vertical,
    Snap45::Vertical,     Snap45::XFromMinusY,  Snap45::YFromMinusX,   Snap45::Horizontal,
    Snap45::Horizontal,
};
constexpr double Pi = std::numbers::pi;

int Snapped(int value, int step)
{
    return SnapToGrid(&value, step);
}

// The size is kept at least the minimum by moving the edges the handle drags.
void KeepMinimumSize(int handle, RECT* r, CSize minimum)
{
    const HandleEdges& e = handleEdges[handle];
    if (e.x > 0 && r->right - r->left < minimum.cx)
        r->right = r->left + minimum.cx;
    if (e.x < 0 && r->right - r->left < minimum.cx)
        r->left = r->right - minimum.cx;
    if (e.y > 0 && r->bottom - r->top < minimum.cy)
        r->bottom = r->top + minimum.cy;
    if (e.y < 0 && r->bottom - r->top < minimum.cy)
        r->top = r->bottom - minimum.cy;
}

long long Scaled(long long value, long long numerator, long long denominator)
{
    return value * numerator / denominator;
}
}

POINT SnapTo45Degrees(POINT fixed, POINT dragged)
{
    int dx = dragged.x - fixed.x;
    int dy = dragged.y - fixed.y;
    double theta = std::atan2(static_cast<double>(dy), static_cast<double>(dx));
    if (theta < 0.0)
        theta += 2.0 * Pi;
    // Sector i covers [i pi/8, (i+1) pi/8]; a boundary belongs to the lower sector.
    int sector = static_cast<int>(std::ceil(theta / (Pi / 8.0))) - 1;
    sector = sector < 0 ? 0 : sector > 16 ? 16 : sector;
    POINT result = dragged;
    switch (sectorSnaps[sector]) {
    case Snap45::Horizontal:
        result.y = fixed.y;
        break;
    case Snap45::Vertical:
        result.x = fixed.x;
        break;
    case Snap45::YFromX:
        result.y = fixed.y + dx;
        break;
    case Snap45::XFromY:
        result.x = fixed.x + dy;
        break;
    case Snap45::XFromMinusY:
        result.x = fixed.x - dy;
        break;
    case Snap45::YFromMinusX:
        result.y = fixed.y - dx;
        break;
    }
    return result;
}

CRect CHyperTracker::LogicalRect(const RECT& rect) const
{
    CRect logical(rect);
    if (CObjectHost* host = GetHost())
        host->DeviceToLogicalPoints(reinterpret_cast<POINT*>(&logical.left), 2);
    return logical;
}

int CHyperTracker::HitTestDevice(CPoint point) const
{
    return m_object ? HitTestAt(point, m_rect) : CRectTracker::HitTest(point);
}

BOOL CHyperTracker::IsInverted(const RECT& rect) const
{
    if (m_trackedHandle < 0 || m_trackedHandle > 7)
        return FALSE;
    const HandleEdges& e = handleEdges[m_trackedHandle];
    return (e.x != 0 && rect.right < rect.left) || (e.y != 0 && rect.bottom < rect.top);
}

void CHyperTracker::AdjustRect(int handle, LPRECT rect)
{
    if (!m_object)
        return;
    m_trackedHandle = handle;
    CRect r = LogicalRect(*rect);
    if (r == m_object->GetRememberedRect())
        return;
    CObjectHost* host = GetHost();
    BOOL newConnection = host->HasEmptySelection() && m_object->IsAttachable();
    if (handle != hitMiddle && !m_bAllowInvert)
        KeepMinimumSize(handle, &r, m_sizeMin);
    host->KeepRectOnPage(&r, m_object->m_keepsDirection, handle != hitMiddle, FALSE);
    if (!newConnection) {
        if (host->IsCellMode() && handle == hitMiddle)
            SnapMoveToGrid(handle, &r);
        else if (!IsKeyHeld(VK_MENU))
            SnapResizeToGrid(handle, &r);
    }
    BOOL rotated = m_object->GetRotateAngle() != 0.0;
    if (handle != hitMiddle && (IsKeyHeld(VK_SHIFT) || (rotated && !m_object->HasEndHandles()))) {
        if (m_object->HasEndHandles())
            SnapLineEnd(handle, &r);
        else
            KeepProportions(handle, &r);
    }
    // The object reads its rectangle from here, in page units, while it reports the step.
    CRect device = m_rect;
    m_rect = r;
    if (host->HasEmptySelection())
        m_object->UpdateConnectedEnds(handle, 0);
    CRect display;
    m_object->GetDisplayRect(&display, TRUE);
    host->ShowRectInStatusBar(display);
    host->ShowTrackedExtent(r);
    m_rect = device;
    *rect = DeviceRect(r);
}

void CHyperTracker::SnapResizeToGrid(int handle, RECT* rect)
{
    CObjectHost* host = GetHost();
    int gx = host ? host->GetGridStepX() : 1;
    int gy = host ? host->GetGridStepY() : 1;
    if (gx < 1 || gy < 1)
        return;
    BOOL isNew = handle == hitBottomRight && m_object && m_object->GetCode().IsEmpty();
    BOOL moving = handle == hitMiddle;
    const HandleEdges none{0, 0};
    const HandleEdges& e = moving ? none : handleEdges[handle];
    if (isNew || moving || e.x < 0)
        rect->left = Snapped(rect->left, gx);
    if (isNew || moving || e.y < 0)
        rect->top = Snapped(rect->top, gy);
    if (moving) {
        // The size stays what it was when the drag began.
        rect->right = rect->left + m_startRect.Width();
        rect->bottom = rect->top + m_startRect.Height();
        return;
    }
    if (e.x > 0 && rect->right - rect->left != m_sizeMin.cx)
        rect->right = Snapped(rect->right, gx);
    if (e.y > 0 && rect->bottom - rect->top != m_sizeMin.cy)
        rect->bottom = Snapped(rect->bottom, gy);
}

void CHyperTracker::SnapMoveToGrid(int, RECT* rect)
{
    CObjectHost* host = GetHost();
    int gx = host ? host->GetGridStepX() : 1;
    int gy = host ? host->GetGridStepY() : 1;
    if (gx < 1 || gy < 1)
        return;
    int w = rect->right - rect->left;
    int h = rect->bottom - rect->top;
    // Objects spanning an even number of cells centre on a grid line, others in a cell.
    int hx = w - 3 >= gx && ((w + 3) / gx) % 2 == 0 ? 0 : gx / 2;
    int hy = h - 3 >= gy && ((h + 3) / gy) % 2 == 0 ? 0 : gy / 2;
    int cx = Snapped(rect->left + w / 2 + hx, gx);
    int cy = Snapped(rect->top + h / 2 + hy, gy);
    rect->left = cx - w / 2 - hx;
    rect->top = cy - h / 2 - hy;
    rect->right = rect->left + w;
    rect->bottom = rect->top + h;
}

void CHyperTracker::KeepProportions(int handle, RECT* rect) const
{
    long long startW = m_rectLast.Width();
    long long startH = m_rectLast.Height();
    if (startW == 0 || startH == 0)
        return;
    long long w = rect->right - rect->left;
    long long h = rect->bottom - rect->top;
    switch (handle) {
    case hitTopLeft:
    case hitTopRight:
        rect->top = static_cast<LONG>(rect->bottom - Scaled(w, startH, startW));
        break;
    case hitTop:
    case hitBottom:
        rect->right = static_cast<LONG>(rect->left + Scaled(h, startW, startH));
        break;
    default:
        rect->bottom = static_cast<LONG>(rect->top + Scaled(w, startH, startW));
        break;
    }
}

void CHyperTracker::SnapLineEnd(int handle, RECT* rect) const
{
    if (handle > hitBottomLeft)
        return;
    const HandleEdges& e = handleEdges[handle];
    LONG& dragX = e.x < 0 ? rect->left : rect->right;
    LONG& dragY = e.y < 0 ? rect->top : rect->bottom;
    POINT fixed{e.x < 0 ? rect->right : rect->left, e.y < 0 ? rect->bottom : rect->top};
    POINT end = SnapTo45Degrees(fixed, POINT{dragX, dragY});
    dragX = end.x;
    dragY = end.y;
}
