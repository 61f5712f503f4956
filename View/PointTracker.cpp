#include "View/PointTracker.h"

#include "View/HyperRunView.h"
#include "objects/GridGeometry.h"
#include "objects/HyperTracker.h"
#include "objects/HyperTrackerSession.h"
#include "platform/ui/UiApi.h"

#include <algorithm>
#include <cstdlib>

CPointTracker::CPointTracker(int x, int y, int prevX, int prevY, int nextX, int nextY, int gridX, int gridY,
                             int left, int top, int right, int bottom)
    : m_point(x, y)
    , m_previous(prevX, prevY)
    , m_next(nextX, nextY)
    , m_gridX(gridX)
    , m_gridY(gridY)
    , m_bounds(left, top, right, bottom)
{
}

void CPointTracker::AdjustPoint(POINT* out, CHyperRunView* view, int x, int y) const
{
    *out = {x, y};
    if (m_bounds.IsRectEmpty())
        return;
    out->x = std::clamp(x, static_cast<int>(m_bounds.left), static_cast<int>(m_bounds.right) - 1);
    out->y = std::clamp(y, static_cast<int>(m_bounds.top), static_cast<int>(m_bounds.bottom) - 1);
    if (m_gridX >= 2 && m_gridY >= 2) {
        if (IsKeyHeld(VK_MENU))
            return;
        CPoint page = *out;
        view->DeviceToLogical(&page, nullptr);
        SnapToGrid(reinterpret_cast<int*>(&page.x), m_gridX);
        SnapToGrid(reinterpret_cast<int*>(&page.y), m_gridY);
        view->LogicalToDevice(&page, nullptr);
        *out = page;
        return;
    }
    if (std::abs(out->x - m_previous.x) < MagneticDistance)
        out->x = m_previous.x;
    else if (std::abs(out->x - m_next.x) < MagneticDistance)
        out->x = m_next.x;
    if (std::abs(out->y - m_previous.y) < MagneticDistance)
        out->y = m_previous.y;
    else if (std::abs(out->y - m_next.y) < MagneticDistance)
        out->y = m_next.y;
}

void CPointTracker::DrawFeedback(CHyperRunView* view, CDC* dc, CWnd* clipTo)
{
    std::vector<POINT> points;
    if (m_erase || m_final) {
        points = m_feedback;
    } else {
        if (!m_noPrevious)
            points.push_back(m_previous);
        points.push_back(m_point);
        if (!m_noNext)
            points.push_back(m_next);
        if (clipTo)
            view->MapWindowPoints(clipTo, points.data(), static_cast<UINT>(points.size()));
    }
    CHyperTracker::FillOutlineRgn(dc, points.data(), static_cast<int>(points.size()));
    if (!m_final)
        m_feedback = points;
}

void CPointTracker::Erase(CHyperRunView* view, CDC* dc, CWnd* clipTo, BOOL final)
{
    m_erase = TRUE;
    m_final = final;
    DrawFeedback(view, dc, clipTo);
    m_erase = FALSE;
    m_final = FALSE;
}

void CPointTracker::Scroll(CHyperRunView* view, CDC* dc, CWnd* clipTo, CPoint mouse)
{
    CHyperTracker scroller;
    int dx = 0, dy = 0;
    if (!scroller.AutoScrollTest(view, &dx, &dy))
        return;
    if (!m_feedback.empty())
        Erase(view, dc, clipTo, FALSE);
    int shiftX = 0, shiftY = 0;
    scroller.AutoScroll(view, dx, dy, &shiftX, &shiftY);
    if (!m_noPrevious)
        m_previous.Offset(shiftX, shiftY);
    if (!m_noNext)
        m_next.Offset(shiftX, shiftY);
    const CPoint old = m_point;
    AdjustPoint(&m_point, view, mouse.x, mouse.y);
    if (m_point != old)
        OnPointChanged(old.x, old.y);
    DrawFeedback(view, dc, clipTo);
}

BOOL CPointTracker::Track(CPoint* out, CHyperRunView* view, int, int, CWnd* clipTo)
{
    CTrackSession session(view, clipTo);
    if (!session.Started())
        return FALSE;
    const CPoint start = m_point;
    CDC* dc = session.GetDC();
    CHyperTracker scroller;
    view->SetTimer(CHyperTracker::AutoScrollTimerId, scroller.GetAutoScrollPeriod(view), nullptr);
    BOOL drawn = FALSE;
    CPoint mouse = m_point;
    MSG msg;
    for (BOOL running = TRUE; running && session.Next(&msg);) {
        switch (msg.message) {
        case WM_MOUSEMOVE:
        case WM_LBUTTONUP: {
            mouse = CPoint(GET_X_LPARAM(msg.lParam), GET_Y_LPARAM(msg.lParam));
            const CPoint old = m_point;
            AdjustPoint(&m_point, view, mouse.x, mouse.y);
            const BOOL final = msg.message == WM_LBUTTONUP;
            if (m_point != old || final) {
                if (drawn)
                    Erase(view, dc, clipTo, final);
                OnPointChanged(old.x, old.y);
                drawn = !final;
            }
            if (final)
                running = FALSE;
            else if (m_point != old)
                DrawFeedback(view, dc, clipTo);
            break;
        }
        case WM_TIMER:
            if (msg.wParam == CHyperTracker::AutoScrollTimerId)
                Scroll(view, dc, clipTo, mouse);
            else
                ::DispatchMessage(&msg);
            break;
        case WM_KEYDOWN:
            if (msg.wParam != VK_ESCAPE) {
                ::DispatchMessage(&msg);
                break;
            }
            [[fallthrough]];
        case WM_RBUTTONDOWN:
            if (drawn)
                Erase(view, dc, clipTo, TRUE);
            m_point = start;
            drawn = FALSE;
            running = FALSE;
            break;
        default:
            ::DispatchMessage(&msg);
            break;
        }
    }
    view->KillTimer(CHyperTracker::AutoScrollTimerId);
    m_noPrevious = m_noNext = FALSE;
    *out = m_point;
    return TRUE;
}
