// Scroll views: total, page and line sizes in logical units, scroll bars kept in step with
// the client size, and scrolling by bars, keys and the wheel.
#include "platform/ui/View.h"

#include "platform/ui/WindowDC.h"

#include <algorithm>
#include <climits>

IMPLEMENT_DYNAMIC(CScrollView, CView)

const SIZE CScrollView::sizeDefault = {0, 0};

namespace {

constexpr int kBar = 16;

// Device pixels per logical unit of the fixed mapping modes, as numerator / denominator
// (96 pixels per inch).
struct Scale {
    int num;
    int den;
};

Scale scaleOf(int mapMode)
{
    switch (mapMode) {
    case 2: return {96, 254};   // 0.1 mm
    case 3: return {96, 2540};  // 0.01 mm
    case 4: return {96, 100};   // 0.01 inch
    case 5: return {96, 1000};  // 0.001 inch
    case 6: return {96, 1440};  // twips
    default: return {1, 1};
    }
}

} // namespace

CSize CScrollView::LogicalToDevice(SIZE size) const
{
    Scale s = scaleOf(m_nMapMode);
    return CSize(MulDiv(size.cx, s.num, s.den), MulDiv(size.cy, s.num, s.den));
}

void CScrollView::SetScrollSizes(int mapMode, SIZE sizeTotal, const SIZE& sizePage, const SIZE& sizeLine)
{
    m_nMapMode = mapMode;
    m_totalLog = CSize(std::max(0, static_cast<int>(sizeTotal.cx)), std::max(0, static_cast<int>(sizeTotal.cy)));
    m_totalDev = LogicalToDevice(m_totalLog);
    bool defaultPage = sizePage.cx == 0 && sizePage.cy == 0;
    bool defaultLine = sizeLine.cx == 0 && sizeLine.cy == 0;
    m_pageDev = defaultPage ? CSize(m_totalDev.cx / 10, m_totalDev.cy / 10) : LogicalToDevice(sizePage);
    m_lineDev = defaultLine ? CSize(m_pageDev.cx / 10, m_pageDev.cy / 10) : LogicalToDevice(sizeLine);
    m_lineDev.cx = std::max(1, static_cast<int>(m_lineDev.cx));
    m_lineDev.cy = std::max(1, static_cast<int>(m_lineDev.cy));
    if (m_hWnd) {
        UpdateBars();
        Invalidate(TRUE);
    }
}

void CScrollView::SetScaleToFitSize(SIZE sizeTotal)
{
    m_nMapMode = MM_SCALETOFIT_MODE;
    m_totalLog = sizeTotal;
    m_totalDev = sizeTotal;
    if (m_hWnd) {
        UpdateBars();
        Invalidate(TRUE);
    }
}

void CScrollView::GetDeviceScrollSizes(int& mapMode, SIZE& sizeTotal, SIZE& sizePage, SIZE& sizeLine) const
{
    mapMode = m_nMapMode;
    sizeTotal = m_totalDev;
    sizePage = m_pageDev;
    sizeLine = m_lineDev;
}

CPoint CScrollView::GetDeviceScrollPosition() const { return CPoint(GetScrollPos(SB_HORZ), GetScrollPos(SB_VERT)); }

CPoint CScrollView::GetScrollPosition() const
{
    CPoint pt = GetDeviceScrollPosition();
    if (m_nMapMode == MM_SCALETOFIT_MODE)
        return CPoint(0, 0);
    Scale s = scaleOf(m_nMapMode);
    return CPoint(MulDiv(pt.x, s.den, s.num), MulDiv(pt.y, s.den, s.num));
}

void CScrollView::ScrollToPosition(POINT pt)
{
    if (m_nMapMode == MM_SCALETOFIT_MODE)
        return;
    CSize device = LogicalToDevice(CSize(pt.x, pt.y));
    ScrollToDevicePosition(CPoint(device.cx, device.cy));
}

void CScrollView::ScrollToDevicePosition(POINT pt)
{
    int x = std::clamp(static_cast<int>(pt.x), 0, std::max(0, GetScrollLimit(SB_HORZ)));
    int y = std::clamp(static_cast<int>(pt.y), 0, std::max(0, GetScrollLimit(SB_VERT)));
    if (!(GetStyle() & WS_HSCROLL))
        x = 0;
    if (!(GetStyle() & WS_VSCROLL))
        y = 0;
    int xOrig = GetScrollPos(SB_HORZ), yOrig = GetScrollPos(SB_VERT);
    SetScrollPos(SB_HORZ, x);
    SetScrollPos(SB_VERT, y);
    ScrollWindow(xOrig - x, yOrig - y);
}

void CScrollView::UpdateBars()
{
    if (m_bInsideUpdate || !m_hWnd)
        return;
    m_bInsideUpdate = TRUE;
    if (m_nMapMode == MM_SCALETOFIT_MODE) {
        SCROLLINFO none{sizeof(SCROLLINFO), SIF_RANGE | SIF_PAGE | SIF_POS, 0, 0, 0, 0, 0};
        ::SetScrollInfo(m_hWnd, SB_HORZ, &none, TRUE);
        ::SetScrollInfo(m_hWnd, SB_VERT, &none, TRUE);
        m_bInsideUpdate = FALSE;
        return;
    }
    CRect client;
    GetClientRect(&client);
    CSize full(client.Width() + ((GetStyle() & WS_VSCROLL) ? kBar : 0), client.Height() + ((GetStyle() & WS_HSCROLL) ? kBar : 0));
    bool needH = m_totalDev.cx > full.cx, needV = m_totalDev.cy > full.cy;
    if (needH && !needV)
        needV = m_totalDev.cy > full.cy - kBar;
    if (needV && !needH)
        needH = m_totalDev.cx > full.cx - kBar;
    CSize avail(std::max(0, static_cast<int>(full.cx) - (needV ? kBar : 0)), std::max(0, static_cast<int>(full.cy) - (needH ? kBar : 0)));
    CPoint old = GetDeviceScrollPosition();
    CPoint pos(needH ? std::min(static_cast<int>(old.x), std::max(0, static_cast<int>(m_totalDev.cx - avail.cx))) : 0,
               needV ? std::min(static_cast<int>(old.y), std::max(0, static_cast<int>(m_totalDev.cy - avail.cy))) : 0);
    SCROLLINFO h{sizeof(SCROLLINFO), SIF_ALL, 0, needH ? static_cast<int>(m_totalDev.cx) - 1 : 0,
                 needH ? static_cast<UINT>(avail.cx) : 0, pos.x, 0};
    SCROLLINFO v{sizeof(SCROLLINFO), SIF_ALL, 0, needV ? static_cast<int>(m_totalDev.cy) - 1 : 0,
                 needV ? static_cast<UINT>(avail.cy) : 0, pos.y, 0};
    ::SetScrollInfo(m_hWnd, SB_HORZ, &h, TRUE);
    ::SetScrollInfo(m_hWnd, SB_VERT, &v, TRUE);
    if (pos != old)
        ScrollWindow(old.x - pos.x, old.y - pos.y);
    m_bInsideUpdate = FALSE;
}

BOOL CScrollView::OnScroll(UINT scrollCode, UINT pos, BOOL doScroll)
{
    auto step = [&](BYTE code, int current, int line, int page) {
        switch (code) {
        case SB_TOP: return 0;
        case SB_BOTTOM: return INT_MAX / 2;
        case SB_LINEUP: return current - line;
        case SB_LINEDOWN: return current + line;
        case SB_PAGEUP: return current - page;
        case SB_PAGEDOWN: return current + page;
        case SB_THUMBTRACK:
        case SB_THUMBPOSITION: return static_cast<int>(pos);
        default: return current;
        }
    };
    int x = GetScrollPos(SB_HORZ), y = GetScrollPos(SB_VERT);
    int nx = step(LOBYTE(scrollCode), x, m_lineDev.cx, m_pageDev.cx);
    int ny = step(HIBYTE(scrollCode), y, m_lineDev.cy, m_pageDev.cy);
    return OnScrollBy(CSize(nx - x, ny - y), doScroll);
}

BOOL CScrollView::OnScrollBy(CSize sizeScroll, BOOL doScroll)
{
    DWORD style = GetStyle();
    if (!(style & WS_VSCROLL))
        sizeScroll.cy = 0;
    if (!(style & WS_HSCROLL))
        sizeScroll.cx = 0;
    int xOrig = GetScrollPos(SB_HORZ), yOrig = GetScrollPos(SB_VERT);
    int x = std::clamp(static_cast<int>(static_cast<long long>(xOrig) + sizeScroll.cx), 0, std::max(0, GetScrollLimit(SB_HORZ)));
    int y = std::clamp(static_cast<int>(static_cast<long long>(yOrig) + sizeScroll.cy), 0, std::max(0, GetScrollLimit(SB_VERT)));
    if (x == xOrig && y == yOrig)
        return FALSE;
    if (doScroll) {
        ScrollWindow(xOrig - x, yOrig - y);
        if (x != xOrig)
            SetScrollPos(SB_HORZ, x);
        if (y != yOrig)
            SetScrollPos(SB_VERT, y);
    }
    return TRUE;
}

void CScrollView::OnPrepareDC(CDC* dc, CPrintInfo* info)
{
    CRect client;
    GetClientRect(&client);
    if (m_nMapMode == MM_SCALETOFIT_MODE)
        ui::PrepareViewDC(dc, m_nMapMode, m_totalLog, client.Size(), CPoint(0, 0));
    else {
        CPoint pos = GetDeviceScrollPosition();
        ui::PrepareViewDC(dc, m_nMapMode ? m_nMapMode : 1, m_totalLog, m_totalDev, CPoint(-pos.x, -pos.y));
    }
    CView::OnPrepareDC(dc, info);
}

void CScrollView::OnSize(UINT type, int cx, int cy)
{
    CView::OnSize(type, cx, cy);
    if (m_nMapMode == MM_SCALETOFIT_MODE)
        Invalidate(TRUE);
    else
        UpdateBars();
}

void CScrollView::OnHScroll(UINT code, UINT pos, CScrollBar*) { OnScroll(MAKEWORD(static_cast<BYTE>(code), 0xFF), pos); }
void CScrollView::OnVScroll(UINT code, UINT pos, CScrollBar*) { OnScroll(MAKEWORD(0xFF, static_cast<BYTE>(code)), pos); }

BOOL CScrollView::OnMouseWheel(UINT, short delta, CPoint)
{
    if (!(GetStyle() & (WS_VSCROLL | WS_HSCROLL)))
        return FALSE;
    bool vertical = (GetStyle() & WS_VSCROLL) != 0;
    int line = vertical ? m_lineDev.cy : m_lineDev.cx;
    int amount = MulDiv(-delta, 3 * line, WHEEL_DELTA);
    BOOL moved = OnScrollBy(vertical ? CSize(0, amount) : CSize(amount, 0), TRUE);
    if (moved)
        UpdateWindow();
    return moved;
}

BEGIN_MESSAGE_MAP(CScrollView, CView)
    ON_WM_SIZE()
    ON_WM_HSCROLL()
    ON_WM_VSCROLL()
    ON_WM_MOUSEWHEEL()
END_MESSAGE_MAP()
