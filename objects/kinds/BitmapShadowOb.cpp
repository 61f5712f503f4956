#include "objects/kinds/BitmapShadowOb.h"

#include "objects/kinds/DisplayDepth.h"
#include "objects/kinds/KindShared.h"
#include "objects/kinds/PagePixels.h"
#include "platform/gdi/Dc.h"
#include "platform/gdi/GdiObject.h"
#include "platform/ole/DispatchMap.h"

#include <algorithm>

IMPLEMENT_SERIAL(CBitmapShadowOb, CBitmapOb, 0)

BEGIN_DISPATCH_MAP(CBitmapShadowOb, CBitmapOb)
    DISP_PROPERTY_NOTIFY(CBitmapShadowOb, "ShadowOffsetX", m_shadow.OffsetX, OnUpdate, VT_I4)
    DISP_PROPERTY_NOTIFY(CBitmapShadowOb, "ShadowOffsetY", m_shadow.OffsetY, OnUpdate, VT_I4)
    DISP_PROPERTY_NOTIFY(CBitmapShadowOb, "ShadowBlurX", m_shadow.BlurX, OnUpdate, VT_I4)
    DISP_PROPERTY_NOTIFY(CBitmapShadowOb, "ShadowBlurY", m_shadow.BlurY, OnUpdate, VT_I4)
    DISP_PROPERTY_NOTIFY(CBitmapShadowOb, "ShadowColor", m_shadow.Color, OnUpdate, VT_I4)
    DISP_PROPERTY_NOTIFY(CBitmapShadowOb, "ShadowOpacity", m_shadow.Opacity, OnUpdate, VT_I4)
    DISP_PROPERTY_NOTIFY(CBitmapShadowOb, "ShadowBackColor", m_shadow.BackColor, OnUpdate, VT_I4)
END_DISPATCH_MAP()

CBitmapShadowOb::CBitmapShadowOb() = default;

CBitmapShadowOb::~CBitmapShadowOb() = default;

void CBitmapShadowOb::Serialize(CArchive& archive)
{
    CBitmapOb::Serialize(archive);
    m_shadow.Serialize(archive);
}

void CBitmapShadowOb::CopyFrom(const CHyperBaseOb* base)
{
    CBitmapOb::CopyFrom(base);
    if (auto* other = dynamic_cast<const CBitmapShadowOb*>(base); other && other != this)
        m_shadow.CopyFrom(&other->m_shadow);
}

CPropOb* CBitmapShadowOb::CreateProperty(UINT propertyId, BOOL withChoices)
{
    if (CPropOb* editor = CBitmapOb::CreateProperty(propertyId, withChoices))
        return editor;
    if (propertyId == CSoftShadowOb::BackColorId ||
        (propertyId >= CSoftShadowOb::ColorId && propertyId <= CSoftShadowOb::SoftId))
        return m_shadow.CreateProperty(propertyId, propertyId, withChoices);
    return nullptr;
}

void CBitmapShadowOb::CollectProperties(CObArray& list, BOOL withChoices)
{
    CBitmapOb::CollectProperties(list, withChoices);
    static constexpr UINT ids[] = {CSoftShadowOb::ColorId, CSoftShadowOb::OffsetXId, CSoftShadowOb::OffsetYId,
                                   CSoftShadowOb::BackColorId, CSoftShadowOb::BlurXId, CSoftShadowOb::BlurYId,
                                   CSoftShadowOb::SoftId};
    // The blur has nothing to do on a palette display.
    AppendProperties(this, list, ids, IsTrueColorDisplay() ? 7 : 4, withChoices);
}

void CBitmapShadowOb::UpdateLayout(int render, BOOL hint)
{
    ValidateShadowParams(render);
    CBitmapOb::UpdateLayout(render, hint);
}

void CBitmapShadowOb::GetUpdateRect(CRect* out, CDC* dc) const
{
    CBitmapOb::GetUpdateRect(out, dc);
    if (!m_shadow.IsVisible())
        return;
    CRect rect;
    GetRectAt(&rect, 0);
    out->UnionRect(*out, rect);
    out->UnionRect(*out, m_shadow.GetShadowRect(rect, CPoint(m_shadow.OffsetX, m_shadow.OffsetY)));
}

void CBitmapShadowOb::ValidateShadowParams(BOOL render)
{
    if (IsTrueColorDisplay()) {
        m_shadow.BlurX = std::max<LONG>(m_shadow.BlurX, 1);
        m_shadow.BlurY = std::max<LONG>(m_shadow.BlurY, 1);
    }
    m_shadow.Opacity = std::clamp<LONG>(m_shadow.Opacity, 0, 100);
    if (m_shadow.IsVisible() && render)
        RenderShadowBitmap();
}

void CBitmapShadowOb::RenderShadowBitmap()
{
    m_shadowBitmap.reset();
    if (!m_shadow.IsVisible())
        return;
    CRect rect;
    GetRectAt(&rect, 0);
    const CRect origin(0, 0, rect.Width(), rect.Height());
    const CRect shadow = m_shadow.GetShadowRect(origin, CPoint(0, 0));
    CRect all;
    all.UnionRect(origin, shadow);
    CDC memory;
    memory.CreateCompatibleDC(nullptr);
    auto bitmap = std::make_unique<CBitmap>();
    if (!bitmap->CreateBitmap(all.Width(), all.Height(), 1, static_cast<UINT>(GetDisplayBitsPerPixel()), nullptr))
        return;
    CBitmap* old = memory.SelectObject(bitmap.get());
    const COLORREF back = m_shadow.BackColor == static_cast<COLORREF>(-1) ? GetPageColor() : m_shadow.BackColor;
    m_shadow.RenderShadow(&memory, &m_picture, shadow, CPoint(0, 0), back);
    memory.SelectObject(old);
    m_shadowBitmap = std::move(bitmap);
}

void CBitmapShadowOb::Draw(CDC* dc)
{
    if (m_shadow.IsVisible())
        DrawShadow(dc);
    CBitmapOb::Draw(dc);
}

void CBitmapShadowOb::DrawShadow(CDC* dc)
{
    if (!m_shadowBitmap)
        ValidateShadowParams(TRUE);
    if (!m_shadowBitmap)
        return;
    CRect rect;
    GetRect(&rect, nullptr);
    const CPagePixels pixels(dc, &rect);
    const CRect shadow = m_shadow.GetShadowRect(rect, CPoint(m_shadow.OffsetX, m_shadow.OffsetY));
    CDC memory;
    memory.CreateCompatibleDC(nullptr);
    CBitmap* old = memory.SelectObject(m_shadowBitmap.get());
    // An opaque object covers its own rectangle; the caller's clipping comes back afterwards.
    const int saved = dc->SaveDC();
    if (!IsTransparent())
        dc->ExcludeClipRect(&rect);
    dc->BitBlt(shadow.left, shadow.top, shadow.Width(), shadow.Height(), &memory, 0, 0, SRCCOPY);
    dc->RestoreDC(saved);
    memory.SelectObject(old);
}
