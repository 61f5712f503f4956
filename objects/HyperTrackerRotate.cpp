// Turning an object by dragging: the angle follows the mouse about the rotation centre,
// shown in a tip and as the turned outline.
#include "objects/Angles.h"
#include "objects/HyperOb.h"
#include "objects/HyperTracker.h"
#include "objects/HyperTrackerSession.h"
#include "objects/ObjectHost.h"
#include "platform/core/String.h"
#include "platform/ui/UiApi.h"
#include "platform/ui/Wnd.h"

#include <cmath>
#include <memory>

namespace {
double AngleAbout(POINT centre, LONG x, LONG y)
{
    return RadiansToDegrees(std::atan2(static_cast<double>(y - centre.y), static_cast<double>(x - centre.x)));
}
}

CString FormatRotationTip(double angle)
{
    char sign = angle > 0.0 ? '+' : angle < 0.0 ? '-' : ' ';
    CString text;
    // The degree sign in the program's 8-bit code page.
    text.Format("{ %c%.2lf\xB0 }", sign, std::fabs(angle));
    return text;
}

void CHyperObTracker::ShowAngle()
{
    CObjectHost* host = GetHost();
    if (!host)
        return;
    POINT centre;
    GetCenter(&centre);
    host->LogicalToDevice(&centre, 1);
    int zoom = GetZoom();
    SIZE size{m_rotationRect.Width() * zoom / 100, m_rotationRect.Height() * zoom / 100};
    host->ShowAngleTip(FormatRotationTip(RotateAngle), centre, size);
}

void CHyperObTracker::DrawTurnedOutline(CDC* dc, const std::vector<POINT>& start, POINT centre, double startAngle)
{
    std::vector<POINT> points = start;
    for (POINT& p : points)
        if (p.x != OutlineBreak || p.y != OutlineBreak)
            RotatePoints(&p, &p, 1, RotateAngle - startAngle, centre.x, centre.y);
    FillOutlineRgn(dc, points.data(), static_cast<int>(points.size()));
    m_feedback = std::move(points);
}

BOOL CHyperObTracker::TrackRotate(CWnd* wnd, CPoint point, CWnd* clipTo)
{
    CTrackSession session(wnd, clipTo);
    if (!session.Started() || !m_object)
        return FALSE;
    CObjectHost* host = GetHost();
    POINT centre;
    GetCenter(&centre);
    if (host)
        host->LogicalToDevice(&centre, 1);
    POINT* raw = nullptr;
    int count = m_object->GetRotatedPoints(&raw);
    std::unique_ptr<POINT[]> owned(raw);
    std::vector<POINT> outline(raw, raw + count);
    if (host)
        for (POINT& p : outline)
            if (p.x != OutlineBreak || p.y != OutlineBreak)
                host->LogicalToDevice(&p, 1);
    double a0 = AngleAbout(centre, point.x, point.y);
    double startAngle = RotateAngle;
    CDC* dc = session.GetDC();
    m_feedback.clear();
    BOOL drawn = FALSE;
    BOOL cancelled = FALSE;
    MSG msg;
    for (BOOL done = FALSE; !done;) {
        if (!session.Next(&msg)) {
            cancelled = session.Quitting();
            break;
        }
        switch (msg.message) {
        case WM_MOUSEMOVE:
        case WM_LBUTTONUP: {
            double previous = RotateAngle;
            RotateAngle = NormalizeDegrees(AngleAbout(centre, GET_X_LPARAM(msg.lParam), GET_Y_LPARAM(msg.lParam)) - a0
                                           + startAngle);
            m_bFinalErase = msg.message == WM_LBUTTONUP;
            BOOL changed = RotateAngle != previous;
            if (changed || m_bFinalErase) {
                if (drawn)
                    FillOutlineRgn(dc, m_feedback.data(), static_cast<int>(m_feedback.size()));
                ShowAngle();
                OnAngleChanged(previous);
                drawn = drawn || !m_bFinalErase;
            }
            done = m_bFinalErase;
            if (!done && changed)
                DrawTurnedOutline(dc, outline, centre, startAngle);
            break;
        }
        case WM_KEYDOWN:
            if (msg.wParam != VK_ESCAPE) {
                ::DispatchMessage(&msg);
                break;
            }
            [[fallthrough]];
        case WM_RBUTTONDOWN:
            cancelled = TRUE;
            done = TRUE;
            break;
        default:
            ::DispatchMessage(&msg);
            break;
        }
    }
    if (drawn && !m_bFinalErase)
        FillOutlineRgn(dc, m_feedback.data(), static_cast<int>(m_feedback.size()));
    m_feedback.clear();
    if (host)
        host->HideAngleTip();
    if (!drawn || cancelled)
        RotateAngle = startAngle;
    m_bErase = m_bFinalErase = FALSE;
    return RotateAngle != startAngle;
}
