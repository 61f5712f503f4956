// The program's orthogonal line router: paths for connectors and for the line dragged from
// a snap point that go around the page objects along a grid. One instance serves the whole
// program on the user-interface thread, one route at a time.
#pragma once

#include "objects/kinds/LineRouterMaps.h"
#include "platform/core/Geometry.h"

#include <vector>

class CLineRouterView;

class CLineRouter {
public:
    static constexpr int ObstacleMargin = 10;
    // Ends more than this many grid steps apart are joined by one bend without a search.
    static constexpr int LengthLimit = 150;
    // Coordinates are kept within this distance of the origin, far beyond any page, and cells
    // at most this wide: no sum the router forms can overflow, and no leg is long enough to
    // stall the tests of its cells.
    static constexpr int CoordinateLimit = 1 << 20;
    static constexpr int CellSizeLimit = 0xFFFF;

    CLineRouter();
    CLineRouter(const CLineRouter&) = delete;
    CLineRouter& operator=(const CLineRouter&) = delete;

    // Brings the area, the obstacles and the grid up to date for the view.
    BOOL PrepareArea(const CLineRouterView& view);
    void ResetPath();

    // The path from (x2, y2) back to (x1, y1) followed by the terminator (-1, -1): the path
    // has size() - 1 points, at least two, even when an end lies at (-1, -1) itself. The
    // sides are snap-point positions 0-8, or -1 for a free end. offset shifts the inner points.
    std::vector<POINT> Route(int offset, int x1, int y1, int startSide, int x2, int y2, int endSide);
    // The same without search or masks, from a table of patterns.
    std::vector<POINT> RouteDirect(int offset, int x1, int y1, int startSide, int x2, int y2, int endSide);

    // The grid.
    int ComputeCellMask(int i, int j) const;
    int GetCellMask(int i, int j) { return m_masks.Lookup(i, j); }
    BOOL IsCellBlocked(int i, int j) { return (GetCellMask(i, j) & 15) == 0; }
    POINT PointToCell(int x, int y) const { return { x / m_cellWidth, y / m_cellHeight }; }
    BOOL IsSegmentPassable(int x1, int y1, int x2, int y2);
    BOOL ArePathLegsPassable(POINT p1, POINT p2, POINT p3);

    // Stores the two ends and finds where each leaves its object and enters the grid.
    void SetEnds(POINT start, int startSide, POINT end, int endSide);
    void FindEndCells();

    SIZE GetCellSize() const { return { m_cellWidth, m_cellHeight }; }
    int GetColumns() const { return m_columns; }
    int GetRows() const { return m_rows; }
    const RECT& GetRoutingArea() const { return m_routingArea; }
    const std::vector<RECT>& GetObstacles() const { return m_obstacles; }
    int GetCachedMaskCount() const { return m_masks.GetCount(); }
    POINT GetStartCell() const { return m_startCell; }
    POINT GetStartExit() const { return m_startExit; }
    POINT GetEndExit() const { return m_endExit; }

private:
    static int Clamped(int64_t value);
    static RECT Clamped(const RECT& r);
    struct ViewState;
    ViewState ReadView(const CLineRouterView& view) const;
    BOOL SegmentCellsHave(int fixedIndex, int from, int to, BOOL vertical, int bit);
    void FindEndExit(POINT p, POINT other, int side, POINT* cell, POINT* exit);
    RECT ExitBox(POINT p) const;

    BOOL IsOutsideArea() const;
    BOOL FindOneBend(POINT* corner);
    BOOL ShouldSearch();
    void Search();
    void RelaxNeighbour(int i, int j);
    void PathFromSearch();
    POINT CellPoint(POINT cell) const { return { cell.x * m_cellWidth, cell.y * m_cellHeight }; }

    BOOL RemoveCollinearPoints();
    void SimplifyPath();
    void CentreMiddleLeg();
    std::vector<POINT> TakePath(int offset);

    CRouteCellMaskMap m_masks;
    CRouteNodeMap m_nodes;
    int m_columns = 0;
    int m_rows = 0;
    RECT m_routingArea {};
    const CLineRouterView* m_lastView = nullptr;
    CRouteOpenList m_open;
    std::vector<POINT> m_path;
    std::vector<RECT> m_obstacles;
    POINT m_startPoint {};
    POINT m_endPoint {};
    int m_startSide = -1;
    int m_endSide = -1;
    POINT m_startCell {};
    POINT m_endCell {};
    POINT m_startExit {};
    POINT m_endExit {};
    int m_cellWidth = 10;
    int m_cellHeight = 10;
    POINT m_currentCell {};
    // What the last preparation read from the view, to tell whether anything changed.
    int m_viewGridX = 0;
    int m_viewGridY = 0;
    BOOL m_attach = FALSE;
};

// TRUE when a is set and b is not, FALSE when b is set and a is not, otherwise the default.
BOOL ChooseByFlags(BOOL a, BOOL b, BOOL byDefault);
// TRUE when the three points share one x or one y.
BOOL IsCollinear(POINT p1, POINT p2, POINT p3);

// The router the whole program shares.
CLineRouter& GetLineRouter();
