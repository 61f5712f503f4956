#include "platform/ink/InkCollector.h"

#include "platform/ink/InkTablet.h"
#include "platform/ui/UiApi.h"
#include "platform/ui/Wnd.h"

#include <utility>

namespace {

std::map<HWND, InkCollector*>& Hooked()
{
    static std::map<HWND, InkCollector*> hooked;
    return hooked;
}

POINT ClientPoint(LPARAM lParam) { return {GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)}; }

}  // namespace

InkCollector::InkCollector() : m_ink(InkDisp::Create()) {}

InkCollector::~InkCollector() { SetEnabled(false); }

bool InkCollector::SetHWnd(HWND hwnd)
{
    if (m_enabled)
        return false;
    m_hwnd = hwnd;
    return true;
}

bool InkCollector::SetEnabled(bool enabled)
{
    if (enabled == m_enabled)
        return true;
    if (enabled && (!m_hwnd || !IsWindow(m_hwnd) || Hooked().count(m_hwnd)))
        return false;
    if (enabled) {
        WatchTablets();
        Attach();
    } else {
        if (m_stroke)
            m_ink->DeleteStroke(m_stroke);
        m_stroke.reset();
        m_down = false;
        Detach();
    }
    m_enabled = enabled;
    return true;
}

bool InkCollector::SetInk(std::shared_ptr<InkDisp> ink)
{
    if (m_enabled || !ink)
        return false;
    m_ink = std::move(ink);
    return true;
}

InkCollector* InkCollector::OnWindow(HWND hwnd)
{
    auto it = Hooked().find(hwnd);
    return it == Hooked().end() ? nullptr : it->second;
}

DWORD InkCollector::Advise(InkCollectorEvents* sink)
{
    m_sinks[m_nextCookie] = sink;
    return m_nextCookie++;
}

bool InkCollector::Unadvise(DWORD cookie) { return m_sinks.erase(cookie) > 0; }

void InkCollector::Attach()
{
    Hooked()[m_hwnd] = this;
    m_previous = reinterpret_cast<WNDPROC>(GetWindowLongPtr(m_hwnd, GWL_WNDPROC));
    SetWindowLongPtr(m_hwnd, GWL_WNDPROC, reinterpret_cast<LONG_PTR>(&Hook));
    InvalidateRect(m_hwnd, nullptr, TRUE);
}

void InkCollector::Detach()
{
    if (IsWindow(m_hwnd) && GetWindowLongPtr(m_hwnd, GWL_WNDPROC) == reinterpret_cast<LONG_PTR>(&Hook))
        SetWindowLongPtr(m_hwnd, GWL_WNDPROC, reinterpret_cast<LONG_PTR>(m_previous));
    Hooked().erase(m_hwnd);
    if (IsWindow(m_hwnd))
        InvalidateRect(m_hwnd, nullptr, TRUE);
}

LRESULT InkCollector::Hook(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam)
{
    auto it = Hooked().find(hwnd);
    if (it == Hooked().end())
        return DefWindowProc(hwnd, message, wParam, lParam);
    return it->second->Handle(message, wParam, lParam);
}

LRESULT InkCollector::Handle(UINT message, WPARAM wParam, LPARAM lParam)
{
    WNDPROC previous = m_previous;
    HWND hwnd = m_hwnd;
    switch (message) {
    case WM_LBUTTONDOWN:
        PenDown(ClientPoint(lParam));
        if (m_down)
            return 0;
        break;
    case WM_MOUSEMOVE:
        if (m_down) {
            PenMove(ClientPoint(lParam));
            return 0;
        }
        break;
    case WM_LBUTTONUP:
        if (m_down) {
            PenUp(ClientPoint(lParam));
            return 0;
        }
        break;
    case WM_PAINT: {
        LRESULT result = CallWindowProc(previous, hwnd, message, wParam, lParam);
        CWnd* wnd = IsWindow(hwnd) ? CWnd::FromHandle(hwnd) : nullptr;
        if (AutoRedraw && wnd) {
            CDC* dc = AfxGetWindowDC(wnd, FALSE);
            Paint(dc ? dc->GetSafeHdc() : nullptr);
            AfxReleaseWindowDC(wnd, dc);
        }
        return result;
    }
    case WM_NCDESTROY:
        SetEnabled(false);
        break;
    default:
        break;
    }
    return CallWindowProc(previous, hwnd, message, wParam, lParam);
}

POINT InkCollector::ToInk(POINT client) const
{
    m_renderer.PixelToInkSpace(nullptr, client);
    return client;
}

void InkCollector::Invalidate(const RECT& inkRect)
{
    RECT r = inkRect;
    m_renderer.InkSpaceToPixel(nullptr, r);
    InflateRect(&r, 2, 2);
    InvalidateRect(m_hwnd, &r, FALSE);
}

void InkCollector::PenDown(POINT client, std::optional<WORD> pressure, const InkCursor& cursor)
{
    RECT& in = m_inputRect;
    bool outside = !IsRectEmpty(&in) && !PtInRect(&in, client);
    if (!m_enabled || m_down || outside)
        return;
    bool newCursor = cursor.Id != m_cursor.Id;
    if (newCursor || cursor.Inverted != m_cursor.Inverted) {
        m_cursor = cursor;
        Fire([&](InkCollectorEvents& sink) { sink.CursorInRange(m_cursor, newCursor); });
    }
    m_down = BeginInput(ToInk(client), pressure);
    if (m_down)
        SetCapture(m_hwnd);
}

void InkCollector::PenMove(POINT client, std::optional<WORD> pressure)
{
    if (m_down)
        ContinueInput(ToInk(client), pressure);
}

void InkCollector::PenUp(POINT client)
{
    if (!m_down)
        return;
    m_down = false;
    ReleaseCapture();
    EndInput(ToInk(client));
}

bool InkCollector::BeginInput(POINT ink, std::optional<WORD> pressure)
{
    std::vector<WORD> pressures;
    if (pressure)
        pressures.push_back(*pressure);
    m_stroke = m_ink->CreateStroke({ink}, pressures);
    m_stroke->SetDrawingAttributes(m_attributes);
    Fire([&](InkCollectorEvents& sink) { sink.CursorDown(m_cursor, m_stroke); });
    return true;
}

void InkCollector::ContinueInput(POINT ink, std::optional<WORD> pressure)
{
    if (!m_stroke)
        return;
    std::vector<POINT> points = m_stroke->Points();
    std::vector<WORD> pressures = m_stroke->Pressures();
    points.push_back(ink);
    if (!pressures.empty())
        pressures.push_back(pressure.value_or(pressures.back()));
    m_stroke->SetPoints(std::move(points), std::move(pressures));
    Fire([&](InkCollectorEvents& sink) { sink.NewPackets(m_cursor, m_stroke, 1); });
    if (DynamicRendering)
        Invalidate(m_stroke->GetBoundingBox());
}

void InkCollector::EndInput(POINT ink)
{
    if (!m_stroke)
        return;
    if (ink.x != m_stroke->Points().back().x || ink.y != m_stroke->Points().back().y)
        ContinueInput(ink, std::nullopt);
    auto stroke = std::exchange(m_stroke, nullptr);
    if (TakeAsGesture(stroke))
        return;
    bool cancel = false;
    Fire([&](InkCollectorEvents& sink) { sink.Stroke(m_cursor, stroke, cancel); });
    if (cancel)
        m_ink->DeleteStroke(stroke);
    Invalidate(stroke->GetBoundingBox());
}

bool InkCollector::SetCollectionMode(InkCollectionMode mode)
{
    if (m_enabled)
        return false;
    m_collectionMode = mode;
    return true;
}

bool InkCollector::TakeAsGesture(const std::shared_ptr<InkStrokeDisp>& stroke)
{
    if (m_collectionMode == InkCollectionMode::InkOnly)
        return false;
    // A gesture is at least this many pixels across.
    constexpr LONG kGesturePixels = 10;
    const double minimum = ToInk({kGesturePixels, 0}).x - ToInk({0, 0}).x;
    const std::vector<InkGesture> gestures{RecognizeInkGesture(stroke->Points(), minimum)};
    bool cancel = gestures.front().Id == InkApplicationGesture::NoGesture;
    if (!cancel) {
        InkStrokes strokes(m_ink);
        strokes.Add(stroke);
        Fire([&](InkCollectorEvents& sink) { sink.Gesture(m_cursor, strokes, gestures, cancel); });
    }
    if (cancel && m_collectionMode == InkCollectionMode::InkAndGesture)
        return false;
    const RECT box = stroke->GetBoundingBox();
    m_ink->DeleteStroke(stroke);
    Invalidate(box);
    return true;
}

void InkCollector::Paint(HDC dc)
{
    if (!dc)
        return;
    CDC* cdc = CDC::FromHandle(dc);
    m_renderer.Draw(*cdc, m_ink->Strokes());
}
