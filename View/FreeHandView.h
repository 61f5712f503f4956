// The view layer that draws freehand polylines: while the freehand command or tool is on, a
// drag is traced in device pixels, thinned, closed when it ends near its start, and added to
// the page as a polyline. It also drags single vertices of point lists for the objects.
#pragma once

#include "View/HyperView.h"

#include <vector>

// The trace with only the points where it turns by at least `angle` degrees between steps of
// at least `minStep` pixels; the first and last points always stay.
std::vector<POINT> ThinTrace(const std::vector<POINT>& trace, double angle, double minStep);

class CFreeHandView : public CHyperView {
    DECLARE_DYNCREATE(CFreeHandView)
public:
    static constexpr UINT ToolFreehand = 60479;
    static constexpr UINT CmdFreehand = 60568;
    static constexpr UINT FreehandCursorId = 27982;
    static constexpr double ThinningAngle = 5.0;
    static constexpr double ThinningStep = 1.0;

    CFreeHandView() = default;

    virtual UINT GetFreehandTool() const { return ToolFreehand; }
    virtual BOOL IsDrawingFreehand() const { return m_freehandMode; }
    virtual void SetDrawingFreehand(BOOL on) { m_freehandMode = on; }
    virtual void DrawFreehandPoints(CDC* dc);
    // The drag loop from the press point (device units); 0 when another window holds the mouse.
    virtual int TrackFreehand(CPoint start);
    void DrawObjects(CDC* dc, CRect clip) override;
    POINT TrackEditPoint(POINT before, POINT start, POINT after) override;

    void OnLButtonDown(UINT flags, CPoint point);
    void OnFreehand();
    void OnUpdateFreehand(CCmdUI* cmdUI);
    BOOL OnSetCursor(CWnd* wnd, UINT hitTest, UINT message);

    std::vector<POINT> m_trace;
    BOOL m_freehandMode = FALSE;
    double m_closingDistance = 10.0;

protected:
    CRect GetTraceBounds();
    void FinishTrace();
    void AddFreehandObject(const std::vector<POINT>& points);

    DECLARE_MESSAGE_MAP()
};
