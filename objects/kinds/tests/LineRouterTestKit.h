// A stand-in view for the line router: a mapped page of a given size whose objects with
// snap points are plain boxes.
#pragma once

#include "objects/HyperOb.h"
#include "objects/kinds/LineRouter.h"
#include "objects/kinds/LineRouterView.h"

#include <algorithm>
#include <initializer_list>
#include <memory>
#include <ostream>
#include <string>
#include <vector>

class RouteTestView : public CLineRouterView {
public:
    BOOL IsMapped() const override { return mapped; }
    SIZE GetPageScrollExtent() const override { return extent; }
    RECT GetLogicalClientRect() const override { return client; }
    int GetFlagsLow() const override { return gridX; }
    int GetFlagsHigh() const override { return gridY; }
    RECT GetRoutingMargins() const override { return margins; }
    BOOL IsAttachSwitchOn() const override { return attach; }
    int GetObjectsWithSnapPoints(CObArray& out) const override
    {
        for (auto it = boxes.rbegin(); it != boxes.rend(); ++it)
            out.Add(it->get());
        return static_cast<int>(boxes.size());
    }

    CHyperOb* AddBox(const RECT& rect)
    {
        boxes.push_back(std::make_unique<CHyperOb>());
        boxes.back()->SetRect(CRect(rect));
        return boxes.back().get();
    }

    // The rows are grid points 10 units apart; those marked 'o' stay open. Every cell none of
    // whose corners is open gets a small box, which closes the four grid points around it.
    void AddWallsAround(std::initializer_list<std::string> rows)
    {
        std::vector<std::string> map(rows);
        auto open = [&](size_t x, size_t y) { return x < map[y].size() && map[y][x] == 'o'; };
        for (size_t y = 0; y + 1 < map.size(); ++y) {
            for (size_t x = 0; x + 1 < map[y].size(); ++x) {
                if (open(x, y) || open(x + 1, y) || open(x, y + 1) || open(x + 1, y + 1))
                    continue;
                int left = static_cast<int>(x) * 10;
                int top = static_cast<int>(y) * 10;
                AddBox({ left + 4, top + 4, left + 6, top + 6 });
            }
        }
    }

    BOOL mapped = TRUE;
    SIZE extent { 400, 300 };
    RECT client { 0, 0, 400, 300 };
    int gridX = 10;
    int gridY = 10;
    RECT margins {};
    BOOL attach = FALSE;
    std::vector<std::unique_ptr<CHyperOb>> boxes;
};

// The points of a routed path without its terminator.
inline std::vector<POINT> PathPoints(std::vector<POINT> path)
{
    if (!path.empty())
        path.pop_back();
    return path;
}

// Whether the straight leg a-b runs through the inside of the box (its edges do not count).
inline bool Crosses(POINT a, POINT b, const RECT& box)
{
    if (a.y == b.y)
        return a.y > box.top && a.y < box.bottom && std::max(a.x, b.x) > box.left && std::min(a.x, b.x) < box.right;
    return a.x > box.left && a.x < box.right && std::max(a.y, b.y) > box.top && std::min(a.y, b.y) < box.bottom;
}

inline bool operator==(const POINT& a, const POINT& b)
{
    return a.x == b.x && a.y == b.y;
}

inline void PrintTo(const POINT& p, std::ostream* os)
{
    *os << "(" << p.x << ", " << p.y << ")";
}
