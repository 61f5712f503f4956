// A bitmap object that casts a soft drop shadow, rendered once into a device bitmap and
// blitted behind the picture at every draw.
#pragma once

#include "objects/kinds/BitmapOb.h"
#include "objects/kinds/SoftShadowOb.h"

#include <memory>

class CBitmap;

class CBitmapShadowOb : public CBitmapOb {
    DECLARE_SERIAL(CBitmapShadowOb)
public:
    static const AFX_DISPMAP* GetThisDispatchMap();
    const AFX_DISPMAP* GetDispatchMap() const override;

    static constexpr UINT TypeNameId = 20072;

    CBitmapShadowOb();
    ~CBitmapShadowOb() override;

    void Serialize(CArchive& archive) override;
    void UpdateLayout(int render, BOOL hint) override;
    CPropOb* CreateProperty(UINT propertyId, BOOL withChoices) override;
    void CollectProperties(CObArray& list, BOOL withChoices) override;
    void CopyFrom(const CHyperBaseOb* other) override;
    CString GetTypeName() const override { return LoadTypeName(TypeNameId); }
    void Draw(CDC* dc) override;
    void GetUpdateRect(CRect* out, CDC* dc) const override;

    // Keeps the blur and opacity in range and, when asked and shown, renders the shadow bitmap.
    void ValidateShadowParams(BOOL render);
    CSoftShadowOb& GetShadow() { return m_shadow; }
    BOOL HasShadowBitmap() const { return m_shadowBitmap != nullptr; }

protected:
    void DrawShadow(CDC* dc);

    CSoftShadowOb m_shadow;

private:
    void RenderShadowBitmap();

    std::unique_ptr<CBitmap> m_shadowBitmap;
};
