// The base of every page object whose shape is a list of points: the point list, its
// record, the hit test against the polygon or the band around the open line, drawing as a
// filled polygon or an open polyline, and point editing with undo. Points are stored
// relative to the centre of the tracker's rectangle, which always bounds them.
#pragma once

#include "objects/kinds/1DOb.h"

class CBasePolyOb : public C1DOb {
    DECLARE_SERIAL(CBasePolyOb)
public:
    static constexpr UINT RecordVersion = 0;
    static constexpr UINT BackColorId = 27154;
    static constexpr UINT EditPointsUndoId = 26684;
    // Cursors of point editing.
    static constexpr UINT CursorInsertPoint = 27967;
    static constexpr UINT CursorDeletePoint = 27964;
    static constexpr UINT CursorMovePoint = 27968;
    // Two points this close on both axes count as one.
    static constexpr int CloseDistance = 4;
    static constexpr int HandleHalf = 2;
    static constexpr int ShadowOffset = 10;
    // HitPointHandle: the fixed end of a connector.
    static constexpr int FixedHandle = -2;

    CBasePolyOb() = default;

    void Serialize(CArchive& archive) override;
    CPropOb* CreateProperty(UINT propertyId, BOOL withChoices) override;
    void CopyFrom(const CHyperBaseOb* other) override;
    void Draw(CDC* dc) override;
    void DrawTracker(CDC* dc) override;
    void BuildOutline() override { }
    BOOL CanEditPoints() const override { return DfltCanEditPoints; }
    BOOL IsClosed() const override;
    BOOL IsTransparent() const override;
    BOOL SetEditPointsCursor(CPoint point) override;
    BOOL TrackEditPoints(CPoint device) override;
    // Opens a closed figure at the point's handle (or at point 0), or closes an open one.
    virtual void OpenClose(int x, int y);

    virtual int PointListHitTest(int x, int y, int hitCode);
    // Absolute point; (0, 0) for an index out of range.
    virtual CPoint GetPoint(int index) const;
    // Stores an absolute point; nothing for a rotated object or an index out of range.
    virtual void SetPointAt(int index, int x, int y);
    virtual void DrawShadow(CDC* dc);
    virtual void DrawArrowHeads(CDC* dc);
    virtual CRect GetPointHandleRect(int index) const;
    virtual BOOL ArePointsClose(int x1, int y1, int x2, int y2) const;
    virtual BOOL CanRemovePoint() const;
    virtual BOOL RemovePoint(int index);
    virtual void DrawPointHandles(CDC* dc);
    virtual CPoint GetRotatedPoint(int) const { return CPoint(0, 0); }

    int GetNumberOfPoints() const { return m_outlineCount; }
    // Replaces the points (absolute) and fits the frame to them.
    void SetPoints(const POINT* points, int count);
    void RecalcFrameFromPoints(BOOL pointsAreRelative);
    void MakePointsAbsolute();
    void MakePointsRelative();
    int HitPointHandle(int x, int y) const;
    int HitSegment(int x, int y) const;
    void MergeNearPoints(BOOL inserted, int index);

    // Automation.
    long NumberOfPoints() const { return m_outlineCount; }
    void SetPoint(long index, long x, long y);
    long GetPointX(long index) const { return GetPoint(index).x; }
    long GetPointY(long index) const { return GetPoint(index).y; }

protected:
    CPoint GetCentre() const;
    int GetZoom() const;
    // Where the mouse takes the dragged point, in device units; the start when cancelled.
    virtual CPoint TrackPoint(CPoint before, CPoint start, CPoint after);
    // Ctrl turns a click on a point into its removal.
    virtual BOOL IsControlHeld() const;
    void InsertPointAfter(int index, POINT point);
    // The point list in device units of the view.
    void DrawFigure(CDC* dc, COLORREF outline, COLORREF back, int width, int style, int hatch);
};
