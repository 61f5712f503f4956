// Drags one vertex of a point list with its neighbours drawn as rubber lines, kept inside
// bounds, snapped to the grid, or pulled level with a neighbour when there is no grid.
#pragma once

#include "platform/core/Geometry.h"

#include <vector>

class CDC;
class CHyperRunView;
class CWnd;

class CPointTracker {
public:
    // Distance (pixels) within which a vertex falls in line with a neighbour.
    static constexpr int MagneticDistance = 5;

    CPointTracker(int x, int y, int prevX, int prevY, int nextX, int nextY, int gridX, int gridY, int left, int top,
                  int right, int bottom);
    virtual ~CPointTracker() = default;
    virtual void OnPointChanged(int, int) { }

    // Runs the loop; FALSE (and the vertex unchanged) when another window holds the mouse.
    BOOL Track(CPoint* out, CHyperRunView* view, int x, int y, CWnd* clipTo);
    void AdjustPoint(POINT* out, CHyperRunView* view, int x, int y) const;
    void DrawFeedback(CHyperRunView* view, CDC* dc, CWnd* clipTo);

    BOOL m_noPrevious = FALSE;
    BOOL m_noNext = FALSE;
    CPoint m_point;
    CPoint m_previous;
    CPoint m_next;
    int m_gridX;
    int m_gridY;
    CRect m_bounds;
    std::vector<POINT> m_feedback;
    BOOL m_erase = FALSE;
    BOOL m_final = FALSE;

private:
    void Erase(CHyperRunView* view, CDC* dc, CWnd* clipTo, BOOL final);
    void Scroll(CHyperRunView* view, CDC* dc, CWnd* clipTo, CPoint mouse);
};
