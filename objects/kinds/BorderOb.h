// The plain rectangle of a page: a box with a frame in one of four styles, an optional
// solid or hatched fill, an optional hard drop shadow and four snap points.
#pragma once

#include "objects/HyperDrawOb.h"
#include "objects/SnapPointSet.h"

#include <memory>

class CBorderOb : public CHyperDrawOb {
    DECLARE_SERIAL(CBorderOb)
public:
    static constexpr UINT RecordVersion = 1;
    static constexpr UINT TypeNameId = 60473;
    // Property ids.
    static constexpr UINT HiliteColorId = 27156;
    static constexpr UINT BorderStyleId = 27203;
    static constexpr UINT AnchorSnapsId = 27441;
    // Border styles; the hidden bit suppresses frame, shadow, fill and outline.
    static constexpr int StyleNormal = 0;
    static constexpr int Style3D = 1;
    static constexpr int StyleSunken = 2;
    static constexpr int StyleRaised = 4;
    static constexpr int StyleHidden = 0x8000;
    static constexpr int DefaultSize = 80;
    static constexpr int ShadowOffset = 10;

    CBorderOb();
    ~CBorderOb() override = default;
    CSize GetMinimumSize() const override;

    void Serialize(CArchive& archive) override;
    CPropOb* CreateProperty(UINT propertyId, BOOL withChoices) override;
    void CollectProperties(CObArray& list, BOOL withChoices) override;
    void CopyFrom(const CHyperBaseOb* other) override;
    CString GetTypeName() const override { return LoadTypeName(TypeNameId); }
    int HitTest(CPoint point) override;
    void Draw(CDC* dc) override;
    void ApplyDefaults() override;
    void RecalcRect() override;
    CSnapPointSet* GetSnapPoints(BOOL own) override;
    BOOL CanRotate() const override { return DfltCanRot; }
    BOOL IsTransparent() const override;
    BOOL GetPenStyle(int*) const override { return FALSE; }
    BOOL GetHatchStyle(int* style) const override;
    BOOL GetShadowStyle(int* style) const override;

    // Draws the frame on outer and moves inner in past it.
    virtual void DrawFrame(CDC* dc, RECT* inner, const RECT* outer);
    virtual void DrawShadow(CDC* dc, const RECT* outer);

    COLORREF HiliteColor = static_cast<COLORREF>(-1);
    int BorderStyle = StyleNormal;

protected:
    void SetMinimumSize();

    // Made when first asked for: kinds with snap points of their own never need it.
    std::unique_ptr<CSnapPointSet> m_snapPoints;
    // Width of the edge band that hits a hollow box; fixed at construction.
    int m_hitBand;

private:
    void LoadFields(CArchive& archive);
    void StoreFields(CArchive& archive) const;
    void FillAndOutline(CDC* dc, const CRect& inner);
    void DrawRaisedOrSunken(CDC* dc, RECT* inner, const RECT* outer, COLORREF light);
};
