#include "objects/kinds/LineRouter.h"

#include <cstdlib>
#include <initializer_list>

namespace {

// The sides of an end's box in the order they are tried, with the snap-point positions that
// may leave through each (bit n for position n).
enum class BoxSide { Right, Left, Top, Bottom };

struct ExitSide {
    BoxSide side;
    unsigned positions;
};

constexpr unsigned Positions(std::initializer_list<int> list)
{
    unsigned bits = 0;
    for (int position : list)
        bits |= 1u << position;
    return bits;
}

constexpr ExitSide ExitSides[] = {
    { BoxSide::Right, Positions({ 8, 5, 1, 2 }) },
    { BoxSide::Left, Positions({ 8, 7, 0, 3 }) },
    { BoxSide::Top, Positions({ 8, 4, 0, 1 }) },
    { BoxSide::Bottom, Positions({ 8, 6, 3, 2 }) },
};

int RoundUp(int value, int step)
{
    return value % step == 0 ? value : (value / step + 1) * step;
}

// The grid lines on either side of a coordinate; one line when it lies on it.
struct GridPair {
    int low;
    int high;
};

GridPair Around(int value, int step)
{
    int low = value / step * step;
    return { low, value % step == 0 ? low : low + step };
}

} // namespace

RECT CLineRouter::ExitBox(POINT p) const
{
    for (const RECT& o : m_obstacles) {
        RECT hit { o.left - 1, o.top - 1, o.right + 1, o.bottom + 1 };
        if (!PtInRect(&hit, p))
            continue;
        RECT grown { o.left - ObstacleMargin, o.top - ObstacleMargin, o.right + ObstacleMargin,
                     o.bottom + ObstacleMargin };
        return { grown.left / m_cellWidth * m_cellWidth, grown.top / m_cellHeight * m_cellHeight,
                 RoundUp(grown.right, m_cellWidth), RoundUp(grown.bottom, m_cellHeight) };
    }
    GridPair gx = Around(p.x, m_cellWidth);
    GridPair gy = Around(p.y, m_cellHeight);
    RECT box { gx.low, gy.low, gx.high, gy.high };
    if (gx.low == gx.high)
        box.left -= m_cellWidth, box.right += m_cellWidth;
    if (gy.low == gy.high)
        box.top -= m_cellHeight, box.bottom += m_cellHeight;
    return box;
}

void CLineRouter::FindEndExit(POINT p, POINT other, int side, POINT* cell, POINT* exit)
{
    // Positions outside 0-8 leave like an end that may leave anywhere.
    unsigned position = 1u << (side >= 0 && side <= 8 ? side : 8);
    RECT box = ExitBox(p);
    GridPair gx = Around(p.x, m_cellWidth);
    GridPair gy = Around(p.y, m_cellHeight);
    BOOL chosen = FALSE;
    BOOL bestBlocked = TRUE;
    int bestDistance = RouteUnreached;
    POINT best {};
    for (const ExitSide& exitSide : ExitSides) {
        if (!(exitSide.positions & position))
            continue;
        BOOL vertical = exitSide.side == BoxSide::Right || exitSide.side == BoxSide::Left;
        int line = exitSide.side == BoxSide::Right ? box.right
            : exitSide.side == BoxSide::Left       ? box.left
            : exitSide.side == BoxSide::Top        ? box.top
                                                   : box.bottom;
        POINT sideExit = vertical ? POINT { line, p.y } : POINT { p.x, line };
        int distance = std::abs(line - (vertical ? p.x : p.y));
        GridPair along = vertical ? gy : gx;
        for (int k = 0; k < (along.low == along.high ? 1 : 2); ++k) {
            int at = k == 0 ? along.low : along.high;
            POINT candidate = vertical ? POINT { line, at } : POINT { at, line };
            POINT candidateCell = PointToCell(candidate.x, candidate.y);
            BOOL blocked = IsCellBlocked(candidateCell.x, candidateCell.y);
            BOOL closer = !chosen || (k == 0 ? distance < bestDistance
                                        : vertical ? std::abs(candidate.y - other.y) < std::abs(best.y - other.y)
                                                   : std::abs(candidate.x - other.x) < std::abs(best.x - other.x));
            if (!ChooseByFlags(bestBlocked, blocked, closer))
                continue;
            chosen = TRUE;
            best = candidate;
            *cell = candidateCell;
            *exit = sideExit;
            bestDistance = distance;
            bestBlocked = blocked;
        }
    }
}
