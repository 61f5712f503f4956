#include "objects/kinds/LineRouter.h"

#include <algorithm>

namespace {

enum Exit { Up = 4, Right = 5, Down = 6, Left = 7 };

// Pattern words by start exit, end exit and the cells' relative position (dx, dy: 0 less,
// 1 equal, 2 greater, start against end). Bits 0-3 push the four grid lines one cell on,
// bits 4-7 choose the pattern, bits 8-11 say which pattern legs any obstacle cancels.
constexpr unsigned short Patterns[4][4][9] = {
    { // start up
        { 0x442, 0x000, 0x448, 0x002, 0x050, 0x008, 0x112, 0x000, 0x118 },
        { 0x006, 0x004, 0x00C, 0x006, 0x004, 0x00C, 0x056, 0x054, 0x05C },
        { 0x082, 0x000, 0x000, 0x002, 0x000, 0x000, 0x196, 0x004, 0x014 },
        { 0x00A, 0x00A, 0x088, 0x00A, 0x00A, 0x008, 0x01E, 0x00E, 0x19C },
    },
    { // start right
        { 0x053, 0x051, 0x059, 0x003, 0x001, 0x009, 0x003, 0x001, 0x009 },
        { 0x117, 0x005, 0x11D, 0x007, 0x055, 0x00D, 0x447, 0x005, 0x44D },
        { 0x193, 0x001, 0x011, 0x007, 0x005, 0x005, 0x087, 0x005, 0x005 },
        { 0x01B, 0x00B, 0x199, 0x00F, 0x00F, 0x00D, 0x00F, 0x00F, 0x08D },
    },
    { // start down
        { 0x041, 0x001, 0x469, 0x000, 0x000, 0x008, 0x000, 0x000, 0x028 },
        { 0x005, 0x005, 0x02D, 0x005, 0x005, 0x00D, 0x044, 0x004, 0x46C },
        { 0x881, 0x001, 0x221, 0x000, 0x0A0, 0x000, 0x884, 0x004, 0x224 },
        { 0x009, 0x009, 0x0A9, 0x008, 0x008, 0x0A8, 0x00C, 0x00C, 0x0AC },
    },
    { // start left
        { 0x463, 0x00B, 0x04B, 0x002, 0x00A, 0x00A, 0x022, 0x00A, 0x00A },
        { 0x027, 0x00F, 0x00F, 0x007, 0x00F, 0x00F, 0x466, 0x00E, 0x04E },
        { 0x0A3, 0x003, 0x003, 0x0A2, 0x002, 0x002, 0x0A6, 0x006, 0x006 },
        { 0x22B, 0x00B, 0x88B, 0x00A, 0x0AA, 0x00A, 0x22E, 0x00E, 0x88E },
    },
};

int Compare(int a, int b)
{
    return a < b ? 0 : a == b ? 1 : 2;
}

// Corner positions leave sideways; other ends leave towards the other end.
int StartExit(int side, int dx, int dy)
{
    if (side == 0 || side == 3)
        return Left;
    if (side == 1 || side == 2)
        return Right;
    if (dx != 1)
        return dx == 0 ? Right : Left;
    return dy == 2 ? Up : Down;
}

int EndExit(int side, int dx, int dy)
{
    if (side == 0 || side == 3)
        return Left;
    if (side == 1 || side == 2)
        return Right;
    if (dx != 1)
        return dx == 2 ? Right : Left;
    return dy == 0 ? Up : Down;
}

bool Sideways(int exit)
{
    return exit == Left || exit == Right;
}

// Some pattern points do not line up with the leg the end leaves by; a corner that carries
// on the previous leg's direction keeps every leg horizontal or vertical.
void SquareCorners(std::vector<POINT>& points)
{
    for (size_t k = 2; k < points.size(); ++k) {
        POINT from = points[k - 1];
        POINT to = points[k];
        if (from.x == to.x || from.y == to.y)
            continue;
        bool horizontal = points[k - 2].y == from.y;
        points.insert(points.begin() + static_cast<std::ptrdiff_t>(k),
                      horizontal ? POINT { to.x, from.y } : POINT { from.x, to.y });
    }
}

} // namespace

std::vector<POINT> CLineRouter::RouteDirect(int offset, int x1, int y1, int startSide, int x2, int y2,
                                                  int endSide)
{
    const int w = m_cellWidth;
    const int h = m_cellHeight;
    offset = Clamped(offset);
    x1 = Clamped(x1);
    y1 = Clamped(y1);
    x2 = Clamped(x2);
    y2 = Clamped(y2);
    const POINT c1 { x1 / w, y1 / h };
    const POINT c2 { x2 / w, y2 / h };
    const int dx = Compare(c1.x, c2.x);
    const int dy = Compare(c1.y, c2.y);
    const int startExit = StartExit(startSide, dx, dy);
    const int endExit = EndExit(endSide, dx, dy);
    const unsigned word = Patterns[startExit - Up][endExit - Up][dx * 3 + dy];
    const int X1 = c1.x * w + offset + (word & 1 ? w : 0);
    const int Y1 = c1.y * h + offset + (word & 2 ? h : 0);
    const int X2 = c2.x * w + offset + (word & 4 ? w : 0);
    const int Y2 = c2.y * h + offset + (word & 8 ? h : 0);
    unsigned pattern = (word >> 4) & 15;
    const unsigned cancels = (word >> 8) & 15;
    for (const RECT& o : m_obstacles) {
        POINT cell { o.left / w, o.top / h };
        bool atEnd = (cell.x == c1.x && cell.y == c1.y) || (cell.x == c2.x && cell.y == c2.y);
        bool inBox = cell.x >= std::min(c1.x, c2.x) && cell.x <= std::max(c1.x, c2.x)
            && cell.y >= std::min(c1.y, c2.y) && cell.y <= std::max(c1.y, c2.y);
        if (atEnd || !inBox)
            continue;
        if (cell.y == c1.y && ((cancels & 1) || cell.x != c2.x))
            pattern &= ~1u;
        if (cell.x == c1.x && ((cancels & 2) || cell.y != c2.y))
            pattern &= ~2u;
        if (cell.y == c2.y && ((cancels & 4) || cell.x != c1.x))
            pattern &= ~4u;
        if (cell.x == c2.x && ((cancels & 8) || cell.y != c1.y))
            pattern &= ~8u;
    }
    std::vector<POINT> points { { x1, y1 }, Sideways(startExit) ? POINT { X1, y1 } : POINT { x1, Y1 } };
    switch (pattern) {
    case 0:
        if (Sideways(startExit))
            points.insert(points.end(), { { X1, Y2 }, { X2, Y2 } });
        else
            points.insert(points.end(), { { X2, Y1 }, { X2, Y2 } });
        break;
    case 1: points.insert(points.end(), { { X2, y1 }, { X2, Y2 } }); break;
    case 2: points.insert(points.end(), { { x1, Y2 }, { X2, Y2 } }); break;
    case 4: points.insert(points.end(), { { X1, Y1 }, { X1, y2 } }); break;
    case 5: points.insert(points.end(), { { X2, y1 }, c1.y != c2.y ? POINT { X2, Y2 } : POINT { X2, y2 } }); break;
    case 6: points.push_back({ x1, y2 }); break;
    case 8: points.insert(points.end(), { { X1, Y1 }, { x2, Y1 } }); break;
    case 9: points.push_back({ x2, y1 }); break;
    // (X2, Y2) leads on to either leg of the end, also when both cells share a column.
    case 10: points.insert(points.end(), { { x1, Y2 }, { X2, Y2 } }); break;
    default: break;
    }
    points.push_back(Sideways(endExit) ? POINT { X2, y2 } : POINT { x2, Y2 });
    points.push_back({ x2, y2 });
    SquareCorners(points);
    m_path.assign(points.rbegin(), points.rend());
    RemoveCollinearPoints();
    return TakePath(0);
}
