// The connector: a routed line between snap points of two objects that stays attached. Its
// ends are the first and the last point of its point list; when either object moves the
// ends follow and the path is routed again. A connector left with more free ends than it
// allows removes itself.
#pragma once

#include "objects/ConnectorEnds.h"
#include "objects/kinds/BasePolyOb.h"

class CBasePolyOb;

// The end record of a connector: its end points are the first and last point of the list.
class CConnectL0Ends : public CConnectorEnds {
public:
    CConnectL0Ends() = default;
    CConnectL0Ends(const CConnectL0Ends&) = delete;
    // The ends and the record's fields; the list stays the owner's own.
    CConnectL0Ends& operator=(const CConnectL0Ends& other)
    {
        CConnectorEnds::operator=(other);
        return *this;
    }

    void ComputeEndPoints(POINT* first, POINT* second, BOOL swap, int* handle1 = nullptr,
                          int* handle2 = nullptr) const override;
    BOOL MoveEndPoints(const POINT points[2], const int handles[2]) override;

    CBasePolyOb* m_list = nullptr;
};

// Whether a segment touches a rectangle.
class CSegmentRectTest {
public:
    CSegmentRectTest(const RECT& rect, int x1, int y1, int x2, int y2);
    BOOL Intersects() const;

private:
    BOOL IsVertical() const;
    // An edge at e spanning a..b (vertical edge: x = e over y; else y = e over x), and the
    // segment's span c..d on the other axis.
    BOOL CrossesEdge(double a, double b, double c, double d, double e, BOOL verticalEdge) const;

    CRect m_rect;
    POINT m_a, m_b;
    double m_slope;
    double m_intercept;
};

class CConnectL0 : public CBasePolyOb {
    DECLARE_SERIAL(CConnectL0)
public:
    static constexpr UINT RecordVersion = 0;
    static constexpr UINT TypeNameId = 60481;
    static constexpr COLORREF FreeEndColor = RGB(255, 255, 0);
    // The undo step of moving an end, "<Snap>/<Unsnap>".
    static constexpr UINT SnapUndoId = 27007;
    // Over an end handle while snap points are hidden, so the end cannot be dragged.
    static constexpr UINT CursorEndFixed = 30982;

    CConnectL0();

    void Serialize(CArchive& archive) override;
    void UpdateLayout(int recalc, BOOL hint) override;
    CString GetTypeName() const override { return LoadTypeName(TypeNameId); }
    BOOL UpdateConnectedEnds(int handle, int) override;
    BOOL DrawDragFeedback(CWnd* clipTo, CDC* dc, CWnd* wnd, BOOL erase) override;
    int HitTest(CPoint point) override;
    void Draw(CDC* dc) override;
    void DrawTracker(CDC* dc) override;
    void ApplyDefaults() override;
    void Refresh(BOOL recalc) override;
    void RecalcRect() override;
    BOOL IntersectsRect(const RECT* rect) const override;
    BOOL IsAttachable() const override { return TRUE; }
    BOOL OnInsert() override;
    BOOL OnEndMouseDown(int x, int y) override;
    BOOL OnSetCursor(CPoint point, UINT hitTest) override;
    BOOL NotifyEndsChanged() override;
    BOOL IsConnector() const override { return TRUE; }
    CConnectorEnds* GetEndPoints() override { return &m_ends; }
    BOOL IsUpright() const override { return FALSE; }
    BOOL IsTransparent() const override { return TRUE; }
    BOOL CanResize() const override { return FALSE; }

    void SetFreeEndAllowance(int allowance) { m_freeEndAllowance = allowance; }
    // Routes the path anew between the two ends.
    void Reroute();
    // The end (0 the first point, 1 the last) whose handle holds the page point, or -1.
    int EndHandleAt(CPoint page) const;
    // Drags that end onto another snap point; FALSE when nothing changed.
    BOOL DragEnd(int end, CPoint page);

    CConnectL0Ends m_ends;
    int m_freeEndAllowance = 0;
    BOOL m_busy = FALSE;

protected:
    BOOL MayReroute(int recalc) const;
};
