// The straight line between two end points. It is stored as its rectangle plus the
// orientation and swap flag of its end record, which say which corners are its ends; both
// ends can attach to snap points of other objects and follow them.
#pragma once

#include "objects/ConnectorEnds.h"
#include "objects/kinds/1DOb.h"

class CLineOb : public C1DOb {
    DECLARE_SERIAL(CLineOb)
public:
    static constexpr UINT RecordVersion = 2;
    static constexpr UINT TypeNameId = 60450;
    static constexpr UINT RotateAngleId = 27049;
    // Half the hit band at 100 %: 500 / zoom units.
    static constexpr int HitReach = 500;

    CLineOb();

    void Serialize(CArchive& archive) override;
    void UpdateLayout(int recalc, BOOL hint) override;
    CString GetTypeName() const override { return LoadTypeName(TypeNameId); }
    int HitTest(CPoint point) override;
    void Draw(CDC* dc) override;
    void ApplyDefaults() override;
    void RecalcRect() override;
    BOOL OnInsert() override;
    BOOL IsAttachable() const override;
    CConnectorEnds* GetEndPoints() override { return &m_ends; }
    int GetHandleLayout() const override { return m_ends.GetOrientation(); }
    void BuildOutline() override;
    void SetRotateAngle(double degrees) override;
    BOOL CanResize() const override { return TRUE; }
    BOOL GetFont(LOGFONT*, BOOL) const override { return FALSE; }
    BOOL GetBackColor(COLORREF*) const override { return FALSE; }

    // Automation: point 1 is the record's second end point, point 2 its first.
    long GetX1() const { return m_ends.GetEndPoint().x; }
    long GetY1() const { return m_ends.GetEndPoint().y; }
    long GetX2() const { return m_ends.GetStartPoint().x; }
    long GetY2() const { return m_ends.GetStartPoint().y; }
    void SetX1(long value) { SetCoordinate(1, &POINT::x, value); }
    void SetY1(long value) { SetCoordinate(1, &POINT::y, value); }
    void SetX2(long value) { SetCoordinate(0, &POINT::x, value); }
    void SetY2(long value) { SetCoordinate(0, &POINT::y, value); }
    void SetEndPoints(long x1, long y1, long x2, long y2);

    CConnectorEnds m_ends;

private:
    void LoadFields(CArchive& archive);
    void StoreFields(CArchive& archive);
    // One coordinate of an end (0 first, 1 second); the rectangle mirrors when the end
    // passes the other one on that axis.
    void SetCoordinate(int end, LONG POINT::*axis, long value);
    int HitTolerance() const;
};
