// The base of every object drawn as a line between two end points rather than as a filled
// area: arrow heads at either end, the line itself as rubber band while it is drawn, snap
// marks at the ends about to attach, and a colour lent by the snap point an end sits on.
#pragma once

#include "objects/HyperDrawOb.h"
#include "platform/core/Arrays.h"

class CAnchorItem;
class CConnectorEnds;

// Five points of an arrow head whose tip lies on (x2, y2), pointing away from (x1, y1): tip,
// both wings, tip again, then the middle between the wings. A height of -1 makes a head one
// fifth of the line's length.
struct ArrowHead {
    POINT points[5];
};
ArrowHead ComputeArrowHead(int x1, int y1, int x2, int y2, int height);
// The head in the colour of the selected pen, its outline solid whatever the pen's style.
void DrawArrowHead(CDC* dc, int x1, int y1, int x2, int y2, int height);
// TRUE when the point lies within the tolerance of the segment.
BOOL IsPointNearSegment(int px, int py, int x1, int y1, int x2, int y2, int tolerance);

class C1DOb : public CHyperDrawOb {
    DECLARE_SERIAL(C1DOb)
public:
    static constexpr UINT ArrowheadTypeId = 27185;
    static constexpr UINT ArrowheadHeightId = 27340;
    static constexpr int MinArrowheadHeight = 2;
    static constexpr int MaxArrowheadHeight = 32;
    // Arrow-head bits: a head at the first, at the second end point.
    static constexpr int HeadAtFirst = 1;
    static constexpr int HeadAtSecond = 2;
    // Side of a snap mark.
    static constexpr int MarkSize = 16;

    C1DOb() = default;

    CPropOb* CreateProperty(UINT propertyId, BOOL withChoices) override;
    void CollectProperties(CObArray& list, BOOL withChoices) override;
    void CopyFrom(const CHyperBaseOb* other) override;
    void ApplyDefaults() override;
    CSize GetMinimumSize() const override { return CSize(1, 1); }
    void GetUpdateRect(CRect* out, CDC* dc) const override;
    BOOL GetForeColor(COLORREF* color) const override;

    // Tracking: the drag points follow the tracked rectangle and capture free snap points.
    BOOL UpdateConnectedEnds(int handle, int) override;
    BOOL DrawDragFeedback(CWnd* clipTo, CDC* dc, CWnd* wnd, BOOL erase) override;
    void CollectSnapTargets() override;
    void EraseSnapMarks() override;
    void DrawSnapMarks(CDC* dc, BOOL redraw) override;
    void UpdateEndsFromTargets() override;

    virtual void DrawArrowHead(CDC* dc, int x1, int y1, int x2, int y2, int height);
    virtual void SetDragEndPoints(const RECT* tracked);
    // The snap point whose colour the ends take (the second end first), or NULL; sets the
    // connection colour.
    CAnchorItem* ComputeConnectionColour();

    int Arrowhead = 0;
    int ArrowheadHeight = 8;
    COLORREF m_connectionColor = static_cast<COLORREF>(-1);
    BOOL m_startSnapped = FALSE;
    BOOL m_endSnapped = FALSE;
    CPoint m_dragStart;
    CPoint m_dragEnd;
    CRect m_startMark;
    CRect m_endMark;
    CObArray m_snapTargets;

protected:
    // The rectangle the tracker drags, in page units.
    CRect GetTrackedRect() const;
    void DrawMark(CDC* dc, const CRect& mark) const;
    // The tracked rectangle moved onto the drag points that snapped.
    BOOL CaptureDragPoints(RECT* redraw);
    // The straight line over the tracked rectangle as rubber band, then the snap marks.
    BOOL DrawLineFeedback(CWnd* clipTo, CDC* dc, CWnd* wnd, BOOL erase);
};

// Appends the page's objects that have snap points, but not the one given.
void GatherSnapTargets(CObjectHost* host, const CHyperOb* except, CObArray& out);
