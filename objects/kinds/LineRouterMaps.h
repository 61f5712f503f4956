// The router's two grid stores: the free-direction mask of each grid point, computed on
// demand and kept while the page does not change, and the search node of each grid point,
// kept only for one search.
#pragma once

#include "platform/core/Types.h"

#include <cstdint>
#include <functional>
#include <unordered_map>
#include <vector>

// Keys pack both grid indices, so points outside the grid's columns and rows never collide.
inline int64_t RouteCellKey(int i, int j)
{
    return (static_cast<int64_t>(i) << 32) | static_cast<uint32_t>(j);
}

class CRouteCellMaskMap {
public:
    using Compute = std::function<int(int i, int j)>;

    explicit CRouteCellMaskMap(Compute compute) : m_compute(std::move(compute)) { }

    // Empties the cache for a grid of the given size.
    void Reset(int columns, int rows);
    int Lookup(int i, int j);
    int GetCount() const { return m_count; }

private:
    static constexpr uint8_t Unknown = 0xFF;
    // Grids up to this many points keep their masks in a plain array.
    static constexpr int64_t DenseLimit = 4 << 20;

    Compute m_compute;
    int m_columns = 0;
    int m_rows = 0;
    int m_count = 0;
    std::vector<uint8_t> m_dense;
    std::unordered_map<int64_t, uint8_t> m_far;
};

struct RouteNode {
    int parentI;
    int parentJ;
    int f;
    int g;
    int turns;
};

inline constexpr int RouteUnreached = 0x7FFFFFFF;
inline constexpr RouteNode FreshRouteNode { -1, -1, RouteUnreached, RouteUnreached, RouteUnreached };

class CRouteNodeMap {
public:
    // Forgets every node and sets up the dense window around the two end cells.
    void Reset(int columns, int rows, POINT startCell, POINT endCell);
    const RouteNode& Lookup(int i, int j);
    void SetAt(int i, int j, const RouteNode& node);

private:
    RouteNode* Slot(int i, int j);

    struct Stamped {
        RouteNode node;
        unsigned stamp;
    };
    RECT m_window {};
    // A window slot whose stamp is not the current one reads as a fresh node.
    unsigned m_stamp = 0;
    std::vector<Stamped> m_dense;
    std::unordered_map<int64_t, RouteNode> m_far;
};

// The search queue: grid points ordered by f, the newest first among equal f.
class CRouteOpenList {
public:
    void Clear();
    BOOL IsEmpty() const { return m_size == 0; }
    // Puts the point before the first entry whose f is not smaller.
    void Insert(POINT cell, int f);
    // Once the end is reached at f, entries with a greater f cannot beat it and go, and of
    // those with the same f only the ones that may still arrive with fewer turns stay.
    void PruneBehindEnd(int f, const std::function<bool(POINT)>& mayBeatEnd);
    POINT RemoveHead();

private:
    // One stack per f; the head is the top of the lowest non-empty stack.
    std::vector<std::vector<POINT>> m_byF;
    size_t m_lowest = 0;
    size_t m_size = 0;
};
