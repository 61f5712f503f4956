#include "View/FreeHandView.h"

#include "View/HyperFrame.h"
#include "View/PointTracker.h"
#include "objects/HyperTrackerSession.h"
#include "objects/kinds/BasePolyOb.h"
#include "platform/gdi/SysColors.h"
#include "platform/ui/CmdUI.h"
#include "platform/ui/UiApi.h"
#include "platform/ui/WinApp.h"

#include <algorithm>
#include <cmath>
#include <memory>
#include <numbers>

IMPLEMENT_DYNCREATE(CFreeHandView, CHyperView)

BEGIN_MESSAGE_MAP(CFreeHandView, CHyperView)
    ON_WM_LBUTTONDOWN()
    ON_WM_SETCURSOR()
    ON_COMMAND(CFreeHandView::CmdFreehand, OnFreehand)
    ON_UPDATE_COMMAND_UI(CFreeHandView::CmdFreehand, OnUpdateFreehand)
END_MESSAGE_MAP()

namespace {

double Length(POINT a, POINT b)
{
    return std::hypot(static_cast<double>(b.x - a.x), static_cast<double>(b.y - a.y));
}

// Degrees normalised into (-180, 180], in radians.
double Radians(double degrees)
{
    degrees = std::fmod(degrees, 360.0);
    if (degrees <= -180.0)
        degrees += 360.0;
    else if (degrees > 180.0)
        degrees -= 360.0;
    return degrees * std::numbers::pi / 180.0;
}

double TurningAngle(POINT before, POINT at, POINT after, double inLength, double outLength)
{
    const double dot = static_cast<double>(at.x - before.x) * (after.x - at.x)
        + static_cast<double>(at.y - before.y) * (after.y - at.y);
    // Rounding can take the cosine of a straight run just past 1.
    return std::acos(std::clamp(dot / (inLength * outLength), -1.0, 1.0));
}

HCURSOR FreehandCursor()
{
    HCURSOR cursor = ::LoadCursor(AfxGetResourceHandle(), MAKEINTRESOURCE(CFreeHandView::FreehandCursorId));
    return cursor ? cursor : ::LoadCursor(nullptr, IDC_CROSS);
}

} // namespace

std::vector<POINT> ThinTrace(const std::vector<POINT>& trace, double angle, double minStep)
{
    std::vector<POINT> thinned;
    if (trace.empty())
        return thinned;
    thinned.push_back(trace.front());
    const double limit = Radians(angle);
    for (size_t i = 1; i + 1 < trace.size(); ++i) {
        const double in = Length(trace[i - 1], trace[i]);
        const double out = Length(trace[i], trace[i + 1]);
        if (in >= minStep && out >= minStep && TurningAngle(trace[i - 1], trace[i], trace[i + 1], in, out) >= limit)
            thinned.push_back(trace[i]);
    }
    if (trace.size() > 1)
        thinned.push_back(trace.back());
    return thinned;
}

void CFreeHandView::OnLButtonDown(UINT flags, CPoint point)
{
    if (IsEditMode() && (IsDrawingFreehand() || GetCurrentTool() == GetFreehandTool())) {
        TrackFreehand(point);
        if (CHyperFrame* frame = GetHyperFrame())
            frame->PostMessage(WM_COMMAND, ToolSelect);
        return;
    }
    CHyperView::OnLButtonDown(flags, point);
    HideTrackedExtent();
}

void CFreeHandView::OnFreehand()
{
    SetDrawingFreehand(!IsDrawingFreehand());
}

void CFreeHandView::OnUpdateFreehand(CCmdUI* cmdUI)
{
    cmdUI->Enable(IsEditMode());
    cmdUI->SetCheck(IsEditMode() && IsDrawingFreehand());
}

BOOL CFreeHandView::OnSetCursor(CWnd* wnd, UINT hitTest, UINT message)
{
    if (IsDrawingFreehand()) {
        ::SetCursor(FreehandCursor());
        return TRUE;
    }
    return CHyperView::OnSetCursor(wnd, hitTest, message);
}

void CFreeHandView::DrawObjects(CDC* dc, CRect clip)
{
    CHyperView::DrawObjects(dc, clip);
    for (size_t i = 1; i < m_trace.size(); ++i) {
        dc->MoveTo(m_trace[i - 1]);
        dc->LineTo(m_trace[i]);
    }
}

void CFreeHandView::DrawFreehandPoints(CDC* dc)
{
    if (m_trace.empty())
        return;
    const int width = std::max(1, static_cast<int>(std::floor(m_defaultPenWidth * GetZoom() * 0.01 + 0.5)));
    const COLORREF color = m_defaultForeColor == static_cast<COLORREF>(-1) ? ::GetSysColor(COLOR_BTNTEXT)
                                                                           : m_defaultForeColor;
    CPen pen(PS_SOLID, width, color);
    CPen* old = dc->SelectObject(&pen);
    dc->Polyline(m_trace.data(), static_cast<int>(m_trace.size()));
    dc->SelectObject(old);
}

// The page in device pixels, right and bottom edges excluded.
CRect CFreeHandView::GetTraceBounds()
{
    CRect page;
    GetPageRect(&page, TRUE);
    page.right -= 1;
    page.bottom -= 1;
    LogicalToDeviceRect(&page, nullptr);
    return page;
}

// The stroke starts where the button went down, so a figure drawn back to that point closes.
int CFreeHandView::TrackFreehand(CPoint start)
{
    CTrackSession session(this, nullptr);
    if (!session.Started())
        return 0;
    ::SetCursor(FreehandCursor());
    const CRect bounds = GetTraceBounds();
    auto clamped = [&bounds](LPARAM lParam) {
        return POINT{std::clamp<LONG>(GET_X_LPARAM(lParam), bounds.left, bounds.right),
                     std::clamp<LONG>(GET_Y_LPARAM(lParam), bounds.top, bounds.bottom)};
    };
    m_trace.push_back(clamped(MAKELPARAM(static_cast<WORD>(start.x), static_cast<WORD>(start.y))));
    BOOL finish = TRUE;
    MSG msg;
    for (BOOL running = TRUE; running;) {
        if (!session.Next(&msg)) {
            finish = !session.Quitting();
            break;
        }
        switch (msg.message) {
        case WM_MOUSEMOVE:
            m_trace.push_back(clamped(msg.lParam));
            DrawFreehandPoints(session.GetDC());
            break;
        case WM_LBUTTONUP:
        case WM_RBUTTONDOWN:
            m_trace.push_back(clamped(msg.lParam));
            running = FALSE;
            break;
        case WM_KEYDOWN:
            if (msg.wParam == VK_ESCAPE) {
                finish = FALSE;
                running = FALSE;
            }
            break;
        default:
            ::DispatchMessage(&msg);
            break;
        }
    }
    if (finish)
        FinishTrace();
    m_trace.clear();
    Invalidate(FALSE);
    UpdateWindow();
    SetDrawingFreehand(FALSE);
    ::SetCursor(::LoadCursor(nullptr, IDC_ARROW));
    return 1;
}

void CFreeHandView::FinishTrace()
{
    if (m_trace.size() < 2)
        return;
    if (Length(m_trace.front(), m_trace.back()) <= m_closingDistance)
        m_trace.push_back(m_trace.front());
    AddFreehandObject(ThinTrace(m_trace, ThinningAngle, ThinningStep));
}

void CFreeHandView::AddFreehandObject(const std::vector<POINT>& points)
{
    std::vector<POINT> page(points);
    for (POINT& point : page)
        DeviceToLogical(&point, nullptr);
    CRect bounds(page.front(), page.front());
    for (const POINT& point : page) {
        bounds.left = std::min(bounds.left, point.x);
        bounds.top = std::min(bounds.top, point.y);
        bounds.right = std::max(bounds.right, point.x);
        bounds.bottom = std::max(bounds.bottom, point.y);
    }
    std::unique_ptr<CHyperOb> object(CreateObjectForTool(GetFreehandTool()));
    auto* polyline = dynamic_cast<CBasePolyOb*>(object.get());
    if (!polyline)
        return;
    polyline->Init(this, &bounds, TRUE);
    polyline->SetPoints(page.data(), static_cast<int>(page.size()));
    if (!AddObject(object.release(), TRUE, TRUE))
        return;
    ClearSelection(FALSE);
    NotifyChanged(TRUE);
}

POINT CFreeHandView::TrackEditPoint(POINT before, POINT start, POINT after)
{
    CRect page;
    GetPageRect(&page, TRUE);
    LogicalToDeviceRect(&page, nullptr);
    CPointTracker tracker(start.x, start.y, before.x, before.y, after.x, after.y, GetGridStepX(), GetGridStepY(),
                          page.left, page.top, page.right, page.bottom);
    CPoint moved = start;
    if (!tracker.Track(&moved, this, start.x, start.y, nullptr))
        return start;
    return moved;
}
