// The free polyline or polygon: an open line of any number of points, or a closed, filled
// figure. It adds snap points, scaling of the points with the frame, rotation baked into the
// points, the shadow and fill of closed figures, and the default triangle.
#pragma once

#include "objects/SnapPointSet.h"
#include "objects/kinds/BasePolyOb.h"

class CPolyLineOb : public CBasePolyOb {
    DECLARE_SERIAL(CPolyLineOb)
public:
    static constexpr UINT RecordVersion = 99;
    static constexpr UINT TypeNameId = 60472;
    static constexpr UINT AnchorSnapsId = 27441;
    // Where line objects keep their end links, a polyline keeps this value.
    static constexpr DWORD NoEndLinks = 0xABCD1234;

    CPolyLineOb();

    void Serialize(CArchive& archive) override;
    void UpdateLayout(int recalc, BOOL hint) override;
    CPropOb* CreateProperty(UINT propertyId, BOOL withChoices) override;
    CString GetTypeName() const override { return LoadTypeName(TypeNameId); }
    int HitTest(CPoint point) override;
    void ApplyDefaults() override;
    void Refresh(BOOL recalc) override;
    CSnapPointSet* GetSnapPoints(BOOL own) override;
    void SerializeEndPoints(CArchive& archive) override;
    BOOL CanRotate() const override { return DfltCanRot; }
    BOOL GetHatchStyle(int* style) const override;
    BOOL GetShadowStyle(int* style) const override;
    CPoint GetRotatedPoint(int index) const override;

    // The points from a chain of lines; the caller has tested the chain.
    BOOL BuildFromLines(const CObArray& lines);
    // Bakes the rotation into the points before they are edited: the figure keeps its
    // visible shape about the centre of the rectangle and is no longer rotated.
    void BakeRotation(const RECT* rect);
    // Scales the points so that they fill the frame, about its centre.
    void FitPointsToFrame();

private:
    CSnapPointSet m_snapPoints;
    BOOL m_loadingWithoutSnapPoints = FALSE;
};

// Chains line objects end to end (meeting within 4 units) into lines + 1 points, the first
// line reversed once when only that makes the chain; a last end back near the first point
// closes it. FALSE for fewer than two lines, an object that is no line, or a gap; without a
// buffer it only tests.
BOOL ChainLinePoints(const CObArray& lines, POINT* out);
