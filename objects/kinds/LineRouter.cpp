#include "objects/kinds/LineRouter.h"

#include "objects/HyperOb.h"
#include "objects/kinds/LineRouterView.h"

#include <algorithm>
#include <cstdint>

namespace {

// Rectangles meet when they share some inside; touching edges do not count.
bool Meets(const RECT& a, const RECT& b)
{
    return a.left < b.right && b.left < a.right && a.top < b.bottom && b.top < a.bottom;
}

bool Contains(const RECT& outer, const RECT& inner)
{
    return inner.left >= outer.left && inner.top >= outer.top && inner.right <= outer.right
        && inner.bottom <= outer.bottom;
}

RECT Normalised(const RECT& r)
{
    return { std::min(r.left, r.right), std::min(r.top, r.bottom), std::max(r.left, r.right),
             std::max(r.top, r.bottom) };
}

RECT Inflated(const RECT& r, int by)
{
    return { r.left - by, r.top - by, r.right + by, r.bottom + by };
}

// Where each leg of a grid point P, with its neighbourhood N, must be free of obstacles.
struct LegStrip {
    int bit;
    RECT (*strip)(POINT p, const RECT& n, SIZE cell);
};

constexpr LegStrip LegStrips[] = {
    { 16, [](POINT p, const RECT&, SIZE cell) { return RECT { p.x, p.y, p.x + cell.cx, p.y + cell.cy }; } },
    { 1, [](POINT p, const RECT& n, SIZE) { return RECT { n.left, n.top, n.right, p.y }; } },
    { 2, [](POINT p, const RECT& n, SIZE) { return RECT { p.x, n.top, n.right, n.bottom }; } },
    { 8, [](POINT p, const RECT& n, SIZE) { return RECT { n.left, n.top, p.x, n.bottom }; } },
    { 4, [](POINT p, const RECT& n, SIZE) { return RECT { n.left, p.y, n.right, n.bottom }; } },
};

} // namespace

struct CLineRouter::ViewState {
    RECT area;
    RECT routingArea;
    int gridX;
    int gridY;
    BOOL attach;
    std::vector<RECT> obstacles;
};

int CLineRouter::Clamped(int64_t value)
{
    return static_cast<int>(std::clamp<int64_t>(value, -CoordinateLimit, CoordinateLimit));
}

RECT CLineRouter::Clamped(const RECT& r)
{
    return { Clamped(r.left), Clamped(r.top), Clamped(r.right), Clamped(r.bottom) };
}

CLineRouter::CLineRouter() : m_masks([this](int i, int j) { return ComputeCellMask(i, j); })
{
}

CLineRouter::ViewState CLineRouter::ReadView(const CLineRouterView& view) const
{
    ViewState state {};
    if (view.IsMapped()) {
        SIZE extent = view.GetPageScrollExtent();
        state.area = { 0, 0, extent.cx, extent.cy };
    } else {
        state.area = view.GetLogicalClientRect();
    }
    state.gridX = view.GetFlagsLow();
    state.gridY = view.GetFlagsHigh();
    state.area = Clamped(state.area);
    RECT margins = view.GetRoutingMargins();
    state.routingArea = { Clamped(int64_t { state.area.left } + margins.left),
                          Clamped(int64_t { state.area.top } + margins.top),
                          Clamped(int64_t { state.area.right } - margins.right),
                          Clamped(int64_t { state.area.bottom } - margins.bottom) };
    state.attach = view.IsAttachSwitchOn();
    CObArray objects;
    view.GetObjectsWithSnapPoints(objects);
    for (INT_PTR k = 0; k < objects.GetSize(); ++k) {
        if (auto* object = dynamic_cast<CHyperOb*>(objects[k])) {
            CRect rect;
            object->GetGroupRect(&rect, 0);
            state.obstacles.push_back(Clamped(rect));
        }
    }
    return state;
}

BOOL CLineRouter::PrepareArea(const CLineRouterView& view)
{
    ViewState state = ReadView(view);
    // The attach switch counts as a change too: the grid is not kept up to date while it is on.
    BOOL unchanged = &view == m_lastView && state.gridX == m_viewGridX && state.gridY == m_viewGridY
        && EqualRect(&state.routingArea, &m_routingArea) && state.attach == m_attach
        && std::equal(state.obstacles.begin(), state.obstacles.end(), m_obstacles.begin(), m_obstacles.end(),
                      [](const RECT& a, const RECT& b) { return EqualRect(&a, &b) != FALSE; });
    if (unchanged)
        return TRUE;
    ResetPath();
    m_obstacles = std::move(state.obstacles);
    m_viewGridX = state.gridX;
    m_viewGridY = state.gridY;
    m_attach = state.attach;
    m_lastView = &view;
    m_routingArea = state.routingArea;
    if (m_attach) {
        // Patterns need no grid, only a cell size that can divide.
        m_cellWidth = std::clamp(state.gridX, 1, CellSizeLimit);
        m_cellHeight = std::clamp(state.gridY, 1, CellSizeLimit);
        m_masks.Reset(m_columns, m_rows);
        return TRUE;
    }
    m_cellWidth = std::clamp(state.gridX, 10, CellSizeLimit);
    m_cellHeight = std::clamp(state.gridY, 10, CellSizeLimit);
    m_columns = (state.area.right - state.area.left) / m_cellWidth + 1;
    m_rows = (state.area.bottom - state.area.top) / m_cellHeight + 1;
    m_masks.Reset(m_columns, m_rows);
    return TRUE;
}

void CLineRouter::ResetPath()
{
    m_obstacles.clear();
    m_obstacles.shrink_to_fit();
    m_lastView = nullptr;
}

int CLineRouter::ComputeCellMask(int i, int j) const
{
    const RECT& a = m_routingArea;
    POINT p { i * m_cellWidth, j * m_cellHeight };
    RECT n { p.x - m_cellWidth, p.y - m_cellHeight, p.x + m_cellWidth, p.y + m_cellHeight };
    if (!Meets(n, a))
        return 0;
    int mask = 31;
    if (!Contains(a, n)) {
        if (n.top < a.top || p.y > a.bottom)
            mask &= ~1;
        if (n.right > a.right || p.x < a.left)
            mask &= ~2;
        if (n.bottom > a.bottom || p.y < a.top)
            mask &= ~4;
        if (n.left < a.left || p.x > a.right)
            mask &= ~8;
    }
    for (const RECT& stored : m_obstacles) {
        RECT o = Normalised(stored);
        if (!Meets(o, a) || !Meets(o, n))
            continue;
        RECT grown = Inflated(o, ObstacleMargin);
        for (const LegStrip& leg : LegStrips) {
            if ((mask & leg.bit) && Meets(grown, leg.strip(p, n, GetCellSize())))
                mask &= ~leg.bit;
        }
    }
    return mask;
}

// Every grid point from..to in one column (vertical) or one row must have the bit.
BOOL CLineRouter::SegmentCellsHave(int fixedIndex, int from, int to, BOOL vertical, int bit)
{
    for (int k = from; k <= to; ++k) {
        int mask = vertical ? GetCellMask(fixedIndex, k) : GetCellMask(k, fixedIndex);
        if (!(mask & bit))
            return FALSE;
    }
    return TRUE;
}

BOOL CLineRouter::IsSegmentPassable(int x1, int y1, int x2, int y2)
{
    if (x1 == x2 && y1 != y2) {
        POINT upper = PointToCell(x1, std::min(y1, y2));
        int lowerY = std::max(y1, y2);
        int last = PointToCell(x1, lowerY).y - (lowerY % m_cellHeight == 0 ? 1 : 0);
        BOOL onLine = x1 % m_cellWidth == 0;
        return SegmentCellsHave(upper.x, upper.y, last, TRUE, onLine ? 4 : 16);
    }
    if (y1 == y2) {
        if (x1 == x2)
            return TRUE;
        POINT left = PointToCell(std::min(x1, x2), y1);
        int rightX = std::max(x1, x2);
        int last = PointToCell(rightX, y1).x - (rightX % m_cellWidth == 0 ? 1 : 0);
        BOOL onLine = y1 % m_cellHeight == 0;
        return SegmentCellsHave(left.y, left.x, last, FALSE, onLine ? 2 : 16);
    }
    return FALSE;
}

BOOL CLineRouter::ArePathLegsPassable(POINT p1, POINT p2, POINT p3)
{
    return IsSegmentPassable(p1.x, p1.y, p2.x, p2.y) && IsSegmentPassable(p2.x, p2.y, p3.x, p3.y);
}

void CLineRouter::SetEnds(POINT start, int startSide, POINT end, int endSide)
{
    m_startPoint = start;
    m_startSide = startSide;
    m_endPoint = end;
    m_endSide = endSide;
    FindEndCells();
}

void CLineRouter::FindEndCells()
{
    FindEndExit(m_startPoint, m_endPoint, m_startSide, &m_startCell, &m_startExit);
    FindEndExit(m_endPoint, m_startPoint, m_endSide, &m_endCell, &m_endExit);
}

BOOL ChooseByFlags(BOOL a, BOOL b, BOOL byDefault)
{
    if (a && !b)
        return TRUE;
    if (b && !a)
        return FALSE;
    return byDefault;
}

CLineRouter& GetLineRouter()
{
    static CLineRouter router;
    return router;
}
