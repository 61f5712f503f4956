// The arc of a page: a piece of an axis-parallel ellipse between a start and an end angle,
// drawn open, as a chord or as a pie slice. The arc keeps its own ellipse and derives the
// object's rectangle from the quarters it reaches.
#pragma once

#include "objects/HyperDrawOb.h"
#include "platform/ole/DispatchMap.h"

#include <vector>

class CArcOb : public CHyperDrawOb {
    DECLARE_SERIAL(CArcOb)
public:
    static constexpr UINT RecordVersion = 1;
    static constexpr UINT TypeNameId = 60478;
    // Property ids.
    static constexpr UINT WedgeId = 27051;
    static constexpr UINT StartAngleId = 27052;
    static constexpr UINT EndAngleId = 27053;
    static constexpr int DefaultSize = 40;

    CArcOb();
    ~CArcOb() override = default;

    void Serialize(CArchive& archive) override;
    void UpdateLayout(int recalc, BOOL hint) override;
    CPropOb* CreateProperty(UINT propertyId, BOOL withChoices) override;
    void CollectProperties(CObArray& list, BOOL withChoices) override;
    void CopyFrom(const CHyperBaseOb* other) override;
    CString GetTypeName() const override { return LoadTypeName(TypeNameId); }
    int HitTest(CPoint point) override;
    void Draw(CDC* dc) override;
    void ApplyDefaults() override;
    void RecalcRect() override;
    void BuildOutline() override;
    BOOL CanRotate() const override { return DfltCanRot; }
    BOOL IsTransparent() const override;

    // Places the ellipse for a quarter 0-3 of the rectangle (upper right, upper left, lower
    // right, lower left) and makes the arc that quarter.
    void ApplyQuadrant(int quadrant, const RECT& rect);
    // The ellipse and the object's rectangle as the arc derives it.
    POINT GetCentre() const { return m_centre; }
    SIZE GetRadii() const { return {m_radiusX, m_radiusY}; }
    const CRect& GetFrame() const { return m_frame; }

    long GetWedge() const { return Wedge; }
    void SetWedge(long wedge);
    double GetStartAngle() const { return StartAngle; }
    void SetStartAngle(double angle);
    double GetEndAngle() const { return EndAngle; }
    void SetEndAngle(double angle);

    int Wedge = 0;
    double StartAngle = 0.0;
    double EndAngle = -90.0;

private:
    void LoadFields(CArchive& archive);
    void StoreFields(CArchive& archive);
    void NormalizeAngles();
    void Remember();
    // The end point of the arc at the angle, from the centre.
    POINT PointAt(double angle) const;
    // The arc's points from the centre, one per degree (circle) or from the ellipse's table.
    std::vector<POINT> ArcPoints() const;
    // The outline from the centre of the object's rectangle, closed through the centre for
    // a wedge.
    std::vector<POINT> OutlinePoints() const;
    void DeriveFrame();
    void PlaceEllipse(const CRect& raw);
    void FitEllipse(const CRect& n, BOOL flipX, BOOL flipY);
    void ScaleEllipse(const CRect& raw, const CRect& n, double sx, double sy);
    void MirrorAngles(BOOL horizontally);

    int m_lastWedge = 0;
    double m_lastStart = 0.0;
    double m_lastEnd = -90.0;
    BOOL m_initialised = FALSE;
    CRect m_frame;
    int m_radiusX = 0;
    int m_radiusY = 0;
    POINT m_centre {0, 0};

    DECLARE_DISPATCH_MAP()
};
