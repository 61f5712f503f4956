// Window classes of the controls that show a position in a range: scroll bars, sliders, spin
// buttons and progress bars.
#include "platform/gdi/Dc.h"
#include "platform/ui/ControlKit.h"

#include <algorithm>
#include <utility>

namespace {

struct RangeState {
    int min = 0;
    int max = 100;
    int pos = 0;
    int page = 10;
    int line = 1;
    int step = 10;
    int ticFreq = 1;
    HWND buddy = nullptr;
};
using States = ctl::StateMap<RangeState>;

constexpr int arrowSize = 16;

bool vertical(HWND hwnd, DWORD verticalStyle) { return (ctl::StyleOf(hwnd) & verticalStyle) != 0; }

LRESULT setPos(HWND hwnd, int pos)
{
    RangeState& s = States::Of(hwnd);
    int old = s.pos;
    s.pos = std::clamp(pos, std::min(s.min, s.max), std::max(s.min, s.max));
    if (s.pos != old)
        ::InvalidateRect(hwnd, nullptr, TRUE);
    return old;
}

void setRange(HWND hwnd, int min, int max)
{
    RangeState& s = States::Of(hwnd);
    s.min = min;
    s.max = max;
    setPos(hwnd, s.pos);
    ::InvalidateRect(hwnd, nullptr, TRUE);
}

void scrollParent(HWND hwnd, bool isVertical, UINT code, int pos)
{
    if (HWND parent = ::GetParent(hwnd))
        ::SendMessage(parent, isVertical ? WM_VSCROLL : WM_HSCROLL, MAKEWPARAM(static_cast<WORD>(code), static_cast<WORD>(pos)),
                      reinterpret_cast<LPARAM>(hwnd));
}

// Length along the control and the mouse position along it.
int along(HWND hwnd, bool isVertical, LPARAM lParam, int* length)
{
    RECT client{};
    ::GetClientRect(hwnd, &client);
    *length = isVertical ? client.bottom : client.right;
    return isVertical ? GET_Y_LPARAM(lParam) : GET_X_LPARAM(lParam);
}

int thumbOffset(const RangeState& s, int track)
{
    int span = s.max - s.min;
    return span == 0 ? 0 : static_cast<int>(static_cast<long long>(track) * (s.pos - s.min) / span);
}

// Scroll bar controls: the parent moves the thumb in answer to the scroll messages.
void scrollBarClick(HWND hwnd, LPARAM lParam)
{
    bool isVertical = vertical(hwnd, SBS_VERT);
    int length = 0, at = along(hwnd, isVertical, lParam, &length);
    int thumb = arrowSize + thumbOffset(States::Of(hwnd), std::max(0, length - 3 * arrowSize));
    UINT code = at < arrowSize           ? SB_LINEUP
                : at >= length - arrowSize ? SB_LINEDOWN
                : at < thumb             ? SB_PAGEUP
                : at >= thumb + arrowSize ? SB_PAGEDOWN
                                           : SB_THUMBPOSITION;
    scrollParent(hwnd, isVertical, code, States::Of(hwnd).pos);
    scrollParent(hwnd, isVertical, SB_ENDSCROLL, 0);
}

void paintBar(HWND hwnd, CDC& dc, const RECT& client, bool isVertical, int thumbLength, bool arrows)
{
    const RangeState& s = States::Of(hwnd);
    int length = isVertical ? client.bottom : client.right;
    int inset = arrows ? arrowSize : 0;
    int track = std::max(0, length - 2 * inset - thumbLength);
    int at = inset + thumbOffset(s, track);
    RECT thumb = isVertical ? RECT{client.left, at, client.right, at + thumbLength}
                            : RECT{at, client.top, at + thumbLength, client.bottom};
    if (arrows) {
        RECT first = isVertical ? RECT{0, 0, client.right, inset} : RECT{0, 0, inset, client.bottom};
        RECT last = isVertical ? RECT{0, length - inset, client.right, length} : RECT{length - inset, 0, length, client.bottom};
        dc.DrawFrameControl(&first, DFC_SCROLL, isVertical ? DFCS_SCROLLUP : DFCS_SCROLLLEFT);
        dc.DrawFrameControl(&last, DFC_SCROLL, isVertical ? DFCS_SCROLLDOWN : DFCS_SCROLLRIGHT);
    } else {
        RECT channel = isVertical ? RECT{client.right / 2 - 2, 4, client.right / 2 + 2, length - 4}
                                  : RECT{4, client.bottom / 2 - 2, length - 4, client.bottom / 2 + 2};
        dc.DrawEdge(&channel, EDGE_SUNKEN, BF_RECT);
    }
    dc.DrawEdge(&thumb, EDGE_RAISED, BF_RECT | BF_MIDDLE);
}

UINT keyCode(WPARAM vk)
{
    switch (vk) {
    case VK_LEFT: case VK_UP: return TB_LINEUP;
    case VK_RIGHT: case VK_DOWN: return TB_LINEDOWN;
    case VK_PRIOR: return TB_PAGEUP;
    case VK_NEXT: return TB_PAGEDOWN;
    case VK_HOME: return TB_TOP;
    case VK_END: return TB_BOTTOM;
    default: return TB_ENDTRACK;
    }
}

// Sliders move themselves and then tell the parent.
void sliderMove(HWND hwnd, UINT code)
{
    RangeState& s = States::Of(hwnd);
    switch (code) {
    case TB_LINEUP: setPos(hwnd, s.pos - s.line); break;
    case TB_LINEDOWN: setPos(hwnd, s.pos + s.line); break;
    case TB_PAGEUP: setPos(hwnd, s.pos - s.page); break;
    case TB_PAGEDOWN: setPos(hwnd, s.pos + s.page); break;
    case TB_TOP: setPos(hwnd, s.min); break;
    case TB_BOTTOM: setPos(hwnd, s.max); break;
    default: return;
    }
    bool isVertical = vertical(hwnd, TBS_VERT);
    scrollParent(hwnd, isVertical, code, s.pos);
    scrollParent(hwnd, isVertical, TB_ENDTRACK, s.pos);
}

void sliderClick(HWND hwnd, LPARAM lParam)
{
    ::SetFocus(hwnd);
    bool isVertical = vertical(hwnd, TBS_VERT);
    int length = 0, at = along(hwnd, isVertical, lParam, &length);
    int thumb = thumbOffset(States::Of(hwnd), std::max(0, length - 10));
    if (at < thumb)
        sliderMove(hwnd, TB_PAGEUP);
    else if (at > thumb + 10)
        sliderMove(hwnd, TB_PAGEDOWN);
}

LRESULT sliderMessage(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam)
{
    RangeState& s = States::Of(hwnd);
    switch (message) {
    case TBM_GETPOS: return s.pos;
    case TBM_SETPOS: setPos(hwnd, static_cast<int>(lParam)); return 0;
    case TBM_GETRANGEMIN: return s.min;
    case TBM_GETRANGEMAX: return s.max;
    case TBM_SETRANGE: setRange(hwnd, static_cast<SHORT>(LOWORD(lParam)), static_cast<SHORT>(HIWORD(lParam))); return 0;
    case TBM_SETRANGEMIN: setRange(hwnd, static_cast<int>(lParam), s.max); return 0;
    case TBM_SETRANGEMAX: setRange(hwnd, s.min, static_cast<int>(lParam)); return 0;
    case TBM_SETTICFREQ: s.ticFreq = std::max(1, static_cast<int>(wParam)); return 0;
    case TBM_SETPAGESIZE: return std::exchange(s.page, static_cast<int>(lParam));
    case TBM_GETPAGESIZE: return s.page;
    case TBM_SETLINESIZE: return std::exchange(s.line, static_cast<int>(lParam));
    case TBM_GETLINESIZE: return s.line;
    default: return 0;
    }
}

void spinBy(HWND hwnd, int delta)
{
    RangeState& s = States::Of(hwnd);
    NMUPDOWN nm{{}, s.pos, s.max >= s.min ? delta : -delta};
    if (ctl::SendNotify(hwnd, nm.hdr, UDN_DELTAPOS))
        return;
    int low = std::min(s.min, s.max), high = std::max(s.min, s.max);
    int next = s.pos + nm.iDelta;
    if (ctl::StyleOf(hwnd) & UDS_WRAP)
        next = next > high ? low : next < low ? high : next;
    setPos(hwnd, next);
    if (s.buddy && (ctl::StyleOf(hwnd) & UDS_SETBUDDYINT))
        ::SetWindowText(s.buddy, std::to_string(s.pos).c_str());
    scrollParent(hwnd, !(ctl::StyleOf(hwnd) & UDS_HORZ), SB_THUMBPOSITION, s.pos);
    scrollParent(hwnd, !(ctl::StyleOf(hwnd) & UDS_HORZ), SB_ENDSCROLL, s.pos);
}

void spinClick(HWND hwnd, LPARAM lParam)
{
    bool horizontal = ctl::StyleOf(hwnd) & UDS_HORZ;
    int length = 0, at = along(hwnd, !horizontal, lParam, &length);
    bool firstHalf = at < length / 2;
    spinBy(hwnd, horizontal ? (firstHalf ? -1 : 1) : (firstHalf ? 1 : -1));
}

void paintSpin(HWND hwnd, CDC& dc, const RECT& client)
{
    bool horizontal = ctl::StyleOf(hwnd) & UDS_HORZ;
    RECT first = client, second = client;
    if (horizontal) {
        first.right = second.left = client.right / 2;
    } else {
        first.bottom = second.top = client.bottom / 2;
    }
    dc.DrawFrameControl(&first, DFC_SCROLL, horizontal ? DFCS_SCROLLLEFT : DFCS_SCROLLUP);
    dc.DrawFrameControl(&second, DFC_SCROLL, horizontal ? DFCS_SCROLLRIGHT : DFCS_SCROLLDOWN);
}

LRESULT spinMessage(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam)
{
    RangeState& s = States::Of(hwnd);
    switch (message) {
    case UDM_SETRANGE: setRange(hwnd, static_cast<SHORT>(HIWORD(lParam)), static_cast<SHORT>(LOWORD(lParam))); return 0;
    case UDM_GETRANGE: return MAKELONG(static_cast<WORD>(s.max), static_cast<WORD>(s.min));
    case UDM_SETRANGE32: setRange(hwnd, static_cast<int>(wParam), static_cast<int>(lParam)); return 0;
    case UDM_GETRANGE32:
        if (wParam)
            *reinterpret_cast<int*>(wParam) = s.min;
        if (lParam)
            *reinterpret_cast<int*>(lParam) = s.max;
        return 0;
    case UDM_SETPOS: return setPos(hwnd, static_cast<SHORT>(LOWORD(lParam)));
    case UDM_SETPOS32: return setPos(hwnd, static_cast<int>(lParam));
    case UDM_GETPOS: return MAKELONG(static_cast<WORD>(s.pos), 0);
    case UDM_GETPOS32: return s.pos;
    case UDM_SETBUDDY: return reinterpret_cast<LRESULT>(std::exchange(s.buddy, reinterpret_cast<HWND>(wParam)));
    case UDM_GETBUDDY: return reinterpret_cast<LRESULT>(s.buddy);
    default: return 0;
    }
}

LRESULT progressMessage(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam)
{
    RangeState& s = States::Of(hwnd);
    PBRANGE old{s.min, s.max};
    switch (message) {
    case PBM_SETRANGE: setRange(hwnd, LOWORD(lParam), HIWORD(lParam)); return MAKELONG(static_cast<WORD>(old.iLow), static_cast<WORD>(old.iHigh));
    case PBM_SETRANGE32: setRange(hwnd, static_cast<int>(wParam), static_cast<int>(lParam)); return MAKELONG(static_cast<WORD>(old.iLow), static_cast<WORD>(old.iHigh));
    case PBM_GETRANGE:
        if (lParam)
            *reinterpret_cast<PBRANGE*>(lParam) = old;
        return wParam ? s.min : s.max;
    case PBM_SETPOS: return setPos(hwnd, static_cast<int>(wParam));
    case PBM_GETPOS: return s.pos;
    case PBM_DELTAPOS: return setPos(hwnd, s.pos + static_cast<int>(wParam));
    case PBM_SETSTEP: return std::exchange(s.step, static_cast<int>(wParam));
    case PBM_STEPIT: {
        int next = s.pos + s.step;
        if (next > s.max)
            next = s.min + (next - s.max);
        return setPos(hwnd, next);
    }
    default: return 0;
    }
}

void paintProgress(HWND hwnd, CDC& dc, RECT client)
{
    const RangeState& s = States::Of(hwnd);
    dc.DrawEdge(&client, BDR_SUNKENOUTER, BF_RECT | BF_ADJUST);
    int span = std::max(1, s.max - s.min);
    RECT done = client;
    done.right = client.left + static_cast<int>(static_cast<long long>(client.right - client.left) * (s.pos - s.min) / span);
    dc.FillSolidRect(&done, ::GetSysColor(COLOR_HIGHLIGHT));
}

LRESULT common(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message == WM_NCDESTROY)
        States::Forget(hwnd);
    if (message == WM_ERASEBKGND)
        return TRUE;
    return ::DefWindowProc(hwnd, message, wParam, lParam);
}

} // namespace

LRESULT AfxScrollBarProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam)
{
    RangeState& s = States::Of(hwnd);
    bool isVertical = vertical(hwnd, SBS_VERT);
    switch (message) {
    case WM_PAINT:
        ctl::Paint(hwnd, WM_CTLCOLOR, [&](CDC& dc, const RECT& r) { paintBar(hwnd, dc, r, isVertical, arrowSize, true); });
        return 0;
    case WM_LBUTTONDOWN: scrollBarClick(hwnd, lParam); return 0;
    case WM_KEYDOWN: {
        UINT code = keyCode(wParam);
        if (code != TB_ENDTRACK)
            scrollParent(hwnd, isVertical, code, s.pos);
        return 0;
    }
    case SBM_SETPOS: return setPos(hwnd, static_cast<int>(wParam));
    case SBM_GETPOS: return s.pos;
    case SBM_SETRANGE: setRange(hwnd, static_cast<int>(wParam), static_cast<int>(lParam)); return 0;
    case SBM_GETRANGE:
        if (wParam)
            *reinterpret_cast<int*>(wParam) = s.min;
        if (lParam)
            *reinterpret_cast<int*>(lParam) = s.max;
        return 0;
    case SBM_SETSCROLLINFO: {
        const auto* info = reinterpret_cast<const SCROLLINFO*>(lParam);
        if (info->fMask & SIF_PAGE)
            s.page = static_cast<int>(info->nPage);
        if (info->fMask & SIF_RANGE)
            setRange(hwnd, info->nMin, info->nMax);
        if (info->fMask & SIF_POS)
            setPos(hwnd, info->nPos);
        return s.pos;
    }
    case SBM_GETSCROLLINFO: {
        auto* info = reinterpret_cast<SCROLLINFO*>(lParam);
        info->nMin = s.min;
        info->nMax = s.max;
        info->nPage = static_cast<UINT>(s.page);
        info->nPos = info->nTrackPos = s.pos;
        return TRUE;
    }
    default: return common(hwnd, message, wParam, lParam);
    }
}

LRESULT AfxSliderProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam)
{
    switch (message) {
    case WM_PAINT:
        ctl::Paint(hwnd, WM_CTLCOLOR, [&](CDC& dc, const RECT& r) { paintBar(hwnd, dc, r, vertical(hwnd, TBS_VERT), 10, false); });
        return 0;
    case WM_GETDLGCODE: return DLGC_WANTARROWS;
    case WM_LBUTTONDOWN: sliderClick(hwnd, lParam); return 0;
    case WM_KEYDOWN: sliderMove(hwnd, keyCode(wParam)); return 0;
    default:
        if (message >= WM_USER && message <= TBM_GETLINESIZE)
            return sliderMessage(hwnd, message, wParam, lParam);
        return common(hwnd, message, wParam, lParam);
    }
}

LRESULT AfxSpinProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam)
{
    switch (message) {
    case WM_CREATE: setRange(hwnd, 100, 0); break;
    case WM_PAINT: ctl::Paint(hwnd, WM_CTLCOLOR, [&](CDC& dc, const RECT& r) { paintSpin(hwnd, dc, r); }); return 0;
    case WM_LBUTTONDOWN: spinClick(hwnd, lParam); return 0;
    case WM_KEYDOWN:
        if ((ctl::StyleOf(hwnd) & UDS_ARROWKEYS) && (wParam == VK_UP || wParam == VK_DOWN))
            spinBy(hwnd, wParam == VK_UP ? 1 : -1);
        return 0;
    default:
        if (message >= UDM_SETRANGE && message <= UDM_GETPOS32)
            return spinMessage(hwnd, message, wParam, lParam);
        break;
    }
    return common(hwnd, message, wParam, lParam);
}

LRESULT AfxProgressProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message == WM_PAINT) {
        ctl::Paint(hwnd, WM_CTLCOLOR, [&](CDC& dc, const RECT& r) { paintProgress(hwnd, dc, r); });
        return 0;
    }
    if (message >= PBM_SETRANGE && message <= PBM_GETPOS)
        return progressMessage(hwnd, message, wParam, lParam);
    return common(hwnd, message, wParam, lParam);
}
