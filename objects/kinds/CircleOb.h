// The ellipse of a page: inscribed in the object's rectangle, drawn with the pen, fill and
// hard shadow of a drawn object, hit only inside the curve, with five snap points.
#pragma once

#include "objects/HyperDrawOb.h"
#include "objects/SnapPointSet.h"

class CCircleOb : public CHyperDrawOb {
    DECLARE_SERIAL(CCircleOb)
public:
    static constexpr UINT RecordVersion = 0;
    static constexpr UINT TypeNameId = 60471;
    static constexpr UINT AnchorSnapsId = 27441;
    static constexpr int DefaultSize = 80;
    static constexpr int ShadowOffset = 10;
    static constexpr int OutlineSteps = 128;

    CCircleOb();
    ~CCircleOb() override = default;
    CSize GetMinimumSize() const override;

    void Serialize(CArchive& archive) override;
    void UpdateLayout(int recalc, BOOL hint) override;
    CPropOb* CreateProperty(UINT propertyId, BOOL withChoices) override;
    CString GetTypeName() const override { return LoadTypeName(TypeNameId); }
    int HitTest(CPoint point) override;
    void Draw(CDC* dc) override;
    void ApplyDefaults() override;
    void RecalcRect() override;
    CSnapPointSet* GetSnapPoints(BOOL own) override;
    void BuildOutline() override;
    BOOL CanRotate() const override;
    BOOL IsTransparent() const override;
    BOOL GetHatchStyle(int* style) const override;
    BOOL GetShadowStyle(int* style) const override;

protected:
    CSnapPointSet m_snapPoints;
    // Kept for the record of the object's layout; nothing reads it.
    int m_spareBand;

private:
    BOOL IsSquare() const;
    void SetMinimumSize();
    void DrawShadow(CDC* dc, const CRect& r);
};
