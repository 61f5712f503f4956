// The page object that shows a picture in one of five layouts, optionally with a
// transparent colour and rotated. Documents keep the picture as a JPEG copy inside the
// object's record.
#pragma once

#include "imaging/ExtDib.h"
#include "objects/HyperDrawOb.h"
#include "objects/SnapPointSet.h"
#include "objects/kinds/BitmapCache.h"

#include <optional>
#include <vector>

class CBitmapOb : public CHyperDrawOb {
    DECLARE_SERIAL(CBitmapOb)
public:
    static const AFX_DISPMAP* GetThisDispatchMap();
    const AFX_DISPMAP* GetDispatchMap() const override;

    static constexpr UINT TypeNameId = 60462;
    // Property ids.
    static constexpr UINT BitmapId = 27264;
    static constexpr UINT LayoutId = 27265;
    static constexpr UINT AnchorSnapsId = 27441;
    // Layouts; any other value draws like LayoutLeft.
    static constexpr int LayoutLeft = 0;
    static constexpr int LayoutRight = 2;
    static constexpr int LayoutCenter = 6;
    static constexpr int LayoutStretch = 8;
    static constexpr int LayoutSizeToFit = 255;
    static constexpr int JpegQuality = 100;

    CBitmapOb();
    ~CBitmapOb() override = default;

    void Serialize(CArchive& archive) override;
    void UpdateLayout(int recalc, BOOL hint) override;
    CPropOb* CreateProperty(UINT propertyId, BOOL withChoices) override;
    void CollectProperties(CObArray& list, BOOL withChoices) override;
    void CopyFrom(const CHyperBaseOb* other) override;
    CString GetTypeName() const override { return LoadTypeName(TypeNameId); }
    void Draw(CDC* dc) override;
    void ApplyDefaults() override;
    BOOL OnInsert() override;
    CSnapPointSet* GetSnapPoints(BOOL own) override;
    BOOL CanRotate() const override { return DfltCanRot; }
    // Takes a copy of a picture; anything else is ignored.
    virtual void SetPicture(CObject* picture);

    const CExtDib& GetPicture() const { return m_picture; }
    // The stored JPEG image of the picture, when one is kept.
    const std::optional<std::vector<BYTE>>& GetJpegCopy() const { return m_jpeg; }
    // Encodes the picture as the JPEG copy; FALSE (and no copy) when the codec fails.
    BOOL MakeJpegCopy();
    // Builds the cache when forced or missing; a size-to-fit object then takes the picture's size.
    void PrepareBitmapCache(BOOL force);
    const CBitmapCache& GetBitmapCache() const { return m_cache; }

    // Automation.
    CString GetBitmap() const;
    void SetBitmap(LPCTSTR name);
    long GetTransparentColor() const { return static_cast<long>(m_picture.m_colour); }
    void SetTransparentColor(long colour);

    int Layout = LayoutSizeToFit;

protected:
    CExtDib m_picture;
    CSnapPointSet m_snapPoints;

private:
    void StoreFields(CArchive& archive);
    void LoadFields(CArchive& archive);
    void LoadJpegCopy(CArchive& archive);
    void RestoreFromJpeg();
    void FitToPicture();
    void DrawRotated(CDC* dc);
    void DrawInLayout(CDC* dc, const CRect& rect);

    std::optional<std::vector<BYTE>> m_jpeg;
    CBitmapCache m_cache;
    CExtDib m_lastDrawn;
};
