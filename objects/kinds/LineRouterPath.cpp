#include "objects/kinds/LineRouter.h"

#include <cstdint>

namespace {

// A side that fixes where the end leaves its object; -1 and 8 leave anywhere.
bool IsFixedSide(int side)
{
    return side != -1 && side != 8;
}

POINT Shifted(POINT p, int offset)
{
    return { p.x + offset, p.y + offset };
}

} // namespace

BOOL IsCollinear(POINT p1, POINT p2, POINT p3)
{
    return (p1.x == p2.x && p2.x == p3.x) || (p1.y == p2.y && p2.y == p3.y);
}

BOOL CLineRouter::RemoveCollinearPoints()
{
    BOOL removed = FALSE;
    for (size_t i = 1; i + 1 < m_path.size();) {
        if (IsCollinear(m_path[i - 1], m_path[i], m_path[i + 1])) {
            m_path.erase(m_path.begin() + static_cast<std::ptrdiff_t>(i));
            removed = TRUE;
        } else {
            ++i;
        }
    }
    return removed;
}

void CLineRouter::SimplifyPath()
{
    RemoveCollinearPoints();
    // The path runs from the end: a fixed side keeps its end point and exit where they are.
    size_t first = IsFixedSide(m_endSide) ? 2 : 1;
    size_t trim = IsFixedSide(m_startSide) ? 2 : 1;
    size_t before;
    do {
        before = m_path.size();
        for (size_t i = first; i + trim < m_path.size(); ++i) {
            POINT p = m_path[i - 1];
            POINT q = m_path[i];
            POINT r = m_path[i + 1];
            POINT flipped = p.y == q.y ? POINT { p.x, r.y } : POINT { r.x, p.y };
            if (!ArePathLegsPassable(p, flipped, r))
                continue;
            m_path[i] = flipped;
            if (RemoveCollinearPoints())
                break;
            m_path[i] = q;
        }
    } while (m_path.size() < before);
}

// A Z-shaped path has its middle leg moved onto the grid line nearest the middle between
// its ends, when that stays free.
void CLineRouter::CentreMiddleLeg()
{
    if (m_path.size() != 4)
        return;
    POINT& p0 = m_path[0];
    POINT& p1 = m_path[1];
    POINT& p2 = m_path[2];
    POINT& p3 = m_path[3];
    if (p1.x == p2.x && int64_t { p1.x - p0.x } * (p3.x - p1.x) > 0) {
        int m = (p0.x + p3.x) / 2 / m_cellWidth * m_cellWidth;
        if (m != p1.x && IsSegmentPassable(p1.x, p1.y, m, p1.y) && IsSegmentPassable(m, p1.y, m, p2.y)
            && IsSegmentPassable(m, p2.y, p2.x, p2.y))
            p1.x = p2.x = m;
    }
    if (p1.y == p2.y && int64_t { p3.y - p1.y } * (p1.y - p0.y) > 0) {
        int m = (p3.y + p0.y) / 2 / m_cellHeight * m_cellHeight;
        if (m != p1.y && IsSegmentPassable(p1.x, p1.y, p1.x, m) && IsSegmentPassable(p1.x, m, p2.x, m)
            && IsSegmentPassable(p2.x, m, p2.x, p2.y))
            p1.y = p2.y = m;
    }
}

std::vector<POINT> CLineRouter::TakePath(int offset)
{
    size_t count = m_path.size();
    std::vector<POINT> points(count + 1);
    for (size_t k = 0; k < count; ++k)
        points[k] = Shifted(m_path[k], offset);
    points[0] = m_path[0];
    points[count - 1] = m_path[count - 1];
    // The inner points move, but the first and the last leg stay straight.
    if (count >= 3) {
        if (m_path[0].x != m_path[1].x)
            points[1].y = m_path[1].y;
        else
            points[1].x = m_path[1].x;
        if (m_path[count - 1].x != m_path[count - 2].x)
            points[count - 2].y = m_path[count - 2].y;
        else
            points[count - 2].x = m_path[count - 2].x;
    }
    points[count] = { -1, -1 };
    m_path.clear();
    return points;
}
