#include "objects/kinds/LineRouter.h"

#include <cstdlib>

namespace {

struct Step {
    int bit;
    int di;
    int dj;
};

// Neighbours in the order they are relaxed: up, right, down, left.
constexpr Step Steps[] = { { 1, 0, -1 }, { 2, 1, 0 }, { 4, 0, 1 }, { 8, -1, 0 } };

// A search that floods a very large page for an end it cannot reach stops here and takes
// the fallback bend, so routing never stalls the user interface.
constexpr int ExpansionLimit = 100000;

bool SameCell(POINT a, int i, int j)
{
    return a.x == i && a.y == j;
}

} // namespace

std::vector<POINT> CLineRouter::Route(int offset, int x1, int y1, int startSide, int x2, int y2, int endSide)
{
    if (m_attach)
        return RouteDirect(offset, x1, y1, startSide, x2, y2, endSide);
    offset = Clamped(offset);
    SetEnds({ Clamped(x1), Clamped(y1) }, startSide, { Clamped(x2), Clamped(y2) }, endSide);
    if (IsOutsideArea()) {
        m_path = { m_endPoint, { m_endPoint.x, m_startPoint.y }, m_startPoint };
        return TakePath(offset);
    }
    POINT corner;
    if (FindOneBend(&corner) || !ShouldSearch()) {
        m_path = { m_endPoint, m_endExit, corner, m_startExit, m_startPoint };
    } else {
        // Ends that enter the grid at one point need no search: the path runs through it.
        if (!SameCell(m_endCell, m_startCell.x, m_startCell.y))
            Search();
        PathFromSearch();
    }
    SimplifyPath();
    CentreMiddleLeg();
    return TakePath(offset);
}

BOOL CLineRouter::IsOutsideArea() const
{
    RECT area = m_routingArea;
    ++area.right;
    ++area.bottom;
    return !PtInRect(&area, m_startPoint) || !PtInRect(&area, m_endPoint) || !PtInRect(&area, CellPoint(m_startCell))
        || !PtInRect(&area, CellPoint(m_endCell));
}

BOOL CLineRouter::FindOneBend(POINT* corner)
{
    POINT across { m_endExit.x, m_startExit.y };
    POINT along { m_startExit.x, m_endExit.y };
    *corner = across;
    if (ArePathLegsPassable(m_startExit, across, m_endExit))
        return TRUE;
    if (ArePathLegsPassable(m_startExit, along, m_endExit)) {
        *corner = along;
        return TRUE;
    }
    return FALSE;
}

BOOL CLineRouter::ShouldSearch()
{
    int steps = std::abs(m_startCell.x - m_endCell.x) + std::abs(m_startCell.y - m_endCell.y);
    return !IsCellBlocked(m_startCell.x, m_startCell.y) && !IsCellBlocked(m_endCell.x, m_endCell.y)
        && steps <= LengthLimit;
}

void CLineRouter::Search()
{
    m_nodes.Reset(m_columns, m_rows, m_startCell, m_endCell);
    m_nodes.SetAt(m_endCell.x, m_endCell.y, { -1, -1, 0, RouteUnreached, 8 });
    m_nodes.SetAt(m_startCell.x, m_startCell.y, { -1, -1, 0, 0, 0 });
    m_open.Clear();
    m_open.Insert(m_startCell, 0);
    for (int expanded = 0; !m_open.IsEmpty() && expanded < ExpansionLimit; ++expanded) {
        m_currentCell = m_open.RemoveHead();
        int mask = GetCellMask(m_currentCell.x, m_currentCell.y);
        for (const Step& step : Steps) {
            if (mask & step.bit)
                RelaxNeighbour(m_currentCell.x + step.di, m_currentCell.y + step.dj);
        }
    }
    m_open.Clear();
}

void CLineRouter::RelaxNeighbour(int i, int j)
{
    const POINT c = m_currentCell;
    const RouteNode current = m_nodes.Lookup(c.x, c.y);
    if (i == current.parentI && j == current.parentJ)
        return;
    BOOL first = current.parentI == -1 && current.parentJ == -1;
    int turns = current.turns + (first || i - c.x != c.x - current.parentI ? 1 : 0);
    int g = current.g + 1;
    const RouteNode& node = m_nodes.Lookup(i, j);
    if (!(g < node.g || (g == node.g && turns < node.turns)))
        return;
    int f = g + std::abs(i - m_endCell.x) + std::abs(j - m_endCell.y);
    BOOL isEnd = SameCell(m_endCell, i, j);
    const RouteNode& end = m_nodes.Lookup(m_endCell.x, m_endCell.y);
    if (f >= end.g && !isEnd && (f > end.g || turns >= end.turns))
        return;
    m_nodes.SetAt(i, j, { c.x, c.y, f, g, turns });
    if (!isEnd) {
        m_open.Insert({ i, j }, f);
        return;
    }
    // Equally short paths that have turned less so far may still reach the end with fewer turns.
    m_open.PruneBehindEnd(f, [&](POINT cell) { return m_nodes.Lookup(cell.x, cell.y).turns < turns; });
}

void CLineRouter::PathFromSearch()
{
    m_path = { m_endPoint, m_endExit };
    if (SameCell(m_endCell, m_startCell.x, m_startCell.y)) {
        m_path.insert(m_path.end(), { CellPoint(m_startCell), m_startExit, m_startPoint });
        return;
    }
    const RouteNode& end = m_nodes.Lookup(m_endCell.x, m_endCell.y);
    if (end.parentI == -1 && end.parentJ == -1) {
        m_path.push_back({ m_endExit.x, m_startExit.y });
    } else {
        // Each parent was reached in fewer steps than its child, so the walk ends at the start.
        POINT cell = m_endCell;
        while (cell.x != -1 || cell.y != -1) {
            m_path.push_back(CellPoint(cell));
            const RouteNode& node = m_nodes.Lookup(cell.x, cell.y);
            cell = { node.parentI, node.parentJ };
        }
    }
    m_path.push_back(m_startExit);
    m_path.push_back(m_startPoint);
}
